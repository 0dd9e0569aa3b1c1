#include "template/core/windowtable.h"

#include "panel/core/numbertext.h"

#include <cmath>

namespace cockpix {
namespace {

// The whole part of a text's number, toward zero; "+ 0.0" turns -0 (from "-0.5") into 0 so
// that the box and the file never show "-0".
double wholePart(std::string_view text) {
    return truncateTowardZero(numericValue(text)) + 0.0;
}

EditOutcome refuse(std::string_view message) {
    return {std::string(message), true};
}

} // namespace

double defaultViewBound(DefaultViewField field) {
    const bool across = field == DefaultViewField::X || field == DefaultViewField::SizeX;
    return across ? 8191 : 6153;
}

PanelWindow& WindowTable::rowWindow(int row) {
    return m_model.window(row);
}

bool WindowTable::breaksContinuity(int row, std::string_view text) const {
    return row > m_model.windowCount && !text.empty();
}

// A row joins the panel when it is the first free row and both its title and its bitmap
// box hold text; emptying either box of the last row takes that row out again.
void WindowTable::followCountRule(int row, bool editedBoxFilled, bool otherBoxFilled) {
    int& count = m_model.windowCount;
    if (row == count && otherBoxFilled)
        count = row + 1;
    if (!editedBoxFilled && row == count - 1)
        count = count - 1;
}

EditOutcome WindowTable::titleChanged(int row, std::string_view text) {
    PanelWindow& window = rowWindow(row);
    m_titleFilled.at(row) = !text.empty();
    if (breaksContinuity(row, text)) {
        window.windowTitle.clear();
        return refuse(kListMustBeContinuousMessage);
    }
    window.windowTitle = std::string(text);
    followCountRule(row, m_titleFilled[row], m_bitmapFilled[row]);
    return {};
}

EditOutcome WindowTable::bitmapChanged(int row, std::string_view text) {
    PanelWindow& window = rowWindow(row);
    m_bitmapFilled.at(row) = !text.empty();
    if (breaksContinuity(row, text)) {
        window.windowBitmap.clear();
        return refuse(kListMustBeContinuousMessage);
    }
    // "name." is how users end a name when they think of the extension; FS98 would
    // otherwise look for "name..bmp".
    std::string_view name = text;
    if (!name.empty() && name.back() == '.')
        name.remove_suffix(1);
    window.windowBitmap = std::string(name);
    followCountRule(row, m_bitmapFilled[row], m_titleFilled[row]);
    return {};
}

EditOutcome WindowTable::sizeChanged(int row, std::string_view text) {
    PanelWindow& window = rowWindow(row);
    if (breaksContinuity(row, text)) {
        window.windowSizeMm = 0;
        return refuse(kListMustBeContinuousMessage);
    }
    window.windowSizeMm = wholePart(text);
    if (window.windowSizeMm < 0)
        return refuse(kIncorrectValueMessage);
    return {};
}

EditOutcome WindowTable::ratioChanged(int row, std::string_view text) {
    PanelWindow& window = rowWindow(row);
    const bool keepReset = m_ratioKeepsReset.at(row);
    m_ratioKeepsReset[row] = false;
    if (keepReset && text.empty())
        return {};
    if (breaksContinuity(row, text)) {
        window.windowSizeRatio = 1;
        m_ratioKeepsReset[row] = true;
        return refuse(kListMustBeContinuousMessage);
    }
    window.windowSizeRatio = numericValue(text);
    if (window.windowSizeRatio < 0) {
        window.windowSizeRatio = 1;
        m_ratioKeepsReset[row] = true;
        return refuse(kIncorrectValueMessage);
    }
    return {};
}

EditOutcome WindowTable::positionChanged(int row, std::string_view text) {
    PanelWindow& window = rowWindow(row);
    if (breaksContinuity(row, text)) {
        window.windowPosition = 0;
        return refuse(kListMustBeContinuousMessage);
    }
    window.windowPosition = wholePart(text);
    if (window.windowPosition < 0 || window.windowPosition > kMaxWindowPosition)
        return refuse(kOutOfBoundMessage);
    return {};
}

EditOutcome WindowTable::identChanged(int row, std::string_view text) {
    PanelWindow& window = rowWindow(row);
    if (breaksContinuity(row, text)) {
        window.windowIdent = WindowIdent::fromNumber(0);
        return refuse(kListMustBeContinuousMessage);
    }
    // Kept as typed: the writer only writes idents that read as numbers, so nothing typed
    // here can spoil the file.
    window.windowIdent = WindowIdent::fromText(std::string(text));
    return {};
}

VisibleOutcome WindowTable::visibleToggled(int row, bool checked) {
    PanelWindow& window = rowWindow(row);
    if (row > m_model.windowCount)
        return {std::string(kListMustBeContinuousMessage), std::nullopt};
    window.windowVisible = checked ? 1 : 0;
    return {{}, std::string(checked ? "ON" : "OFF")};
}

EditOutcome WindowTable::defaultViewChanged(DefaultViewField field, std::string_view text) {
    const double value = numericValue(text);
    if (value < 0 || value > defaultViewBound(field))
        return refuse(kOutOfBoundMessage);
    const double whole = wholePart(text);
    switch (field) {
    case DefaultViewField::X:
        m_model.defaultViewX = whole;
        break;
    case DefaultViewField::Y:
        m_model.defaultViewY = whole;
        break;
    case DefaultViewField::SizeX:
        m_model.defaultViewSizeX = whole;
        break;
    case DefaultViewField::SizeY:
        m_model.defaultViewSizeY = whole;
        break;
    }
    return {};
}

void WindowTable::thresholdChanged(std::string_view text) {
    m_model.paletteTolerance = clampToInt(truncateTowardZero(std::fabs(numericValue(text))));
}

void WindowTable::forgetBoxes() {
    m_titleFilled.fill(false);
    m_bitmapFilled.fill(false);
    m_ratioKeepsReset.fill(false);
}

std::string_view paletteSaveCaption(bool checked) {
    return checked ? "Don't save" : "Save";
}

std::string_view paletteEraseCaption(bool checked) {
    return checked ? "Erase all" : "Keep all";
}

PaletteSaveOptions paletteOptionsFromChecks(bool dontSaveChecked, bool eraseAllChecked) {
    PaletteSaveOptions options;
    options.saveNewPalette = !dontSaveChecked;
    options.keepColors = !eraseAllChecked;
    return options;
}

} // namespace cockpix

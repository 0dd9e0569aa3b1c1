#include "template/core/fs98/windowtable.h"

#include "base/core/numbertext.h"
#include "panel/core/placelimits.h"

#include <cmath>

namespace cockpix::fs98 {
namespace {

// The whole part of a text's number, toward zero; "+ 0.0" turns -0 (from "-0.5") into 0 so
// that the box and the file never show "-0".
double wholePart(std::string_view text) {
    return truncateTowardZero(numericValue(text)) + 0.0;
}

WindowEdit edit(const Panel& panel, int row, WindowField field, WindowFieldValue value) {
    return {row, field, std::move(value), panel.windowCount};
}

EditOutcome store(const Panel& panel, int row, WindowField field, WindowFieldValue value) {
    return {edit(panel, row, field, std::move(value)), {}, false};
}

// The row's field gets its reset value, the message is shown and the box emptied.
EditOutcome refuse(const Panel& panel, int row, WindowField field, WindowFieldValue resetValue,
                   std::string_view message) {
    return {edit(panel, row, field, std::move(resetValue)), std::string(message), true};
}

// A value the rules refuse is never stored, so it never becomes an undo step of its own:
// the message is shown and the emptied box stores the value for empty text.
EditOutcome refuseUnstored(std::string_view message) {
    return {std::nullopt, std::string(message), true};
}

} // namespace

double defaultViewBound(DefaultViewField field) {
    const bool across = field == DefaultViewField::X || field == DefaultViewField::SizeX;
    return across ? 8191 : 6153;
}

DefaultView withViewField(DefaultView view, DefaultViewField field, double value) {
    switch (field) {
    case DefaultViewField::X:
        view.x = value;
        break;
    case DefaultViewField::Y:
        view.y = value;
        break;
    case DefaultViewField::SizeX:
        view.sizeX = value;
        break;
    case DefaultViewField::SizeY:
        view.sizeY = value;
        break;
    }
    return view;
}

int thresholdValue(std::string_view text) {
    return clampToInt(truncateTowardZero(std::fabs(numericValue(text))));
}

bool WindowTable::breaksContinuity(const Panel& panel, int row, std::string_view text) {
    return row > panel.windowCount && !text.empty();
}

// A row joins the panel when it is the first free row and both its title and its bitmap
// box hold text; emptying either box of the last row takes that row out again.
int WindowTable::countAfter(const Panel& panel, int row, bool editedBoxFilled,
                            bool otherBoxFilled) {
    int count = panel.windowCount;
    if (row == count && otherBoxFilled)
        count = row + 1;
    if (!editedBoxFilled && row == count - 1)
        count = count - 1;
    return count;
}

EditOutcome WindowTable::titleChanged(const Panel& panel, int row, std::string_view text) {
    m_titleFilled.at(row) = !text.empty();
    if (breaksContinuity(panel, row, text))
        return refuse(panel, row, WindowField::Title, std::string(), kListMustBeContinuousMessage);
    WindowEdit change = edit(panel, row, WindowField::Title, std::string(text));
    change.windowCount = countAfter(panel, row, m_titleFilled[row], m_bitmapFilled[row]);
    return {change, {}, false};
}

EditOutcome WindowTable::bitmapChanged(const Panel& panel, int row, std::string_view text) {
    m_bitmapFilled.at(row) = !text.empty();
    if (breaksContinuity(panel, row, text))
        return refuse(panel, row, WindowField::Bitmap, std::string(), kListMustBeContinuousMessage);
    // "name." is how users end a name when they think of the extension; FS98 would
    // otherwise look for "name..bmp".
    std::string_view name = text;
    if (!name.empty() && name.back() == '.')
        name.remove_suffix(1);
    WindowEdit change = edit(panel, row, WindowField::Bitmap, std::string(name));
    change.windowCount = countAfter(panel, row, m_bitmapFilled[row], m_titleFilled[row]);
    return {change, {}, false};
}

EditOutcome WindowTable::sizeChanged(const Panel& panel, int row, std::string_view text) {
    if (breaksContinuity(panel, row, text))
        return refuse(panel, row, WindowField::SizeMm, 0.0, kListMustBeContinuousMessage);
    const double size = wholePart(text);
    if (size < 0)
        return refuseUnstored(kIncorrectValueMessage);
    if (const PlaceRange range = placeRange(PlaceKind::Size); !range.holds(size))
        return refuseUnstored(placeRangeMessage("Window size", range));
    return store(panel, row, WindowField::SizeMm, size);
}

EditOutcome WindowTable::ratioChanged(const Panel& panel, int row, std::string_view text) {
    const bool keepReset = m_ratioKeepsReset.at(row);
    m_ratioKeepsReset[row] = false;
    if (keepReset && text.empty())
        return {};
    if (breaksContinuity(panel, row, text)) {
        m_ratioKeepsReset[row] = true;
        return refuse(panel, row, WindowField::SizeRatio, 1.0, kListMustBeContinuousMessage);
    }
    const double ratio = numericValue(text);
    if (ratio < 0) {
        m_ratioKeepsReset[row] = true;
        return refuse(panel, row, WindowField::SizeRatio, 1.0, kIncorrectValueMessage);
    }
    return store(panel, row, WindowField::SizeRatio, ratio);
}

EditOutcome WindowTable::positionChanged(const Panel& panel, int row, std::string_view text) {
    if (breaksContinuity(panel, row, text))
        return refuse(panel, row, WindowField::Position, 0.0, kListMustBeContinuousMessage);
    const double position = wholePart(text);
    if (position < 0 || position > kMaxWindowPosition)
        return refuseUnstored(kOutOfBoundMessage);
    return store(panel, row, WindowField::Position, position);
}

EditOutcome WindowTable::identChanged(const Panel& panel, int row, std::string_view text) {
    if (breaksContinuity(panel, row, text))
        return refuse(panel, row, WindowField::Ident, WindowIdent::fromNumber(0),
                      kListMustBeContinuousMessage);
    // Kept as typed: the writer only writes idents that read as numbers, so nothing typed
    // here can spoil the file.
    return store(panel, row, WindowField::Ident, WindowIdent::fromText(std::string(text)));
}

VisibleOutcome WindowTable::visibleToggled(const Panel& panel, int row, bool checked) {
    if (row > panel.windowCount)
        return {std::nullopt, std::string(kListMustBeContinuousMessage), std::nullopt};
    return {edit(panel, row, WindowField::Visible, checked ? 1.0 : 0.0),
            {},
            std::string(checked ? "ON" : "OFF")};
}

ViewOutcome WindowTable::defaultViewChanged(DefaultViewField field, std::string_view text) const {
    const double value = numericValue(text);
    if (value < 0 || value > defaultViewBound(field))
        return {std::nullopt, std::string(kOutOfBoundMessage), true};
    return {wholePart(text), {}, false};
}

void WindowTable::forgetBoxes() {
    m_titleFilled.fill(false);
    m_bitmapFilled.fill(false);
    m_ratioKeepsReset.fill(false);
}

void WindowTable::noteBoxes(int row, bool titleFilled, bool bitmapFilled) {
    if (!isWindowSlot(row))
        return;
    m_titleFilled[static_cast<std::size_t>(row)] = titleFilled;
    m_bitmapFilled[static_cast<std::size_t>(row)] = bitmapFilled;
    m_ratioKeepsReset[static_cast<std::size_t>(row)] = false;
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

} // namespace cockpix::fs98

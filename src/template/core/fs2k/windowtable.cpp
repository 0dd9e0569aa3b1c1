#include "template/core/fs2k/windowtable.h"

#include "base/core/numbertext.h"
#include "panel/core/placelimits.h"
#include "template/core/fs98/windowtable.h"

#include <cmath>

namespace cockpix::fs2k {
namespace {

// The largest texture side taken: MSFS's textures are a few thousand pixels at most.
constexpr double kMaxPixelSize = 16384;

std::string_view trimmedText(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string valueOf(const Window& window, std::string_view key) {
    const Key* found = window.find(key);
    return found ? found->value : std::string();
}

// The width and height of a size_mm= value, each trimmed; the height empty when not given.
std::pair<std::string, std::string> sizeParts(const std::string& value) {
    const std::size_t comma = value.find(',');
    if (comma == std::string::npos)
        return {std::string(trimmedText(value)), {}};
    return {std::string(trimmedText(std::string_view(value).substr(0, comma))),
            std::string(trimmedText(std::string_view(value).substr(comma + 1)))};
}

// A virtual cockpit or painting draws on its texture (texture=$name), unless it has a bitmap
// instead; a window without a bitmap is of one colour.
const char* bitmapKey(const Window& window) {
    const bool hasFile = window.find("file") != nullptr;
    if (window.kind != WindowKind::Window)
        return hasFile && window.find("texture") == nullptr ? "file" : "texture";
    return !hasFile && window.find("Background_color") != nullptr ? "Background_color" : "file";
}

bool isNumberList(std::string_view text, std::size_t most) {
    std::size_t count = 0;
    for (;;) {
        const std::size_t comma = text.find(',');
        if (++count > most || !isPlainFsNumber(text.substr(0, comma)))
            return false;
        if (comma == std::string_view::npos)
            return true;
        text.remove_prefix(comma + 1);
    }
}

// Exactly count whole numbers from least to most, separated by commas.
bool isWholeNumbers(std::string_view text, std::size_t count, double least, double most) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t comma = text.find(',');
        if ((comma == std::string_view::npos) != (i + 1 == count))
            return false;
        const std::string_view field = text.substr(0, comma);
        const std::optional<double> number = strictNumericValue(field);
        if (!isPlainFsNumber(field) || !number || *number < least || *number > most ||
            std::floor(*number) != *number)
            return false;
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
    }
    return true;
}

// The key of a column that shows one key's whole value.
const char* keyOf(Column column) {
    static constexpr const char* kKeys[] = {
        "window_size_ratio", "position",    "visible",    "ident",
        "window_pos",        "window_size", "pixel_size", "background_color"};
    return kKeys[static_cast<int>(column) - static_cast<int>(Column::Ratio)];
}

CellEdit refuse(std::string_view message) {
    return {CellEdit::Kind::Refuse, {}, {}, std::string(message)};
}

CellEdit setKey(std::string key, std::string_view value) {
    return {CellEdit::Kind::SetKey, std::move(key), std::string(value), {}};
}

bool isSize(const std::string& text) {
    const std::optional<double> size = strictNumericValue(text);
    return size && *size > 0;
}

CellEdit sizeEdit(const Window& window, Column column, std::string_view text) {
    auto [width, height] = sizeParts(valueOf(window, "size_mm"));
    (column == Column::SizeW ? width : height) = std::string(text);
    if (width.empty() && column == Column::SizeW)
        return {CellEdit::Kind::RemoveKey, "size_mm", {}, {}};
    if (!isSize(width) || (!height.empty() && !isSize(height)))
        return refuse(fs98::kIncorrectValueMessage);
    if (!text.empty()) {
        const auto problem = placeTextProblem(column == Column::SizeW ? "Size w" : "Size h", text,
                                              placeRange(PlaceKind::Size));
        if (problem)
            return refuse(*problem);
    }
    return setKey("size_mm", height.empty() ? width : width + "," + height);
}

} // namespace

std::string cellText(const Panel& panel, const Window& window, Column column) {
    switch (column) {
    case Column::Title: {
        const Title* title =
            window.kind == WindowKind::Window ? panel.titleOf(window.number) : nullptr;
        return title ? title->title : std::string();
    }
    case Column::Bitmap:
        return valueOf(window, bitmapKey(window));
    case Column::SizeW:
        return sizeParts(valueOf(window, "size_mm")).first;
    case Column::SizeH:
        return sizeParts(valueOf(window, "size_mm")).second;
    case Column::Ratio:
        return valueOf(window, "window_size_ratio");
    case Column::Position:
        return valueOf(window, "position");
    case Column::Visible:
        return valueOf(window, "visible");
    case Column::Ident:
        return valueOf(window, "ident");
    case Column::WindowPos:
        return valueOf(window, "window_pos");
    case Column::WindowSize:
        return valueOf(window, "window_size");
    case Column::PixelSize:
        return valueOf(window, "pixel_size");
    case Column::BackgroundColor:
        return valueOf(window, "background_color");
    case Column::Instruments:
        return std::to_string(window.gauges.size());
    }
    return {};
}

bool isEditable(const Window& window, Column column) {
    if (column == Column::Title)
        return window.kind == WindowKind::Window;
    return column != Column::Instruments;
}

CellEdit cellEdit(const Window& window, Column column, std::string_view text) {
    text = trimmedText(text);
    if (column == Column::Title) {
        if (window.kind != WindowKind::Window)
            return text.empty() ? CellEdit{}
                                : refuse("A virtual cockpit has no title in [Window Titles].");
        return {CellEdit::Kind::SetTitle, {}, std::string(text), {}};
    }
    if (column == Column::Instruments)
        return {};
    if (column == Column::SizeW || column == Column::SizeH)
        return sizeEdit(window, column, text);
    const std::string key = column == Column::Bitmap ? bitmapKey(window) : keyOf(column);
    if (text.empty())
        return {CellEdit::Kind::RemoveKey, key, {}, {}};
    const std::optional<double> number = strictNumericValue(text);
    const bool oneNumber = column == Column::Ratio || column == Column::Position;
    if (oneNumber && number && !isPlainFsNumber(text))
        return refuse(
            *numberFormProblem(column == Column::Ratio ? "Size ratio" : "Position", text));
    switch (column) {
    case Column::Ratio:
        if (!number || *number < 0)
            return refuse(fs98::kIncorrectValueMessage);
        break;
    case Column::Position:
        if (!number || *number < 0 || *number > 8 || std::floor(*number) != *number)
            return refuse(fs98::kOutOfBoundMessage);
        break;
    case Column::Visible:
        if (text != "0" && text != "1")
            return refuse(fs98::kIncorrectValueMessage);
        break;
    case Column::WindowPos:
    case Column::WindowSize:
        if (!isNumberList(text, 2))
            return refuse(fs98::kIncorrectValueMessage);
        break;
    case Column::PixelSize:
        if (!isWholeNumbers(text, 2, 1, kMaxPixelSize))
            return refuse(fs98::kIncorrectValueMessage);
        break;
    case Column::BackgroundColor:
        if (!isWholeNumbers(text, 3, 0, 255))
            return refuse(fs98::kIncorrectValueMessage);
        break;
    default:
        break;
    }
    return setKey(key, text);
}

std::vector<BaseRow> baseRows(const PanelLines& own, const std::vector<BasePanel>& bases,
                              const std::vector<Panel>& basePanels) {
    std::vector<BaseRow> rows;
    for (const BaseSection& used : baseSectionsUsed(own, bases)) {
        for (const Window& window : basePanels.at(used.base).windows) {
            if (window.section == used.section)
                rows.push_back({used.base, &window});
        }
    }
    return rows;
}

} // namespace cockpix::fs2k

#include "template/core/latertable.h"

#include "base/core/numbertext.h"
#include "panel/core/placelimits.h"
#include "template/core/windowtable.h"

#include <cmath>

namespace cockpix {
namespace {

std::string_view trimmedText(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string valueOf(const LaterWindow& window, std::string_view key) {
    const LaterKey* found = window.find(key);
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

// A virtual cockpit draws on its texture (texture=$name), unless it has a bitmap instead; a
// window without a bitmap is of one colour.
const char* bitmapKey(const LaterWindow& window) {
    const bool hasFile = window.find("file") != nullptr;
    if (window.kind == LaterWindowKind::Vcockpit)
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

LaterCellEdit refuse(std::string_view message) {
    return {LaterCellEdit::Kind::Refuse, {}, {}, std::string(message)};
}

LaterCellEdit setKey(std::string key, std::string_view value) {
    return {LaterCellEdit::Kind::SetKey, std::move(key), std::string(value), {}};
}

bool isSize(const std::string& text) {
    const std::optional<double> size = strictNumericValue(text);
    return size && *size > 0;
}

LaterCellEdit sizeEdit(const LaterWindow& window, LaterColumn column, std::string_view text) {
    auto [width, height] = sizeParts(valueOf(window, "size_mm"));
    (column == LaterColumn::SizeW ? width : height) = std::string(text);
    if (width.empty() && column == LaterColumn::SizeW)
        return {LaterCellEdit::Kind::RemoveKey, "size_mm", {}, {}};
    if (!isSize(width) || (!height.empty() && !isSize(height)))
        return refuse(kIncorrectValueMessage);
    if (!text.empty()) {
        const auto problem = placeTextProblem(column == LaterColumn::SizeW ? "Size w" : "Size h",
                                              text, placeRange(PlaceKind::Size));
        if (problem)
            return refuse(*problem);
    }
    return setKey("size_mm", height.empty() ? width : width + "," + height);
}

} // namespace

std::string laterCellText(const LaterPanel& panel, const LaterWindow& window, LaterColumn column) {
    switch (column) {
    case LaterColumn::Title: {
        const LaterTitle* title =
            window.kind == LaterWindowKind::Window ? panel.titleOf(window.number) : nullptr;
        return title ? title->title : std::string();
    }
    case LaterColumn::Bitmap:
        return valueOf(window, bitmapKey(window));
    case LaterColumn::SizeW:
        return sizeParts(valueOf(window, "size_mm")).first;
    case LaterColumn::SizeH:
        return sizeParts(valueOf(window, "size_mm")).second;
    case LaterColumn::Ratio:
        return valueOf(window, "window_size_ratio");
    case LaterColumn::Position:
        return valueOf(window, "position");
    case LaterColumn::Visible:
        return valueOf(window, "visible");
    case LaterColumn::Ident:
        return valueOf(window, "ident");
    case LaterColumn::WindowPos:
        return valueOf(window, "window_pos");
    case LaterColumn::WindowSize:
        return valueOf(window, "window_size");
    }
    return {};
}

LaterCellEdit laterCellEdit(const LaterWindow& window, LaterColumn column, std::string_view text) {
    text = trimmedText(text);
    if (column == LaterColumn::Title) {
        if (window.kind != LaterWindowKind::Window)
            return text.empty() ? LaterCellEdit{}
                                : refuse("A virtual cockpit has no title in [Window Titles].");
        return {LaterCellEdit::Kind::SetTitle, {}, std::string(text), {}};
    }
    if (column == LaterColumn::SizeW || column == LaterColumn::SizeH)
        return sizeEdit(window, column, text);
    static constexpr const char* kKeys[] = {
        "",         "",        "",      "",           "window_size_ratio",
        "position", "visible", "ident", "window_pos", "window_size"};
    const std::string key =
        column == LaterColumn::Bitmap ? bitmapKey(window) : kKeys[static_cast<int>(column)];
    if (text.empty())
        return {LaterCellEdit::Kind::RemoveKey, key, {}, {}};
    const std::optional<double> number = strictNumericValue(text);
    const bool oneNumber = column == LaterColumn::Ratio || column == LaterColumn::Position;
    if (oneNumber && number && !isPlainFsNumber(text))
        return refuse(
            *numberFormProblem(column == LaterColumn::Ratio ? "Size ratio" : "Position", text));
    switch (column) {
    case LaterColumn::Ratio:
        if (!number || *number < 0)
            return refuse(kIncorrectValueMessage);
        break;
    case LaterColumn::Position:
        if (!number || *number < 0 || *number > 8 || std::floor(*number) != *number)
            return refuse(kOutOfBoundMessage);
        break;
    case LaterColumn::Visible:
        if (text != "0" && text != "1")
            return refuse(kIncorrectValueMessage);
        break;
    case LaterColumn::WindowPos:
    case LaterColumn::WindowSize:
        if (!isNumberList(text, 2))
            return refuse(kIncorrectValueMessage);
        break;
    default:
        break;
    }
    return setKey(key, text);
}

} // namespace cockpix

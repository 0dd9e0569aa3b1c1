#include "gaugedialogs/core/fs2k/gaugetext.h"

#include "panel/core/placelimits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace cockpix::fs2k {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isNumber(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() &&
           std::isfinite(value);
}

} // namespace

GaugeBoxes gaugeBoxes(std::span<const std::string_view> fields) {
    GaugeBoxes boxes;
    std::string* const firstFour[] = {&boxes.x, &boxes.y, &boxes.width, &boxes.height};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i < 4) {
            *firstFour[i] = std::string(trimmed(fields[i]));
        } else {
            boxes.more += (i > 4 ? ", " : "") + std::string(trimmed(fields[i]));
        }
    }
    return boxes;
}

GaugeUnits gaugeUnits(const Window& window) {
    const Key* pixels = window.find("pixel_size");
    const Key* file = window.find("file");
    const Key* mm = window.find("size_mm");
    // A virtual cockpit's or painting's gauges are in size_mm stretched over its texture.
    const Key* units = window.kind != WindowKind::Window       ? (mm ? mm : pixels)
                       : pixels                                ? pixels
                       : file && !trimmed(file->value).empty() ? nullptr
                                                               : mm;
    if (units == nullptr)
        return {};
    const std::vector<std::optional<double>> numbers = numbersOf(units->value);
    const auto at = [&](std::size_t i) -> std::optional<double> {
        return i < numbers.size() && numbers[i] && *numbers[i] > 0 ? numbers[i] : std::nullopt;
    };
    return {at(0), at(1)};
}

std::optional<std::string> gaugeBoxesProblem(const GaugeBoxes& boxes, const GaugeUnits& units) {
    if (!isNumber(boxes.x))
        return "x must be a number.";
    if (!isNumber(boxes.y))
        return "y must be a number.";
    if (!trimmed(boxes.width).empty() && !isNumber(boxes.width))
        return "The width must be a number, or empty.";
    if (!trimmed(boxes.height).empty() && !isNumber(boxes.height))
        return "The height must be a number, or empty.";
    const struct {
        const char* field;
        const std::string& text;
        PlaceKind kind;
        std::optional<double> extent;
    } places[] = {{"x", boxes.x, PlaceKind::Position, units.width},
                  {"y", boxes.y, PlaceKind::Position, units.height},
                  {"The width", boxes.width, PlaceKind::Size, units.width},
                  {"The height", boxes.height, PlaceKind::Size, units.height}};
    for (const auto& place : places) {
        if (trimmed(place.text).empty())
            continue;
        if (auto problem =
                placeTextProblem(place.field, place.text, placeRange(place.kind, place.extent)))
            return problem;
    }
    return std::nullopt;
}

std::string gaugeValue(std::string_view name, const GaugeBoxes& boxes) {
    std::vector<std::string_view> fields = {trimmed(boxes.x), trimmed(boxes.y),
                                            trimmed(boxes.width), trimmed(boxes.height),
                                            trimmed(boxes.more)};
    while (fields.size() > 2 && fields.back().empty())
        fields.pop_back();
    std::string value(trimmed(name));
    for (std::string_view field : fields)
        value += ", " + std::string(field);
    return value;
}

InstrumentName splitInstrumentName(std::string_view name) {
    name = trimmed(name);
    const std::size_t mark = name.find('?');
    if (mark == std::string_view::npos)
        return {std::string(name), {}};
    return {std::string(trimmed(name.substr(0, mark))),
            std::string(trimmed(name.substr(mark + 1)))};
}

std::string joinInstrumentName(const InstrumentName& name) {
    const std::string_view query = trimmed(name.query);
    std::string joined(trimmed(name.path));
    if (!query.empty())
        joined += "?" + std::string(query);
    return joined;
}

std::optional<std::string> instrumentNameProblem(const InstrumentName& name) {
    if (trimmed(name.path).empty())
        return "The instrument needs a path.";
    for (const std::string* text : {&name.path, &name.query}) {
        const bool control = std::any_of(text->begin(), text->end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20;
        });
        if (control || text->find_first_of(",;") != std::string::npos ||
            text->find("//") != std::string::npos)
            return "A path or query cannot hold a comma, \";\" or \"//\" (they end the field "
                   "or start a comment), nor a line break.";
    }
    return std::nullopt;
}

} // namespace cockpix::fs2k

#include "gauges/core/latergaugetext.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace cockpix {
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

LaterGaugeBoxes laterGaugeBoxes(std::span<const std::string_view> fields) {
    LaterGaugeBoxes boxes;
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

std::optional<std::string> laterGaugeBoxesProblem(const LaterGaugeBoxes& boxes) {
    if (!isNumber(boxes.x))
        return "x must be a number.";
    if (!isNumber(boxes.y))
        return "y must be a number.";
    if (!trimmed(boxes.width).empty() && !isNumber(boxes.width))
        return "The width must be a number, or empty.";
    if (!trimmed(boxes.height).empty() && !isNumber(boxes.height))
        return "The height must be a number, or empty.";
    return std::nullopt;
}

std::string laterGaugeValue(std::string_view name, const LaterGaugeBoxes& boxes) {
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

} // namespace cockpix

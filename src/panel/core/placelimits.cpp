#include "panel/core/placelimits.h"

#include "base/core/numbertext.h"

#include <algorithm>
#include <cmath>

namespace cockpix {

PlaceRange placeRange(PlaceKind kind, std::optional<double> extent) {
    double reach = kMaxPlaceUnits;
    if (extent && *extent > 0)
        reach = std::min(reach, kFs2kWindowReach * *extent);
    return {kind == PlaceKind::Size ? 0.0 : -reach, reach};
}

std::string rangeText(const PlaceRange& range) {
    return plainNumberText(range.minimum) + " to " + plainNumberText(range.maximum);
}

std::string placeRangeMessage(std::string_view field, const PlaceRange& range) {
    return std::string(field) + " must be a number from " + rangeText(range) + ".";
}

bool isPlainFsNumber(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    std::size_t digits = 0;
    bool point = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    return digits > 0 && digits <= kMaxFsDigits;
}

bool readsOtherwiseInFs(std::string_view field) {
    std::size_t digits = 0;
    std::size_t i = 0;
    for (; i < field.size(); ++i) {
        const char c = field[i];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c != ' ' && c != '\t' && c != '+' && c != '-' && c != '.')
            break;
    }
    const char next = i < field.size() ? field[i] : '\0';
    const bool exponent = digits > 0 && (next == 'e' || next == 'E' || next == 'd' || next == 'D');
    return exponent || (digits == 0 && next == '&') || digits > kMaxFsDigits;
}

std::optional<std::string> numberFormProblem(std::string_view field, std::string_view text) {
    if (isPlainFsNumber(text))
        return std::nullopt;
    return std::string(field) + " must be written as FS reads it: digits (at most " +
           std::to_string(kMaxFsDigits) + ") with at most one point, and no exponent.";
}

std::optional<std::string> placeTextProblem(std::string_view field, std::string_view text,
                                            const PlaceRange& range) {
    if (auto problem = numberFormProblem(field, text))
        return problem;
    if (!range.holds(numericValue(text)))
        return placeRangeMessage(field, range);
    return std::nullopt;
}

std::string placeNumberText(double value) {
    // Ten places keep every fraction a user types or a drag makes; what lies below them is
    // binary noise, or a value FS98 would read in E notation as a whole other number.
    if (std::abs(value) <= kMaxPlaceUnits)
        value = std::round(value * 1e10) / 1e10;
    return plainNumberText(value);
}

} // namespace cockpix

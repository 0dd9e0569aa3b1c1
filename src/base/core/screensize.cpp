#include "base/core/screensize.h"

#include <charconv>
#include <cstdlib>

namespace cockpix {
namespace {

std::optional<int> parseDimension(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < 16 || value > 32767)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<ScreenSize> parseScreenSize(std::string_view text) {
    const auto separator = text.find_first_of("xX*");
    if (separator == std::string_view::npos)
        return std::nullopt;
    const auto width = parseDimension(text.substr(0, separator));
    const auto height = parseDimension(text.substr(separator + 1));
    if (!width || !height)
        return std::nullopt;
    return ScreenSize{*width, *height};
}

std::optional<ScreenSize> screenSizeOverride() {
    const char* value = std::getenv("COCKPIX_SCREEN");
    return value ? parseScreenSize(value) : std::nullopt;
}

} // namespace cockpix

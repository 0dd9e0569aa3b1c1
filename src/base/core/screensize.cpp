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

std::optional<std::vector<ScreenSize>> parseScreenSizeList(std::string_view text) {
    if (text == "all")
        return std::vector<ScreenSize>(kFs98ScreenSizes.begin(), kFs98ScreenSizes.end());
    std::vector<ScreenSize> sizes;
    while (true) {
        const auto comma = text.find(',');
        const auto size = parseScreenSize(text.substr(0, comma));
        if (!size)
            return std::nullopt;
        sizes.push_back(*size);
        if (comma == std::string_view::npos)
            return sizes;
        text.remove_prefix(comma + 1);
    }
}

std::string screenSizeText(ScreenSize size) {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

} // namespace cockpix

#pragma once

// The size of the screen that panel windows stand for. FS98 panels are laid out for the
// user's screen; COCKPIX_SCREEN=WIDTHxHEIGHT lays them out for another one.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

// Windows measures dialogs and FS98 its outside view in twips, 15 to a screen pixel.
inline constexpr double kTwipsPerPixel = 15;

struct ScreenSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ScreenSize&, const ScreenSize&) = default;
};

// Reads "1024x768" (an "X" or "*" also separates); nullopt for anything else or for sizes
// outside 16..32767 pixels.
std::optional<ScreenSize> parseScreenSize(std::string_view text);

// The override from the COCKPIX_SCREEN environment variable, when it is set and valid.
std::optional<ScreenSize> screenSizeOverride();

// The screens FS98 users had, from the smallest.
inline constexpr std::array<ScreenSize, 5> kFs98ScreenSizes{
    {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}}};

// "all" for every size of kFs98ScreenSizes, or sizes separated by commas
// ("800x600,1024x768"); nullopt when any of them is not a size.
std::optional<std::vector<ScreenSize>> parseScreenSizeList(std::string_view text);

// "1024x768".
std::string screenSizeText(ScreenSize size);

} // namespace cockpix

#pragma once

// The size of the screen that panel windows stand for. FS98 panels are laid out for the
// user's screen; COCKPIX_SCREEN=WIDTHxHEIGHT lays them out for another one.

#include <optional>
#include <string_view>

namespace cockpix {

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

} // namespace cockpix

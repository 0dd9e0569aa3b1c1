#pragma once

// A colour of a bitmap's palette or of FS98's reference palette, and the one distance the
// palette optimizer and its preview measure colours with.

#include <cstdint>
#include <cstdlib>

namespace cockpix {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The mean of the three channel differences, 0..255: (|dr| + |dg| + |db|) / 3.
inline double colorDistance(Rgb a, Rgb b) {
    const int sum =
        std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
    return sum / 3.0;
}

} // namespace cockpix

#pragma once

// 8-bit bitmaps for the palette optimizer's tests, and the byte patches that break them.

#include "gaugefiles/core/bmpwriter.h"

#include <cstdint>
#include <string>

namespace cockpix::test {

inline void put32At(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int k = 0; k < 4; ++k)
        bytes[at + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
}

// A bitmap whose colour table holds only the colorsUsed entries in use, the pixels right
// after it: the layout of the bitmaps FS98's paint programs saved.
inline std::string compactBitmap(const IndexedImage& image, std::uint32_t colorsUsed) {
    std::string bytes = bmpFileBytes(image, colorsUsed);
    const std::size_t tableEnd = 54 + 4 * std::size_t(colorsUsed);
    bytes.erase(tableEnd, 1078 - tableEnd);
    put32At(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    put32At(bytes, 10, static_cast<std::uint32_t>(tableEnd));
    return bytes;
}

// Stripes of count pixels for each colour given, in a picture 16 pixels wide.
struct Stripe {
    std::uint8_t index;
    std::uint32_t rgb;
    int count;
};
inline IndexedImage stripes(std::initializer_list<Stripe> list) {
    int total = 0;
    for (const Stripe& s : list)
        total += s.count;
    IndexedImage image(16, (total + 15) / 16, 0);
    std::size_t at = 0;
    for (const Stripe& s : list) {
        image.palette[s.index] = s.rgb;
        for (int k = 0; k < s.count; ++k)
            image.pixels[at++] = s.index;
    }
    return image;
}

// Black, two colours far from every colour of the shipped reference table and from every
// grey, and a grey that table and the tests' tables hold: by decreasing use but for the grey.
inline IndexedImage fourColours() {
    return stripes({{0, 0x000000, 20}, {1, 0xC81008, 30}, {2, 0x0AC81E, 10}, {3, 0x222222, 4}});
}

} // namespace cockpix::test

#pragma once

// Writing 8-bit palettised Windows bitmaps: the pictures COCKPIX ships (the default gauge
// and background bitmaps) and the synthetic gauge modules of the demo installation.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace cockpix {

// An 8-bit image: rows top to bottom, one palette index per pixel; palette entries are
// 0x00RRGGBB.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::array<std::uint32_t, 256> palette{};
    std::vector<std::uint8_t> pixels;

    IndexedImage() = default;
    IndexedImage(int w, int h, std::uint8_t fill = 0)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    std::uint8_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The 40-byte BITMAPINFOHEADER (8 bits per pixel, biClrUsed as given: 0 or 256 both
// mean a full palette), the 256-entry palette and the bottom-up pixel rows padded to
// 4 bytes: what follows the 14-byte file header in a .bmp file.
std::string bmpInfoAndPixels(const IndexedImage& image, std::uint32_t colorsUsed = 0);

// A whole .bmp file: file header (with its real size) plus bmpInfoAndPixels.
std::string bmpFileBytes(const IndexedImage& image, std::uint32_t colorsUsed = 0);

} // namespace cockpix

#pragma once

// The uncompressed 8-bit palette bitmaps (.bmp) that FS98 takes as panel backgrounds, read
// in memory for the palette optimizer: the header, the colour table and the pixel counts.
// Every function checks what it reads against the bytes it is given, so a cut-off or
// foreign file gives a reason instead of a read past its end.

#include "palette/core/rgb.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

// The file header and the fields of the info header up to biClrImportant.
inline constexpr std::size_t kIndexedBitmapHeaderBytes = 54;

struct IndexedBitmapHeader {
    int width = 0;
    int height = 0;       // rows, whatever their order in the file
    bool topDown = false; // a negative biHeight: the first row in the file is the top one
    int colorCount = 0;   // palette entries in use, 1..256 (biClrUsed, 0 meaning 256)
    std::size_t paletteOffset = 0;
    std::size_t pixelOffset = 0;
    std::size_t rowStride = 0; // bytes per row in the file, padded to 4
};

// The header, or the reason (one sentence for the user) why the optimizer cannot use the
// bitmap: not a bitmap, a cut-off header, another depth than 8 bits, compression, a width
// or height of 32768 or more, or more than 256 colours in use. Needs only the first
// kIndexedBitmapHeaderBytes bytes.
struct IndexedBitmapHeaderCheck {
    std::optional<IndexedBitmapHeader> header;
    std::string problem;
};
IndexedBitmapHeaderCheck checkIndexedBitmapHeader(std::string_view bytes);

// Empty when the colour table and every pixel row lie within bytes; otherwise the reason.
std::string checkIndexedBitmapBody(std::string_view bytes, const IndexedBitmapHeader& header);
// The same for a file of fileSize bytes, before its body is read.
std::string checkIndexedBitmapBody(std::size_t fileSize, const IndexedBitmapHeader& header);

// The colorCount entries of the colour table (stored blue, green, red, reserved). Needs
// bytes that hold the whole colour table (as a body checkIndexedBitmapBody accepted does).
std::vector<Rgb> bitmapPalette(std::string_view bytes, const IndexedBitmapHeader& header);

// How many pixels use each of the 256 possible indices; row padding is not counted.
using PixelCounts = std::array<std::uint64_t, 256>;
PixelCounts countPixels(std::string_view bytes, const IndexedBitmapHeader& header);

// The same count over the pixel rows handed in pieces of any size, in file order from
// header.pixelOffset on, so that a big bitmap is counted as it is read, through one small
// buffer. Row padding and whatever follows the last row's pixels are passed over.
class PixelCounter {
public:
    explicit PixelCounter(const IndexedBitmapHeader& header);
    void add(std::string_view piece);
    // Bytes still to come up to the last row's last pixel.
    std::size_t remaining() const { return m_end - m_at; }
    PixelCounts counts() const;

private:
    std::array<PixelCounts, 4> m_tables{};
    std::size_t m_width;
    std::size_t m_stride;
    std::size_t m_end;
    std::size_t m_at = 0; // from the first pixel row's start
};

// Row y counted from the top of the picture: width palette indices.
std::span<const std::uint8_t> pixelRow(std::string_view bytes, const IndexedBitmapHeader& header,
                                       int y);

} // namespace cockpix

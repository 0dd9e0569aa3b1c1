#pragma once

// The two byte-pattern searches that dig a gauge's picture and default size out of an FS98
// gauge module (.gau). COCKPIX never runs a module and does not parse its executable
// format: FS98 modules carry their bitmaps as resources after a UTF-16 "Tr" text, and their
// gauge header holds the default width 44 bytes after the value 610. All functions work on
// the whole module in memory and never read past its end.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cockpix {

// First offset of the bitmap marker search; the marker is tested there even when the
// module is shorter.
inline constexpr std::size_t kBitmapMarkerStart = 3949;
// First offset of the size record search.
inline constexpr std::size_t kSizeRecordStart = 1999;
// The default size stands this many bytes after the start of the size record.
inline constexpr std::size_t kSizeValueDistance = 44;
// The header search starts this many bytes after the marker.
inline constexpr std::size_t kHeaderDistance = 10;

// Offset of the first 54 00 72 00 ("Tr" in UTF-16LE) at m >= 3949: m = 3949 is always
// tested, later offsets while m <= L - 12 (L = module length).
std::optional<std::size_t> findBitmapMarker(std::string_view module);

// Offset of the first byte 0x28 (the size field of a BITMAPINFOHEADER, whatever it really
// belongs to) at h >= marker + 10: marker + 10 is always tested, later offsets while
// h <= L - 11.
std::optional<std::size_t> findBitmapHeader(std::string_view module, std::size_t marker);

// What the extraction takes from the header found at headerOffset. Bytes past the end of
// the module read as 0.
struct GaugeBitmapHeader {
    std::size_t headerOffset = 0;
    int width = 0;           // low 16 bits of biWidth
    int height = 0;          // low 16 bits of biHeight
    int colorsUsedLow = 0;   // low byte of biClrUsed
    int pixelDataOffset = 0; // 54 + 4 * colorsUsedLow, or 1078 when that byte is 0
    // Length of the bitmap file the extraction writes: pixelDataOffset
    // + (width + 3) * (height + 3) - 1, a generous bound on 8-bit padded rows.
    std::size_t fileLength = 0;
};
GaugeBitmapHeader readGaugeBitmapHeader(std::string_view module, std::size_t headerOffset);

// Marker then header search; nullopt when either fails.
std::optional<GaugeBitmapHeader> locateGaugeBitmap(std::string_view module);

// The bitmap file for the module, byte for byte: "BM", the file's length, the word 2 at
// offset 8, the pixel data offset at 10, 0x28 at 14, then the module's bytes from header
// offset + 1 on, up to fileLength in all. When the module ends sooner, only the bytes that
// exist are written (the result is then shorter than fileLength). nullopt when the marker
// or header is not found.
std::optional<std::string> extractedBitmapBytes(std::string_view module);

// How far into a module of moduleLength bytes the extraction reads, judged from its first
// bytes (start, at most moduleLength of them). Once start holds that many,
// extractedBitmapBytes(start) is what it is on the whole module; a count above start's size
// is the next amount to read (the marker or header not found in start yet, or the picture
// going on past it). A big module whose picture comes early is then never read to its end.
std::size_t bitmapBytesNeeded(std::string_view start, std::size_t moduleLength);

// The gauge's default size: the 16-bit little-endian value 44 bytes after the first
// 62 02 00 00 at g >= 1999 (g = 1999 always tested, later offsets while g <= L - 12).
// nullopt when there is no such record or its size bytes lie past the end of the module.
std::optional<int> findGaugeSize(std::string_view module);

} // namespace cockpix

#pragma once

// Measuring Windows bitmaps (.bmp) without decoding them: the panel window needs the pixel
// size of every background and gauge bitmap before it places them.

#include <optional>
#include <string>
#include <string_view>

namespace cockpix {

struct BmpSize {
    int width = 0;
    int height = 0; // always positive; a top-down bitmap reports its row count
    friend bool operator==(const BmpSize&, const BmpSize&) = default;
};

// The size in the header of a bitmap held in memory: "BM", then a core (12-byte) or info
// (40-byte and later) header with a sane bit count, width 1..32767 and height 1..32767
// (negative heights mean top-down rows). The file-size field is not checked: gauge bitmaps
// cut out by FS98-era tools, and by earlier COCKPIX versions, leave it zero. nullopt for anything
// else; never reads past the end of bytes.
std::optional<BmpSize> readBmpSize(std::string_view bytes);

// True when readBmpSize accepts the header and, for an uncompressed bitmap, the bytes hold
// every pixel row from the pixel data offset on. Picture loaders draw a cut-off bitmap
// half black without complaint; a gauge bitmap cut out of a truncated module is such a
// file, and COCKPIX replaces it by the default picture instead.
bool bmpPixelsComplete(std::string_view bytes);

// The bits per pixel of a bitmap that readBmpSize accepts (1, 4, 8, 16, 24 or 32): FS98 adds
// its [8 bit colors] to the palette of 8-bit backgrounds only. nullopt for anything else.
std::optional<int> readBmpBitCount(std::string_view bytes);

// The same for a file, reading only its first bytes; nullopt when it cannot be read.
std::optional<BmpSize> readBmpFileSize(const std::string& path);

} // namespace cockpix

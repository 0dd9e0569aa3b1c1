#pragma once

// What the palette optimizer's proposal changes on screen: a background as the bitmap
// draws it, as FS98 shows it with its reference colours alone (each pixel takes the nearest
// reference colour by the optimizer's distance) and with the proposed colours added, and
// the share of pixels that FS98 shows farther than the tolerance from their own colour.

#include "base/core/usertext.h"
#include "palette/core/rgb.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

// Rows top to bottom, three bytes (red, green, blue) per pixel, no padding.
struct PreviewPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

struct PalettePreview {
    PreviewPicture now;
    PreviewPicture referenceOnly;
    PreviewPicture withProposal;
    double offShareBefore = 0; // 0..1, with the reference colours alone
    double offShareAfter = 0;  // 0..1, with the proposed colours added
};

struct PalettePreviewResult {
    std::optional<PalettePreview> preview;
    UserText problem; // why the bitmap cannot be shown; empty with a preview
};

// The index of the colour of colors nearest to colour (the first of equally near ones).
std::size_t nearestColor(Rgb colour, std::span<const Rgb> colors);

// The preview of the 8-bit bitmap held in bytes (path only names it in the problem). Each
// picture is shrunk, keeping its proportions, to at most maxSide pixels across and down;
// the shares count every pixel. A pixel whose index lies beyond the colour table is black.
PalettePreviewResult makePalettePreview(std::string_view bytes, const std::string& path,
                                        std::span<const Rgb> reference,
                                        std::span<const Rgb> proposed, double tolerance,
                                        int maxSide);

// The three pictures in a row, gap pixels of white between them.
PreviewPicture sideBySide(const PalettePreview& preview, int gap);

// "Pixels farther than the tolerance (5) from what FS98 shows: 12.3 % with its reference
// colours alone, 0.4 % with the proposed colours added."
std::string offShareText(const PalettePreview& preview, double tolerance);

} // namespace cockpix

#pragma once

// The palette optimizer's choice of colours to add to FS98's palette, on numbers alone.
// The bitmap's palette indices are taken from the most used down; a candidate is refused
// when it is black, when a reference colour of FS98 lies closer than the tolerance, or when
// a palette entry of lower index does. At most 32 colours are proposed.

#include "palette/core/rgb.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace cockpix {

// FS98 takes at most 32 added colours (color00 .. color31).
inline constexpr int kMaxProposedColors = 32;

struct ProposedColor {
    int paletteIndex = 0;
    Rgb color;
    friend bool operator==(const ProposedColor&, const ProposedColor&) = default;
};

// counts[i] is the number of pixels of palette index i (n = counts.size() indices, and
// palette holds at least n entries). Every used index is examined once, from the most used
// down; indices with the same count in index order, so no colour takes two of the 32 slots
// while another used one is passed over.
// A distance below tolerance refuses: 0 or less refuses nothing but black.
std::vector<ProposedColor> proposeColors(std::span<const std::uint64_t> counts,
                                         std::span<const Rgb> palette,
                                         std::span<const Rgb> reference, double tolerance);

// "color03= 200, 16, 8": colour k (0..31) of the [8 bit colors] section.
std::string proposedColorLine(int k, Rgb color);

// The result file: "[8 bit colors]", an empty line, then one line per proposed colour;
// CR LF line ends.
std::string resultFileText(std::span<const ProposedColor> proposal);
// The same as lines, without their line ends.
std::vector<std::string> resultFileLines(std::span<const ProposedColor> proposal);

// "Bitmap has been scanned.", a line feed and " 5 colors are advised and will be
// automatically added if you save the panel template."
std::string scannedMessage(int addedCount);

} // namespace cockpix

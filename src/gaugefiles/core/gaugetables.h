#pragma once

// The gauges a C-gauge module of FS2000 and later declares, and the first picture of each,
// read from the module's own tables as data (never run). A panel line names one gauge of a
// module as `module!gauge`; FS finds it through the module's exported "Linkage" table:
//
//   Linkage (the exported data):
//     +0   u32  module id            +4   u32  address of the start-up function
//     +8   u32  address of the end function                   +12  u32  flags
//     +16  u32  version of FS the module was built for
//     +20  u32  address of a gauge header, ... then 0 (at most kMaxModuleGauges)
//   gauge header:
//     +0   u32  header version       +4   u32  address of the gauge's name (NUL-terminated)
//     +8   u32  address of the gauge's element list (0: none); the rest is not read
//   element list: u32 addresses of elements, then 0
//   element:
//     +0   u32  kind (0 = static picture; needles, sliders, strings, icons... otherwise)
//     +4   u32  bitmap resource number of its picture (for the kinds that have one)
//     +8   i32  x, +12 i32 y on the gauge
//     +16  u32  address of the element list drawn over it (0: none)
//
// Addresses are those of the module loaded at its image base, so each is the image base
// plus an RVA. The gauge's picture is its first static picture in drawing order (the list
// in order, each element before the ones drawn over it): the bitmap FS paints first, the
// gauge's face. Every address is checked, each element is visited once (a list that leads
// back to an element already seen ends there) and the walk has a budget.

#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

inline constexpr std::size_t kMaxModuleGauges = 256;
inline constexpr std::size_t kMaxGaugeElements = 1024;

// Names of the gauges the module's table declares, in its order (the names as the module
// spells them). Empty when the module is not a 32-bit library or has no readable table.
std::vector<std::string> moduleGaugeNames(std::string_view module);

struct CGaugePicture {
    std::string bitmapBytes; // a whole .bmp file; empty when none was found
    std::string reason;      // why there is no picture; empty when there is one
    // Set when the picture is not tied to the gauge by the tables: they cannot be followed,
    // and the module holds only one bitmap, which is shown (a tooltip says so).
    std::string guessNote;
};

// The first static picture of the gauge named gaugeName (case ignored) in the module.
// Reasons: "the module is not a 32-bit Windows library (...)", "no gauge named X in
// module" (with what was wrong in the table when part of it could not be read), "gauge X
// has no static picture", "bitmap N of gauge X is not in the module", "... is damaged"
// (cut off) or "... is too large or of an unknown kind" (a side over 32767 pixels).
CGaugePicture cGaugePicture(std::string_view module, std::string_view gaugeName);

} // namespace cockpix

#pragma once

// Synthetic FS98-style gauge modules: filler bytes, the size record and the picture laid
// out the way COCKPIX's extraction finds them.

#include "gaugefiles/core/bmpwriter.h"

#include <cstdint>
#include <optional>
#include <string>

namespace cockpix::demo {

struct ModuleLayout {
    std::optional<int> defaultSize;   // no size record when empty
    bool pictureBeforeSearch = false; // marker and picture before offset 3949: not extractable
    std::uint32_t colorsUsed = 0;     // biClrUsed of the picture: 0 or 256
    std::uint32_t seed = 1;           // varies the filler bytes
};

std::string gaugeModuleBytes(const IndexedImage& picture, const ModuleLayout& layout);

} // namespace cockpix::demo

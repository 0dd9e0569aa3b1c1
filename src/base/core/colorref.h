#pragma once

// Colours as FS98-era Windows code kept them: a COLORREF, 0x00BBGGRR, red in the lowest byte.

#include <cstdint>

namespace cockpix {

using ColorRef = std::uint32_t;

} // namespace cockpix

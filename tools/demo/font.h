#pragma once

// A 5 x 7 dot font for the labels and numbers of the demo pictures: digits, capital
// letters and a few signs. Unknown characters draw as blanks.

#include <array>
#include <cstdint>

namespace cockpix::demo {

// Seven rows, each the five dots of a row in its low bits (bit 4 = leftmost).
std::array<std::uint8_t, 7> glyph(char c);

} // namespace cockpix::demo

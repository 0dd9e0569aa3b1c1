#pragma once

// Numbers as panel.cfg, the work files and the text boxes spell them. Independent of the
// C and C++ locale: "." is always the decimal point.

#include <optional>
#include <string>
#include <string_view>

namespace cockpix {

// The leading number of a text, as FS98-era BASIC reads it: blanks, tabs and line ends
// anywhere are ignored; optional sign, digits with at most one ".", optional exponent
// (E or D, optional sign, digits); "&H" / "&O" introduce a hexadecimal or octal whole
// number. Reading stops at the first other character; no leading number gives 0.
// Values beyond the range of a double saturate to the largest finite value.
double numericValue(std::string_view text);

// The value of a text that is a number and nothing else (blanks around it allowed), as
// a conversion that fails on "12abc" or on an empty text. Used where FS98 files only take
// a real number (the ident of a window).
std::optional<double> strictNumericValue(std::string_view text);

// The number alone: at most 15 significant digits, no trailing zeros, no point for whole
// values, no "0" before the point (.5, -.25); very large or small values in E notation.
std::string plainNumberText(double value);

// The same with one leading blank for zero and positive values (" 640", "-3").
std::string paddedNumberText(double value);

// Halves go to the even neighbour: 12.5 gives 12, 13.5 gives 14.
double roundHalfEven(double value);
// Cuts toward zero: 3.9 gives 3, -3.9 gives -3.
double truncateTowardZero(double value);
// Whole part toward minus infinity: -3.5 gives -4.
double wholePartFloor(double value);

// A whole double as an int, saturated at the int range (NaN gives 0), so that numbers far
// out of range typed by a user never overflow a conversion.
int clampToInt(double value);

} // namespace cockpix

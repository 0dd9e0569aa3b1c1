#pragma once

// How far FS places what a panel positions and sizes. Its screen coordinates are 16-bit
// numbers, so a gauge or window beyond 32767 units is not where the panel says; a gauge of a
// fs2k panel more than a hundred times its window's extent away is nowhere FS draws it. And
// FS reads a number as plain digits: an exponent (1E+20, read as 1) or more digits than it
// keeps make a value other than the one meant. The dialogs and tables refuse such values
// with placeRangeMessage; the checkers report them in the files they read.

#include <optional>
#include <string>
#include <string_view>

namespace cockpix {

inline constexpr double kMaxPlaceUnits = 32767;
inline constexpr double kFs2kWindowReach = 100; // times the window's own extent
inline constexpr std::size_t kMaxFsDigits = 15;

enum class PlaceKind { Position, Size };

struct PlaceRange {
    double minimum = 0;
    double maximum = 0;
    bool holds(double value) const { return value >= minimum && value <= maximum; }
};

// Positions -32767..32767, sizes 0..32767; within a window whose extent along that axis is
// known (an fs2k panel's window, in its gauge units), also no farther than a hundred times
// that extent.
PlaceRange placeRange(PlaceKind kind, std::optional<double> extent = std::nullopt);

// "-32767 to 32767"
std::string rangeText(const PlaceRange& range);
// "X must be a number from -32767 to 32767."
std::string placeRangeMessage(std::string_view field, const PlaceRange& range);

// Whether FS reads the text (blanks around it allowed) as the number it spells: an
// optional sign and at most kMaxFsDigits digits with at most one point, nothing else.
bool isPlainFsNumber(std::string_view text);

// A number typed into an fs2k panel, written as typed: nullopt when isPlainFsNumber, else
// the message naming the field.
std::optional<std::string> numberFormProblem(std::string_view field, std::string_view text);

// Whether FS reads the number a field of an FS98 gauge line starts with otherwise than
// numericValue does: an exponent (1e3, read as 1), &H or &O, or more than kMaxFsDigits
// digits. Text after the number (a unit, a comment) is no matter.
bool readsOtherwiseInFs(std::string_view field);

// A typed field of an fs2k panel, written as typed: nullopt when FS reads it as a number
// within range, else the message (how to write it, or the range).
std::optional<std::string> placeTextProblem(std::string_view field, std::string_view text,
                                            const PlaceRange& range);

// A position or size as the FS98 writer puts it in panel.cfg: plain digits (at most ten
// after the point, so a value within range never needs an exponent).
std::string placeNumberText(double value);

} // namespace cockpix

#pragma once

// The four rows of the external view coordinates dialog: X, Y, horizontal and vertical
// size of FS98's outside view, each a text box with a scroll bar. A typed value outside
// its row's range empties the box; an accepted one moves the bar to its nearest whole
// number, and the bar's value places one edge of the frame.

#include "panel/core/fs98/panel.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace cockpix {

enum class ViewCoordinate { X, Y, SizeX, SizeY };

inline constexpr std::array kViewCoordinates = {ViewCoordinate::X, ViewCoordinate::Y,
                                                ViewCoordinate::SizeX, ViewCoordinate::SizeY};

struct CoordinateRow {
    const char* label; // "X position =" ...
    int minimum;       // of the typed value and the bar, both included
    int maximum;
    const char* initialText; // what the box holds before the dialog fills it
};

// FS98's view spans 0..8191 across and 0..6153 down (not 8192 and 6143); a size is at
// least 1.
const CoordinateRow& coordinateRow(ViewCoordinate row);

// The bar value for a box's text: its number rounded half to even, or nullopt when the
// number lies outside the row's range (the box is then emptied). Text that is not a
// number counts as 0.
std::optional<int> barValueForText(ViewCoordinate row, std::string_view text);

// The frame edge a bar value gives, in twips: the whole part of scale * value.
double frameEdgeTwips(double scale, int barValue);

// The default view the dialog's OK stores: the whole part of each box's number, as the
// template's default view boxes keep them. A box whose text the row refuses (a size
// emptied after an out-of-range value) gives its bar's value instead, the last valid one
// and the one the frame shows: OK never stores a value the dialog refuses.
fs98::DefaultView confirmedView(const std::array<std::string, 4>& boxTexts,
                                const std::array<int, 4>& barValues);

// The value of a view field for a row.
double viewCoordinate(const fs98::DefaultView& view, ViewCoordinate row);

} // namespace cockpix

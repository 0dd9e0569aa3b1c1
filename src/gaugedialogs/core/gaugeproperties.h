#pragma once

// The rules of the gauge properties dialog (Form3): the ranges of its scroll bars, where a
// typed value puts a bar, the pixel boxes, the blink period box and the texts. The dialog
// only shows what these say; a scroll bar that moves writes its whole number back into its
// box, so a typed fraction that moves the bar becomes that whole number, one that leaves the
// bar where it was stays as typed.

#include "base/core/usertext.h"
#include "panel/core/fs98/edits.h"
#include "panel/core/fs98/panel.h"
#include "panel/core/fs98/paneldisplay.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cockpix {

struct BarRange {
    int minimum = 0;
    int maximum = 0;
    int singleStep = 1;
    int pageStep = 10;
    int initial = 0; // where the bar stands before the dialog sets it
};

inline constexpr BarRange kPositionBar{-2000, 2000, 1, 10, 0}; // X and Y
inline constexpr BarRange kSizeBar{0, 1000, 1, 10, 0};         // S
inline constexpr BarRange kBlinkBar{1, 1000, 10, 50, 1};       // D, in milliseconds

// A typed X, Y or S that FS98 cannot place (placeRange): the message that names the box and
// its range; the box then shows the gauge's value again and nothing is stored. The value the
// gauge already has is never refused (a file may hold one; the checker reports it).
std::optional<std::string> typedPlaceProblem(fs98::GaugeField field, double value, double current);

// Typing X or Y: the bar goes to the value rounded half to even while the value lies
// strictly between -2000 and 2000; otherwise it stays (nullopt).
std::optional<int> positionBarForTyped(double value);

// Opening the dialog: each bar goes to its box's rounded value when that lies within the
// bar's range, bounds included.
std::optional<int> barForOpening(double value, const BarRange& range);

// Typing D: the whole number of milliseconds for the bar and the blink timer, or nullopt
// when it lies outside 1..1000 (v <= 0.5, v > 1000.5): the box is then emptied.
std::optional<int> blinkBarForTyped(double value);

// The display-only boxes, in background pixels, cut toward zero: trunc(windowScale * X)
// for "X (pixel) =", "Y (pixel) =" and "Width (pixel) ="; trunc(gaugeAspect *
// windowScale * S) for "Height (pixel) =".
double pixelsOf(double windowScale, double value);
double heightPixelsOf(double gaugeAspect, double windowScale, double size);

// "#3=cessna_182.airspeed"
UserText gaugePropertiesTitle(int g, const std::string& gaugeName);

// "Are you sure to remove gauge" + line feed + name + " ?", the name a text of a panel in the
// given encoding: the one question of both formats' windows.
UserText removeGaugeQuestion(std::string_view gaugeName,
                             TextEncoding encoding = TextEncoding::Windows1252);
// The one question before several gauges go: "Are you sure to remove these 3 gauges?" and
// their names, one a line, the first kListedGaugeNames of them and then how many more.
// The names are texts of a panel in the given encoding.
inline constexpr std::size_t kListedGaugeNames = 10;
UserText removeGaugesQuestion(std::span<const std::string> gaugeNames,
                              TextEncoding encoding = TextEncoding::Windows1252);

} // namespace cockpix

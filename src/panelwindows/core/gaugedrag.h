#pragma once

// Editing a gauge with the mouse and the keys on a panel window: the inverse of the layout
// rule turns the pixels a picture was dragged by into panel units, the width its corner
// handle was dragged to into a size, and the arrow keys move a gauge by whole units.

#include "drawing/core/fs98/layout.h"
#include "panel/core/fs2k/panel.h"
#include "panel/core/fs98/panel.h"
#include "panel/core/fs98/paneldisplay.h"

#include <initializer_list>
#include <optional>
#include <string>

namespace cockpix {

inline constexpr double kNudgeStep = 1;       // an arrow key, in panel units
inline constexpr double kLargeNudgeStep = 10; // Shift + an arrow key

// Panel window pixels per panel unit across (windowScale * zoom * ratio * frameRatioX) and
// down (the same with frameRatioY): the factors of the layout rule.
double pixelsPerUnitX(const fs98::Panel& panel, const fs98::PanelDisplay& display, int w);
double pixelsPerUnitY(const fs98::Panel& panel, const fs98::PanelDisplay& display, int w);

// Where dragging the picture of gauge g of window w by (dx, dy) pixels puts the gauge: X and
// Y moved by dx and dy over the layout factors, rounded half to even to whole panel units
// (an axis not moved keeps its value as it is). nullopt while the window has no scale.
std::optional<fs98::PointF> draggedGaugePlace(const fs98::Panel& panel,
                                              const fs98::PanelDisplay& display, int w, int g,
                                              double dx, double dy);

// Where moving gauge by (dx, dy) panel units puts it (a drag after snapping): X and Y
// rounded half to even to whole units; an axis not moved keeps its value as it is.
fs98::PointF movedGaugePlace(const fs98::Gauge& gauge, double dx, double dy);

// The size S that gives the picture of a gauge of window w the width of `width` pixels,
// rounded half to even, at least 1. nullopt while the window has no scale.
std::optional<double> sizeForPictureWidth(const fs98::Panel& panel,
                                          const fs98::PanelDisplay& display, int w, double width);

// How a panel window's status line spells a gauge and its values. FS98 windows: "Gauge #3 :
// X = 12, Y = .5" (the numbers as FS98 writes them); windows of FS2000 and later: "gauge #3 :
// x = 12, y = 0.5" (at most ten significant digits). Both have always read so.
enum class StatusSpelling { Fs98, Fs2k };
struct StatusValue {
    char name; // upper case; an FS2000 window writes it in lower case
    double value;
};
// "Gauge #3 : X = 12, Y = 40" or "gauge #3 : x = 12, y = 40".
std::string gaugeStatus(StatusSpelling spelling, long number,
                        std::initializer_list<StatusValue> values);
// A window of FS2000 and later names the line's kind as its key does: "htmlgauge #0 : x = 12,
// y = 40", "painting #1 : ...", "gauge #3 : ...".
std::string gaugeStatus(fs2k::GaugeLineKind kind, long number,
                        std::initializer_list<StatusValue> values);

// The main window's status line while a gauge of an FS98 window is dragged: the gauge's X,
// Y and S in panel units and, as the gauge properties show them, in background pixels.
// "Gauge #3 : X = 12, Y = 40, S = 96   (pixels: X = 19, Y = 64, S = 154)"
std::string gaugePlaceStatus(int g, double x, double y, double size, double windowScale);

} // namespace cockpix

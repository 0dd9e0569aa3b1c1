#pragma once

// Snapping for the drags of a panel window, between its painted view (pixels) and snapMove
// (panel units). The window tells where panel unit 0,0 lies in the view and how many pixels
// a unit takes, and gives the rectangles in units; the move comes back in units for the
// drop, in pixels for the view to show, and with the guides as lines in the view's pixels.
// The FS98 window and the fs2k one share it, so both snap alike.

#include "panelwindows/core/gaugearrangement.h"
#include "settings/core/desktopstate.h"

#include <QLineF>
#include <QPoint>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

namespace cockpix {

// A dragged edge snaps when it comes this close on the screen, whatever the window's scale.
inline constexpr double kSnapDistancePixels = 4;

struct UnitFrame {
    QPointF origin;      // the pixel of panel unit 0,0
    double perUnitX = 0; // pixels per panel unit across
    double perUnitY = 0; // and down
    bool usable() const;
};

struct SnapTargets {
    GaugeRect moving;                    // the dragged gauge, or the box around the selection
    std::vector<GaugeRect> others;       // the gauges not dragged
    std::optional<GaugeRect> background; // the window's picture
};

struct SnappedDrag {
    double dx = 0; // the move in panel units
    double dy = 0;
    QPoint shown;               // the move in pixels, for the view to show
    std::vector<QLineF> guides; // in the view's pixels
    bool snapped = false;       // moved off where the mouse has it
};

// The move for a drag of delta pixels: the mouse's move in units, snapped as options say
// unless free (Alt or Ctrl held). nullopt while the frame is not usable.
std::optional<SnappedDrag> snapDrag(QPoint delta, const SnapTargets& targets,
                                    const UnitFrame& frame, const SnapOptions& options, bool free);

// What the status line adds while a drag snaps: "   (snapped to the grid)" or to an edge;
// empty when it does not.
QString snapStatus(const SnappedDrag& drag);

// The grid's spacing in pixels; empty while the grid is off.
QSizeF gridSpacing(const UnitFrame& frame, const SnapOptions& options);

class PanelView;

// The gauges of a view of count gauges that a drag of `moved` leaves where they are.
std::vector<int> gaugesNotMoved(int count, const std::vector<int>& moved);

// The drag snapped (freely while Alt or Ctrl is held) and shown in view with its guides.
std::optional<SnappedDrag> showSnappedDrag(PanelView& view, QPoint delta,
                                           const SnapTargets& targets, const UnitFrame& frame,
                                           const SnapOptions& options);

// The grid's dots in view as options say (none while the grid is off).
void showSnapGrid(PanelView& view, const UnitFrame& frame, const SnapOptions& options);

} // namespace cockpix

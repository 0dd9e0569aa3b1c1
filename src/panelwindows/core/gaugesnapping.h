#pragma once

// Snapping while gauges are dragged on a panel window, in panel units: the top-left corner
// of the moved rectangle (one gauge, or the box around several) to a grid, and its edges
// and centre to the edges and centres of the other gauges and of the background, when they
// come within a tolerance (the panel window passes a few screen pixels over its scale).
// The guide lines say what it snapped to, for the window to draw. Cheap enough for every
// mouse move: a pass over the other rectangles, no allocation but the guides'.

#include "panelwindows/core/gaugearrangement.h"

#include <optional>
#include <span>
#include <vector>

namespace cockpix {

// The value on a grid of `step` units nearest to value (half to even); value itself for a
// step that is not a positive finite number.
double snapToGrid(double value, double step);

struct SnapGuide {
    enum class Line { Vertical, Horizontal };
    Line line = Line::Vertical;
    double at = 0;   // the x of a vertical guide, the y of a horizontal one
    double from = 0; // its extent along the line: from the top (left) of the rectangles
    double to = 0;   // it joins to their bottom (right)
    friend bool operator==(const SnapGuide&, const SnapGuide&) = default;
};

struct SnapRequest {
    GaugeRect moving;                  // where the dragged rectangle stood when the drag began
    double dx = 0;                     // how far the mouse has moved it
    double dy = 0;                     //
    std::span<const GaugeRect> others; // the gauges not dragged
    std::optional<GaugeRect> background;
    double tolerance = 0; // in panel units; 0 or less: no edge snapping
    double gridStep = 0;  // in panel units; 0 or less: no grid
};

struct Snap {
    double dx = 0; // the move to make, snapped
    double dy = 0;
    std::vector<SnapGuide> guides; // at most three a direction
};

// On each axis, the nearest match of the moved rectangle's edges and centre with those of
// another rectangle within the tolerance wins; without one, the grid snaps its corner.
// Every guide of a match the snapped move makes is returned, joined per line.
Snap snapMove(const SnapRequest& request);

} // namespace cockpix

#pragma once

// Align, distribute and same size for several gauges of one panel window, on their
// rectangles in panel units. The first gauge of the selection is the anchor the others
// take their edge, centre or size from; distributing keeps the outermost two where they are
// and spaces the rest with equal gaps. A computed place (a right or bottom edge, a centre,
// a gap) is rounded half to even to whole units, as the panel files hold them; a value
// taken from the anchor as it is (its left, its top, its width) stays exact.
//
// An FS98 gauge has a width only, its height follows its picture: the caller passes the
// heights as shown, and "Same height" is offered for the gauges of fs2k panels only.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace cockpix {

struct GaugeRect {
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;
    double right() const { return x + w; }
    double bottom() const { return y + h; }
    friend bool operator==(const GaugeRect&, const GaugeRect&) = default;
};

// The smallest rectangle around them all (what snapping moves when several gauges are
// dragged); an empty rectangle at 0,0 for none.
GaugeRect boundingRect(std::span<const GaugeRect> rects);

// The main window's status line for a selection of several gauges: how many and the box
// around them in panel units. "3 gauges selected: X = 10, Y = 20, W = 130, H = 45"
std::string selectionStatus(std::size_t count, const GaugeRect& box);

enum class Arrangement {
    AlignLeft,
    AlignRight,
    AlignTop,
    AlignBottom,
    AlignHorizontalCentres, // the centres' x become the anchor's: a column
    AlignVerticalCentres,   // the centres' y become the anchor's: a row
    DistributeHorizontally,
    DistributeVertically,
    SameWidth,
    SameHeight,
};

inline constexpr Arrangement kAllArrangements[] = {
    Arrangement::AlignLeft,
    Arrangement::AlignRight,
    Arrangement::AlignTop,
    Arrangement::AlignBottom,
    Arrangement::AlignHorizontalCentres,
    Arrangement::AlignVerticalCentres,
    Arrangement::DistributeHorizontally,
    Arrangement::DistributeVertically,
    Arrangement::SameWidth,
    Arrangement::SameHeight,
};

// The undo step's name: "Align left", "Distribute horizontally", "Same width", ...
std::string arrangementStepName(Arrangement arrangement);

// Whether the panel windows offer it: "Same height" only where a gauge has a height of its
// own (the panels of FS2000 and later).
bool offersArrangement(Arrangement arrangement, bool fs2kPanel);

// How many selected gauges it needs to do anything: 2 (an anchor and one more), 3 for
// distributing.
std::size_t arrangementMinimum(Arrangement arrangement);

struct ArrangedGauges {
    std::vector<GaugeRect> rects; // in the selection's order
    std::vector<bool> changed;    // rects[i] differs from the selection's
    std::string stepName;
    bool anyChanged() const;
};

// The selection's rectangles after the arrangement; selection[0] is the anchor. Fewer
// rectangles than arrangementMinimum, or a rectangle that is not finite, leave every
// rectangle as it was (nothing changed).
ArrangedGauges arrangeGauges(Arrangement arrangement, std::span<const GaugeRect> selection);

} // namespace cockpix

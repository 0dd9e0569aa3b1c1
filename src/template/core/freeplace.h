#pragma once

// Where the checker puts a gauge back inside its window: the place nearest to where the
// gauge stands that keeps it wholly inside and overlaps no other gauge (touching is not
// overlapping), so that a fix never hides one gauge under another.

#include "panelwindows/core/gaugearrangement.h"

#include <optional>
#include <span>

namespace cockpix {

// gauge: where it stands now and its size. area: the window's width and height, the
// gauge's x kept within 0..floor(width - gauge.w), y likewise. nullopt when the gauge is
// larger than the area or every place inside overlaps another gauge, and also when the
// window holds so many gauges that the search would take too long.
std::optional<GaugeRect> nearestFreePlace(const GaugeRect& gauge, double areaWidth,
                                          double areaHeight, std::span<const GaugeRect> others);

} // namespace cockpix

// Where the checker puts a gauge back inside its window.

#include "template/core/freeplace.h"

#include <gtest/gtest.h>

#include <vector>

namespace cockpix {
namespace {

TEST(FreePlace, NearestPlaceInsideOnNoOtherGauge) {
    struct Case {
        const char* what;
        GaugeRect gauge;
        std::vector<GaugeRect> others;
        std::optional<GaugeRect> place;
    };
    const GaugeRect bottomBand{0, 30, 100, 20};
    const std::vector<Case> cases = {
        {"free where it is held in", {120, 0, 10, 10}, {}, GaugeRect{90, 0, 10, 10}},
        {"above a band, touching it", {10, 60, 10, 10}, {bottomBand}, GaugeRect{10, 20, 10, 10}},
        {"beside a gauge", {120, 15, 20, 20}, {{60, 10, 40, 30}}, GaugeRect{40, 15, 20, 20}},
        {"in the one gap left",
         {-50, 40, 10, 10},
         {{0, 0, 50, 50}, {60, 0, 40, 50}},
         GaugeRect{50, 40, 10, 10}},
        {"no room", {120, 0, 10, 10}, {{0, 0, 100, 50}}, std::nullopt},
        {"larger than the window", {0, 0, 200, 10}, {}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nearestFreePlace(c.gauge, 100, 50, c.others), c.place) << c.what;
}

} // namespace
} // namespace cockpix

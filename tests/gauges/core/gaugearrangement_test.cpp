#include "gauges/core/gaugearrangement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace cockpix {
namespace {

using R = GaugeRect;

// The anchor (first) at 100,50 sized 40x20; the others around it.
const std::vector<R> kThree = {{100, 50, 40, 20}, {10, 200, 31, 11}, {300, 5, 40, 60}};

struct ArrangeCase {
    Arrangement arrangement;
    std::vector<R> selection;
    std::vector<R> expected;
    const char* name;
};

TEST(GaugeArrangement, EachArrangementToTheAnchor) {
    const std::vector<ArrangeCase> cases = {
        {Arrangement::AlignLeft,
         kThree,
         {kThree[0], {100, 200, 31, 11}, {100, 5, 40, 60}},
         "Align left"},
        // 140 - 31 = 109: right edges meet the anchor's.
        {Arrangement::AlignRight,
         kThree,
         {kThree[0], {109, 200, 31, 11}, {100, 5, 40, 60}},
         "Align right"},
        {Arrangement::AlignTop,
         kThree,
         {kThree[0], {10, 50, 31, 11}, {300, 50, 40, 60}},
         "Align top"},
        {Arrangement::AlignBottom,
         kThree,
         {kThree[0], {10, 59, 31, 11}, {300, 10, 40, 60}},
         "Align bottom"},
        // Centre 120: 120 - 15.5 = 104.5 goes to the even 104.
        {Arrangement::AlignHorizontalCentres,
         kThree,
         {kThree[0], {104, 200, 31, 11}, {100, 5, 40, 60}},
         "Align horizontal centres"},
        // Centre 60: 60 - 5.5 = 54.5 to 54; 60 - 30 = 30.
        {Arrangement::AlignVerticalCentres,
         kThree,
         {kThree[0], {10, 54, 31, 11}, {300, 30, 40, 60}},
         "Align vertical centres"},
        {Arrangement::SameWidth,
         kThree,
         {kThree[0], {10, 200, 40, 11}, {300, 5, 40, 60}},
         "Same width"},
        {Arrangement::SameHeight,
         kThree,
         {kThree[0], {10, 200, 31, 20}, {300, 5, 40, 20}},
         "Same height"},
        // Sorted by x: 0 (w 10), 50 (w 20), 30 (w 10), 100 (w 10); the room 0..110 holds 50
        // of gauges, gaps of 20: 30, 60. The selection's order stays in the result.
        {Arrangement::DistributeHorizontally,
         {{0, 0, 10, 5}, {50, 7, 20, 5}, {30, 9, 10, 5}, {100, 3, 10, 5}},
         {{0, 0, 10, 5}, {60, 7, 20, 5}, {30, 9, 10, 5}, {100, 3, 10, 5}},
         "Distribute horizontally"},
        // Gaps of (100 - 30) / 2 = 35 between heights 10, 20, 0 ... the last stays.
        {Arrangement::DistributeVertically,
         {{0, 100, 5, 0}, {0, 0, 5, 10}, {0, 90, 5, 20}},
         {{0, 100, 5, 0}, {0, 0, 5, 10}, {0, 45, 5, 20}},
         "Distribute vertically"},
        // Two gauges cannot be distributed; one alone has nothing to align to.
        {Arrangement::DistributeHorizontally,
         {{0, 0, 10, 5}, {50, 0, 20, 5}},
         {{0, 0, 10, 5}, {50, 0, 20, 5}},
         "Distribute horizontally"},
        {Arrangement::AlignLeft, {{5, 5, 5, 5}}, {{5, 5, 5, 5}}, "Align left"},
        {Arrangement::AlignLeft, {}, {}, "Align left"},
        // A rectangle that is not finite moves nobody.
        {Arrangement::AlignLeft,
         {{1, 1, 1, 1}, {std::nan(""), 0, 1, 1}, {9, 9, 1, 1}},
         {{1, 1, 1, 1}, {std::nan(""), 0, 1, 1}, {9, 9, 1, 1}},
         "Align left"},
    };
    for (const ArrangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ArrangedGauges result = arrangeGauges(c.arrangement, c.selection);
        EXPECT_EQ(result.stepName, c.name);
        ASSERT_EQ(result.rects.size(), c.expected.size());
        ASSERT_EQ(result.changed.size(), c.expected.size());
        bool any = false;
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            const R& got = result.rects[i];
            const R& want = c.expected[i];
            if (std::isnan(want.x)) {
                EXPECT_TRUE(std::isnan(got.x));
                EXPECT_FALSE(result.changed[i]);
                continue;
            }
            EXPECT_EQ(got, want) << i;
            EXPECT_EQ(result.changed[i], !(want == c.selection[i])) << i;
            any = any || result.changed[i];
        }
        EXPECT_EQ(result.anyChanged(), any);
        EXPECT_FALSE(!result.changed.empty() && result.changed[0]) << "the anchor stays";
    }
}

TEST(GaugeArrangement, TheBoxAroundSeveral) {
    EXPECT_EQ(boundingRect(kThree), (R{10, 5, 330, 206}));
    EXPECT_EQ(boundingRect({}), R{});
}

TEST(GaugeArrangement, SameHeightIsForLaterPanelsOnly) {
    for (Arrangement a : kAllArrangements) {
        EXPECT_TRUE(offersArrangement(a, true));
        EXPECT_EQ(offersArrangement(a, false), a != Arrangement::SameHeight);
        EXPECT_FALSE(arrangementStepName(a).empty());
    }
}

} // namespace
} // namespace cockpix

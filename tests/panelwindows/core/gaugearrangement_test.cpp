// The designer's tools on rectangles: arrangement and snapping.

#include "panelwindows/core/gaugearrangement.h"
#include "panelwindows/core/gaugesnapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

namespace cockpix {
namespace {

using R = GaugeRect;

// Rectangles written "x y w h", separated by commas ("nan" for a number that is none).
std::vector<R> rects(const std::string& text) {
    std::vector<R> out;
    std::istringstream in(text);
    for (std::string one; std::getline(in, one, ',');) {
        std::istringstream fields(one);
        std::string x, y, w, h;
        fields >> x >> y >> w >> h;
        out.push_back({std::stod(x), std::stod(y), std::stod(w), std::stod(h)});
    }
    return out;
}

// The anchor (first) at 100,50 sized 40x20; the others around it.
const std::string kThreeText = "100 50 40 20, 10 200 31 11, 300 5 40 60";
const std::vector<R> kThree = rects(kThreeText);

TEST(GaugeArrangement, EachArrangementToTheAnchor) {
    const std::string& three = kThreeText;
    const struct {
        Arrangement arrangement;
        std::string selection, expected;
    } cases[] = {
        {Arrangement::AlignLeft, three, "100 50 40 20, 100 200 31 11, 100 5 40 60"},
        // 140 - 31 = 109: right edges meet the anchor's.
        {Arrangement::AlignRight, three, "100 50 40 20, 109 200 31 11, 100 5 40 60"},
        {Arrangement::AlignTop, three, "100 50 40 20, 10 50 31 11, 300 50 40 60"},
        {Arrangement::AlignBottom, three, "100 50 40 20, 10 59 31 11, 300 10 40 60"},
        // Centre 120: 120 - 15.5 = 104.5 goes to the even 104.
        {Arrangement::AlignHorizontalCentres, three, "100 50 40 20, 104 200 31 11, 100 5 40 60"},
        // Centre 60: 60 - 5.5 = 54.5 to 54; 60 - 30 = 30.
        {Arrangement::AlignVerticalCentres, three, "100 50 40 20, 10 54 31 11, 300 30 40 60"},
        {Arrangement::SameWidth, three, "100 50 40 20, 10 200 40 11, 300 5 40 60"},
        {Arrangement::SameHeight, three, "100 50 40 20, 10 200 31 20, 300 5 40 20"},
        // Sorted by x: 0 (w 10), 50 (w 20), 30 (w 10), 100 (w 10); the room 0..110 holds 50
        // of gauges, gaps of 20: 30, 60. The selection's order stays in the result.
        {Arrangement::DistributeHorizontally, "0 0 10 5, 50 7 20 5, 30 9 10 5, 100 3 10 5",
         "0 0 10 5, 60 7 20 5, 30 9 10 5, 100 3 10 5"},
        // Gaps of (100 - 30) / 2 = 35 between heights 10, 20, 0 ... the last stays.
        {Arrangement::DistributeVertically, "0 100 5 0, 0 0 5 10, 0 90 5 20",
         "0 100 5 0, 0 0 5 10, 0 45 5 20"},
        // Two gauges cannot be distributed; one alone has nothing to align to.
        {Arrangement::DistributeHorizontally, "0 0 10 5, 50 0 20 5", "0 0 10 5, 50 0 20 5"},
        {Arrangement::AlignLeft, "5 5 5 5", "5 5 5 5"},
        {Arrangement::AlignLeft, "", ""},
        // A rectangle that is not finite moves nobody.
        {Arrangement::AlignLeft, "1 1 1 1, nan 0 1 1, 9 9 1 1", "1 1 1 1, nan 0 1 1, 9 9 1 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selection + " -> " + c.expected);
        const std::vector<R> selection = rects(c.selection), expected = rects(c.expected);
        const ArrangedGauges result = arrangeGauges(c.arrangement, selection);
        ASSERT_EQ(result.rects.size(), expected.size());
        ASSERT_EQ(result.changed.size(), expected.size());
        bool any = false;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            if (std::isnan(expected[i].x)) {
                EXPECT_TRUE(std::isnan(result.rects[i].x));
                EXPECT_FALSE(result.changed[i]);
                continue;
            }
            EXPECT_EQ(result.rects[i], expected[i]) << i;
            EXPECT_EQ(result.changed[i], !(expected[i] == selection[i])) << i;
            any = any || result.changed[i];
        }
        EXPECT_EQ(result.anyChanged(), any);
        EXPECT_FALSE(!result.changed.empty() && result.changed[0]) << "the anchor stays";
    }
}

TEST(GaugeArrangement, TheBoxAroundSeveral) {
    EXPECT_EQ(boundingRect(kThree), (R{10, 5, 330, 206}));
    EXPECT_EQ(boundingRect({}), R{});
    // The status line rounds an FS98 height in units to a tenth, half to even.
    EXPECT_EQ(selectionStatus(3, R{10, -5, 330, 45.25}),
              "3 gauges selected: X = 10, Y = -5, W = 330, H = 45.2");
}

TEST(GaugeArrangement, SameHeightIsForFs2kPanelsOnly) {
    for (Arrangement a : kAllArrangements) {
        EXPECT_TRUE(offersArrangement(a, true));
        EXPECT_EQ(offersArrangement(a, false), a != Arrangement::SameHeight);
        EXPECT_FALSE(arrangementStepName(a).empty());
    }
}

using Line = SnapGuide::Line;

TEST(GaugeSnapping, GridKeepsOddStepsAndRefusesNonsense) {
    EXPECT_EQ(snapToGrid(13, 8), 16);
    EXPECT_EQ(snapToGrid(11.9, 8), 8);
    EXPECT_EQ(snapToGrid(12, 8), 16); // half to even: 1.5 steps go to 2
    EXPECT_EQ(snapToGrid(-13, 8), -16);
    EXPECT_EQ(snapToGrid(13, 0), 13);
    EXPECT_EQ(snapToGrid(13, -5), 13);
    EXPECT_EQ(snapToGrid(13, std::nan("")), 13);
}

// Guides written "V at from to" or "H at from to", separated by commas.
std::vector<SnapGuide> guides(const std::string& text) {
    std::vector<SnapGuide> out;
    std::istringstream in(text);
    for (std::string one; std::getline(in, one, ',');) {
        std::istringstream fields(one);
        char line = 0;
        SnapGuide guide;
        fields >> line >> guide.at >> guide.from >> guide.to;
        guide.line = line == 'V' ? Line::Vertical : Line::Horizontal;
        out.push_back(guide);
    }
    return out;
}

TEST(GaugeSnapping, EdgesCentresGridAndGuides) {
    // A 20x10 gauge at 0,0 is dragged; another gauge 100..140 x 50..70, the background
    // 0..400 x 0..300.
    const struct {
        double dx, dy, tolerance, grid, wantDx, wantDy;
        std::string guides;
    } cases[] = {
        {77.3, 12.2, 0, 0, 77.3, 12.2, ""}, // no snapping at all
        {77.3, 12.2, 0, 10, 80, 10, ""},    // the grid alone snaps the corner
        // Left 98 is 2 from 100: snapped to it, and the right edge then meets the other's
        // centre too; y free (no target within 3 of 33, 38, 43).
        {98, 33, 3, 0, 100, 33, "V 100 33 70, V 120 33 70"},
        // Left 119 to the centre 120, so the right edge meets 140; the grid snaps y only.
        {119, 33, 3, 10, 120, 30, "V 120 30 70, V 140 30 70"},
        // Centre y 59 (top 54) to the other's centre 60: dy = 55.
        {300, 54, 2, 0, 300, 55, "H 60 100 320"},
        // Left 1 to the background's left 0 and top -1 to its top 0.
        {1, -1, 2, 0, 0, 0, "V 0 0 300, H 0 0 400"},
        // The bottom 49.2 to the other's top 50 on one axis, the left 99.5 to 100 on the
        // other: the nearest target of each wins, 0.5 and 0.8 away.
        {99.5, 39.2, 3, 0, 100, 40, "V 100 40 70, V 120 40 70, H 50 100 140"},
        // A move that is not finite is left alone.
        {std::nan(""), 0, 3, 10, std::nan(""), 0, ""},
    };
    const std::vector<GaugeRect> others = {{100, 50, 40, 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.guides);
        SnapRequest request;
        request.moving = {0, 0, 20, 10};
        request.dx = c.dx;
        request.dy = c.dy;
        request.others = others;
        request.background = {0, 0, 400, 300};
        request.tolerance = c.tolerance;
        request.gridStep = c.grid;
        const Snap snap = snapMove(request);
        if (std::isnan(c.wantDx))
            EXPECT_TRUE(std::isnan(snap.dx));
        else
            EXPECT_DOUBLE_EQ(snap.dx, c.wantDx);
        EXPECT_DOUBLE_EQ(snap.dy, c.wantDy);
        EXPECT_EQ(snap.guides, guides(c.guides));
    }
}

TEST(GaugeSnapping, OneGuideALineJoiningEveryGaugeOnIt) {
    // Two gauges with left edges at 100, one above and one below the dragged one.
    const std::vector<GaugeRect> others = {{100, 0, 6, 10}, {100, 200, 30, 10}, {500, 500, 1, 1}};
    SnapRequest request;
    request.moving = {0, 0, 20, 20};
    request.dx = 101;
    request.dy = 100;
    request.others = others;
    request.tolerance = 2;
    const Snap snap = snapMove(request);
    EXPECT_EQ(snap.dx, 100);
    EXPECT_EQ(snap.guides, (std::vector<SnapGuide>{{Line::Vertical, 100, 0, 210}}));
}

} // namespace
} // namespace cockpix

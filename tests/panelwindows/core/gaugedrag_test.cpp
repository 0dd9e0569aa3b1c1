#include "panelwindows/core/gaugedrag.h"

#include <gtest/gtest.h>

#include <cmath>

namespace cockpix {
namespace {

// Window 0: a 640-pixel background for 400 panel units (scale 1.6), zoom 2, ratio 0.5, on a
// 1024 x 768 screen; gauge 2 at (12.5, 40), size 96.
struct Dragged : ::testing::Test {
    fs98::Panel panel;
    fs98::PanelDisplay display;
    void SetUp() override {
        panel.windowCount = 1;
        panel.window(0).windowSizeMm = 400;
        panel.window(0).windowSizeRatio = 0.5;
        panel.window(0).gaugeCount = 3;
        panel.gauge(0, 2) = {"cessna_182.clock", 12.5, 40, 96, 0};
        fs98::storeScreen(display, 1024, 768);
        display.window(0).windowZoom = 2;
        fs98::storeBackgroundLayout(panel, display, 0, {640, 480});
        display.gauge(0, 2).gaugeAspect = 0.5;
    }
};

TEST_F(Dragged, TheInverseOfTheLayoutRuleInWholeUnits) {
    const double fx = pixelsPerUnitX(panel, display, 0);
    const double fy = pixelsPerUnitY(panel, display, 0);
    const fs98::RectF before = fs98::gaugeRect(panel, display, 0, 2);
    for (const auto& [dx, dy] : {std::pair{37, -11}, {-160, 3}, {1, 1}, {500, 400}}) {
        const auto place = draggedGaugePlace(panel, display, 0, 2, dx, dy);
        ASSERT_TRUE(place);
        // Within half a unit of where the pixels went, and whole.
        EXPECT_LE(std::abs(place->x - (12.5 + dx / fx)), 0.5) << dx;
        EXPECT_LE(std::abs(place->y - (40 + dy / fy)), 0.5) << dy;
        EXPECT_EQ(place->x, std::round(place->x));
        // Put there, the picture lands within half a unit's pixels of the dragged place.
        fs98::Panel moved = panel;
        moved.gauge(0, 2).gaugeX = place->x;
        moved.gauge(0, 2).gaugeY = place->y;
        const fs98::RectF after = fs98::gaugeRect(moved, display, 0, 2);
        EXPECT_LE(std::abs(after.left - (before.left + dx)), fx / 2 + 1e-9);
        EXPECT_LE(std::abs(after.top - (before.top + dy)), fy / 2 + 1e-9);
    }
    // A drag straight down keeps the fraction of X as it was.
    EXPECT_EQ(draggedGaugePlace(panel, display, 0, 2, 0, 30)->x, 12.5);
}

TEST_F(Dragged, NothingWithoutAScale) {
    display.window(0).windowScale = 0;
    EXPECT_EQ(draggedGaugePlace(panel, display, 0, 2, 10, 10), std::nullopt);
    EXPECT_EQ(sizeForPictureWidth(panel, display, 0, 50), std::nullopt);
    display.window(0).windowScale = 1.6;
    display.window(0).windowZoom = std::nan("");
    EXPECT_EQ(draggedGaugePlace(panel, display, 0, 2, 10, 10), std::nullopt);
}

TEST_F(Dragged, TheHandleGivesAWholeSizeOfAtLeastOne) {
    const double fx = pixelsPerUnitX(panel, display, 0);
    EXPECT_EQ(sizeForPictureWidth(panel, display, 0, 96 * fx), 96);
    EXPECT_EQ(sizeForPictureWidth(panel, display, 0, 50.4 * fx), 50);
    EXPECT_EQ(sizeForPictureWidth(panel, display, 0, 0.2), 1);
    EXPECT_EQ(sizeForPictureWidth(panel, display, 0, INFINITY), std::nullopt);
}

TEST(GaugeDragStatus, UnitsAndPixels) {
    EXPECT_EQ(gaugePlaceStatus(3, 12, -40.5, 96, 1.6),
              "Gauge #3 : X = 12, Y = -40.5, S = 96   (pixels: X = 19, Y = -64, S = 153)");
}

// The two formats spell the same values each their own way, as their windows always have.
TEST(GaugeDragStatus, EachFormatsSpelling) {
    struct Case {
        StatusSpelling spelling;
        double x;
        const char* expected;
    };
    for (const Case& c :
         {Case{StatusSpelling::Fs98, 0.5, "Gauge #3 : X = .5, Y = 1000000000000"},
          Case{StatusSpelling::Fs2k, 0.5, "gauge #3 : x = 0.5, y = 1e+12"},
          Case{StatusSpelling::Fs2k, 1.0 / 3, "gauge #3 : x = 0.3333333333, y = 1e+12"}})
        EXPECT_EQ(gaugeStatus(c.spelling, 3, {{'X', c.x}, {'Y', 1e12}}), c.expected);
}

} // namespace
} // namespace cockpix

#include "drawing/core/fs98/layout.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

// A panel of one window and the display data a panel window derives for it.
struct Shown {
    fs98::Panel panel;
    fs98::PanelDisplay display;

    fs98::WindowDisplay& window() { return display.window(0); }
    fs98::RectF background() const { return fs98::backgroundRect(panel, display, 0); }
    fs98::RectF gauge(int g) const { return fs98::gaugeRect(panel, display, 0, g); }
};

Shown windowOf(double sizeMm, double position) {
    Shown shown;
    shown.panel.windowCount = 1;
    fs98::PanelWindow& window = shown.panel.window(0);
    window.windowTitle = "Main panel";
    window.windowSizeMm = sizeMm;
    window.windowSizeRatio = 1;
    window.windowPosition = position;
    return shown;
}

// An 800 x 600 screen keeps 796 x 557 pixels; a 640 x 480 background at position 4 is
// centred in it, at position 9 (invalid) put at the top left.
TEST(PanelLayout, BackgroundOnAn800x600Screen) {
    Shown shown = windowOf(640, 4);
    fs98::storeScreen(shown.display, 800, 600);
    EXPECT_DOUBLE_EQ(shown.display.frameRatioX, 796.0 / 800);
    EXPECT_DOUBLE_EQ(shown.display.frameRatioY, 557.0 / 600);
    EXPECT_EQ(fs98::frameRatioX(0), 0);
    fs98::storeBackgroundLayout(shown.panel, shown.display, 0, {640, 480});
    EXPECT_EQ(shown.window().windowPixelWidth, 640);
    EXPECT_EQ(shown.window().windowPixelHeight, 480);
    EXPECT_DOUBLE_EQ(shown.window().windowScale, 1);
    const fs98::RectF rect = shown.background();
    EXPECT_NEAR(rect.left, 79.6, 1e-9);
    EXPECT_NEAR(rect.top, 55.7, 1e-9);
    EXPECT_NEAR(rect.width, 636.8, 1e-9);
    EXPECT_NEAR(rect.height, 445.6, 1e-9);
    shown.panel.window(0).windowPosition = 9;
    fs98::storeBackgroundLayout(shown.panel, shown.display, 0, {640, 480});
    EXPECT_EQ(shown.background().left + shown.background().top, 0);
}

// Codes 0..8 row by row from the top left; anything else is the top left corner.
TEST(PanelLayout, EveryPositionCodeAndTheInvalidOnes) {
    const double codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1, 4.5, 100};
    const fs98::PointF expected[] = {{0, 0},   {5, 0},  {10, 0}, {0, 10},  {5, 10},
                                     {10, 10}, {0, 20}, {5, 20}, {10, 20}, {0, 0},
                                     {0, 0},   {0, 0},  {0, 0}};
    for (int k = 0; k < 13; ++k) {
        const fs98::PointF offset = fs98::positionOffset(codes[k], 10, 20);
        EXPECT_EQ(offset.x * 100 + offset.y, expected[k].x * 100 + expected[k].y) << codes[k];
    }
}

TEST(PanelLayout, ZoomRatioAndShiftMoveTheBackground) {
    Shown shown = windowOf(640, 8);
    shown.window().windowZoom = 0.5;
    shown.panel.window(0).windowSizeRatio = 2;
    shown.window().windowShiftX = 3;
    shown.window().windowShiftY = -4;
    fs98::storeScreen(shown.display, 1024, 768);
    fs98::storeBackgroundLayout(shown.panel, shown.display, 0, {400, 100});
    const fs98::RectF rect = shown.background();
    EXPECT_DOUBLE_EQ(rect.left, (1024 - 400) * (1020.0 / 1024) + 3);
    EXPECT_DOUBLE_EQ(rect.top, (768 - 100) * (725.0 / 768) - 4);
    EXPECT_DOUBLE_EQ(rect.width, 400 * (1020.0 / 1024));
}

TEST(PanelLayout, GaugeRectangleFollowsScaleAndAspect) {
    Shown shown = windowOf(640, 0);
    fs98::storeScreen(shown.display, 800, 600);
    fs98::storeBackgroundLayout(shown.panel, shown.display, 0, {640, 480});
    fs98::Gauge& gauge = shown.panel.gauge(0, 0);
    gauge.gaugeX = 100;
    gauge.gaugeY = 60;
    gauge.gaugeSize = 80;
    fs98::storeGaugeBitmapSize(shown.display.gauge(0, 0), {100, 50});
    EXPECT_DOUBLE_EQ(shown.display.gauge(0, 0).gaugeAspect, 0.5);
    const fs98::RectF rect = shown.gauge(0);
    EXPECT_DOUBLE_EQ(rect.left, 99.5);
    EXPECT_DOUBLE_EQ(rect.top, 60 * (557.0 / 600));
    EXPECT_DOUBLE_EQ(rect.width, 80 * 0.995);
    EXPECT_DOUBLE_EQ(rect.height, 40 * (557.0 / 600));
}

TEST(PanelLayout, GaugesScaleWithAHalfSizeWindow) {
    Shown shown = windowOf(1280, 4); // 640 pixels for 1280 units
    fs98::storeScreen(shown.display, 800, 600);
    fs98::storeBackgroundLayout(shown.panel, shown.display, 0, {640, 480});
    shown.panel.gauge(0, 1).gaugeX = 200;
    shown.panel.gauge(0, 1).gaugeSize = 100;
    fs98::storeGaugeBitmapSize(shown.display.gauge(0, 1), {64, 64});
    const fs98::RectF rect = shown.gauge(1);
    EXPECT_NEAR(rect.left, 100 * 0.995 + 79.6, 1e-9);
    EXPECT_NEAR(rect.width, 49.75, 1e-9);
    EXPECT_NEAR(rect.height, 50 * (557.0 / 600), 1e-9);

    // A window without a size keeps the previous scale.
    shown.panel.window(0).windowSizeMm = 0;
    fs98::storeBackgroundLayout(shown.panel, shown.display, 0, {100, 100});
    EXPECT_DOUBLE_EQ(shown.window().windowScale, 0.5);
    EXPECT_EQ(shown.window().windowPixelWidth, 100);
}

TEST(PanelLayout, CaptionAndTooltipTexts) {
    Shown shown = windowOf(640, 7);
    shown.panel.window(2) = shown.panel.window(0);
    EXPECT_EQ(fs98::panelWindowCaption(shown.panel, shown.display, 2),
              "Window 2: Main panel - Zoom : 1 - Size: 640 - Position: 7 - size ratio: 1");
    shown.display.window(2).windowZoom = 0.5;
    shown.panel.window(2).windowSizeRatio = -1.25;
    EXPECT_EQ(fs98::panelWindowCaption(shown.panel, shown.display, 2),
              "Window 2: Main panel - Zoom : .5 - Size: 640 - Position: 7 - size ratio:-1.25");
    shown.panel.gauge(0, 3).gaugeName = "cessna_182.airspeed";
    EXPECT_EQ(fs98::gaugeTooltip(shown.panel, 0, 3), "gauge #3 : cessna_182.airspeed");
}

} // namespace
} // namespace cockpix

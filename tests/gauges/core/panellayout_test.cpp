#include "gauges/core/panellayout.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

PanelModel modelWithWindow(double sizeMm, double position) {
    PanelModel model;
    model.clearModel();
    model.windowCount = 1;
    PanelWindow& window = model.window(0);
    window.windowTitle = "Main panel";
    window.windowSizeMm = sizeMm;
    window.windowSizeRatio = 1;
    window.windowPosition = position;
    return model;
}

// An 800 x 600 screen keeps 796 x 557 pixels; a 640 x 480 background at position 4 is
// centred in it, at position 9 (invalid) put at the top left.
TEST(PanelLayout, BackgroundOnAn800x600Screen) {
    PanelModel model = modelWithWindow(640, 4);
    storeScreen(model, 800, 600);
    EXPECT_DOUBLE_EQ(model.frameRatioX, 796.0 / 800);
    EXPECT_DOUBLE_EQ(model.frameRatioY, 557.0 / 600);
    EXPECT_EQ(frameRatioX(0), 0);
    storeBackgroundLayout(model, 0, {640, 480});
    EXPECT_EQ(model.window(0).windowPixelWidth, 640);
    EXPECT_EQ(model.window(0).windowPixelHeight, 480);
    EXPECT_DOUBLE_EQ(model.window(0).windowScale, 1);
    const RectF rect = backgroundRect(model, 0);
    EXPECT_NEAR(rect.left, 79.6, 1e-9);
    EXPECT_NEAR(rect.top, 55.7, 1e-9);
    EXPECT_NEAR(rect.width, 636.8, 1e-9);
    EXPECT_NEAR(rect.height, 445.6, 1e-9);
    model.window(0).windowPosition = 9;
    storeBackgroundLayout(model, 0, {640, 480});
    EXPECT_EQ(backgroundRect(model, 0).left + backgroundRect(model, 0).top, 0);
}

// Codes 0..8 row by row from the top left; anything else is the top left corner.
TEST(PanelLayout, EveryPositionCodeAndTheInvalidOnes) {
    const double codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1, 4.5, 100};
    const PointF expected[] = {{0, 0},  {5, 0},   {10, 0}, {0, 10}, {5, 10}, {10, 10}, {0, 20},
                               {5, 20}, {10, 20}, {0, 0},  {0, 0},  {0, 0},  {0, 0}};
    for (int k = 0; k < 13; ++k) {
        const PointF offset = positionOffset(codes[k], 10, 20);
        EXPECT_EQ(offset.x * 100 + offset.y, expected[k].x * 100 + expected[k].y) << codes[k];
    }
}

TEST(PanelLayout, ZoomRatioAndShiftMoveTheBackground) {
    PanelModel model = modelWithWindow(640, 8);
    model.window(0).windowZoom = 0.5;
    model.window(0).windowSizeRatio = 2;
    model.window(0).windowShiftX = 3;
    model.window(0).windowShiftY = -4;
    storeScreen(model, 1024, 768);
    storeBackgroundLayout(model, 0, {400, 100});
    const RectF rect = backgroundRect(model, 0);
    EXPECT_DOUBLE_EQ(rect.left, (1024 - 400) * (1020.0 / 1024) + 3);
    EXPECT_DOUBLE_EQ(rect.top, (768 - 100) * (725.0 / 768) - 4);
    EXPECT_DOUBLE_EQ(rect.width, 400 * (1020.0 / 1024));
}

TEST(PanelLayout, GaugeRectangleFollowsScaleAndAspect) {
    PanelModel model = modelWithWindow(640, 0);
    storeScreen(model, 800, 600);
    storeBackgroundLayout(model, 0, {640, 480});
    Gauge& gauge = model.gauge(0, 0);
    gauge.gaugeX = 100;
    gauge.gaugeY = 60;
    gauge.gaugeSize = 80;
    storeGaugeBitmapSize(model, 0, 0, {100, 50});
    EXPECT_DOUBLE_EQ(gauge.gaugeAspect, 0.5);
    const RectF rect = gaugeRect(model, 0, 0);
    EXPECT_DOUBLE_EQ(rect.left, 99.5);
    EXPECT_DOUBLE_EQ(rect.top, 60 * (557.0 / 600));
    EXPECT_DOUBLE_EQ(rect.width, 80 * 0.995);
    EXPECT_DOUBLE_EQ(rect.height, 40 * (557.0 / 600));
}

TEST(PanelLayout, GaugesScaleWithAHalfSizeWindow) {
    PanelModel model = modelWithWindow(1280, 4); // 640 pixels for 1280 units
    storeScreen(model, 800, 600);
    storeBackgroundLayout(model, 0, {640, 480});
    model.gauge(0, 1).gaugeX = 200;
    model.gauge(0, 1).gaugeSize = 100;
    storeGaugeBitmapSize(model, 0, 1, {64, 64});
    const RectF rect = gaugeRect(model, 0, 1);
    EXPECT_NEAR(rect.left, 100 * 0.995 + 79.6, 1e-9);
    EXPECT_NEAR(rect.width, 49.75, 1e-9);
    EXPECT_NEAR(rect.height, 50 * (557.0 / 600), 1e-9);

    // A window without a size keeps the previous scale.
    model.window(0).windowSizeMm = 0;
    storeBackgroundLayout(model, 0, {100, 100});
    EXPECT_DOUBLE_EQ(model.window(0).windowScale, 0.5);
    EXPECT_EQ(model.window(0).windowPixelWidth, 100);
}

TEST(PanelLayout, CaptionAndTooltipTexts) {
    PanelModel model = modelWithWindow(640, 7);
    model.window(2) = model.window(0);
    EXPECT_EQ(panelWindowCaption(model, 2),
              "Window 2: Main panel - Zoom : 1 - Size: 640 - Position: 7 - size ratio: 1");
    model.window(2).windowZoom = 0.5;
    model.window(2).windowSizeRatio = -1.25;
    EXPECT_EQ(panelWindowCaption(model, 2),
              "Window 2: Main panel - Zoom : .5 - Size: 640 - Position: 7 - size ratio:-1.25");
    model.gauge(0, 3).gaugeName = "cessna_182.airspeed";
    EXPECT_EQ(gaugeTooltip(model, 0, 3), "gauge #3 : cessna_182.airspeed");
}

} // namespace
} // namespace cockpix

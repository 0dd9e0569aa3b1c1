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

TEST(PanelLayout, FrameRatiosKeepTheBorderAndCaptionMargins) {
    PanelModel model;
    storeScreen(model, 800, 600);
    EXPECT_EQ(model.screenWidthPx, 800);
    EXPECT_EQ(model.screenHeightPx, 600);
    EXPECT_DOUBLE_EQ(model.frameRatioX, 796.0 / 800);
    EXPECT_DOUBLE_EQ(model.frameRatioY, 557.0 / 600);
    EXPECT_EQ(frameRatioX(0), 0);
}

TEST(PanelLayout, CentredBackgroundOnAn800x600Screen) {
    PanelModel model = modelWithWindow(640, 4);
    storeScreen(model, 800, 600);
    storeBackgroundLayout(model, 0, {640, 480});
    EXPECT_EQ(model.window(0).windowPixelWidth, 640);
    EXPECT_EQ(model.window(0).windowPixelHeight, 480);
    EXPECT_DOUBLE_EQ(model.window(0).windowScale, 1);
    EXPECT_NEAR(model.window(0).windowOffsetX, 79.6, 1e-9);
    EXPECT_NEAR(model.window(0).windowOffsetY, 55.7, 1e-9);
    const RectF rect = backgroundRect(model, 0);
    EXPECT_NEAR(rect.left, 79.6, 1e-9);
    EXPECT_NEAR(rect.top, 55.7, 1e-9);
    EXPECT_NEAR(rect.width, 636.8, 1e-9);
    EXPECT_NEAR(rect.height, 445.6, 1e-9);
}

TEST(PanelLayout, EveryPositionCodeAndTheInvalidOnes) {
    const double dx = 10, dy = 20;
    const PointF expected[] = {{0, 0},   {5, 0},  {10, 0}, {0, 10}, {5, 10},
                               {10, 10}, {0, 20}, {5, 20}, {10, 20}};
    for (int code = 0; code < 9; ++code) {
        const PointF offset = positionOffset(code, dx, dy);
        EXPECT_EQ(offset.x, expected[code].x) << code;
        EXPECT_EQ(offset.y, expected[code].y) << code;
    }
    for (double code : {9.0, -1.0, 4.5, 100.0}) {
        const PointF offset = positionOffset(code, dx, dy);
        EXPECT_EQ(offset.x, 0) << code;
        EXPECT_EQ(offset.y, 0) << code;
    }
    PanelModel model = modelWithWindow(640, 9);
    storeScreen(model, 800, 600);
    storeBackgroundLayout(model, 0, {640, 480});
    EXPECT_EQ(backgroundRect(model, 0).left, 0);
    EXPECT_EQ(backgroundRect(model, 0).top, 0);
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
}

TEST(PanelLayout, WindowWithoutSizeKeepsItsPreviousScale) {
    PanelModel model = modelWithWindow(320, 0);
    storeScreen(model, 800, 600);
    storeBackgroundLayout(model, 0, {640, 480});
    EXPECT_DOUBLE_EQ(model.window(0).windowScale, 2);
    model.window(0).windowSizeMm = 0;
    storeBackgroundLayout(model, 0, {100, 100});
    EXPECT_DOUBLE_EQ(model.window(0).windowScale, 2);
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

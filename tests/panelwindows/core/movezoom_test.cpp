#include "panelwindows/core/movezoom.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

// The slider spans a fifth to five times; the text it writes is the plain number text.
TEST(MoveZoom, SliderAndZoomText) {
    struct Case {
        int slider;
        const char* text;
    };
    const Case cases[] = {{20, "3"},   {-20, ".333333333333333"},
                          {0, "1"},    {10, "2"},
                          {-10, ".5"}, {40, "5"},
                          {-40, ".2"}, {6, "1.6"},
                          {-15, ".4"}};
    for (const Case& c : cases)
        EXPECT_EQ(zoomTextForSlider(c.slider), c.text) << c.slider;
    // Typed zooms back to slider positions: 2 gives 10, 0.4 gives -15, 1.6 gives 6.
    EXPECT_DOUBLE_EQ(*sliderForZoom(2), 10);
    EXPECT_DOUBLE_EQ(*sliderForZoom(0.4), -15);
    EXPECT_EQ(zoomSliderPosition(*sliderForZoom(1.6)), 6);
    EXPECT_EQ(zoomSliderPosition(*sliderForZoom(1.0 / 3)), -20);
    EXPECT_EQ(sliderForZoom(1), 0.0);
    EXPECT_EQ(sliderForZoom(0), std::nullopt); // the slider keeps its place
    // Zooms up to 50 are taken, but the slider only goes to 5 times.
    EXPECT_EQ(zoomSliderPosition(*sliderForZoom(50)), std::nullopt);
    EXPECT_EQ(zoomSliderPosition(40.6), 40);
    EXPECT_EQ(zoomSliderPosition(-41), std::nullopt);
    for (const double z : {0.0, 0.4, 50.0})
        EXPECT_TRUE(zoomAccepted(z)) << z;
    for (const double z : {-0.1, 50.01, 60.0})
        EXPECT_FALSE(zoomAccepted(z)) << z;
}

// A 1024-pixel screen: 1024 / 4815 preview scale, a slider of +-6969, and 7000 refused; the
// slider's own end stays acceptable.
TEST(MoveZoom, ShiftRangeOfA1024PixelScreen) {
    const PreviewScale scale = previewScale(1024, 768);
    EXPECT_DOUBLE_EQ(scale.x, 15360.0 / 72225);
    EXPECT_DOUBLE_EQ(scale.y, 11520.0 / 54225);
    EXPECT_EQ(shiftSliderBound(scale.x), 6969);
    EXPECT_EQ(shiftSliderForTyped(7000, scale.x), std::nullopt);
    EXPECT_EQ(shiftSliderForTyped(-7000, scale.x), std::nullopt);
    EXPECT_EQ(shiftSliderForTyped(6969, scale.x), 6969);
    EXPECT_EQ(shiftSliderForTyped(-12.5, scale.x), -12);
    EXPECT_EQ(shiftSliderForTyped(0, scale.x), 0);
}

// Past 4815 pixels the accepted range outgrows the sliders, which hold 16-bit positions.
TEST(MoveZoom, ShiftOfAWideScreenIsHeldToTheSlider) {
    const PreviewScale scale = previewScale(7680, 4320);
    EXPECT_EQ(shiftSliderBound(scale.x), kShiftSliderLimit);
    EXPECT_EQ(shiftSliderForTyped(40000, scale.x), kShiftSliderLimit);
    EXPECT_EQ(shiftSliderForTyped(-40000, scale.x), -kShiftSliderLimit);
    EXPECT_EQ(shiftSliderForTyped(60000, scale.x), std::nullopt); // beyond 32767 x 1.595
}

// "AUTO ADJUST": a 640-pixel picture on a 1024-pixel screen is shown at 1.6.
TEST(MoveZoom, AutoAdjust) {
    EXPECT_DOUBLE_EQ(*autoAdjustZoom(1024, 640), 1.6);
    EXPECT_EQ(autoAdjustZoom(1024, 0), std::nullopt);
}

// The preview of window 0 (640 x 480 at position 4, ratio 1) on a 1024 x 768 screen.
TEST(MoveZoom, PreviewPlacesThePictureLikeThePanelWindow) {
    fs98::Panel panel;
    panel.window(0).windowSizeMm = 640;
    panel.window(0).windowSizeRatio = 1;
    panel.window(0).windowPosition = 4;
    fs98::PanelDisplay display;
    fs98::storeScreen(display, 1024, 768);
    fs98::storeBackgroundLayout(panel, display, 0, {640, 480});
    // At zoom 1 the offset is the panel window's own.
    const fs98::PointF one = placementOffsetForZoom(panel, display, 0, 1);
    EXPECT_DOUBLE_EQ(one.x, display.window(0).windowOffsetX);
    EXPECT_DOUBLE_EQ(one.y, display.window(0).windowOffsetY);
    // At zoom 0.5 the free space grows: dx = (1024 - 320) * 1020 / 1024.
    const fs98::PointF half = placementOffsetForZoom(panel, display, 0, 0.5);
    EXPECT_DOUBLE_EQ(half.x, (1024 - 320) * (1020.0 / 1024) / 2);
    EXPECT_DOUBLE_EQ(half.y, (768 - 240) * (725.0 / 768) / 2);

    const PreviewScale scale = previewScale(1024, 768);
    const fs98::RectF rect = previewPictureRect(panel, display, 0, 0.5, half, {100, -20}, scale);
    EXPECT_DOUBLE_EQ(rect.left, (half.x + 100) / scale.x);
    EXPECT_DOUBLE_EQ(rect.top, (half.y - 20) / scale.y);
    EXPECT_DOUBLE_EQ(rect.width, 4815 * 640 * 1 * 0.5 * (1020.0 / 1024) / 1024);
    EXPECT_DOUBLE_EQ(rect.height, 3615 * 480 * 1 * 0.5 * (725.0 / 768) / 768);
    // Without a screen nothing divides by zero.
    const fs98::RectF none =
        previewPictureRect(panel, fs98::PanelDisplay{}, 0, 1, {}, {}, PreviewScale{});
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.left, 0);
}

} // namespace
} // namespace cockpix

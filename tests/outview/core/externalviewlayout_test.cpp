#include "outview/core/externalviewlayout.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

ExternalViewInput on800x600(double ratio, double position) {
    ExternalViewInput input;
    input.screenWidthPx = 800;
    input.screenHeightPx = 600;
    input.bitmap = BmpSize{640, 480};
    input.sizeRatio = ratio;
    input.position = position;
    input.view = {0, 0, 8191, 6153};
    return input;
}

TEST(ExternalViewLayout, TheScaleFactorOfTheScreensFS98Knew) {
    const std::pair<double, double> cases[] = {
        {12000, 1.465}, {15360, 1.875}, {19200, 2.344}, {24000, 2.93},
        {9600, 1.172},  {17280, 1.172}, {12001, 1.172}, {0, 1.172},
    };
    for (const auto& [twips, factor] : cases)
        EXPECT_EQ(outsideViewScaleFactor(twips), factor) << twips;
}

// A 640 x 480 bitmap at ratio .5 in the middle of an 800 x 600 screen.
TEST(ExternalViewLayout, ThePictureSitsWhereFS98PutsIt) {
    const ExternalViewLayout layout = layoutExternalView(on800x600(.5, 4));
    EXPECT_DOUBLE_EQ(layout.frameRatioY, 580.0 / 600);
    EXPECT_DOUBLE_EQ(layout.zoom, 1.25);
    EXPECT_DOUBLE_EQ(layout.picture.width, 6000);
    EXPECT_DOUBLE_EQ(layout.picture.height, 4350);
    EXPECT_DOUBLE_EQ(layout.picture.left, 3000);
    EXPECT_DOUBLE_EQ(layout.picture.top, 2175);
    EXPECT_EQ(layout.scale, 1.465);
}

TEST(ExternalViewLayout, AtRatioOneThePictureFillsTheWidthWhateverThePosition) {
    for (int position = 0; position <= 9; ++position) {
        const ExternalViewLayout layout = layoutExternalView(on800x600(1, position));
        EXPECT_DOUBLE_EQ(layout.picture.width, 12000);
        EXPECT_DOUBLE_EQ(layout.picture.left, 0) << position;
    }
    // Position 9 (the template takes up to 11) is the top-left corner.
    const ExternalViewLayout corner = layoutExternalView(on800x600(.5, 9));
    EXPECT_EQ(corner.picture.left + corner.picture.top, 0);
}

TEST(ExternalViewLayout, ZeroRatiosAndSizesAreReplaced) {
    ExternalViewInput input = on800x600(0, 0);
    input.view = {0, 0, 8191, 0};
    const ExternalViewLayout layout = layoutExternalView(input);
    EXPECT_EQ(layout.sizeRatio, 1);
    EXPECT_EQ(layout.view, (DefaultView{0, 0, 8191, 2000}));
    EXPECT_EQ(layout.frame.width, static_cast<float>(1.465 * 8191));
    EXPECT_EQ(layout.frame.height, static_cast<float>(1.465 * 2000 * 580 / 600));
    EXPECT_EQ(layout.frame.left, 0);

    input.view = {100, 50, 0, 300};
    const ExternalViewLayout other = layoutExternalView(input);
    EXPECT_EQ(other.view.sizeX, 2000);
    EXPECT_EQ(other.frame.left, static_cast<float>(146.5));
    EXPECT_EQ(other.frame.top, static_cast<float>(1.465 * 50 * 580 / 600));
}

TEST(ExternalViewLayout, WithoutAPictureOnlyTheFrameIsPlaced) {
    ExternalViewInput input = on800x600(.5, 8);
    input.bitmap.reset();
    const ExternalViewLayout layout = layoutExternalView(input);
    EXPECT_EQ(layout.picture.width, 0);
    EXPECT_DOUBLE_EQ(layout.picture.left, 12000); // the whole screen is free space
    EXPECT_EQ(layout.frame.width, static_cast<float>(1.465 * 8191));
}

TEST(ExternalViewLayout, TitleNamesTheWindowAndTheMenuBarOption) {
    EXPECT_EQ(externalViewTitle(2, "main", 7, 1),
              "Window 2: main - Position: 7 - size ratio: 1 - Shown with 'Hide menu-bar' on.");
    EXPECT_EQ(externalViewTitle(0, "x", 4, .5),
              "Window 0: x - Position: 4 - size ratio: .5 - Shown with 'Hide menu-bar' on.");
}

} // namespace
} // namespace cockpix

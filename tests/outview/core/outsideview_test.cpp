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

TEST(ExternalViewLayout, WithoutAPictureOnlyTheFrameIsPlaced) {
    ExternalViewInput input = on800x600(.5, 8);
    input.bitmap.reset();
    const ExternalViewLayout layout = layoutExternalView(input);
    EXPECT_EQ(layout.picture.width, 0);
    EXPECT_DOUBLE_EQ(layout.picture.left, 12000); // the whole screen is free space
    EXPECT_EQ(layout.frame.width, static_cast<float>(1.465 * 8191));
}

} // namespace
} // namespace cockpix

#include "outview/core/externalviewlayout.h"
#include "outview/core/viewcoordinates.h"

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

using Row = ViewCoordinate;

// The dialog's own tests type the bounds; these are the values between and beyond.
TEST(ViewCoordinates, TypedValuesWithinTheRowMoveTheBar) {
    const struct {
        Row row;
        const char* text;
        std::optional<int> bar; // nullopt: the box is emptied
    } cases[] = {
        {Row::X, "8191", 8191},       {Row::X, "abc", 0},
        {Row::X, "-1", std::nullopt}, {Row::Y, "12.5", 12},
        {Row::Y, "13.5", 14},         {Row::SizeX, "", std::nullopt},
        {Row::SizeX, "1", 1},         {Row::SizeY, "6153.4", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(barValueForText(c.row, c.text), c.bar)
            << coordinateRow(c.row).label << " '" << c.text << "'";
}

TEST(ViewCoordinates, FrameEdgesAndTheConfirmedView) {
    EXPECT_EQ(frameEdgeTwips(1.465, 100), 146);
    EXPECT_EQ(frameEdgeTwips(1.875, 8191), 15358);
    // An emptied size gives its bar's value, never the 0 the row refuses.
    EXPECT_EQ(confirmedView({"10", "10.4", "", "6153"}, {10, 10, 900, 6153}),
              (fs98::DefaultView{10, 10, 900, 6153}));
}

} // namespace
} // namespace cockpix

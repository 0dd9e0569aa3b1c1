#include "outview/core/viewcoordinates.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

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
              (DefaultView{10, 10, 900, 6153}));
}

} // namespace
} // namespace cockpix

#include "gauges/core/latergaugetext.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace cockpix {
namespace {

TEST(LaterGaugeText, BoxesTakeTheFirstFourFieldsAndJoinTheRest) {
    const std::vector<std::string_view> all = {" 10", "20 ", "96", "", "ON", "", "2"};
    EXPECT_EQ(laterGaugeBoxes(all), (LaterGaugeBoxes{"10", "20", "96", "", "ON, , 2"}));
    const std::vector<std::string_view> two = {"5", "6"};
    EXPECT_EQ(laterGaugeBoxes(two), (LaterGaugeBoxes{"5", "6", "", "", ""}));
    EXPECT_EQ(laterGaugeBoxes({}), LaterGaugeBoxes{});
}

TEST(LaterGaugeText, TheValueLeavesOutEmptyBoxesAtTheEndOnly) {
    EXPECT_EQ(laterGaugeValue("Cessna!Clock", {"500", "20", "", "", ""}), "Cessna!Clock, 500, 20");
    EXPECT_EQ(laterGaugeValue("A!b", {" 1 ", "2", "30", "", ""}), "A!b, 1, 2, 30");
    // An empty width before a height, and fields after an empty height, stay in place.
    EXPECT_EQ(laterGaugeValue("A!b", {"1", "2", "", "40", ""}), "A!b, 1, 2, , 40");
    EXPECT_EQ(laterGaugeValue("A!b", {"1", "2", "3", "", "ON, 2"}), "A!b, 1, 2, 3, , ON, 2");
    // The boxes of a line give that line back.
    const std::vector<std::string_view> fields = {"100", "50", "96", "96", "ON", "2"};
    EXPECT_EQ(laterGaugeValue("Cessna!Airspeed", laterGaugeBoxes(fields)),
              "Cessna!Airspeed, 100, 50, 96, 96, ON, 2");
}

TEST(LaterGaugeText, OnlyNumbersGoIntoThePlaceAndSize) {
    EXPECT_EQ(laterGaugeBoxesProblem({"10", "-2.5", "", "", "anything"}), std::nullopt);
    EXPECT_EQ(laterGaugeBoxesProblem({"+10", "20", "3", "4", ""}), std::nullopt);
    EXPECT_EQ(laterGaugeBoxesProblem({"", "2", "", "", ""}), "x must be a number.");
    EXPECT_EQ(laterGaugeBoxesProblem({"1", "2x", "", "", ""}), "y must be a number.");
    EXPECT_EQ(laterGaugeBoxesProblem({"1", "2", "wide", "", ""}),
              "The width must be a number, or empty.");
    EXPECT_EQ(laterGaugeBoxesProblem({"1", "2", "3", "1e999", ""}),
              "The height must be a number, or empty.");
}

// Written as typed, so as FS reads it, and where FS can place it: within 16 bits, and
// within a hundred times the window (pixel_size=, or size_mm= of a window without bitmap).
TEST(LaterGaugeText, PlacesAreWrittenAsFsReadsThemAndWithinReach) {
    EXPECT_EQ(laterGaugeBoxesProblem({"1", "2e1", "", "", ""}),
              "y must be written as FS reads it: digits (at most 15) with at most one point, "
              "and no exponent.");
    EXPECT_EQ(laterGaugeBoxesProblem({"1", "2", "99999999999999", "", ""}),
              "The width must be a number from 0 to 32767.");
    const PanelLines lines("[Window00]\r\nsize_mm=200,100\r\npixel_size=20,10\r\n"
                           "[Window01]\r\nfile=a.bmp\r\nsize_mm=200,100\r\n"
                           "[Window02]\r\nsize_mm=200\r\n");
    const LaterPanel panel = readLaterPanel(lines);
    const LaterGaugeUnits pixels = laterGaugeUnits(panel.windows.at(0));
    EXPECT_EQ(pixels.width, 20);
    EXPECT_EQ(laterGaugeUnits(panel.windows.at(1)).width, std::nullopt);
    const LaterGaugeUnits mm = laterGaugeUnits(panel.windows.at(2));
    EXPECT_EQ(mm.width, 200);
    EXPECT_EQ(mm.height, std::nullopt);
    EXPECT_EQ(laterGaugeBoxesProblem({"1", "1001", "", "", ""}, pixels),
              "y must be a number from -1000 to 1000.");
    EXPECT_EQ(laterGaugeBoxesProblem({"1", "20000", "20001", "", ""}, mm),
              "The width must be a number from 0 to 20000.");
}

} // namespace
} // namespace cockpix

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
    EXPECT_EQ(laterGaugeBoxesProblem({"+10", "2e1", "3", "4", ""}), std::nullopt);
    EXPECT_EQ(laterGaugeBoxesProblem({"", "2", "", "", ""}), "x must be a number.");
    EXPECT_EQ(laterGaugeBoxesProblem({"1", "2x", "", "", ""}), "y must be a number.");
    EXPECT_EQ(laterGaugeBoxesProblem({"1", "2", "wide", "", ""}),
              "The width must be a number, or empty.");
    EXPECT_EQ(laterGaugeBoxesProblem({"1", "2", "3", "1e999", ""}),
              "The height must be a number, or empty.");
}

} // namespace
} // namespace cockpix

#include "gaugedialogs/core/fs2k/gaugetext.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace cockpix {
namespace {

TEST(Fs2kGaugeText, BoxesTakeTheFirstFourFieldsAndJoinTheRest) {
    const std::vector<std::string_view> all = {" 10", "20 ", "96", "", "ON", "", "2"};
    EXPECT_EQ(fs2k::gaugeBoxes(all), (fs2k::GaugeBoxes{"10", "20", "96", "", "ON, , 2"}));
    const std::vector<std::string_view> two = {"5", "6"};
    EXPECT_EQ(fs2k::gaugeBoxes(two), (fs2k::GaugeBoxes{"5", "6", "", "", ""}));
    EXPECT_EQ(fs2k::gaugeBoxes({}), fs2k::GaugeBoxes{});
}

TEST(Fs2kGaugeText, TheValueLeavesOutEmptyBoxesAtTheEndOnly) {
    EXPECT_EQ(fs2k::gaugeValue("Cessna!Clock", {"500", "20", "", "", ""}), "Cessna!Clock, 500, 20");
    EXPECT_EQ(fs2k::gaugeValue("A!b", {" 1 ", "2", "30", "", ""}), "A!b, 1, 2, 30");
    // An empty width before a height, and fields after an empty height, stay in place.
    EXPECT_EQ(fs2k::gaugeValue("A!b", {"1", "2", "", "40", ""}), "A!b, 1, 2, , 40");
    EXPECT_EQ(fs2k::gaugeValue("A!b", {"1", "2", "3", "", "ON, 2"}), "A!b, 1, 2, 3, , ON, 2");
    // The boxes of a line give that line back.
    const std::vector<std::string_view> fields = {"100", "50", "96", "96", "ON", "2"};
    EXPECT_EQ(fs2k::gaugeValue("Cessna!Airspeed", fs2k::gaugeBoxes(fields)),
              "Cessna!Airspeed, 100, 50, 96, 96, ON, 2");
}

TEST(Fs2kGaugeText, OnlyNumbersGoIntoThePlaceAndSize) {
    EXPECT_EQ(fs2k::gaugeBoxesProblem({"10", "-2.5", "", "", "anything"}), std::nullopt);
    EXPECT_EQ(fs2k::gaugeBoxesProblem({"+10", "20", "3", "4", ""}), std::nullopt);
    EXPECT_EQ(fs2k::gaugeBoxesProblem({"", "2", "", "", ""}), "x must be a number.");
    EXPECT_EQ(fs2k::gaugeBoxesProblem({"1", "2x", "", "", ""}), "y must be a number.");
    EXPECT_EQ(fs2k::gaugeBoxesProblem({"1", "2", "wide", "", ""}),
              "The width must be a number, or empty.");
    EXPECT_EQ(fs2k::gaugeBoxesProblem({"1", "2", "3", "1e999", ""}),
              "The height must be a number, or empty.");
}

// Written as typed, so as FS reads it, and where FS can place it: within 16 bits, and
// within a hundred times the window (pixel_size=, or size_mm= of a window without bitmap).
TEST(Fs2kGaugeText, PlacesAreWrittenAsFsReadsThemAndWithinReach) {
    EXPECT_EQ(fs2k::gaugeBoxesProblem({"1", "2e1", "", "", ""}),
              "y must be written as FS reads it: digits (at most 15) with at most one point, "
              "and no exponent.");
    EXPECT_EQ(fs2k::gaugeBoxesProblem({"1", "2", "99999999999999", "", ""}),
              "The width must be a number from 0 to 32767.");
    const fs2k::PanelLines lines("[Window00]\r\nsize_mm=200,100\r\npixel_size=20,10\r\n"
                                 "[Window01]\r\nfile=a.bmp\r\nsize_mm=200,100\r\n"
                                 "[Window02]\r\nsize_mm=200\r\n");
    const fs2k::Panel panel = fs2k::readPanel(lines);
    const fs2k::GaugeUnits pixels = fs2k::gaugeUnits(panel.windows.at(0));
    EXPECT_EQ(pixels.width, 20);
    EXPECT_EQ(fs2k::gaugeUnits(panel.windows.at(1)).width, std::nullopt);
    const fs2k::GaugeUnits mm = fs2k::gaugeUnits(panel.windows.at(2));
    EXPECT_EQ(mm.width, 200);
    EXPECT_EQ(mm.height, std::nullopt);
    EXPECT_EQ(fs2k::gaugeBoxesProblem({"1", "1001", "", "", ""}, pixels),
              "y must be a number from -1000 to 1000.");
    EXPECT_EQ(fs2k::gaugeBoxesProblem({"1", "20000", "20001", "", ""}, mm),
              "The width must be a number from 0 to 20000.");
}

// An MSFS instrument's name in two boxes, split at the first "?" (a second one stays in the
// query, as MSFS reads it); its units are size_mm, not the texture's pixels.
TEST(Fs2kGaugeText, AnInstrumentsPathAndQueryHaveBoxesOfTheirOwn) {
    const std::vector<std::pair<std::string, fs2k::InstrumentName>> cases = {
        {" A/PFD.html?Index=1 ", {"A/PFD.html", "Index=1"}},
        {"nd.html?Index=2?duID=4", {"nd.html", "Index=2?duID=4"}},
        {"Logic.html", {"Logic.html", ""}},
        {"Logic.html?", {"Logic.html", ""}},
    };
    for (const auto& [name, boxes] : cases) {
        EXPECT_EQ(fs2k::splitInstrumentName(name), boxes) << name;
        EXPECT_EQ(fs2k::splitInstrumentName(fs2k::joinInstrumentName(boxes)), boxes) << name;
    }
    EXPECT_EQ(fs2k::instrumentNameProblem({"A.html", "a=1&b=2"}), std::nullopt);
    for (const fs2k::InstrumentName bad : {fs2k::InstrumentName{" ", "x=1"},
                                           {"A,B.html", ""},
                                           {"A.html", "x=1;y"},
                                           {"A.html", "u=//x"},
                                           {std::string("A\0.html", 7), ""}})
        EXPECT_NE(fs2k::instrumentNameProblem(bad), std::nullopt) << bad.path << bad.query;
    const fs2k::Panel panel = fs2k::readPanel(
        fs2k::PanelLines("[VCockpit01]\r\nsize_mm=1024,512\r\npixel_size=512,256\r\n"));
    EXPECT_EQ(fs2k::gaugeUnits(panel.windows.at(0)).width, 1024);
}

} // namespace
} // namespace cockpix

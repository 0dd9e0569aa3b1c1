#include "panel/core/fs2k/edits.h"

#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace cockpix {
namespace {

// An fs2k panel of our own: gauge lines with odd blanks, an empty field, a trailing tab,
// more fields after the size and a comment at the end.
const std::string kPanel = "[Window Titles]\r\nWindow00=Main\r\n\r\n"
                           "[Window00]\r\nfile=main.bmp\r\nsize_mm=640,480\r\n"
                           "gauge00=Cessna!Clock,  10 , 20\r\n"
                           "gauge01=Cessna!Airspeed,\t100,,96\t\r\n"
                           "gauge02=Cessna!Altimeter, 200, 50, 96, 96, ON, 2\r\n"
                           "gauge03=Cessna!Fuel, 300, 60 // the left tank\r\n\r\n"
                           "[Window01]\r\nsize_mm=200\r\n"
                           "Gauge00=Radio!Comm, 0, 0\r\nGauge01=Radio!Nav, 0, 40";

// text with each {old line, new line} replaced: what an edit of exactly those lines gives.
std::string replaced(std::string text,
                     const std::vector<std::pair<std::string, std::string>>& edits) {
    for (const auto& [from, to] : edits)
        text.replace(text.find(from), from.size(), to);
    return text;
}

std::size_t lineOf(const fs2k::PanelLines& lines, std::string_view start) {
    for (std::size_t line = 0; line < lines.lineCount(); ++line) {
        if (lines.text(line).substr(0, start.size()) == start)
            return line;
    }
    ADD_FAILURE() << "no line " << start;
    return 0;
}

TEST(Fs2kNumberText, WholeNumbersPlainAndOthersShortestWithoutExponent) {
    EXPECT_EQ(fs2k::valueText(123), "123");
    EXPECT_EQ(fs2k::valueText(-0.0), "0");
    EXPECT_EQ(fs2k::valueText(-2.25), "-2.25");
    EXPECT_EQ(fs2k::valueText(1e20), "100000000000000000000");
    EXPECT_EQ(fs2k::valueText(1.5e-7), "0.00000015");
    EXPECT_EQ(fs2k::valueText(std::nan("")), "0");
    for (const double value :
         {1.0 / 3, 123456.789012345678, 1e-300, std::numeric_limits<double>::max()}) {
        const std::string text = fs2k::valueText(value);
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, value) << text;
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
    }
}

// Each edit changes its own line only, keeps the blanks around the fields it sets, the
// fields after them, a comment and the line's end, with CR LF or LF line ends.
TEST(Fs2kGaugeEdits, MoveAndResizeChangeExactlyTheirLine) {
    for (const std::string& text : {kPanel, test::withLineEnds(kPanel, "\n")}) {
        fs2k::PanelLines lines(text);
        fs2k::moveGauge(lines, lineOf(lines, "gauge00"), 12.5, 21);
        fs2k::moveGauge(lines, lineOf(lines, "gauge01"), 101, 5);
        EXPECT_EQ(lines.bytes(), replaced(text, {{"10 , 20", "12.5 , 21"}, {"100,,", "101,5,"}}));

        lines = fs2k::PanelLines(text);
        fs2k::resizeGauge(lines, lineOf(lines, "gauge02"), 120, 80);
        fs2k::resizeGauge(lines, lineOf(lines, "gauge00"), 50, std::nullopt);
        fs2k::resizeGauge(lines, lineOf(lines, "gauge03"), 40, 30);
        EXPECT_EQ(lines.bytes(), replaced(text, {{"96, 96, ON", "120, 80, ON"},
                                                 {"10 , 20", "10 , 20, 50"},
                                                 {"60 // the", "60, 40, 30 // the"}}));
        EXPECT_EQ(fs2k::gaugeEditFields(lines, lineOf(lines, "gauge03")),
                  (std::vector<std::string_view>{"300", "60", "40", "30"}));

        // Several at once; a line that is no gauge line is left alone, and the file still
        // ends without a line end.
        lines = fs2k::PanelLines(text);
        const std::vector<fs2k::GaugeMove> moves = {
            {lineOf(lines, "gauge02"), 1, 2}, {lineOf(lines, "Gauge01"), 3, 4}, {1, 9, 9}};
        fs2k::moveGauges(lines, moves);
        EXPECT_EQ(lines.bytes(), replaced(text, {{"200, 50", "1, 2"}, {"0, 40", "3, 4"}}));

        lines = fs2k::PanelLines(text);
        EXPECT_TRUE(fs2k::setGaugeText(lines, lineOf(lines, "gauge01"), "Cessna!Clock, 1, 2"));
        EXPECT_FALSE(fs2k::setGaugeText(lines, lineOf(lines, "gauge02"), "a, 1\r\ngauge09=b"));
        EXPECT_EQ(lines.bytes(),
                  replaced(text, {{"Cessna!Airspeed,\t100,,96", "Cessna!Clock, 1, 2"}}));
    }
}

TEST(Fs2kGaugeEdits, AddedGaugesTakeTheNextNumberAfterTheLastGaugeLine) {
    fs2k::PanelLines lines(kPanel);
    EXPECT_EQ(fs2k::addGauge(lines, 0, {"A!b", 0, 0, {}, {}}), fs2k::PanelLines::npos); // titles
    EXPECT_EQ(fs2k::addGauge(lines, 1, {"A!b, 5", 0, 0, {}, {}}), fs2k::PanelLines::npos);
    EXPECT_EQ(fs2k::addGauge(lines, 1, {"  ", 0, 0, {}, {}}), fs2k::PanelLines::npos);
    EXPECT_EQ(lines.bytes(), kPanel);

    fs2k::addGauge(lines, 1, {" Cessna!Clock ", 4, 5.5, 30, {}});
    // The key's case of the section's gauges; the file's last line keeps ending as it did.
    fs2k::addGauge(lines, 2, {"Radio!Adf", 1, 2, 3, 4});
    EXPECT_EQ(lines.bytes(),
              replaced(kPanel, {{"tank\r\n", "tank\r\ngauge04=Cessna!Clock, 4, 5.5, 30\r\n"},
                                {"0, 40", "0, 40\r\nGauge02=Radio!Adf, 1, 2, 3, 4"}}));

    // A gap is filled from below; a section without gauges gets gauge00 after its keys.
    fs2k::PanelLines gaps("[Window02]\nfile=a.bmp\ngauge00=a!b,0,0\ngauge02=a!c,0,0\n"
                          "[VCockpit01]\nsize_mm=512\n\n[Window03]\n");
    fs2k::addGauge(gaps, 0, {"a!d", 1, 1, {}, 7});
    EXPECT_EQ(fs2k::addGauge(gaps, 1, {"vc!e", 0, 0, {}, {}}), 7u);
    fs2k::addGauge(gaps, 2, {"w!f", 0, 0, {}, {}});
    EXPECT_EQ(gaps.bytes(), "[Window02]\nfile=a.bmp\ngauge00=a!b,0,0\ngauge02=a!c,0,0\n"
                            "gauge01=a!d, 1, 1\n[VCockpit01]\nsize_mm=512\ngauge00=vc!e, 0, 0\n\n"
                            "[Window03]\ngauge00=w!f, 0, 0\n");

    fs2k::PanelLines many("[Window00]\n");
    for (long n = 0; n < 124; ++n)
        fs2k::addGauge(many, 0, {"m!g", 0, 0, {}, {}});
    EXPECT_EQ(many.text(8), "gauge07=m!g, 0, 0");
    EXPECT_EQ(many.text(124), "gauge123=m!g, 0, 0");
}

// Removing a gauge closes the gap: the lines numbered above it take the number below, and
// only their digits change.
TEST(Fs2kGaugeEdits, RemovingAGaugeRenumbersTheRestOfItsSection) {
    for (const std::string& text : {kPanel, test::withLineEnds(kPanel, "\n")}) {
        fs2k::PanelLines lines(text);
        EXPECT_FALSE(fs2k::removeGauge(lines, lineOf(lines, "size_mm")));
        EXPECT_TRUE(fs2k::removeGauge(lines, lineOf(lines, "gauge01")));
        EXPECT_TRUE(fs2k::removeGauge(lines, lineOf(lines, "Gauge01"))); // the file's last line
        const std::string end = text == kPanel ? "\r\n" : "\n";
        EXPECT_EQ(lines.bytes(), replaced(text, {{"gauge01=Cessna!Airspeed,\t100,,96\t" + end, ""},
                                                 {"gauge02=", "gauge01="},
                                                 {"gauge03=", "gauge02="},
                                                 {end + "Gauge01=Radio!Nav, 0, 40", ""}}));
    }

    fs2k::PanelLines odd("[Window00]\r\n gauge10 =a!b,1,1\r\ngauge11= a!c\r\nGAUGE100=a!d\r\n"
                         "gauge012=a!e\r\ngauge5=a!f\r\ngauge09=a!g\r\ngauge99999999999=a!h\r\n"
                         "[Window01]\r\ngauge11=x!y\r\n");
    EXPECT_TRUE(fs2k::removeGauge(odd, 6)); // gauge09
    EXPECT_EQ(odd.bytes(), "[Window00]\r\n gauge09 =a!b,1,1\r\ngauge10= a!c\r\nGAUGE99=a!d\r\n"
                           "gauge011=a!e\r\ngauge5=a!f\r\ngauge99999999999=a!h\r\n"
                           "[Window01]\r\ngauge11=x!y\r\n");
}

// The designer's tools: several gauges placed, pasted or cut in one edit, each line changed
// as the single-gauge edits change it.
TEST(Fs2kGaugeEdits, SeveralGaugesPlacedPastedAndCut) {
    fs2k::PanelLines lines(kPanel);
    const std::size_t clock = lineOf(lines, "gauge00");
    const std::size_t fuel = lineOf(lines, "gauge03");
    // A number already said keeps its text ("10 " stays, "60" stays); a size is written
    // only when given; a line that is no gauge line changes nothing.
    const std::vector<fs2k::GaugePlacement> places = {
        {clock, 10, 25, {}, {}}, {fuel, 301, 60.0, 40, {}}, {1, 5, 5, {}, {}}};
    EXPECT_TRUE(fs2k::changesGauge(lines, places[0]));
    EXPECT_FALSE(fs2k::changesGauge(lines, {clock, 10, 20, {}, {}}));
    EXPECT_FALSE(fs2k::changesGauge(lines, {lineOf(lines, "gauge02"), 200, 50, 96, 96.0}));
    EXPECT_FALSE(fs2k::changesGauge(lines, places[2]));
    fs2k::placeGauges(lines, places);
    EXPECT_EQ(lines.bytes(),
              replaced(kPanel, {{"10 , 20", "10 , 25"}, {"300, 60 // the", "301, 60, 40 // the"}}));

    // Pasted lines keep their text after "="; a shifted one has its x and y set.
    lines = fs2k::PanelLines(kPanel);
    const std::vector<fs2k::PastedGauge> pasted = {
        {"Cessna!Clock", " Cessna!Clock,10,20, 5 ,, ON // mine", false, 0, 0},
        {"Radio!Adf", "Radio!Adf, 1, 2", true, 11, 12},
        {"Bad", "Bad, 1\r\n", false, 0, 0}};
    std::vector<fs2k::PastedGauge> withBreak = pasted;
    withBreak[2].text = "Bad, 1\ngauge09=x";
    const std::vector<std::size_t> added = fs2k::addGaugeLines(lines, 2, withBreak);
    ASSERT_EQ(added.size(), 3u);
    EXPECT_EQ(added[2], fs2k::PanelLines::npos);
    EXPECT_EQ(lines.text(added[0]), "Gauge02= Cessna!Clock,10,20, 5 ,, ON // mine");
    EXPECT_EQ(lines.text(added[1]), "Gauge03=Radio!Adf, 11, 12");

    // Cut: the gauges numbered above each removed one close the gap, whatever the order
    // the lines were named in; a line named twice or no gauge line is removed once or not.
    lines = fs2k::PanelLines(kPanel);
    const std::vector<std::size_t> cut = {lineOf(lines, "gauge03"), lineOf(lines, "gauge00"),
                                          lineOf(lines, "gauge00"), 1};
    fs2k::removeGauges(lines, cut);
    EXPECT_EQ(lines.bytes(),
              replaced(kPanel, {{"gauge00=Cessna!Clock,  10 , 20\r\n", ""},
                                {"gauge01=Cessna!Airspeed", "gauge00=Cessna!Airspeed"},
                                {"gauge02=Cessna!Altimeter", "gauge01=Cessna!Altimeter"},
                                {"gauge03=Cessna!Fuel, 300, 60 // the left tank\r\n", ""}}));
}

} // namespace
} // namespace cockpix

#include "panel/core/lateredits.h"

#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace cockpix {
namespace {

// A later panel of our own: gauge lines with odd blanks, an empty field, a trailing tab,
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

std::size_t lineOf(const PanelLines& lines, std::string_view start) {
    for (std::size_t line = 0; line < lines.lineCount(); ++line) {
        if (lines.text(line).substr(0, start.size()) == start)
            return line;
    }
    ADD_FAILURE() << "no line " << start;
    return 0;
}

TEST(LaterNumberText, WholeNumbersPlainAndOthersShortestWithoutExponent) {
    EXPECT_EQ(laterNumberText(123), "123");
    EXPECT_EQ(laterNumberText(-0.0), "0");
    EXPECT_EQ(laterNumberText(-2.25), "-2.25");
    EXPECT_EQ(laterNumberText(1e20), "100000000000000000000");
    EXPECT_EQ(laterNumberText(1.5e-7), "0.00000015");
    EXPECT_EQ(laterNumberText(std::nan("")), "0");
    for (const double value :
         {1.0 / 3, 123456.789012345678, 1e-300, std::numeric_limits<double>::max()}) {
        const std::string text = laterNumberText(value);
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, value) << text;
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
    }
}

// Each edit changes its own line only, keeps the blanks around the fields it sets, the
// fields after them, a comment and the line's end, with CR LF or LF line ends.
TEST(LaterGaugeEdits, MoveAndResizeChangeExactlyTheirLine) {
    for (const std::string& text : {kPanel, test::withLineEnds(kPanel, "\n")}) {
        PanelLines lines(text);
        moveLaterGauge(lines, lineOf(lines, "gauge00"), 12.5, 21);
        moveLaterGauge(lines, lineOf(lines, "gauge01"), 101, 5);
        EXPECT_EQ(lines.bytes(), replaced(text, {{"10 , 20", "12.5 , 21"}, {"100,,", "101,5,"}}));

        lines = PanelLines(text);
        resizeLaterGauge(lines, lineOf(lines, "gauge02"), 120, 80);
        resizeLaterGauge(lines, lineOf(lines, "gauge00"), 50, std::nullopt);
        resizeLaterGauge(lines, lineOf(lines, "gauge03"), 40, 30);
        EXPECT_EQ(lines.bytes(), replaced(text, {{"96, 96, ON", "120, 80, ON"},
                                                 {"10 , 20", "10 , 20, 50"},
                                                 {"60 // the", "60, 40, 30 // the"}}));
        EXPECT_EQ(laterGaugeEditFields(lines, lineOf(lines, "gauge03")),
                  (std::vector<std::string_view>{"300", "60", "40", "30"}));

        // Several at once; a line that is no gauge line is left alone, and the file still
        // ends without a line end.
        lines = PanelLines(text);
        const std::vector<LaterGaugeMove> moves = {
            {lineOf(lines, "gauge02"), 1, 2}, {lineOf(lines, "Gauge01"), 3, 4}, {1, 9, 9}};
        moveLaterGauges(lines, moves);
        EXPECT_EQ(lines.bytes(), replaced(text, {{"200, 50", "1, 2"}, {"0, 40", "3, 4"}}));

        lines = PanelLines(text);
        EXPECT_TRUE(setLaterGaugeText(lines, lineOf(lines, "gauge01"), "Cessna!Clock, 1, 2"));
        EXPECT_FALSE(setLaterGaugeText(lines, lineOf(lines, "gauge02"), "a, 1\r\ngauge09=b"));
        EXPECT_EQ(lines.bytes(),
                  replaced(text, {{"Cessna!Airspeed,\t100,,96", "Cessna!Clock, 1, 2"}}));
    }
}

TEST(LaterGaugeEdits, AddedGaugesTakeTheNextNumberAfterTheLastGaugeLine) {
    PanelLines lines(kPanel);
    EXPECT_EQ(addLaterGauge(lines, 0, {"A!b", 0, 0, {}, {}}), PanelLines::npos); // titles
    EXPECT_EQ(addLaterGauge(lines, 1, {"A!b, 5", 0, 0, {}, {}}), PanelLines::npos);
    EXPECT_EQ(addLaterGauge(lines, 1, {"  ", 0, 0, {}, {}}), PanelLines::npos);
    EXPECT_EQ(lines.bytes(), kPanel);

    addLaterGauge(lines, 1, {" Cessna!Clock ", 4, 5.5, 30, {}});
    // The key's case of the section's gauges; the file's last line keeps ending as it did.
    addLaterGauge(lines, 2, {"Radio!Adf", 1, 2, 3, 4});
    EXPECT_EQ(lines.bytes(),
              replaced(kPanel, {{"tank\r\n", "tank\r\ngauge04=Cessna!Clock, 4, 5.5, 30\r\n"},
                                {"0, 40", "0, 40\r\nGauge02=Radio!Adf, 1, 2, 3, 4"}}));

    // A gap is filled from below; a section without gauges gets gauge00 after its keys.
    PanelLines gaps("[Window02]\nfile=a.bmp\ngauge00=a!b,0,0\ngauge02=a!c,0,0\n"
                    "[VCockpit01]\nsize_mm=512\n\n[Window03]\n");
    addLaterGauge(gaps, 0, {"a!d", 1, 1, {}, 7});
    EXPECT_EQ(addLaterGauge(gaps, 1, {"vc!e", 0, 0, {}, {}}), 7u);
    addLaterGauge(gaps, 2, {"w!f", 0, 0, {}, {}});
    EXPECT_EQ(gaps.bytes(), "[Window02]\nfile=a.bmp\ngauge00=a!b,0,0\ngauge02=a!c,0,0\n"
                            "gauge01=a!d, 1, 1\n[VCockpit01]\nsize_mm=512\ngauge00=vc!e, 0, 0\n\n"
                            "[Window03]\ngauge00=w!f, 0, 0\n");

    PanelLines many("[Window00]\n");
    for (long n = 0; n < 124; ++n)
        addLaterGauge(many, 0, {"m!g", 0, 0, {}, {}});
    EXPECT_EQ(many.text(8), "gauge07=m!g, 0, 0");
    EXPECT_EQ(many.text(124), "gauge123=m!g, 0, 0");
}

// Removing a gauge closes the gap: the lines numbered above it take the number below, and
// only their digits change.
TEST(LaterGaugeEdits, RemovingAGaugeRenumbersTheRestOfItsSection) {
    for (const std::string& text : {kPanel, test::withLineEnds(kPanel, "\n")}) {
        PanelLines lines(text);
        EXPECT_FALSE(removeLaterGauge(lines, lineOf(lines, "size_mm")));
        EXPECT_TRUE(removeLaterGauge(lines, lineOf(lines, "gauge01")));
        EXPECT_TRUE(removeLaterGauge(lines, lineOf(lines, "Gauge01"))); // the file's last line
        const std::string end = text == kPanel ? "\r\n" : "\n";
        EXPECT_EQ(lines.bytes(), replaced(text, {{"gauge01=Cessna!Airspeed,\t100,,96\t" + end, ""},
                                                 {"gauge02=", "gauge01="},
                                                 {"gauge03=", "gauge02="},
                                                 {end + "Gauge01=Radio!Nav, 0, 40", ""}}));
    }

    PanelLines odd("[Window00]\r\n gauge10 =a!b,1,1\r\ngauge11= a!c\r\nGAUGE100=a!d\r\n"
                   "gauge012=a!e\r\ngauge5=a!f\r\ngauge09=a!g\r\ngauge99999999999=a!h\r\n"
                   "[Window01]\r\ngauge11=x!y\r\n");
    EXPECT_TRUE(removeLaterGauge(odd, 6)); // gauge09
    EXPECT_EQ(odd.bytes(), "[Window00]\r\n gauge09 =a!b,1,1\r\ngauge10= a!c\r\nGAUGE99=a!d\r\n"
                           "gauge011=a!e\r\ngauge5=a!f\r\ngauge99999999999=a!h\r\n"
                           "[Window01]\r\ngauge11=x!y\r\n");
}

} // namespace
} // namespace cockpix

#include "panel/core/lateredits.h"

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
const std::string kPanel = "[Window Titles]\r\n"
                           "Window00=Main\r\n"
                           "\r\n"
                           "[Window00]\r\n"
                           "file=main.bmp\r\n"
                           "size_mm=640,480\r\n"
                           "gauge00=Cessna!Clock,  10 , 20\r\n"
                           "gauge01=Cessna!Airspeed,\t100,,96\t\r\n"
                           "gauge02=Cessna!Altimeter, 200, 50, 96, 96, ON, 2\r\n"
                           "gauge03=Cessna!Fuel, 300, 60 // the left tank\r\n"
                           "\r\n"
                           "[Window01]\r\n"
                           "size_mm=200\r\n"
                           "Gauge00=Radio!Comm, 0, 0\r\n"
                           "Gauge01=Radio!Nav, 0, 40";

// The text with every CR LF made LF.
std::string lf(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

// The lines of a and b that differ, as "-old" and "+new", the common head and tail cut off.
std::string changedLines(const PanelLines& before, const PanelLines& after) {
    std::size_t head = 0;
    while (head < before.lineCount() && head < after.lineCount() &&
           before.text(head) == after.text(head) && before.lineEnd(head) == after.lineEnd(head))
        ++head;
    std::size_t tail = 0;
    while (tail < before.lineCount() - head && tail < after.lineCount() - head &&
           before.text(before.lineCount() - 1 - tail) == after.text(after.lineCount() - 1 - tail))
        ++tail;
    std::string diff;
    for (std::size_t i = head; i < before.lineCount() - tail; ++i)
        diff += "-" + std::string(before.text(i)) + "\n";
    for (std::size_t i = head; i < after.lineCount() - tail; ++i)
        diff += "+" + std::string(after.text(i)) + "\n";
    return diff;
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
    EXPECT_EQ(laterNumberText(-7), "-7");
    EXPECT_EQ(laterNumberText(-0.0), "0");
    EXPECT_EQ(laterNumberText(0.1), "0.1");
    EXPECT_EQ(laterNumberText(-2.25), "-2.25");
    EXPECT_EQ(laterNumberText(1e20), "100000000000000000000");
    EXPECT_EQ(laterNumberText(1.5e-7), "0.00000015");
    EXPECT_EQ(laterNumberText(std::nan("")), "0");
    EXPECT_EQ(laterNumberText(std::numeric_limits<double>::infinity()), "0");
    for (const double value : {1.0 / 3, 2.0 / 3 * 1000, 1e-300, 123456.789012345678,
                               std::numeric_limits<double>::max()}) {
        const std::string text = laterNumberText(value);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, value) << text;
    }
}

// Each edit changes its own line only, keeps the blanks around the fields it sets, the
// fields after them and the line's end, whether the file ends its lines in CR LF or LF.
TEST(LaterGaugeEdits, MoveAndResizeChangeExactlyTheirLine) {
    for (const std::string& text : {kPanel, lf(kPanel)}) {
        const PanelLines original(text);
        PanelLines lines(text);
        moveLaterGauge(lines, lineOf(lines, "gauge00"), 12.5, 21);
        EXPECT_EQ(changedLines(original, lines),
                  "-gauge00=Cessna!Clock,  10 , 20\n+gauge00=Cessna!Clock,  12.5 , 21\n");
        EXPECT_EQ(lines.bytes().size(), text.size() + 2);

        lines = PanelLines(text);
        moveLaterGauge(lines, lineOf(lines, "gauge01"), 101, 5);
        EXPECT_EQ(changedLines(original, lines), "-gauge01=Cessna!Airspeed,\t100,,96\t\n"
                                                 "+gauge01=Cessna!Airspeed,\t101,5,96\t\n");

        lines = PanelLines(text);
        resizeLaterGauge(lines, lineOf(lines, "gauge02"), 120, 80);
        resizeLaterGauge(lines, lineOf(lines, "gauge00"), 50, std::nullopt);
        resizeLaterGauge(lines, lineOf(lines, "gauge03"), 40, 30);
        EXPECT_EQ(changedLines(original, lines),
                  "-gauge00=Cessna!Clock,  10 , 20\n"
                  "-gauge01=Cessna!Airspeed,\t100,,96\t\n"
                  "-gauge02=Cessna!Altimeter, 200, 50, 96, 96, ON, 2\n"
                  "-gauge03=Cessna!Fuel, 300, 60 // the left tank\n"
                  "+gauge00=Cessna!Clock,  10 , 20, 50\n"
                  "+gauge01=Cessna!Airspeed,\t100,,96\t\n"
                  "+gauge02=Cessna!Altimeter, 200, 50, 120, 80, ON, 2\n"
                  "+gauge03=Cessna!Fuel, 300, 60, 40, 30 // the left tank\n");
        EXPECT_EQ(lines.lineEnd(lineOf(lines, "gauge03")), text == kPanel ? "\r\n" : "\n");
        EXPECT_EQ(laterGaugeEditFields(lines, lineOf(lines, "gauge03")),
                  (std::vector<std::string_view>{"300", "60", "40", "30"}));

        // Several gauges in one edit; a line that is no gauge line is left alone.
        lines = PanelLines(text);
        const std::vector<LaterGaugeMove> moves = {
            {lineOf(lines, "gauge02"), 1, 2}, {lineOf(lines, "Gauge01"), 3, 4}, {1, 9, 9}};
        moveLaterGauges(lines, moves);
        EXPECT_EQ(changedLines(original, lines),
                  "-gauge02=Cessna!Altimeter, 200, 50, 96, 96, ON, 2\n"
                  "-gauge03=Cessna!Fuel, 300, 60 // the left tank\n"
                  "-\n-[Window01]\n-size_mm=200\n-Gauge00=Radio!Comm, 0, 0\n"
                  "-Gauge01=Radio!Nav, 0, 40\n"
                  "+gauge02=Cessna!Altimeter, 1, 2, 96, 96, ON, 2\n"
                  "+gauge03=Cessna!Fuel, 300, 60 // the left tank\n"
                  "+\n+[Window01]\n+size_mm=200\n+Gauge00=Radio!Comm, 0, 0\n"
                  "+Gauge01=Radio!Nav, 3, 4\n");
        EXPECT_EQ(lines.bytes().back(), '4'); // still no line end at the end

        lines = PanelLines(text);
        EXPECT_TRUE(setLaterGaugeText(lines, lineOf(lines, "gauge01"), "Cessna!Clock, 1, 2"));
        EXPECT_EQ(changedLines(original, lines), "-gauge01=Cessna!Airspeed,\t100,,96\t\n"
                                                 "+gauge01=Cessna!Clock, 1, 2\t\n");
        EXPECT_FALSE(setLaterGaugeText(lines, lineOf(lines, "gauge01"), "a, 1\r\ngauge09=b"));
        EXPECT_EQ(lines.lineCount(), original.lineCount());
    }
}

TEST(LaterGaugeEdits, AddedGaugesTakeTheNextNumberAfterTheLastGaugeLine) {
    PanelLines lines(kPanel);
    EXPECT_FALSE(isLaterWindowSection(lines, 0)); // [Window Titles]
    EXPECT_EQ(addLaterGauge(lines, 0, {"A!b", 0, 0, {}, {}}), PanelLines::npos);
    EXPECT_EQ(addLaterGauge(lines, 1, {"A!b, 5", 0, 0, {}, {}}), PanelLines::npos);
    EXPECT_EQ(addLaterGauge(lines, 1, {"  ", 0, 0, {}, {}}), PanelLines::npos);
    EXPECT_EQ(lines.bytes(), kPanel);

    const std::size_t added = addLaterGauge(lines, 1, {" Cessna!Clock ", 4, 5.5, 30, {}});
    EXPECT_EQ(lines.text(added), "gauge04=Cessna!Clock, 4, 5.5, 30");
    EXPECT_EQ(lines.text(added - 1), "gauge03=Cessna!Fuel, 300, 60 // the left tank");
    EXPECT_EQ(lines.lineEnd(added), "\r\n");
    // The key's case of the section's gauges; the file's last line keeps ending as it did.
    const std::size_t radio = addLaterGauge(lines, 2, {"Radio!Adf", 1, 2, 3, 4});
    EXPECT_EQ(lines.text(radio), "Gauge02=Radio!Adf, 1, 2, 3, 4");
    EXPECT_EQ(lines.lineEnd(radio), "");
    EXPECT_EQ(lines.lineEnd(radio - 1), "\r\n");

    // A gap is filled from below; a section without gauges gets gauge00 after its keys.
    PanelLines gaps("[Window02]\nfile=a.bmp\ngauge00=a!b,0,0\ngauge02=a!c,0,0\n"
                    "[VCockpit01]\nsize_mm=512\n\n[Window03]\n");
    EXPECT_EQ(gaps.text(addLaterGauge(gaps, 0, {"a!d", 1, 1, {}, 7})), "gauge01=a!d, 1, 1");
    EXPECT_EQ(addLaterGauge(gaps, 1, {"vc!e", 0, 0, {}, {}}), 7u);
    EXPECT_EQ(gaps.text(7), "gauge00=vc!e, 0, 0");
    EXPECT_EQ(gaps.text(addLaterGauge(gaps, 2, {"w!f", 0, 0, {}, {}})), "gauge00=w!f, 0, 0");

    PanelLines many("[Window00]\n");
    for (long n = 0; n < 124; ++n)
        addLaterGauge(many, 0, {"m!g", 0, 0, {}, {}});
    EXPECT_EQ(many.text(1), "gauge00=m!g, 0, 0");
    EXPECT_EQ(many.text(8), "gauge07=m!g, 0, 0");
    EXPECT_EQ(many.text(124), "gauge123=m!g, 0, 0");
    EXPECT_EQ(laterGaugeKey(7, "Gauge"), "Gauge07");
}

// Removing a gauge closes the gap: the lines numbered above it take the number below, and
// only their digits change.
TEST(LaterGaugeEdits, RemovingAGaugeRenumbersTheRestOfItsSection) {
    for (const std::string& text : {kPanel, lf(kPanel)}) {
        const PanelLines original(text);
        PanelLines lines(text);
        EXPECT_FALSE(removeLaterGauge(lines, lineOf(lines, "size_mm")));
        EXPECT_TRUE(removeLaterGauge(lines, lineOf(lines, "gauge01")));
        EXPECT_EQ(changedLines(original, lines),
                  "-gauge01=Cessna!Airspeed,\t100,,96\t\n"
                  "-gauge02=Cessna!Altimeter, 200, 50, 96, 96, ON, 2\n"
                  "-gauge03=Cessna!Fuel, 300, 60 // the left tank\n"
                  "+gauge01=Cessna!Altimeter, 200, 50, 96, 96, ON, 2\n"
                  "+gauge02=Cessna!Fuel, 300, 60 // the left tank\n");

        // The last line of the file goes: the one before it ends the file as it did.
        EXPECT_TRUE(removeLaterGauge(lines, lineOf(lines, "Gauge01")));
        const std::string last = "\nGauge00=Radio!Comm, 0, 0";
        EXPECT_EQ(lines.bytes().substr(lines.bytes().size() - last.size()), last);
    }

    PanelLines odd("[Window00]\r\n gauge10 =a!b,1,1\r\ngauge11= a!c\r\nGAUGE100=a!d\r\n"
                   "gauge012=a!e\r\ngauge5=a!f\r\ngauge09=a!g\r\ngauge99999999999=a!h\r\n"
                   "[Window01]\r\ngauge11=x!y\r\n");
    EXPECT_TRUE(removeLaterGauge(odd, 6)); // gauge09
    EXPECT_EQ(odd.bytes(), "[Window00]\r\n gauge09 =a!b,1,1\r\ngauge10= a!c\r\nGAUGE99=a!d\r\n"
                           "gauge011=a!e\r\ngauge5=a!f\r\ngauge99999999999=a!h\r\n"
                           "[Window01]\r\ngauge11=x!y\r\n");
    EXPECT_TRUE(removeLaterGauge(odd, 5)); // gauge5: numbers above 5 go down
    EXPECT_EQ(odd.text(1), " gauge08 =a!b,1,1");
    EXPECT_EQ(odd.text(4), "gauge010=a!e");
}

} // namespace
} // namespace cockpix

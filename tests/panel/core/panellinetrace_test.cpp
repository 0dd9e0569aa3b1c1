// The reader's line trace: what it records of each line, and that reading with it changes
// nothing in what is read or in the errors.

#include "panel/core/fs98/reader.h"

#include "base/core/scratchdir.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

namespace cockpix {
namespace {

namespace fs = std::filesystem;
using test::crlf;
using test::fileText;

// Every line's use as a letter (in the order of LineUse), with the window and number where
// they matter; a key line shows the key's own first letter.
std::string uses(const fs98::PanelLineTrace& trace) {
    static const char kLetters[] = "-PDHGTkgCVASBIE";
    std::string text;
    for (int n = 1; n <= trace.lineCount(); ++n) {
        const fs98::TracedLine& line = trace.at(n);
        const std::string window = std::to_string(line.window);
        text += n > 1 ? " " : "";
        switch (line.use) {
        case fs98::LineUse::Header:
            text += "H" + (line.window >= 0 ? window : "");
            break;
        case fs98::LineUse::Title:
        case fs98::LineUse::SkippedBeforeFile:
        case fs98::LineUse::IgnoredInWindow:
            text += kLetters[int(line.use)] + window;
            break;
        case fs98::LineUse::WindowKey:
            text += char(line.number) + window;
            break;
        case fs98::LineUse::Gauge:
            text += "g" + window + "." + std::to_string(line.number);
            break;
        case fs98::LineUse::ViewValue:
            text += "V" + std::to_string(line.number);
            break;
        default:
            text += kLetters[int(line.use)];
        }
    }
    return text;
}

TEST(PanelLineTrace, RecordsWhatTheReaderDidWithEachLine) {
    const struct {
        std::string file, uses;
    } rows[] = {
        {"note|[Window Titles]|x|Window00=A|Window01=B||[Window01]|size_mm=3|file=b.bmp|"
         "size_mm=2|gauge03=a,1,2|; comment|[Window00]|file=a.bmp|[8 bit colors]|c0=1|c1=2||"
         "[Default View]|X=1|Y=2|SIZE_X=3|SIZE_Y=4|after",
         "P H S T0 T1 E H1 B1 f1 s1 g1.3 I1 H0 f0 H C C E H V0 V1 V2 V3 -"},
        // The list's ending line is consumed, a header there too; a [fltsim] without alias
        // hands its first line back, and the last line of a file is never examined.
        {"[Window Titles]|Window00=A|[Window00]|file=a.bmp|[fltsim]|last", "H T0 E D H -"},
        {"[fltsim]||alias=other\\panel|[Window Titles]", "H S A -"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        fs98::Panel panel;
        std::string dir = "/nowhere/aircraft/this/panel/";
        fs98::PanelLineTrace trace;
        fs98::readPanelText(panel, dir, crlf(row.file), "p.cfg", {}, trace);
        EXPECT_EQ(uses(trace), row.uses);
        EXPECT_EQ(trace.file, "p.cfg");
    }
}

class TracedRead : public ScratchDirTest {};

// The trace follows an alias to the file read last.
TEST_F(TracedRead, NamesTheAliasedFile) {
    touch("fs/aircraft/b/panel/panel.cfg",
          crlf("[Window Titles]|Window00=B||[Window00]|file=b.bmp|"));
    const std::string first =
        touch("fs/aircraft/a/panel/panel.cfg", crlf("[fltsim]|alias=b\\panel|"));
    fs98::Panel panel;
    std::string dir = at("fs/aircraft/a/panel/");
    fs98::PanelLineTrace trace;
    EXPECT_FALSE(fs98::readPanelFile(panel, dir, first, {}, trace));
    EXPECT_EQ(trace.file, at("fs/aircraft/b/panel/panel.cfg"));
    EXPECT_EQ(uses(trace), "H T0 E H0 f0 I0");
}

// Reading with a trace gives the same panel and the same error as without, for the broken
// fixtures, the sample and random damage to it.
TEST(PanelLineTrace, ReadingWithItChangesNothing) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(fs::path(COCKPIX_FIXTURES_DIR) / "broken"))
        if (entry.path().extension() == ".cfg")
            files.push_back(fileText(entry.path()));
    const std::string sample = fileText(test::kSamplePanel);
    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i) {
        std::string damaged = sample.substr(0, random() % (sample.size() + 1));
        for (int flips = random() % 3; flips > 0 && !damaged.empty(); --flips)
            damaged[random() % damaged.size()] = "[=,\r\ngGfF0"[random() % 11];
        files.push_back(damaged);
    }
    for (const std::string& content : files) {
        auto plain = std::make_unique<fs98::Panel>();
        auto traced = std::make_unique<fs98::Panel>();
        std::string dirA = "/nowhere/aircraft/x/";
        std::string dirB = dirA;
        fs98::PanelLineTrace trace;
        const auto a = fs98::readPanelText(*plain, dirA, content, "p.cfg");
        const auto b = fs98::readPanelText(*traced, dirB, content, "p.cfg", {}, trace);
        ASSERT_EQ(a.has_value(), b.has_value());
        if (a) {
            EXPECT_EQ(a->line, b->line);
            EXPECT_EQ(a->reason, b->reason);
        }
        EXPECT_TRUE(*plain == *traced);
        EXPECT_EQ(trace.content, content);
    }
}

} // namespace
} // namespace cockpix

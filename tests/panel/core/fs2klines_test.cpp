#include "panel/core/fs2k/lines.h"

#include "panel/core/panelformat.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

using test::fileText;
using test::withLineEnds;

std::vector<std::string> fs2kFixtures() {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(fs::path(COCKPIX_FIXTURES_DIR) / "fs2k")) {
        if (entry.path().extension() == ".cfg")
            files.push_back(fileText(entry.path()));
    }
    return files;
}

TEST(PanelLines, EveryByteOfAnyFileComesBackUnchanged) {
    std::vector<std::string> inputs;
    for (const std::string& file : fs2kFixtures()) {
        EXPECT_EQ(detectPanelFormat(file), PanelFormat::Fs2k) << file.substr(0, 80);
        inputs.push_back(file);
        inputs.push_back(withLineEnds(file, "\n"));
        inputs.push_back(withLineEnds(file, "\r\n"));
    }
    EXPECT_GE(inputs.size(), 15u);
    const std::string longLine(100'000, 'x');
    for (const std::string& odd :
         {std::string(), std::string("\n"), std::string("\r"), std::string("\r\n\r"),
          std::string("\n\r"), std::string("a"), std::string("[x]\r\r\n\n\r"),
          std::string("[Window00]\r\ngauge00=" + longLine), std::string("a\0b\r\0\n", 7)})
        inputs.push_back(odd);
    for (const std::string& input : inputs)
        EXPECT_EQ(fs2k::PanelLines(input).bytes(), input);
}

TEST(PanelLines, KnowsWhatEachLineSets) {
    const fs2k::PanelLines lines("\xEF\xBB\xBF[ Window00 ]  x\r\n"
                                 "  Size_MM =  640, 480 \t\n"
                                 "// comment = no key\r"
                                 "; another\r\n"
                                 " \t \n"
                                 "[Vcockpit01\n"
                                 "words only\n"
                                 "gauge00=a!b, 1, 2");
    ASSERT_EQ(lines.lineCount(), 8u);
    EXPECT_EQ(lines.kind(0), fs2k::LineKind::Header);
    EXPECT_EQ(lines.key(0), "Window00");
    EXPECT_EQ(lines.kind(1), fs2k::LineKind::Key);
    EXPECT_EQ(lines.key(1), "Size_MM");
    EXPECT_EQ(lines.value(1), "640, 480");
    EXPECT_EQ(lines.lineEnd(1), "\n");
    EXPECT_EQ(lines.kind(2), fs2k::LineKind::Comment);
    EXPECT_EQ(lines.lineEnd(2), "\r");
    EXPECT_EQ(lines.kind(3), fs2k::LineKind::Comment);
    EXPECT_EQ(lines.kind(4), fs2k::LineKind::Blank);
    EXPECT_EQ(lines.kind(5), fs2k::LineKind::Header);
    EXPECT_EQ(lines.key(5), "Vcockpit01");
    EXPECT_EQ(lines.kind(6), fs2k::LineKind::Other);
    EXPECT_EQ(lines.lineEnd(7), "");

    ASSERT_EQ(lines.sectionCount(), 2u);
    EXPECT_EQ(lines.sectionOf(4), 0u);
    EXPECT_EQ(lines.sectionOf(7), 1u);
    EXPECT_EQ(lines.sectionEnd(0), 5u);
    EXPECT_EQ(lines.findSection("VCOCKPIT01"), 1u);
    EXPECT_EQ(lines.findKey(0, "size_mm"), 1u);
    EXPECT_EQ(lines.lastKeyLine(0), 1u);
}

// An edit changes its lines and nothing else; new lines take the file's line end, and a
// file that ended without a line end still does.
TEST(PanelLines, EditsChangeOnlyTheirLines) {
    const std::string text = "; top\r\n[A]\r\nk=1\r\n\r\n[B]\r\nx=2";
    fs2k::PanelLines lines(text);
    lines.replace(2, "k = 5");
    EXPECT_EQ(lines.bytes(), "; top\r\n[A]\r\nk = 5\r\n\r\n[B]\r\nx=2");
    EXPECT_EQ(lines.value(2), "5");

    EXPECT_EQ(lines.insertAfter(lines.lastKeyLine(0), "n=3"), 3u);
    EXPECT_EQ(lines.sectionOf(3), 0u);
    EXPECT_EQ(lines.headerLine(1), 5u);
    const std::size_t last = lines.insertAfter(lines.lineCount() - 1, "y=4");
    EXPECT_EQ(lines.bytes(), "; top\r\n[A]\r\nk = 5\r\nn=3\r\n\r\n[B]\r\nx=2\r\ny=4");

    lines.remove(last);
    lines.insertAfter(fs2k::PanelLines::npos, "[New]");
    EXPECT_EQ(lines.sectionCount(), 3u);
    EXPECT_EQ(lines.sectionName(2), "B");
    lines.remove(lines.headerLine(1));
    EXPECT_EQ(lines.bytes(), "[New]\r\n; top\r\nk = 5\r\nn=3\r\n\r\n[B]\r\nx=2");
    EXPECT_EQ(lines.sectionOf(3), 0u);
    const fs2k::PanelLines::State before = lines.state();
    lines.replace(0, "no longer a header");
    EXPECT_EQ(lines.sectionCount(), 1u);
    EXPECT_EQ(lines.sectionOf(2), fs2k::PanelLines::npos);

    // Undo and redo of an edit: back to each state, sections and all.
    const fs2k::PanelLines::State after = lines.state();
    lines.restore(before);
    EXPECT_EQ(lines.bytes(), "[New]\r\n; top\r\nk = 5\r\nn=3\r\n\r\n[B]\r\nx=2");
    EXPECT_EQ(lines.sectionOf(2), 0u);
    lines.restore(after);
    EXPECT_EQ(lines.text(0), "no longer a header");
    EXPECT_EQ(lines.sectionCount(), 1u);
}

} // namespace
} // namespace cockpix

namespace cockpix {
namespace {

// The file as its lines say, one line at a time.
std::string lineByLine(const fs2k::PanelLines& lines) {
    std::string out;
    for (std::size_t line = 0; line < lines.lineCount(); ++line)
        out.append(lines.text(line)).append(lines.lineEnd(line));
    return out;
}

// Saving copies the unchanged lines in runs: after any mix of edits (at the start, in the
// middle, at the end of a file with or without a last line end, back to an earlier state)
// the bytes are those of the lines one by one.
TEST(PanelLines, BytesAfterEditsAreTheLinesOneByOne) {
    std::vector<std::string> inputs;
    for (const std::string& file : fs2kFixtures()) {
        inputs.push_back(file);
        inputs.push_back(withLineEnds(file, "\n"));
        inputs.push_back(withLineEnds(file, "\r"));
    }
    inputs.push_back("[Window00]\r\nfile=a.bmp\r\ngauge00=a!b, 1, 2"); // no last line end
    inputs.push_back("\xEF\xBB\xBF[Window00]\n\r\n\rx=1\r\r\n");
    std::mt19937 random(1234);
    for (const std::string& input : inputs) {
        fs2k::PanelLines lines(input);
        const fs2k::PanelLines::State start = lines.state();
        for (int step = 0; step < 60; ++step) {
            const std::size_t count = lines.lineCount();
            const std::size_t at = count == 0 ? 0 : random() % count;
            switch (random() % 5) {
            case 0:
                if (count > 0)
                    lines.replace(at, "gauge" + std::to_string(step) + "=x!y, 1, 2");
                break;
            case 1:
                lines.insertAfter(random() % 4 == 0 ? fs2k::PanelLines::npos : at, "; added");
                break;
            case 2:
                if (count > 1)
                    lines.remove(random() % 3 == 0 ? count - 1 : at);
                break;
            case 3:
                lines.insertAfter(count == 0 ? fs2k::PanelLines::npos : count - 1, "[End]");
                break;
            default:
                if (random() % 6 == 0)
                    lines.restore(start);
                break;
            }
            ASSERT_EQ(lines.bytes(), lineByLine(lines)) << input.substr(0, 60) << " step " << step;
        }
        lines.restore(start);
        EXPECT_EQ(lines.bytes(), input);
    }
}

} // namespace
} // namespace cockpix

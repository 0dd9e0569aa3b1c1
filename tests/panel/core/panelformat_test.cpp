#include "panel/core/panelformat.h"

#include "panel/core/fs98/panel.h"
#include "panel/core/fs98/writer.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

// An FS98 panel as FS98 aircraft have them: everything the FS98 reader knows.
const std::string kFs98 = "// my plane\r\n[Window Titles]\r\nwindow00=Main\r\nwindow08=Last\r\n\r\n"
                          "[Window00]\r\nfile=main.bmp\r\nsize_mm=640\r\nwindowsize_ratio=1\r\n"
                          "position=7\r\nvisible=1\r\nident=0\r\n"
                          "gauge00=cessna.attitude, 100, 50\r\ngauge01=cessna.clock, 1, 2, 96,\r\n"
                          "[Window08]\r\nFILE=last.bmp\r\n"
                          "[8 bit colors]\r\ncolor00=1,2,3\r\n"
                          "[fltsim]\r\n// [VIEWS] in a comment is no section\r\n"
                          "[Default View]\r\nX=0\r\nY=0\r\nSIZE_X=8191\r\nSIZE_Y=4000\r\n";

std::string withLine(const std::string& afterLine, const std::string& line) {
    std::string text = kFs98;
    const std::size_t at = text.find(afterLine + "\r\n");
    return text.insert(at + afterLine.size() + 2, line + "\r\n");
}

TEST(PanelFormat, Fs98PanelsStayFs98) {
    EXPECT_EQ(detectPanelFormat(kFs98), PanelFormat::Fs98);
    // What the FS98 writer writes is read back by the FS98 reader.
    fs98::Panel panel;
    panel.windowCount = 9;
    for (int w = 0; w < 9; ++w)
        panel.window(w).windowBitmap = "w" + std::to_string(w);
    panel.window(3).gaugeCount = 64;
    EXPECT_EQ(detectPanelFormat(fs98::panelFileText(panel, {}, 0, nullptr)), PanelFormat::Fs98);
}

TEST(PanelFormat, EachMarkOfTheFs2kFormatMakesAFs2kPanel) {
    const auto marks = test::tableRows(fs::path(COCKPIX_FIXTURES_DIR) / "format/fs2k_marks.txt");
    ASSERT_GE(marks.size(), 22u);
    for (const auto& row : marks) {
        const std::string& after = row.at(0);
        const std::string& mark = row.at(1);
        EXPECT_EQ(detectPanelFormat(withLine(after, mark)), PanelFormat::Fs2k) << mark;
        // Behind blanks and after the lines passed over by their first byte, the same.
        const std::string padded = "; a comment\r\n \t\r\nunknown_key=1\r\n// x=1\r\n \t" + mark;
        EXPECT_EQ(detectPanelFormat(withLine(after, padded)), PanelFormat::Fs2k) << mark;
    }
    // The mark counts wherever it stands, after a byte order mark too.
    EXPECT_EQ(detectPanelFormat("\xEF\xBB\xBF[Color]\nDay=1,1,1"), PanelFormat::Fs2k);
    EXPECT_EQ(detectPanelFormat(kFs98 + "[Window08]\r\n"), PanelFormat::Fs2k);
}

// The format and the alias found in one pass are those found apart: the alias of the first
// [fltsim] section, its first alias= line, wherever the later mark stands; the one of a later
// panel is not looked for when only an FS98 panel's counts.
TEST(PanelFormat, TheAliasIsFoundWithTheFormat) {
    const struct {
        std::string text;
        PanelFormat format;
        std::string alias;
    } cases[] = {
        {kFs98, PanelFormat::Fs98, ""},
        {withLine("[fltsim]", " Alias = c182\\panel "), PanelFormat::Fs98, "c182\\panel"},
        {"[VIEWS]\r\nx=1\r\n[fltsim]\r\nalias=a\r\nalias=b\r\n", PanelFormat::Fs2k, "a"},
        {"[fltsim]\r\nalias=a\r\n[Vcockpit01]\r\n", PanelFormat::Fs2k, "a"},
        {"[fltsim]\r\nx=1\r\n[fltsim]\r\nalias=b\r\n", PanelFormat::Fs98, ""},
        {"[x]\r\nalias=a\r\n  [fltsim]\r\n; c\r\n\t alias = b\r\n", PanelFormat::Fs98, "b"},
        {"[Color]\r\n[fltsim]\r\n[x]\r\nalias=b\r\n", PanelFormat::Fs2k, ""},
        // A byte order mark hides the header from the alias search, as ever.
        {"\xEF\xBB\xBF[fltsim]\r\nalias=a\r\n", PanelFormat::Fs98, ""},
        {"\xEF\xBB\xBF[VIEWS]\r\n[fltsim]\r\nalias=a", PanelFormat::Fs2k, "a"},
    };
    for (const auto& c : cases) {
        const PanelFormatAndAlias both = detectPanelFormatAndAlias(c.text);
        EXPECT_EQ(both.format, c.format) << c.text;
        EXPECT_EQ(detectPanelFormat(c.text), c.format) << c.text;
        EXPECT_EQ(both.alias, c.alias) << c.text;
        EXPECT_EQ(fltsimAlias(c.text), c.alias) << c.text;
        const PanelFormatAndAlias fs98 = detectPanelFormatAndAlias(c.text, AliasOf::Fs98Only);
        EXPECT_EQ(fs98.format, c.format) << c.text;
        EXPECT_EQ(fs98.alias, c.format == PanelFormat::Fs98 ? c.alias : "") << c.text;
    }
}

// Every panel the FS98 tests read keeps being read by the FS98 reader, except those whose
// fault is a mark of the fs2k format (a tenth window, a window without file=, a name as
// ident, a key FS98 lacks), which are later panels.
TEST(PanelFormat, TheFs98FixturesAreFs98) {
    const fs::path root = fs::path(COCKPIX_FIXTURES_DIR);
    const std::set<std::string> later = {"broken/empty.cfg",
                                         "broken/titles_ten.cfg",
                                         "broken/window_nine.cfg",
                                         "broken/window_no_file.cfg",
                                         "check/key_read_as_another/panel.cfg",
                                         "check/ident_not_number/panel.cfg",
                                         "check/key_unknown/panel.cfg",
                                         "dump/msfs_panel.cfg",
                                         "dump/msfs_variant.cfg",
                                         "read/bracket_lines_retested.cfg",
                                         "read/gauge_fields.cfg",
                                         "read/window_value_after_last_equals.cfg"};
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().extension() != ".cfg" ||
            fs::relative(entry.path(), root).string().starts_with("fs2k"))
            continue;
        std::ostringstream bytes;
        bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        const bool isFs2k = later.count(fs::relative(entry.path(), root).string()) != 0;
        EXPECT_EQ(detectPanelFormat(bytes.str()), isFs2k ? PanelFormat::Fs2k : PanelFormat::Fs98)
            << entry.path();
        ++files;
    }
    EXPECT_GT(files, 20);
}

} // namespace
} // namespace cockpix

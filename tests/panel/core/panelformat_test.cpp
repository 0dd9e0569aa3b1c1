#include "panel/core/panelformat.h"

#include "panel/core/panel.h"
#include "panel/core/panelwriter.h"

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
    EXPECT_EQ(detectPanelFormat(""), PanelFormat::Fs98);
    // What the FS98 writer writes is read back by the FS98 reader.
    Panel panel;
    panel.windowCount = 9;
    for (int w = 0; w < 9; ++w)
        panel.window(w).windowBitmap = "w" + std::to_string(w);
    panel.window(3).gaugeCount = 64;
    EXPECT_EQ(detectPanelFormat(panelFileText(panel, {}, 0, nullptr)), PanelFormat::Fs98);
}

TEST(PanelFormat, EachMarkOfTheLaterFormatMakesALaterPanel) {
    const std::pair<std::string, std::string> marks[] = {
        {"[Window00]", "window_size=0.5,0.4"},
        {"[Window00]", "Window_Pos=0,0"},
        {"[Window00]", "BACKGROUND_COLOR=0,0,0"},
        {"[Window00]", "pixel_size=100"},
        {"[Window00]", "zorder=1"},
        {"[Window00]", "nomenu=1"},
        {"[Window00]", "sizeable=1"},
        {"[Window00]", "child_3d=1"},
        {"[Window00]", "render_3d_window=1"},
        {"[Window00]", "type=MINICONTROL"},
        {"[Window00]", "texture=$a"},
        {"[Window00]", "no_luminous=1"},
        {"[Window00]", "file_1024=big.bmp"},
        {"[Window00]", "ident = MAIN_PANEL"},
        {"[Window00]", "gauge02=Cessna!Clock, 1, 2"},
        {"[Window00]", "gauge02=c.clock, 1, 2, 3, 4"},
        {"window08=Last", "Window09=Tenth"},
        {"window08=Last", "[Window10]\r\nfile=x.bmp"},
        {"window08=Last", "[Window01]\r\nsize_mm=10"}, // a window without file=
        {"window08=Last", "[Vcockpit01]"},
        {"window08=Last", "[ Color ]"},
        {"window08=Last", "[VIEWS]"},
    };
    for (const auto& [after, mark] : marks)
        EXPECT_EQ(detectPanelFormat(withLine(after, mark)), PanelFormat::Later) << mark;
    // The mark counts wherever it stands, after a byte order mark too.
    EXPECT_EQ(detectPanelFormat("\xEF\xBB\xBF[Color]\nDay=1,1,1"), PanelFormat::Later);
    EXPECT_EQ(detectPanelFormat(kFs98 + "[Window08]\r\n"), PanelFormat::Later);
}

// Every panel the FS98 tests read keeps being read by the FS98 reader, except those whose
// fault is a mark of the later format (a tenth window, a window without file=, a name as
// ident, a key FS98 lacks), which are later panels.
TEST(PanelFormat, TheFs98FixturesAreFs98) {
    const fs::path root = fs::path(COCKPIX_FIXTURES_DIR);
    const std::set<std::string> later = {"broken/titles_ten.cfg",
                                         "broken/window_nine.cfg",
                                         "broken/window_no_file.cfg",
                                         "check/key_read_as_another/panel.cfg",
                                         "check/ident_not_number/panel.cfg",
                                         "check/key_unknown/panel.cfg"};
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().extension() != ".cfg" || entry.path().parent_path().filename() == "later")
            continue;
        std::ostringstream bytes;
        bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        const bool isLater = later.count(fs::relative(entry.path(), root).string()) != 0;
        EXPECT_EQ(detectPanelFormat(bytes.str()), isLater ? PanelFormat::Later : PanelFormat::Fs98)
            << entry.path();
        ++files;
    }
    EXPECT_GT(files, 20);
}

} // namespace
} // namespace cockpix

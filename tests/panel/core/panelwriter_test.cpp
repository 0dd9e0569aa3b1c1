#include "panel/core/fs98/writer.h"

#include "base/core/scratchdir.h"
#include "panel/core/fs98/reader.h"
#include "support/paneltext.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace cockpix {
namespace {

namespace fs = std::filesystem;
using test::fileText;

// One window, no gauges, no colours: the smallest panel the writer deals with.
fs98::Panel oneWindowModel() {
    fs98::Panel model;
    model.windowCount = 1;
    model.window(0) = {.windowTitle = "Main",
                       .windowBitmap = "panel_main",
                       .windowSizeMm = 640,
                       .windowSizeRatio = 1,
                       .windowPosition = 7,
                       .windowVisible = 1,
                       .windowIdent = {},
                       .gauges = {}};
    model.defaultViewSizeX = 8192;
    model.defaultViewSizeY = 4096;
    return model;
}

fs98::Gauge gauge(const std::string& name, double x, double y, double size, double refSize) {
    return {
        .gaugeName = name, .gaugeX = x, .gaugeY = y, .gaugeSize = size, .gaugeRefSize = refSize};
}

std::string windowSectionOf(const std::string& text, int w) {
    const std::size_t start = text.find("[Window0" + std::to_string(w) + "]\r\n");
    return start == std::string::npos ? ""
                                      : text.substr(start, text.find("\r\n[", start + 1) - start);
}

// ------------------------------------------------------------------------------------
// The layout FS98 reads

TEST(PanelFileLayout, OneWindowGivesTheExactBytesWithPaddedGaugeLines) {
    fs98::Panel model = oneWindowModel();
    model.preambleLineCount = 2;
    model.preambleLine[1] = "// Sample panel";
    model.preambleLine[2] = "; caf\xe9 \t "; // Windows-1252 and trailing blanks kept
    model.window(0).gaugeCount = 11;         // slots 5 to 10 had no line: still written
    model.gauge(0, 0) = gauge("cessna.airspeed", 12, 40, 0, -1); // line had no size
    model.gauge(0, 1) = gauge("cessna.attitude", 12, 40, 96, 0); // line had a size
    model.gauge(0, 2) = gauge("cessna.clock", -3.25, 0, 96, 96); // measured, unchanged
    model.gauge(0, 3) = gauge("cessna.fuel", 1, .5, 80, 96);     // measured, then resized
    model.gauge(0, 4) = gauge("cessna.trim", 1, 2, 96, -1);      // measured later, still -1
    model.gauge(0, 11) = gauge("beyond.count", 1, 2, 0, -1);
    EXPECT_EQ(fs98::panelFileText(model, {}, 0, nullptr),
              fileText(fs::path(COCKPIX_FIXTURES_DIR) / "write/one_window.cfg"));
}

TEST(PanelFileLayout, WindowsAreNumberedUpToTheCountAndFollowTheRatioAndIdentRules) {
    const struct {
        double ratio;
        fs98::WindowIdent ident;
        std::string ratioLine, identLine; // empty: the key is left out, and its line
    } rows[] = {
        {0, fs98::WindowIdent::fromText(" 51 "), "", "ident=51\r\n"},
        {.5, fs98::WindowIdent::fromText("radio"), "windowsize_ratio=.5\r\n", ""},
        {-1, fs98::WindowIdent::fromText(""), "", ""},
        {2, fs98::WindowIdent::fromText("12abc"), "windowsize_ratio=2\r\n", ""},
        {1, fs98::WindowIdent::fromNumber(-2.5), "windowsize_ratio=1\r\n", "ident=-2.5\r\n"}};
    fs98::Panel model = oneWindowModel();
    model.windowCount = 5;
    for (int w = 0; w < 6; ++w) {
        model.window(w) = model.window(0);
        model.window(w).windowTitle = "W" + std::to_string(w);
        model.window(w).windowSizeRatio = rows[w % 5].ratio;
        model.window(w).windowIdent = rows[w % 5].ident;
    }
    std::string text = fs98::panelFileText(model, {}, 0, nullptr);
    EXPECT_NE(text.find("\r\nwindow00=W0\r\nwindow01=W1\r\nwindow02=W2\r\nwindow03=W3\r\n"
                        "window04=W4\r\n\r\n[Window00]"),
              std::string::npos);
    for (int w = 0; w < 5; ++w)
        EXPECT_EQ(windowSectionOf(text, w), "[Window0" + std::to_string(w) +
                                                "]\r\n\r\nfile=panel_main.bmp\r\nsize_mm=640\r\n" +
                                                rows[w].ratioLine + "position=7\r\nvisible=1\r\n" +
                                                rows[w].identLine + "\r\n");
    EXPECT_EQ(text.find("W5"), std::string::npos);
    EXPECT_LT(text.find("[Window04]"), text.find("[Default View]"));

    // Counts out of range are clamped instead of reading past the slots.
    model.windowCount = 42;
    model.window(0).gaugeCount = 1000;
    model.preambleLineCount = 99;
    model.colorLineCount = -5;
    text = fs98::panelFileText(model, {}, 0, nullptr);
    EXPECT_NE(text.find("[Window08]"), std::string::npos);
    EXPECT_NE(text.find("gauge63="), std::string::npos);
    EXPECT_EQ(text.find("gauge64="), std::string::npos);
}

TEST(PanelFileLayout, ColourPartFollowsThePaletteOptions) {
    fs98::Panel model = oneWindowModel();
    model.colorLineCount = 2;
    model.colorLine[1] = "c00=0,0,0";
    model.colorLine[2] = "C01=255,255,255 ; white";
    const std::vector<std::string> result = {"[8 bit colors]", "c00=1,2,3"};
    const std::string before = "visible=1\r\nident=0\r\n\r\n\r\n";
    const std::string old = "[8 Bit Colors]\r\n\r\nc00=0,0,0\r\nC01=255,255,255 ; white\r\n\r\n";
    const std::string fresh = "[8 bit colors]\r\nc00=1,2,3\r\n\r\n";
    const struct {
        int advised; // 0: the optimizer did not run
        fs98::PaletteSaveOptions options;
        bool resultFileThere;
        std::string colours;
    } rows[] = {{0, {true, true}, true, old},   {0, {false, true}, false, old},
                {4, {true, true}, true, fresh}, {4, {false, true}, true, old}, // "Don't save"
                {4, {true, true}, false, ""}, // the result file has gone
                {4, {true, false}, true, ""},   {4, {false, false}, true, ""}}; // "Erase all"
    for (const auto& row : rows) {
        const std::string text = fs98::panelFileText(model, row.options, row.advised,
                                                     row.resultFileThere ? &result : nullptr);
        EXPECT_NE(text.find(before + row.colours + "[Default View]"), std::string::npos) << text;
    }
}

TEST(BackupNumber, FollowsTheHighestOneOrTwoDigitNumberAfterDotC) {
    const struct {
        std::vector<std::string> names;
        int next;
    } rows[] = {{{}, 1},
                {{"panel.cfg", "panel_main.bmp"}, 1},
                {{"panel.c1", "panel.cfg", "panel.c7"}, 8},
                {{"panel.c12", "panel.c9"}, 13},
                {{"PANEL.C3", "panel.C4"}, 1},
                {{"panel.c99"}, 100},
                {{"panel.c99", "panel.c100"}, 100},              // three digits are not seen
                {{"panel.c5x", "old.c3", "a.c", ".c", "c"}, 6}}; // leading digits, any name
    for (const auto& row : rows)
        EXPECT_EQ(nextBackupNumber(row.names), row.next) << ::testing::PrintToString(row.names);
}

// ------------------------------------------------------------------------------------
// Saving on disk

class SavePanel : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        fs::permissions(root, fs::perms(0755));
        useDir("panel");
    }
    void useDir(const std::string& name) {
        fs::create_directories(root / name);
        panelDir = at(name) + "/";
    }
    // "name:bytes" for each entry of dir, in name order; NEW stands for the new panel's bytes.
    std::string listing(const std::string& dir) {
        std::string text;
        for (const auto& [name, bytes] : test::filesIn(dir))
            text += (text.empty() ? "" : " ") + name + ":" + (bytes == newText ? "NEW" : bytes);
        return text;
    }
    SaveResult save(const std::string& output) {
        return fs98::savePanel(model, {panelDir, panelDir + output, {}, proposal});
    }

    fs98::Panel model = oneWindowModel();
    fs98::PaletteProposal proposal;
    const std::string newText = fs98::panelFileText(model, {}, 0, nullptr);
    std::string panelDir;
};

TEST_F(SavePanel, TheOldFileBecomesTheNextBackupAndTheChosenNameIsWritten) {
    const struct {
        std::string before, output;
        int backup;
        std::string after;
    } rows[] = {
        {"panel.cfg:old panel.c1:1 panel.c7:7", "panel.cfg", 8,
         "panel.c1:1 panel.c7:7 panel.c8:old panel.cfg:NEW"},
        // Without an old file: the chosen name.
        {"", "other.cfg", 0, "other.cfg:NEW"},
        // Saved under another name, panel.cfg is not replaced: no backup of it.
        {"panel.cfg:old panel.c1:1", "new.cfg", 0, "new.cfg:NEW panel.c1:1 panel.cfg:old"},
        // The old file is found whatever its case; upper-case names are not backups.
        {"PANEL.CFG:old PANEL.C3:3", "Panel.Cfg", 1, "PANEL.C3:3 PANEL.CFG:NEW panel.c1:old"},
        // panel.cfg typed in another case is that panel.cfg, as FS98 sees it.
        {"panel.cfg:old", "PANEL.CFG", 1, "panel.c1:old panel.cfg:NEW"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.before);
        useDir(row.output + ".case");
        std::istringstream files(row.before);
        for (std::string file; files >> file;)
            touch(row.output + ".case/" + file.substr(0, file.find(':')),
                  file.substr(file.find(':') + 1));
        const SaveResult result = save(row.output);
        EXPECT_TRUE(result.written);
        EXPECT_EQ(result.backupMade, row.backup > 0);
        EXPECT_EQ(result.backupNumber, row.backup);
        EXPECT_EQ(listing(panelDir), row.after);
        EXPECT_EQ(fileText(result.outputPath), newText);
        // The old file is named as it lies on disk.
        const std::string oldName = row.before.substr(0, row.before.find(':'));
        EXPECT_EQ(result.message.bytes(),
                  (row.backup ? "Previous '" + oldName + "' was saved as 'panel.c" +
                                    std::to_string(row.backup) + "'\n"
                              : std::string()) +
                      "The new '" + result.outputPath + "' was correctly recorded to disk.");
    }
}

TEST_F(SavePanel, TakenBackupNamesAreSkippedAndNeverOverwritten) {
    // Past 99 the listing does not see panel.c100, so the computed name is taken.
    touch("panel/panel.cfg", "old");
    touch("panel/panel.c99", "99");
    touch("panel/panel.c100", "100");
    touch("panel/panel.c101/inside", "a directory named like a backup");
    EXPECT_EQ(save("panel.cfg").backupNumber, 102);
    EXPECT_EQ(save("panel.cfg").backupNumber, 103); // and upwards again
    EXPECT_EQ(listing(panelDir),
              "panel.c100:100 panel.c101:<dir> panel.c102:old panel.c103:NEW panel.c99:99 "
              "panel.cfg:NEW");
    EXPECT_EQ(listing(panelDir + "panel.c101"), "inside:a directory named like a backup");
}

TEST_F(SavePanel, CopiesThePaletteResultFileSurvivesItsLossAndKeepsPermissions) {
    touch("panel/panel.cfg", "old");
    fs::permissions(panelDir + "panel.cfg", fs::perms::owner_read | fs::perms::owner_write);
    proposal = {2, touch("result.txt", "[8 bit colors]\r\nc00=1,2,3\nc01=4,5,6"), {}};
    ASSERT_TRUE(save("panel.cfg").written);
    EXPECT_NE(fileText(panelDir + "panel.cfg")
                  .find("\r\n\r\n[8 bit colors]\r\nc00=1,2,3\r\nc01=4,5,6\r\n\r\n[Default View]"),
              std::string::npos);
    EXPECT_EQ(fs::status(panelDir + "panel.cfg").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    fs::remove(proposal.resultFile);
    ASSERT_TRUE(save("panel.cfg").written);
    EXPECT_EQ(fileText(panelDir + "panel.cfg"), newText);

    // The lines a proposal holds win over whatever a later run left in the result file.
    touch("result.txt", "[8 bit colors]\r\n\r\ncolor00= 9, 9, 9");
    proposal.lines = {"[8 bit colors]", "", "color00= 1, 2, 3"};
    ASSERT_TRUE(save("panel.cfg").written);
    EXPECT_NE(fileText(panelDir + "panel.cfg").find("color00= 1, 2, 3\r\n"), std::string::npos);
}

// ------------------------------------------------------------------------------------
// Writing and reading back

fs98::Panel readBack(const std::string& text) {
    fs98::Panel model;
    std::string panelDir = "/nowhere/";
    const std::optional<fs98::ReadError> error =
        fs98::readPanelText(model, panelDir, text, "panel.cfg");
    EXPECT_FALSE(error) << error->describe();
    fs98::applyOpenedRatioRule(model);
    return model;
}

TEST(RoundTrip, AWrittenPanelReadsBackIntoTheSameModelAndResavesToTheSameBytes) {
    // The sample has a preamble with an empty line, titles, every window key, gauges with and
    // without a size, colour lines and a default view.
    fs98::Panel model = readBack(fileText(test::kSamplePanel));
    ASSERT_EQ(model.windowCount, 3);
    EXPECT_EQ(test::panelText(readBack(fs98::panelFileText(model, {}, 0, nullptr))),
              test::panelText(model));
    // What it lacks: Windows-1252 bytes, fractions, negative and tiny numbers, two-digit gauge
    // numbers and an empty slot.
    model.window(0).windowTitle = "Main Panel \xe9";
    model.window(2).windowSizeMm = 1e-3;
    model.window(2).windowSizeRatio = 1.25;
    model.window(2).windowIdent = fs98::WindowIdent::fromNumber(-7);
    model.defaultViewX = -10;
    model.defaultViewY = 2.5;
    model.window(0).gaugeCount = 12;
    for (int g = 6; g < 12; ++g)
        model.gauge(0, g) = gauge(g < 11 ? "cessna_182.g" + std::to_string(g) : "", g * 12.5 - 20,
                                  300.25 - g, g % 2 ? 96 + g : 0, g % 2 ? 0 : -1);
    const std::string text = fs98::panelFileText(model, {}, 0, nullptr);
    const fs98::Panel read = readBack(text);
    EXPECT_EQ(test::panelText(read), test::panelText(model));
    EXPECT_EQ(fs98::panelFileText(read, {}, 0, nullptr), text);
}

} // namespace
} // namespace cockpix

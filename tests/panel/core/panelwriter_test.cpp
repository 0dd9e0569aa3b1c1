#include "panel/core/panelwriter.h"

#include "panel/core/panelreader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHeader = "/ Panel file generated with COCKPIX V.2.5.3 by Quenvald, 1998";

// One window, no gauges, no colours: the smallest panel the writer deals with.
PanelModel oneWindowModel() {
    PanelModel model;
    model.clearModel();
    model.windowCount = 1;
    PanelWindow& window = model.window(0);
    window.windowTitle = "Main";
    window.windowBitmap = "panel_main";
    window.windowSizeMm = 640;
    window.windowSizeRatio = 1;
    window.windowPosition = 7;
    window.windowVisible = 1;
    window.windowIdent = WindowIdent::fromNumber(0);
    model.defaultViewSizeX = 8192;
    model.defaultViewSizeY = 4096;
    return model;
}

void setGauge(PanelModel& model, int w, int g, const std::string& name, double x, double y,
              double size, double refSize) {
    Gauge& gauge = model.gauge(w, g);
    gauge.gaugeName = name;
    gauge.gaugeX = x;
    gauge.gaugeY = y;
    gauge.gaugeSize = size;
    gauge.gaugeRefSize = refSize;
}

std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text does not end with CR LF";
    return lines;
}

bool hasLine(const std::string& text, const std::string& line) {
    return text.find("\r\n" + line + "\r\n") != std::string::npos;
}

std::string windowSectionOf(const std::string& text, int w) {
    const std::string header = "[Window0" + std::to_string(w) + "]\r\n";
    const std::size_t start = text.find(header);
    if (start == std::string::npos)
        return {};
    const std::size_t end = text.find("\r\n[", start + header.size());
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// ------------------------------------------------------------------------------------
// The layout FS98 reads

TEST(PanelFileLayout, OneWindowWithoutGaugesGivesTheExactBytes) {
    PanelModel model = oneWindowModel();
    model.preambleLineCount = 2;
    model.preambleLine[1] = "// Sample panel";
    model.preambleLine[2] = "; caf\xe9 \t "; // Windows-1252 and trailing blanks kept

    const std::string expected = "// Sample panel\r\n"
                                 "; caf\xe9 \t \r\n" +
                                 std::string(kHeader) +
                                 "\r\n"
                                 "\r\n[Window Titles]\r\n\r\n"
                                 "window00=Main\r\n"
                                 "\r\n[Window00]\r\n\r\n"
                                 "file=panel_main.bmp\r\n"
                                 "size_mm=640\r\n"
                                 "windowsize_ratio=1\r\n"
                                 "position=7\r\n"
                                 "visible=1\r\n"
                                 "ident=0\r\n"
                                 "\r\n"
                                 "\r\n[Default View]\r\n\r\n"
                                 "X= 0\r\n"
                                 "Y= 0\r\n"
                                 "SIZE_X= 8192\r\n"
                                 "SIZE_Y= 4096\r\n";
    EXPECT_EQ(panelFileText(model, {}, nullptr), expected);
}

TEST(PanelFileLayout, WindowsAndGaugesAreNumberedInOrderWithTwoDigitGauges) {
    PanelModel model = oneWindowModel();
    model.windowCount = 3;
    model.window(1).windowTitle = "Radio";
    model.window(2).windowTitle = "GPS";
    model.window(3).windowTitle = "not part of the panel";
    model.window(3).gaugeCount = 1;
    for (int g = 0; g < 11; ++g)
        setGauge(model, 0, g, "g" + std::to_string(g), g, 0, 0, -1);

    model.window(0).gaugeCount = 10;
    std::string text = panelFileText(model, {}, nullptr);
    EXPECT_TRUE(hasLine(text, "window00=Main"));
    EXPECT_TRUE(hasLine(text, "window01=Radio"));
    EXPECT_TRUE(hasLine(text, "window02=GPS"));
    EXPECT_EQ(text.find("not part of the panel"), std::string::npos);
    EXPECT_EQ(text.find("[Window03]"), std::string::npos);
    EXPECT_LT(text.find("[Window00]"), text.find("[Window01]"));
    EXPECT_LT(text.find("[Window01]"), text.find("[Window02]"));
    EXPECT_TRUE(hasLine(text, "gauge00=g0, 0, 0"));
    EXPECT_TRUE(hasLine(text, "gauge09=g9, 9, 0"));
    EXPECT_EQ(text.find("gauge10="), std::string::npos);

    model.window(0).gaugeCount = 11;
    text = panelFileText(model, {}, nullptr);
    EXPECT_TRUE(hasLine(text, "gauge10=g10, 10, 0"));
    EXPECT_EQ(windowSectionOf(text, 1).find("gauge"), std::string::npos);
}

TEST(PanelFileLayout, WindowKeysFollowTheRatioAndIdentRules) {
    PanelModel model = oneWindowModel();
    model.windowCount = 5;
    model.window(0).windowSizeRatio = 0;
    model.window(1).windowSizeRatio = .5;
    model.window(2).windowSizeRatio = -1;
    model.window(0).windowIdent = WindowIdent::fromText(" 51 ");
    model.window(1).windowIdent = WindowIdent::fromText("radio");
    model.window(2).windowIdent = WindowIdent::fromText("");
    model.window(3).windowIdent = WindowIdent::fromText("12abc");
    model.window(4).windowIdent = WindowIdent::fromNumber(-2.5);

    const std::string text = panelFileText(model, {}, nullptr);
    EXPECT_EQ(windowSectionOf(text, 0).find("windowsize_ratio"), std::string::npos);
    EXPECT_TRUE(hasLine(windowSectionOf(text, 1), "windowsize_ratio=.5"));
    EXPECT_EQ(windowSectionOf(text, 2).find("windowsize_ratio"), std::string::npos);

    EXPECT_TRUE(hasLine(windowSectionOf(text, 0), "ident=51"));
    for (int w = 1; w <= 3; ++w)
        EXPECT_EQ(windowSectionOf(text, w).find("ident="), std::string::npos) << "window " << w;
    EXPECT_TRUE(hasLine(windowSectionOf(text, 4), "ident=-2.5"));
    // The lines around a missing ident keep their places.
    EXPECT_NE(windowSectionOf(text, 1).find("visible=0\r\n\r\n"), std::string::npos);
}

TEST(PanelFileLayout, GaugeLinesPadNumbersAndWriteOnlyChosenSizes) {
    PanelModel model = oneWindowModel();
    model.window(0).gaugeCount = 6;
    setGauge(model, 0, 0, "cessna.airspeed", 12, 40, 0, -1); // line had no size
    setGauge(model, 0, 1, "cessna.attitude", 12, 40, 96, 0); // line had a size
    setGauge(model, 0, 2, "cessna.clock", -3.25, 0, 96, 96); // measured, unchanged
    setGauge(model, 0, 3, "cessna.fuel", 1, .5, 80, 96);     // measured, then resized
    setGauge(model, 0, 4, "cessna.trim", 1, 2, 96, -1);      // measured later, still -1
    // Slot 5 had no line in the file: an empty name still gives its line.

    const std::vector<std::string> lines = crlfLines(panelFileText(model, {}, nullptr));
    const std::vector<std::string> expected = {
        "gauge00=cessna.airspeed, 12, 40", "gauge01=cessna.attitude, 12, 40, 96",
        "gauge02=cessna.clock,-3.25, 0",   "gauge03=cessna.fuel, 1, .5, 80",
        "gauge04=cessna.trim, 1, 2",       "gauge05=, 0, 0"};
    std::vector<std::string> gaugeLines;
    for (const std::string& line : lines)
        if (line.rfind("gauge", 0) == 0)
            gaugeLines.push_back(line);
    EXPECT_EQ(gaugeLines, expected);
}

TEST(PanelFileLayout, ColourPartFollowsThePaletteOptions) {
    PanelModel model = oneWindowModel();
    model.colorLineCount = 2;
    model.colorLine[1] = "c00=0,0,0";
    model.colorLine[2] = "C01=255,255,255 ; white";
    const std::vector<std::string> result = {"[8 bit colors]", "c00=1,2,3"};
    const std::string oldColours =
        "\r\n\r\n[8 Bit Colors]\r\n\r\nc00=0,0,0\r\nC01=255,255,255 ; white\r\n\r\n[Default View]";
    const std::string newColours = "\r\n\r\n[8 bit colors]\r\nc00=1,2,3\r\n\r\n[Default View]";

    // No optimizer run: the colour lines of the old file, whatever the save option says.
    EXPECT_NE(panelFileText(model, {true, true}, &result).find(oldColours), std::string::npos);
    EXPECT_NE(panelFileText(model, {false, true}, nullptr).find(oldColours), std::string::npos);

    model.advisedColorCount = 4;
    EXPECT_NE(panelFileText(model, {true, true}, &result).find(newColours), std::string::npos);
    // "Don't save" and "Keep all": back to the old colour lines.
    EXPECT_NE(panelFileText(model, {false, true}, &result).find(oldColours), std::string::npos);
    // The result file has gone: no colour section at all, and no stray blank line.
    const std::string missing = panelFileText(model, {true, true}, nullptr);
    EXPECT_EQ(missing.find("olors]"), std::string::npos);
    EXPECT_NE(missing.find("visible=1\r\nident=0\r\n\r\n\r\n[Default View]"), std::string::npos);
    // "Erase all" wins over everything.
    for (bool save : {true, false}) {
        const std::string erased = panelFileText(model, {save, false}, &result);
        EXPECT_EQ(erased.find("olors]"), std::string::npos);
        EXPECT_EQ(erased.find("c00="), std::string::npos);
    }
}

TEST(PanelFileLayout, OutOfRangeCountsAreClampedInsteadOfCrashing) {
    PanelModel model = oneWindowModel();
    model.windowCount = 42;
    model.window(0).gaugeCount = 1000;
    model.preambleLineCount = 99;
    model.colorLineCount = -5;
    const std::string text = panelFileText(model, {}, nullptr);
    EXPECT_NE(text.find("[Window08]"), std::string::npos);
    EXPECT_NE(text.find("gauge63="), std::string::npos);
    EXPECT_EQ(text.find("gauge64="), std::string::npos);
}

// ------------------------------------------------------------------------------------
// Backup numbers

TEST(BackupNumber, FollowsTheHighestOneOrTwoDigitNumberAfterDotC) {
    EXPECT_EQ(nextBackupNumber({}), 1);
    EXPECT_EQ(nextBackupNumber({"panel.cfg", "panel_main.bmp"}), 1);
    EXPECT_EQ(nextBackupNumber({"panel.c1", "panel.cfg", "panel.c7"}), 8);
    EXPECT_EQ(nextBackupNumber({"panel.c12", "panel.c9"}), 13);
    EXPECT_EQ(nextBackupNumber({"PANEL.C3", "panel.C4"}), 1);
    EXPECT_EQ(nextBackupNumber({"panel.c99"}), 100);
    // Three digits are not seen: a name past 99 never raises the number.
    EXPECT_EQ(nextBackupNumber({"panel.c99", "panel.c100"}), 100);
    // Leading digits only; any file name ending like a backup counts.
    EXPECT_EQ(nextBackupNumber({"panel.c5x", "old.c3", "a.c", ".c", "c"}), 6);
}

// ------------------------------------------------------------------------------------
// Saving on disk

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "cockpix-writer-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
        fs::permissions(m_path, fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
    }
    ~TempDir() {
        std::error_code error;
        makeWritable(m_path);
        fs::remove_all(m_path, error);
    }
    std::string dir(const std::string& name = "") const {
        const fs::path path = name.empty() ? m_path : m_path / name;
        fs::create_directories(path);
        return path.string() + "/";
    }

private:
    static void makeWritable(const fs::path& path) {
        std::error_code error;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, error);
        for (auto it = fs::recursive_directory_iterator(path, error);
             !error && it != fs::recursive_directory_iterator(); it.increment(error))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::path m_path;
};

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Every plain file of a directory with its bytes; directories show as "<dir>".
std::map<std::string, std::string> snapshot(const std::string& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir))
        files[entry.path().filename().string()] =
            entry.is_directory() ? "<dir>" : readFile(entry.path().string());
    return files;
}

class SavePanel : public ::testing::Test {
protected:
    void SetUp() override {
        panelDir = temp.dir("panel");
        model = oneWindowModel();
        model.dirs.panelDir = panelDir;
        newText = panelFileText(model, {}, nullptr);
    }

    TempDir temp;
    std::string panelDir;
    PanelModel model;
    std::string newText;
};

TEST_F(SavePanel, KeepsTheOldFileAsTheNextBackupAndSaysSo) {
    writeFile(panelDir + "panel.cfg", "old panel\r\n");
    writeFile(panelDir + "panel.c1", "first");
    writeFile(panelDir + "panel.c7", "seventh");

    const SaveResult result = savePanel(model, panelDir + "panel.cfg", {});
    EXPECT_TRUE(result.written);
    EXPECT_TRUE(result.backupMade);
    EXPECT_EQ(result.backupNumber, 8);
    EXPECT_EQ(result.message, "Previous 'panel.cfg' was saved as 'panel.c8'\nThe new '" + panelDir +
                                  "panel.cfg' was correctly recorded to disk.");
    const std::map<std::string, std::string> expected = {{"panel.cfg", newText},
                                                         {"panel.c1", "first"},
                                                         {"panel.c7", "seventh"},
                                                         {"panel.c8", "old panel\r\n"}};
    EXPECT_EQ(snapshot(panelDir), expected);
}

TEST_F(SavePanel, WithoutAnOldFileWritesThePanelDirectorysPanelCfg) {
    const SaveResult result = savePanel(model, panelDir + "other.cfg", {});
    EXPECT_TRUE(result.written);
    EXPECT_FALSE(result.backupMade);
    EXPECT_EQ(result.outputPath, panelDir + "panel.cfg");
    EXPECT_EQ(result.message,
              "The new '" + panelDir + "panel.cfg' was correctly recorded to disk.");
    EXPECT_EQ(snapshot(panelDir), (std::map<std::string, std::string>{{"panel.cfg", newText}}));
}

TEST_F(SavePanel, FindsTheOldFileWhateverItsCaseAndWritesTheChosenName) {
    writeFile(panelDir + "PANEL.CFG", "old");
    writeFile(panelDir + "PANEL.C3", "upper-case names are not backups");
    const SaveResult result = savePanel(model, panelDir + "new.cfg", {});
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.backupNumber, 1);
    EXPECT_EQ(result.outputPath, panelDir + "new.cfg");
    const std::map<std::string, std::string> expected = {
        {"new.cfg", newText},
        {"panel.c1", "old"},
        {"PANEL.C3", "upper-case names are not backups"}};
    EXPECT_EQ(snapshot(panelDir), expected);
}

TEST_F(SavePanel, TakenBackupNamesAreSkippedAndNeverOverwritten) {
    // Past 99 the listing does not see panel.c100, so the computed name is taken.
    writeFile(panelDir + "panel.cfg", "old");
    writeFile(panelDir + "panel.c99", "99");
    writeFile(panelDir + "panel.c100", "100");
    fs::create_directory(panelDir + "panel.c101");
    writeFile(panelDir + "panel.c101/inside", "a directory named like a backup");

    SaveResult result = savePanel(model, panelDir + "panel.cfg", {});
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.backupNumber, 102);
    EXPECT_EQ(readFile(panelDir + "panel.c100"), "100");
    EXPECT_EQ(readFile(panelDir + "panel.c101/inside"), "a directory named like a backup");
    EXPECT_EQ(readFile(panelDir + "panel.c102"), "old");

    // The next save keeps going upwards.
    result = savePanel(model, panelDir + "panel.cfg", {});
    EXPECT_EQ(result.backupNumber, 103);
    EXPECT_EQ(readFile(panelDir + "panel.c102"), "old");
    EXPECT_EQ(readFile(panelDir + "panel.c103"), newText);
}

TEST_F(SavePanel, TheChosenOutputIsNeverUsedAsTheBackupName) {
    writeFile(panelDir + "panel.cfg", "old");
    const SaveResult result = savePanel(model, panelDir + "panel.c1", {});
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.backupNumber, 2);
    const std::map<std::string, std::string> expected = {{"panel.c1", newText},
                                                         {"panel.c2", "old"}};
    EXPECT_EQ(snapshot(panelDir), expected);
}

TEST_F(SavePanel, AFailedFinalRenamePutsTheOldFileBack) {
    writeFile(panelDir + "panel.cfg", "old");
    writeFile(panelDir + "panel.c4", "fourth");
    fs::create_directory(panelDir + "busy");
    writeFile(panelDir + "busy/file", "x");
    const auto before = snapshot(panelDir);

    const SaveResult result = savePanel(model, panelDir + "busy", {});
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.message.find("correctly recorded"), std::string::npos);
    EXPECT_NE(result.message.find("Previous 'panel.cfg' is unchanged."), std::string::npos)
        << result.message;
    EXPECT_EQ(snapshot(panelDir), before);
}

TEST_F(SavePanel, CopiesThePaletteResultFileAndSurvivesItsLoss) {
    writeFile(panelDir + "panel.cfg", "old");
    const std::string resultFile = temp.dir("palette") + "result_panel_main.txt";
    writeFile(resultFile, "[8 bit colors]\r\nc00=1,2,3\nc01=4,5,6");
    model.paletteResultFile = resultFile;
    model.advisedColorCount = 2;

    SaveResult result = savePanel(model, panelDir + "panel.cfg", {});
    ASSERT_TRUE(result.written);
    EXPECT_NE(readFile(panelDir + "panel.cfg")
                  .find("\r\n\r\n[8 bit colors]\r\nc00=1,2,3\r\nc01=4,5,6\r\n\r\n[Default View]"),
              std::string::npos);

    fs::remove(resultFile);
    result = savePanel(model, panelDir + "panel.cfg", {});
    ASSERT_TRUE(result.written);
    EXPECT_EQ(readFile(panelDir + "panel.cfg"), newText);
}

TEST_F(SavePanel, KeepsThePermissionsOfTheOldFile) {
    writeFile(panelDir + "panel.cfg", "old");
    fs::permissions(panelDir + "panel.cfg", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(savePanel(model, panelDir + "panel.cfg", {}).written);
    EXPECT_EQ(fs::status(panelDir + "panel.cfg").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

// Root writes into read-only directories, so the read-only cases run the save as an
// ordinary user in a child process when the tests run as root.
struct UnprivilegedSave {
    bool ran = false;
    bool written = false;
    std::string message;
};

UnprivilegedSave saveAsUnprivilegedUser(const PanelModel& model, const std::string& output) {
    UnprivilegedSave outcome;
    if (::geteuid() != 0) {
        const SaveResult result = savePanel(model, output, {});
        return {true, result.written, result.message};
    }
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return outcome;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        const SaveResult result = savePanel(model, output, {});
        [[maybe_unused]] const ssize_t n =
            ::write(pipeFds[1], result.message.data(), result.message.size());
        ::_exit(result.written ? 1 : 0);
    }
    ::close(pipeFds[1]);
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        outcome.message.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1)
        return outcome;
    outcome.ran = true;
    outcome.written = WEXITSTATUS(status) == 1;
    return outcome;
}

TEST_F(SavePanel, AReadOnlyPanelDirectoryKeepsTheOldFileAndEveryBackup) {
    writeFile(panelDir + "panel.cfg", "old");
    writeFile(panelDir + "panel.c1", "first");
    const std::string outDir = temp.dir("out");
    fs::permissions(outDir, fs::perms::all);
    fs::permissions(panelDir, fs::perms::owner_read | fs::perms::owner_exec |
                                  fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
    const auto before = snapshot(panelDir);

    // The new file can be written elsewhere, but the old one cannot be moved to its backup.
    UnprivilegedSave outcome = saveAsUnprivilegedUser(model, outDir + "panel.cfg");
    if (!outcome.ran)
        GTEST_SKIP() << "cannot run the save as an ordinary user here";
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(outcome.message.find("correctly recorded"), std::string::npos);
    EXPECT_NE(outcome.message.find("could not be saved as 'panel.c2'"), std::string::npos)
        << outcome.message;
    EXPECT_EQ(snapshot(panelDir), before);
    EXPECT_TRUE(snapshot(outDir).empty()) << "the temporary file was left behind";

    // Writing into the read-only directory itself fails before anything is touched.
    outcome = saveAsUnprivilegedUser(model, panelDir + "panel.cfg");
    ASSERT_TRUE(outcome.ran);
    EXPECT_FALSE(outcome.written);
    EXPECT_NE(outcome.message.find("could not be written"), std::string::npos) << outcome.message;
    EXPECT_EQ(snapshot(panelDir), before);
}

// ------------------------------------------------------------------------------------
// Writing and reading back

// The panel part of two models: what panel.cfg holds.
void expectSamePanel(const PanelModel& a, const PanelModel& b) {
    ASSERT_EQ(a.windowCount, b.windowCount);
    ASSERT_EQ(a.preambleLineCount, b.preambleLineCount);
    for (int i = 1; i <= a.preambleLineCount; ++i)
        EXPECT_EQ(a.preambleLine[i], b.preambleLine[i]) << "preamble line " << i;
    ASSERT_EQ(a.colorLineCount, b.colorLineCount);
    for (int i = 1; i <= a.colorLineCount; ++i)
        EXPECT_EQ(a.colorLine[i], b.colorLine[i]) << "colour line " << i;
    EXPECT_EQ(a.defaultViewX, b.defaultViewX);
    EXPECT_EQ(a.defaultViewY, b.defaultViewY);
    EXPECT_EQ(a.defaultViewSizeX, b.defaultViewSizeX);
    EXPECT_EQ(a.defaultViewSizeY, b.defaultViewSizeY);
    for (int w = 0; w < a.windowCount; ++w) {
        SCOPED_TRACE("window " + std::to_string(w));
        const PanelWindow& x = a.window(w);
        const PanelWindow& y = b.window(w);
        EXPECT_EQ(x.windowTitle, y.windowTitle);
        EXPECT_EQ(x.windowBitmap, y.windowBitmap);
        EXPECT_EQ(x.windowSizeMm, y.windowSizeMm);
        EXPECT_EQ(x.windowSizeRatio, y.windowSizeRatio);
        EXPECT_EQ(x.windowPosition, y.windowPosition);
        EXPECT_EQ(x.windowVisible, y.windowVisible);
        EXPECT_EQ(x.windowIdent.isText, y.windowIdent.isText);
        EXPECT_EQ(x.windowIdent.number, y.windowIdent.number);
        ASSERT_EQ(x.gaugeCount, y.gaugeCount);
        for (int g = 0; g < x.gaugeCount; ++g) {
            SCOPED_TRACE("gauge " + std::to_string(g));
            EXPECT_EQ(x.gauges[g].gaugeName, y.gauges[g].gaugeName);
            EXPECT_EQ(x.gauges[g].gaugeX, y.gauges[g].gaugeX);
            EXPECT_EQ(x.gauges[g].gaugeY, y.gauges[g].gaugeY);
            EXPECT_EQ(x.gauges[g].gaugeSize, y.gauges[g].gaugeSize);
            EXPECT_EQ(x.gauges[g].gaugeRefSize, y.gauges[g].gaugeRefSize);
        }
    }
}

// A panel as the reader leaves it: every kind of line the writer produces.
PanelModel richModel() {
    PanelModel model = oneWindowModel();
    model.preambleLineCount = 3;
    model.preambleLine[1] = "// Cessna 182 \xb0 panel";
    model.preambleLine[2] = "";
    model.preambleLine[3] = "; by someone, 1998";
    model.windowCount = 3;
    model.window(0).windowTitle = "Main Panel \xe9";
    model.window(0).gaugeCount = 12;
    for (int g = 0; g < 12; ++g)
        setGauge(model, 0, g, "cessna_182.g" + std::to_string(g), g * 12.5 - 20, 300.25 - g,
                 g % 2 ? 96 + g : 0, g % 2 ? 0 : -1);
    model.window(1).windowTitle = "Radio";
    model.window(1).windowBitmap = "panel radio";
    model.window(1).windowSizeMm = 200;
    model.window(1).windowSizeRatio = .5;
    model.window(1).windowPosition = 2;
    model.window(1).windowIdent = WindowIdent::fromNumber(50);
    model.window(2).windowTitle = "GPS";
    model.window(2).windowBitmap = "gps";
    model.window(2).windowSizeMm = 1e-3;
    model.window(2).windowSizeRatio = 1.25;
    model.window(2).windowIdent = WindowIdent::fromNumber(-7);
    model.window(2).gaugeCount = 1;
    setGauge(model, 2, 0, "", 0, 0, 0, -1);
    model.colorLineCount = 2;
    model.colorLine[1] = "c00=0,0,0";
    model.colorLine[2] = "C01=64,64,72";
    model.defaultViewX = -10;
    model.defaultViewY = 2.5;
    model.defaultViewSizeX = 8192;
    model.defaultViewSizeY = 4096;
    return model;
}

class RoundTrip : public ::testing::Test {
protected:
    // Reads text as the "&Open" command would read a file of the panel directory.
    std::unique_ptr<PanelModel> open(const std::string& text) {
        const std::string dir = temp.dir("aircraft/plane/panel");
        writeFile(dir + "panel.cfg", text);
        auto model = std::make_unique<PanelModel>();
        model->clearModel();
        model->dirs.panelDir = dir;
        const std::optional<ReadError> error = readPanelFile(*model, dir + "panel.cfg");
        EXPECT_FALSE(error.has_value()) << error->describe();
        return model;
    }

    TempDir temp;
};

TEST_F(RoundTrip, AWrittenFileReadsBackIntoTheSameModel) {
    const PanelModel model = richModel();
    const std::string text = panelFileText(model, {}, nullptr);
    const std::unique_ptr<PanelModel> read = open(text);
    expectSamePanel(model, *read);
    EXPECT_EQ(panelFileText(*read, {}, nullptr), text);
}

TEST_F(RoundTrip, ResavingTheSamplePanelGivesTheSameBytesAgain) {
    const std::string sample =
        readFile(COCKPIX_FIXTURES_DIR "/../../samples/fs98/aircraft/sample_cessna/panel/panel.cfg");
    ASSERT_FALSE(sample.empty());
    std::unique_ptr<PanelModel> first = open(sample);
    applyOpenedRatioRule(*first);
    ASSERT_EQ(first->windowCount, 3);
    const std::string firstText = panelFileText(*first, {}, nullptr);

    std::unique_ptr<PanelModel> second = open(firstText);
    applyOpenedRatioRule(*second);
    expectSamePanel(*first, *second);
    EXPECT_EQ(panelFileText(*second, {}, nullptr), firstText);
}

} // namespace
} // namespace cockpix

#include "panel/core/fs98/reader.h"

#include "base/core/scratchdir.h"
#include "support/paneltext.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <vector>

namespace cockpix {
namespace {

namespace fs = std::filesystem;
using test::crlf;
using test::fileText;

const std::string kSample = test::kSamplePanel;
const std::string kEnd = "[Default View]|X=1|Y=2|SIZE_X=3|SIZE_Y=4";

struct Read {
    std::unique_ptr<fs98::Panel> model = std::make_unique<fs98::Panel>();
    std::string panelDir;
    std::optional<fs98::ReadError> error;
    const fs98::PanelWindow& window(int w) const { return model->window(w); }
    const fs98::Gauge& gauge(int w, int g) const { return model->gauge(w, g); }
};

Read readText(std::string_view text, const std::string& panelDir = "/nowhere/panel/") {
    Read read;
    read.panelDir = panelDir;
    read.error = fs98::readPanelText(*read.model, read.panelDir, text, "panel.cfg");
    return read;
}

// Reads a file as Open does, with the panel directory of the chosen path.
Read readFile(const std::string& path, std::vector<std::string>* reroutes = nullptr) {
    Read read;
    read.panelDir = fs98::panelDirFromChosenPath(path);
    read.error =
        fs98::readPanelFile(*read.model, read.panelDir, path, [reroutes](const std::string& dir) {
            if (reroutes)
                reroutes->push_back(dir);
        });
    return read;
}

// A panel of one window whose section holds the given lines.
Read readWindow(const std::string& sectionLines) {
    return readText(
        crlf("[Window Titles]|Window00=Main||[Window00]|" + sectionLines + "||" + kEnd));
}

TEST(PanelReaderLines, ReadsTheSampleWithCrLfLoneLfOrLoneCr) {
    const std::string text = fileText(kSample);
    Read read = readText(text);
    ASSERT_FALSE(read.error) << read.error->describe();
    const std::string model = test::panelText(*read.model);
    EXPECT_EQ(model, fileText(fs::path(COCKPIX_FIXTURES_DIR) / "read/sample_cessna.model"));
    for (const char* end : {"\n", "\r"})
        EXPECT_EQ(test::panelText(*readText(test::withLineEnds(text, end)).model), model);
    // Window 2 has no windowsize_ratio line; Open turns its 0 into 1.
    fs98::applyOpenedRatioRule(*read.model);
    EXPECT_EQ(read.window(2).windowSizeRatio, 1);
}

TEST(PanelReaderLines, TheLastLineOfTheFileIsNeverExaminedByTheMainScan) {
    const struct {
        std::string_view text;
        int preambleLines, windowCount;
    } rows[] = {{"// one\r\n// two\r\n", 1, 0}, // with or without a final line break
                {"// one\r\n// two", 1, 0},
                {"// one\n// two\r", 1, 0},
                {"// one\r\n// two\r\n\r\n", 2, 0},      // an empty line after it: examined
                {"// one\r\n[Window Titles]\r\n", 1, 0}, // a header: its section is not read
                {"[8 bit colors]", 0, 0},
                {"[Window Titles]\r\nWindow00=A\r\n\r\n", 0, 1}}; // the section ends normally
    for (const auto& row : rows) {
        Read read = readText(row.text);
        EXPECT_FALSE(read.error) << row.text;
        EXPECT_EQ(read.model->preambleLineCount, row.preambleLines) << row.text;
        EXPECT_EQ(read.model->windowCount, row.windowCount) << row.text;
    }
}

// Each panel of tests/fixtures/read reads, without an error, into the model its .model file
// holds: which bytes are kept, which lines and keys are taken, where sections end.
TEST(PanelReaderFixtures, EachPanelReadsIntoItsModel) {
    int cases = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(COCKPIX_FIXTURES_DIR) / "read")) {
        if (entry.path().extension() != ".cfg")
            continue;
        ++cases;
        const Read read = readText(fileText(entry.path()));
        ASSERT_FALSE(read.error) << entry.path() << ": " << read.error->describe();
        const fs::path model = fs::path(entry.path()).replace_extension(".model");
        EXPECT_EQ(test::panelText(*read.model), fileText(model)) << entry.path();
    }
    EXPECT_GE(cases, 14);
}

// --- Aliases, over a small FS98 tree on disk ---

using PanelReaderAlias = ScratchDirTest;

TEST_F(PanelReaderAlias, FollowsAnAliasWhateverTheCaseOnDisk) {
    touch("FS98/Aircraft/C182/Panel/PANEL.CFG",
          crlf("[Window Titles]|Window00=C182 main||[Window00]|file=m.bmp|x"));
    std::vector<std::string> reroutes;
    Read read = readFile(touch("FS98/Aircraft/myplane/panel/panel.cfg",
                               crlf("// mine|[fltsim]||ALIAS=c182\\panel|")),
                         &reroutes);
    ASSERT_FALSE(read.error) << read.error->describe();
    const std::string expected = at("FS98/Aircraft/C182/Panel/");
    EXPECT_EQ(reroutes, std::vector<std::string>{expected});
    EXPECT_EQ(read.panelDir, expected);
    EXPECT_EQ(read.window(0).windowTitle, "C182 main");
    // The scan state starts again: the first file's preamble is not counted.
    EXPECT_EQ(read.model->preambleLineCount, 0);
    EXPECT_EQ(fs98::rerouteMessage(expected).bytes(),
              "'panel.cfg' rerouted CockPix to [" + expected + "]");
    // The chosen file itself is found whatever its case too.
    touch("x/Panel.CFG", fileText(kSample));
    EXPECT_EQ(readFile(at("x/panel.cfg")).model->windowCount, 3);
}

TEST_F(PanelReaderAlias, KeepsTheAliasTextWhenNoDirectoryMatches) {
    Read read =
        readFile(touch("fs/aircraft/a/panel/panel.cfg", crlf("[fltsim]|alias=Gone\\Panel|")));
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.panelDir, at("fs/aircraft/Gone/Panel/"));
    EXPECT_EQ(read.error->reason, "the file cannot be opened");
}

TEST_F(PanelReaderAlias, AliasLoopsAndLongChainsAreStructuralErrors) {
    Read self =
        readFile(touch("fs/aircraft/self/panel/panel.cfg", crlf("[fltsim]|alias=self\\panel|")));
    ASSERT_TRUE(self.error);
    EXPECT_EQ(self.error->line, 2);
    EXPECT_NE(self.error->reason.find("leads back"), std::string::npos);

    touch("fs/aircraft/b/panel.cfg", crlf("[fltsim]|alias=a|"));
    Read pingPong = readFile(touch("fs/aircraft/a/panel.cfg", crlf("[fltsim]|alias=b|")));
    ASSERT_TRUE(pingPong.error);
    EXPECT_NE(pingPong.error->reason.find("leads back"), std::string::npos);

    for (int i = 0; i < 20; ++i)
        touch("fs/aircraft/c" + std::to_string(i) + "/panel.cfg",
              crlf("[fltsim]|alias=c" + std::to_string(i + 1) + "|"));
    Read chain = readFile(at("fs/aircraft/c0/panel.cfg"));
    ASSERT_TRUE(chain.error);
    EXPECT_NE(chain.error->reason.find("more than 16"), std::string::npos);
}

// --- Structural errors, one fixture file each ---

TEST(PanelReaderBroken, EveryFixtureStopsWhereAndWhyItShould) {
    int cases = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(COCKPIX_FIXTURES_DIR) / "broken")) {
        if (entry.path().extension() != ".cfg")
            continue;
        ++cases;
        std::istringstream expect(fileText(fs::path(entry.path()).replace_extension(".expect")));
        int line = -1;
        std::string reason;
        expect >> line >> std::ws;
        std::getline(expect, reason);
        const Read read = readFile(entry.path().string());
        ASSERT_TRUE(read.error) << entry.path();
        EXPECT_EQ(read.error->line, line) << entry.path() << ": " << read.error->describe();
        EXPECT_EQ(read.error->reason.rfind(reason, 0), 0u)
            << entry.path() << ": " << read.error->reason << " / expected " << reason;
    }
    EXPECT_GE(cases, 15);
}

TEST(PanelReaderBroken, MissingFileDescribeAndWhatWasReadBeforeTheError) {
    Read read = readFile("/no/such/panel.cfg");
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->describe(), "/no/such/panel.cfg: the file cannot be opened");
    EXPECT_EQ(
        (fs98::ReadError{"p.cfg", 12, "gauge number 64 is out of range (0 to 63)"}.describe()),
        "p.cfg: line 12: gauge number 64 is out of range (0 to 63)");

    read = readWindow("file=a.bmp|gauge00=a,1,2|gauge70=b,1,2");
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.model->windowCount, 1);
    EXPECT_EQ(read.gauge(0, 0).gaugeName, "a");
}

// --- Robustness: nothing that can be in a file crashes, hangs or reads out of bounds ---

TEST(PanelReaderRobustness, EveryTruncationOfTheSampleEndsCleanly) {
    const std::string text = fileText(kSample);
    ASSERT_GT(text.size(), 500u);
    for (std::size_t length = 0; length <= text.size(); ++length) {
        Read read = readText(std::string_view(text).substr(0, length));
        EXPECT_LE(read.model->windowCount, fs98::kWindowSlots);
        EXPECT_TRUE(!read.error || !read.error->reason.empty());
    }
}

TEST(PanelReaderRobustness, RandomTextMadeOfPanelPiecesEndsCleanly) {
    std::vector<std::string> pieces(1, std::string(1, '\0'));
    std::istringstream list("[fltsim]|[Window Titles]|[Window0|[window09]|[8 bit colors]|"
                            "[Default View]|/ panel file generated|alias=|file=|gauge|Window0|c|"
                            "x=|=|,|,,|\r\n|\n|\r| |\t|0|5|63|64|.|-|&H|e|\\|/|\xE9|size_mm=|wi");
    for (std::string piece; std::getline(list, piece, '|');)
        pieces.push_back(piece);
    std::mt19937 random(20241206);
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        for (int i = static_cast<int>(random() % 60); i > 0; --i)
            text += random() % 8 == 0 ? std::string(1, static_cast<char>(random() % 256))
                                      : pieces[random() % pieces.size()];
        Read read = readText(text, round % 2 ? "/nowhere/aircraft/x/panel/" : "/nowhere/");
        EXPECT_LE(read.model->preambleLineCount, fs98::kPreambleSlots);
        EXPECT_LE(read.model->colorLineCount, fs98::kColorSlots);
        for (const fs98::PanelWindow& window : read.model->windows)
            EXPECT_LE(window.gaugeCount, fs98::kGaugeSlots);
    }
}

TEST(PanelDir, IsTheChosenFilesDirectoryEndingWithSlash) {
    EXPECT_EQ(fs98::panelDirFromChosenPath("/fs98/Aircraft/C182/Panel/panel.cfg"),
              "/fs98/Aircraft/C182/Panel/");
    // Another file name must not move the directory (cutting 9 characters would give /fs98/).
    EXPECT_EQ(fs98::panelDirFromChosenPath("  /fs98/x/my.cfg"), "/fs98/x/");
    EXPECT_EQ(fs98::panelDirFromChosenPath("short"), "/");
}

} // namespace
} // namespace cockpix

#include "panel/core/panelreader.h"

#include "base/core/scratchdir.h"
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
    std::unique_ptr<Panel> model = std::make_unique<Panel>();
    std::string panelDir;
    std::optional<ReadError> error;
    const PanelWindow& window(int w) const { return model->window(w); }
    const Gauge& gauge(int w, int g) const { return model->gauge(w, g); }
};

Read readText(std::string_view text, const std::string& panelDir = "/nowhere/panel/") {
    Read read;
    read.panelDir = panelDir;
    read.error = readPanelText(*read.model, read.panelDir, text, "panel.cfg");
    return read;
}

// Reads a file as Open does, with the panel directory of the chosen path.
Read readFile(const std::string& path, std::vector<std::string>* reroutes = nullptr) {
    Read read;
    read.panelDir = panelDirFromChosenPath(path);
    read.error =
        readPanelFile(*read.model, read.panelDir, path, [reroutes](const std::string& dir) {
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
    std::string lf, cr;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool lineEnd = text.compare(i, 2, "\r\n") == 0;
        lf += lineEnd ? '\n' : text[i];
        cr += lineEnd ? '\r' : text[i];
        i += lineEnd;
    }
    for (const std::string& variant : {text, lf, cr}) {
        Read read = readText(variant);
        ASSERT_FALSE(read.error) << read.error->describe();
        EXPECT_EQ(read.model->windowCount, 3);
        EXPECT_EQ(read.model->preambleLineCount, 3);
        EXPECT_EQ(read.model->preambleLine[1], "// Sample Cessna panel for COCKPIX");
        EXPECT_EQ(read.window(1).windowTitle, "Radio Stack");
        EXPECT_EQ(read.window(1).windowSizeRatio, 0.5);
        EXPECT_EQ(read.window(0).gaugeCount, 6);
        EXPECT_EQ(read.gauge(0, 1).gaugeName, "cessna_182.attitude");
        EXPECT_EQ(read.model->colorLine[3], "c02=64,64,72");
        EXPECT_EQ(read.model->defaultViewSizeY, 4096);
        // Window 2 has no windowsize_ratio line; Open turns its 0 into 1.
        EXPECT_EQ(read.window(2).windowSizeRatio, 0);
        applyOpenedRatioRule(*read.model);
        EXPECT_EQ(read.window(2).windowSizeRatio, 1);
    }
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

TEST(PanelReaderLines, WindowsBytesAreKeptAndOnlyAsciiLettersOfGaugeNamesLowered) {
    Read read = readText(crlf("// Caf\xE9 \x80 panel|[Window Titles]|Window00=Tableau \xC9t\xE9||"
                              "[Window00]|file=Fond_\xC9.bmp|gauge00=C182.\xC9"
                              "CRAN, 1, 2||" +
                              kEnd));
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.model->preambleLine[1], "// Caf\xE9 \x80 panel");
    EXPECT_EQ(read.window(0).windowTitle, "Tableau \xC9t\xE9");
    EXPECT_EQ(read.window(0).windowBitmap, "Fond_\xC9");
    EXPECT_EQ(read.gauge(0, 0).gaugeName, "c182.\xC9"
                                          "cran");
}

TEST(PanelReaderPreamble, KeepsTwentyLinesAndDropsTheGeneratedHeader) {
    std::string text;
    for (int i = 1; i <= 25; ++i)
        text += "// line " + std::to_string(i) + "|";
    Read many = readText(crlf(text + "[Window Titles]|Window00=A||// after a section|" + kEnd));
    ASSERT_FALSE(many.error);
    EXPECT_EQ(many.model->preambleLineCount, 20);
    EXPECT_EQ(many.model->preambleLine[20], "// line 20");

    Read generated = readText(crlf("// kept|/ Panel file generated by COCKPIX|// dropped|" + kEnd));
    ASSERT_FALSE(generated.error);
    EXPECT_EQ(generated.model->preambleLineCount, 1);
    EXPECT_EQ(generated.model->preambleLine[1], "// kept");
}

TEST(PanelReaderTitles, TitlesGoToSlotsInOrderOfAppearance) {
    Read read = readText(crlf(
        "[Window Titles]||; comment before|window05=Main|WINDOW00=  Radio = stack|wi=||" + kEnd));
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.model->windowCount, 3);
    EXPECT_EQ(read.window(0).windowTitle, "Main");
    EXPECT_EQ(read.window(1).windowTitle, "Radio = stack");
    EXPECT_EQ(read.window(2).windowTitle, "");
}

TEST(PanelReaderTitles, AHeaderRightAfterTheLastTitleOrColourLineIsConsumed) {
    Read titles =
        readText(crlf("[Window Titles]|Window00=Main|[Window00]|file=a.bmp|size_mm=640||" + kEnd));
    ASSERT_FALSE(titles.error);
    EXPECT_EQ(titles.model->windowCount, 1);
    EXPECT_EQ(titles.window(0).windowBitmap, "");
    EXPECT_EQ(titles.window(0).windowSizeMm, 0);

    Read colours = readText(crlf("[8 bit colors]|c00=1,2,3|[Default View]|X=5|Y=0|SIZE_X=1|"
                                 "SIZE_Y=1|// end"));
    ASSERT_FALSE(colours.error);
    EXPECT_EQ(colours.model->colorLineCount, 1);
    EXPECT_EQ(colours.model->defaultViewX, 0);
}

TEST(PanelReaderWindow, KeysAreTakenByFirstLetterOnlyAfterTheFileLine) {
    Read read = readWindow("size_mm=999|; a comment|FILE=c:\\a=  Panel.bmp|Size_mm=1 20|"
                           "windowsize_ratio=.75|position=8|visible=1|ident=&H10|unknown=5|zoom=3");
    ASSERT_FALSE(read.error) << read.error->describe();
    EXPECT_EQ(read.window(0).windowBitmap, "Panel");
    EXPECT_EQ(read.window(0).windowSizeMm, 120);
    EXPECT_EQ(read.window(0).windowSizeRatio, 0.75);
    EXPECT_EQ(read.window(0).windowPosition, 8);
    EXPECT_EQ(read.window(0).windowVisible, 1);
    EXPECT_FALSE(read.window(0).windowIdent.isText);
    EXPECT_EQ(read.window(0).windowIdent.number, 16);
    // The value runs back from the last character, which always belongs to it, to the
    // nearest "=".
    EXPECT_EQ(readWindow("file=a.bmp|ident=12=").window(0).windowIdent.number, 12);
    EXPECT_EQ(readWindow("file=x=ab.bmp=").window(0).windowBitmap, "ab.");
}

TEST(PanelReaderWindow, BracketLineEndsTheSectionAndIsRetestedAgainstFewerHeaders) {
    Read read = readText(crlf("[Window Titles]|Window00=A|Window01=B||[Window01]|file=b.bmp|"
                              "[fltsim]|alias=elsewhere|[Window00]|file=a.bmp|[Window Titles]|"
                              "Window02=C|[Window10]|[8 bit colors]|c=1||" +
                              kEnd));
    ASSERT_FALSE(read.error) << read.error->describe();
    EXPECT_EQ(read.model->windowCount, 2);
    EXPECT_EQ(read.window(1).windowBitmap, "b");
    EXPECT_EQ(read.window(0).windowBitmap, "a");
    EXPECT_EQ(read.window(2).windowTitle, "");
    EXPECT_EQ(read.model->colorLineCount, 1);
    EXPECT_EQ(read.model->defaultViewSizeY, 4);

    // End of file inside a window section ends reading normally.
    read = readText(crlf("[Window Titles]|Window00=A||[Window00]|file=a.bmp|gauge00=x,1,2"));
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.window(0).gaugeCount, 1);
    EXPECT_EQ(read.gauge(0, 0).gaugeName, "x");
}

TEST(PanelReaderGauges, FieldsSizeReferenceAndTheLastLineSetsTheCount) {
    Read read = readWindow("file=a.bmp|gauge05=  Cessna.Attitude , 100, 50|"
                           "gauge06=Cessna.Attitude, 100, 50, 96|gauge07=Cessna.Attitude, 100, 50,|"
                           "gauge08=Cessna.Attitude,1,2,3,4|gauge9=n,1,2|gauge100=n,1,2");
    ASSERT_FALSE(read.error) << read.error->describe();
    EXPECT_EQ(read.gauge(0, 5).gaugeName, "cessna.attitude ");
    EXPECT_EQ(read.gauge(0, 5).gaugeX, 100);
    EXPECT_EQ(read.gauge(0, 5).gaugeY, 50);
    EXPECT_EQ(read.gauge(0, 5).gaugeSize, 0);
    EXPECT_EQ(read.gauge(0, 5).gaugeRefSize, -1);
    EXPECT_EQ(read.gauge(0, 6).gaugeSize, 96);
    EXPECT_EQ(read.gauge(0, 6).gaugeRefSize, 0);
    EXPECT_EQ(read.gauge(0, 7).gaugeRefSize, -1);
    EXPECT_EQ(read.gauge(0, 8).gaugeSize, 3); // the fifth field stops the number
    EXPECT_EQ(read.gauge(0, 9).gaugeName, "n");
    EXPECT_EQ(read.gauge(0, 10).gaugeName, "n"); // gauge100 reads as 10
    EXPECT_EQ(read.window(0).gaugeCount, 11);

    read = readWindow("file=a.bmp|gauge00=a,1,2|gauge02=c,1,2|gauge01=b,1,2");
    EXPECT_EQ(read.window(0).gaugeCount, 2);
    EXPECT_EQ(read.gauge(0, 2).gaugeName, "c");
}

TEST(PanelReaderSections, ColourLinesAreKeptVerbatimAndFltsimWithoutAliasIsPassedOver) {
    Read read = readText(crlf("[8 bit colors]||; before|C00= 1, 2, 3 |c01=4,5,6|x|c02=7,8,9|" +
                              kEnd + "|[Window Titles]|Window00=never read|x"));
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.model->colorLineCount, 2);
    EXPECT_EQ(read.model->colorLine[1], "C00= 1, 2, 3 ");
    EXPECT_EQ(read.model->defaultViewX, 1);
    EXPECT_EQ(read.model->windowCount, 0); // reading stopped after the default view

    // The first non-empty line of the second [fltsim] is a header: it is still read.
    read = readText(crlf("[fltsim]||title=Cessna|[Window Titles]|Window00=A||[fltsim]||" + kEnd));
    ASSERT_FALSE(read.error) << read.error->describe();
    EXPECT_EQ(read.model->windowCount, 1);
    EXPECT_EQ(read.model->defaultViewSizeY, 4);
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
    EXPECT_EQ(rerouteMessage(expected).bytes(),
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
    EXPECT_EQ((ReadError{"p.cfg", 12, "gauge number 64 is out of range (0 to 63)"}.describe()),
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
        EXPECT_LE(read.model->windowCount, kWindowSlots);
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
        EXPECT_LE(read.model->preambleLineCount, kPreambleSlots);
        EXPECT_LE(read.model->colorLineCount, kColorSlots);
        for (const PanelWindow& window : read.model->windows)
            EXPECT_LE(window.gaugeCount, kGaugeSlots);
    }
}

TEST(PanelDir, IsTheChosenFilesDirectoryEndingWithSlash) {
    EXPECT_EQ(panelDirFromChosenPath("/fs98/Aircraft/C182/Panel/panel.cfg"),
              "/fs98/Aircraft/C182/Panel/");
    // Another file name must not move the directory (cutting 9 characters would give /fs98/).
    EXPECT_EQ(panelDirFromChosenPath("  /fs98/x/my.cfg"), "/fs98/x/");
    EXPECT_EQ(panelDirFromChosenPath("short"), "/");
}

} // namespace
} // namespace cockpix

#include "panel/core/panelreader.h"

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

const std::string kSample = std::string(COCKPIX_FIXTURES_DIR) +
                            "/../../samples/fs98/aircraft/sample_cessna/panel/panel.cfg";

// Joins lines with CR LF after each, as FS98 writes them.
std::string crlf(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines)
        (text += line) += "\r\n";
    return text;
}

std::string fileContent(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

struct Read {
    std::unique_ptr<PanelModel> model = std::make_unique<PanelModel>();
    std::optional<ReadError> error;
    const PanelWindow& window(int w) const { return model->window(w); }
    const Gauge& gauge(int w, int g) const { return model->gauge(w, g); }
};

Read readText(std::string_view text, const std::string& panelDir = "/nowhere/panel/") {
    Read read;
    read.model->clearModel();
    read.model->dirs.panelDir = panelDir;
    read.error = readPanelText(*read.model, text, "panel.cfg");
    return read;
}

// A window section body after a one-title list, for tests about window keys and gauges.
std::string oneWindow(std::initializer_list<std::string_view> sectionLines) {
    std::string text = crlf({"[Window Titles]", "Window00=Main", "", "[Window00]"});
    for (std::string_view line : sectionLines)
        (text += line) += "\r\n";
    return text + crlf({"", "[Default View]", "X=0", "Y=0", "SIZE_X=1", "SIZE_Y=1"});
}

TEST(PanelReaderSample, ReadsTheSampleCessna) {
    Read read = readText(fileContent(kSample));
    ASSERT_FALSE(read.error) << read.error->describe();
    EXPECT_EQ(read.model->windowCount, 3);
    EXPECT_EQ(read.model->preambleLineCount, 3);
    EXPECT_EQ(read.model->preambleLine[1], "// Sample Cessna panel for COCKPIX");
    EXPECT_EQ(read.window(1).windowTitle, "Radio Stack");
    EXPECT_EQ(read.window(0).windowBitmap, "panel_main");
    EXPECT_EQ(read.window(0).windowSizeMm, 640);
    EXPECT_EQ(read.window(1).windowSizeRatio, 0.5);
    EXPECT_EQ(read.window(0).windowPosition, 7);
    EXPECT_EQ(read.window(1).windowIdent.number, 50);
    EXPECT_EQ(read.window(0).gaugeCount, 6);
    EXPECT_EQ(read.gauge(0, 1).gaugeName, "cessna_182.attitude");
    EXPECT_EQ(read.gauge(0, 1).gaugeSize, 100);
    EXPECT_EQ(read.gauge(0, 0).gaugeRefSize, -1);
    EXPECT_EQ(read.model->colorLineCount, 3);
    EXPECT_EQ(read.model->colorLine[3], "c02=64,64,72");
    EXPECT_EQ(read.model->defaultViewSizeX, 8191);
    EXPECT_EQ(read.model->defaultViewSizeY, 4096);
    // Window 2 has no windowsize_ratio line; Open turns its 0 into 1.
    EXPECT_EQ(read.window(2).windowSizeRatio, 0);
    applyOpenedRatioRule(*read.model);
    EXPECT_EQ(read.window(2).windowSizeRatio, 1);
}

TEST(PanelReaderLines, CrLfLoneLfAndLoneCrGiveTheSameModel) {
    const std::string crlfText = fileContent(kSample);
    std::string lf, cr;
    for (std::size_t i = 0; i < crlfText.size(); ++i) {
        if (crlfText.compare(i, 2, "\r\n") == 0) {
            lf += '\n';
            cr += '\r';
            ++i;
        } else {
            lf += crlfText[i];
            cr += crlfText[i];
        }
    }
    for (const std::string& text : {lf, cr}) {
        Read read = readText(text);
        ASSERT_FALSE(read.error) << read.error->describe();
        EXPECT_EQ(read.model->windowCount, 3);
        EXPECT_EQ(read.window(0).gaugeCount, 6);
        EXPECT_EQ(read.gauge(0, 5).gaugeName, "cessna_182.vertical_speed");
        EXPECT_EQ(read.model->colorLineCount, 3);
        EXPECT_EQ(read.model->defaultViewSizeY, 4096);
    }
}

TEST(PanelReaderLines, TheLastLineOfTheFileIsNeverExaminedByTheMainScan) {
    // With or without a final line break, "last" is the same line.
    for (std::string_view text : {"// one\r\n// two\r\n", "// one\r\n// two", "// one\n// two\r"}) {
        Read read = readText(text);
        ASSERT_FALSE(read.error);
        EXPECT_EQ(read.model->preambleLineCount, 1) << text;
    }
    // An empty line after it makes the second line examined.
    EXPECT_EQ(readText("// one\r\n// two\r\n\r\n").model->preambleLineCount, 2);
    // A header as last line: its section is not read at all (no end-of-file error).
    Read header = readText("// one\r\n[Window Titles]\r\n");
    EXPECT_FALSE(header.error);
    EXPECT_EQ(header.model->windowCount, 0);
    // A file of one line reads as nothing.
    EXPECT_FALSE(readText("[8 bit colors]").error);
    // A section that ends on the file's last line leaves nothing to read: a normal end.
    Read titlesLast = readText("[Window Titles]\r\nWindow00=A\r\n\r\n");
    EXPECT_FALSE(titlesLast.error);
    EXPECT_EQ(titlesLast.model->windowCount, 1);
}

TEST(PanelReaderLines, WindowsBytesAreKeptAndOnlyAsciiLettersOfGaugeNamesLowered) {
    Read read = readText(crlf({"// Caf\xE9 \x80 panel", "[Window Titles]",
                               "Window00=Tableau \xC9t\xE9", "", "[Window00]", "file=Fond_\xC9.bmp",
                               "gauge00=C182.\xC9"
                               "CRAN, 1, 2",
                               "", "[Default View]", "X=0", "Y=0", "SIZE_X=1", "SIZE_Y=1"}));
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
        text += "// line " + std::to_string(i) + "\r\n";
    text += crlf({"[Window Titles]", "Window00=A", "", "// after a section", "[Default View]",
                  "X=0", "Y=0", "SIZE_X=1", "SIZE_Y=1"});
    Read many = readText(text);
    ASSERT_FALSE(many.error);
    EXPECT_EQ(many.model->preambleLineCount, 20);
    EXPECT_EQ(many.model->preambleLine[20], "// line 20");

    Read generated = readText(crlf({"// kept", "/ Panel file generated by COCKPIX", "// dropped",
                                    "[Default View]", "X=0", "Y=0", "SIZE_X=1", "SIZE_Y=1"}));
    ASSERT_FALSE(generated.error);
    EXPECT_EQ(generated.model->preambleLineCount, 1);
    EXPECT_EQ(generated.model->preambleLine[1], "// kept");
}

TEST(PanelReaderTitles, TitlesGoToSlotsInOrderOfAppearance) {
    Read read = readText(crlf({"[Window Titles]", "", "; comment before", "window05=Main",
                               "WINDOW00=  Radio = stack", "wi=", "", "[Default View]", "X=0",
                               "Y=0", "SIZE_X=1", "SIZE_Y=1"}));
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.model->windowCount, 3);
    EXPECT_EQ(read.window(0).windowTitle, "Main");
    EXPECT_EQ(read.window(1).windowTitle, "Radio = stack");
    EXPECT_EQ(read.window(2).windowTitle, "");
}

TEST(PanelReaderTitles, AHeaderRightAfterTheLastTitleOrColourLineIsConsumed) {
    Read titles =
        readText(crlf({"[Window Titles]", "Window00=Main", "[Window00]", "file=a.bmp",
                       "size_mm=640", "", "[Default View]", "X=0", "Y=0", "SIZE_X=1", "SIZE_Y=1"}));
    ASSERT_FALSE(titles.error);
    EXPECT_EQ(titles.model->windowCount, 1);
    EXPECT_EQ(titles.window(0).windowBitmap, "");
    EXPECT_EQ(titles.window(0).windowSizeMm, 0);

    Read colours = readText(crlf({"[8 bit colors]", "c00=1,2,3", "[Default View]", "X=5", "Y=0",
                                  "SIZE_X=1", "SIZE_Y=1", "// end"}));
    ASSERT_FALSE(colours.error);
    EXPECT_EQ(colours.model->colorLineCount, 1);
    EXPECT_EQ(colours.model->defaultViewX, 0);
}

TEST(PanelReaderWindow, KeysAreTakenByFirstLetterOnlyAfterTheFileLine) {
    Read read = readText(oneWindow({"size_mm=999", "; a comment", "FILE=c:\\a=  Panel.bmp",
                                    "Size_mm=1 20", "windowsize_ratio=.75", "position=8",
                                    "visible=1", "ident=&H10", "unknown=5", "zoom=3"}));
    ASSERT_FALSE(read.error) << read.error->describe();
    EXPECT_EQ(read.window(0).windowBitmap, "Panel");
    EXPECT_EQ(read.window(0).windowSizeMm, 120);
    EXPECT_EQ(read.window(0).windowSizeRatio, 0.75);
    EXPECT_EQ(read.window(0).windowPosition, 8);
    EXPECT_EQ(read.window(0).windowVisible, 1);
    EXPECT_FALSE(read.window(0).windowIdent.isText);
    EXPECT_EQ(read.window(0).windowIdent.number, 16);
    EXPECT_EQ(read.window(0).windowZoom, 1);
}

TEST(PanelReaderWindow, ValueRunsBackFromTheLastCharacterToTheNearestEquals) {
    // The last character always belongs to the value, even an "=".
    Read read = readText(oneWindow({"file=a.bmp", "ident=12="}));
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.window(0).windowIdent.number, 12);
    EXPECT_EQ(readText(oneWindow({"file=x=ab.bmp="})).window(0).windowBitmap, "ab.");
}

TEST(PanelReaderWindow, BracketLineEndsTheSectionAndIsRetestedAgainstFewerHeaders) {
    Read read = readText(crlf({"[Window Titles]",
                               "Window00=A",
                               "Window01=B",
                               "",
                               "[Window01]",
                               "file=b.bmp",
                               "[fltsim]",
                               "alias=elsewhere",
                               "[Window00]",
                               "file=a.bmp",
                               "[Window Titles]",
                               "Window02=C",
                               "[Window10]",
                               "[8 bit colors]",
                               "c=1",
                               "",
                               "[Default View]",
                               "X=1",
                               "Y=2",
                               "SIZE_X=3",
                               "SIZE_Y=4"}));
    ASSERT_FALSE(read.error) << read.error->describe();
    EXPECT_EQ(read.model->windowCount, 2);
    EXPECT_EQ(read.window(1).windowBitmap, "b");
    EXPECT_EQ(read.window(0).windowBitmap, "a");
    EXPECT_EQ(read.window(2).windowTitle, "");
    EXPECT_EQ(read.model->colorLineCount, 1);
    EXPECT_EQ(read.model->defaultViewSizeY, 4);
}

TEST(PanelReaderWindow, EndOfFileInsideAWindowSectionEndsReadingNormally) {
    Read read = readText(
        crlf({"[Window Titles]", "Window00=A", "", "[Window00]", "file=a.bmp", "gauge00=x,1,2"}));
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.window(0).gaugeCount, 1);
    EXPECT_EQ(read.gauge(0, 0).gaugeName, "x");
}

TEST(PanelReaderGauges, FieldsSizeAndReference) {
    Read read = readText(
        oneWindow({"file=a.bmp", "gauge05=  Cessna.Attitude , 100, 50",
                   "gauge06=Cessna.Attitude, 100, 50, 96", "gauge07=Cessna.Attitude, 100, 50,",
                   "gauge08=Cessna.Attitude,1,2,3,4", "gauge9=n,1,2", "gauge100=n,1,2"}));
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
}

TEST(PanelReaderGauges, TheLastGaugeLineSetsTheCount) {
    Read read =
        readText(oneWindow({"file=a.bmp", "gauge00=a,1,2", "gauge02=c,1,2", "gauge01=b,1,2"}));
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.window(0).gaugeCount, 2);
    EXPECT_EQ(read.gauge(0, 2).gaugeName, "c");
}

TEST(PanelReaderColors, KeepsColourLinesVerbatimFromTheFirstOne) {
    Read read = readText(crlf({"[8 bit colors]", "", "; before", "C00= 1, 2, 3 ", "c01=4,5,6", "x",
                               "c02=7,8,9", "[Default View]", "X=1", "Y=2", "SIZE_X=3", "SIZE_Y=4",
                               "[Window Titles]", "Window00=never read", "x"}));
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.model->colorLineCount, 2);
    EXPECT_EQ(read.model->colorLine[1], "C00= 1, 2, 3 ");
    EXPECT_EQ(read.model->defaultViewX, 1);
    EXPECT_EQ(read.model->windowCount, 0); // reading stopped after the default view
}

TEST(PanelReaderFltsim, ASectionWithoutAliasIsPassedOver) {
    Read read =
        readText(crlf({"[fltsim]", "", "title=Cessna", "[Window Titles]", "Window00=A", "",
                       "[fltsim]", "", "[Default View]", "X=1", "Y=2", "SIZE_X=3", "SIZE_Y=4"}));
    ASSERT_FALSE(read.error) << read.error->describe();
    EXPECT_EQ(read.model->windowCount, 1);
    // The first non-empty line of the second section is a header: it is still read.
    EXPECT_EQ(read.model->defaultViewSizeY, 4);
}

// --- Aliases, over a small FS98 tree on disk ---

class PanelReaderAlias : public ::testing::Test {
protected:
    void SetUp() override {
        m_root =
            fs::temp_directory_path() /
            ("cockpix_alias_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
    }
    void TearDown() override { fs::remove_all(m_root); }

    std::string write(const std::string& relative, const std::string& content) {
        const fs::path path = m_root / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    Read open(const std::string& path, std::vector<std::string>* reroutes = nullptr) {
        Read read;
        read.model->clearModel();
        read.model->dirs.panelDir = panelDirFromChosenPath(path);
        read.error = readPanelFile(*read.model, path, [reroutes](const std::string& dir) {
            if (reroutes)
                reroutes->push_back(dir);
        });
        return read;
    }

    fs::path m_root;
};

TEST_F(PanelReaderAlias, FollowsAnAliasWhateverTheCaseOnDisk) {
    write("FS98/Aircraft/C182/Panel/PANEL.CFG",
          crlf({"[Window Titles]", "Window00=C182 main", "", "[Window00]", "file=m.bmp", "x"}));
    const std::string mine = write("FS98/Aircraft/myplane/panel/panel.cfg",
                                   crlf({"// mine", "[fltsim]", "", "ALIAS=c182\\panel", ""}));
    std::vector<std::string> reroutes;
    Read read = open(mine, &reroutes);
    ASSERT_FALSE(read.error) << read.error->describe();
    const std::string expected = (m_root / "FS98/Aircraft/C182/Panel/").string();
    ASSERT_EQ(reroutes.size(), 1u);
    EXPECT_EQ(reroutes[0], expected);
    EXPECT_EQ(read.model->dirs.panelDir, expected);
    EXPECT_EQ(read.window(0).windowTitle, "C182 main");
    // The scan state starts again: the first file's preamble is not counted.
    EXPECT_EQ(read.model->preambleLineCount, 0);
    EXPECT_EQ(rerouteMessage(expected), "'panel.cfg' rerouted CockPix to [" + expected + "]");
}

TEST_F(PanelReaderAlias, KeepsTheAliasTextWhenNoDirectoryMatches) {
    const std::string mine =
        write("fs/aircraft/a/panel/panel.cfg", crlf({"[fltsim]", "alias=Gone\\Panel", ""}));
    Read read = open(mine);
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.model->dirs.panelDir, (m_root / "fs/aircraft/Gone/Panel/").string());
    EXPECT_EQ(read.error->reason, "the file cannot be opened");
}

TEST_F(PanelReaderAlias, AliasLoopsAndLongChainsAreStructuralErrors) {
    const std::string self =
        write("fs/aircraft/self/panel/panel.cfg", crlf({"[fltsim]", "alias=self\\panel", ""}));
    Read selfRead = open(self);
    ASSERT_TRUE(selfRead.error);
    EXPECT_EQ(selfRead.error->line, 2);
    EXPECT_NE(selfRead.error->reason.find("leads back"), std::string::npos);

    write("fs/aircraft/a/panel.cfg", crlf({"[fltsim]", "alias=b", ""}));
    write("fs/aircraft/b/panel.cfg", crlf({"[fltsim]", "alias=a", ""}));
    Read pingPong = open((m_root / "fs/aircraft/a/panel.cfg").string());
    ASSERT_TRUE(pingPong.error);
    EXPECT_NE(pingPong.error->reason.find("leads back"), std::string::npos);

    for (int i = 0; i < 20; ++i)
        write("fs/aircraft/c" + std::to_string(i) + "/panel.cfg",
              crlf({"[fltsim]", "alias=c" + std::to_string(i + 1), ""}));
    Read chain = open((m_root / "fs/aircraft/c0/panel.cfg").string());
    ASSERT_TRUE(chain.error);
    EXPECT_NE(chain.error->reason.find("more than 16"), std::string::npos);
}

TEST_F(PanelReaderAlias, OpensTheChosenFileWhateverItsCase) {
    const std::string real = write("x/Panel.CFG", fileContent(kSample));
    Read read = open((m_root / "x/panel.cfg").string());
    ASSERT_FALSE(read.error) << read.error->describe();
    EXPECT_EQ(read.model->windowCount, 3);
}

// --- Structural errors, one fixture file each ---

TEST(PanelReaderBroken, EveryFixtureStopsWhereAndWhyItShould) {
    const fs::path dir = fs::path(COCKPIX_FIXTURES_DIR) / "broken";
    int cases = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() != ".cfg")
            continue;
        ++cases;
        std::istringstream expect(fileContent(fs::path(entry.path()).replace_extension(".expect")));
        int line = -1;
        std::string reason;
        expect >> line >> std::ws;
        std::getline(expect, reason);
        Read read;
        read.model->clearModel();
        read.model->dirs.panelDir = panelDirFromChosenPath(entry.path().string());
        read.error = readPanelFile(*read.model, entry.path().string());
        ASSERT_TRUE(read.error) << entry.path();
        EXPECT_EQ(read.error->line, line) << entry.path() << ": " << read.error->describe();
        EXPECT_EQ(read.error->reason.rfind(reason, 0), 0u)
            << entry.path() << ": " << read.error->reason << " / expected " << reason;
    }
    EXPECT_GE(cases, 15);
}

TEST(PanelReaderBroken, MissingFileAndDescribe) {
    Read read;
    read.error = readPanelFile(*read.model, "/no/such/panel.cfg");
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->describe(), "/no/such/panel.cfg: the file cannot be opened");
    EXPECT_EQ((ReadError{"p.cfg", 12, "gauge number 64 is out of range (0 to 63)"}.describe()),
              "p.cfg: line 12: gauge number 64 is out of range (0 to 63)");
}

TEST(PanelReaderBroken, ModelKeepsWhatWasReadBeforeTheError) {
    Read read = readText(oneWindow({"file=a.bmp", "gauge00=a,1,2", "gauge70=b,1,2"}));
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.model->windowCount, 1);
    EXPECT_EQ(read.gauge(0, 0).gaugeName, "a");
}

// --- Robustness: nothing that can be in a file crashes, hangs or reads out of bounds ---

TEST(PanelReaderRobustness, EveryTruncationOfTheSampleEndsCleanly) {
    const std::string text = fileContent(kSample);
    ASSERT_GT(text.size(), 500u);
    for (std::size_t length = 0; length <= text.size(); ++length) {
        Read read = readText(std::string_view(text).substr(0, length));
        EXPECT_LE(read.model->windowCount, kWindowSlots);
        if (read.error) {
            EXPECT_FALSE(read.error->reason.empty());
        }
    }
}

TEST(PanelReaderRobustness, RandomTextMadeOfPanelPiecesEndsCleanly) {
    const std::vector<std::string> pieces = {"[fltsim]",
                                             "[Window Titles]",
                                             "[Window0",
                                             "[window09]",
                                             "[8 bit colors]",
                                             "[Default View]",
                                             "/ panel file generated",
                                             "alias=",
                                             "file=",
                                             "gauge",
                                             "Window0",
                                             "c",
                                             "x=",
                                             "=",
                                             ",",
                                             ",,",
                                             "\r\n",
                                             "\n",
                                             "\r",
                                             " ",
                                             "\t",
                                             "0",
                                             "5",
                                             "63",
                                             "64",
                                             ".",
                                             "-",
                                             "&H",
                                             "e",
                                             "\\",
                                             "/",
                                             "\xE9",
                                             std::string(1, '\0'),
                                             "size_mm=",
                                             "wi"};
    std::mt19937 random(20241206);
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % 60);
        for (int i = 0; i < count; ++i) {
            if (random() % 8 == 0)
                text += static_cast<char>(random() % 256);
            else
                text += pieces[random() % pieces.size()];
        }
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

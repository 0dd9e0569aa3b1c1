// The checker of panels of FS2000 and later, over an installation with a gauge of every
// kind FS loads.

#include "template/core/fs2k/checker.h"

#include "base/core/scratchdir.h"
#include "template/core/fs2kfixtures.h"
#include "template/core/fs98/checker.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

class Fs2kCheck : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        at = test::makeFs2kInstallation(root);
        if (!at.cabsMade)
            GTEST_SKIP() << "gcab is not installed";
        dirs.panelDir = at.panelDir.string() + "/";
        dirs.gaugesDir = at.gaugesDir.string() + "/";
    }
    std::vector<Finding> check(const fs2k::PanelLines& lines) {
        return fs2k::checkPanel(lines, fs2k::readPanel(lines), dirs, facts);
    }
    static std::string text(const std::vector<Finding>& findings) {
        std::string all;
        for (const Finding& finding : findings)
            all += findingText(UserText::path("panel.cfg"), finding).toUtf8() + "\n";
        return all;
    }

    test::Fs2kInstallation at;
    Directories dirs;
    CheckFacts facts;
};

TEST_F(Fs2kCheck, FindsEachFaultOnItsLine) {
    std::string expected =
        test::fileText(fs::path(COCKPIX_FIXTURES_DIR) / "fs2kcheck/faults.expect");
    expected.replace(expected.find("@GAUGES@"), 8, at.gaugesDir.string());
    EXPECT_EQ(text(check(fs2k::PanelLines(test::fs2kCheckPanel("faults.cfg")))), expected);
}

TEST_F(Fs2kCheck, NamesAreQuotedInThePanelsOwnEncoding) {
    const auto missing = [&](const std::string& name) {
        return text(check(fs2k::PanelLines(
            "[Window Titles]\nWindow00=Main\n[Window00]\nfile=" + name + "\nsize_mm=100\n")));
    };
    EXPECT_NE(missing("\xC3\x9C"
                      "bersicht.bmp")
                  .find("'\xC3\x9C"
                        "bersicht.bmp'"),
              std::string::npos); // UTF-8 stays as it is
    EXPECT_NE(missing("\xDC"
                      "bersicht.bmp")
                  .find("'\xC3\x9C"
                        "bersicht.bmp'"),
              std::string::npos); // Windows-1252 Ü becomes UTF-8
}

TEST_F(Fs2kCheck, GaugesOfEveryKindInAnyCaseAndPlaceAreFound) {
    EXPECT_EQ(text(check(fs2k::PanelLines(test::fs2kCheckPanel("clean.cfg")))), "");
    dirs.gaugesDir.clear(); // the panel folder's own gauges are found without it
    const fs2k::PanelLines lines("[Window Titles]\nWindow00=A\n[Window00]\nsize_mm=10,10\n"
                                 "gauge00=local!Thing,1,1\n");
    EXPECT_EQ(text(check(lines)), "panel.cfg: warning: the gauges directory is not set: gauges are "
                                  "looked for in the panel folder only [no-gauges-dir]\n");
}

TEST_F(Fs2kCheck, MsfsInstrumentsAreNumberedAndPlacedByTheirOwnKind) {
    EXPECT_EQ(text(check(fs2k::PanelLines(test::fs2kCheckPanel("msfs.cfg")))),
              test::fileText(fs::path(COCKPIX_FIXTURES_DIR) / "fs2kcheck/msfs.expect"));
    // The gap's fix numbers that kind again, and leaves the others' lines alone.
    fs2k::PanelLines lines(test::fs2kCheckPanel("msfs.cfg"));
    const std::string before = lines.bytes();
    const std::vector<Finding> findings = check(lines);
    const auto gap = std::find_if(findings.begin(), findings.end(),
                                  [](const Finding& f) { return f.code == "gauge-gap"; });
    ASSERT_NE(gap, findings.end());
    ASSERT_TRUE(gap->fix);
    ASSERT_TRUE(fs2k::applyFix(lines, *gap->fix));
    EXPECT_EQ(lines.text(9), "htmlgauge02=NavSystems/Demo/MFD/MFD.html, 2000, 0, 10, 10");
    for (std::size_t line = 0; line < lines.lineCount(); ++line) {
        if (line != 9) {
            EXPECT_EQ(lines.text(line), fs2k::PanelLines(before).text(line)) << line;
        }
    }
}

// A width of fourteen nines, an exponent FS reads as 1, a place beyond a hundred windows;
// a size of 0 and a comment after the last field are FS's own.
TEST_F(Fs2kCheck, PlacesFsCannotReachOrReadAreReported) {
    std::string found;
    for (const Finding& finding : check(fs2k::PanelLines(test::fs2kCheckPanel("places.cfg")))) {
        if (finding.code == "place-out-of-range" || finding.code == "number-form")
            found += findingText(UserText::path("panel.cfg"), finding).toUtf8() + "\n";
    }
    EXPECT_EQ(found, test::fs2kCheckPanel("places.expect"));
}

TEST_F(Fs2kCheck, FixesChangeOnlyTheLinesOfTheirGauges) {
    const std::string original = test::fs2kCheckPanel("faults.cfg");
    fs2k::PanelLines lines(original);
    for (const Finding& finding : check(lines)) {
        if (finding.fix) {
            EXPECT_TRUE(fs2k::applyFix(lines, *finding.fix)) << finding.code;
        }
    }
    // The EADI goes beside gauge00 (an outline 32 wide at 5, 5), not onto it.
    std::string expected = original;
    for (const auto& [from, to] :
         {std::pair{"gauge01=XmlPack!Needle, 100, 10", "gauge01=XmlPack!Needle, 63, 10"},
          std::pair{"gauge01=Dials!Clock", "gauge02=Dials!Clock"},
          std::pair{"gauge03=Dials!Compass", "gauge03=Dials!Compass"},
          std::pair{"EADI, 10, -40", "EADI, 37, 0"},
          std::pair{"local!Thing, 50, 50", "local!Thing, 9, 9"}})
        expected.replace(expected.find(from), std::string_view(from).size(), to);
    EXPECT_EQ(lines.bytes(), expected);
    const std::string after = text(check(lines));
    for (const char* gone : {"gauge-gap", "gauge-outside", "gauge-number-twice"})
        EXPECT_EQ(after.find(gone), std::string::npos) << after;
}

// Gauges that draw nothing (size 0, or 1 x 1 at the corner) are never outside, wherever they
// stand; a gauge moved back inside goes to the nearest place on no other gauge.
class Fs2kGaugePlaces : public ScratchDirTest {};

TEST_F(Fs2kGaugePlaces, LogicGaugesAreNeverOutsideAndAFixLandsOnNoOtherGauge) {
    const fs2k::PanelLines lines("[Window Titles]\nWindow00=Main\n[Window00]\npixel_size=100,50\n"
                                 "gauge00=Systems!ENG_SYS, 0,0,0,0\n"
                                 "gauge01=Systems!LOGIC, 0,0,1,1\n"
                                 "gauge02=Systems!FAR, 500,500,0,0\n"
                                 "gauge03=Dials!A, 60,10,40,30\n"
                                 "gauge04=Dials!B, 120,15,20,20\n");
    Directories dirs;
    dirs.panelDir = root.string() + "/";
    CheckFacts facts;
    std::vector<Finding> outside;
    for (const Finding& finding : fs2k::checkPanel(lines, fs2k::readPanel(lines), dirs, facts)) {
        if (finding.code == "gauge-outside")
            outside.push_back(finding);
    }
    ASSERT_EQ(outside.size(), 1u);
    EXPECT_EQ(outside[0].gauge, 4);
    ASSERT_TRUE(outside[0].fix);
    EXPECT_EQ(outside[0].fix->x, 40); // 80, 15 would lie on gauge03
    EXPECT_EQ(outside[0].fix->y, 15);
}

} // namespace
} // namespace cockpix

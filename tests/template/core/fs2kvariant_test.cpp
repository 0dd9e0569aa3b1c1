// MSFS variant panels checked with the base container they build on: an aircraft folder
// "Livery" whose aircraft.cfg names "..\Base", each written in a scratch folder.

#include "panel/core/fs2k/variant.h"
#include "template/core/fs2k/checker.h"

#include "base/core/scratchdir.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace cockpix {
namespace {

// The base: a VCockpit with an instrument outside it on line 6, and a second one.
constexpr const char* kBasePanel = "// base\n"
                                   "[VCockpit01]\n"
                                   "size_mm=100,100\n"
                                   "texture=$A\n"
                                   "htmlgauge00=X/A.html, 0, 0, 10, 10\n"
                                   "htmlgauge01=X/B.html, 300, 0, 10, 10\n"
                                   "[VCockpit02]\n"
                                   "size_mm=100,100\n"
                                   "texture=$B\n";

class VariantCheck : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        touch("Airplanes/Base/aircraft.cfg", "[VARIATION]\nbase_container=\"\"\n");
        touch("Airplanes/Base/panel/panel.cfg", kBasePanel);
        touch("Airplanes/Livery/aircraft.cfg", "[VARIATION]\nbase_container=\"..\\BASE\"\n");
    }
    // The codes and texts of the findings about variants and places, as the CLI prints them.
    std::string check(const std::string& variant, const std::string& folder = "panel.merged") {
        touch("Airplanes/Livery/" + folder + "/panel.cfg", variant);
        Directories dirs;
        dirs.panelDir = at("Airplanes/Livery/" + folder) + "/";
        const fs2k::PanelLines lines(variant);
        std::string all;
        for (const Finding& f : fs2k::checkPanel(lines, fs2k::readPanel(lines), dirs, facts)) {
            static const std::set<std::string> shown = {
                "base-not-used", "base-missing", "base-loop", "base-unreadable", "gauge-outside"};
            if (shown.contains(f.code))
                all += findingText(UserText::path("panel.cfg"), f).toUtf8() + "\n";
        }
        return all;
    }
    std::string base() const { return at("Airplanes/Base/panel/panel.cfg"); }

    CheckFacts facts;
};

// The variant replaces VCockpit01 (named in another case), so the base's instrument outside
// it is not in the panel MSFS builds; its own fault keeps its line, and VCockpit02's comes
// from the base and names it.
TEST_F(VariantCheck, MergedVariantIsCheckedWithTheBaseSectionsItKeeps) {
    const std::string variant = "[VARIATION]\noverride_base_container=0\n[vcockpit01]\n"
                                "size_mm=50,50\nhtmlgauge00=X/C.html, 60, 0, 5, 5\n";
    EXPECT_EQ(check(variant), "panel.cfg:5: error: htmlgauge00 at 60, 0 lies wholly outside "
                              "[vcockpit01] (50 x 50): FS does not show it [gauge-outside]\n");
    touch("Airplanes/Base/panel/panel.cfg",
          std::string(kBasePanel) + "htmlgauge00=X/D.html, 0, 200, 1, 2\n");
    EXPECT_EQ(check(variant),
              "panel.cfg: error: htmlgauge00 at 0, 200 lies wholly outside [VCockpit02] (100 x "
              "100): FS does not show it (in the base panel " +
                  base() + ":10) [gauge-outside]\n" +
                  "panel.cfg:5: error: htmlgauge00 at 60, 0 lies wholly outside [vcockpit01] (50 "
                  "x 50): FS does not show it [gauge-outside]\n");
}

TEST_F(VariantCheck, MergeKeepsTheVariantsLinesAndAddsTheBaseSectionsItLacks) {
    const fs2k::PanelLines own("[VARIATION]\r\noverride_base_container=0\r\n[VCOCKPIT02]");
    std::vector<fs2k::BasePanel> bases;
    bases.push_back({"base.cfg", fs2k::PanelLines(kBasePanel)});
    const fs2k::MergedPanel merged(own, bases);
    EXPECT_EQ(merged.lines().bytes(), "[VARIATION]\r\noverride_base_container=0\r\n[VCOCKPIT02]\r\n"
                                      "[VCockpit01]\r\nsize_mm=100,100\r\ntexture=$A\r\n"
                                      "htmlgauge00=X/A.html, 0, 0, 10, 10\r\n"
                                      "htmlgauge01=X/B.html, 300, 0, 10, 10\r\n");
    EXPECT_EQ(merged.ownLineCount(), 3u);
    EXPECT_EQ(merged.origin(4).line, 2u); // size_mm= of the base's VCockpit01
}

// With 1 or no key the variant's file is the whole panel: a note says the base is not used.
// A base that is not there, cannot be read, or leads back round is a finding, never a hang.
TEST_F(VariantCheck, EachWayABaseIsNotUsedIsSaid) {
    EXPECT_EQ(check("[VARIATION]\noverride_base_container=1\n"),
              "panel.cfg:2: note: the base container's panel (" + base() +
                  ") is not used: override_base_container is not 0 [base-not-used]\n");
    EXPECT_EQ(check("[VPainting01]\nsize_mm=1,1\n"),
              "panel.cfg: note: the base container's panel (" + base() +
                  ") is not used: override_base_container is not 0 [base-not-used]\n");

    touch("Airplanes/Base/panel/panel.cfg", std::string("[VCockpit09]\0\x01\x02", 16));
    EXPECT_EQ(check("[VARIATION]\noverride_base_container=0\n"),
              "panel.cfg:2: error: the base container's panel " + base() +
                  " cannot be read as text: MSFS builds the panel from the base containers it "
                  "can read [base-unreadable]\n");

    // Base names Livery back (2024's [LIVERY] key), and its panel merges too.
    touch("Airplanes/Base/aircraft.cfg", "[LIVERY]\nbase_container = \"..\\Livery\"\n");
    touch("Airplanes/Base/panel/panel.cfg", "[VARIATION]\noverride_base_container=0\n");
    touch("Airplanes/Livery/panel/panel.cfg", "[VARIATION]\noverride_base_container=0\n");
    EXPECT_EQ(check("[VARIATION]\noverride_base_container=0\n"),
              "panel.cfg:2: error: the base containers name each other in a loop, back to " +
                  base() +
                  ": MSFS builds the panel from the base containers it can read [base-loop]\n");

    std::filesystem::remove_all(root / "Airplanes/Base");
    EXPECT_EQ(check("[VARIATION]\noverride_base_container=0\n"),
              "panel.cfg:2: error: the base container's panel " + at("Airplanes/BASE") +
                  "/panel/panel.cfg is not there: MSFS builds the panel from the base "
                  "containers it can read [base-missing]\n");
}

} // namespace
} // namespace cockpix

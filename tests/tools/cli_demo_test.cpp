// The demo as a newcomer meets it from the README: cockpix-cli run on the generated demo
// from an empty folder, with no settings file.

#include "base/core/scratchdir.h"
#include "tools/clirun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using cockpix::test::CliRun;
using cockpix::test::npos;
using cockpix::test::runCli;

class DemoCommands : public cockpix::ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        const fs::path demo = COCKPIX_BIN_DIR "/../demo/fs98";
        if (!fs::exists(demo / "gauges"))
            GTEST_SKIP() << "the demo installation was not generated into the build";
        fs::copy(demo, root / "fs98", fs::copy_options::recursive);
        fs::copy(demo / "../msfs", root / "msfs", fs::copy_options::recursive);
        fs::remove_all(root / "fs98/gauges/bmp");
        fs::create_directories(root / "work");
    }
    std::string panel(const char* aircraft) const {
        return at("fs98/aircraft/" + std::string(aircraft) + "/panel/panel.cfg");
    }
    // A panel folder of the MSFS package's jet: "panel" or "panel.variant", or of its livery
    // ("cockpix-demo-jet-livery/panel.merged").
    std::string msfsPanel(const char* folder) const {
        const std::string relative(folder);
        return at(
            "msfs/Community/cockpix-demo-msfs/SimObjects/Airplanes/" +
            (relative.find('/') == std::string::npos ? "cockpix-demo-jet/" + relative : relative) +
            "/panel.cfg");
    }
    CliRun run(const std::vector<std::string>& args) { return runCli(root / "work", args); }
    // What the commands left in the working folder, besides runCli's own output files.
    std::set<std::string> leftInWork() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(root / "work"))
            names.insert(entry.path().filename().string());
        names.erase("cli_stdout.txt");
        names.erase("cli_stderr.txt");
        return names;
    }
};

// FS98 shows a module once in a panel, so the demo, an example of a good panel, has no
// error; its warnings are there on purpose (the README names them).
TEST_F(DemoCommands, CheckFindsTheDemosGaugesAndNoError) {
    for (const char* aircraft : {"demo_cessna", "demo_alias"}) {
        SCOPED_TRACE(aircraft);
        const CliRun result = run({"check", panel(aircraft)});
        EXPECT_EQ(result.out.find(": error: "), npos) << result.out;
        EXPECT_EQ(result.out.find("[no-gauges-dir]"), npos) << result.out;
        EXPECT_NE(result.out.find("[module-no-size]"), npos) << result.out;
        EXPECT_EQ(result.status, 1);
    }
    EXPECT_EQ(leftInWork(), std::set<std::string>{});
}

// The demo jet is a panel of FS2000 and later with every kind of window and gauge: FS finds
// each of its gauges (a folder of XML, a cabinet beside the panel, FS98 modules) and the
// checker has nothing to say of it.
TEST_F(DemoCommands, TheDemoJetIsAFs2kPanelWithNoFinding) {
    CliRun result = run({"check", panel("demo_jet")});
    EXPECT_EQ(result.status, 0) << result.out;
    EXPECT_NE(result.out.find("read as a panel of FS2000 and later"), npos) << result.out;
    EXPECT_EQ(result.out.find(": error: "), npos) << result.out;
    EXPECT_EQ(result.out.find(": warning: "), npos) << result.out;

    result = run({"dump", panel("demo_jet")});
    EXPECT_EQ(result.status, 0);
    for (const char* shown : {"Main panel", "Radios", "Cylinder temperature", "Vcockpit01",
                              "DemoJet_Radios!NavCom", "DemoJet!Vertical Speed"})
        EXPECT_NE(result.out.find(shown), npos) << shown;
    EXPECT_EQ(leftInWork(), std::set<std::string>{});

    // Drawn as its windows show it: every gauge found (the annunciator's XML draws no
    // picture of its own, and says so).
    result = run({"render", panel("demo_jet"), "--window", "0", "--out", "jet.png"});
    if (result.err.find("built without Qt") != npos)
        GTEST_SKIP() << "cockpix-cli was built without Qt (COCKPIX_GUI=OFF)";
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "DemoJet!Annunciator: Annunciator.xml names no picture\n");
    result = run({"render", panel("demo_jet"), "--window", "Vcockpit01", "--out", "vc.png"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(leftInWork(), (std::set<std::string>{"jet.png", "vc.png"}));
}

// The MSFS package is an example of a good MSFS panel: the base panel and the variant panel
// folder are found in their package and check clean (the XML gauges are found in the panel
// folder), and the dump lists each section with its instruments, the WASM one and the
// painting among them.
TEST_F(DemoCommands, TheDemoMsfsPackageChecksCleanAndListsItsSections) {
    const std::vector<std::pair<const char*, std::vector<const char*>>> panels = {
        {"panel",
         {"VCockpit01", "\"$PFD_Left,$PFD_Right\"", "CockpixDemo/PFD/PFD.html?Index=1",
          "CockpixDemo/MFD/MFD.html?Index=1&Page=Map",
          "WasmInstrument/WasmInstrument.html?wasm_module=cockpixdemo.wasm&wasm_gauge=demo_gauge",
          "Vcockpit03", "CockpixDemo!Clock", "VCockpit05", "VPainting01",
          "Registration/Registration.html?font_color=white"}},
        {"panel.variant", {"VPainting02", "font_color=black"}},
        // Checked with the base's sections it keeps: clean too.
        {"cockpix-demo-jet-livery/panel.merged", {"VPainting01", "font_color=red"}},
    };
    for (const auto& [folder, shown] : panels) {
        SCOPED_TRACE(folder);
        CliRun result = run({"check", msfsPanel(folder)});
        EXPECT_EQ(result.status, 0) << result.out;
        EXPECT_NE(result.out.find("in MSFS package cockpix-demo-msfs"), npos) << result.out;
        result = run({"dump", msfsPanel(folder)});
        EXPECT_EQ(result.status, 0) << result.err;
        for (const char* text : shown)
            EXPECT_NE(result.out.find(text), npos) << text;
    }
    // The whole Community folder in one command: every panel of the package, clean.
    const CliRun community = run({"check", at("msfs/Community")});
    EXPECT_EQ(community.out.substr(community.out.rfind('\n', community.out.size() - 2) + 1),
              "3 panels: 0 with errors, 0 with warnings, 3 clean\n");
    EXPECT_EQ(community.status, 0);
    // The module the WASM instrument names lies beside the panel.cfg, as MSFS looks for it.
    EXPECT_TRUE(
        fs::is_regular_file(fs::path(msfsPanel("panel")).parent_path() / "cockpixdemo.wasm"));
    EXPECT_EQ(leftInWork(), std::set<std::string>{});
}

TEST_F(DemoCommands, RenderDrawsEveryGaugeAndWritesOnlyThePicture) {
    CliRun result = run({"render", panel("demo_cessna"), "--window", "0", "--out", "main.png"});
    if (result.err.find("built without Qt") != npos)
        GTEST_SKIP() << "cockpix-cli was built without Qt (COCKPIX_GUI=OFF)";
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "") << "every gauge of the main panel is cut out of its module";
    EXPECT_EQ(leftInWork(), std::set<std::string>{"main.png"});
    EXPECT_TRUE(fs::exists(root / "fs98/gauges/bmp/cessna_182.airspeed.bmp"));

    // A work directory that cannot be made (as in an installed demo) still gives every gauge.
    cockpix::test::writeFile(root / "not_a_folder", "x");
    result = run({"render", panel("demo_cessna"), "--window", "1", "--out", "radio.png",
                  "--bmp-dir", at("not_a_folder/bmp")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(leftInWork(), (std::set<std::string>{"main.png", "radio.png"}));

    // A panel outside any FS98 installation, with no settings: the command says what is
    // missing instead of drawing the default picture for every gauge.
    fs::create_directories(root / "loose");
    fs::copy_file(panel("demo_cessna"), root / "loose/panel.cfg");
    result = run({"render", at("loose/panel.cfg"), "--window", "0", "--out", "loose.png"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("no gauges directory"), npos) << result.err;
    EXPECT_NE(result.err.find("--gauges-dir"), npos) << result.err;
    EXPECT_EQ(leftInWork(), (std::set<std::string>{"main.png", "radio.png"}));
}

} // namespace

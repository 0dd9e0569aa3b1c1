// Black-box tests of "cockpix-cli dump".

#include "base/core/scratchdir.h"
#include "tools/clirun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSampleRoot = fs::path(COCKPIX_FIXTURES_DIR) / "../../samples/fs98/aircraft";

using cockpix::test::CliRun;
using cockpix::test::runCli;
using DumpCommand = cockpix::ScratchDirTest;

// The complete dump of each panel of tests/fixtures/dump. FS98's one window: the texts
// become UTF-8 and are escaped, numbers are JSON numbers, every window slot is listed and
// Open's ratio rule turns window 0's missing ratio into 1. MSFS's: every VCockpit and VPainting
// with its instruments, path and query apart, beside the XML gauges. Comparing them whole also
// proves that the output is valid JSON.
TEST_F(DumpCommand, PrintsTheWholeModelAsJson) {
    for (const char* name : {"one_window", "msfs_panel", "msfs_variant"}) {
        const fs::path fixture = fs::path(COCKPIX_FIXTURES_DIR) / "dump" / name;
        const fs::path dir = root / name;
        fs::create_directories(dir);
        fs::copy_file(fixture.string() + ".cfg", dir / "panel.cfg");
        std::string expected = cockpix::test::fileText(fixture.string() + ".json");
        expected.replace(expected.find("@DIR@"), 5, fs::canonical(dir).string());
        const CliRun run = runCli(root, {"dump", fs::canonical(dir / "panel.cfg").string()});
        ASSERT_EQ(run.status, 0) << name << run.err;
        EXPECT_EQ(run.err, "") << name;
        EXPECT_EQ(run.out, expected) << name;
    }
    EXPECT_FALSE(fs::exists(root / "config")); // the settings file is never written
}

TEST_F(DumpCommand, FollowsAnAliasAndSaysSoOnStderr) {
    const fs::path alias = fs::canonical(kSampleRoot / "sample_alias/panel/panel.cfg");
    const std::string cessnaDir = fs::canonical(kSampleRoot / "sample_cessna/panel").string() + "/";
    const CliRun run = runCli(root, {"dump", alias.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "'panel.cfg' rerouted CockPix to [" + cessnaDir + "]\n");
    EXPECT_NE(run.out.find("\"panelDir\": \"" + cessnaDir + "\""), std::string::npos);
    EXPECT_NE(run.out.find("\"windowTitle\": \"Main Panel\""), std::string::npos);
}

TEST_F(DumpCommand, StructuralErrorsGoToStderrWithStatusTwo) {
    const fs::path broken = fs::path(COCKPIX_FIXTURES_DIR) / "broken/gauge_64.cfg";
    const CliRun run = runCli(root, {"dump", broken.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Abnormal structure of 'Panel.cfg'.\n"
                       "Please edit and correct 'panel.cfg' manually.\n" +
                           broken.string() +
                           ": line 6: gauge number 64 is out of range (0 to 63)\n");
}

// An FS98 panel is read in place: a folder and a name in another case than on disk come out
// as when the file was read into memory. An empty file is a panel of MSFS without windows.
TEST_F(DumpCommand, ReadsFs98PanelsInPlaceWithTheSameOutcomes) {
    cockpix::test::writeFile(root / "empty" / "panel.cfg", "");
    const CliRun empty = runCli(root, {"dump", at("empty/panel.cfg")});
    EXPECT_EQ(empty.status, 0) << empty.err;
    EXPECT_NE(empty.out.find("\"windows\": []"), std::string::npos) << empty.out;

    fs::create_directories(root / "folder.cfg");
    const CliRun folder = runCli(root, {"dump", at("folder.cfg")});
    EXPECT_EQ(folder.status, 2);
    EXPECT_EQ(folder.out, "");

    cockpix::test::writeFile(root / "cased" / "PANEL.CFG",
                             "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\n"
                             "file=a.bmp\r\nsize_mm=640\r\ngauge00=g,1,2,96\r\n");
    const CliRun cased = runCli(root, {"dump", at("cased/panel.cfg")});
    EXPECT_EQ(cased.status, 0) << cased.err;
    EXPECT_NE(cased.out.find("\"windowTitle\": \"Main\""), std::string::npos) << cased.out;
    EXPECT_NE(cased.out.find("\"gaugeName\": \"g\""), std::string::npos) << cased.out;
}

// A big file is read as an FS98 panel while its format is still being told; what is said
// is what a small file of the same lines gets, once.
TEST_F(DumpCommand, ABigFileComesOutAsASmallOneOfTheSameLines) {
    std::string padding;
    while (padding.size() < (2 << 20))
        padding += "; a comment line that makes the file big\r\n";
    const std::string window = "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\n"
                               "file=a.bmp\r\nsize_mm=640\r\n" +
                               padding;
    cockpix::test::writeFile(root / "fs98" / "panel.cfg", window + "gauge00=g,1,2,96\r\n");
    const CliRun fs98 = runCli(root, {"dump", at("fs98/panel.cfg")});
    EXPECT_EQ(fs98.status, 0) << fs98.err;
    EXPECT_EQ(fs98.err, "");
    EXPECT_NE(fs98.out.find("\"gaugeName\": \"g\""), std::string::npos);

    cockpix::test::writeFile(root / "broken" / "panel.cfg", window + "gauge64=g,1,2,96\r\n");
    const auto gaugeLine = std::count(window.begin(), window.end(), '\n') + 1;
    const CliRun broken = runCli(root, {"dump", at("broken/panel.cfg")});
    EXPECT_EQ(broken.status, 2);
    EXPECT_EQ(broken.out, "");
    EXPECT_EQ(broken.err, "Abnormal structure of 'Panel.cfg'.\n"
                          "Please edit and correct 'panel.cfg' manually.\n" +
                              at("broken/panel.cfg") + ": line " + std::to_string(gaugeLine) +
                              ": gauge number 64 is out of range (0 to 63)\n");

    // A mark of the fs2k format at the very end: the FS98 reading is dropped unheard.
    cockpix::test::writeFile(root / "later" / "panel.cfg",
                             window + "gauge64=g,1,2,96\r\n[VIEWS]\r\n");
    const CliRun later = runCli(root, {"dump", at("later/panel.cfg")});
    EXPECT_EQ(later.status, 0) << later.err;
    EXPECT_EQ(later.err, "");
    EXPECT_NE(later.out.find("\"format\": \"FS2000 and later\""), std::string::npos);

    // An alias at the end of a big file leads to the panel it names, as in a small one.
    cockpix::test::writeFile(root / "aircraft" / "target" / "panel" / "panel.cfg",
                             window + "gauge00=g,1,2,96\r\n");
    cockpix::test::writeFile(root / "aircraft" / "big" / "panel" / "panel.cfg",
                             padding + "[fltsim]\r\nalias=target\\panel\r\n");
    const CliRun alias = runCli(root, {"dump", at("aircraft/big/panel/panel.cfg")});
    EXPECT_EQ(alias.status, 0) << alias.err;
    EXPECT_EQ(alias.err, "'panel.cfg' rerouted CockPix to [" +
                             fs::canonical(root / "aircraft/target/panel").string() + "/]\n");
    EXPECT_NE(alias.out.find("\"gaugeName\": \"g\""), std::string::npos);
}

// An fs2k panel is dumped as what its lines set, in LF and CR LF alike: every title and
// gauge by name, with the line it stands on; lines no one can read do not stop it.
TEST_F(DumpCommand, NamesEveryTitleAndGaugeOfAFs2kPanel) {
    const fs::path later = fs::path(COCKPIX_FIXTURES_DIR) / "fs2k";
    std::string text = cockpix::test::fileText(later / "mixed_sections.cfg");
    for (const std::string end : {"\n", "\r\n"}) {
        const std::string converted = cockpix::test::withLineEnds(text, end);
        cockpix::test::writeFile(root / "panel.cfg", converted);
        const CliRun run = runCli(root, {"dump", at("panel.cfg")});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("\"format\": \"FS2000 and later\""), std::string::npos);
        EXPECT_NE(run.out.find("\"title\": \"GPS \xC3\xA9"
                               "cran\",\n      \"line\": 8"),
                  std::string::npos);
        for (const char* gauge : {"LVLD\\\\B767main!EADI", "172Things!Avionics Switch",
                                  "Cessna!Altimeter", "fs9gps!gps_500", "Overhead!Fuel Pump"})
            EXPECT_NE(run.out.find("\"name\": \"" + std::string(gauge) + "\""), std::string::npos)
                << gauge;
        EXPECT_NE(run.out.find("\"fields\": [\n            \"221\",\n            \"\",\n"),
                  std::string::npos);
    }
    const CliRun bad = runCli(root, {"dump", (later / "malformed.cfg").string()});
    EXPECT_EQ(bad.status, 0) << bad.err;
    EXPECT_NE(bad.out.find("\"name\": \"no commas at all\""), std::string::npos);
}

} // namespace

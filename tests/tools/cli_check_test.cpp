// Black-box tests of "cockpix-cli check", "backups" and "restore".

#include "base/core/scratchdir.h"
#include "template/core/checkfixtures.h"
#include "template/core/fs2kfixtures.h"
#include "tools/clirun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <regex>
#include <string>
#include <unistd.h>
#include <vector>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using cockpix::test::CliRun;
using cockpix::test::fileText;
using cockpix::test::npos;

class CheckCommand : public cockpix::ScratchDirTest {
protected:
    // The case installed under root/<name>, checked from inside its panel directory.
    CliRun checkCase(const fs::path& caseDir, std::vector<std::string> extra = {}) {
        const auto installation =
            cockpix::test::makeCheckInstallation(root / caseDir.filename(), caseDir);
        const fs::path panelDir = installation.panelFile.parent_path();
        fs::create_directories(panelDir / "config");
        std::vector<std::string> args{"check", "panel.cfg", "--gauges-dir",
                                      installation.dirs.gaugesDir};
        args.insert(args.end(), extra.begin(), extra.end());
        return cockpix::test::runCli(panelDir, args);
    }
};

// The core tests hold every case's findings; here one case of each exit status: nothing
// found, warnings only, an error, a panel that cannot be read.
TEST_F(CheckCommand, PrintsTheFindingsWithTheExitStatusOfTheWorst) {
    const std::pair<const char*, int> cases[] = {
        {"clean", 0}, {"key_twice", 1}, {"module_twice", 1}, {"unreadable", 2}};
    for (const auto& [name, status] : cases) {
        SCOPED_TRACE(name);
        const fs::path caseDir = cockpix::test::checkCasesDir() / name;
        const CliRun run = checkCase(caseDir);
        EXPECT_EQ(run.out, "panel.cfg: note: read as a panel of FS98\n" +
                               fileText(caseDir / "expected.txt"));
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.status, status);
    }
}

TEST_F(CheckCommand, JsonHoldsTheSameFindingsWithTheirFixes) {
    const CliRun run = checkCase(cockpix::test::checkCasesDir() / "module_twice", {"--json"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, fileText(cockpix::test::checkCasesDir() / "module_twice/expected.json"));
    const CliRun clean = checkCase(cockpix::test::checkCasesDir() / "clean", {"--json"});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out,
              "{\n  \"file\": \"panel.cfg\",\n  \"format\": \"FS98\",\n  \"findings\": []\n}\n");
}

TEST_F(CheckCommand, AnAliasedPanelIsCheckedWithTheLinesOfTheFileItLeadsTo) {
    const auto installation = cockpix::test::makeCheckInstallation(
        root, cockpix::test::checkCasesDir() / "module_missing");
    const std::string alias =
        touch("aircraft/alias/panel/panel.cfg", "[fltsim]\r\nalias=test\\panel\r\n");
    fs::create_directories(root / "config");
    const CliRun run =
        cockpix::test::runCli(root, {"check", alias, "--gauges-dir", installation.dirs.gaugesDir});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, installation.panelFile.string() + ": note: read as a panel of FS98\n" +
                           installation.panelFile.string() +
                           ":14: error: the gauge module 'test.absent.gau' is not in the gauges "
                           "directory [module-missing]\n");
}

// A tree of aircraft: an fs2k panel with faults, a clean one named in capitals, an FS98 panel
// that cannot be read and an fs2k one aliased to it. Each panel with findings is listed with its
// format; clean ones are only counted.
TEST_F(CheckCommand, ATreeIsCheckedInOneRunAndCounted) {
    const auto at = cockpix::test::makeFs2kInstallation(root / "fs");
    if (!at.cabsMade)
        GTEST_SKIP() << "gcab is not installed";
    cockpix::test::writeFile(at.panelDir / "panel.cfg",
                             cockpix::test::fs2kCheckPanel("faults.cfg"));
    const fs::path clean = root / "fs/aircraft/clean/PANEL";
    fs::create_directories(clean);
    fs::copy(at.panelDir, clean, fs::copy_options::recursive);
    fs::remove(clean / "panel.cfg");
    cockpix::test::writeFile(clean / "Panel.CFG", cockpix::test::fs2kCheckPanel("clean.cfg"));
    cockpix::test::writeFile(root / "fs/aircraft/old/panel/panel.cfg",
                             "[Window Titles]\r\nno title\r\n\r\n");
    // An fs2k panel whose alias leads to that FS98 one is checked as the FS98 panel.
    cockpix::test::writeFile(root / "fs/aircraft/twin/panel/panel.cfg",
                             "[fltsim]\r\nalias=old\\panel\r\n[VIEWS]\r\n");
    fs::create_directories(root / "config");

    const CliRun run = cockpix::test::runCli(root, {"check", "fs"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "");
    const std::string faults = "fs/aircraft/test/panel/panel.cfg";
    EXPECT_EQ(run.out.find("fs/aircraft/old/panel/panel.cfg: note: read as a panel of FS98\n"
                           "fs/aircraft/old/panel/panel.cfg:3: error: the panel cannot be read"),
              0u)
        << run.out;
    // The FS2004 panel's gauges are found in the installation it lies in.
    EXPECT_NE(run.out.find(faults +
                           ": note: read as a panel of FS2000 and later, in FS98 to FS2004 "
                           "installation " +
                           (root / "fs").string() + "\n" + faults +
                           ":5: warning: the title of Window02"),
              npos);
    EXPECT_EQ(run.out.find("aircraft/clean"), npos);
    const std::string old = (root / "fs/aircraft/old/panel/panel.cfg").string();
    EXPECT_NE(run.out.find("\n" + old + ": note: read as a panel of FS98\n" + old +
                           ":3: error: the panel cannot be read"),
              npos);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2 + 1 + 13 + 2 + 1);
    EXPECT_EQ(run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1),
              "4 panels: 3 with errors, 0 with warnings, 1 clean\n");

    const CliRun json = cockpix::test::runCli(root, {"check", "fs", "--json"});
    EXPECT_EQ(json.status, 2);
    EXPECT_EQ(json.out.front(), '[');
    EXPECT_NE(json.out.find("\"file\": \"fs/aircraft/clean/PANEL/Panel.CFG\",\n"
                            "    \"format\": \"FS2000 and later\",\n    \"findings\": []"),
              npos);
    EXPECT_EQ(json.err, "4 panels: 3 with errors, 0 with warnings, 1 clean\n");
}

// With no gauges directory set, an FSX panel's gauges are found in ROOT/Gauges, and the note
// names the installation; a package's broken manifest.json is one more note.
TEST_F(CheckCommand, TheInstallationThePanelLiesInIsNamedAndSearched) {
    touch("FSX/gauges/Round.gau", "module");
    const std::string fsx = touch("FSX/SimObjects/Airplanes/X/panel/panel.cfg",
                                  "[Window Titles]\r\nWindow00=Main\r\n[Window00]\r\n"
                                  "size_mm=100,100\r\ngauge00=ROUND!Needle, 1, 1, 9, 9\r\n");
    const std::string msfs =
        touch("Community/bad/SimObjects/Airplanes/X/panel/panel.cfg", "[VIEWS]\r\n");
    touch("Community/bad/manifest.json", "{\"title\": ");
    fs::create_directories(root / "config");
    const CliRun fsxRun = cockpix::test::runCli(root, {"check", fsx});
    EXPECT_EQ(fsxRun.out.find(fsx +
                              ": note: read as a panel of FS2000 and later, in FSX or "
                              "Prepar3D installation " +
                              at("FSX") + "\n"),
              0u)
        << fsxRun.out;
    EXPECT_EQ(fsxRun.out.find("gauge"), npos) << fsxRun.out; // neither missing nor unsearched
    const CliRun msfsRun = cockpix::test::runCli(root, {"check", msfs});
    EXPECT_EQ(msfsRun.out.find(msfs +
                               ": note: read as a panel of FS2000 and later, in MSFS "
                               "package bad\n" +
                               msfs + ": note: manifest.json of bad: "),
              0u)
        << msfsRun.out;
}

// The walk takes a panel.cfg that is a link to a file, but walks into no linked folder: a
// link back up the tree ends nothing and counts nothing twice.
TEST_F(CheckCommand, TheWalkFollowsLinkedFilesButNotLinkedFolders) {
    cockpix::test::writeFile(root / "fs/aircraft/a/panel/panel.cfg", "[VIEWS]\r\n");
    fs::create_directories(root / "fs/aircraft/b");
    fs::create_directory_symlink(root / "fs/aircraft/a/panel", root / "fs/aircraft/b/panel");
    fs::create_directories(root / "fs/aircraft/c/panel");
    fs::create_symlink(root / "fs/aircraft/a/panel/panel.cfg",
                       root / "fs/aircraft/c/panel/PANEL.cfg");
    fs::create_directory_symlink(root / "fs", root / "fs/aircraft/loop");
    fs::create_directories(root / "config");
    const CliRun run = cockpix::test::runCli(root, {"check", "fs/", "--json"});
    EXPECT_EQ(run.err, "2 panels: 0 with errors, 0 with warnings, 2 clean\n") << run.out;
    EXPECT_NE(run.out.find("\"file\": \"fs/aircraft/a/panel/panel.cfg\""), npos);
    EXPECT_NE(run.out.find("\"file\": \"fs/aircraft/c/panel/PANEL.cfg\""), npos);
}

// A Community folder is checked in one run: every package's aircraft panels, 2024's
// attachments and presets among them, whatever the case of panel.cfg; a package's html_ui,
// an aircraft's model, texture and sound folders and what lies below a panel folder are not
// walked into (they hold no panel MSFS reads, and thousands of files).
TEST_F(CheckCommand, ACommunityFolderChecksEveryPackagesPanels) {
    const std::string good = "[VCockpit01]\r\nsize_mm=10,10\r\ntexture=NO_TEXTURE\r\n";
    for (const char* package : {"a", "b"}) {
        const std::string top = "Community/" + std::string(package) + "/";
        touch(top + "manifest.json", "{}");
        touch(top + "SimObjects/Airplanes/X/aircraft.cfg", "[FLTSIM.0]\r\n");
        touch(top + "SimObjects/Airplanes/X/panel/panel.cfg", good);
        touch(top + "SimObjects/Airplanes/X/panel.v2/panel.cfg", good);
        touch(top + "SimObjects/Airplanes/X/panel.v3/PANEL.CFG", good);
        touch(top + "SimObjects/Airplanes/X/panel/old/panel.cfg", "[VCockpit01]\r\nx");
        touch(top + "SimObjects/Airplanes/X/TEXTURE.v2/panel.cfg", "[VCockpit01]\r\nx");
        touch(top + "SimObjects/Airplanes/X/model/panel.cfg", "[VCockpit01]\r\nx");
        touch(top + "html_ui/Pages/panel.cfg", "[VCockpit01]\r\nx");
    }
    touch("Community/b/attachments/pub/part/panel/panel.cfg", good);
    touch("Community/b/SimObjects/Airplanes/X/presets/pub/p/panel/panel.cfg", good);
    fs::create_directories(root / "config");
    const CliRun run = cockpix::test::runCli(root, {"check", "Community"});
    EXPECT_EQ(run.out, "8 panels: 0 with errors, 0 with warnings, 8 clean\n");
    EXPECT_EQ(run.status, 0);
}

// A tree checked on several threads prints what one thread prints, in the same order: many
// aircraft (more than a thread takes at once), every third one with findings, some sharing
// one panel folder's gauges, one read through an alias.
TEST_F(CheckCommand, ATreeCheckedOnSeveralThreadsPrintsTheSameAsOnOne) {
    const auto at = cockpix::test::makeFs2kInstallation(root / "fs");
    if (!at.cabsMade)
        GTEST_SKIP() << "gcab is not installed";
    cockpix::test::writeFile(at.panelDir / "panel.cfg",
                             cockpix::test::fs2kCheckPanel("faults.cfg"));
    for (int a = 0; a < 40; ++a) {
        const fs::path panel = root / "fs/aircraft" / ("plane" + std::to_string(a)) / "panel";
        fs::create_directories(panel);
        fs::copy(at.panelDir, panel, fs::copy_options::recursive);
        if (a % 3 != 0)
            cockpix::test::writeFile(panel / "panel.cfg",
                                     cockpix::test::fs2kCheckPanel("clean.cfg"));
    }
    cockpix::test::writeFile(root / "fs/aircraft/twin/panel/panel.cfg",
                             "[fltsim]\r\nalias=plane0\\panel\r\n[VIEWS]\r\n");
    fs::create_directories(root / "config");

    const CliRun one = cockpix::test::runCli(root, {"check", "fs", "--jobs", "1"});
    EXPECT_EQ(one.status, 1);
    EXPECT_NE(one.out.find("42 panels: 16 with errors, 0 with warnings, 26 clean\n"), npos)
        << one.out;
    for (const char* jobs : {"2", "5"}) {
        const CliRun many = cockpix::test::runCli(root, {"check", "fs", "--jobs", jobs});
        EXPECT_EQ(many.status, one.status);
        EXPECT_EQ(many.out, one.out) << jobs;
    }
    const CliRun json = cockpix::test::runCli(root, {"check", "--json", "fs", "--jobs", "1"});
    EXPECT_EQ(cockpix::test::runCli(root, {"check", "--json", "fs", "--jobs", "3"}).out, json.out);
}

// On a terminal, stderr shows which panel is being checked and is cleared at the end;
// stdout keeps only the findings and the count.
TEST_F(CheckCommand, ATreeShowsItsProgressOnATerminalOnly) {
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(::grantpt(terminal), 0);
    ASSERT_EQ(::unlockpt(terminal), 0);
    cockpix::test::writeFile(root / "tree/a/panel/panel.cfg",
                             "[Window Titles]\nWindow00=A\n[Window00]\nsize_mm=9,9\n");
    fs::create_directories(root / "config");
    const CliRun run = cockpix::test::runCli(root, {"check", "tree"}, ::ptsname(terminal));
    // The program has ended: all it wrote waits in the terminal, which hands it over one write
    // at a time; read until nothing is left.
    ::fcntl(terminal, F_SETFL, ::fcntl(terminal, F_GETFL) | O_NONBLOCK);
    std::string shown;
    for (char piece[4096];;) {
        const ssize_t length = ::read(terminal, piece, sizeof piece);
        if (length <= 0)
            break;
        shown.append(piece, static_cast<std::size_t>(length));
    }
    ::close(terminal);
    ASSERT_GE(shown.size(), 4u) << shown;
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "1 panels: 0 with errors, 0 with warnings, 1 clean\n");
    EXPECT_NE(shown.find("1/1 tree/a/panel/panel.cfg"), npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 4), "\r\033[K");
}

// The listing's form: number, date, size and what the backup holds, or why it cannot be read.
TEST_F(CheckCommand, BackupsListsNumberDateSizeAndContent) {
    fs::create_directories(root / "config");
    touch("panel/panel.c1", "[Window Titles]\r\nwindow00=A\r\nwindow01=B\r\n\r\n[Window00]\r\n"
                            "file=a.bmp\r\ngauge00=x, 1, 2\r\ngauge01=y, 1, 2\r\n");
    touch("panel/panel.c2", "[Window Titles]\r\nno title\r\n\r\n");
    const CliRun list = cockpix::test::runCli(root, {"backups", "panel/panel.cfg"});
    EXPECT_EQ(list.status, 0);
    const std::regex expected(
        "panel\\.c1    \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d +101 bytes  2 windows  2 gauges\n"
        "panel\\.c2    \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d +29 bytes  unreadable: line 3: "
        "end of file inside \\[Window Titles\\]\n");
    EXPECT_TRUE(std::regex_match(list.out, expected)) << list.out;
    EXPECT_EQ(cockpix::test::runCli(root, {"backups", "elsewhere/panel.cfg"}).out,
              "No backups in " + (root / "elsewhere").string() + "/\n");
}

} // namespace

// Black-box tests of what the commands take for PANEL_CFG: an aircraft or panel folder, a
// file that is no panel, a read-only panel.cfg.

#include "base/core/scratchdir.h"
#include "tools/clirun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using cockpix::test::CliRun;
using cockpix::test::npos;

using PanelArguments = cockpix::ScratchDirTest;

const std::string kPanel = "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\nfile=main.bmp\r\n"
                           "size_mm=640\r\nposition=0\r\nvisible=1\r\nident=1\r\n";
// A panel of FS2000 and later, with LF line ends: resave writes it back byte for byte.
const std::string kFs2kPanel = "[Window Titles]\nWindow00=Main\n\n[Window00]\nsize_mm=640\n"
                               "gauge00=Inst!A, 1, 2 // mine\n\n[VIEWS]\nVIEW_FORWARD_WINDOWS=0\n";

TEST_F(PanelArguments, FoldersBinaryFilesAndReadOnlyPanels) {
    touch("ac/panel/panel.cfg", kPanel);
    touch("ac/panel/panel.c1", kPanel);
    touch("gone/Panel/panel.c1", kPanel); // a panel folder whose panel.cfg has gone
    touch("cased/PANEL.CFG", kPanel);
    touch("ro/panel.cfg", kPanel);
    touch("jet/panel.cfg", kFs2kPanel);
    fs::permissions(root / "ro/panel.cfg", fs::perms(0444));
    fs::create_directories(root / "empty");
    touch("prog.cfg", "MZ\x90\0\x03\0\0\0\x04\0\0\0\xFF\xFF\0\0[Window Titles]"s);
    const std::string dir = fs::canonical(root).string() + "/";
    const std::string binary = "not a panel.cfg (it holds binary data)";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out; // found in stdout
        std::string err; // the whole of stderr
    } rows[] = {
        {{"dump", "ac"}, 0, "\"panelDir\": \"" + dir + "ac/panel/\"", ""},
        {{"dump", "ac/panel"}, 0, "\"windowTitle\": \"Main\"", ""},
        {{"backups", "ac"}, 0, "panel.c1 ", ""},
        {{"backups", "gone"}, 0, "panel.c1 ", ""},
        {{"check", "ac"}, 1, "ac/panel/panel.cfg: note: read as a panel of FS98", ""},
        // The window is drawn from the aircraft's panel folder.
        {{"render", "ac", "--window", "0", "--out", "main.png"},
         0,
         "",
         "WARNING !\nCan not find the background picture named : [" + dir +
             "ac/panel/main.bmp].\nCockPix will now create a default background picture.\n\n"},
        // No FS98 message about a structure where no file was read.
        {{"dump", "empty"}, 2, "", dir + "empty/panel.cfg: the file cannot be opened\n"},
        {{"dump", "prog.cfg"}, 2, "", dir + "prog.cfg: " + binary + "\n"},
        {{"resave", "prog.cfg"}, 2, "", dir + "prog.cfg: " + binary + "\n"},
        {{"check", "prog.cfg"}, 2, "prog.cfg: error: the panel cannot be read: " + binary, ""},
        {{"resave", "ro/panel.cfg"},
         1,
         "",
         "'" + dir + "ro/panel.cfg' is read-only: nothing was saved.\n"},
        {{"resave", "ac"}, 0, "Previous 'panel.cfg' was saved as 'panel.c2'", ""},
        {{"restore", "ac", "1"},
         0,
         "'panel.c1' was restored as '" + dir + "ac/panel/panel.cfg'",
         ""},
        {{"restore", "ac", "9"},
         1,
         "",
         "There is no backup 'panel.c9' in '" + dir + "ac/panel/'.\nNothing was changed.\n"},
        {{"check", "nowhere/panel.cfg"},
         2,
         "nowhere/panel.cfg: error: the panel cannot be read: the file cannot be opened "
         "[unreadable]\n",
         ""},
        {{"resave", "cased/PANEL.CFG"}, 0, "Previous 'PANEL.CFG' was saved as 'panel.c1'", ""},
        {{"resave", "jet"}, 0, "Previous 'panel.cfg' was saved as 'panel.c1'", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args[0] + " " + row.args[1]);
        const CliRun run = cockpix::test::runCli(root, row.args);
        if (run.err.find("built without Qt") != npos)
            continue;
        EXPECT_EQ(run.status, row.status);
        EXPECT_NE(run.out.find(row.out), npos) << run.out;
        EXPECT_EQ(run.err, row.err);
    }
    EXPECT_EQ(cockpix::test::filesIn(root / "ro").size(), 1u); // no backup, nothing written
    EXPECT_EQ(cockpix::test::fileText(root / "ro/panel.cfg"), kPanel);
    EXPECT_TRUE(fs::exists(root / "main.png"));
    EXPECT_EQ(cockpix::test::fileText(root / "jet/panel.cfg"), kFs2kPanel);
    EXPECT_EQ(cockpix::test::fileText(root / "jet/panel.c1"), kFs2kPanel);
}

} // namespace

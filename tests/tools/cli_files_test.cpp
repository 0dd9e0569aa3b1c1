// Black-box tests of what the commands take for PANEL_CFG: an aircraft or panel folder, a
// file that is no panel, a read-only panel.cfg.

#include "base/core/scratchdir.h"
#include "tools/clirun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
    const std::string dir = fs::canonical(root).string();
    for (const auto& row : cockpix::test::cliTable("panel_arguments.txt", {{"$DIR", dir}})) {
        SCOPED_TRACE(row[0]);
        const CliRun run = cockpix::test::runCli(root, cockpix::test::words(row[0]));
        if (run.err.find("built without Qt") != npos)
            continue;
        EXPECT_EQ(run.status, std::stoi(row[1]));
        EXPECT_NE(run.out.find(row[2]), npos) << run.out;
        EXPECT_EQ(run.err, row[3]);
    }
    EXPECT_EQ(cockpix::test::filesIn(root / "ro").size(), 1u); // no backup, nothing written
    EXPECT_EQ(cockpix::test::fileText(root / "ro/panel.cfg"), kPanel);
    EXPECT_TRUE(fs::exists(root / "main.png"));
    EXPECT_EQ(cockpix::test::fileText(root / "jet/panel.cfg"), kFs2kPanel);
    EXPECT_EQ(cockpix::test::fileText(root / "jet/panel.c1"), kFs2kPanel);
}

} // namespace

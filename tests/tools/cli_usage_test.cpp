// The command line's answers to help, --version and wrong arguments, for every command: a
// wrong command line exits with 64, says why on stderr, prints nothing on stdout and touches
// no file.

#include "base/core/scratchdir.h"
#include "base/core/version.h"
#include "tools/clirun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using cockpix::test::CliRun;
using Args = std::vector<std::string>;
constexpr auto npos = std::string::npos;
constexpr int kUsage = 64;

using CommandLineUsage = cockpix::ScratchDirTest;

TEST_F(CommandLineUsage, HelpVersionAndWrongArgumentsOfEveryCommand) {
    // A readable one-window panel, so that only the arguments can be wrong.
    touch("p.cfg", "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\nfile=back.bmp\r\n");
    const struct {
        Args args;
        int status;
        std::string says; // on stdout for status 0, on stderr otherwise
    } rows[] = {
        {{"--help"}, 0, "dump PANEL_CFG"},
        {{"--help"}, 0, "--version"},
        {{"--version"}, 0, "cockpix-cli " + std::string(cockpix::kProgramVersion) + "\n"},
        {{}, kUsage, "Usage: cockpix-cli COMMAND"},
        {{"frobnicate"}, kUsage, "unknown command 'frobnicate'"},
        {{"dump", "--help"}, 0, "Usage: cockpix-cli dump PANEL_CFG"},
        {{"dump"}, kUsage, ""},
        {{"dump", "a.cfg", "b.cfg"}, kUsage, ""},
        {{"resave", "--help"}, 0, "Usage: cockpix-cli resave PANEL_CFG [OUTPUT]"},
        {{"resave"}, kUsage, ""},
        {{"resave", "a", "b", "c"}, kUsage, ""},
        {{"check", "--help"}, 0, "Exit status"},
        {{"check"}, kUsage, ""},
        {{"check", "a.cfg", "b.cfg"}, kUsage, ""},
        {{"check", "a.cfg", "--fast"}, kUsage, ""},
        {{"backups"}, kUsage, ""},
        {{"restore", "p.cfg"}, kUsage, ""},
        {{"restore", "p.cfg", "0"}, kUsage, ""},
        {{"restore", "p.cfg", "x"}, kUsage, ""},
        {{"restore", "p.cfg", "-1"}, kUsage, ""},
        {{"restore", "p.cfg", "1x"}, kUsage, ""},
        {{"palette", "--help"}, 0, "Usage: cockpix-cli palette"},
        {{"palette"}, kUsage, ""},
        {{"palette", "a.bmp", "b.bmp"}, kUsage, ""},
        {{"palette", "a.bmp", "--tolerance", "five"}, kUsage, ""},
        {{"palette", "a.bmp", "--tolerance"}, kUsage, ""},
        {{"extract", "--help"}, 0, "Usage: cockpix-cli extract"},
        {{"extract"}, kUsage, ""},
        {{"extract", "a.gau", "b.bmp", "c"}, kUsage, ""},
        {{"extract", "a.gau", "--bmp-dir"}, kUsage, ""},
        {{"extract", "a.gau", "--colour", "red"}, kUsage, ""},
        {{"gauge-size"}, kUsage, ""},
        {{"render", "p.cfg", "--window", "1", "--out", "w.png"}, kUsage, ""},
        {{"render", "p.cfg", "--window", "x", "--out", "w.png"}, kUsage, ""},
        {{"render", "p.cfg", "--window", "0"}, kUsage, ""},
        {{"render", "p.cfg", "--window", "0", "--screen", "big", "--out", "w.png"}, kUsage, ""},
        {{"render", "p.cfg", "--window", "0", "--screens", "most", "--out", "w.png"}, kUsage, ""},
        {{"render", "p.cfg", "--window", "0", "--screens", "800x600,", "--out", "w.png"},
         kUsage,
         ""},
        {{"render", "p.cfg", "--window", "0", "--screen", "800x600", "--screens", "all", "--out",
          "w.png"},
         kUsage,
         ""},
        {{"render", "p.cfg", "--window", "0", "--out", "w.gif"},
         kUsage,
         ".png, .bmp, .jpg or .jpeg"},
    };
    const auto before = cockpix::test::filesIn(root);
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.args));
        const CliRun run = cockpix::test::runCli(root, row.args);
        if (run.err.find("built without Qt") != npos)
            continue; // render needs Qt (COCKPIX_GUI=OFF)
        EXPECT_EQ(run.status, row.status) << run.err;
        if (row.status == 0) {
            EXPECT_NE(run.out.find(row.says), npos) << run.out;
            continue;
        }
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
        EXPECT_NE(run.err.find(row.says), npos) << run.err;
        auto after = cockpix::test::filesIn(root);
        after.erase("cli_stdout.txt");
        after.erase("cli_stderr.txt");
        EXPECT_EQ(after, before) << "a refused command line wrote a file";
    }
}

} // namespace

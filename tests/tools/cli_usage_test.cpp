// The command line's answers to help, --version and wrong arguments, for every command: a
// wrong command line exits with 64, says why on stderr, prints nothing on stdout and touches
// no file.

#include "base/core/scratchdir.h"
#include "base/core/version.h"
#include "tools/clirun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using cockpix::test::CliRun;
using cockpix::test::npos;

using CommandLineUsage = cockpix::ScratchDirTest;

TEST_F(CommandLineUsage, HelpVersionAndWrongArgumentsOfEveryCommand) {
    touch("p.cfg", "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\nfile=back.bmp\r\n");
    // Every file but the tool's own output.
    const auto files = [this] {
        auto found = cockpix::test::filesIn(root);
        found.erase("cli_stdout.txt");
        found.erase("cli_stderr.txt");
        return found;
    };
    const auto before = files();
    for (const auto& row : cockpix::test::cliTable(
             "usage.txt", {{"$VERSION", std::string(cockpix::kProgramVersion)}})) {
        SCOPED_TRACE(row[0]);
        const CliRun run = cockpix::test::runCli(root, cockpix::test::words(row[0]));
        if (run.err.find("built without Qt") != npos)
            continue; // render needs Qt (COCKPIX_GUI=OFF)
        EXPECT_EQ(run.status, std::stoi(row[1])) << run.err;
        if (row.size() > 2) {
            EXPECT_NE(run.out.find(row[2]), npos) << run.out;
            continue;
        }
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
        EXPECT_EQ(files(), before) << "a refused command line wrote a file";
    }
    EXPECT_NE(cockpix::test::runCli(root, {"frobnicate"}).err.find("unknown command 'frobnicate'"),
              npos);
}

} // namespace

// The command line's answers to help, --version and wrong arguments, for every command: a
// wrong command line exits with 64, says why on stderr, prints nothing on stdout and touches
// no file.

#include "base/core/scratchdir.h"
#include "base/core/version.h"
#include "tools/clirun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

using cockpix::test::CliRun;
using Args = std::vector<std::string>;
using cockpix::test::npos;

using CommandLineUsage = cockpix::ScratchDirTest;

// The words of a command line, separated by blanks.
Args words(std::string_view line) {
    Args args;
    for (std::size_t start = 0; start < line.size();) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        args.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
    return args;
}

TEST_F(CommandLineUsage, HelpVersionAndWrongArgumentsOfEveryCommand) {
    // A readable one-window panel, so that only the arguments can be wrong.
    touch("p.cfg", "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\nfile=back.bmp\r\n");
    const std::pair<const char*, std::string> answered[] = {
        {"--help", "dump PANEL_CFG"},
        {"--help", "--version"},
        {"--version", "cockpix-cli " + std::string(cockpix::kProgramVersion) + "\n"},
        {"dump --help", "Usage: cockpix-cli dump PANEL_CFG"},
        {"resave --help", "Usage: cockpix-cli resave PANEL_CFG [OUTPUT]"},
        {"check --help", "Exit status"},
        {"palette --help", "Usage: cockpix-cli palette"},
        {"extract --help", "Usage: cockpix-cli extract"},
    };
    for (const auto& [line, says] : answered) {
        const CliRun run = cockpix::test::runCli(root, words(line));
        EXPECT_EQ(run.status, 0) << line;
        EXPECT_NE(run.out.find(says), npos) << line << ": " << run.out;
    }
    // clang-format off
    const char* const refused[] = {
        "", "frobnicate", "dump", "dump a.cfg b.cfg", "resave", "resave a b c", "check",
        "check a.cfg b.cfg", "check a.cfg --fast", "check a.cfg --jobs 0", "check a.cfg --jobs 2x",
        "check a.cfg --jobs 257", "backups", "restore p.cfg", "restore p.cfg 0", "restore p.cfg x",
        "restore p.cfg -1", "restore p.cfg 1x", "palette", "palette a.bmp b.bmp",
        "palette a.bmp --tolerance five", "palette a.bmp --tolerance", "extract",
        "extract a.gau b.bmp c", "extract a.gau --bmp-dir", "extract a.gau --colour red",
        "gauge-size", "render p.cfg --window x --out w.png",
        "render p.cfg --window 0", "render p.cfg --window 0 --screen big --out w.png",
        "render p.cfg --window 0 --screens most --out w.png",
        "render p.cfg --window 0 --screens 800x600, --out w.png",
        "render p.cfg --window 0 --screen 800x600 --screens all --out w.png",
        "render p.cfg --window 0 --out w.gif"};
    // clang-format on
    // Every file but the tool's own output.
    const auto files = [this] {
        auto found = cockpix::test::filesIn(root);
        found.erase("cli_stdout.txt");
        found.erase("cli_stderr.txt");
        return found;
    };
    const auto before = files();
    for (const char* line : refused) {
        SCOPED_TRACE(line);
        const CliRun run = cockpix::test::runCli(root, words(line));
        if (run.err.find("built without Qt") != npos)
            continue; // render needs Qt (COCKPIX_GUI=OFF)
        EXPECT_EQ(run.status, 64) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
        EXPECT_EQ(files(), before) << "a refused command line wrote a file";
    }
    EXPECT_NE(cockpix::test::runCli(root, {"frobnicate"}).err.find("unknown command 'frobnicate'"),
              npos);
}

} // namespace

#include "app/core/commandline.h"
#include "base/core/version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace cockpix {
namespace {

TEST(CommandLine, ArgumentsAndWhatTheyMean) {
    const struct {
        std::vector<std::string> args;
        std::string panelPath;
        bool help = false, demo = false;
        int showWindow = -1;
    } rows[] = {
        {{}, ""},
        {{"/fs98/aircraft/c182/panel/panel.cfg"}, "/fs98/aircraft/c182/panel/panel.cfg"},
        {{"--help"}, "", true},
        {{"panel.cfg", "-h"}, "panel.cfg", true},
        {{"-"}, "-"}, // a lone "-" is a file name, and "--" lets a name start with "-"
        {{"--", "--help"}, "--help"},
        {{"--", "--demo"}, "--demo"},
        {{"--demo"}, "", false, true},
        {{"--demo", "--show-window", "3"}, "", false, true, 3},
        {{"--show-window", "0", "a.cfg"}, "a.cfg", false, false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.args));
        const CommandLine got = parseCommandLine(row.args);
        EXPECT_EQ(std::tie(got.error, got.panelPath, got.showHelp, got.demo, got.showWindow),
                  std::make_tuple("", row.panelPath, row.help, row.demo, row.showWindow));
    }
    EXPECT_NE(commandLineUsage().find("--demo"), std::string::npos);
    EXPECT_TRUE(parseCommandLine({"--demo", "--exit-when-shown"}).exitWhenShown);
}

// --help and --version are answered before Qt starts, so the raw arguments are looked at too.
TEST(CommandLine, HelpAndVersionBeforeTheWindowSystem) {
    const struct {
        std::vector<const char*> argv;
        bool help, version;
    } rows[] = {
        {{"cockpix"}, false, false},
        {{"cockpix", "--version"}, false, true},
        {{"cockpix", "a.cfg", "--help"}, true, false},
        {{"cockpix", "-h", "--version"}, true, true},
        {{"cockpix", "--", "--version"}, false, false}, // a file named "--version"
        {{"cockpix", "-version"}, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.argv));
        const int argc = static_cast<int>(row.argv.size());
        EXPECT_EQ(helpRequested(argc, row.argv.data()), row.help);
        EXPECT_EQ(versionRequested(argc, row.argv.data()), row.version);
        std::vector<std::string> args(row.argv.begin() + 1, row.argv.end());
        const CommandLine parsed = parseCommandLine(args);
        if (parsed.error.empty()) {
            EXPECT_EQ(parsed.showVersion, row.version);
        }
    }
    EXPECT_EQ(versionLine(), "cockpix " + std::string(kProgramVersion) + "\n");
    // project(cockpix VERSION MAJOR.MINOR.PATCH) reached the header.
    EXPECT_EQ(std::count(kProgramVersion.begin(), kProgramVersion.end(), '.'), 2);
    EXPECT_EQ(kProgramVersion.find_first_not_of("0123456789."), std::string_view::npos);
    EXPECT_NE(commandLineUsage().find("--version"), std::string::npos);
}

TEST(CommandLine, BadArgumentsAreErrors) {
    const std::vector<std::vector<std::string>> rows = {
        {"--frobnicate"},       {"a.cfg", "b.cfg"},      {"--show-window"},
        {"--show-window", "9"}, {"--show-window", "-1"}, {"--show-window", "01"},
        {"--show-window", "x"}, {"--show-window", ""},   {"--show-window", "2"}, // no panel to show
    };
    for (const auto& args : rows)
        EXPECT_NE(parseCommandLine(args).error, "") << testing::PrintToString(args);
}

} // namespace
} // namespace cockpix

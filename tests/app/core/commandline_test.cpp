#include "app/core/commandline.h"

#include <gtest/gtest.h>

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

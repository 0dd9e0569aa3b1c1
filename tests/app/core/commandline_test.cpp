#include "app/core/commandline.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

TEST(CommandLine, NoArgumentsStartEmptyAndOneArgumentIsThePanel) {
    const CommandLine empty = parseCommandLine({});
    EXPECT_FALSE(empty.showHelp);
    EXPECT_EQ(empty.panelPath, "");
    EXPECT_EQ(empty.error, "");

    const CommandLine one = parseCommandLine({"/fs98/aircraft/c182/panel/panel.cfg"});
    EXPECT_EQ(one.panelPath, "/fs98/aircraft/c182/panel/panel.cfg");
    EXPECT_EQ(one.error, "");
}

TEST(CommandLine, HelpAndBadArguments) {
    EXPECT_TRUE(parseCommandLine({"--help"}).showHelp);
    EXPECT_TRUE(parseCommandLine({"panel.cfg", "-h"}).showHelp);
    EXPECT_NE(parseCommandLine({"--frobnicate"}).error, "");
    EXPECT_NE(parseCommandLine({"a.cfg", "b.cfg"}).error, "");
    // A lone "-" is a file name, and "--" lets a name start with "-".
    EXPECT_EQ(parseCommandLine({"-"}).panelPath, "-");
    const CommandLine dashed = parseCommandLine({"--", "--help"});
    EXPECT_FALSE(dashed.showHelp);
    EXPECT_EQ(dashed.panelPath, "--help");
}

TEST(CommandLine, DemoIsAnOption) {
    EXPECT_TRUE(parseCommandLine({"--demo"}).demo);
    EXPECT_FALSE(parseCommandLine({"panel.cfg"}).demo);
    const CommandLine named = parseCommandLine({"--", "--demo"});
    EXPECT_FALSE(named.demo);
    EXPECT_EQ(named.panelPath, "--demo");
    EXPECT_NE(commandLineUsage().find("--demo"), std::string::npos);
}

TEST(CommandLine, ShowWindowTakesAWindowSlot) {
    const CommandLine shown = parseCommandLine({"--demo", "--show-window", "3"});
    EXPECT_EQ(shown.showWindow, 3);
    EXPECT_EQ(shown.error, "");
    EXPECT_EQ(parseCommandLine({"panel.cfg"}).showWindow, -1);
    EXPECT_EQ(parseCommandLine({"--show-window", "0", "a.cfg"}).panelPath, "a.cfg");
    for (const char* bad : {"9", "-1", "01", "x", ""})
        EXPECT_NE(parseCommandLine({"--show-window", bad}).error, "") << bad;
    EXPECT_NE(parseCommandLine({"--show-window"}).error, "");
    EXPECT_NE(parseCommandLine({"--show-window", "2"}).error, ""); // no panel to show
}

} // namespace
} // namespace cockpix

#pragma once

// The arguments of the cockpix program: `cockpix [--help | --version] [PANEL_CFG]`. New
// options go into CommandLine as fields and into parseCommandLine; the rest of the program
// reads the struct.

#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

struct CommandLine {
    bool showHelp = false;
    bool showVersion = false;
    bool demo = false;     // --demo: the generated demo installation with its own settings
    int showWindow = -1;   // --show-window N: show panel window N once the panel is open
    bool exitWhenShown = false; // --exit-when-shown: end once the windows are on screen
    std::string panelPath; // the panel.cfg to open at start; empty: start empty
    std::string error;     // what was wrong with the arguments; empty when they were fine
};

// Parses the arguments after the program name. "--" ends the options, so a panel file
// whose name starts with "-" can still be given.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// Whether the raw arguments ask for help or for the version, checked before any window
// system is touched (so that both work without a display).
bool helpRequested(int argc, const char* const* argv);
bool versionRequested(int argc, const char* const* argv);

// The text printed by --help.
std::string commandLineUsage();

// The line printed by --version: "cockpix 2.5.3".
std::string versionLine();

} // namespace cockpix

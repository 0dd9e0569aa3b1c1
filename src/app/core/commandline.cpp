#include "app/core/commandline.h"

#include "base/core/version.h"

namespace cockpix {

namespace {

// Whether an option before any "--" among the raw arguments is one of names.
bool optionGiven(int argc, const char* const* argv, std::string_view first,
                 std::string_view second) {
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            return false;
        if (arg == first || arg == second)
            return true;
    }
    return false;
}

// A window slot 0..8, as the template's row buttons number them.
int windowSlotArgument(const std::string& text) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '8')
        return -1;
    return text[0] - '0';
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine result;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--show-window") {
            result.showWindow = i + 1 < args.size() ? windowSlotArgument(args[++i]) : -1;
            if (result.showWindow < 0) {
                result.error = "--show-window needs a window number from 0 to 8";
                return result;
            }
        } else if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            result.showHelp = true;
        } else if (!optionsEnded && arg == "--version") {
            result.showVersion = true;
        } else if (!optionsEnded && arg == "--demo") {
            result.demo = true;
        } else if (!optionsEnded && arg == "--exit-when-shown") {
            result.exitWhenShown = true;
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            result.error = "unknown option '" + arg + "'";
            return result;
        } else if (result.panelPath.empty()) {
            result.panelPath = arg;
        } else {
            result.error = "only one panel file can be opened (got '" + result.panelPath +
                           "' and '" + arg + "')";
            return result;
        }
    }
    if (result.showWindow >= 0 && result.panelPath.empty() && !result.demo)
        result.error = "--show-window needs a panel to show (PANEL_CFG or --demo)";
    return result;
}

bool helpRequested(int argc, const char* const* argv) {
    return optionGiven(argc, argv, "--help", "-h");
}

bool versionRequested(int argc, const char* const* argv) {
    return optionGiven(argc, argv, "--version", "--version");
}

std::string versionLine() {
    return "cockpix " + std::string(kProgramVersion) + "\n";
}

std::string commandLineUsage() {
    return "Usage: cockpix [PANEL_CFG]\n"
           "   or: cockpix --help | --version\n"
           "   or: cockpix --show-window N PANEL_CFG\n"
           "   or: cockpix --demo [--show-window N]\n"
           "\n"
           "COCKPIX, the panel editor for Microsoft Flight Simulator 98.\n"
           "Starts the editor; with PANEL_CFG, opens that panel.cfg as \"Open\" does.\n"
           "\n"
           "Options:\n"
           "  --demo       open the demo panel of the demo FS98 installation made by the\n"
           "               build (../demo beside the program, or $COCKPIX_DEMO_DIR), with a\n"
           "               settings file of its own; your settings are not touched. An\n"
           "               installed COCKPIX runs it on a copy in ~/.local/share/cockpix/demo\n"
           "  --show-window N\n"
           "               once the panel is open, show its panel window N (0..8) as the\n"
           "               template's \"Window 0N\" button does\n"
           "  --exit-when-shown\n"
           "               end as soon as the windows are shown (to time the start-up)\n"
           "  -h, --help   show this text and exit\n"
           "  --version    print the version and exit\n"
           "\n"
           "The directories are kept in $COCKPIX_CONFIG_DIR/cockpix.ini, or else in\n"
           "$XDG_CONFIG_HOME/cockpix/cockpix.ini (~/.config/cockpix/cockpix.ini); the\n"
           "recent panels and the window's place in cockpix-desktop.ini beside it.\n";
}

} // namespace cockpix

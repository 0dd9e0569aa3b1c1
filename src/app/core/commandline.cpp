#include "app/core/commandline.h"

namespace cockpix {

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine result;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            result.showHelp = true;
        } else if (!optionsEnded && arg == "--demo") {
            result.demo = true;
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
    return result;
}

bool helpRequested(int argc, const char* const* argv) {
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        const std::string arg = argv[i];
        if (arg == "--")
            return false;
        if (arg == "--help" || arg == "-h")
            return true;
    }
    return false;
}

std::string commandLineUsage() {
    return "Usage: cockpix [PANEL_CFG]\n"
           "       cockpix --demo\n"
           "\n"
           "COCKPIX, the panel editor for Microsoft Flight Simulator 98.\n"
           "Starts the editor; with PANEL_CFG, opens that panel.cfg as \"Open\" does.\n"
           "\n"
           "Options:\n"
           "  --demo       open the demo panel of the demo FS98 installation made by the\n"
           "               build (../demo beside the program, or $COCKPIX_DEMO_DIR), with a\n"
           "               settings file of its own; your settings are not touched\n"
           "  -h, --help   show this text and exit\n"
           "\n"
           "The directories are kept in $COCKPIX_CONFIG_DIR/cockpix.ini, or else in\n"
           "$XDG_CONFIG_HOME/cockpix/cockpix.ini (~/.config/cockpix/cockpix.ini).\n";
}

} // namespace cockpix

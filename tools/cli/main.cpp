// cockpix-cli: the COCKPIX core from the command line, for scripts and black-box tests.

#include "commands.h"

#include "base/core/version.h"

#include <array>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix::cli {
namespace {

#ifdef COCKPIX_CLI_PICTURE_HELPER
int runRenderInHelper(std::span<const std::string> args) {
    return runInPictureHelper("render", args);
}
// Only its preview draws: the helper gets a palette command line that asks for one.
int runPaletteCommand(std::span<const std::string> args) {
    return runPalette(args, nullptr);
}
constexpr auto runRenderCommand = runRenderInHelper;
#else
int runPaletteCommand(std::span<const std::string> args) {
    return runPalette(args, writePalettePreview);
}
constexpr auto runRenderCommand = runRender;
#endif

struct Command {
    std::string_view name;
    std::string_view help; // one line, after the name and arguments
    std::string_view arguments;
    int (*run)(std::span<const std::string> args);
};

// One row per command.
constexpr std::array kCommands = {
    Command{"dump", "print the panel model read from PANEL_CFG as JSON", "PANEL_CFG", runDump},
    Command{"resave", "open PANEL_CFG and save it again, keeping a numbered backup",
            "PANEL_CFG [OUTPUT]", runResave},
    Command{"extract", "write the picture of a gauge module as a bitmap", "MODULE.gau [OUT.bmp]",
            runExtract},
    Command{"gauge-size", "print the default size held in a gauge module", "MODULE.gau",
            runGaugeSize},
    Command{"render", "draw panel window N of PANEL_CFG into a picture, for one or every screen",
            "PANEL_CFG --window N --out FILE.png", runRenderCommand},
    Command{"check", "list the faults the panel checker finds in PATH, a panel.cfg or a folder",
            "PATH [--json]", runCheck},
    Command{"backups", "list the backups panel.c1, panel.c2, ... beside PANEL_CFG", "PANEL_CFG",
            runBackups},
    Command{"restore", "put backup panel.cN back as panel.cfg, keeping the current one",
            "PANEL_CFG N", runRestore},
    Command{"palette", "propose the [8 bit colors] FS98 lacks for an 8-bit background",
            "BITMAP.bmp [--tolerance T]", runPaletteCommand},
};

void printUsage(std::FILE* out) {
    std::fprintf(out, "Usage: cockpix-cli COMMAND [ARGUMENTS]\n"
                      "   or: cockpix-cli COMMAND --help\n"
                      "   or: cockpix-cli --help | --version\n\nCommands:\n");
    // Two blanks at least between a command and its line, or the line below it, as help2man
    // reads option lists for the manual page.
    constexpr int kColumn = 28;
    for (const Command& command : kCommands) {
        const std::string synopsis =
            std::string(command.name) + " " + std::string(command.arguments);
        if (synopsis.size() + 2 > kColumn)
            std::fprintf(out, "  %s\n%*s", synopsis.c_str(), kColumn + 2, "");
        else
            std::fprintf(out, "  %-*s", kColumn, synopsis.c_str());
        std::fprintf(out, "%.*s\n", static_cast<int>(command.help.size()), command.help.data());
    }
    std::fprintf(out, "\nPANEL_CFG may also be an aircraft folder or its panel folder: its "
                      "panel.cfg is used.\n");
}

const Command* findCommand(std::string_view name) {
    for (const Command& command : kCommands) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

} // namespace
} // namespace cockpix::cli

int main(int argc, char** argv) {
    using namespace cockpix::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        printUsage(stderr);
        return kUsageStatus;
    }
    if (args.front() == "--help" || args.front() == "-h" || args.front() == "help") {
        printUsage(stdout);
        return 0;
    }
    if (args.front() == "--version") {
        std::printf("cockpix-cli %.*s\n", static_cast<int>(cockpix::kProgramVersion.size()),
                    cockpix::kProgramVersion.data());
        return 0;
    }
    const Command* command = findCommand(args.front());
    if (!command) {
        std::fprintf(stderr, "cockpix-cli: unknown command '%s'\n\n", args.front().c_str());
        printUsage(stderr);
        return kUsageStatus;
    }
    return command->run(std::span<const std::string>(args).subspan(1));
}

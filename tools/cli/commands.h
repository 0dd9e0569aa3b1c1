#pragma once

// The commands of cockpix-cli. Each takes the arguments after its name and returns the
// exit status. A new command is a function declared here, defined in its own
// <name>command.cpp, and one row of the table in main.cpp.

#include <span>
#include <string>
#include <string_view>

namespace cockpix {
struct PaletteRunRequest;
struct PaletteRunResult;
} // namespace cockpix

namespace cockpix::cli {

// Usage errors (unknown command, missing or extra arguments) end with this status.
inline constexpr int kUsageStatus = 64;

// dump PANEL_CFG: the model after "&Open", as JSON on stdout.
int runDump(std::span<const std::string> args);

// Commands defined in their own files; each gets its table row in main.cpp together with
// its definition.
int runResave(std::span<const std::string> args);
int runExtract(std::span<const std::string> args);
int runGaugeSize(std::span<const std::string> args);
int runRender(std::span<const std::string> args);
int runCheck(std::span<const std::string> args);
int runBackups(std::span<const std::string> args);
int runRestore(std::span<const std::string> args);

// palette BITMAP.bmp: its --preview is drawn by drawPreview, which only a program with Qt
// Gui has; without one (nullptr) a command line that asks for a preview goes whole to the
// picture helper before anything is done, and every other one runs here.
using PalettePreviewWriter = int (*)(const PaletteRunRequest& request,
                                     const PaletteRunResult& result, const std::string& out);
int runPalette(std::span<const std::string> args, PalettePreviewWriter drawPreview);
// Writes the preview PNG to out and prints the share of pixels FS98 shows too far off
// (palettepicture.cpp); a cockpix-cli built without Qt says it cannot.
int writePalettePreview(const PaletteRunRequest& request, const PaletteRunResult& result,
                        const std::string& out);

// True when args asks for help ("--help" or "-h").
inline bool wantsHelp(std::span<const std::string> args) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h")
            return true;
    }
    return false;
}

// Runs command with args in cockpix-cli-pictures, the helper that draws with Qt, which takes
// over this process; returns only when it cannot be started.
int runInPictureHelper(std::string_view command, std::span<const std::string> args);

} // namespace cockpix::cli

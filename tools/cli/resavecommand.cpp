// cockpix-cli resave: "&Open" followed by "&Save" with the template's default palette options.

#include "commands.h"
#include "openpanel.h"

#include "panel/core/fs2k/lines.h"
#include "panel/core/fs98/reader.h"
#include "panel/core/fs98/writer.h"
#include "panel/core/panelsource.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace cockpix::cli {
namespace {

constexpr int kSaveFailedStatus = 1;

void printResaveHelp() {
    std::printf(
        "Usage: cockpix-cli resave PANEL_CFG [OUTPUT]\n\n"
        "Reads PANEL_CFG (or the panel.cfg of an aircraft or panel folder) as the \"&Open\"\n"
        "command does (its directory becomes the panel directory; a [fltsim] alias is\n"
        "followed and reported on stderr), then saves it as\n"
        "the \"&Save\" command does with the palette options \"Save\" and \"Keep all\": the\n"
        "new file is written to OUTPUT (default: the panel directory's panel.cfg). When\n"
        "OUTPUT is the panel directory's panel.cfg, the old one is kept as the next backup\n"
        "panel.c<N>; another OUTPUT leaves panel.cfg as it is, and makes no backup. A file\n"
        "whose write permission is off is not replaced.\n"
        "A panel of FS2000 and later is written back line for line: with no edit, the new\n"
        "file holds exactly the bytes read.\n"
        "The closing message goes to stdout. The settings file is not changed.\n"
        "Exit status: 0 when saved, 1 when nothing could be saved, 2 when PANEL_CFG cannot\n"
        "be read or has an abnormal structure, 64 for wrong arguments.\n");
}

void printLine(std::FILE* out, const std::string& text) {
    std::fprintf(out, "%s\n", text.c_str());
}

int finishSave(const SaveResult& result) {
    printLine(result.written ? stdout : stderr, result.message.toUtf8());
    if (std::fflush(stdout) != 0)
        return kSaveFailedStatus;
    return result.written ? 0 : kSaveFailedStatus;
}

// A panel of FS2000 and later, also at the end of an alias, saved as its own lines; nullopt
// for an FS98 panel or a file that cannot be read, which the FS98 reader reads as ever.
std::optional<int> resaveFs2k(const std::string& panel, std::span<const std::string> args) {
    const std::string chosen = fullPath(panel);
    PanelSource source = locatePanel(chosen, fs98::panelDirFromChosenPath(chosen));
    if (source.format != PanelFormat::Fs2k)
        return std::nullopt;
    for (const std::string& dir : source.reroutes)
        printLine(stderr, fs98::rerouteMessage(dir).toUtf8());
    const fs2k::PanelLines lines(std::move(source.bytes));
    const std::string output = args.size() == 2 ? fullPath(args[1]) : source.panelDir + "panel.cfg";
    return finishSave(savePanelBytes(lines.bytes(), source.panelDir, output));
}

} // namespace

int runResave(std::span<const std::string> args) {
    if (wantsHelp(args)) {
        printResaveHelp();
        return 0;
    }
    if (args.empty() || args.size() > 2) {
        std::fprintf(stderr, "cockpix-cli resave: expected PANEL_CFG and an optional OUTPUT "
                             "(see cockpix-cli resave --help)\n");
        return kUsageStatus;
    }
    const std::string panel = panelArgument(args[0]);
    if (const std::optional<int> status = resaveFs2k(panel, args))
        return *status;
    const std::unique_ptr<OpenedPanel> opened = openPanel(panel);
    if (!opened)
        return kStructureErrorStatus;

    if (opened->panel.windowCount <= 0) {
        printLine(stderr, "cockpix-cli resave: the panel has no windows; nothing was saved.");
        return kSaveFailedStatus;
    }
    // An alias moves the panel directory, and the save dialog proposes the new one.
    const std::string& panelDir = opened->dirs.panelDir;
    const std::string output = args.size() == 2 ? fullPath(args[1]) : panelDir + "panel.cfg";
    return finishSave(fs98::savePanel(opened->panel, {panelDir, output, {}, {}}));
}

} // namespace cockpix::cli

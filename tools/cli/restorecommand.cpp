// cockpix-cli restore: puts a numbered backup back as panel.cfg, keeping the current one as
// a new backup first.

#include "commands.h"
#include "openpanel.h"

#include "panel/core/fs98/reader.h"
#include "panel/core/panelbackups.h"

#include <charconv>
#include <cstdio>
#include <string>

namespace cockpix::cli {
namespace {

constexpr int kRestoreFailedStatus = 1;

void printRestoreHelp() {
    std::printf("Usage: cockpix-cli restore PANEL_CFG N\n\n"
                "Puts the backup panel.cN of the directory of PANEL_CFG back as its panel.cfg,\n"
                "as \"&Backups...\" does: the current panel.cfg is first kept as the next\n"
                "backup (the rule of \"&Save\"), the backup panel.cN stays, and panel.cfg is\n"
                "replaced in one step. Nothing is changed when any step fails.\n"
                "Exit status: 0 when restored, 1 when nothing was restored, 64 for wrong\n"
                "arguments.\n");
}

std::optional<int> backupNumber(const std::string& text) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number <= 0)
        return std::nullopt;
    return number;
}

} // namespace

int runRestore(std::span<const std::string> args) {
    if (wantsHelp(args)) {
        printRestoreHelp();
        return 0;
    }
    const std::optional<int> number = args.size() == 2 ? backupNumber(args[1]) : std::nullopt;
    if (!number) {
        std::fprintf(stderr, "cockpix-cli restore: expected PANEL_CFG and a backup number N "
                             "(see cockpix-cli restore --help)\n");
        return kUsageStatus;
    }
    const std::string panelDir = fs98::panelDirFromChosenPath(fullPath(panelArgument(args[0])));
    const RestoreResult result = restorePanelBackup(panelDir, *number);
    std::fprintf(result.restored ? stdout : stderr, "%s\n", result.message.toUtf8().c_str());
    return result.restored ? 0 : kRestoreFailedStatus;
}

} // namespace cockpix::cli

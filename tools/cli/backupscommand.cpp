// cockpix-cli backups: the numbered backups beside a panel.cfg, with their dates, sizes and
// what each holds.

#include "commands.h"
#include "openpanel.h"

#include "panel/core/fs98/reader.h"
#include "panel/core/panelbackups.h"

#include <cstdio>
#include <ctime>
#include <string>

namespace cockpix::cli {
namespace {

void printBackupsHelp() {
    std::printf("Usage: cockpix-cli backups PANEL_CFG\n\n"
                "Lists the backups panel.c1, panel.c2, ... that saves kept in the directory of\n"
                "PANEL_CFG, one a line: the number, the date (local time), the size in bytes,\n"
                "and the numbers of windows and gauges of the panel it holds, read as \"&Open\"\n"
                "reads it (\"unreadable\" and the reason when it cannot be read).\n"
                "Exit status: 0, 64 for wrong arguments.\n");
}

std::string localTime(std::int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    char text[32] = "?";
    if (::localtime_r(&time, &parts) != nullptr)
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

// "3 windows  9 gauges", or "unreadable: line 5: ..."
std::string contentSummary(const PanelBackup& backup) {
    const BackupContent content = readBackupContent(backup);
    if (content.error)
        return "unreadable: " +
               (content.error->line > 0 ? "line " + std::to_string(content.error->line) + ": "
                                        : std::string()) +
               content.error->reason;
    return std::to_string(content.windowCount) +
           (content.windowCount == 1 ? " window  " : " windows  ") +
           std::to_string(content.gaugeCount) + (content.gaugeCount == 1 ? " gauge" : " gauges");
}

} // namespace

int runBackups(std::span<const std::string> args) {
    if (wantsHelp(args)) {
        printBackupsHelp();
        return 0;
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "cockpix-cli backups: expected one PANEL_CFG argument "
                             "(see cockpix-cli backups --help)\n");
        return kUsageStatus;
    }
    const std::string panelDir = fs98::panelDirFromChosenPath(fullPath(panelArgument(args[0])));
    const std::vector<PanelBackup> backups = listPanelBackups(panelDir);
    if (backups.empty())
        std::printf("No backups in %s\n", panelDir.c_str());
    for (const PanelBackup& backup : backups)
        std::printf("panel.c%-4d %s %10ju bytes  %s\n", backup.number,
                    localTime(backup.modified).c_str(), backup.size,
                    contentSummary(backup).c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace cockpix::cli

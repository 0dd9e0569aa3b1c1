#pragma once

// The numbered backups that every save keeps beside panel.cfg (panel.c1, panel.c2, ...): to
// list them and to put one back. A restore never loses anything: the current panel.cfg
// first becomes a new backup by the save's own rule, the chosen backup stays where it is,
// and panel.cfg is replaced by a copy of it in one rename.

#include "base/core/usertext.h"
#include "panel/core/fs98/reader.h"
#include "panel/core/panelformat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cockpix {

struct PanelBackup {
    int number = 0;
    std::string path;
    std::uintmax_t size = 0;
    std::int64_t modified = 0; // seconds since 1970-01-01 UTC
};

// The regular files named "panel.c" + N of panelDir (N a positive number written without
// leading zeros, as the save names them), in number order.
std::vector<PanelBackup> listPanelBackups(const std::string& panelDir);

// What a backup holds, read as "&Open" reads a panel.cfg: an FS98 panel by the FS98 reader,
// one of FS2000 and later as its lines (every window and virtual cockpit section counts).
struct BackupContent {
    std::optional<fs98::ReadError> error; // it cannot be read as a panel
    PanelFormat format = PanelFormat::Fs98;
    int windowCount = 0;
    int gaugeCount = 0; // of the windows of the panel
};
BackupContent readBackupContent(const PanelBackup& backup);

struct RestoreResult {
    bool restored = false;
    bool backupMade = false; // the previous panel.cfg was kept as panel.c<backupNumber>
    int backupNumber = 0;
    std::string panelFile; // the panel.cfg that now holds the backup's bytes
    UserText message;      // what was done, or what went wrong (then nothing changed)
};

// Puts backup `number` of panelDir (ending with "/") in place as its panel.cfg, found
// whatever its case, after keeping the current panel.cfg as the next backup.
RestoreResult restorePanelBackup(const std::string& panelDir, int number);

} // namespace cockpix

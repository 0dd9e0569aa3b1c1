#pragma once

// Saving a panel.cfg's bytes, whatever format made them: the old panel.cfg kept as the next
// numbered backup (panel.c1, panel.c2, ...) first, then the new file put in its place
// atomically. The old file and every backup survive any failure.

#include "base/core/usertext.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

// The number of the next backup for the file names of a panel directory.
int nextBackupNumber(const std::vector<std::string>& fileNames);

struct SaveResult {
    bool written = false;    // the new file is in place
    bool backupMade = false; // the old panel.cfg was kept as panel.c<backupNumber>
    int backupNumber = 0;
    std::string outputPath; // the file actually written
    UserText message;       // the closing message (success) or what went wrong (failure)
};

// The same save for a file's whole bytes, as made elsewhere (a panel of FS2000 and later
// keeps its own lines): the same backup, atomic replacement and messages. A file whose
// write permission is off is replaced only with replaceReadOnly (keeping its mode); else
// nothing is written and the message says it is read-only.
SaveResult savePanelBytes(std::string_view text, const std::string& panelDir,
                          const std::string& outputPath, bool replaceReadOnly = false);

// The file a save to outputPath would replace (the panel directory's panel.cfg however the
// output spells it, else outputPath), when it exists with its write permission off: users
// protect files on purpose.
std::optional<std::string> readOnlySaveTarget(const std::string& panelDir,
                                              const std::string& outputPath);

// Keeps panelFile as the next backup of its directory by the save's own rule (the computed
// number, or the next free one above it; never an existing name): the backup is a second
// name of the file, or a copy of it where the file system has no second names, so that
// whatever replaces panelFile afterwards, its bytes stay in the backup.
struct BackupCopy {
    int number = 0; // the backup's number, also when it failed
    int error = 0;  // 0, or the errno of the failing step (nothing was left behind)
    std::string path;
};
BackupCopy keepAsNextBackup(const std::string& panelFile);

// The panel directory's panel.cfg as it lies on disk (whatever its case), when it exists.
std::optional<std::string> existingPanelFile(const std::string& panelDir);

} // namespace cockpix

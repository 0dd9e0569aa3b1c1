#pragma once

// Writes a panel as a new panel.cfg in FS98's layout, after keeping the previous file as the
// next numbered backup (panel.c1, panel.c2, ...). The old file and every backup survive any
// failure.

#include "base/core/usertext.h"
#include "panel/core/panel.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

// The template's two palette options. Unchecked boxes are the defaults: "Save" (write the
// last optimizer result) and "Keep all" (keep colour lines).
struct PaletteSaveOptions {
    bool saveNewPalette = true; // "Save" / "Don't save"
    bool keepColors = true;     // "Keep all" / "Erase all"
    friend bool operator==(const PaletteSaveOptions&, const PaletteSaveOptions&) = default;
};

// The palette optimizer's last proposal: how many colours it advises adding (0: none, or no
// run yet), the result file that holds its "[8 bit colors]" section, and that section's
// lines as the run wrote them. A save writes the lines the proposal holds, so that undoing
// a run (or running again) always writes what the panel shows; a proposal without lines
// (made outside the editor) has its result file read at the save.
struct PaletteProposal {
    int advisedColorCount = 0;
    std::string resultFile;
    std::vector<std::string> lines;
    friend bool operator==(const PaletteProposal&, const PaletteProposal&) = default;
};

// Whether a save writes the proposal's result file as the colour section: a proposal with
// colours, "Save" and "Keep all".
bool savesPaletteProposal(const PaletteSaveOptions& options, int advisedColorCount);

// Gauge g's line as the file writes it, without its line end: "gauge03=clock, 120, 40"
// (the size only when it is the gauge's own, see Gauge::gaugeRefSize).
std::string fs98GaugeLine(int g, const Gauge& gauge);

// The whole new file, CR LF line ends. paletteResultLines are the lines of the optimizer's
// result file (used when a new palette is saved), or nullptr when there is none.
std::string panelFileText(const Panel& panel, const PaletteSaveOptions& options,
                          int advisedColorCount,
                          const std::vector<std::string>* paletteResultLines);

// The number of the next backup for the file names of a panel directory.
int nextBackupNumber(const std::vector<std::string>& fileNames);

struct SaveResult {
    bool written = false;    // the new file is in place
    bool backupMade = false; // the old panel.cfg was kept as panel.c<backupNumber>
    int backupNumber = 0;
    std::string outputPath; // the file actually written
    UserText message;       // the closing message (success) or what went wrong (failure)
};

struct SaveRequest {
    std::string panelDir;   // where panel.cfg and its backups lie, ending with "/"
    std::string outputPath; // the file chosen in the save dialog
    PaletteSaveOptions options;
    PaletteProposal proposal;
    bool replaceReadOnly = false; // the user said a read-only file may be replaced
};

// Exactly the text savePanel writes for the request: panelFileText with the optimizer's
// result file read when a new palette is saved.
std::string savedPanelText(const Panel& panel, const SaveRequest& request);

// Saves the panel (windowCount > 0) to request.outputPath. When the panel directory holds a
// panel.cfg and the output is that panel.cfg, it is kept as the next backup first; saved
// under another name, panel.cfg stays as it is and no backup is made.
SaveResult savePanel(const Panel& panel, const SaveRequest& request);

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

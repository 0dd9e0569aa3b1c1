#pragma once

// Writes the panel model as a new panel.cfg in FS98's layout, after keeping the previous
// file as the next numbered backup (panel.c1, panel.c2, ...). The old file and every backup
// survive any failure.

#include "panel/core/panelmodel.h"

#include <string>
#include <vector>

namespace cockpix {

// The template's two palette options. Unchecked boxes are the defaults: "Save" (write the
// last optimizer result) and "Keep all" (keep colour lines).
struct PaletteSaveOptions {
    bool saveNewPalette = true; // "Save" / "Don't save"
    bool keepColors = true;     // "Keep all" / "Erase all"
};

// The whole new file, CR LF line ends. paletteResultLines are the lines of the optimizer's
// result file (used when a new palette is saved), or nullptr when there is none.
std::string panelFileText(const PanelModel& model, const PaletteSaveOptions& options,
                          const std::vector<std::string>* paletteResultLines);

// The number of the next backup for the file names of a panel directory.
int nextBackupNumber(const std::vector<std::string>& fileNames);

struct SaveResult {
    bool written = false;    // the new file is in place
    bool backupMade = false; // the old panel.cfg was kept as panel.c<backupNumber>
    int backupNumber = 0;
    std::string outputPath; // the file actually written
    std::string message;    // the closing message (success) or what went wrong (failure)
};

// Saves the model (windowCount > 0) to chosenOutputPath, as the save dialog returned it.
SaveResult savePanel(const PanelModel& model, const std::string& chosenOutputPath,
                     const PaletteSaveOptions& options);

} // namespace cockpix

#pragma once

// Writes an FS98 panel as a new panel.cfg in FS98's layout; the save itself, with its
// backups, is savePanelBytes (panelsave.h).

#include "panel/core/fs98/panel.h"
#include "panel/core/panelsave.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix::fs98 {

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

} // namespace cockpix::fs98

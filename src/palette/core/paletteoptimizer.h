#pragma once

// One run of the palette optimizer on a panel background: the bitmap's colour table and
// pixel counts (scanned, or taken from the work files of an earlier run on the same,
// unchanged bitmap), compared with FS98's reference colours, give the proposed [8 bit colors]
// section. All the work is done in memory: the bitmap and the reference table are read once, each
// work file is written once and atomically, and nothing is written when the run fails.

#include "base/core/usertext.h"
#include "palette/core/colorproposal.h"
#include "palette/core/paletteworkfiles.h"
#include "palette/core/rgb.h"
#include "panel/core/fs98/panel.h"
#include "settings/core/settings.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

struct PaletteRunRequest {
    std::string bitmapPath; // the background to analyse
    std::string bitmapName; // names the work files (the window's bitmap name)
    std::string paletteDir; // the palette work directory, ending with "/"
    std::string tablePath;  // color_mapping_table.pcl
    double tolerance = 5;   // a candidate this close to a colour FS98 has is refused
};

struct PaletteRunResult {
    bool ok = false;
    UserText message;     // the closing message, or what stopped the run
    bool scanned = false; // false: the work files of an earlier run gave the counts
    std::vector<ProposedColor> proposal;
    std::vector<Rgb> reference; // the reference colours the candidates were compared with
    std::string resultFile;     // written when ok
    int advisedColorCount() const { return static_cast<int>(proposal.size()); }
};

// The run on the background of window w: panelDir + windowBitmap[w] + ".bmp" (found
// whatever its case), named after windowBitmap[w], in the palette work directory, with the
// reference table shipped with the program (see shippedFilePath for installedDir).
PaletteRunRequest paletteRunForWindow(const fs98::Panel& panel, const Directories& dirs,
                                      const std::string& installedDir, int w, double tolerance);

// The phase captions, in order: "Determining color frequencies..." (a scan only), "Sorting
// colors...", "Comparing colors with FS98 palette...".
using PaletteProgress = std::function<void(std::string_view caption)>;

// While the work files of the bitmap name are whole and were made from this bitmap as it
// is now (same length, modification time and colour table), only the bitmap's header and
// colour table are read; otherwise the bitmap is scanned and the files are written again. A bitmap
// that is not an uncompressed 8-bit palette bitmap, is cut off or is 32768 pixels wide or high
// stops the run with a message that names it and says why.
PaletteRunResult runPaletteOptimizer(const PaletteRunRequest& request,
                                     const PaletteProgress& progress = {});

} // namespace cockpix

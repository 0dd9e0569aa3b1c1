#pragma once

// The checks only MSFS panels need, beside the fs2k checker's (checker.h): the instruments of
// [VCockpitNN] sections followed to where MSFS finds them, their queries, the textures two
// VCockpits share and section numbers written twice.
//
// Instruments are looked up only when the panel lies in an MSFS package or project:
// - an instrument whose first folder is one of the package's own Instruments folders must be
//   there, whatever the case of its names;
// - any other one is a stock instrument, looked for in the packages of the Community and
//   Official folders (installation.packagesFolders). Only when both an Official folder and a
//   Community folder are known is a stock instrument missing; with either unknown, MSFS may
//   hold it where COCKPIX cannot see, so it is not looked for;
// - WasmInstrument's wasm_module= is looked for in the panel folder.

#include "base/core/textencoding.h"
#include "panel/core/fs2k/lines.h"
#include "panel/core/fs2k/panel.h"
#include "settings/core/installation.h"
#include "template/core/checkfacts.h"
#include "template/core/finding.h"

#include <string>
#include <vector>

namespace cockpix::fs2k {

struct InstrumentCheckInput {
    const PanelLines& lines;
    const Panel& panel;
    std::string panelDir; // the folder of the panel.cfg, ending with "/"
    // Where the panel lies; nullptr or not MSFS: no instrument or module is looked up.
    const Installation* installation = nullptr;
    TextEncoding encoding = TextEncoding::Windows1252;
};

// Adds the findings to findings (unsorted).
void checkMsfsPanel(const InstrumentCheckInput& input, CheckFacts& facts,
                    std::vector<Finding>& findings);

// The QueryAmpersand fix on the gauge line at line: its query's second '?' becomes '&'.
// False when the line has no second '?' (any more).
bool makeQueryAmpersand(PanelLines& lines, std::size_t line);

} // namespace cockpix::fs2k

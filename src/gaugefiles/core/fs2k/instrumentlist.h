#pragma once

// The MSFS instruments a panel can name, for the Add chooser of a [VCockpitNN] or
// [VPaintingNN]: every .html file in the folders under each html_ui/Pages/VCockpit/Instruments
// folder of the installation (the path an htmlgaugeNN= line writes, relative to that folder:
// "NavSystems/GPS/PFD/PFD.html"), and MSFS's WASM host for each .wasm module of the panel
// folder. A package or the stock folders may hold many thousands of files: the walk stops at
// its limits, saying so.

#include "panel/core/fs2k/panel.h"

#include <cstddef>
#include <string>
#include <vector>

namespace cockpix::fs2k {

struct InstrumentListLimits {
    std::size_t entries = 20000; // instruments listed
    std::size_t depth = 8;       // folders below an Instruments folder
    std::size_t names = 400000;  // names looked at in all
};

struct InstrumentList {
    // As a line writes them, sorted ignoring case; one path found in two folders once.
    std::vector<std::string> paths;
    bool cut = false; // a limit stopped the walk: paths are the ones found before
};

// The instruments of dirs (each an Instruments folder ending with "/", the package's own
// first), then "WasmInstrument/WasmInstrument.html?wasm_module=X.wasm&wasm_gauge=" for each
// X.wasm in panelDir (empty: none).
InstrumentList listInstruments(const std::vector<std::string>& dirs, const std::string& panelDir,
                               const InstrumentListLimits& limits = {});

// The folders a paintingNN= path is relative to: html_ui/Pages/VLivery/Liveries/ of the same
// package as each Instruments folder (html_ui/Pages/VCockpit/Instruments/).
std::vector<std::string> liveryDirs(const std::vector<std::string>& instrumentDirs);

// What Add puts on window: a painting in a [VPaintingNN]; in a [VCockpitNN] an MSFS instrument
// when the panel lies in an MSFS package or project (msfs), or the section already holds
// htmlgaugeNN lines and no gaugeNN lines; else a gauge of a module.
GaugeLineKind kindToAdd(const Window& window, bool msfs);

} // namespace cockpix::fs2k

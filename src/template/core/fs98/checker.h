#pragma once

// The panel checker: reads a panel.cfg as "&Open" does and reports what FS98 or COCKPIX will
// not take as the designer meant, each finding with the line it comes from. It checks the
// file's own lines (what the reader passes over without a word) and the panel it gives
// (missing modules and bitmaps, gauges off their window, values out of range). The same
// check runs on a panel being edited, with the lines of the file it was opened from.

#include "panel/core/fs98/linetrace.h"
#include "panel/core/fs98/panel.h"
#include "panel/core/fs98/reader.h"
#include "panel/core/panelformat.h"
#include "settings/core/settings.h"
#include "template/core/checkfacts.h"
#include "template/core/filecheck.h"
#include "template/core/finding.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cockpix::fs98 {

struct CheckInput {
    const Panel* panel = nullptr;          // the panel as it is now
    const PanelLineTrace* trace = nullptr; // the file it was read from; nullptr for none
    const Panel* filePanel = nullptr;      // what the reader made of that file
    Directories dirs;                      // gaugesDir, bmpDir and panelDir are read
    bool eightBitColors = false;           // the [8 bit colors] are in use
};

// Every finding, sorted by line (those about the whole file first).
std::vector<Finding> checkPanel(const CheckInput& input, CheckFacts& facts);

// A file read and checked as an FS98 panel, whatever its marks (checkPanelFile reads it in
// the format it is in).
FileCheck checkFs98PanelFile(const std::string& path, Directories dirs, CheckFacts& facts);

// Whether the panel's [8 bit colors] are in use: it holds colour lines that a save keeps.
bool usesEightBitColors(const Panel& panel);

} // namespace cockpix::fs98

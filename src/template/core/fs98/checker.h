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

// A panel.cfg read and checked.
struct FileCheck {
    PanelFormat format = PanelFormat::Fs98;
    std::string file; // the file the findings' lines are in: the one given, or its alias's
    std::optional<ReadError> readError; // the panel cannot be read: the one finding says why
    std::unique_ptr<Panel> panel;       // FS98: as "&Open" leaves it (also after a read error)
    PanelLineTrace trace;
    std::string panelDir; // the file's directory, or where its alias led
    bool rerouted = false;
    std::vector<Finding> findings;
};

// Reads path as "&Open" does (following an alias; in an FS98 panel a size ratio of 0
// becoming 1) and checks it, in the format it was read in, with the directories of dirs
// (its panelDir is replaced by the file's own). Nothing is written anywhere.
FileCheck checkPanelFile(const std::string& path, Directories dirs, CheckFacts& facts);

// The same for a file read as an FS98 panel, whatever its marks.
FileCheck checkFs98PanelFile(const std::string& path, Directories dirs, CheckFacts& facts);

// Whether the panel's [8 bit colors] are in use: it holds colour lines that a save keeps.
bool usesEightBitColors(const Panel& panel);

} // namespace cockpix::fs98

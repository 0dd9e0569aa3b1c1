#pragma once

// A panel.cfg checked whatever its format: read as "&Open" reads it, then handed to the
// checker of the format it was read in (fs98/checker.h, fs2k/checker.h).

#include "panel/core/fs98/linetrace.h"
#include "panel/core/fs98/panel.h"
#include "panel/core/fs98/reader.h"
#include "panel/core/panelformat.h"
#include "settings/core/installation.h"
#include "settings/core/settings.h"
#include "template/core/checkfacts.h"
#include "template/core/finding.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cockpix {

// A panel.cfg read and checked.
struct FileCheck {
    PanelFormat format = PanelFormat::Fs98;
    std::string file; // the file the findings' lines are in: the one given, or its alias's
    std::optional<fs98::ReadError> readError; // the panel cannot be read: the one finding says why
    std::unique_ptr<fs98::Panel> panel; // FS98: as "&Open" leaves it (also after a read error)
    fs98::PanelLineTrace trace;
    std::string panelDir; // the file's directory, or where its alias led
    bool rerouted = false;
    // FS2000 and later: the simulator installation the panel lies in.
    Installation installation;
    std::vector<Finding> findings;
};

// Reads path as "&Open" does (following an alias; in an FS98 panel a size ratio of 0
// becoming 1) and checks it, in the format it was read in, with the directories of dirs
// (its panelDir is replaced by the file's own). A panel of FS2000 and later has its gauges
// looked up in the installation it lies in, when one is found, unless byInstallation is
// false (a gauges directory given by the user). Nothing is written anywhere.
FileCheck checkPanelFile(const std::string& path, Directories dirs, CheckFacts& facts,
                         bool byInstallation = true);

} // namespace cockpix

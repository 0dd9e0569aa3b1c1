#pragma once

// Where a chosen panel.cfg leads before it is read, and in which format. Aircraft of FS2000
// and later often have a panel.cfg that holds nothing but "[fltsim] alias=other\panel": such a
// file has no mark of either format, and the panel it names decides how it is read.

#include "panel/core/panelformat.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

struct PanelSource {
    PanelFormat format = PanelFormat::Fs98;
    // Fs98: the chosen file and its directory, for the FS98 reader, which follows its aliases
    // itself as it always has (or, when the chosen file is an fs2k panel whose alias leads to
    // an FS98 one, that file). Later: the fs2k panel the aliases led to.
    std::string file;
    std::string panelDir;              // ends with "/"
    std::string bytes;                 // the file's bytes, when it could be read
    std::vector<std::string> reroutes; // the panel directories the aliases led to, in order
};

// Follows [fltsim] alias= lines from path (in panelDir) the way FS98's alias is followed
// (the alias names a folder under the aircraft/ directory, found whatever its case), until
// a file without an alias, one that cannot be read or holds binary data (left to the FS98
// reader, which refuses it), or a loop.
PanelSource locatePanel(const std::string& path, const std::string& panelDir);

// The directory an alias names: the part of panelDir up to its aircraft/ folder (or, FSX to
// MSFS, up to its SimObjects/<category>/ folder: Asobo_CJ4\panel.whitereg), then the alias as
// written on Windows (c182\panel, separators made "/"), looked up whatever its case on disk;
// nullopt when panelDir lies under neither.
std::optional<std::string> aliasTarget(const std::string& panelDir, std::string_view alias);

} // namespace cockpix

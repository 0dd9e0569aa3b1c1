#pragma once

// The panel.cfg files of a tree of aircraft folders, for "cockpix-cli check DIR".

#include "gaugefiles/core/folderindex.h"

#include <optional>
#include <string>
#include <vector>

namespace cockpix::cli {

struct PanelWalk {
    std::vector<std::string> panels; // every file named panel.cfg (any case), in path order
    // Each panel's folder as the walk listed it; none when it found the panel without a listing.
    std::vector<std::optional<std::vector<FolderEntry>>> folders;
    std::vector<std::string> unreadable; // the folders that could not be listed
};

// Walks dir and every folder below it. Links to folders are not followed, so a link back up
// the tree cannot make the walk endless.
PanelWalk findPanelFiles(const std::string& dir);

} // namespace cockpix::cli

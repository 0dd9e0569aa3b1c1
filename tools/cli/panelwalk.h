#pragma once

// The panel.cfg files of a tree of aircraft folders, for "cockpix-cli check DIR".

#include "gaugefiles/core/folderindex.h"

#include <string>
#include <vector>

namespace cockpix::cli {

struct PanelWalk {
    std::vector<std::string> panels; // every file named panel.cfg (any case), in path order
    std::vector<std::vector<FolderEntry>> folders; // each panel's folder, as the walk listed it
    std::vector<std::string> unreadable;           // the folders that could not be listed
};

// Walks dir and every folder below it. Links to folders are not followed, so a link back up
// the tree cannot make the walk endless.
PanelWalk findPanelFiles(const std::string& dir);

} // namespace cockpix::cli

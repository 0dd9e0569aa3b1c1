#pragma once

// The panel.cfg files of a tree of aircraft folders, for "cockpix-cli check DIR".

#include <string>
#include <vector>

namespace cockpix::cli {

struct PanelWalk {
    std::vector<std::string> panels;     // every file named panel.cfg (any case), in path order
    std::vector<std::string> unreadable; // the folders that could not be listed
};

// Walks dir and every folder below it. Links to folders are not followed, so a link back up
// the tree cannot make the walk endless.
PanelWalk findPanelFiles(const std::string& dir);

} // namespace cockpix::cli

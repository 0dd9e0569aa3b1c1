#include "panelwalk.h"

#include "base/core/asciicase.h"

#include <algorithm>
#include <filesystem>

namespace cockpix::cli {
namespace {

namespace fs = std::filesystem;

struct FoundPanel {
    std::string path;
    std::vector<FolderEntry> folder;
};

void walk(const fs::path& dir, std::vector<FoundPanel>& panels, PanelWalk& found) {
    std::error_code error;
    fs::directory_iterator it(dir, error);
    if (error) {
        found.unreadable.push_back(dir.string());
        return;
    }
    std::vector<FolderEntry> entries;
    std::vector<fs::path> folders;
    std::vector<fs::path> panelFiles;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error) { // what was listed before is still walked
            found.unreadable.push_back(dir.string());
            break;
        }
        // The entry's type comes with the listing: only a link costs a look at its target.
        std::error_code typeError;
        const bool directory = it->is_directory(typeError);
        entries.push_back({it->path().filename().string(), directory});
        if (directory && !it->is_symlink(typeError))
            folders.push_back(it->path());
        else if (equalsIgnoringCase(entries.back().name, "panel.cfg") &&
                 it->is_regular_file(typeError))
            panelFiles.push_back(it->path());
    }
    // The checks take the listing with the panel: the folder is not listed again.
    for (const fs::path& panel : panelFiles)
        panels.push_back({panel.string(), entries});
    for (const fs::path& folder : folders)
        walk(folder, panels, found);
}

} // namespace

PanelWalk findPanelFiles(const std::string& dir) {
    PanelWalk found;
    std::vector<FoundPanel> panels;
    walk(dir, panels, found);
    std::sort(panels.begin(), panels.end(),
              [](const FoundPanel& a, const FoundPanel& b) { return a.path < b.path; });
    for (FoundPanel& panel : panels) {
        found.panels.push_back(std::move(panel.path));
        found.folders.push_back(std::move(panel.folder));
    }
    return found;
}

} // namespace cockpix::cli

#include "panelwalk.h"

#include "base/core/asciicase.h"

#include <algorithm>
#include <filesystem>

namespace cockpix::cli {
namespace {

namespace fs = std::filesystem;

void walk(const fs::path& dir, PanelWalk& found) {
    std::error_code error;
    fs::directory_iterator it(dir, error);
    if (error) {
        found.unreadable.push_back(dir.string());
        return;
    }
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error) {
            found.unreadable.push_back(dir.string());
            return;
        }
        // The entry's type comes with the listing: only a link costs a look at its target.
        std::error_code typeError;
        if (it->is_directory(typeError) && !it->is_symlink(typeError))
            walk(it->path(), found);
        else if (equalsIgnoringCase(it->path().filename().string(), "panel.cfg") &&
                 it->is_regular_file(typeError))
            found.panels.push_back(it->path().string());
    }
}

} // namespace

PanelWalk findPanelFiles(const std::string& dir) {
    PanelWalk found;
    walk(dir, found);
    std::sort(found.panels.begin(), found.panels.end());
    return found;
}

} // namespace cockpix::cli

#include "app/core/droppedpanel.h"

#include "base/core/filelookup.h"
#include "panel/core/panelsave.h"

#include <filesystem>
#include <system_error>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

bool hasCfgExtension(const fs::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return extension == ".cfg";
}

std::string asDirectory(std::string path) {
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

// The aircraft folder's panel folder, whatever the case Windows wrote its name in.
std::optional<std::string> panelFolderInside(const std::string& folder) {
    std::error_code ec;
    const auto panelDir = findPathIgnoringCase(asDirectory(folder) + "panel");
    if (panelDir && fs::is_directory(*panelDir, ec))
        return asDirectory(*panelDir);
    return std::nullopt;
}

} // namespace

std::optional<std::string> droppedPanelFile(const std::string& path) {
    std::error_code ec;
    if (fs::is_regular_file(path, ec))
        return hasCfgExtension(path) ? std::optional<std::string>(path) : std::nullopt;
    if (!fs::is_directory(path, ec))
        return std::nullopt;
    if (auto inside = existingPanelFile(asDirectory(path)))
        return inside;
    if (const auto panelDir = panelFolderInside(path))
        return existingPanelFile(*panelDir);
    return std::nullopt;
}

std::string panelFileOfFolder(const std::string& folder) {
    if (auto inside = existingPanelFile(asDirectory(folder)))
        return *inside;
    const std::optional<std::string> panelDir = panelFolderInside(folder);
    if (!panelDir)
        return asDirectory(folder) + "panel.cfg";
    return existingPanelFile(*panelDir).value_or(*panelDir + "panel.cfg");
}

} // namespace cockpix

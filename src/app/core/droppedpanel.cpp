#include "app/core/droppedpanel.h"

#include "base/core/filelookup.h"
#include "panel/core/panelwriter.h"

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

} // namespace

std::optional<std::string> droppedPanelFile(const std::string& path) {
    std::error_code ec;
    if (fs::is_regular_file(path, ec))
        return hasCfgExtension(path) ? std::optional<std::string>(path) : std::nullopt;
    if (!fs::is_directory(path, ec))
        return std::nullopt;
    if (auto inside = existingPanelFile(asDirectory(path)))
        return inside;
    // Windows wrote the folder's name in any case.
    if (const auto panelDir = findPathIgnoringCase(asDirectory(path) + "panel");
        panelDir && fs::is_directory(*panelDir, ec))
        return existingPanelFile(asDirectory(*panelDir));
    return std::nullopt;
}

} // namespace cockpix

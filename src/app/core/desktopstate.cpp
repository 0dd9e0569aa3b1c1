#include "app/core/desktopstate.h"

#include "base/core/atomicfile.h"
#include "base/core/filelookup.h"
#include "base/core/linescanner.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kGeometryKey = "geometry=";
constexpr std::string_view kRecentKey = "recent=";

bool storable(std::string_view path) {
    return !path.empty() && path.find_first_of("\r\n") == std::string_view::npos;
}

} // namespace

std::string desktopStateFilePath(const std::string& settingsPath) {
    if (settingsPath.empty())
        return {};
    return (fs::path(settingsPath).parent_path() / "cockpix-desktop.ini").string();
}

DesktopState parseDesktopState(std::string_view text) {
    DesktopState state;
    std::vector<std::string> recent;
    LineScanner lines(text);
    while (const auto line = lines.next()) {
        if (line->starts_with(kGeometryKey))
            state.windowGeometry = std::string(line->substr(kGeometryKey.size()));
        else if (line->starts_with(kRecentKey))
            recent.emplace_back(line->substr(kRecentKey.size()));
    }
    // Through the same rule as a new entry: a file edited by hand cannot bring in repeats or
    // more entries than the menu shows.
    for (auto it = recent.rbegin(); it != recent.rend(); ++it)
        addRecentFile(state, *it);
    return state;
}

std::string desktopStateText(const DesktopState& state) {
    std::string text;
    if (!state.windowGeometry.empty() && storable(state.windowGeometry))
        text += std::string(kGeometryKey) + state.windowGeometry + "\r\n";
    for (const std::string& path : state.recentFiles)
        text += std::string(kRecentKey) + path + "\r\n";
    return text;
}

DesktopState readDesktopState(const std::string& path) {
    const auto text = path.empty() ? std::nullopt : readWholeFile(path);
    return text ? parseDesktopState(*text) : DesktopState{};
}

bool writeDesktopState(const DesktopState& state, const std::string& path) {
    if (path.empty())
        return false;
    std::error_code ec;
    if (const fs::path parent = fs::path(path).parent_path(); !parent.empty())
        fs::create_directories(parent, ec);
    return writeFileAtomically(path, desktopStateText(state)) == 0;
}

void addRecentFile(DesktopState& state, const std::string& path) {
    if (!storable(path))
        return;
    removeRecentFile(state, path);
    state.recentFiles.insert(state.recentFiles.begin(), path);
    if (state.recentFiles.size() > kMaxRecentFiles)
        state.recentFiles.resize(kMaxRecentFiles);
}

void removeRecentFile(DesktopState& state, const std::string& path) {
    std::erase(state.recentFiles, path);
}

bool dropMissingRecentFiles(DesktopState& state) {
    const std::size_t before = state.recentFiles.size();
    std::erase_if(state.recentFiles, [](const std::string& path) {
        std::error_code ec;
        return !fs::is_regular_file(path, ec);
    });
    return state.recentFiles.size() != before;
}

} // namespace cockpix

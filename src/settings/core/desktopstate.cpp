#include "settings/core/desktopstate.h"

#include "base/core/atomicfile.h"
#include "base/core/filelookup.h"
#include "base/core/linescanner.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kGeometryKey = "geometry=";
constexpr std::string_view kRecentKey = "recent=";
constexpr std::string_view kSnapGridKey = "snapgrid=";
constexpr std::string_view kGridStepKey = "gridstep=";
constexpr std::string_view kSnapGaugesKey = "snapgauges=";
constexpr std::string_view kStandardKeysKey = "standardkeys=";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "1" or "0"; anything else leaves the switch as it was.
void readSwitch(std::string_view value, bool& flag) {
    value = trimmed(value);
    if (value == "1")
        flag = true;
    else if (value == "0")
        flag = false;
}

bool storable(std::string_view path) {
    return !path.empty() && path.find_first_of("\r\n") == std::string_view::npos;
}

} // namespace

std::optional<int> parseGridStep(std::string_view text) {
    text = trimmed(text);
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < kSmallestGridStep ||
        value > kLargestGridStep)
        return std::nullopt;
    return value;
}

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
        else if (line->starts_with(kSnapGridKey))
            readSwitch(line->substr(kSnapGridKey.size()), state.snap.toGrid);
        else if (line->starts_with(kSnapGaugesKey))
            readSwitch(line->substr(kSnapGaugesKey.size()), state.snap.toGauges);
        else if (line->starts_with(kStandardKeysKey))
            readSwitch(line->substr(kStandardKeysKey.size()), state.standardKeys);
        else if (line->starts_with(kGridStepKey))
            state.snap.gridStep =
                parseGridStep(line->substr(kGridStepKey.size())).value_or(state.snap.gridStep);
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
    // Only what differs from the defaults: a file of a user who never touched them stays as
    // it was.
    const SnapOptions defaults;
    if (state.snap.toGrid != defaults.toGrid)
        text += std::string(kSnapGridKey) + (state.snap.toGrid ? "1" : "0") + "\r\n";
    if (state.snap.gridStep != defaults.gridStep &&
        parseGridStep(std::to_string(state.snap.gridStep)))
        text += std::string(kGridStepKey) + std::to_string(state.snap.gridStep) + "\r\n";
    if (state.snap.toGauges != defaults.toGauges)
        text += std::string(kSnapGaugesKey) + (state.snap.toGauges ? "1" : "0") + "\r\n";
    if (state.standardKeys)
        text += std::string(kStandardKeysKey) + "1\r\n";
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
    const std::string text = desktopStateText(state);
    if (const auto current = readWholeFile(path); current && *current == text)
        return true; // unchanged: nothing to flush at every Quit
    return writeFileAtomically(path, text) == 0;
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

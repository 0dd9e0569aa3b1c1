#pragma once

// What the main window remembers between runs that the settings file does not hold (it
// keeps its five lines and nothing else): the panels opened last, where the window was and
// how dragged gauges snap, and which keys are in force. It is a small text file of its own,
// cockpix-desktop.ini, in the settings file's folder:
//   geometry=<the window system's description of the main window, in base64>
//   recent=/fs98/aircraft/c182/panel/panel.cfg      (the newest first)
//   snapgrid=0   gridstep=8   snapgauges=1           (one a line)
//   standardkeys=1                                   (Options > Standard desktop keys)
// Lines end CR LF; unknown lines are skipped, so that a later version may add its own.

#include "settings/core/settings.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

inline constexpr std::size_t kMaxRecentFiles = 8;
inline constexpr int kSmallestGridStep = 1; // panel units
inline constexpr int kLargestGridStep = 1000;
inline constexpr int kDefaultGridStep = 8;

// The snapping switches of the Options menu: a dragged gauge or selection snaps its corner to
// a grid of gridStep panel units, and its edges and centre to those of the other gauges and
// of the background.
struct SnapOptions {
    bool toGrid = false;
    int gridStep = kDefaultGridStep; // kSmallestGridStep..kLargestGridStep
    bool toGauges = true;
    friend bool operator==(const SnapOptions&, const SnapOptions&) = default;
};

// A grid step as typed or kept: a whole number kSmallestGridStep..kLargestGridStep, blanks
// around it allowed; nullopt for anything else.
std::optional<int> parseGridStep(std::string_view text);

struct DesktopState {
    // Absolute paths, the newest first, without repeats, at most kMaxRecentFiles.
    std::vector<std::string> recentFiles;
    // Opaque to the core; empty until the main window has been closed once.
    std::string windowGeometry;
    // A value missing or unreadable in the file keeps its default.
    SnapOptions snap;
    // The standard desktop keys in place of COCKPIX's own.
    bool standardKeys = false;
    friend bool operator==(const DesktopState&, const DesktopState&) = default;
};

// cockpix-desktop.ini beside the settings file at settingsPath; empty when that is empty.
std::string desktopStateFilePath(const std::string& settingsPath = settingsFilePath());

DesktopState parseDesktopState(std::string_view text);
std::string desktopStateText(const DesktopState& state);

// A missing or unreadable file is an empty state.
DesktopState readDesktopState(const std::string& path);
// Writes the whole file atomically, creating its folder; false when it failed.
bool writeDesktopState(const DesktopState& state, const std::string& path);

// Puts path first, taking it out of where it was, and keeps the newest kMaxRecentFiles. A
// path that is empty or holds a line break cannot be kept in the file and is not added.
void addRecentFile(DesktopState& state, const std::string& path);
void removeRecentFile(DesktopState& state, const std::string& path);
// Takes out the files that no longer exist; true when any went.
bool dropMissingRecentFiles(DesktopState& state);

} // namespace cockpix

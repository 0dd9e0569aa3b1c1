#pragma once

// The settings file: five lines, each a directory ending with "/", each line ending CR LF.
// It lives at $COCKPIX_CONFIG_DIR/cockpix.ini when that variable is set, otherwise at
// $XDG_CONFIG_HOME/cockpix/cockpix.ini (default ~/.config/cockpix/cockpix.ini).

#include <string>
#include <string_view>

namespace cockpix {

// The five directories of the settings file, each ending with "/" (or empty when unset),
// so that every path is the plain concatenation of directory, name and extension.
struct Directories {
    std::string gaugesDir;
    std::string bmpDir;
    std::string paletteDir;
    std::string panelDir;
    std::string programDir;
    friend bool operator==(const Directories&, const Directories&) = default;
};

// The gauge module every FS98 gauges directory holds, found whatever its case: what tells
// a gauges directory from any other.
inline constexpr std::string_view kGaugesProbeFile = "CESSNA_182.AIRSPEED.GAU";

// The four two-way switches of the Options menu and its "Show changes before saving"; they
// start at their defaults every run and are never written to the settings file.
struct Options {
    bool alwaysRecomputeBitmaps = false;  // "Always &recompute bitmaps"
    bool frameAroundGauges = true;        // "&Frame around gauges"
    bool eraseBitmapsOnQuit = false;      // "Erase b&itmaps after quitting"
    bool erasePaletteFilesOnQuit = false; // "Erase p&alette files after quitting"
    bool showChangesBeforeSaving = false; // "Show changes before saving"
};

std::string settingsFilePath();

// The environment variable's value; empty when it is not set.
std::string environmentValue(const char* name);

// Reads up to five lines into gaugesDir, bmpDir, paletteDir, panelDir, programDir; fields
// whose line is missing keep their values. A missing file changes nothing.
void readSettings(Directories& dirs, const std::string& path = settingsFilePath());
// The same for the file's content in memory.
void readSettingsText(Directories& dirs, std::string_view content);

// Writes the five fields whole (creating the file's directory); false when it failed.
bool writeSettings(const Directories& dirs, const std::string& path = settingsFilePath());

} // namespace cockpix

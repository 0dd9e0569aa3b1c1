#pragma once

// The rules of the directories dialog: which directory a target sets, how the path the user
// browses to becomes a directory field, which file proves that the right directory was
// chosen, and what "OK" stores and creates. The dialog only collects the browsed path.

#include "settings/core/settings.h"

#include <string>
#include <string_view>

namespace cockpix {

// The three targets, as the dialog shows them ("Set GAUGES directory path...").
inline constexpr std::string_view kGaugesTarget = "GAUGES";
inline constexpr std::string_view kProgramTarget = "COCKPIX";
inline constexpr std::string_view kPanelTarget = "PANEL";

// The program's own executable, which marks the COCKPIX directory.
inline constexpr std::string_view kProgramProbeFile = "cockpix";

bool isDirectoryTarget(std::string_view target);

// The directory field a target sets (gaugesDir, programDir or panelDir); nullptr for an
// unknown target.
std::string* targetDirectory(Directories& dirs, std::string_view target);
const std::string* targetDirectory(const Directories& dirs, std::string_view target);

// The gauges directory of the FS98 installation a panel lies in: FS98 keeps an aircraft's
// panel in <FS98>/aircraft/<name>/panel/ and loads its gauge modules from <FS98>/gauges/
// (names ignoring case). Empty when panelDir is not laid out so or there is no gauges folder.
std::string installationGaugesDir(const std::string& panelDir);

// The browsed path as a directory field: with exactly one trailing "/" (a root "/" stays).
std::string selectedDirectoryPath(std::string_view listPath);

// Runs whenever the browsed path changes: returns the selected path, and for GAUGES makes
// the work directories follow it (bmp/ and palette/ under the selected path).
std::string applyBrowsedPath(Directories& dirs, std::string_view target, std::string_view listPath);

// "You didn't select the right /GAUGES/ directory. Please try again."
std::string wrongDirectoryMessage(std::string_view target);

// The file that must exist in the selected directory for "OK" to accept it; empty for PANEL.
std::string_view probeFileName(std::string_view target);

// Whether the selected directory holds the target's probe file (always true for PANEL).
bool holdsProbeFile(std::string_view target, const std::string& selectedPath);

// Whether "OK" takes the selected directory: its probe file, or for GAUGES also the Gauges
// folder of FS2000 to Prepar3D or an MSFS Official or Community folder (where the stock
// instruments lie).
bool isAcceptedDirectory(std::string_view target, const std::string& selectedPath);

// The folder the work directories (bmp/, palette/) go in for the gauges directory gaugesDir:
// itself when it is FS98's (or no simulator's), cacheDir when it belongs to a later
// simulator, whose folders COCKPIX leaves as they are.
std::string workDirectoryBase(const std::string& gaugesDir, const std::string& cacheDir);

enum class ConfirmStatus {
    WrongDirectory,   // probe file missing: nothing stored, nothing written
    Stored,           // stored, settings written, work directories present
    SettingsNotSaved, // stored in memory, but the settings file could not be written
    WorkDirFailed,    // stored and written, but bmp/ or palette/ could not be created
};

struct ConfirmResult {
    ConfirmStatus status = ConfirmStatus::WrongDirectory;
    std::string failedPath; // the settings file or work directory that failed
};

// "OK": checks the directory (isAcceptedDirectory), stores selectedPath into the target's
// field, writes the settings file and, for GAUGES, creates palette/ then bmp/ (existing ones
// are fine) under workDirectoryBase (cacheDir: the user's cache folder, userCacheDir() when
// empty). The caller clears bitmapMissing once a directory was stored.
ConfirmResult confirmDirectory(Directories& dirs, std::string_view target,
                               const std::string& selectedPath, const std::string& settingsPath,
                               const std::string& cacheDir = {});

} // namespace cockpix

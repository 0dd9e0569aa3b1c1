#include "settings/core/directoryrules.h"

#include "base/core/filelookup.h"
#include "settings/core/installation.h"
#include "settings/core/settings.h"

#include <filesystem>
#include <system_error>

namespace cockpix {

namespace fs = std::filesystem;

bool isDirectoryTarget(std::string_view target) {
    return target == kGaugesTarget || target == kProgramTarget || target == kPanelTarget;
}

namespace {

template <class Dirs>
auto directoryOf(Dirs& dirs, std::string_view target) -> decltype(&dirs.gaugesDir) {
    if (target == kGaugesTarget)
        return &dirs.gaugesDir;
    if (target == kProgramTarget)
        return &dirs.programDir;
    if (target == kPanelTarget)
        return &dirs.panelDir;
    return nullptr;
}

} // namespace

std::string* targetDirectory(Directories& dirs, std::string_view target) {
    return directoryOf(dirs, target);
}

const std::string* targetDirectory(const Directories& dirs, std::string_view target) {
    return directoryOf(dirs, target);
}

std::string installationGaugesDir(const std::string& panelDir) {
    fs::path panel = fs::path(panelDir).lexically_normal();
    if (!panel.has_filename())
        panel = panel.parent_path();
    const fs::path aircraftFolder = panel.parent_path().parent_path();
    if (asciiLowered(panel.filename().string()) != "panel" ||
        asciiLowered(aircraftFolder.filename().string()) != "aircraft")
        return {};
    const auto gauges = findPathIgnoringCase((aircraftFolder.parent_path() / "gauges").string());
    std::error_code ec;
    if (!gauges || !fs::is_directory(*gauges, ec))
        return {};
    return gauges->back() == '/' ? *gauges : *gauges + '/';
}

std::string selectedDirectoryPath(std::string_view listPath) {
    std::string path(listPath);
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

std::string applyBrowsedPath(Directories& dirs, std::string_view target,
                             std::string_view listPath) {
    std::string selected = selectedDirectoryPath(listPath);
    if (target == kGaugesTarget) {
        dirs.bmpDir = selected + "bmp/";
        dirs.paletteDir = selected + "palette/";
    }
    return selected;
}

std::string wrongDirectoryMessage(std::string_view target) {
    return "You didn't select the right /" + std::string(target) + "/ directory. Please try again.";
}

std::string_view probeFileName(std::string_view target) {
    if (target == kGaugesTarget)
        return kGaugesProbeFile;
    if (target == kProgramTarget)
        return kProgramProbeFile;
    return {};
}

bool holdsProbeFile(std::string_view target, const std::string& selectedPath) {
    const std::string_view probe = probeFileName(target);
    if (probe.empty())
        return true;
    const std::string path = selectedPath + std::string(probe);
    std::error_code error;
    if (target == kGaugesTarget) {
        // Gauge modules come from Windows and their case varies from one install to another.
        const auto found = findPathIgnoringCase(path);
        return found && fs::is_regular_file(*found, error);
    }
    return fs::is_regular_file(path, error);
}

bool isAcceptedDirectory(std::string_view target, const std::string& selectedPath) {
    if (holdsProbeFile(target, selectedPath))
        return true;
    return target == kGaugesTarget &&
           (isSimulatorGaugesFolder(selectedPath) || isMsfsPackagesFolder(selectedPath));
}

std::string workDirectoryBase(const std::string& gaugesDir, const std::string& cacheDir) {
    const bool laterSimulators =
        !holdsProbeFile(kGaugesTarget, gaugesDir) &&
        (isSimulatorGaugesFolder(gaugesDir) || isMsfsPackagesFolder(gaugesDir));
    return laterSimulators ? cacheDir : gaugesDir;
}

namespace {

bool createWorkDirectory(const std::string& dir) {
    std::error_code error;
    fs::create_directory(dir, error);
    return fs::is_directory(dir, error);
}

} // namespace

ConfirmResult confirmDirectory(Directories& dirs, std::string_view target,
                               const std::string& selectedPath, const std::string& settingsPath,
                               const std::string& cacheDir) {
    std::string* field = targetDirectory(dirs, target);
    if (field == nullptr || !isAcceptedDirectory(target, selectedPath))
        return {ConfirmStatus::WrongDirectory, {}};

    *field = selectedPath;
    if (target == kGaugesTarget) {
        // The work directories always follow the confirmed gauges directory, even when the
        // dialog's browsing changed them in between; never into a later simulator's folder.
        const std::string base = workDirectoryBase(
            selectedPath, cacheDir.empty() ? userCacheDir() : selectedDirectoryPath(cacheDir));
        dirs.bmpDir = base + "bmp/";
        dirs.paletteDir = base + "palette/";
        std::error_code error;
        if (base != selectedPath) // the user's cache folder may not be there yet
            fs::create_directories(base, error);
    }
    const bool settingsWritten = writeSettings(dirs, settingsPath);

    if (target == kGaugesTarget) {
        for (const std::string* dir : {&dirs.paletteDir, &dirs.bmpDir}) {
            if (!createWorkDirectory(*dir))
                return {ConfirmStatus::WorkDirFailed, *dir};
        }
    }
    if (!settingsWritten)
        return {ConfirmStatus::SettingsNotSaved, settingsPath};
    return {ConfirmStatus::Stored, {}};
}

} // namespace cockpix

#include "panel/core/panelbackups.h"

#include "base/core/atomicfile.h"
#include "base/core/filelookup.h"
#include "panel/core/fs2k/lines.h"
#include "panel/core/fs2k/panel.h"
#include "panel/core/panelsave.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

#include <sys/stat.h>

namespace cockpix {
namespace {

constexpr std::string_view kBackupPrefix = "panel.c";

// The N of "panel.c" + N, or 0 for any other name (and for "panel.c0", "panel.c012").
int backupNumberOf(std::string_view name) {
    if (name.substr(0, kBackupPrefix.size()) != kBackupPrefix)
        return 0;
    const std::string_view digits = name.substr(kBackupPrefix.size());
    if (digits.empty() || digits.size() > 9 || digits.front() == '0')
        return 0;
    int number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        number = number * 10 + (c - '0');
    }
    return number;
}

std::string backupName(int number) {
    return std::string(kBackupPrefix) + std::to_string(number);
}

std::optional<unsigned> fileMode(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return info.st_mode & 07777;
}

UserText unchangedFailure(const UserText& what, int error) {
    return what + ": " + std::strerror(error) +
           ".\nNothing was restored; 'panel.cfg' is unchanged.";
}

} // namespace

std::vector<PanelBackup> listPanelBackups(const std::string& panelDir) {
    namespace fs = std::filesystem;
    std::vector<PanelBackup> backups;
    std::error_code error;
    fs::directory_iterator it(panelDir.empty() ? "." : panelDir, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const int number = backupNumberOf(it->path().filename().string());
        struct stat info {};
        if (number == 0 || ::stat(it->path().c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        backups.push_back({number, it->path().string(), static_cast<std::uintmax_t>(info.st_size),
                           static_cast<std::int64_t>(info.st_mtime)});
    }
    std::sort(backups.begin(), backups.end(),
              [](const PanelBackup& a, const PanelBackup& b) { return a.number < b.number; });
    return backups;
}

namespace {

BackupContent fs2kContent(std::string bytes) {
    BackupContent content;
    content.format = PanelFormat::Fs2k;
    const fs2k::PanelLines lines(std::move(bytes));
    const fs2k::Panel panel = fs2k::readPanel(lines);
    content.windowCount = static_cast<int>(panel.windows.size());
    for (const fs2k::Window& window : panel.windows)
        content.gaugeCount += static_cast<int>(window.gauges.size());
    return content;
}

} // namespace

BackupContent readBackupContent(const PanelBackup& backup) {
    if (std::optional<std::string> bytes = readWholeFile(backup.path);
        bytes && detectPanelFormatAt(backup.path, *bytes) == PanelFormat::Fs2k)
        return fs2kContent(std::move(*bytes));
    BackupContent content;
    // A panel is large (9 x 64 gauge records): it lives on the heap.
    const auto panel = std::make_unique<fs98::Panel>();
    std::string panelDir = directoryOf(backup.path);
    content.error = fs98::readPanelFile(*panel, panelDir, backup.path);
    if (content.error)
        return content;
    content.windowCount = std::clamp(panel->windowCount, 0, fs98::kWindowSlots);
    for (int w = 0; w < content.windowCount; ++w)
        content.gaugeCount += std::clamp(panel->window(w).gaugeCount, 0, fs98::kGaugeSlots);
    return content;
}

RestoreResult restorePanelBackup(const std::string& panelDir, int number) {
    RestoreResult result;
    const std::vector<PanelBackup> backups = listPanelBackups(panelDir);
    const auto chosen = std::find_if(backups.begin(), backups.end(),
                                     [number](const PanelBackup& b) { return b.number == number; });
    if (chosen == backups.end()) {
        result.message = "There is no backup '" + backupName(number) + "' in '" +
                         UserText::path(panelDir) + "'.\nNothing was changed.";
        return result;
    }
    // Read before the current file is backed up, so that its number cannot be confused with
    // the new backup's.
    errno = 0;
    const std::optional<std::string> bytes = readWholeFile(chosen->path);
    if (!bytes) {
        result.message = unchangedFailure(
            "The backup '" + backupName(number) + "' could not be read", errno != 0 ? errno : EIO);
        return result;
    }
    const std::optional<std::string> current = existingPanelFile(panelDir);
    result.panelFile = current ? *current : panelDir + "panel.cfg";
    const std::string directory = directoryOf(result.panelFile);
    // The new content is on the disk before anything else is touched, so that a full disk
    // stops the restore while nothing has changed.
    const TempFile temp =
        writeTempFile(directory, "panel.cfg", *bytes, fileMode(current ? *current : chosen->path));
    if (temp.error != 0) {
        result.message = unchangedFailure(
            "'" + UserText::path(result.panelFile) + "' could not be written", temp.error);
        return result;
    }
    BackupCopy backup;
    if (current) {
        backup = keepAsNextBackup(*current);
        if (backup.error != 0) {
            removeFile(temp.path);
            result.message = unchangedFailure("Previous 'panel.cfg' could not be saved as '" +
                                                  backupName(backup.number) + "'",
                                              backup.error);
            return result;
        }
    }
    if (const int error = renameReplacing(temp.path, result.panelFile); error != 0) {
        removeFile(temp.path);
        // The new backup only repeats the panel.cfg that stays: taking it away loses nothing.
        if (current)
            removeFile(backup.path);
        result.message = unchangedFailure(
            "'" + UserText::path(result.panelFile) + "' could not be replaced", error);
        return result;
    }
    syncDirectory(directory);
    result.restored = true;
    result.backupMade = current.has_value();
    result.backupNumber = current ? backup.number : 0;
    UserText text;
    if (result.backupMade)
        text = "Previous 'panel.cfg' was saved as '" + backupName(backup.number) + "'\n";
    result.message = text + "'" + backupName(number) + "' was restored as '" +
                     UserText::path(result.panelFile) + "'.";
    return result;
}

} // namespace cockpix

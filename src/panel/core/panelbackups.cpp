#include "panel/core/panelbackups.h"

#include "base/core/atomicfile.h"
#include "base/core/filelookup.h"
#include "panel/core/panelwriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

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

// The backup's bytes as the new panel.cfg, in one rename; 0 or the errno of the failure.
int putInPlace(const std::string& target, const std::string& bytes, std::optional<unsigned> mode) {
    const std::string directory = directoryOf(target);
    const TempFile temp = writeTempFile(directory, "panel.cfg", bytes, mode);
    if (temp.error != 0)
        return temp.error;
    if (const int error = renameReplacing(temp.path, target); error != 0) {
        ::unlink(temp.path.c_str());
        return error;
    }
    syncDirectory(directory);
    return 0;
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
    const std::optional<unsigned> mode = fileMode(current ? *current : chosen->path);
    BackupCopy copy;
    if (current) {
        copy = copyToNextBackup(*current);
        if (copy.error != 0) {
            result.message = unchangedFailure("Previous 'panel.cfg' could not be saved as '" +
                                                  backupName(copy.number) + "'",
                                              copy.error);
            return result;
        }
    }
    if (const int error = putInPlace(result.panelFile, *bytes, mode); error != 0) {
        // The copy only repeats the panel.cfg that stays: taking it away changes nothing.
        if (current)
            ::unlink(copy.path.c_str());
        result.message = unchangedFailure(
            "'" + UserText::path(result.panelFile) + "' could not be replaced", error);
        return result;
    }
    result.restored = true;
    result.backupMade = current.has_value();
    result.backupNumber = current ? copy.number : 0;
    UserText text;
    if (result.backupMade)
        text = "Previous 'panel.cfg' was saved as '" + backupName(copy.number) + "'\n";
    result.message = text + "'" + backupName(number) + "' was restored as '" +
                     UserText::path(result.panelFile) + "'.";
    return result;
}

} // namespace cockpix

#include "panel/core/panelsave.h"

#include "base/core/atomicfile.h"
#include "base/core/filelookup.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>

#include <sys/stat.h>

namespace cockpix {
namespace {

constexpr std::string_view kPanelFileName = "panel.cfg";

// A directory full of taken backup names is not something a user makes; the bound only
// keeps a pathological directory from holding the save up forever.
constexpr int kMaxBackupAttempts = 100000;

// Numeric value of the leading digits only: "7" gives 7, "1x" gives 1, "fg" gives 0.
int leadingDigitsValue(std::string_view text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

// ---------------------------------------------------------------------------------------
// File system steps of the save. Each returns 0 or the errno of the failure.

std::string errorText(int error) {
    return std::strerror(error);
}

bool entryExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::vector<std::string> plainFileNames(const std::string& directory) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(directory.empty() ? "." : directory, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError))
            names.push_back(it->path().filename().string());
    }
    return names;
}

std::optional<unsigned> fileMode(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return info.st_mode & 07777;
}

bool samePath(const std::string& a, const std::string& b) {
    std::error_code error;
    const auto canonicalA = std::filesystem::weakly_canonical(a, error);
    if (error)
        return a == b;
    const auto canonicalB = std::filesystem::weakly_canonical(b, error);
    return error ? a == b : canonicalA == canonicalB;
}

// The largest N of the names "panel.c<N>", whatever the number of digits (0 for none).
int highestBackupNumber(const std::vector<std::string>& names) {
    constexpr std::string_view prefix = "panel.c";
    int highest = 0;
    for (const std::string& name : names) {
        if (name.size() <= prefix.size() || name.size() > prefix.size() + 9 ||
            name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string_view digits = std::string_view(name).substr(prefix.size());
        if (digits.find_first_not_of("0123456789") == std::string_view::npos)
            highest = std::max(highest, leadingDigitsValue(digits));
    }
    return highest;
}

std::string backupPath(const std::string& panelDir, int number) {
    return panelDir + "panel.c" + std::to_string(number);
}

struct BackupOutcome {
    int number = 0;
    int error = 0;
};

// A file system that cannot give a file a second name (FAT, some network shares).
bool cannotLink(int error) {
    return error == EPERM || error == EXDEV || error == EMLINK || error == ENOTSUP ||
           error == EOPNOTSUPP || error == ENOSYS;
}

// Puts source under the first free backup name from the computed number on, with place
// (a no-replace link or rename); returns the number used. The listing only knows numbers of
// one or two digits after ".c", so past 99 (or when another program took a name) the number
// simply grows until a name is free: no backup is ever overwritten. The chosen output is
// never used as a backup name, or the new file would replace the backup at once.
template <class Place>
BackupOutcome placeBackup(const std::string& panelDir, const std::string& outputPath,
                          const Place& place) {
    const std::vector<std::string> names = plainFileNames(panelDir);
    BackupOutcome outcome{nextBackupNumber(names), 0};
    // Once the number the listing gives is taken, the search goes on above every backup
    // number there is, rather than past each of them in turn.
    const int above = highestBackupNumber(names) + 1;
    for (int attempt = 0; attempt < kMaxBackupAttempts; ++attempt, ++outcome.number) {
        if (attempt == 1 && outcome.number < above)
            outcome.number = above;
        const std::string candidate = backupPath(panelDir, outcome.number);
        if (entryExists(candidate) || samePath(candidate, outputPath))
            continue;
        outcome.error = place(candidate);
        if (outcome.error != EEXIST)
            return outcome;
    }
    outcome.error = EEXIST;
    return outcome;
}

// A copy of the old file as the next backup, through a temporary file so that a backup is
// never half written.
BackupOutcome copyToBackup(const std::string& oldFile, const std::string& panelDir,
                           const std::string& outputPath) {
    const std::optional<std::string> bytes = readWholeFile(oldFile);
    if (!bytes)
        return {nextBackupNumber(plainFileNames(panelDir)), errno != 0 ? errno : EIO};
    const TempFile temp = writeTempFile(panelDir, kPanelFileName, *bytes, fileMode(oldFile));
    if (temp.error != 0)
        return {nextBackupNumber(plainFileNames(panelDir)), temp.error};
    const BackupOutcome outcome = placeBackup(panelDir, outputPath, [&](const std::string& to) {
        return renameNoReplace(temp.path, to);
    });
    if (outcome.error != 0)
        removeFile(temp.path);
    return outcome;
}

// Keeps the old panel.cfg as the next backup: a second name of the old file, so that
// panel.cfg keeps its old bytes until the new ones replace it in one rename, and a save cut
// short at any moment (a crash, a full disk) leaves a whole panel.cfg.
BackupOutcome keepBackup(const std::string& oldFile, const std::string& panelDir) {
    const BackupOutcome linked = placeBackup(
        panelDir, oldFile, [&](const std::string& to) { return linkNoReplace(oldFile, to); });
    if (linked.error != 0 && cannotLink(linked.error))
        return copyToBackup(oldFile, panelDir, oldFile);
    return linked;
}

// The old file as it is named on disk: "panel.cfg" as FS98 says, or "PANEL.CFG".
std::string fileName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

UserText successMessage(const SaveResult& result) {
    UserText text;
    if (result.backupMade)
        text = "Previous '" + UserText::path(fileName(result.outputPath)) +
               "' was saved as 'panel.c" + std::to_string(result.backupNumber) + "'\n";
    return text + "The new '" + UserText::path(result.outputPath) +
           "' was correctly recorded to disk.";
}

UserText notRecordedMessage(const std::string& outputPath, int error) {
    return "The new '" + UserText::path(outputPath) +
           "' could not be recorded to disk: " + errorText(error) + ".";
}

// The new content is put in place only after the old file is safe in its backup; when that
// last rename fails, panel.cfg was never touched and the new backup is taken away again.
void replaceOldFile(SaveResult& result, const std::string& oldFile, const std::string& tempPath) {
    // The directory as it is spelled on disk, which may differ in case from panelDir.
    const std::string panelDir = directoryOf(oldFile);
    const BackupOutcome backup = keepBackup(oldFile, panelDir);
    if (backup.error != 0) {
        removeFile(tempPath);
        const UserText name = UserText::path(fileName(oldFile));
        result.message = "Previous '" + name + "' could not be saved as 'panel.c" +
                         std::to_string(backup.number) + "': " + errorText(backup.error) +
                         ".\nThe new panel was not saved; '" + name + "' is unchanged.";
        return;
    }
    if (const int error = renameReplacing(tempPath, result.outputPath); error != 0) {
        removeFile(tempPath);
        removeFile(backupPath(panelDir, backup.number));
        result.message = notRecordedMessage(result.outputPath, error) + "\nPrevious '" +
                         UserText::path(fileName(oldFile)) + "' is unchanged.";
        return;
    }
    result.written = true;
    result.backupMade = true;
    result.backupNumber = backup.number;
}

// A file whose every write permission is off (root too is kept from replacing it).
bool isReadOnlyFile(const std::string& path) {
    const std::optional<unsigned> mode = isRegularFile(path) ? fileMode(path) : std::nullopt;
    return mode && (*mode & 0222) == 0;
}

// The panel directory's own panel.cfg, named in any case, is replaced as it is spelled on
// disk (FS98 sees one file whatever the case); any other output is written as named.
std::string saveTarget(const std::string& panelDir, const std::string& outputPath) {
    const std::optional<std::string> oldFile = existingPanelFile(panelDir);
    const std::string sameName = resolvePathIgnoringCase(outputPath);
    return oldFile && samePath(*oldFile, sameName) ? *oldFile : outputPath;
}

void placeNewFile(SaveResult& result, const std::string& tempPath) {
    if (const int error = renameReplacing(tempPath, result.outputPath); error != 0) {
        removeFile(tempPath);
        result.message = notRecordedMessage(result.outputPath, error);
        return;
    }
    result.written = true;
}

} // namespace

int nextBackupNumber(const std::vector<std::string>& fileNames) {
    int highest = 0;
    for (const std::string& name : fileNames) {
        const std::size_t size = name.size();
        if (size >= 3 && name.compare(size - 3, 2, ".c") == 0)
            highest =
                std::max(highest, leadingDigitsValue(std::string_view(name).substr(size - 1)));
        else if (size >= 4 && name.compare(size - 4, 2, ".c") == 0)
            highest =
                std::max(highest, leadingDigitsValue(std::string_view(name).substr(size - 2)));
    }
    return highest + 1;
}

BackupCopy keepAsNextBackup(const std::string& panelFile) {
    const std::string panelDir = directoryOf(panelFile);
    // The same second name (or copy) as a save makes before it replaces panel.cfg.
    const BackupOutcome outcome = keepBackup(panelFile, panelDir);
    if (outcome.error == 0)
        syncDirectory(panelDir);
    return {outcome.number, outcome.error, backupPath(panelDir, outcome.number)};
}

std::optional<std::string> existingPanelFile(const std::string& panelDir) {
    std::optional<std::string> found = findPathIgnoringCase(panelDir + std::string(kPanelFileName));
    if (found && !isRegularFile(*found))
        found.reset();
    return found;
}

std::optional<std::string> readOnlySaveTarget(const std::string& panelDir,
                                              const std::string& outputPath) {
    const std::string target = saveTarget(panelDir, outputPath);
    return isReadOnlyFile(target) ? std::optional<std::string>(target) : std::nullopt;
}

SaveResult savePanelBytes(std::string_view text, const std::string& panelDir,
                          const std::string& outputPath, bool replaceReadOnly) {
    SaveResult result;
    const std::optional<std::string> oldFile = existingPanelFile(panelDir);
    result.outputPath = saveTarget(panelDir, outputPath);
    const bool replacesOldFile = oldFile && result.outputPath == *oldFile;
    if (!replaceReadOnly && isReadOnlyFile(result.outputPath)) {
        result.message =
            "'" + UserText::path(result.outputPath) + "' is read-only: nothing was saved.";
        return result;
    }

    const std::string outputDir = directoryOf(result.outputPath);
    const std::optional<unsigned> mode = isRegularFile(result.outputPath)
                                             ? fileMode(result.outputPath)
                                         : oldFile ? fileMode(*oldFile)
                                                   : std::nullopt;
    const TempFile temp = writeTempFile(outputDir, kPanelFileName, text, mode);
    if (temp.error != 0) {
        result.message = "The new '" + UserText::path(result.outputPath) +
                         "' could not be written: " + errorText(temp.error) +
                         ".\nNothing was changed on disk.";
        return result;
    }
    // Saved under another name, panel.cfg is not replaced and so needs no backup.
    if (replacesOldFile)
        replaceOldFile(result, *oldFile, temp.path);
    else
        placeNewFile(result, temp.path);
    if (!result.written)
        return result;
    syncDirectory(outputDir);
    result.message = successMessage(result);
    return result;
}

} // namespace cockpix

#pragma once

// The file-system steps every save of COCKPIX goes through: a new file is written beside its
// target under a fresh name, flushed to the disk, and only then renamed into place, so a
// failure at any moment leaves the old file whole. Each step reports the errno of a failure
// (0 for success) so that callers can say what went wrong.

#include <optional>
#include <string>
#include <string_view>

namespace cockpix {

// A fresh file in a directory, fully written and flushed.
struct TempFile {
    std::string path;
    int error = 0; // 0 when the file is complete; otherwise it is gone again
};

// Writes content to a new file in directory (which ends with "/"), named after stem, with
// the permission bits mode when given.
TempFile writeTempFile(const std::string& directory, std::string_view stem,
                       std::string_view content, std::optional<unsigned> mode = std::nullopt);

// Renames from to to, never replacing an existing to (a taken name gives EEXIST).
int renameNoReplace(const std::string& from, const std::string& to);

// Renames from to to, replacing to.
int renameReplacing(const std::string& from, const std::string& to);
// Gives the file at from the second name to; a taken name gives EEXIST.
int linkNoReplace(const std::string& from, const std::string& to);
// Removes the name path.
int removeFile(const std::string& path);

// Flushes a directory's entries (after a rename) to the disk; failures are not reported,
// as some file systems cannot do it.
void syncDirectory(const std::string& directory);

// The whole of content as the file at path, atomically: the old file stays whole until the
// new one replaces it. Returns 0 or the errno of the failing step.
int writeFileAtomically(const std::string& path, std::string_view content);

// The directory part of path, ending with "/" ("./" when path has none).
std::string directoryOf(const std::string& path);

} // namespace cockpix

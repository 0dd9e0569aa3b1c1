#pragma once

// The file-system steps every save of COCKPIX goes through: a new file is written beside its
// target under a fresh name, flushed to the disk, and only then renamed into place, so a
// failure at any moment leaves the old file whole. Each step reports the errno of a failure
// (0 for success) so that callers can say what went wrong.
//
// Every system call of these steps goes through FileSystemCalls, the one seam where tests
// make a save fail at any step or after any number of bytes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cockpix {

// The system calls of a save, POSIX style: -1 (or a negative count) and errno on failure.
class FileSystemCalls {
public:
    virtual ~FileSystemCalls() = default;
    virtual int open(const std::string& path, int flags, unsigned mode);
    virtual long write(int fd, const char* data, std::size_t size);
    virtual int fchmod(int fd, unsigned mode);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int rename(const std::string& from, const std::string& to);
    // Fails with EEXIST when to exists, and EINVAL where the file system cannot refuse.
    virtual int renameNoReplace(const std::string& from, const std::string& to);
    virtual int link(const std::string& from, const std::string& to);
    virtual int unlink(const std::string& path);
    // Flushing a directory's entries; a failure there loses nothing already renamed.
    virtual int syncDirectory(const std::string& directory);
};

// The calls in use: the real ones unless a test put others in place.
FileSystemCalls& fileSystemCalls();
// Puts calls in place for the saves that follow (nullptr: the real ones again).
void useFileSystemCalls(FileSystemCalls* calls);

// Whether a write waits for the disk before it counts as done.
enum class Flush {
    ToDisk, // the user's files: whole after a power cut too
    // Work files the program makes again when they are gone or damaged (the palette
    // optimizer's): the rename alone keeps them whole for every program that reads them, and
    // a run does not wait for the disk several times.
    Skip,
};

// A fresh file in a directory, fully written and flushed.
struct TempFile {
    std::string path;
    int error = 0; // 0 when the file is complete; otherwise it is gone again
};

// Writes content to a new file in directory (which ends with "/"), named after stem, with
// the permission bits mode when given. Temporary files that a killed run of COCKPIX left in
// the directory are removed first.
TempFile writeTempFile(const std::string& directory, std::string_view stem,
                       std::string_view content, std::optional<unsigned> mode = std::nullopt,
                       Flush flush = Flush::ToDisk);

// Renames from to to, never replacing an existing to (a taken name gives EEXIST).
int renameNoReplace(const std::string& from, const std::string& to);
// Renames from to to, replacing to.
int renameReplacing(const std::string& from, const std::string& to);
// Gives the file at from the second name to; a taken name gives EEXIST.
int linkNoReplace(const std::string& from, const std::string& to);
// Removes the name path.
int removeFile(const std::string& path);

// Flushes a directory's entries (after a rename) to the disk; failures are not reported,
// as some file systems cannot do it and nothing is lost by it.
void syncDirectory(const std::string& directory);

// The whole of content as the file at path, atomically: the old file stays whole until the
// new one replaces it. Returns 0 or the errno of the failing step.
int writeFileAtomically(const std::string& path, std::string_view content,
                        Flush flush = Flush::ToDisk);

// The directory part of path, ending with "/" ("./" when path has none).
std::string directoryOf(const std::string& path);

} // namespace cockpix

#include "base/core/atomicfile.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cockpix {
namespace {

constexpr std::string_view kTempMarker = ".cockpix-";

FileSystemCalls& realCalls() {
    static FileSystemCalls calls;
    return calls;
}

FileSystemCalls* currentCalls = nullptr;

int writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const long written = fileSystemCalls().write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// ".panel.cfg.cockpix-1234-5678": the process id after the marker.
std::optional<pid_t> tempFileOwner(const std::string& name) {
    const std::size_t marker = name.find(kTempMarker);
    if (name.empty() || name.front() != '.' || marker == std::string::npos)
        return std::nullopt;
    const std::size_t start = marker + kTempMarker.size();
    const std::size_t dash = name.find('-', start);
    if (dash == std::string::npos || dash == start)
        return std::nullopt;
    pid_t pid = 0;
    for (std::size_t i = start; i < dash; ++i) {
        if (name[i] < '0' || name[i] > '9' || pid > 100000000)
            return std::nullopt;
        pid = pid * 10 + (name[i] - '0');
    }
    return pid;
}

// A save that was killed half way leaves its temporary file behind; once its process has
// gone, nobody will finish it.
void removeStaleTempFiles(const std::string& directory) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator it(directory.empty() ? "." : directory, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::optional<pid_t> owner = tempFileOwner(name);
        if (owner && *owner != ::getpid() && ::kill(*owner, 0) != 0 && errno == ESRCH)
            fileSystemCalls().unlink(directory + name);
    }
}

} // namespace

int FileSystemCalls::open(const std::string& path, int flags, unsigned mode) {
    return ::open(path.c_str(), flags, static_cast<mode_t>(mode));
}
long FileSystemCalls::write(int fd, const char* data, std::size_t size) {
    return ::write(fd, data, size);
}
int FileSystemCalls::fchmod(int fd, unsigned mode) {
    return ::fchmod(fd, static_cast<mode_t>(mode));
}
int FileSystemCalls::fsync(int fd) {
    return ::fsync(fd);
}
int FileSystemCalls::close(int fd) {
    return ::close(fd);
}
int FileSystemCalls::rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str());
}
int FileSystemCalls::renameNoReplace(const std::string& from, const std::string& to) {
#ifdef __linux__
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
#else
    errno = EINVAL;
    return -1;
#endif
}
int FileSystemCalls::link(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str());
}
int FileSystemCalls::unlink(const std::string& path) {
    return ::unlink(path.c_str());
}
int FileSystemCalls::syncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    const int result = ::fsync(fd);
    ::close(fd);
    return result;
}

FileSystemCalls& fileSystemCalls() {
    return currentCalls ? *currentCalls : realCalls();
}

void useFileSystemCalls(FileSystemCalls* calls) {
    currentCalls = calls;
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return "./";
    return path.substr(0, slash + 1);
}

TempFile writeTempFile(const std::string& directory, std::string_view stem,
                       std::string_view content, std::optional<unsigned> mode, Flush flush) {
    removeStaleTempFiles(directory);
    FileSystemCalls& calls = fileSystemCalls();
    std::random_device seed;
    TempFile temp;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp.path = directory + "." + std::string(stem) + std::string(kTempMarker) +
                    std::to_string(::getpid()) + "-" + std::to_string(seed());
        const int fd = calls.open(temp.path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            temp.error = errno;
            return temp;
        }
        temp.error = writeAll(fd, content);
        if (temp.error == 0 && mode && calls.fchmod(fd, *mode) != 0)
            temp.error = errno;
        if (temp.error == 0 && flush == Flush::ToDisk && calls.fsync(fd) != 0)
            temp.error = errno;
        if (calls.close(fd) != 0 && temp.error == 0)
            temp.error = errno;
        if (temp.error != 0)
            calls.unlink(temp.path);
        return temp;
    }
    temp.error = EEXIST;
    return temp;
}

int renameNoReplace(const std::string& from, const std::string& to) {
    FileSystemCalls& calls = fileSystemCalls();
    if (calls.renameNoReplace(from, to) == 0)
        return 0;
    // Some file systems (and old kernels) do not know the flag; link() refuses a taken
    // name just as well.
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    if (calls.link(from, to) != 0)
        return errno;
    if (calls.unlink(from) != 0) {
        const int error = errno;
        calls.unlink(to);
        return error;
    }
    return 0;
}

int renameReplacing(const std::string& from, const std::string& to) {
    return fileSystemCalls().rename(from, to) == 0 ? 0 : errno;
}

int linkNoReplace(const std::string& from, const std::string& to) {
    return fileSystemCalls().link(from, to) == 0 ? 0 : errno;
}

int removeFile(const std::string& path) {
    return fileSystemCalls().unlink(path) == 0 ? 0 : errno;
}

void syncDirectory(const std::string& directory) {
    fileSystemCalls().syncDirectory(directory);
}

int writeFileAtomically(const std::string& path, std::string_view content, Flush flush) {
    const std::string directory = directoryOf(path);
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    struct stat info {};
    const std::optional<unsigned> mode = ::stat(path.c_str(), &info) == 0
                                             ? std::optional<unsigned>(info.st_mode & 07777)
                                             : std::nullopt;
    const TempFile temp = writeTempFile(directory, name, content, mode, flush);
    if (temp.error != 0)
        return temp.error;
    if (const int error = renameReplacing(temp.path, path); error != 0) {
        removeFile(temp.path);
        return error;
    }
    if (flush == Flush::ToDisk)
        syncDirectory(directory);
    return 0;
}

} // namespace cockpix

#include "base/core/atomicfile.h"

#include <cerrno>
#include <cstdio>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cockpix {
namespace {

int writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
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

} // namespace

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return "./";
    return path.substr(0, slash + 1);
}

TempFile writeTempFile(const std::string& directory, std::string_view stem,
                       std::string_view content, std::optional<unsigned> mode) {
    std::random_device seed;
    TempFile temp;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp.path = directory + "." + std::string(stem) + ".cockpix-" + std::to_string(::getpid()) +
                    "-" + std::to_string(seed());
        const int fd = ::open(temp.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            temp.error = errno;
            return temp;
        }
        temp.error = writeAll(fd, content);
        if (temp.error == 0 && mode && ::fchmod(fd, static_cast<mode_t>(*mode)) != 0)
            temp.error = errno;
        if (temp.error == 0 && ::fsync(fd) != 0)
            temp.error = errno;
        if (::close(fd) != 0 && temp.error == 0)
            temp.error = errno;
        if (temp.error != 0)
            ::unlink(temp.path.c_str());
        return temp;
    }
    temp.error = EEXIST;
    return temp;
}

int renameNoReplace(const std::string& from, const std::string& to) {
#ifdef __linux__
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    // Some file systems (and old kernels) do not know the flag; link() refuses a taken
    // name just as well.
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
#endif
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    if (::unlink(from.c_str()) != 0) {
        const int error = errno;
        ::unlink(to.c_str());
        return error;
    }
    return 0;
}

int renameReplacing(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int linkNoReplace(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

void syncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

int writeFileAtomically(const std::string& path, std::string_view content) {
    const std::string directory = directoryOf(path);
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    struct stat info {};
    const std::optional<unsigned> mode = ::stat(path.c_str(), &info) == 0
                                             ? std::optional<unsigned>(info.st_mode & 07777)
                                             : std::nullopt;
    const TempFile temp = writeTempFile(directory, name, content, mode);
    if (temp.error != 0)
        return temp.error;
    if (const int error = renameReplacing(temp.path, path); error != 0) {
        ::unlink(temp.path.c_str());
        return error;
    }
    syncDirectory(directory);
    return 0;
}

} // namespace cockpix

#include "base/core/filelookup.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cockpix {
namespace fs = std::filesystem;

namespace {

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringAsciiCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::path(path), ec);
}

FileStamp stampOf(const struct stat& info) {
    return FileStamp{static_cast<std::uint64_t>(info.st_size),
                     static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                         info.st_mtim.tv_nsec};
}

bool isDirectory(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(fs::path(path), ec);
}

// "a//b/" splits into "a", "", "b", "": empty parts keep doubled and trailing separators.
std::vector<std::string> splitComponents(const std::string& path) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (true) {
        const auto slash = path.find('/', start);
        parts.push_back(path.substr(start, slash - start));
        if (slash == std::string::npos)
            return parts;
        start = slash + 1;
    }
}

// The names in dir that equal name ignoring case, in sorted order so that the choice
// between several (possible on Linux, never on Windows) is the same on every run.
std::vector<std::string> caseVariants(const std::string& dir, const std::string& name) {
    std::vector<std::string> found;
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : fs::path(dir), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (equalIgnoringAsciiCase(entry, name))
            found.push_back(std::move(entry));
    }
    std::sort(found.begin(), found.end());
    return found;
}

// Resolves one component below prefix (which ends with "/" or is empty). A component
// that is followed by others must be a directory.
std::optional<std::string> resolveComponent(const std::string& prefix, const std::string& part,
                                            bool isLast) {
    if (part.empty() || part == "." || part == "..")
        return part;
    const auto usable = [&](const std::string& name) {
        const std::string full = prefix + name;
        return isLast ? exists(full) : isDirectory(full);
    };
    if (usable(part))
        return part;
    for (const std::string& candidate : caseVariants(prefix, part)) {
        if (usable(candidate))
            return candidate;
    }
    return std::nullopt;
}

// A file opened for reading, closed when it goes.
class ReadingFile {
public:
    // O_NONBLOCK: opening a pipe that has a file's name must not wait for a writer.
    explicit ReadingFile(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)),
          m_error(m_fd < 0 ? errno : 0) {}
    ~ReadingFile() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ReadingFile(const ReadingFile&) = delete;
    ReadingFile& operator=(const ReadingFile&) = delete;

    bool opened() const { return m_fd >= 0; }
    bool missing() const { return m_error == ENOENT || m_error == ENOTDIR; }
    // The stamp of a regular file, from one look at it; nullopt for anything else.
    std::optional<FileStamp> stamp() const { return openFileStamp(m_fd); }
    // Fills bytes whole, in as few calls as the system allows (one, for a file on a disk).
    // False when the system fails the read, or the file was cut shorter since its size was
    // looked at: half a file being written is no file to open or check.
    bool readAll(std::string& bytes) const {
        std::size_t at = 0;
        while (at < bytes.size()) {
            const ssize_t got = ::read(m_fd, bytes.data() + at, bytes.size() - at);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            at += static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    int m_fd;
    int m_error;
};

// Reads the regular file at path into bytes. Resizing keeps what the string held: a module
// as long as the previous one is read over it without clearing a megabyte first.
bool readRegularFileInto(const std::string& path, std::string& bytes) {
    const ReadingFile file(path);
    const std::optional<FileStamp> stamp = file.opened() ? file.stamp() : std::nullopt;
    if (!stamp || stamp->length > std::numeric_limits<std::size_t>::max() / 2)
        return false;
    try {
        bytes.resize(static_cast<std::size_t>(stamp->length));
    } catch (const std::exception&) {
        return false;
    }
    return file.readAll(bytes);
}

} // namespace

std::optional<std::string> findPathIgnoringCase(const std::string& path) {
    if (path.empty())
        return std::nullopt;
    if (exists(path))
        return path;
    const std::vector<std::string> parts = splitComponents(path);
    // The last non-empty part is the one that may be a plain file.
    std::size_t lastNamed = parts.size() - 1;
    while (lastNamed > 0 && parts[lastNamed].empty())
        --lastNamed;
    std::string result;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            result += '/';
        const auto resolved = resolveComponent(result, parts[i], i >= lastNamed);
        if (!resolved)
            return std::nullopt;
        result += *resolved;
    }
    if (!exists(result))
        return std::nullopt;
    return result;
}

std::string resolvePathIgnoringCase(const std::string& path) {
    return findPathIgnoringCase(path).value_or(path);
}

std::vector<std::string> filesWithExtension(const std::string& dir, const std::string& extension) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : fs::path(dir), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code kind;
        if (!it->is_regular_file(kind))
            continue;
        std::string name = it->path().filename().string();
        if (name.size() > extension.size() &&
            equalIgnoringAsciiCase(name.substr(name.size() - extension.size()), extension))
            names.push_back(std::move(name));
    }
    const auto lowered = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), asciiLower);
        return text;
    };
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        const std::string la = lowered(a), lb = lowered(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

std::string pathInDirectory(const std::string& dir, const std::string& fileName) {
    if (dir.empty() || dir.back() == '/')
        return dir + fileName;
    return dir + "/" + fileName;
}

std::string asciiLowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), asciiLower);
    return result;
}

std::optional<std::string> readWholeFile(const std::string& path) {
    std::string content;
    if (!readRegularFileInto(path, content))
        return std::nullopt;
    return content;
}

bool fileHolds(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    // Unbuffered: each piece is read straight into the array, not copied through a buffer.
    std::setvbuf(file, nullptr, _IONBF, 0);
    std::array<char, 16384> piece;
    std::size_t at = 0;
    bool same = true;
    while (same) {
        const std::size_t got = std::fread(piece.data(), 1, piece.size(), file);
        if (got == 0) {
            same = at == bytes.size() && !std::ferror(file);
            break;
        }
        same = got <= bytes.size() - at &&
               bytes.compare(at, got, std::string_view(piece.data(), got)) == 0;
        at += got;
    }
    std::fclose(file);
    return same;
}

bool readWholeFileInto(const std::string& path, std::string& bytes) {
    if (readRegularFileInto(path, bytes))
        return true;
    bytes.clear();
    return false;
}

std::optional<FileStamp> fileStamp(const std::string& path) {
    // One stat call: the checker and the panel windows ask for many files at every change.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return stampOf(info);
}

std::optional<FileStamp> openFileStamp(int descriptor) {
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return stampOf(info);
}

FileRead readRegularFile(const std::string& path, std::uint64_t limit) {
    FileRead out;
    const ReadingFile file(path);
    if (!file.opened()) {
        out.outcome = file.missing() ? FileRead::Outcome::Missing : FileRead::Outcome::Unreadable;
        return out;
    }
    const std::optional<FileStamp> stamp = file.stamp();
    if (!stamp) {
        out.outcome = FileRead::Outcome::NotAFile;
        return out;
    }
    out.stamp = *stamp;
    if (stamp->length > limit || stamp->length > std::numeric_limits<std::size_t>::max() / 2) {
        out.outcome = FileRead::Outcome::TooLarge;
        return out;
    }
    try {
        out.bytes.resize(static_cast<std::size_t>(stamp->length));
    } catch (const std::bad_alloc&) {
        out.outcome = FileRead::Outcome::TooLarge;
        return out;
    }
    out.outcome = file.readAll(out.bytes) ? FileRead::Outcome::Read : FileRead::Outcome::Unreadable;
    if (!out.read())
        out.bytes.clear();
    return out;
}

} // namespace cockpix

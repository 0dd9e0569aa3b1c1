#include "base/core/filelookup.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <new>
#include <vector>

#include <sys/stat.h>

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

// Reads the regular file at path into bytes: one look at its size (which also tells a
// folder or a device from a file), then open, one read and close, unbuffered. A tree check
// reads thousands of small files, where every extra call counts. Resizing keeps what the
// string held: a module as long as the previous one is read over it without clearing a
// megabyte first.
bool readRegularFileInto(const std::string& path, std::string& bytes) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(fs::path(path), error);
    if (error)
        return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    std::setvbuf(file, nullptr, _IONBF, 0);
    bool read = true;
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::exception&) {
        read = false;
    }
    if (read && size > 0)
        read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    return read;
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
    return FileStamp{static_cast<std::uint64_t>(info.st_size),
                     static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                         info.st_mtim.tv_nsec};
}

} // namespace cockpix

#include "settings/core/shippedfiles.h"

#include "base/core/filelookup.h"

#include <filesystem>
#include <system_error>

namespace cockpix {
namespace {

std::optional<std::string> existingFile(const std::string& dir, std::string_view name) {
    if (dir.empty())
        return std::nullopt;
    const auto found = findPathIgnoringCase(dir + std::string(name));
    std::error_code error;
    if (found && std::filesystem::is_regular_file(*found, error))
        return found;
    return std::nullopt;
}

} // namespace

std::string installedDataDir(const std::string& installedDir) {
    if (installedDir.empty())
        return {};
    // Lexically, so that messages name /usr/share/cockpix/ rather than /usr/bin/../share.
    std::string dir = (std::filesystem::path(installedDir) / ".." / "share" / "cockpix")
                          .lexically_normal()
                          .string();
    if (dir.back() != '/')
        dir += '/';
    return dir;
}

std::string shippedFilePath(const std::string& programDir, const std::string& installedDir,
                            std::string_view name) {
    for (const std::string& dir : {programDir, installedDir, installedDataDir(installedDir)}) {
        if (const auto found = existingFile(dir, name))
            return *found;
    }
    return (programDir.empty() ? installedDir : programDir) + std::string(name);
}

} // namespace cockpix

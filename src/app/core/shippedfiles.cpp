#include "app/core/shippedfiles.h"

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

std::string shippedFilePath(const std::string& programDir, const std::string& installedDir,
                            std::string_view name) {
    if (const auto own = existingFile(programDir, name))
        return *own;
    if (const auto installed = existingFile(installedDir, name))
        return *installed;
    return (programDir.empty() ? installedDir : programDir) + std::string(name);
}

} // namespace cockpix

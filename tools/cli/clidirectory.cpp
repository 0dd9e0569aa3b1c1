#include "clidirectory.h"

#include "gaugedirectories.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace cockpix::cli {
namespace {

std::optional<std::string>& givenDirectory() {
    static std::optional<std::string> dir;
    return dir;
}

} // namespace

std::string cliDirectory() {
    if (givenDirectory())
        return *givenDirectory();
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : asDirectory(path.parent_path().string());
}

void setCliDirectory(std::string dir) {
    givenDirectory() = asDirectory(std::move(dir));
}

} // namespace cockpix::cli

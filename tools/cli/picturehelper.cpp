// Hands "render" and "palette --preview" to cockpix-cli-pictures. Qt Gui and the libraries
// it loads take about 10 ms to start, longer than checking a panel takes; the commands that
// draw nothing should not pay for them.

#include "commands.h"

#include "clidirectory.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace cockpix::cli {
namespace {

constexpr const char* kHelperName = "cockpix-cli-pictures";

#ifndef COCKPIX_CLI_HELPER_FROM_BIN
#error "the build says where the picture helper is installed, from the programs' folder"
#endif

// Where the helper is: beside this program in the build tree, in libexec once installed.
std::vector<std::filesystem::path> helperPlaces(const std::string& dir) {
    if (dir.empty())
        return {};
    const std::filesystem::path bin(dir);
    return {bin / kHelperName,
            (bin / COCKPIX_CLI_HELPER_FROM_BIN / kHelperName).lexically_normal()};
}

} // namespace

int runInPictureHelper(std::string_view command, std::span<const std::string> args) {
    const std::string dir = cliDirectory();
    const std::vector<std::filesystem::path> places = helperPlaces(dir);
    for (const std::filesystem::path& place : places) {
        if (::access(place.c_str(), X_OK) != 0)
            continue;
        // The helper finds the shipped files where cockpix-cli does.
        std::vector<std::string> words{place.string(), dir, std::string(command)};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        std::fflush(nullptr);
        ::execv(place.c_str(), argv.data());
        const int error = errno;
        std::fprintf(stderr, "cockpix-cli %.*s: %s cannot be started: %s\n",
                     static_cast<int>(command.size()), command.data(), place.c_str(),
                     std::strerror(error));
        return 1;
    }
    std::string looked;
    for (const std::filesystem::path& place : places)
        looked += (looked.empty() ? "" : ", ") + place.string();
    std::fprintf(stderr,
                 "cockpix-cli %.*s: the picture helper %s is missing (looked for %s); "
                 "reinstall COCKPIX\n",
                 static_cast<int>(command.size()), command.data(), kHelperName,
                 looked.empty() ? "it beside cockpix-cli" : looked.c_str());
    return 1;
}

} // namespace cockpix::cli

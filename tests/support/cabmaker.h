#pragma once

// Cabinets for tests, packed by gcab (a packaged tool: libmspack only unpacks). Header
// only: the core, tool and GUI tests use it.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace cockpix::test {

// Packs the files of dir (named by names, blank-separated, paths below dir allowed) into
// cab with MSZIP compression; false when gcab is not installed or fails.
inline bool makeCab(const std::filesystem::path& dir, const std::filesystem::path& cab,
                    const std::string& names) {
    const std::string command = "cd '" + dir.string() + "' && gcab -c -z '" + cab.string() + "' " +
                                names + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

} // namespace cockpix::test

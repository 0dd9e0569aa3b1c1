// Cabinets from anywhere (an XML gauge's module.cab): listing their files must end with the
// names or with nullopt, and unpacking them with every file's bytes or nullopt, whatever the
// bytes hold, never reading outside them nor unpacking past the limit.

#include "gaugefiles/core/cabfile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto names = cockpix::cabFileNames(bytes);
    if (names && names->size() > size)
        std::abort(); // each name takes bytes of its own in the cabinet's directory
    // A small limit: a fuzzed directory declares huge files, which must be refused unread.
    constexpr std::size_t limit = std::size_t(1) << 20;
    const auto files = cockpix::readCabFiles(bytes, limit);
    if (files) {
        std::size_t total = 0;
        for (const cockpix::CabEntry& file : *files)
            total += file.bytes.size();
        if (!names || files->size() != names->size() || total > limit)
            std::abort();
    }
    if (names && !names->empty())
        (void)cockpix::readCabFile(bytes, names->back(), limit);
    return 0;
}

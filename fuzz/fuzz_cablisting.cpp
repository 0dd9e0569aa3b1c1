// Cabinets from anywhere (an XML gauge's module.cab): listing their files must end with the
// names or with nullopt, whatever the bytes hold, never reading outside them.

#include "template/core/cablisting.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto names = cockpix::cabFileNames(bytes); names && names->size() > size)
        std::abort(); // each name takes bytes of its own in the cabinet's directory
    return 0;
}

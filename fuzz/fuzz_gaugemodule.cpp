// Gauge modules from anywhere: the picture and size searches and the cut-out bitmap must stay
// inside the module's bytes whatever they hold, and the bitmap never grows past its length.

#include "gaugefiles/core/gaugemodule.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view module(reinterpret_cast<const char*>(data), size);
    if (const auto header = cockpix::locateGaugeBitmap(module)) {
        const auto bytes = cockpix::extractedBitmapBytes(module);
        if (!bytes || bytes->size() > header->fileLength || bytes->compare(0, 2, "BM") != 0)
            std::abort();
    }
    if (const auto gaugeSize = cockpix::findGaugeSize(module); gaugeSize && *gaugeSize > 65535)
        std::abort();
    return 0;
}

// C-gauge modules from anywhere: the library's headers, exports and resource tree, the table
// of gauges and the element lists are followed only where they lie inside the bytes, and a
// picture found is always a whole bitmap; otherwise there is a reason.

#include "base/core/bmpheader.h"
#include "gaugefiles/core/gaugetables.h"
#include "gaugefiles/core/peimage.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void checkPicture(const cockpix::CGaugePicture& picture) {
    if (picture.bitmapBytes.empty() == picture.reason.empty())
        std::abort();
    if (!picture.bitmapBytes.empty() && !cockpix::bmpPixelsComplete(picture.bitmapBytes))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view module(reinterpret_cast<const char*>(data), size);
    const cockpix::PeReadResult read = cockpix::readPeImage(module);
    if (read.image) {
        for (const cockpix::PeResource& resource : read.image->resources()) {
            if (const auto dib = read.image->bytesAt(resource.dataRva, resource.size))
                (void)cockpix::bmpFileFromDib(*dib);
        }
    } else if (read.reason.empty()) {
        std::abort();
    }
    const auto names = cockpix::moduleGaugeNames(module);
    if (names.size() > cockpix::kMaxModuleGauges)
        std::abort();
    for (std::size_t i = 0; i < names.size() && i < 4; ++i)
        checkPicture(cockpix::cGaugePicture(module, names[i]));
    checkPicture(cockpix::cGaugePicture(module, "Airspeed"));
    return 0;
}

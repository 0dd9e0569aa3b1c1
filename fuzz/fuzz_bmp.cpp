// Bitmaps from anywhere (backgrounds, cut-out gauge pictures): measuring one and checking
// that its pixels are all there read nothing past its bytes.

#include "base/core/bmpheader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto measured = cockpix::readBmpSize(bytes);
    if (measured && (measured->width < 1 || measured->height < 1 || measured->width > 32767 ||
                     measured->height > 32767))
        std::abort();
    if (cockpix::bmpPixelsComplete(bytes) && !measured)
        std::abort(); // only a bitmap that can be measured can be complete
    return 0;
}

// The settings file, the numbers of panel.cfg and the text boxes, and the screen size
// override: anything a user or another program may have written there.

#include "base/core/numbertext.h"
#include "base/core/screensize.h"
#include "settings/core/settings.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    cockpix::Directories dirs;
    cockpix::readSettingsText(dirs, text);
    if (dirs.gaugesDir.size() + dirs.bmpDir.size() + dirs.paletteDir.size() + dirs.panelDir.size() +
            dirs.programDir.size() >
        size)
        std::abort();

    const double value = cockpix::numericValue(text);
    if (std::isnan(value))
        std::abort(); // a text is a number or 0, never "not a number"
    if (std::isfinite(value)) {
        // What the program writes, it reads back.
        const double again = cockpix::numericValue(cockpix::plainNumberText(value));
        if (value != 0 && std::fabs(again - value) > std::fabs(value) * 1e-14)
            std::abort();
    }
    (void)cockpix::clampToInt(value);
    (void)cockpix::parseScreenSize(text);
    return 0;
}

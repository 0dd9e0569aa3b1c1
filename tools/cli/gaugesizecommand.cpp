// cockpix-cli gauge-size: the default size a gauge module gives a gauge line without one.

#include "commands.h"

#include "base/core/filelookup.h"
#include "gaugefiles/core/gaugemodule.h"

#include <cstdio>

namespace cockpix::cli {
namespace {

void printGaugeSizeHelp() {
    std::printf("Usage: cockpix-cli gauge-size MODULE.gau\n\n"
                "Prints the default size held in the gauge module's size record: the width, in\n"
                "panel units, that a gauge line of panel.cfg without a size gets.\n"
                "Exit status: 0 when found, 1 when the module has no size record, 2 when the\n"
                "module cannot be read, 64 for wrong arguments.\n");
}

} // namespace

int runGaugeSize(std::span<const std::string> args) {
    if (wantsHelp(args)) {
        printGaugeSizeHelp();
        return 0;
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "cockpix-cli gauge-size: expected one MODULE.gau argument "
                             "(see cockpix-cli gauge-size --help)\n");
        return kUsageStatus;
    }
    const auto found = findPathIgnoringCase(args[0]);
    const auto module = found ? readWholeFile(*found) : std::nullopt;
    if (!module) {
        std::fprintf(stderr, "cockpix-cli gauge-size: cannot read the gauge module [%s]\n",
                     args[0].c_str());
        return 2;
    }
    const auto size = findGaugeSize(*module);
    if (!size) {
        std::fprintf(stderr, "cockpix-cli gauge-size: no size record in [%s]\n", args[0].c_str());
        return 1;
    }
    std::printf("%d\n", *size);
    return 0;
}

} // namespace cockpix::cli

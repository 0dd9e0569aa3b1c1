// cockpix-cli-pictures: the commands of cockpix-cli that draw with Qt, "render" and "palette".
// cockpix-cli runs it in its own place; it speaks as cockpix-cli does.

#include "clidirectory.h"
#include "commands.h"

#include <cstdio>
#include <span>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace cockpix::cli;
    // cockpix-cli-pictures CLI_DIR COMMAND ARGUMENTS...
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && (args[1] == "render" || args[1] == "palette")) {
        setCliDirectory(args[0]);
        const auto rest = std::span<const std::string>(args).subspan(2);
        return args[1] == "render" ? runRender(rest) : runPalette(rest, writePalettePreview);
    }
    std::fprintf(stderr, "cockpix-cli-pictures draws for cockpix-cli render and cockpix-cli "
                         "palette; run those (see cockpix-cli --help)\n");
    return kUsageStatus;
}

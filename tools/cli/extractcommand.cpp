// cockpix-cli extract: cuts a gauge's picture out of its module, as the panel window does.

#include "commands.h"
#include "gaugedirectories.h"

#include "gaugefiles/core/gaugeextraction.h"
#include "settings/core/shippedfiles.h"

#include <cstdio>
#include <filesystem>

namespace cockpix::cli {
namespace {

void printExtractHelp() {
    std::printf(
        "Usage: cockpix-cli extract MODULE.gau [OUT.bmp] [--gauges-dir D] [--bmp-dir D]\n"
        "                           [--program-dir D]\n\n"
        "Writes the picture held in the gauge module MODULE.gau as the bitmap OUT.bmp, byte\n"
        "for byte as COCKPIX's panel window does (an existing OUT.bmp is always made again).\n"
        "When the module is missing or holds no picture, the warning goes to stderr and the\n"
        "default gauge bitmap of the program directory is copied instead (or a spare bitmap\n"
        "already at OUT.bmp is kept). A MODULE without a directory that is not found here is\n"
        "looked for in the gauges directory; OUT.bmp defaults to the bitmap work directory\n"
        "and the module's name. Directories come from the settings file unless given.\n"
        "OUT.bmp's folder must exist: it is not created.\n"
        "Exit status: 0 when the module's own picture was written, 1 when a fallback was\n"
        "used or nothing could be written, 64 for wrong arguments.\n");
}

std::string lowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// A bare module name is looked for in the gauges directory, as the panel names modules.
std::string modulePathFor(const std::string& module, const Directories& dirs) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (module.find('/') != std::string::npos || fs::exists(module, error) ||
        dirs.gaugesDir.empty())
        return module;
    const bool hasExtension = lowerCase(fs::path(module).extension().string()) == ".gau";
    return dirs.gaugesDir + module + (hasExtension ? "" : ".gau");
}

// The folder a bitmap is to be written in, when it is missing (a typing slip in OUT.bmp
// would otherwise leave a new folder tree behind).
std::optional<std::string> missingFolder(const std::string& bitmapPath) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(bitmapPath).parent_path();
    std::error_code error;
    if (folder.empty() || fs::is_directory(folder, error))
        return std::nullopt;
    return folder.string();
}

} // namespace

int runExtract(std::span<const std::string> args) {
    if (wantsHelp(args)) {
        printExtractHelp();
        return 0;
    }
    const GaugeCommandLine line = parseGaugeCommandLine(args);
    if (!line.error.empty() || line.positional.empty() || line.positional.size() > 2) {
        std::fprintf(stderr, "cockpix-cli extract: %s (see cockpix-cli extract --help)\n",
                     line.error.empty() ? "expected MODULE.gau [OUT.bmp]" : line.error.c_str());
        return kUsageStatus;
    }
    const std::string modulePath = modulePathFor(line.positional[0], line.dirs);
    std::string bitmapPath;
    if (line.positional.size() == 2) {
        bitmapPath = line.positional[1];
    } else if (line.dirs.bmpDir.empty()) {
        std::fprintf(stderr, "cockpix-cli extract: no bitmap work directory is set; give OUT.bmp "
                             "or --bmp-dir DIR\n");
        return 1;
    } else {
        const std::string stem = lowerCase(std::filesystem::path(modulePath).stem().string());
        bitmapPath = line.dirs.bmpDir + stem + ".bmp";
    }
    if (const auto folder = missingFolder(bitmapPath)) {
        std::fprintf(stderr,
                     "cockpix-cli extract: the folder [%s] does not exist; nothing was written\n",
                     folder->c_str());
        return 1;
    }
    const GaugeBitmapResult result = extractGaugeBitmapFile(
        {modulePath, UserText::path(modulePath)}, {bitmapPath, UserText::path(bitmapPath)},
        shippedFilePath(line.dirs.programDir, line.installedDir, kDefaultGaugeBitmapName), true, 0);
    for (const UserText& warning : result.warnings)
        std::fprintf(stderr, "%s\n\n", warning.toUtf8().c_str());
    if (result.ownPicture())
        std::printf("%s\n", result.bitmapPath.c_str());
    return result.ownPicture() ? 0 : 1;
}

} // namespace cockpix::cli

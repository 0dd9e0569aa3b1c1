// cockpix-cli palette: runs the palette optimizer on a background bitmap, as the optimizer
// dialog's OK does, and writes its work files into a directory. Only its preview draws: a
// run without one is done here, without Qt (palettepicture.cpp draws the preview).

#include "commands.h"
#include "gaugedirectories.h"

#include "base/core/filelookup.h"
#include "base/core/numbertext.h"
#include "palette/core/paletteoptimizer.h"
#include "palette/core/referencetable.h"
#include "settings/core/shippedfiles.h"

#include <cstdio>
#include <filesystem>

namespace cockpix::cli {
namespace {

void printPaletteHelp() {
    std::printf(
        "Usage: cockpix-cli palette BITMAP.bmp [--tolerance T] [--table FILE] [--workdir DIR]\n"
        "                           [--preview OUT.png] [--program-dir D]\n\n"
        "Runs COCKPIX's palette optimizer on the 8-bit background BITMAP.bmp: its colours are\n"
        "ranked by use and compared with FS98's reference colours (FILE, by default the\n"
        "program directory's color_mapping_table.pcl); up to 32 colours farther than T\n"
        "(default 5) from all of them are proposed. The work files palette_NAME.txt,\n"
        "structure_NAME.txt, source_NAME.txt and result_NAME.txt (NAME: the file name\n"
        "without .bmp) are written into DIR (default: the current directory); while they\n"
        "are there and the bitmap is unchanged since (its length, modification time and\n"
        "colour table), the counts are taken from them and the bitmap is not scanned\n"
        "again. The closing message goes to stdout. --preview writes the background as\n"
        "drawn, as FS98 shows it with its reference colours alone and with the proposed\n"
        "colours added, side by side, as a PNG, and prints the share of pixels that FS98\n"
        "shows too far off.\n"
        "Exit status: 0 when the result was written, 1 when the bitmap, the table or a work\n"
        "file could not be used, 64 for wrong arguments.\n");
}

int usageError(const std::string& text) {
    std::fprintf(stderr, "cockpix-cli palette: %s (see cockpix-cli palette --help)\n",
                 text.c_str());
    return kUsageStatus;
}

int failure(const UserText& text) {
    std::fprintf(stderr, "%s\n", text.toUtf8().c_str());
    return 1;
}

// "main.BMP" names the work files "main".
std::string bitmapNameOf(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    if (name.size() > 4) {
        std::string extension = name.substr(name.size() - 4);
        for (char& c : extension)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (extension == ".bmp")
            name.resize(name.size() - 4);
    }
    return name;
}

} // namespace

int runPalette(std::span<const std::string> args, PalettePreviewWriter drawPreview) {
    if (wantsHelp(args)) {
        printPaletteHelp();
        return 0;
    }
    static constexpr std::string_view kValueOptions[] = {"--tolerance", "--table", "--workdir",
                                                         "--preview"};
    const GaugeCommandLine line = parseGaugeCommandLine(args, kValueOptions);
    if (!line.error.empty())
        return usageError(line.error);
    if (line.positional.size() != 1)
        return usageError("expected one BITMAP.bmp argument");
    const std::optional<std::string> preview = optionValue(line, "--preview");
    if (preview && !drawPreview)
        return runInPictureHelper("palette", args);

    PaletteRunRequest request;
    request.bitmapPath = line.positional[0];
    request.bitmapName = bitmapNameOf(request.bitmapPath);
    request.tablePath = optionValue(line, "--table")
                            .value_or(shippedFilePath(line.dirs.programDir, line.installedDir,
                                                      kColorMappingTableName));
    request.paletteDir = asDirectory(optionValue(line, "--workdir").value_or("."));
    if (const auto tolerance = optionValue(line, "--tolerance")) {
        const std::optional<double> value = strictNumericValue(*tolerance);
        if (!value)
            return usageError("--tolerance takes a number, for example 5");
        request.tolerance = *value;
    }
    std::error_code ignored; // a directory that cannot be made shows when the files are written
    std::filesystem::create_directory(request.paletteDir, ignored);

    const PaletteRunResult result = runPaletteOptimizer(request);
    if (!result.ok)
        return failure(result.message);
    std::printf("%s\n", result.message.toUtf8().c_str());
    return preview ? drawPreview(request, result, *preview) : 0;
}

} // namespace cockpix::cli

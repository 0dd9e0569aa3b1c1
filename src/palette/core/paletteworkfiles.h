#pragma once

// The optimizer's work files in the palette work directory, named after the bitmap b:
// "palette_" + b + ".txt" (the bitmap's colour table), "structure_" + b + ".txt" (the
// pixel count of each palette index), "source_" + b + ".txt" (the length and modification
// time of the bitmap they were made from) and "result_" + b + ".txt" (the proposed
// [8 bit colors] section). Text with CR LF line ends; each number is written with one
// blank before and after it, and read back as blank- or comma-separated fields.

#include "base/core/filelookup.h"
#include "palette/core/rgb.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

struct PaletteWorkFiles {
    std::string palette;
    std::string structure;
    std::string source;
    std::string result;
};

// The four paths in paletteDir (ending with "/"). A "/" or "\" in the bitmap name becomes
// "_", so that the files always stay in the work directory.
PaletteWorkFiles paletteWorkFiles(const std::string& paletteDir, const std::string& bitmapName);

// One line per palette entry: red, green, blue.
std::string paletteFileText(std::span<const Rgb> palette);
// Every entry of a palette file; nullopt when the text is not three whole numbers 0..255
// per entry (so a damaged file is scanned again rather than trusted).
std::optional<std::vector<Rgb>> parsePaletteFile(std::string_view text);

// One line per palette index i in order: i and its pixel count.
std::string structureFileText(std::span<const std::uint64_t> counts);
// The counts of a structure file, in index order; nullopt unless every line holds its own
// index and a whole count.
std::optional<std::vector<std::uint64_t>> parseStructureFile(std::string_view text);

// The source file, which tells a repainted bitmap from the one the counts were made from:
// one line, the bitmap's length and modification time.
std::string sourceFileText(const FileStamp& bitmap);
// nullopt unless the text holds exactly those two whole numbers.
std::optional<FileStamp> parseSourceFile(std::string_view text);

} // namespace cockpix

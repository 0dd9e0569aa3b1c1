#include "palette/core/paletteworkfiles.h"

#include "palette/core/numberfields.h"

#include <algorithm>
#include <charconv>

namespace cockpix {
namespace {

// BASIC's Print # writes a number with a blank for its sign and one after it.
void appendNumber(std::string& line, std::uint64_t value) {
    line += ' ';
    line += std::to_string(value);
    line += ' ';
}

std::string safeName(std::string name) {
    std::replace(name.begin(), name.end(), '/', '_');
    std::replace(name.begin(), name.end(), '\\', '_');
    return name;
}

} // namespace

PaletteWorkFiles paletteWorkFiles(const std::string& paletteDir, const std::string& bitmapName) {
    const std::string name = safeName(bitmapName) + ".txt";
    return {paletteDir + "palette_" + name, paletteDir + "structure_" + name,
            paletteDir + "source_" + name, paletteDir + "result_" + name};
}

std::string paletteFileText(std::span<const Rgb> palette) {
    std::string text;
    text.reserve(palette.size() * 16);
    for (const Rgb& colour : palette) {
        appendNumber(text, colour.red);
        appendNumber(text, colour.green);
        appendNumber(text, colour.blue);
        text += "\r\n";
    }
    return text;
}

std::optional<std::vector<Rgb>> parsePaletteFile(std::string_view text) {
    NumberFields fields(text);
    std::vector<Rgb> palette;
    std::uint8_t channels[3] = {};
    std::size_t read = 0;
    while (const std::optional<std::string_view> field = fields.next()) {
        const std::optional<std::uint64_t> value = NumberFields::wholeValue(*field, 255);
        if (!value)
            return std::nullopt;
        channels[read % 3] = static_cast<std::uint8_t>(*value);
        if (++read % 3 == 0)
            palette.push_back({channels[0], channels[1], channels[2]});
    }
    if (read % 3 != 0)
        return std::nullopt;
    return palette;
}

std::string structureFileText(std::span<const std::uint64_t> counts) {
    std::string text;
    text.reserve(counts.size() * 16);
    for (std::size_t i = 0; i < counts.size(); ++i) {
        appendNumber(text, i);
        appendNumber(text, counts[i]);
        text += "\r\n";
    }
    return text;
}

std::optional<std::vector<std::uint64_t>> parseStructureFile(std::string_view text) {
    // Counts stay exact in the double that reads them up to 2^53.
    constexpr std::uint64_t kMaxCount = std::uint64_t(1) << 53;
    NumberFields fields(text);
    std::vector<std::uint64_t> counts;
    while (const std::optional<std::string_view> indexField = fields.next()) {
        const std::optional<std::string_view> countField = fields.next();
        if (!countField)
            return std::nullopt;
        const std::optional<std::uint64_t> index = NumberFields::wholeValue(*indexField, 255);
        const std::optional<std::uint64_t> count = NumberFields::wholeValue(*countField, kMaxCount);
        if (!index || *index != counts.size() || !count)
            return std::nullopt;
        counts.push_back(*count);
    }
    return counts;
}

std::string sourceFileText(const FileStamp& bitmap) {
    return " " + std::to_string(bitmap.length) + "  " + std::to_string(bitmap.modified) + " \r\n";
}

std::optional<FileStamp> parseSourceFile(std::string_view text) {
    NumberFields fields(text);
    const std::optional<std::string_view> length = fields.next();
    const std::optional<std::string_view> modified = fields.next();
    if (!length || !modified || fields.next())
        return std::nullopt;
    FileStamp stamp;
    const char* end = modified->data() + modified->size();
    const auto [last, error] = std::from_chars(modified->data(), end, stamp.modified);
    const auto wholeLength = NumberFields::wholeValue(*length, std::uint64_t(1) << 53);
    if (!wholeLength || error != std::errc() || last != end)
        return std::nullopt;
    stamp.length = *wholeLength;
    return stamp;
}

} // namespace cockpix

// The palette optimizer on bitmaps from anywhere: the header and body checks, the colour
// table, the pixel counts and every row, the comparison with the reference colours, the
// preview, and the work files it reads back (palette, structure, reference table). The last
// bytes pick the tolerance; nothing may read past the bitmap or propose more than 32
// colours.

#include "palette/core/colorproposal.h"
#include "palette/core/indexedbitmap.h"
#include "palette/core/palettepreview.h"
#include "palette/core/paletteworkfiles.h"
#include "palette/core/referencetable.h"

#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <string_view>
#include <vector>

using namespace cockpix;

namespace {

std::vector<Rgb> referenceColours() {
    std::vector<Rgb> colours;
    for (int i = 0; i < kReferenceColorCount; ++i)
        colours.push_back({std::uint8_t(i * 37), std::uint8_t(i * 11), std::uint8_t(255 - i)});
    return colours;
}

void scanAndCompare(std::string_view bytes, double tolerance) {
    const IndexedBitmapHeaderCheck check = checkIndexedBitmapHeader(bytes);
    if (!check.header || !checkIndexedBitmapBody(bytes, *check.header).empty())
        return;
    const IndexedBitmapHeader& header = *check.header;
    const std::vector<Rgb> palette = bitmapPalette(bytes, header);
    if (int(palette.size()) != header.colorCount)
        std::abort();
    const PixelCounts counts = countPixels(bytes, header);
    const std::uint64_t total = std::accumulate(counts.begin(), counts.end(), std::uint64_t(0));
    if (total != std::uint64_t(header.width) * std::uint64_t(header.height))
        std::abort(); // every pixel is counted once
    for (int y = 0; y < header.height; ++y) {
        if (pixelRow(bytes, header, y).size() != std::size_t(header.width))
            std::abort();
    }
    static const std::vector<Rgb> reference = referenceColours();
    const std::span<const std::uint64_t> used(counts.data(), std::size_t(header.colorCount));
    const std::vector<ProposedColor> proposal = proposeColors(used, palette, reference, tolerance);
    if (proposal.size() > 32)
        std::abort();
    for (const ProposedColor& colour : proposal) {
        if (colour.paletteIndex < 0 || colour.paletteIndex >= header.colorCount)
            std::abort();
    }
    // The work files written for this bitmap read back as they were.
    if (parsePaletteFile(paletteFileText(palette)) != palette)
        std::abort();
    const std::vector<std::uint64_t> countList(used.begin(), used.end());
    if (parseStructureFile(structureFileText(countList)) != countList)
        std::abort();
    std::vector<Rgb> proposed;
    for (const ProposedColor& colour : proposal)
        proposed.push_back(colour.color);
    if (std::uint64_t(header.width) * std::uint64_t(header.height) <= 1 << 20)
        makePalettePreview(bytes, "fuzz.bmp", reference, proposed, tolerance, 64);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const double tolerance = size ? double(data[size - 1] % 64) - 8 : 5;
    scanAndCompare(bytes, tolerance);
    // The same bytes as the text work files and the reference table, which users can edit.
    parsePaletteFile(bytes);
    parseStructureFile(bytes);
    parseReferenceTable(bytes, "color_mapping_table.pcl");
    return 0;
}

#include "palette/core/palettepreview.h"

#include "base/core/numbertext.h"
#include "palette/core/indexedbitmap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace cockpix {
namespace {

using ColorTable = std::array<Rgb, 256>;

// The bitmap's own colours; indices beyond its colour table draw black.
ColorTable ownColors(std::span<const Rgb> palette) {
    ColorTable table{};
    std::copy_n(palette.begin(), std::min<std::size_t>(palette.size(), table.size()),
                table.begin());
    return table;
}

ColorTable mappedColors(const ColorTable& own, std::span<const Rgb> shown) {
    ColorTable table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = shown[nearestColor(own[i], shown)];
    return table;
}

double offShare(const PixelCounts& counts, const ColorTable& own, const ColorTable& shown,
                double tolerance) {
    std::uint64_t total = 0;
    std::uint64_t off = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        total += counts[i];
        if (colorDistance(own[i], shown[i]) > tolerance)
            off += counts[i];
    }
    return total == 0 ? 0 : static_cast<double>(off) / static_cast<double>(total);
}

// The pixel of the picture that each pixel of a shrunk copy stands for.
struct Sampling {
    int width = 0;
    int height = 0;
    std::vector<int> sourceX;
    std::vector<int> sourceY;
};

Sampling sampling(int width, int height, int maxSide) {
    const double scale = std::min(1.0, double(std::max(maxSide, 1)) / std::max(width, height));
    Sampling s;
    s.width = std::max(1, static_cast<int>(width * scale));
    s.height = std::max(1, static_cast<int>(height * scale));
    for (int x = 0; x < s.width; ++x)
        s.sourceX.push_back(std::min(width - 1, static_cast<int>(x / scale)));
    for (int y = 0; y < s.height; ++y)
        s.sourceY.push_back(std::min(height - 1, static_cast<int>(y / scale)));
    return s;
}

PreviewPicture picture(std::string_view bytes, const IndexedBitmapHeader& header, const Sampling& s,
                       const ColorTable& colors) {
    PreviewPicture shown{s.width, s.height, {}};
    shown.rgb.reserve(static_cast<std::size_t>(s.width) * s.height * 3);
    for (const int y : s.sourceY) {
        const std::span<const std::uint8_t> row = pixelRow(bytes, header, y);
        for (const int x : s.sourceX) {
            const Rgb colour = colors[row[static_cast<std::size_t>(x)]];
            shown.rgb.insert(shown.rgb.end(), {colour.red, colour.green, colour.blue});
        }
    }
    return shown;
}

// One decimal, halves away from zero (printf would send exact halves to even).
std::string percentText(double share) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", std::round(share * 1000) / 10);
    return text;
}

} // namespace

std::size_t nearestColor(Rgb colour, std::span<const Rgb> colors) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < colors.size(); ++i) {
        if (colorDistance(colors[i], colour) < colorDistance(colors[best], colour))
            best = i;
    }
    return best;
}

PalettePreviewResult makePalettePreview(std::string_view bytes, const std::string& path,
                                        std::span<const Rgb> reference,
                                        std::span<const Rgb> proposed, double tolerance,
                                        int maxSide) {
    const auto problem = [&](std::string_view reason) {
        return PalettePreviewResult{std::nullopt, "The preview cannot show '" +
                                                      UserText::path(path) + "':\n" +
                                                      std::string(reason)};
    };
    if (reference.empty())
        return problem("There are no reference colours to compare with.");
    const IndexedBitmapHeaderCheck check = checkIndexedBitmapHeader(bytes);
    if (!check.header)
        return problem(check.problem);
    const IndexedBitmapHeader& header = *check.header;
    if (const std::string body = checkIndexedBitmapBody(bytes, header); !body.empty())
        return problem(body);

    std::vector<Rgb> extended(reference.begin(), reference.end());
    extended.insert(extended.end(), proposed.begin(), proposed.end());
    const ColorTable own = ownColors(bitmapPalette(bytes, header));
    const ColorTable before = mappedColors(own, reference);
    const ColorTable after = mappedColors(own, extended);
    const PixelCounts counts = countPixels(bytes, header);
    const Sampling s = sampling(header.width, header.height, maxSide);

    PalettePreview preview;
    preview.now = picture(bytes, header, s, own);
    preview.referenceOnly = picture(bytes, header, s, before);
    preview.withProposal = picture(bytes, header, s, after);
    preview.offShareBefore = offShare(counts, own, before, tolerance);
    preview.offShareAfter = offShare(counts, own, after, tolerance);
    return {std::move(preview), {}};
}

PreviewPicture sideBySide(const PalettePreview& preview, int gap) {
    const PreviewPicture* parts[] = {&preview.now, &preview.referenceOnly, &preview.withProposal};
    PreviewPicture row;
    for (const PreviewPicture* part : parts)
        row.height = std::max(row.height, part->height);
    row.width =
        preview.now.width + preview.referenceOnly.width + preview.withProposal.width + 2 * gap;
    const auto rowBytes = static_cast<std::size_t>(row.width) * 3;
    row.rgb.assign(rowBytes * static_cast<std::size_t>(row.height), 0xFF);
    std::size_t left = 0;
    for (const PreviewPicture* part : parts) {
        const auto partBytes = static_cast<std::size_t>(part->width) * 3;
        for (int y = 0; y < part->height; ++y)
            std::copy_n(part->rgb.begin() + static_cast<std::ptrdiff_t>(partBytes * y), partBytes,
                        row.rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * y + left));
        left += partBytes + static_cast<std::size_t>(gap) * 3;
    }
    return row;
}

std::string offShareText(const PalettePreview& preview, double tolerance) {
    return "Pixels farther than the tolerance (" + plainNumberText(tolerance) +
           ") from what FS98 shows: " + percentText(preview.offShareBefore) +
           " with its reference colours alone, " + percentText(preview.offShareAfter) +
           " with the proposed colours added.";
}

} // namespace cockpix

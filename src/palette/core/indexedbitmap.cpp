#include "palette/core/indexedbitmap.h"

#include <algorithm>

namespace cockpix {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40; // BITMAPINFOHEADER; V4 and V5 headers are longer
constexpr std::int64_t kDimensionLimit = 32768;
constexpr int kMaxColors = 256;

std::uint32_t le16(std::string_view b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) |
           static_cast<unsigned>(static_cast<unsigned char>(b[at + 1])) << 8;
}

std::uint32_t le32(std::string_view b, std::size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

IndexedBitmapHeaderCheck refused(std::string problem) {
    return {std::nullopt, std::move(problem)};
}

// Counting into four tables in turn keeps runs of one colour (most of a panel picture) from
// waiting on the same counter at every byte.
void addToTables(std::array<PixelCounts, 4>& tables, const std::uint8_t* bytes, std::size_t size) {
    std::size_t i = 0;
    for (; i + 4 <= size; i += 4) {
        ++tables[0][bytes[i]];
        ++tables[1][bytes[i + 1]];
        ++tables[2][bytes[i + 2]];
        ++tables[3][bytes[i + 3]];
    }
    for (; i < size; ++i)
        ++tables[0][bytes[i]];
}

const std::uint8_t* asBytes(std::string_view bytes) {
    return reinterpret_cast<const std::uint8_t*>(bytes.data());
}

} // namespace

IndexedBitmapHeaderCheck checkIndexedBitmapHeader(std::string_view bytes) {
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
        return refused("It is not a Windows bitmap.");
    if (bytes.size() < kIndexedBitmapHeaderBytes)
        return refused("It is cut off: its header is incomplete.");
    const std::uint32_t headerSize = le32(bytes, kFileHeaderBytes);
    if (headerSize < kInfoHeaderBytes)
        return refused("Its header is of an old kind without a colour count; save it again "
                       "as an 8-bit Windows bitmap.");
    const auto width = static_cast<std::int32_t>(le32(bytes, 18));
    const auto height = static_cast<std::int32_t>(le32(bytes, 22));
    const std::uint32_t bits = le16(bytes, 28);
    const std::uint32_t compression = le32(bytes, 30);
    const std::uint32_t colorsUsed = le32(bytes, 46);
    if (bits != 8)
        return refused("It has " + std::to_string(bits) +
                       " bits per pixel; the optimizer needs an 8-bit palette bitmap.");
    if (compression != 0)
        return refused("It is compressed; the optimizer needs an uncompressed 8-bit bitmap.");
    const std::int64_t rows = height < 0 ? -std::int64_t(height) : height;
    if (width >= kDimensionLimit || rows >= kDimensionLimit)
        return refused("Its width or height is 32768 or more.");
    if (width <= 0 || rows == 0)
        return refused("It has no pixels.");
    if (colorsUsed > kMaxColors)
        return refused("Its colour table claims " + std::to_string(colorsUsed) +
                       " colours; an 8-bit bitmap has at most 256.");

    IndexedBitmapHeader header;
    header.width = width;
    header.height = static_cast<int>(rows);
    header.topDown = height < 0;
    header.colorCount = colorsUsed == 0 ? kMaxColors : static_cast<int>(colorsUsed);
    header.paletteOffset = kFileHeaderBytes + headerSize;
    // The pixels start where the file header says; a writer that left that field wrong
    // still put them right after the colour table.
    const std::size_t paletteEnd = header.paletteOffset + 4 * std::size_t(header.colorCount);
    header.pixelOffset = std::max<std::size_t>(le32(bytes, 10), paletteEnd);
    header.rowStride = (static_cast<std::size_t>(width) + 3) / 4 * 4;
    return {header, {}};
}

std::string checkIndexedBitmapBody(std::string_view bytes, const IndexedBitmapHeader& header) {
    return checkIndexedBitmapBody(bytes.size(), header);
}

std::string checkIndexedBitmapBody(std::size_t fileSize, const IndexedBitmapHeader& header) {
    const std::size_t paletteEnd = header.paletteOffset + 4 * std::size_t(header.colorCount);
    if (paletteEnd > fileSize)
        return "It is cut off: its colour table is incomplete.";
    // The last row needs its pixels, not its padding.
    const std::uint64_t pixelEnd = std::uint64_t(header.pixelOffset) +
                                   std::uint64_t(header.rowStride) * (header.height - 1) +
                                   std::uint64_t(header.width);
    if (pixelEnd > fileSize)
        return "It is cut off: its pixels end before the last row.";
    return {};
}

std::vector<Rgb> bitmapPalette(std::string_view bytes, const IndexedBitmapHeader& header) {
    std::vector<Rgb> palette(static_cast<std::size_t>(header.colorCount));
    const std::uint8_t* entry = asBytes(bytes) + header.paletteOffset;
    for (Rgb& colour : palette) {
        colour = {entry[2], entry[1], entry[0]};
        entry += 4;
    }
    return palette;
}

PixelCounts countPixels(std::string_view bytes, const IndexedBitmapHeader& header) {
    PixelCounter counter(header);
    counter.add(bytes.substr(std::min(header.pixelOffset, bytes.size())));
    return counter.counts();
}

PixelCounter::PixelCounter(const IndexedBitmapHeader& header)
    : m_width(static_cast<std::size_t>(std::max(header.width, 0))),
      m_stride(std::max(header.rowStride, m_width)),
      m_end(header.height > 0 && m_width > 0
                ? m_stride * static_cast<std::size_t>(header.height - 1) + m_width
                : 0) {}

void PixelCounter::add(std::string_view piece) {
    const std::uint8_t* bytes = asBytes(piece);
    std::size_t left = std::min(piece.size(), remaining());
    if (m_stride == m_width) { // rows without padding: one run of pixels
        addToTables(m_tables, bytes, left);
        m_at += left;
        return;
    }
    while (left > 0) {
        const std::size_t column = m_at % m_stride;
        const bool pixels = column < m_width;
        const std::size_t step = std::min(left, (pixels ? m_width : m_stride) - column);
        if (pixels)
            addToTables(m_tables, bytes, step);
        bytes += step;
        left -= step;
        m_at += step;
    }
}

PixelCounts PixelCounter::counts() const {
    PixelCounts counts{};
    for (const auto& table : m_tables)
        for (std::size_t v = 0; v < counts.size(); ++v)
            counts[v] += table[v];
    return counts;
}

std::span<const std::uint8_t> pixelRow(std::string_view bytes, const IndexedBitmapHeader& header,
                                       int y) {
    const int fileRow = header.topDown ? y : header.height - 1 - y;
    const std::uint8_t* row =
        asBytes(bytes) + header.pixelOffset + header.rowStride * static_cast<std::size_t>(fileRow);
    return {row, static_cast<std::size_t>(header.width)};
}

} // namespace cockpix

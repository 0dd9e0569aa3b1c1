#include "gaugefiles/core/gaugemodule.h"

#include <algorithm>
#include <array>

namespace cockpix {
namespace {

// FS98 tools read modules past their end as zeros; so do we, without touching memory.
unsigned byteAt(std::string_view module, std::size_t offset) {
    return offset < module.size() ? static_cast<unsigned char>(module[offset]) : 0u;
}

template <std::size_t N>
bool matchesAt(std::string_view module, std::size_t offset,
               const std::array<unsigned char, N>& pattern) {
    for (std::size_t k = 0; k < N; ++k) {
        if (byteAt(module, offset + k) != pattern[k])
            return false;
    }
    return true;
}

// The searches test their start offset once whatever the length, then go on while the
// offset stays at or below length - tailBytes; the first match wins.
template <std::size_t N>
std::optional<std::size_t> searchFrom(std::string_view module, std::size_t start,
                                      std::size_t tailBytes,
                                      const std::array<unsigned char, N>& pattern) {
    if (matchesAt(module, start, pattern))
        return start;
    if (module.size() < tailBytes)
        return std::nullopt;
    const std::size_t last = module.size() - tailBytes;
    for (std::size_t at = start + 1; at <= last; ++at) {
        // memchr-speed skip to the next candidate first byte.
        const auto next = module.find(static_cast<char>(pattern[0]), at);
        if (next == std::string_view::npos || next > last)
            return std::nullopt;
        at = next;
        if (matchesAt(module, at, pattern))
            return at;
    }
    return std::nullopt;
}

constexpr std::array<unsigned char, 4> kMarker{0x54, 0x00, 0x72, 0x00};
constexpr std::array<unsigned char, 1> kHeaderSize{0x28};
constexpr std::array<unsigned char, 4> kSizeRecord{0x62, 0x02, 0x00, 0x00};
constexpr std::size_t kFileHeaderBytes = 15; // 14-byte file header + the header's 0x28

} // namespace

std::optional<std::size_t> findBitmapMarker(std::string_view module) {
    return searchFrom(module, kBitmapMarkerStart, 12, kMarker);
}

std::optional<std::size_t> findBitmapHeader(std::string_view module, std::size_t marker) {
    return searchFrom(module, marker + kHeaderDistance, 11, kHeaderSize);
}

GaugeBitmapHeader readGaugeBitmapHeader(std::string_view module, std::size_t headerOffset) {
    GaugeBitmapHeader header;
    header.headerOffset = headerOffset;
    header.colorsUsedLow = static_cast<int>(byteAt(module, headerOffset + 32));
    header.width =
        static_cast<int>(byteAt(module, headerOffset + 4) + 256 * byteAt(module, headerOffset + 5));
    header.height =
        static_cast<int>(byteAt(module, headerOffset + 8) + 256 * byteAt(module, headerOffset + 9));
    header.pixelDataOffset = header.colorsUsedLow == 0 ? 1078 : 54 + 4 * header.colorsUsedLow;
    const std::size_t total =
        static_cast<std::size_t>(header.pixelDataOffset) +
        static_cast<std::size_t>(header.width + 3) * static_cast<std::size_t>(header.height + 3);
    header.fileLength = total - 1;
    return header;
}

std::optional<GaugeBitmapHeader> locateGaugeBitmap(std::string_view module) {
    const auto marker = findBitmapMarker(module);
    if (!marker)
        return std::nullopt;
    const auto header = findBitmapHeader(module, *marker);
    if (!header)
        return std::nullopt;
    return readGaugeBitmapHeader(module, *header);
}

std::optional<std::string> extractedBitmapBytes(std::string_view module) {
    const auto header = locateGaugeBitmap(module);
    if (!header)
        return std::nullopt;
    const std::size_t from = header->headerOffset + 1;
    const std::size_t wanted = header->fileLength - kFileHeaderBytes;
    const std::size_t available = from < module.size() ? module.size() - from : 0;

    std::string bytes(kFileHeaderBytes, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    bytes[8] = 2;
    bytes[10] = static_cast<char>(header->pixelDataOffset & 0xFF);
    bytes[11] = static_cast<char>(header->pixelDataOffset >> 8);
    bytes[14] = 0x28;
    bytes.append(module.substr(std::min(from, module.size()), std::min(wanted, available)));
    // FS98's own tool left the file size zero; picture readers warn about such files, so
    // the size field holds the length actually written.
    const std::size_t length = bytes.size();
    for (int k = 0; k < 4; ++k)
        bytes[std::size_t(2 + k)] = static_cast<char>((length >> (8 * k)) & 0xFF);
    return bytes;
}

std::size_t bitmapBytesNeeded(std::string_view start, std::size_t moduleLength) {
    const std::size_t have = start.size();
    if (have >= moduleLength)
        return moduleLength;
    // A search that found nothing in start may find it further on: twice as much, then.
    const std::size_t more = std::min(moduleLength, std::max<std::size_t>(2 * have, 65536));
    // The first test at kBitmapMarkerStart reads four bytes, zeros past the end of start.
    if (have < kBitmapMarkerStart + kMarker.size())
        return more;
    // Matches at or below have - 12 (or - 11) are the whole module's first matches too: the
    // searches go on through every earlier offset, and the bytes tested all lie in start.
    const auto marker = findBitmapMarker(start);
    if (!marker || *marker + 12 > have)
        return more;
    const auto header = findBitmapHeader(start, *marker);
    if (!header || *header + 11 > have)
        return more;
    const GaugeBitmapHeader found = readGaugeBitmapHeader(start, *header);
    // The header's fields up to biClrUsed, and the picture's bytes.
    const std::size_t end = std::max<std::size_t>(
        *header + 33, found.headerOffset + 1 + found.fileLength - kFileHeaderBytes);
    return std::min(end, moduleLength);
}

std::optional<int> findGaugeSize(std::string_view module) {
    const auto record = searchFrom(module, kSizeRecordStart, 12, kSizeRecord);
    if (!record || *record + kSizeValueDistance + 1 >= module.size())
        return std::nullopt;
    return static_cast<int>(byteAt(module, *record + kSizeValueDistance) +
                            256 * byteAt(module, *record + kSizeValueDistance + 1));
}

} // namespace cockpix

#include "base/core/bmpheader.h"

#include <cstdint>
#include <fstream>

namespace cockpix {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kCoreHeaderBytes = 12;
constexpr std::size_t kInfoHeaderMinBytes = 16; // enough for size, width, height, planes, bits
constexpr int kMaxDimension = 32767;

std::uint32_t le16(std::string_view b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

std::uint32_t le32(std::string_view b, std::size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

bool saneBitCount(std::uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

std::optional<BmpSize> checked(long long width, long long height, std::uint32_t bits) {
    if (height < 0)
        height = -height;
    if (width < 1 || width > kMaxDimension || height < 1 || height > kMaxDimension ||
        !saneBitCount(bits))
        return std::nullopt;
    return BmpSize{static_cast<int>(width), static_cast<int>(height)};
}

} // namespace

std::optional<BmpSize> readBmpSize(std::string_view bytes) {
    if (bytes.size() < kFileHeaderBytes + 4 || bytes[0] != 'B' || bytes[1] != 'M')
        return std::nullopt;
    const std::uint32_t headerSize = le32(bytes, kFileHeaderBytes);
    const std::size_t h = kFileHeaderBytes;
    if (headerSize == kCoreHeaderBytes) {
        // OS/2-style core header: 16-bit unsigned width and height.
        if (bytes.size() < h + kCoreHeaderBytes)
            return std::nullopt;
        return checked(le16(bytes, h + 4), le16(bytes, h + 6), le16(bytes, h + 10));
    }
    // The info header sizes Windows and OS/2 have used: 40 (v3), 52/56 (v3 with masks),
    // 64 (OS/2 v2), 108 (v4), 124 (v5).
    const bool knownSize = headerSize == 40 || headerSize == 52 || headerSize == 56 ||
                           headerSize == 64 || headerSize == 108 || headerSize == 124;
    if (!knownSize || bytes.size() < h + kInfoHeaderMinBytes)
        return std::nullopt;
    const auto width = static_cast<std::int32_t>(le32(bytes, h + 4));
    const auto height = static_cast<std::int32_t>(le32(bytes, h + 8));
    return checked(width, height, le16(bytes, h + 14));
}

bool bmpPixelsComplete(std::string_view bytes) {
    const auto size = readBmpSize(bytes);
    if (!size)
        return false;
    const std::size_t h = kFileHeaderBytes;
    const bool core = le32(bytes, h) == kCoreHeaderBytes;
    const std::uint32_t bits = le16(bytes, h + (core ? 10 : 14));
    const std::uint32_t compression = core || bytes.size() < h + 20 ? 0 : le32(bytes, h + 16);
    if (compression != 0 && compression != 3) // run-length data has no fixed length
        return true;
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(size->width) * bits + 31) / 32 * 4;
    const std::uint64_t end = le32(bytes, 10) + rowBytes * static_cast<std::uint64_t>(size->height);
    return end <= bytes.size();
}

std::optional<int> readBmpBitCount(std::string_view bytes) {
    if (!readBmpSize(bytes))
        return std::nullopt;
    const bool core = le32(bytes, kFileHeaderBytes) == kCoreHeaderBytes;
    return static_cast<int>(le16(bytes, kFileHeaderBytes + (core ? 10 : 14)));
}

std::optional<BmpSize> readBmpFileSize(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    char buffer[kFileHeaderBytes + kInfoHeaderMinBytes];
    file.read(buffer, sizeof buffer);
    return readBmpSize(std::string_view(buffer, static_cast<std::size_t>(file.gcount())));
}

} // namespace cockpix

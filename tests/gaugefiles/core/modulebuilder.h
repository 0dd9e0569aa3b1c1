#pragma once

// Synthetic gauge modules for the tests: filler bytes that match none of the patterns, with
// the marker, header and size record put where a test wants them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace cockpix::test {

// The little-endian 32-bit number at `at`.
inline std::uint32_t le32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int k = 3; k >= 0; --k)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
    return value;
}

inline std::string fillerModule(std::size_t length) {
    return std::string(length, '\x11');
}

inline void putBytes(std::string& module, std::size_t at, std::string_view bytes) {
    module.replace(at, bytes.size(), bytes);
}

inline void putMarker(std::string& module, std::size_t at) {
    putBytes(module, at, std::string_view("T\0r\0", 4));
}

inline void putSizeRecord(std::string& module, std::size_t at) {
    putBytes(module, at, std::string_view("\x62\x02\x00\x00", 4));
}

inline void put16(std::string& module, std::size_t at, unsigned value) {
    module[at] = static_cast<char>(value & 0xFF);
    module[at + 1] = static_cast<char>(value >> 8);
}

inline void put32(std::string& module, std::size_t at, unsigned value) {
    put16(module, at, value & 0xFFFF);
    put16(module, at + 2, value >> 16);
}

// A 40-byte info header at `at` (its first byte 0x28), width, height, biClrUsed.
inline void putInfoHeader(std::string& module, std::size_t at, unsigned width, unsigned height,
                          unsigned colorsUsed) {
    putBytes(module, at, std::string(40, '\0'));
    module[at] = 0x28;
    put32(module, at + 4, width);
    put32(module, at + 8, height);
    module[at + 12] = 1;
    module[at + 14] = 8;
    put32(module, at + 32, colorsUsed);
}

// A module holding a 100 x 50 picture: marker at 4000, header 10 bytes later, size record
// at 2500 giving 250, and room for the whole picture.
inline std::string typicalModule() {
    std::string module = fillerModule(4050 + 1078 + 103 * 53 + 200);
    putSizeRecord(module, 2500);
    put16(module, 2544, 250);
    putMarker(module, 4000);
    putInfoHeader(module, 4010, 100, 50, 0);
    return module;
}

} // namespace cockpix::test

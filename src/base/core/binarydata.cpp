#include "base/core/binarydata.h"

#include <algorithm>
#include <cstddef>

namespace cockpix {
namespace {

// A text file's share of control bytes is nil; a program's is large, and compressed data
// (a PNG or JPEG picture, a cabinet) holds about one in ten.
constexpr std::size_t kSampleSize = 64 * 1024;
constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kControlShare = 20; // one control byte in 20

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

bool isBinaryControl(unsigned char c) {
    return isControl(c) && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != 0x1A;
}

} // namespace

bool holdsBinaryData(std::string_view bytes) {
    if (bytes.substr(0, kHeaderSize).find('\0') != std::string_view::npos)
        return true;
    const std::string_view sample = bytes.substr(0, kSampleSize);
    const auto controls = std::count_if(sample.begin(), sample.end(), [](char c) {
        return isBinaryControl(static_cast<unsigned char>(c));
    });
    return static_cast<std::size_t>(controls) * kControlShare >= sample.size() && controls > 0;
}

void appendPrintable(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (!isControl(byte) || c == '\t') {
            out += c;
            continue;
        }
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    }
}

} // namespace cockpix

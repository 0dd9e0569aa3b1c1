#include "demomodule.h"

#include <string_view>

namespace cockpix::demo {
namespace {

constexpr std::size_t kSizeRecordAt = 2200;
constexpr std::size_t kMarkerAt = 4100;
constexpr std::size_t kEarlyMarkerAt = 2600;
constexpr std::size_t kMarkerToHeader = 14;

// Filler bytes that can never form one of the patterns the extraction looks for: no 0x28
// (a header's first byte), 0x54 ("T") or 0x62 (the size record's first byte).
void appendFiller(std::string& out, std::size_t until, std::uint32_t& state) {
    while (out.size() < until) {
        state = state * 1664525u + 1013904223u;
        auto byte = static_cast<unsigned char>(state >> 24);
        if (byte == 0x28 || byte == 0x54 || byte == 0x62)
            byte = 0;
        out.push_back(static_cast<char>(byte));
    }
}

void put16(std::string& out, std::size_t at, int value) {
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

} // namespace

std::string gaugeModuleBytes(const IndexedImage& picture, const ModuleLayout& layout) {
    std::uint32_t state = layout.seed * 2654435761u;
    std::string out = "MZ";
    appendFiller(out, 64, state);
    out += "COCKPIX demo gauge module: synthetic, made by cockpix-demogen.";
    appendFiller(out, kSizeRecordAt, state);
    if (layout.defaultSize) {
        out += std::string_view("\x62\x02\x00\x00", 4);
        appendFiller(out, kSizeRecordAt + 48, state);
        put16(out, kSizeRecordAt + 44, *layout.defaultSize);
    }
    const std::size_t markerAt = layout.pictureBeforeSearch ? kEarlyMarkerAt : kMarkerAt;
    appendFiller(out, markerAt, state);
    out += std::string_view("T\0r\0", 4);
    appendFiller(out, markerAt + kMarkerToHeader, state);
    out += bmpInfoAndPixels(picture, layout.colorsUsed);
    // The extraction copies a generous bound past the pixels; real modules go on with
    // code and other resources there.
    const std::size_t slack = 3u * static_cast<std::size_t>(picture.width + picture.height + 9);
    appendFiller(out, out.size() + slack + 256, state);
    if (layout.pictureBeforeSearch && out.size() < 5000)
        appendFiller(out, 5000, state);
    return out;
}

} // namespace cockpix::demo

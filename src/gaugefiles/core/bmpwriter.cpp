#include "gaugefiles/core/bmpwriter.h"

namespace cockpix {
namespace {

void put16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::size_t paddedRow(int width) {
    return (static_cast<std::size_t>(width) + 3) / 4 * 4;
}

} // namespace

std::string bmpInfoAndPixels(const IndexedImage& image, std::uint32_t colorsUsed) {
    const std::size_t row = paddedRow(image.width);
    std::string out;
    out.reserve(40 + 1024 + row * static_cast<std::size_t>(image.height));
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(image.width));
    put32(out, static_cast<std::uint32_t>(image.height)); // positive: rows bottom-up
    put16(out, 1);                                        // planes
    put16(out, 8);                                        // bits per pixel
    put32(out, 0);                                        // BI_RGB
    put32(out, static_cast<std::uint32_t>(row * static_cast<std::size_t>(image.height)));
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, colorsUsed);
    put32(out, 0);
    for (const std::uint32_t rgb : image.palette) {
        out.push_back(static_cast<char>(rgb & 0xFF));         // blue
        out.push_back(static_cast<char>((rgb >> 8) & 0xFF));  // green
        out.push_back(static_cast<char>((rgb >> 16) & 0xFF)); // red
        out.push_back('\0');
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const auto* first = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
        out.append(reinterpret_cast<const char*>(first), static_cast<std::size_t>(image.width));
        out.append(row - static_cast<std::size_t>(image.width), '\0');
    }
    return out;
}

std::string bmpFileBytes(const IndexedImage& image, std::uint32_t colorsUsed) {
    const std::string body = bmpInfoAndPixels(image, colorsUsed);
    std::string out;
    out.reserve(14 + body.size());
    out += "BM";
    put32(out, static_cast<std::uint32_t>(14 + body.size()));
    put32(out, 0);
    put32(out, 14 + 40 + 1024); // pixel data after the full palette
    out += body;
    return out;
}

} // namespace cockpix

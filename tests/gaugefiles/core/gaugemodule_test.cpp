#include "gaugefiles/core/gaugemodule.h"

#include "gaugefiles/core/modulebuilder.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

namespace cockpix {
namespace {

using namespace test;

constexpr auto kNone = std::nullopt;

// The file size field of a bitmap's file header.
std::size_t readBmpFileLength(std::string_view bytes) {
    std::size_t length = 0;
    for (int k = 3; k >= 0; --k)
        length = length << 8 | static_cast<unsigned char>(bytes[std::size_t(2 + k)]);
    return length;
}

// A filler module of `length` bytes with `bytes` put at `at`, searched for the marker, or
// for the header after the marker at `marker` when that is not 0.
struct SearchCase {
    std::size_t length, at;
    std::string_view bytes;
    std::optional<std::size_t> expected;
    std::size_t marker = 0;
};

const std::string_view kMarker("T\0r\0", 4), kTwoMarkers("T\0r\0T\0r\0", 8);

// The marker is tested at 3949 even in short modules, later only up to L - 12; the header
// at marker + 10 (always tested), later only up to L - 11. The first match counts.
TEST(GaugeModuleSearch, MarkerAndHeaderBounds) {
    // clang-format off
    const SearchCase cases[] = {
        {8000, 3949, kMarker, 3949},         {8000, 3948, kTwoMarkers, 3952},
        {8000, 4000, kTwoMarkers, 4000},     {6000, 6000 - 12, kMarker, 6000 - 12},
        {6000, 6000 - 11, kMarker, kNone},   {3953, 3949, kMarker, 3949},
        {3951, 3949, {"T\0", 2}, kNone},     {0, 0, "", kNone},
        {8000, 4000, {"T\0r\x01T\0T\0r\0", 10}, 4006},
        {6000, 4009, "\x28", kNone, 4000},   {6000, 4009, "\x28\x28", 4010, 4000},
        {6000, 4017, "\x28\x11\x28", 4017, 4000}, {5000, 5000 - 11, "\x28", 5000 - 11, 4000},
        {5000, 5000 - 10, "\x28", kNone, 4000}, {3960, 3959, "\x28", 3959, 3949},
        {3960, 3959, "\x28", kNone, 3950}};
    // clang-format on
    for (const SearchCase& c : cases) {
        std::string module = fillerModule(c.length);
        putBytes(module, c.at, c.bytes);
        EXPECT_EQ(c.marker ? findBitmapHeader(module, c.marker) : findBitmapMarker(module),
                  c.expected)
            << "length " << c.length << " at " << c.at << " marker " << c.marker;
    }
}

// The default size is the word 44 bytes after 62 02 00 00, searched from 1999 on; here
// each record's word is its own offset.
TEST(GaugeModuleSearch, GaugeSize) {
    struct Case {
        std::size_t length;
        std::vector<std::size_t> records;
        std::optional<int> expected;
    };
    // clang-format off
    const Case cases[] = {
        {8000, {5000}, 5000}, {8000, {1999, 5000}, 1999}, {8000, {1998}, kNone}, {1500, {}, kNone},
        {0, {}, kNone}, {3000, {3000 - 46}, 3000 - 46}, {3000, {3000 - 45}, kNone},
        {3000, {3000 - 12}, kNone}};
    // clang-format on
    for (const Case& c : cases) {
        std::string module = fillerModule(c.length);
        for (std::size_t at : c.records) {
            putSizeRecord(module, at);
            if (at + 46 <= c.length)
                put16(module, at + 44, static_cast<unsigned>(at));
        }
        EXPECT_EQ(findGaugeSize(module), c.expected) << c.length << " " << c.records.size();
    }
}

// Only the low 16 bits of the width and height and the low byte of biClrUsed count.
TEST(GaugeBitmapHeader, SizesAndPixelDataOffset) {
    // width, height, biClrUsed, pixel data offset
    for (const auto& [width, height, colorsUsed, offset] : {std::array{10u, 10u, 0u, 1078u},
                                                            {10u, 10u, 16u, 118u},
                                                            {10u, 10u, 256u, 1078u},
                                                            {10u, 10u, 2u, 62u},
                                                            {10u, 10u, 255u, 1074u},
                                                            {10u, 10u, 0x110u, 118u},
                                                            {0x10014u, 0x1000Au, 16u, 118u}}) {
        std::string module = fillerModule(6000);
        putMarker(module, 4000);
        putInfoHeader(module, 4010, width, height, colorsUsed);
        const auto header = locateGaugeBitmap(module);
        ASSERT_TRUE(header);
        SCOPED_TRACE(testing::Message() << "biClrUsed " << colorsUsed << " width " << width);
        EXPECT_EQ(header->pixelDataOffset, static_cast<int>(offset));
        EXPECT_EQ(header->fileLength, offset + (width % 65536 + 3) * 13u - 1);
        EXPECT_EQ(header->height, 10);
    }
}

TEST(GaugeBitmapHeader, FieldsPastTheEndReadAsZero) {
    std::string module = fillerModule(4030);
    putMarker(module, 4000);
    putBytes(module, 4019, std::string_view("\x28\x11\x11\x11\x07\0\x11\x11\x05\0", 10)); // L - 11
    const auto header = locateGaugeBitmap(module);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width * 100 + header->height, 705);
    EXPECT_EQ(header->pixelDataOffset, 1078) << "biClrUsed lies past the end";
    EXPECT_EQ(extractedBitmapBytes(module).value().size(), 15u + 10);
}

TEST(ExtractedBitmap, HasTheFixedFileHeaderAndTheModuleBytes) {
    const std::string module = typicalModule();
    const auto bytes = extractedBitmapBytes(module);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 6536u); // 1078 + 103 * 53 - 1
    EXPECT_EQ(bytes->substr(0, 15), std::string("BM\x88\x19\0\0\0\0\x02\0\x36\x04\0\0\x28", 15));
    EXPECT_EQ(bytes->substr(15), module.substr(4011, 6536 - 15));

    std::string noHeader = fillerModule(8000);
    EXPECT_EQ(extractedBitmapBytes(noHeader), kNone);
    putMarker(noHeader, 7000); // no 0x28 follows
    EXPECT_EQ(extractedBitmapBytes(noHeader), kNone);
}

// Random modules and every truncation of a good one: the searches stay inside the bytes,
// the written file always mirrors the module from the header on and its header gives the
// length written.
TEST(GaugeModuleRobustness, RandomAndTruncatedModules) {
    std::mt19937 random(1998);
    for (int round = 0; round < 300; ++round) {
        std::string module(random() % 9000, '\0');
        for (char& byte : module)
            byte = static_cast<char>(random() % 4 == 0 ? 0x28 : random() % 256);
        if (module.size() > 4000 && round % 2 == 0)
            putMarker(module, 3949 + random() % (module.size() - 3953));
        const auto header = locateGaugeBitmap(module);
        const auto bytes = extractedBitmapBytes(module);
        ASSERT_EQ(header.has_value(), bytes.has_value());
        if (bytes) {
            EXPECT_LE(bytes->size(), header->fileLength);
            EXPECT_EQ(bytes->substr(15),
                      module.substr(header->headerOffset + 1, bytes->size() - 15));
        }
        findGaugeSize(module);
    }
    const std::string good = typicalModule();
    for (std::size_t length = 0; length <= good.size(); length += 7) {
        const std::string_view prefix(good.data(), length);
        const auto bytes = extractedBitmapBytes(prefix);
        if (length >= 4010 + 11) {
            ASSERT_TRUE(bytes) << length;
            EXPECT_EQ(bytes->size(), std::min<std::size_t>(6536, 15 + length - 4011));
            EXPECT_EQ(readBmpFileLength(*bytes), bytes->size()) << length;
            EXPECT_EQ(bytes->substr(15), prefix.substr(4011, bytes->size() - 15));
        }
        EXPECT_EQ(findGaugeSize(prefix).has_value(), length >= 2546) << length;
    }
}

// Read only as far as bitmapBytesNeeded says, a module gives the picture of the whole module,
// wherever its marker, header and picture lie (in the first piece or further, cut off by the
// module's end or not); a big module whose picture comes early is read only in part.
TEST(GaugeModuleReading, AsFarAsThePictureGoesGivesTheWholePicture) {
    const auto readAsNeeded = [](std::string_view module) {
        std::string_view start;
        for (std::size_t need = bitmapBytesNeeded(start, module.size()); need > start.size();
             need = bitmapBytesNeeded(start, module.size()))
            start = module.substr(0, need);
        return start;
    };
    std::mt19937 random(2024);
    for (int round = 0; round < 120; ++round) {
        std::string module = fillerModule(random() % 200000);
        if (round % 2 == 0) { // random bytes, many of them 0x28
            for (char& byte : module)
                byte = static_cast<char>(random() % 8 == 0 ? 0x28 : random() % 256);
        }
        if (module.size() > 4100) {
            const std::size_t marker = 3949 + random() % (module.size() - 4100);
            putMarker(module, marker);
            putInfoHeader(module, marker + 10 + random() % 50, random() % 300, random() % 300, 0);
        }
        const std::string_view start = readAsNeeded(module);
        EXPECT_EQ(extractedBitmapBytes(start), extractedBitmapBytes(module)) << round;
    }
    std::string big = typicalModule();
    big.resize(1 << 20, '\x11');
    const std::string_view start = readAsNeeded(big);
    EXPECT_LT(start.size(), 70000u);
    EXPECT_EQ(extractedBitmapBytes(start), extractedBitmapBytes(big));
}

} // namespace
} // namespace cockpix

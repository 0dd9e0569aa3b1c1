#include "gauges/core/gaugemodule.h"

#include "gauges/core/modulebuilder.h"

#include <gtest/gtest.h>

#include <random>

namespace cockpix {
namespace {

using test::fillerModule;
using test::putInfoHeader;
using test::putMarker;
using test::putSizeRecord;

TEST(BitmapMarkerSearch, StartsAtOffset3949) {
    std::string module = fillerModule(8000);
    putMarker(module, 3949);
    EXPECT_EQ(findBitmapMarker(module), 3949u);

    module = fillerModule(8000);
    putMarker(module, 3948);
    EXPECT_EQ(findBitmapMarker(module), std::nullopt) << "a marker before 3949 is not looked at";
    putMarker(module, 6000);
    EXPECT_EQ(findBitmapMarker(module), 6000u);
}

TEST(BitmapMarkerSearch, LastTestedOffsetIsLengthMinus12) {
    std::string module = fillerModule(6000);
    putMarker(module, 6000 - 12);
    EXPECT_EQ(findBitmapMarker(module), 6000u - 12);

    module = fillerModule(6000);
    putMarker(module, 6000 - 11);
    EXPECT_EQ(findBitmapMarker(module), std::nullopt);
}

TEST(BitmapMarkerSearch, TestsOffset3949OnceInShortModules) {
    std::string module = fillerModule(3953); // 3949 > L - 12, but still tested
    putMarker(module, 3949);
    EXPECT_EQ(findBitmapMarker(module), 3949u);

    module = fillerModule(3951); // "Tr" cut after its third byte
    module[3949] = 'T';
    module[3950] = '\0';
    EXPECT_EQ(findBitmapMarker(module), std::nullopt);
    EXPECT_EQ(findBitmapMarker(fillerModule(100)), std::nullopt);
    EXPECT_EQ(findBitmapMarker(""), std::nullopt);
}

TEST(BitmapMarkerSearch, PartialMatchesDoNotHideALaterMarker) {
    std::string module = fillerModule(8000);
    test::putBytes(module, 4000, std::string_view("T\0r\x01T\0T\0r\0", 10));
    EXPECT_EQ(findBitmapMarker(module), 4006u);
}

TEST(BitmapHeaderSearch, StartsTenBytesAfterTheMarker) {
    std::string module = fillerModule(6000);
    putMarker(module, 4000);
    module[4009] = 0x28; // too early
    EXPECT_EQ(findBitmapHeader(module, 4000), std::nullopt);
    module[4010] = 0x28;
    EXPECT_EQ(findBitmapHeader(module, 4000), 4010u);
}

TEST(BitmapHeaderSearch, TakesTheFirst0x28WhateverItBelongsTo) {
    std::string module = fillerModule(6000);
    putMarker(module, 4000);
    putInfoHeader(module, 4030, 64, 64, 0);
    module[4017] = 0x28; // a stray byte of something else
    EXPECT_EQ(findBitmapHeader(module, 4000), 4017u);
    const auto header = locateGaugeBitmap(module);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->headerOffset, 4017u);
}

TEST(BitmapHeaderSearch, LastTestedOffsetIsLengthMinus11) {
    std::string module = fillerModule(5000);
    putMarker(module, 4000);
    module[5000 - 11] = 0x28;
    EXPECT_EQ(findBitmapHeader(module, 4000), 5000u - 11);
    module[5000 - 11] = 0x11;
    module[5000 - 10] = 0x28;
    EXPECT_EQ(findBitmapHeader(module, 4000), std::nullopt);
}

TEST(BitmapHeaderSearch, TestsMarkerPlus10OnceEvenNearTheEnd) {
    std::string module = fillerModule(3949 + 11);
    putMarker(module, 3949);
    module[3959] = 0x28; // the last byte of the module
    EXPECT_EQ(findBitmapHeader(module, 3949), 3959u);
    EXPECT_EQ(findBitmapHeader(module, 3950), std::nullopt) << "3960 lies past the end";
}

TEST(GaugeBitmapHeader, PixelDataOffsetFollowsTheLowByteOfClrUsed) {
    struct Case {
        unsigned colorsUsed;
        int offset;
    };
    for (const Case c : {Case{0, 1078}, Case{16, 118}, Case{256, 1078}, Case{2, 62},
                         Case{255, 1074}, Case{0x110, 118}}) {
        std::string module = fillerModule(6000);
        putMarker(module, 4000);
        putInfoHeader(module, 4010, 10, 10, c.colorsUsed);
        const auto header = locateGaugeBitmap(module);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->pixelDataOffset, c.offset) << "biClrUsed " << c.colorsUsed;
    }
}

TEST(ExtractedBitmap, HasTheFixedFileHeaderAndTheModuleBytes) {
    const std::string module = test::typicalModule();
    const auto bytes = extractedBitmapBytes(module);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 6536u); // 1078 + 103 * 53 - 1
    const std::string fileHeader("BM\0\0\0\0\0\0\x02\0\x36\x04\0\0\x28", 15);
    EXPECT_EQ(bytes->substr(0, 15), fileHeader);
    EXPECT_EQ(bytes->substr(15), module.substr(4011, 6536 - 15));
}

TEST(ExtractedBitmap, WidthAndHeightUseOnlyTheLow16Bits) {
    std::string module = fillerModule(8000);
    putMarker(module, 4000);
    putInfoHeader(module, 4010, 20, 10, 16);
    module[4016] = 1; // biWidth = 0x10014
    module[4020] = 1; // biHeight = 0x1000A
    const auto header = locateGaugeBitmap(module);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 20);
    EXPECT_EQ(header->height, 10);
    EXPECT_EQ(header->fileLength, 118u + 23 * 13 - 1);
}

TEST(ExtractedBitmap, TruncatedModuleGivesOnlyTheBytesThatExist) {
    std::string module = test::typicalModule();
    module.resize(4010 + 500);
    const auto bytes = extractedBitmapBytes(module);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 15u + 499);
    EXPECT_EQ(bytes->substr(15), module.substr(4011));
}

TEST(ExtractedBitmap, HeaderFieldsPastTheEndReadAsZero) {
    std::string module = fillerModule(4030);
    putMarker(module, 4000);
    module[4019] = 0x28; // L - 11: width and height bytes exist, biClrUsed does not
    module[4023] = 7;
    module[4024] = 0;
    module[4027] = 5;
    module[4028] = 0;
    const auto header = locateGaugeBitmap(module);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 7);
    EXPECT_EQ(header->height, 5);
    EXPECT_EQ(header->pixelDataOffset, 1078);
    const auto bytes = extractedBitmapBytes(module);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 15u + 10);
}

TEST(ExtractedBitmap, NoMarkerOrNoHeaderGivesNothing) {
    std::string module = fillerModule(8000);
    EXPECT_EQ(extractedBitmapBytes(module), std::nullopt);
    putMarker(module, 3000); // before the search start
    putInfoHeader(module, 3010, 10, 10, 0);
    EXPECT_EQ(extractedBitmapBytes(module), std::nullopt);
    putMarker(module, 7000); // after it, but no 0x28 follows
    EXPECT_EQ(extractedBitmapBytes(module), std::nullopt);
}

TEST(GaugeSizeSearch, ReadsTheWord44BytesAfterTheRecord) {
    std::string module = fillerModule(8000);
    putSizeRecord(module, 5000);
    test::put16(module, 5044, 300);
    EXPECT_EQ(findGaugeSize(module), 300);

    putSizeRecord(module, 1999);
    test::put16(module, 2043, 0x1234);
    EXPECT_EQ(findGaugeSize(module), 0x1234) << "1999 is the first tested offset";
}

TEST(GaugeSizeSearch, RecordsBefore1999AreNotLookedAt) {
    std::string module = fillerModule(8000);
    putSizeRecord(module, 1998);
    test::put16(module, 2042, 99);
    EXPECT_EQ(findGaugeSize(module), std::nullopt);
    EXPECT_EQ(findGaugeSize(fillerModule(1500)), std::nullopt);
    EXPECT_EQ(findGaugeSize(""), std::nullopt);
}

TEST(GaugeSizeSearch, SizeBytesMustLieInsideTheModule) {
    std::string module = fillerModule(3000);
    putSizeRecord(module, 3000 - 46); // size bytes are the last two
    test::put16(module, 3000 - 2, 77);
    EXPECT_EQ(findGaugeSize(module), 77);

    module = fillerModule(3000);
    putSizeRecord(module, 3000 - 45); // high size byte would be byte L
    EXPECT_EQ(findGaugeSize(module), std::nullopt);

    module = fillerModule(3000);
    putSizeRecord(module, 3000 - 12); // found, but its size lies past the end
    EXPECT_EQ(findGaugeSize(module), std::nullopt);
}

// Random modules and every truncation of a good one: the searches stay inside the bytes
// and the written file always mirrors the module from the header on.
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
    const std::string good = test::typicalModule();
    for (std::size_t length = 0; length <= good.size(); length += 7) {
        const std::string_view prefix(good.data(), length);
        const auto bytes = extractedBitmapBytes(prefix);
        if (length >= 4010 + 11) {
            ASSERT_TRUE(bytes) << length;
            EXPECT_EQ(bytes->size(), std::min<std::size_t>(6536, 15 + length - 4011));
        }
        const auto size = findGaugeSize(prefix);
        EXPECT_EQ(size.has_value(), length >= 2546) << length;
    }
}

} // namespace
} // namespace cockpix

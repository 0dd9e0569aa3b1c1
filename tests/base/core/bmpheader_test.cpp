#include "base/core/bmpheader.h"
#include "gaugefiles/core/bmpwriter.h"
#include "gaugefiles/core/gaugemodule.h"

#include "gaugefiles/core/modulebuilder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace cockpix {
namespace {

IndexedImage checkerboard(int width, int height) {
    IndexedImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.at(x, y) = static_cast<std::uint8_t>((x + y) % 2 ? 200 : 3);
    image.palette[3] = 0x123456;
    image.palette[200] = 0xFFEEDD;
    return image;
}

TEST(BmpWriter, WritesBottomUpRowsPaddedToFourBytes) {
    IndexedImage image = checkerboard(5, 3);
    image.at(0, 0) = 9; // top-left pixel
    const std::string bytes = bmpFileBytes(image);
    ASSERT_EQ(bytes.size(), 14u + 40 + 1024 + 8 * 3);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bytes[2]) | static_cast<unsigned char>(bytes[3]) << 8,
              static_cast<int>(bytes.size()));
    EXPECT_EQ(bytes[10], '\x36');
    EXPECT_EQ(bytes[11], '\x04');
    // Palette entry 3 as blue, green, red, 0.
    EXPECT_EQ(bytes.substr(54 + 12, 4), std::string("\x56\x34\x12\0", 4));
    // The top row is the last one in the file.
    EXPECT_EQ(static_cast<unsigned char>(bytes[1078 + 16]), 9);
    EXPECT_EQ(bytes.substr(1078 + 5, 3), std::string(3, '\0'));
    EXPECT_EQ(readBmpSize(bytes), (BmpSize{5, 3}));
}

// An extracted gauge bitmap of a checkerboard, with extra bytes after it.
std::string extractedCheckerboard(std::size_t cut) {
    std::string module = test::fillerModule(3949);
    test::putMarker(module, 3949);
    module += std::string(10, '\x11') + bmpInfoAndPixels(checkerboard(100, 50));
    return extractedBitmapBytes(module.substr(0, module.size() - cut)).value();
}

TEST(BmpHeader, ReadsSizesAndRejectsWhatNoPictureLoaderWouldTake) {
    const std::string good = bmpFileBytes(checkerboard(8, 8));
    std::string topDown = good;
    topDown.replace(22, 4, "\xF8\xFF\xFF\xFF"); // height -8
    const std::string core("BM\0\0\0\0\0\0\0\0\x1A\0\0\0\x0C\0\0\0\x20\0\x10\0\x01\0\x18\0", 26);
    EXPECT_EQ(readBmpSize(topDown), (BmpSize{8, 8}));
    EXPECT_EQ(readBmpSize(core), (BmpSize{32, 16}));
    EXPECT_EQ(readBmpSize(extractedCheckerboard(0)), (BmpSize{100, 50}));
    EXPECT_TRUE(readBmpSize(good.substr(0, 30)));
    // not BM, unknown header size, width 0, negative width, height 0, 7 bits per pixel
    for (const auto& [at, value] :
         {std::pair{0, 'X'}, {14, '\x29'}, {18, '\0'}, {21, '\x80'}, {22, '\0'}, {28, '\x07'}}) {
        std::string bytes = good;
        bytes[at] = value;
        EXPECT_FALSE(readBmpSize(bytes)) << at;
    }
    EXPECT_FALSE(readBmpSize(""));
    EXPECT_FALSE(readBmpSize(good.substr(0, 29))) << "header cut before the bit count";
}

TEST(BmpHeader, BitCountOfInfoAndCoreHeaders) {
    std::string truecolor = bmpFileBytes(checkerboard(8, 8));
    truecolor[28] = 24;
    const std::string core("BM\0\0\0\0\0\0\0\0\x1A\0\0\0\x0C\0\0\0\x20\0\x10\0\x01\0\x04\0", 26);
    EXPECT_EQ(readBmpBitCount(bmpFileBytes(checkerboard(8, 8))), 8);
    EXPECT_EQ(readBmpBitCount(truecolor), 24);
    EXPECT_EQ(readBmpBitCount(core), 4);
    EXPECT_EQ(readBmpBitCount("BM"), std::nullopt);
}

TEST(BmpHeader, CompletePixelDataIsToldFromACutOffFile) {
    const std::string good = bmpFileBytes(checkerboard(5, 3)); // rows of 8 bytes
    EXPECT_TRUE(bmpPixelsComplete(good));
    EXPECT_FALSE(bmpPixelsComplete(good.substr(0, good.size() - 1)));
    EXPECT_TRUE(bmpPixelsComplete(good + "trailing module bytes"));

    // An extracted gauge bitmap carries extra bytes; cut from a short module, it lacks rows.
    EXPECT_TRUE(bmpPixelsComplete(extractedCheckerboard(0)));
    EXPECT_FALSE(bmpPixelsComplete(extractedCheckerboard(200)));

    std::string rle = good.substr(0, 60);
    rle[30] = 1; // BI_RLE8: its length is not fixed by the header
    EXPECT_TRUE(bmpPixelsComplete(rle));
    EXPECT_FALSE(bmpPixelsComplete("BM"));
}

TEST(BmpHeader, RandomAndTruncatedBytesAreHandled) {
    std::mt19937 random(42);
    const std::string good = bmpFileBytes(checkerboard(3, 7));
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = good.substr(0, random() % 60);
        for (int flips = random() % 4; flips > 0 && !bytes.empty(); --flips)
            bytes[random() % bytes.size()] = static_cast<char>(random());
        bmpPixelsComplete(bytes);
        if (const auto size = readBmpSize(bytes)) {
            EXPECT_GE(size->width, 1);
            EXPECT_GE(size->height, 1);
        }
    }
}

TEST(BmpHeader, FileVersionReadsOnlyTheHeader) {
    const auto path =
        (std::filesystem::temp_directory_path() / "cockpix_bmpheader_test.bmp").string();
    {
        std::ofstream file(path, std::ios::binary);
        file << bmpFileBytes(checkerboard(33, 17)).substr(0, 40); // pixels missing
    }
    EXPECT_EQ(readBmpFileSize(path), (BmpSize{33, 17}));
    std::remove(path.c_str());
    EXPECT_EQ(readBmpFileSize(path), std::nullopt);
    EXPECT_EQ(readBmpFileSize(std::filesystem::temp_directory_path().string()), std::nullopt);
}

} // namespace
} // namespace cockpix

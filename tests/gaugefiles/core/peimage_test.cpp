#include "gaugefiles/core/peimage.h"

#include "base/core/bmpheader.h"
#include "demo/gaugemodulewriter.h"

#include "gaugefiles/core/modulebuilder.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

using test::le32;

// An info header of the given size with bit count, compression and colours used, then
// `rest` bytes of palette and pixels.
std::string dib(std::uint32_t headerSize, int bits, std::uint32_t compression,
                std::uint32_t colorsUsed, std::size_t rest) {
    std::string bytes(headerSize + rest, '\0');
    const auto put = [&bytes](std::size_t at, std::uint32_t value, int width) {
        for (int k = 0; k < width; ++k)
            bytes[at + static_cast<std::size_t>(k)] = static_cast<char>(value >> (8 * k) & 0xFF);
    };
    put(0, headerSize, 4);
    if (headerSize == 12) {
        put(4, 2, 2);
        put(6, 2, 2);
        put(8, 1, 2);
        put(10, static_cast<std::uint32_t>(bits), 2);
        return bytes;
    }
    put(4, 2, 4);
    put(8, 2, 4);
    put(12, 1, 2);
    put(14, static_cast<std::uint32_t>(bits), 2);
    put(16, compression, 4);
    put(32, colorsUsed, 4);
    return bytes;
}

// The pixel offset follows the header, its masks and the palette the header implies.
TEST(BmpFileFromDib, PixelOffsetAndLength) {
    struct Case {
        std::string dib;
        std::uint32_t pixelOffset;
    };
    const Case cases[] = {
        {dib(40, 8, 0, 0, 1024 + 8), 14 + 40 + 1024}, // 0 colours used: all 256
        {dib(40, 8, 0, 16, 64 + 8), 14 + 40 + 64},
        {dib(40, 4, 0, 0, 64 + 8), 14 + 40 + 64},
        {dib(40, 24, 0, 0, 16), 14 + 40},
        {dib(40, 16, 3, 0, 12 + 8), 14 + 40 + 12},  // colour masks after a plain header
        {dib(108, 32, 3, 0, 16), 14 + 108},         // masks inside a later header
        {dib(12, 8, 0, 0, 768 + 8), 14 + 12 + 768}, // three-byte palette entries
    };
    for (const Case& c : cases) {
        const auto file = bmpFileFromDib(c.dib);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->substr(0, 2), "BM");
        EXPECT_EQ(le32(*file, 2), c.dib.size() + 14);
        EXPECT_EQ(le32(*file, 10), c.pixelOffset);
        EXPECT_EQ(file->substr(14), c.dib);
    }
    EXPECT_FALSE(bmpFileFromDib(dib(40, 8, 0, 0, 100)));           // palette cut off
    EXPECT_FALSE(bmpFileFromDib(dib(40, 8, 0, 0xFFFFFFFF, 1024))); // absurd colour count
    EXPECT_FALSE(bmpFileFromDib(dib(40, 0, 0, 0, 1024)));
    EXPECT_FALSE(bmpFileFromDib(dib(80, 8, 0, 0, 1024))); // no bitmap header has that size
    EXPECT_FALSE(bmpFileFromDib("\x28"));
}

// Sections, exports and the resource tree, numbered and named, of a written module.
TEST(PeImage, ReadsWhatTheWriterWrote) {
    demo::GaugeModuleContents contents;
    contents.libraryName = "dials.gau";
    contents.gauges = {{"One", {}}};
    IndexedImage picture(3, 2, 7);
    contents.bitmaps = {demo::bitmapResource(300, picture), demo::bitmapResource(5, picture)};
    contents.bitmaps.push_back({0, "Glare", bmpInfoAndPixels(picture, 0)});
    const std::string bytes = demo::gaugeLibraryBytes(contents);
    const PeReadResult read = readPeImage(bytes);
    ASSERT_TRUE(read.image) << read.reason;
    const PeImage& image = *read.image;
    EXPECT_EQ(image.imageBase(), 0x10000000u);
    EXPECT_EQ(image.directoryFault(), "");
    ASSERT_EQ(image.sections().size(), 2u);
    EXPECT_EQ(image.sections()[1].name, ".rsrc");
    ASSERT_EQ(image.exports().size(), 1u);
    EXPECT_EQ(image.exports()[0].name, "Linkage");
    EXPECT_FALSE(image.exportRva("linkage")); // export names keep their case
    EXPECT_EQ(image.bitmapCount(), 3u);
    EXPECT_EQ(image.bitmapDib(300), bmpInfoAndPixels(picture, 256));
    EXPECT_EQ(image.bitmapDib("GLARE"), bmpInfoAndPixels(picture, 0));
    EXPECT_FALSE(image.bitmapDib(6));
    EXPECT_FALSE(image.bitmapDib("Glow"));
    const auto file = bmpFileFromDib(*image.bitmapDib(5));
    ASSERT_TRUE(file);
    EXPECT_EQ(readBmpSize(*file), (BmpSize{3, 2}));
    EXPECT_TRUE(bmpPixelsComplete(*file));

    // Reads never run past a section's bytes in the file, whatever the length asked.
    const PeSection& data = image.sections()[0];
    EXPECT_TRUE(image.bytesAt(data.virtualAddress, data.rawSize));
    EXPECT_FALSE(image.bytesAt(data.virtualAddress, data.rawSize + 1));
    EXPECT_FALSE(image.bytesAt(0xFFFFFFFFull + 1, 1));
    EXPECT_FALSE(image.cStringAt(data.virtualAddress + data.rawSize));
    const std::uint32_t name = *image.u32At(le32(*image.bytesAt(data.virtualAddress, 40), 32));
    EXPECT_EQ(image.cStringAt(name), "Linkage");
    EXPECT_FALSE(image.cStringAt(name, 6)); // longer than allowed
}

// Headers that cannot be those of a library, each with its reason; a damaged resource tree
// still leaves the rest of the module readable.
TEST(PeImage, DamagedHeadersAndDirectories) {
    demo::GaugeModuleContents contents;
    contents.gauges = {{"One", {}}};
    contents.bitmaps = {demo::bitmapResource(1, IndexedImage(2, 2))};
    const std::string whole = demo::gaugeLibraryBytes(contents);
    const std::size_t pe = le32(whole, 0x3C);
    const auto reasonWith = [&](std::size_t at, std::string_view patch) {
        std::string bytes = whole;
        bytes.replace(at, patch.size(), patch);
        return readPeImage(bytes).reason;
    };
    const std::string prefix = "the module is not a 32-bit Windows library (";
    EXPECT_EQ(reasonWith(0x3C, std::string_view("\xF0\xFF\xFF\x7F", 4)), prefix + "no PE header)");
    EXPECT_EQ(reasonWith(pe + 6, std::string_view("\0\0", 2)),
              prefix + "an impossible number of sections)");
    EXPECT_EQ(reasonWith(pe + 6, std::string_view("\xFF\x00", 2)),
              prefix + "an impossible number of sections)");
    EXPECT_EQ(reasonWith(pe + 24, std::string_view("\x07\x01", 2)),
              prefix + "no 32-bit optional header)");
    EXPECT_EQ(readPeImage(whole.substr(0, pe + 24 + 224 + 40)).reason,
              prefix + "its section table is cut off)");

    // The type directory's entry turned into a leaf one level too soon.
    std::string bytes = whole;
    const PeImage image = *readPeImage(whole).image;
    const std::size_t resources = *image.fileOffset(image.sections()[1].virtualAddress);
    bytes[resources + 16 + 7] = 0;
    const PeReadResult read = readPeImage(bytes);
    ASSERT_TRUE(read.image);
    EXPECT_EQ(read.image->directoryFault(), "the resource tree is not three levels deep");
    EXPECT_EQ(read.image->bitmapCount(), 0u);
    EXPECT_EQ(read.image->exports().size(), 1u);
}

} // namespace
} // namespace cockpix

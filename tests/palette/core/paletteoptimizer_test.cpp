#include "palette/core/paletteoptimizer.h"

#include "base/core/filelookup.h"
#include "base/core/scratchdir.h"
#include "palette/core/indexedbitmap.h"
#include "palette/core/palettebitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

namespace cockpix {
namespace {

namespace fs = std::filesystem;
using test::compactBitmap;
using test::fourColours;
using test::put32At;
using test::stripes;
using Captions = std::vector<std::string>;

const Captions kScanCaptions = {"Determining color frequencies...", "Sorting colors...",
                                "Comparing colors with FS98 palette..."};
const Captions kCachedCaptions = {"Sorting colors...", "Comparing colors with FS98 palette..."};

// 118 greys 0, 2, .. 234: colours with some colour in them are far from all of them.
std::string greyTable() {
    std::string text;
    for (int i = 0; i < 118; ++i)
        text += std::to_string(2 * i) + ", " + std::to_string(2 * i) + ", " +
                std::to_string(2 * i) + "\r\n";
    return text;
}

class PaletteOptimizerTest : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        request.tablePath = touch("program/color_mapping_table.pcl", greyTable());
        request.paletteDir = at("palette/");
        fs::create_directories(request.paletteDir);
        request.bitmapName = "Main";
        request.bitmapPath = at("panel/main.bmp");
    }
    PaletteRunResult run(const std::string& bitmap) {
        touch("panel/main.bmp", bitmap);
        return run();
    }
    PaletteRunResult run() {
        captions.clear();
        return runPaletteOptimizer(request,
                                   [this](std::string_view c) { captions.emplace_back(c); });
    }
    std::string work(const std::string& name) const {
        return readWholeFile(request.paletteDir + name).value_or("(none)");
    }
    std::vector<std::string> workDirectory() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(request.paletteDir))
            names.push_back(entry.path().filename().string());
        return names;
    }
    static std::vector<int> indices(const PaletteRunResult& result) {
        std::vector<int> found;
        for (const ProposedColor& colour : result.proposal)
            found.push_back(colour.paletteIndex);
        return found;
    }

    PaletteRunRequest request;
    Captions captions;
};

TEST_F(PaletteOptimizerTest, AScanWritesTheWorkFiles) {
    const PaletteRunResult result = run(compactBitmap(fourColours(), 4));
    ASSERT_TRUE(result.ok) << result.message.toUtf8();
    EXPECT_TRUE(result.scanned);
    EXPECT_EQ(captions, kScanCaptions);
    EXPECT_EQ(work("palette_Main.txt"),
              " 0  0  0 \r\n 200  16  8 \r\n 10  200  30 \r\n 34  34  34 \r\n");
    EXPECT_EQ(work("structure_Main.txt"), " 0  20 \r\n 1  30 \r\n 2  10 \r\n 3  4 \r\n");
    EXPECT_EQ(work("result_Main.txt"),
              "[8 bit colors]\r\n\r\ncolor00= 200, 16, 8\r\ncolor01= 10, 200, 30\r\n");
    EXPECT_EQ(result.resultFile, request.paletteDir + "result_Main.txt");
    EXPECT_EQ(result.message.toUtf8(),
              "Bitmap has been scanned.\n 2 colors are advised and will be "
              "automatically added if you save the panel template.");
    EXPECT_EQ(result.reference.size(), 118u);
    EXPECT_EQ(workDirectory().size(), 4u); // the source file too, no temporary file
}

// biClrUsed 0 means a full table; with 16, the most used index 20 is neither counted nor
// examined, wherever the writer put the pixels.
TEST_F(PaletteOptimizerTest, TheColourCountComesFromTheHeader) {
    IndexedImage image = stripes({{20, 0xFF0000, 40}, {5, 0x00FF00, 20}, {7, 0x0000FF, 4}});
    const struct {
        std::string bytes;
        std::size_t lines;
        std::vector<int> proposed;
    } cases[] = {
        {bmpFileBytes(image, 0), 256, {20, 5, 7}},
        {bmpFileBytes(image, 256), 256, {20, 5, 7}},
        {bmpFileBytes(image, 16), 16, {5, 7}},
        {compactBitmap(image, 16), 16, {5, 7}},
    };
    for (const auto& c : cases) {
        fs::remove_all(request.paletteDir);
        fs::create_directories(request.paletteDir);
        const PaletteRunResult result = run(c.bytes);
        ASSERT_TRUE(result.ok) << result.message.toUtf8();
        const std::string structure = work("structure_Main.txt");
        EXPECT_EQ(std::count(structure.begin(), structure.end(), '\n'), long(c.lines));
        EXPECT_EQ(indices(result), c.proposed);
    }
}

TEST_F(PaletteOptimizerTest, RowPaddingIsNotCounted) {
    IndexedImage image(5, 3, 1); // rows of 5 pixels padded to 8 in the file
    image.palette[0] = 0x102030;
    image.palette[1] = 0xC81008;
    image.at(4, 2) = 0;
    ASSERT_TRUE(run(bmpFileBytes(image, 2)).ok);
    EXPECT_EQ(work("structure_Main.txt"), " 0  1 \r\n 1  14 \r\n");
}

// A background larger than the pieces it is read in, with and without row padding, its
// pixels after a gap and followed by other bytes: each pixel is counted once, and neither
// padding, gap nor tail (bytes no pixel uses) are counted.
TEST_F(PaletteOptimizerTest, BigBitmapsAreCountedWhateverTheirLayout) {
    for (const int width : {1001, 1024}) {
        IndexedImage image(width, 300);
        std::vector<std::uint64_t> expected(256, 0);
        for (std::size_t k = 0; k < image.pixels.size(); ++k) {
            image.pixels[k] = static_cast<std::uint8_t>(10 + (k / 97) % 200);
            ++expected[image.pixels[k]];
        }
        std::string bytes = bmpFileBytes(image);
        bytes.insert(1078, 20, char(1));
        put32At(bytes, 10, 1078 + 20);
        bytes.append(50, char(2));
        ASSERT_TRUE(run(bytes).ok);
        EXPECT_EQ(parseStructureFile(work("structure_Main.txt")), expected) << width;
    }
}

// Pieces of every size, cut anywhere in a row or its padding, give the counts of the whole.
TEST(PixelCounter, PiecesOfAnySizeCountAsTheWhole) {
    IndexedImage image(5, 7);
    for (std::size_t k = 0; k < image.pixels.size(); ++k)
        image.pixels[k] = static_cast<std::uint8_t>(1 + k % 3);
    const std::string bytes = bmpFileBytes(image);
    const IndexedBitmapHeader header = *checkIndexedBitmapHeader(bytes).header;
    const PixelCounts whole = countPixels(bytes, header);
    EXPECT_EQ(whole[0], 0u); // no padding
    for (std::size_t piece = 1; piece <= 9; ++piece) {
        PixelCounter counter(header);
        for (std::size_t at = header.pixelOffset; at < bytes.size(); at += piece)
            counter.add(std::string_view(bytes).substr(at, piece));
        EXPECT_EQ(counter.remaining(), 0u);
        EXPECT_EQ(counter.counts(), whole) << piece;
    }
}

// The second run on the unchanged bitmap takes the counts from the work files; a bitmap
// repainted since, or given another colour table, is scanned again even when its length
// and modification time stay the same.
TEST_F(PaletteOptimizerTest, WorkFilesAreReusedOnlyForTheUnchangedBitmap) {
    const PaletteRunResult first = run(compactBitmap(fourColours(), 4));
    ASSERT_TRUE(first.ok);
    fs::remove(request.paletteDir + "result_Main.txt");

    const PaletteRunResult second = run();
    ASSERT_TRUE(second.ok) << second.message.toUtf8();
    EXPECT_FALSE(second.scanned);
    EXPECT_EQ(captions, kCachedCaptions);
    EXPECT_EQ(second.proposal, first.proposal);
    EXPECT_EQ(work("result_Main.txt"),
              "[8 bit colors]\r\n\r\ncolor00= 200, 16, 8\r\ncolor01= 10, 200, 30\r\n");
    request.tolerance = 64; // the red lies 64 from the nearest grey, the green 63.3
    EXPECT_EQ(indices(run()), std::vector<int>({1}));
    request.tolerance = 5;

    // The same colours and length, the green now used most.
    const auto madeAt = fs::last_write_time(request.bitmapPath);
    touch("panel/main.bmp",
          compactBitmap(
              stripes({{0, 0x000000, 20}, {1, 0xC81008, 10}, {2, 0x0AC81E, 30}, {3, 0x222222, 4}}),
              4));
    fs::last_write_time(request.bitmapPath, madeAt + std::chrono::seconds(1));
    const PaletteRunResult repainted = run();
    EXPECT_TRUE(repainted.scanned);
    EXPECT_EQ(indices(repainted), std::vector<int>({2, 1}));
    EXPECT_EQ(work("structure_Main.txt"), " 0  20 \r\n 1  10 \r\n 2  30 \r\n 3  4 \r\n");
    EXPECT_FALSE(run().scanned);

    // Another red, the counts and the time as before.
    const auto scannedAt = fs::last_write_time(request.bitmapPath);
    touch("panel/main.bmp",
          compactBitmap(
              stripes({{0, 0x000000, 20}, {1, 0xC81009, 10}, {2, 0x0AC81E, 30}, {3, 0x222222, 4}}),
              4));
    fs::last_write_time(request.bitmapPath, scannedAt);
    const PaletteRunResult recoloured = run();
    EXPECT_TRUE(recoloured.scanned);
    EXPECT_EQ(recoloured.proposal.back().color, (Rgb{200, 16, 9}));
}

TEST_F(PaletteOptimizerTest, DamagedOrShortWorkFilesAreScannedAgain) {
    const std::string bitmap = compactBitmap(fourColours(), 4);
    const std::string structure = " 0  20 \r\n 1  30 \r\n 2  10 \r\n 3  4 \r\n";
    const struct {
        const char* file;
        std::string text;
    } damages[] = {
        {"structure_Main.txt", " 0  20 \r\n 1  30 \r\n"}, // fewer indices than the bitmap
        {"palette_Main.txt", ""},                         // empty
        {"source_Main.txt", " 1078 "},                    // no time
    };
    for (const auto& damage : damages) {
        ASSERT_TRUE(run(bitmap).ok);
        touch("palette/" + std::string(damage.file), damage.text);
        const PaletteRunResult result = run();
        EXPECT_TRUE(result.ok && result.scanned) << damage.file << ": " << damage.text;
        EXPECT_EQ(work("structure_Main.txt"), structure);
    }
    fs::remove(request.paletteDir + "structure_Main.txt");
    EXPECT_TRUE(run().scanned);
}

// A bitmap the optimizer cannot use is named with the reason, and no work file is written.
TEST_F(PaletteOptimizerTest, UnusableBitmapsStopTheRunWithTheirReason) {
    const std::string good = compactBitmap(fourColours(), 4);
    const auto patched = [&](std::size_t at, std::uint32_t value) {
        std::string bytes = good;
        put32At(bytes, at, value);
        return bytes;
    };
    const struct {
        std::string bytes;
        std::string reason;
    } cases[] = {
        {"GIF89a, not a bitmap at all", "It is not a Windows bitmap."},
        {good.substr(0, 40), "It is cut off: its header is incomplete."},
        {good.substr(0, 60), "It is cut off: its colour table is incomplete."},
        {good.substr(0, good.size() - 10), "It is cut off: its pixels end before the last row."},
        {patched(28, 24), "It has 24 bits per pixel; the optimizer needs an 8-bit palette bitmap."},
        {patched(28, 4), "It has 4 bits per pixel; the optimizer needs an 8-bit palette bitmap."},
        {patched(30, 1), "It is compressed; the optimizer needs an uncompressed 8-bit bitmap."},
        {patched(18, 32768), "Its width or height is 32768 or more."},
        {patched(22, 32768), "Its width or height is 32768 or more."},
        {patched(22, std::uint32_t(-40000)), "Its width or height is 32768 or more."},
        {patched(18, 0), "It has no pixels."},
        {patched(46, 300), "Its colour table claims 300 colours; an 8-bit bitmap has at most 256."},
    };
    for (const auto& c : cases) {
        const PaletteRunResult result = run(c.bytes);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message.toUtf8(),
                  "The palette optimizer cannot use '" + request.bitmapPath + "':\n" + c.reason);
        EXPECT_TRUE(workDirectory().empty());
    }
    fs::remove(request.bitmapPath);
    EXPECT_EQ(run().message.toUtf8(), "The palette optimizer cannot use '" + request.bitmapPath +
                                          "':\n" + "The file cannot be read.");
    EXPECT_TRUE(workDirectory().empty());
}

TEST_F(PaletteOptimizerTest, NothingIsWrittenWithoutTheTableOrTheWorkDirectory) {
    fs::remove(request.tablePath);
    PaletteRunResult result = run(compactBitmap(fourColours(), 4));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message.toUtf8(), "The colour mapping table '" + request.tablePath +
                                           "' cannot be used:\nThe file cannot be read.");
    EXPECT_TRUE(workDirectory().empty());

    touch("program/color_mapping_table.pcl", greyTable());
    request.paletteDir = at("gone/");
    result = run();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message.toUtf8(), "The palette work file '" + at("gone/structure_Main.txt") +
                                           "' could not be written:\nNo such file or directory");

    request.paletteDir.clear();
    EXPECT_EQ(run().message.toUtf8(), "The palette work directory is not set.\nSet the gauges "
                                      "directory first: its palette/ directory holds the "
                                      "optimizer's work files.");
}

} // namespace
} // namespace cockpix

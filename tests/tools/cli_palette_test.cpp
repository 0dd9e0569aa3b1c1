// Black-box tests of "cockpix-cli palette".

#include "gauges/core/bmpwriter.h"
#include "palette/core/colorproposal.h"

#include "tools/clirun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace cockpix {
namespace {

namespace fs = std::filesystem;
using namespace test;
using Args = std::vector<std::string>;

// Black, two colours far from any grey, and a grey: 16 x 4 pixels.
std::string fourColours() {
    IndexedImage image(16, 4, 0);
    const std::pair<std::uint32_t, int> colours[] = {
        {0x000000, 20}, {0xC81008, 30}, {0x0AC81E, 10}, {0x141414, 4}};
    std::size_t at = 0;
    for (std::uint8_t i = 0; i < 4; ++i) {
        image.palette[i] = colours[i].first;
        for (int k = 0; k < colours[i].second; ++k)
            image.pixels[at++] = i;
    }
    return bmpFileBytes(image, 4);
}

std::string greyTable() {
    std::string text;
    for (int i = 0; i < 118; ++i)
        text += std::to_string(2 * i) + " " + std::to_string(2 * i) + " " + std::to_string(2 * i) +
                "\n";
    return text;
}

std::uint32_t bigEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < 4; ++k)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + k));
    return value;
}

class CliPalette : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir / "panel");
        writeFile(dir / "panel/Main.BMP", fourColours());
        writeFile(dir / "greys.pcl", greyTable());
    }
    void TearDown() override { fs::remove_all(dir); }
    CliRun palette(Args args) {
        args.insert(args.begin(), {"palette", (dir / "panel/Main.BMP").string()});
        return runCli(dir, args);
    }

    const fs::path dir =
        fs::temp_directory_path() / ("cockpix_cli_palette_" + std::to_string(::getpid()));
};

// The work files land in the current directory, the table is the shipped one.
TEST_F(CliPalette, WritesTheWorkFilesAndPrintsTheClosingMessage) {
    const CliRun run = palette({});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, scannedMessage(2) + "\n");
    EXPECT_EQ(fileText(dir / "result_Main.txt"),
              "[8 bit colors]\r\n\r\ncolor00= 200, 16, 8\r\ncolor01= 10, 200, 30\r\n");
    EXPECT_EQ(fileText(dir / "structure_Main.txt"), " 0  20 \r\n 1  30 \r\n 2  10 \r\n 3  4 \r\n");
    EXPECT_TRUE(fs::exists(dir / "palette_Main.txt"));
}

TEST_F(CliPalette, TheOptionsChooseTheToleranceTableAndDirectory) {
    const struct {
        const char* tolerance;
        std::string result;
    } cases[] = {
        {"-1", "color00= 200, 16, 8\r\ncolor01= 10, 200, 30\r\ncolor02= 20, 20, 20\r\n"},
        {"64", "color00= 200, 16, 8\r\n"},
        {"255", ""},
    };
    for (const auto& c : cases) {
        const CliRun run = palette({"--tolerance", c.tolerance, "--table",
                                    (dir / "greys.pcl").string(), "--workdir", "work"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(fileText(dir / "work/result_Main.txt"), "[8 bit colors]\r\n\r\n" + c.result)
            << c.tolerance;
    }
    // The counts of the first run serve the others: the pixels may be gone.
    writeFile(dir / "panel/Main.BMP", fourColours().substr(0, 54));
    EXPECT_EQ(palette({"--workdir", "work"}).status, 0);
    EXPECT_FALSE(fs::exists(dir / "palette_Main.txt"));
}

TEST_F(CliPalette, ThePreviewShowsThreePicturesSideBySide) {
    const CliRun run = palette({"--preview", "preview.png"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\nPixels farther than the tolerance (5) from what FS98 shows: "),
              std::string::npos);
    const std::string png = fileText(dir / "preview.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(bigEndian32(png, 16), 3u * 16 + 2 * 8);
    EXPECT_EQ(bigEndian32(png, 20), 4u);
}

TEST_F(CliPalette, AnUnusableBitmapOrAWrongCommandLineIsRefused) {
    std::string cut = fourColours();
    cut.resize(cut.size() - 5);
    writeFile(dir / "panel/Main.BMP", cut);
    CliRun run = palette({});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "The palette optimizer cannot use '" + (dir / "panel/Main.BMP").string() +
                           "':\nIt is cut off: its pixels end before the last row.\n");
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(fs::exists(dir / "palette_Main.txt") || fs::exists(dir / "result_Main.txt"));

    const std::pair<Args, int> usage[] = {
        {{"palette"}, 64},
        {{"palette", "a.bmp", "b.bmp"}, 64},
        {{"palette", "a.bmp", "--tolerance", "five"}, 64},
        {{"palette", "a.bmp", "--tolerance"}, 64},
        {{"palette", "--help"}, 0},
    };
    for (const auto& [args, status] : usage)
        EXPECT_EQ(runCli(dir, args).status, status) << args.back();
}

} // namespace
} // namespace cockpix

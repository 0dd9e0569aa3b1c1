// Black-box tests of "cockpix-cli palette".

#include "gaugefiles/core/bmpwriter.h"
#include "palette/core/colorproposal.h"
#include "palette/core/palettebitmaps.h"

#include "base/core/scratchdir.h"
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

std::uint32_t bigEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < 4; ++k)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + k));
    return value;
}

class CliPalette : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        dir = root;
        writeFile(dir / "panel/Main.BMP", bmpFileBytes(test::fourColours(), 4));
    }
    CliRun palette(Args args) {
        args.insert(args.begin(), {"palette", (dir / "panel/Main.BMP").string()});
        return runCli(dir, args);
    }

    fs::path dir;
};

// The work files land in the current directory, the table is the shipped one.
TEST_F(CliPalette, WritesTheWorkFilesAndTheClosingMessage) {
    const CliRun run = palette({});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, scannedMessage(2) + "\n");
    EXPECT_EQ(fileText(dir / "result_Main.txt"),
              "[8 bit colors]\r\n\r\ncolor00= 200, 16, 8\r\ncolor01= 10, 200, 30\r\n");
    EXPECT_TRUE(fs::exists(dir / "palette_Main.txt") && fs::exists(dir / "structure_Main.txt"));

    // Another directory, another tolerance: a scan of its own.
    EXPECT_EQ(palette({"--tolerance", "255", "--workdir", "work"}).status, 0);
    EXPECT_EQ(fileText(dir / "work/result_Main.txt"), "[8 bit colors]\r\n\r\n");
}

// The three pictures side by side, 8 pixels apart, and the shares on stdout.
TEST_F(CliPalette, ThePreviewShowsThreePicturesSideBySide) {
    const CliRun run = palette({"--preview", "preview.png"});
    if (run.err.find("built without Qt") != std::string::npos)
        GTEST_SKIP() << "cockpix-cli was built without Qt (COCKPIX_GUI=OFF)";
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\nPixels farther than the tolerance (5) from what FS98 shows: "),
              std::string::npos);
    const std::string png = fileText(dir / "preview.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(bigEndian32(png, 16), 3u * 16 + 2 * 8);
    EXPECT_EQ(bigEndian32(png, 20), 4u);
}

TEST_F(CliPalette, AnUnusableBitmapIsRefused) {
    std::string cut = bmpFileBytes(test::fourColours(), 4);
    cut.resize(cut.size() - 5);
    writeFile(dir / "panel/Main.BMP", cut);
    CliRun run = palette({});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "The palette optimizer cannot use '" + (dir / "panel/Main.BMP").string() +
                           "':\nIt is cut off: its pixels end before the last row.\n");
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(fs::exists(dir / "palette_Main.txt") || fs::exists(dir / "result_Main.txt"));
}

// Only the preview and render draw: without its picture helper cockpix-cli still runs the
// optimizer and the other commands, and says what is missing when a picture is asked for.
TEST_F(CliPalette, RunsWithoutThePictureHelperUnlessAPictureIsWanted) {
    if (!fs::exists(COCKPIX_BIN_DIR "/cockpix-cli-pictures"))
        GTEST_SKIP() << "built without Qt: cockpix-cli draws in its own process";
    fs::create_directory(dir / "alone");
    const fs::path lonely = dir / "alone" / "cockpix-cli";
    fs::copy_file(COCKPIX_BIN_DIR "/cockpix-cli", lonely);
    const auto alone = [&](Args args) {
        args.insert(args.begin(), {"palette", (dir / "panel/Main.BMP").string(), "--table",
                                   COCKPIX_BIN_DIR "/color_mapping_table.pcl"});
        return runCli(dir, args, {}, lonely.string());
    };
    const CliRun run = alone({});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, scannedMessage(2) + "\n");
    fs::remove(dir / "result_Main.txt");

    const CliRun preview = alone({"--preview", "preview.png"});
    EXPECT_EQ(preview.status, 1);
    EXPECT_NE(preview.err.find("the picture helper cockpix-cli-pictures is missing"),
              std::string::npos)
        << preview.err;
    EXPECT_FALSE(fs::exists(dir / "result_Main.txt") || fs::exists(dir / "preview.png"));

    writeFile(dir / "p.cfg",
              "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\nfile=b.bmp\r\n");
    const CliRun render =
        runCli(dir, {"render", "p.cfg", "--window", "0", "--out", "w.png"}, {}, lonely.string());
    EXPECT_EQ(render.status, 1);
    EXPECT_NE(render.err.find("the picture helper cockpix-cli-pictures is missing"),
              std::string::npos)
        << render.err;
    EXPECT_FALSE(fs::exists(dir / "w.png"));
    const CliRun dump = runCli(dir, {"dump", "p.cfg"}, {}, lonely.string());
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find("\"Main\""), std::string::npos);
}

} // namespace
} // namespace cockpix

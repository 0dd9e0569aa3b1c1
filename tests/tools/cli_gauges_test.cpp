// Black-box tests of "cockpix-cli extract", "gauge-size" and "render".

#include "gauges/core/bmpheader.h"
#include "gauges/core/bmpwriter.h"
#include "gauges/core/gaugemodule.h"
#include "gauges/core/modulebuilder.h"

#include "tools/clirun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

using test::CliRun;
using test::fileText;
using test::runCli;
using test::writeFile;

IndexedImage solid(int width, int height, std::uint32_t rgb) {
    IndexedImage image(width, height, 7);
    image.palette[7] = rgb;
    return image;
}

// A module whose picture is a solid colour, with a size record.
std::string moduleWithPicture(const IndexedImage& picture, int size) {
    std::string module = test::fillerModule(3960);
    test::putSizeRecord(module, 2100);
    test::put16(module, 2144, static_cast<unsigned>(size));
    test::putMarker(module, 3949);
    module += bmpInfoAndPixels(picture) + std::string(300, '\x11');
    return module;
}

const std::string kDefaultGauge = bmpFileBytes(solid(8, 8, 0x808080));

// A gauges directory, its bmp/ work directory, a program directory and an aircraft panel
// directory in a fresh folder.
class CliGauges : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("cockpix_cli_gauges_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        for (const char* sub : {"gauges/bmp", "program", "panel"})
            fs::create_directories(dir / sub);
        writeFile(dir / "program/default_gauge_bitmap.bmp", kDefaultGauge);
        writeFile(dir / "program/default_background_bitmap.bmp",
                  bmpFileBytes(solid(16, 16, 0x0000FF)));
    }
    void TearDown() override {
        EXPECT_FALSE(fs::exists(dir / "config")) << "the settings file must never be written";
        fs::remove_all(dir);
    }
    std::string path(const char* relative) const { return (dir / relative).string(); }
    std::vector<std::string> dirOptions() const {
        return {"--gauges-dir",     path("gauges"),  "--bmp-dir",
                path("gauges/bmp"), "--program-dir", path("program")};
    }

    fs::path dir;
};

TEST_F(CliGauges, ExtractWritesTheModulesPictureByteForByte) {
    const std::string module = moduleWithPicture(solid(30, 20, 0x00FF00), 90);
    writeFile(dir / "gauges/Demo.Dial.GAU", module);
    const CliRun run = runCli(dir, {"extract", path("gauges/Demo.Dial.GAU"), path("out.bmp"),
                                    "--program-dir", path("program")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(fileText(dir / "out.bmp"), extractedBitmapBytes(module).value());
}

TEST_F(CliGauges, ExtractFindsABareModuleNameInTheGaugesDirectory) {
    writeFile(dir / "gauges/CESSNA_182.AIRSPEED.GAU", moduleWithPicture(solid(10, 10, 1), 90));
    std::vector<std::string> args{"extract", "cessna_182.airspeed"};
    for (const std::string& option : dirOptions())
        args.push_back(option);
    const CliRun run = runCli(dir, args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, path("gauges/bmp") + "/cessna_182.airspeed.bmp\n");
    EXPECT_EQ(readBmpFileSize(path("gauges/bmp/cessna_182.airspeed.bmp")), (BmpSize{10, 10}));
}

TEST_F(CliGauges, ExtractFallsBackOnTheDefaultPictureWithTheWarning) {
    writeFile(dir / "gauges/broken.gau", test::fillerModule(6000)); // no marker
    CliRun run = runCli(dir, {"extract", path("gauges/broken.gau"), path("out.bmp"),
                              "--program-dir", path("program")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("WARNING !\nCan not extract the bitmap of gauge # 0, named : [" +
                           path("gauges/broken.gau") + "]."),
              std::string::npos)
        << run.err;
    EXPECT_EQ(fileText(dir / "out.bmp"), kDefaultGauge);

    run = runCli(dir, {"extract", path("gauges/missing.gau"), path("out2.bmp"), "--program-dir",
                       path("program")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Can not find gauge # 0, named : ["), std::string::npos) << run.err;
    EXPECT_EQ(fileText(dir / "out2.bmp"), kDefaultGauge);
}

TEST_F(CliGauges, ExtractRejectsWrongArguments) {
    EXPECT_EQ(runCli(dir, {"extract"}).status, 64);
    EXPECT_EQ(runCli(dir, {"extract", "a.gau", "b.bmp", "c"}).status, 64);
    EXPECT_EQ(runCli(dir, {"extract", "a.gau", "--bmp-dir"}).status, 64);
    EXPECT_EQ(runCli(dir, {"extract", "a.gau", "--colour", "red"}).status, 64);
    EXPECT_EQ(runCli(dir, {"extract", "--help"}).status, 0);
}

TEST_F(CliGauges, GaugeSizePrintsTheSizeRecord) {
    writeFile(dir / "gauges/dial.gau", moduleWithPicture(solid(4, 4, 1), 250));
    CliRun run = runCli(dir, {"gauge-size", path("gauges/DIAL.GAU")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "250\n");

    writeFile(dir / "gauges/nosize.gau", test::fillerModule(5000));
    run = runCli(dir, {"gauge-size", path("gauges/nosize.gau")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("no size record"), std::string::npos);

    EXPECT_EQ(runCli(dir, {"gauge-size", path("gauges/none.gau")}).status, 2);
    EXPECT_EQ(runCli(dir, {"gauge-size"}).status, 64);
}

// The colour of pixel (x, y) of a 24- or 32-bit bitmap as 0xRRGGBB.
std::uint32_t pixelAt(const std::string& bmp, int x, int y) {
    auto le = [&](std::size_t at, int bytes) {
        std::uint32_t value = 0;
        for (int k = bytes - 1; k >= 0; --k)
            value = value << 8 | static_cast<unsigned char>(bmp.at(at + k));
        return value;
    };
    const auto offset = le(10, 4);
    const auto width = static_cast<std::int32_t>(le(18, 4));
    const auto height = static_cast<std::int32_t>(le(22, 4));
    const int bytesPerPixel = static_cast<int>(le(28, 2)) / 8;
    const std::size_t row = (static_cast<std::size_t>(width) * bytesPerPixel + 3) / 4 * 4;
    const int fileRow = height > 0 ? height - 1 - y : y;
    const std::size_t at = offset + fileRow * row + static_cast<std::size_t>(x) * bytesPerPixel;
    return le(at, 3);
}

class CliRender : public CliGauges {
protected:
    void SetUp() override {
        CliGauges::SetUp();
        if (runCli(dir, {"render", "x.cfg", "--window", "0", "--out", "x.png"})
                .err.find("built without Qt") != std::string::npos)
            GTEST_SKIP() << "cockpix-cli was built without Qt (COCKPIX_GUI=OFF)";
        writeFile(dir / "gauges/demo.dial.gau", moduleWithPicture(solid(20, 20, 0x00FF00), 40));
        writeFile(dir / "panel/Back.bmp", bmpFileBytes(solid(200, 100, 0xFF0000)));
        writeFile(dir / "panel/panel.cfg", "[Window Titles]\r\nWindow00=Main\r\n\r\n"
                                           "[Window00]\r\nfile=back.bmp\r\nsize_mm=200\r\n"
                                           "position=0\r\nvisible=1\r\nident=0\r\n"
                                           "gauge00=demo.dial, 50, 20\r\n");
    }
    CliRun render(const std::vector<std::string>& extra) {
        std::vector<std::string> args{"render", path("panel/panel.cfg")};
        for (const auto& list : {extra, dirOptions()})
            args.insert(args.end(), list.begin(), list.end());
        return runCli(dir, args);
    }
};

TEST_F(CliRender, DrawsBackgroundAndGaugesWhereThePanelWindowPutsThem) {
    const CliRun run = render({"--window", "0", "--screen", "400x300", "--out", path("w.bmp")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "") << "the size comes from the module's size record";
    const std::string picture = fileText(dir / "w.bmp");
    ASSERT_EQ(readBmpSize(picture), (BmpSize{400, 300}));
    // Background: 200 x 100 pixels drawn 198 x 85.7 at the top-left corner.
    EXPECT_EQ(pixelAt(picture, 5, 5), 0xFF0000u);
    EXPECT_EQ(pixelAt(picture, 196, 84), 0xFF0000u);
    EXPECT_EQ(pixelAt(picture, 199, 87), 0x000000u) << "outside it the frame is black";
    // Gauge: x 50 -> 49.5, y 20 -> 17.1, size 40 -> 39.6 x 34.3, with a black frame.
    EXPECT_EQ(pixelAt(picture, 70, 34), 0x00FF00u);
    EXPECT_EQ(pixelAt(picture, 51, 19), 0x00FF00u);
    EXPECT_EQ(pixelAt(picture, 50, 30), 0x000000u);
    EXPECT_EQ(pixelAt(picture, 91, 30), 0xFF0000u);
    // The extraction left its bitmap in the work directory.
    EXPECT_EQ(readBmpFileSize(path("gauges/bmp/demo.dial.bmp")), (BmpSize{20, 20}));
}

TEST_F(CliRender, WritesPngAndReplacesAMissingBackground) {
    fs::remove(dir / "panel/Back.bmp");
    const CliRun run = render({"--window", "0", "--out", path("w.png")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("WARNING !\nCan not find the background picture named : [" +
                           path("panel") +
                           "/back.bmp].\nCockPix will now create a default "
                           "background picture."),
              std::string::npos)
        << run.err;
    EXPECT_EQ(readBmpFileSize(path("panel/back.bmp")), (BmpSize{16, 16}));
    EXPECT_EQ(fileText(dir / "w.png").substr(1, 3), "PNG");
}

TEST_F(CliRender, ACutOffGaugePictureIsReplacedByTheDefault) {
    std::string module = moduleWithPicture(solid(20, 20, 0x00FF00), 40);
    module.resize(module.size() - 500); // the last pixel rows are missing
    writeFile(dir / "gauges/demo.dial.gau", module);
    const CliRun run = render({"--window", "0", "--screen", "400x300", "--out", path("w.bmp")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("WARNING !\nUnable to extract bitmap from gauge # 0, named : [" +
                           path("gauges/bmp") + "/demo.dial.bmp]."),
              std::string::npos)
        << run.err;
    EXPECT_EQ(fileText(dir / "gauges/bmp/demo.dial.bmp"), kDefaultGauge);
    EXPECT_EQ(pixelAt(fileText(dir / "w.bmp"), 70, 34), 0x808080u);
}

TEST_F(CliRender, RejectsBadWindowsAndScreens) {
    EXPECT_EQ(render({"--window", "1", "--out", path("w.png")}).status, 64);
    EXPECT_EQ(render({"--window", "x", "--out", path("w.png")}).status, 64);
    EXPECT_EQ(render({"--window", "0", "--screen", "big", "--out", path("w.png")}).status, 64);
    EXPECT_EQ(render({"--window", "0"}).status, 64);
    EXPECT_EQ(render({"--window", "0", "--out", path("nodir/w.png")}).status, 1);
    fs::remove(dir / "panel/panel.cfg");
    const CliRun missing = render({"--window", "0", "--out", path("w.png")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("Abnormal structure of 'Panel.cfg'."), std::string::npos);
}

} // namespace
} // namespace cockpix

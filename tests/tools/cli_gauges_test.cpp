// Black-box tests of "cockpix-cli extract", "gauge-size" and "render", and of --version.

#include "base/core/bmpheader.h"
#include "gaugefiles/core/bmpwriter.h"
#include "gaugefiles/core/gaugemodule.h"
#include "gaugefiles/core/modulebuilder.h"

#include "base/core/scratchdir.h"
#include "support/testfiles.h"
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

IndexedImage solid(int width, int height, std::uint32_t rgb) {
    IndexedImage image(width, height, 7);
    image.palette[7] = rgb;
    return image;
}

// A module whose picture is a 20 x 20 solid colour, with a size record.
std::string moduleWithPicture(std::uint32_t rgb, int size) {
    std::string module = fillerModule(3960);
    putSizeRecord(module, 2100);
    put16(module, 2144, static_cast<unsigned>(size));
    putMarker(module, 3949);
    return module + bmpInfoAndPixels(solid(20, 20, rgb)) + std::string(300, '\x11');
}

const std::string kDefaultGauge = bmpFileBytes(solid(8, 8, 0x808080));

// The colour of pixel (x, y) of a 24- or 32-bit bitmap as 0xRRGGBB.
std::uint32_t pixelAt(const std::string& bmp, int x, int y) {
    auto le = [&](std::size_t at, int bytes) {
        std::uint32_t value = 0;
        for (int k = bytes - 1; k >= 0; --k)
            value = value << 8 | static_cast<unsigned char>(bmp.at(at + k));
        return value;
    };
    const std::size_t width = le(18, 4), height = le(22, 4), bytesPerPixel = le(28, 2) / 8;
    const std::size_t row = (width * bytesPerPixel + 3) / 4 * 4; // bottom-up rows
    return le(le(10, 4) + (height - 1 - y) * row + x * bytesPerPixel, 3);
}

// A gauges directory with its bmp/ work directory, a program directory with both default
// pictures, and a panel of one window (a 200 x 100 red background, a green gauge).
class CliGauges : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        dir = root;
        for (const char* sub : {"gauges/bmp", "program", "panel"})
            fs::create_directories(dir / sub);
        writeFile(dir / "program/default_gauge_bitmap.bmp", kDefaultGauge);
        writeFile(dir / "program/default_background_bitmap.bmp",
                  bmpFileBytes(solid(16, 16, 0x0000FF)));
        writeFile(dir / "gauges/demo.dial.gau", moduleWithPicture(0x00FF00, 40));
        writeFile(dir / "panel/Back.bmp", bmpFileBytes(solid(200, 100, 0xFF0000)));
        writeFile(dir / "panel/panel.cfg", "[Window Titles]\r\nWindow00=Main\r\n\r\n"
                                           "[Window00]\r\nfile=back.bmp\r\nsize_mm=200\r\n"
                                           "position=0\r\nvisible=1\r\nident=0\r\n"
                                           "gauge00=demo.dial, 50, 20\r\n");
    }
    void TearDown() override {
        EXPECT_FALSE(fs::exists(dir / "config")) << "the settings file must never be written";
        ScratchDirTest::TearDown();
    }
    std::string path(const char* relative) const { return (dir / relative).string(); }
    // Runs the command with the three directories, or with the program directory only.
    CliRun run(Args args, bool allDirs = true) {
        const Args dirs{"--gauges-dir",     path("gauges"),  "--bmp-dir",
                        path("gauges/bmp"), "--program-dir", path("program")};
        args.insert(args.end(), dirs.begin() + (allDirs ? 0 : 4), dirs.end());
        return runCli(dir, args);
    }
    CliRun render(Args args) {
        args.insert(args.begin(), {"render", path("panel/panel.cfg"), "--window", "0"});
        return run(args);
    }
    bool withoutQt() {
        return render({"--out", "x.png"}).err.find("built without Qt") != std::string::npos;
    }

    fs::path dir;
};

TEST_F(CliGauges, ExtractWritesThePictureOrTheDefaultWithTheWarning) {
    CliRun result = run({"extract", "DEMO.DIAL"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, path("gauges/bmp") + "/demo.dial.bmp\n");
    EXPECT_EQ(fileText(dir / "gauges/bmp/demo.dial.bmp"),
              extractedBitmapBytes(moduleWithPicture(0x00FF00, 40)).value());

    writeFile(dir / "gauges/broken.gau", fillerModule(6000)); // no marker
    result = run({"extract", path("gauges/broken.gau"), path("out.bmp")}, false);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("WARNING !\nCan not extract the bitmap of gauge # 0, named : [" +
                              path("gauges/broken.gau") + "]."),
              std::string::npos)
        << result.err;
    EXPECT_EQ(fileText(dir / "out.bmp"), kDefaultGauge);
}

TEST_F(CliGauges, GaugeSizePrintsTheSizeRecord) {
    CliRun result = runCli(dir, {"gauge-size", path("gauges/DEMO.DIAL.GAU")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "40\n");
    result = runCli(dir, {"gauge-size", path("panel/panel.cfg")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("no size record"), std::string::npos);
}

TEST_F(CliGauges, RenderDrawsBackgroundAndGaugesWhereThePanelWindowPutsThem) {
    if (withoutQt())
        GTEST_SKIP() << "cockpix-cli was built without Qt (COCKPIX_GUI=OFF)";
    const CliRun result = render({"--screen", "400x300", "--out", path("w.bmp")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "") << "the size comes from the module's size record";
    const std::string picture = fileText(dir / "w.bmp");
    ASSERT_EQ(readBmpSize(picture), (BmpSize{400, 300}));
    // Background 200 x 100 drawn 198 x 85.7 at the top left, the frame black around it;
    // gauge x 50 -> 49.5, y 20 -> 17.1, size 40 -> 39.6 x 34.3, with a black frame.
    const std::tuple<int, int, std::uint32_t> pixels[] = {
        {5, 5, 0xFF0000},   {196, 84, 0xFF0000}, {199, 87, 0},      {70, 34, 0x00FF00},
        {51, 19, 0x00FF00}, {50, 30, 0},         {91, 30, 0xFF0000}};
    for (const auto& [x, y, rgb] : pixels)
        EXPECT_EQ(pixelAt(picture, x, y), rgb) << x << ", " << y;
    EXPECT_EQ(readBmpFileSize(path("gauges/bmp/demo.dial.bmp")), (BmpSize{20, 20}));

    // A cut-off gauge picture is replaced by the default.
    std::string module = moduleWithPicture(0x00FF00, 40);
    writeFile(dir / "gauges/demo.dial.gau", module.substr(0, module.size() - 500));
    fs::remove(dir / "gauges/bmp/demo.dial.bmp");
    const CliRun cut = render({"--screen", "400x300", "--out", path("w.bmp")});
    EXPECT_NE(cut.err.find("Unable to extract bitmap from gauge # 0"), std::string::npos)
        << cut.err;
    EXPECT_EQ(pixelAt(fileText(dir / "w.bmp"), 70, 34), 0x808080u);
}

TEST_F(CliGauges, RenderWritesPngAndReplacesAMissingBackground) {
    if (withoutQt())
        GTEST_SKIP() << "cockpix-cli was built without Qt (COCKPIX_GUI=OFF)";
    fs::remove(dir / "panel/Back.bmp");
    const CliRun result = render({"--out", path("w.png")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("Can not find the background picture named : [" + path("panel") +
                              "/back.bmp]."),
              std::string::npos)
        << result.err;
    EXPECT_EQ(readBmpFileSize(path("panel/back.bmp")), (BmpSize{16, 16}));
    EXPECT_EQ(fileText(dir / "w.png").substr(1, 3), "PNG");
}

// The picture's name says its format; a name that names none is refused before any work.
TEST_F(CliGauges, RenderWritesTheFormatItsNameSays) {
    if (withoutQt())
        GTEST_SKIP() << "cockpix-cli was built without Qt (COCKPIX_GUI=OFF)";
    for (const auto& [name, magic] :
         {std::pair{"w.png", std::string("\x89PNG")}, {"w.bmp", "BM"}, {"w.JPG", "\xFF\xD8\xFF"}}) {
        SCOPED_TRACE(name);
        const CliRun result = render({"--screen", "400x300", "--out", path(name)});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(fileText(dir / name).substr(0, magic.size()), magic);
    }
    fs::remove(dir / "gauges/bmp/demo.dial.bmp");
    EXPECT_EQ(render({"--out", path("w.gif")}).status, 64);
    EXPECT_FALSE(fs::exists(dir / "w.gif"));
    EXPECT_FALSE(fs::exists(dir / "gauges/bmp/demo.dial.bmp")); // nothing was done

    // A panel of FS2000 and later is drawn by its own layout: [Window05] by its fractions of
    // the screen, a gauge found nowhere as its outline, said on stderr; a section it lacks
    // is refused. Only the picture is written.
    fs::create_directories(dir / "later");
    fs::copy_file(fs::path(COCKPIX_FIXTURES_DIR) / "fs2k/mixed_sections.cfg",
                  dir / "later/panel.cfg");
    const auto renderFs2k = [&](const char* window, const char* out) {
        return cockpix::test::runCli(dir, {"render", path("later/panel.cfg"), "--window", window,
                                           "--screen", "1000x800", "--out", path(out)});
    };
    const CliRun later = renderFs2k("5", "later.png");
    EXPECT_EQ(later.status, 0) << later.err;
    EXPECT_NE(later.err.find("Overhead!Fuel Pump: "), std::string::npos) << later.err;
    EXPECT_EQ(later.err.find("QStandardPaths"), std::string::npos) << later.err;
    const std::string png = fileText(dir / "later.png");
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x03\xE8\0\0\x03\x20", 8)); // 1000 x 800
    EXPECT_EQ(renderFs2k("vcockpit01", "vc.png").status, 0);
    EXPECT_EQ(renderFs2k("4", "none.png").status, 64);
    EXPECT_EQ(cockpix::test::filesIn(dir / "later").size(), 1u); // its panel.cfg alone
    EXPECT_FALSE(fs::exists(dir / "none.png"));
}

// One picture per FS98 screen, each laid out for its screen: the background at position 0
// keeps its corner and its size follows the frame ratios of that screen.
TEST_F(CliGauges, RenderScreensAllWritesOnePicturePerScreen) {
    if (withoutQt())
        GTEST_SKIP() << "cockpix-cli was built without Qt (COCKPIX_GUI=OFF)";
    const CliRun result = render({"--screens", "all", "--out", path("shots/w.bmp")});
    EXPECT_EQ(result.status, 1); // the folder is not made
    fs::create_directories(dir / "shots");
    const CliRun all = render({"--screens", "all", "--out", path("shots/w.bmp")});
    ASSERT_EQ(all.status, 0) << all.err;
    std::string listed;
    for (const auto& [width, height] :
         {std::pair{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}}) {
        const std::string name =
            "shots/w-" + std::to_string(width) + "x" + std::to_string(height) + ".bmp";
        listed += path(name.c_str()) + "\n";
        ASSERT_EQ(readBmpFileSize(path(name.c_str())), (BmpSize{width, height})) << name;
        const std::string bmp = fileText(dir / name);
        EXPECT_EQ(pixelAt(bmp, 0, 0), 0xFF0000u) << name; // the background
        // The black frame beyond it: laid out by this screen's frame ratios.
        EXPECT_EQ(pixelAt(bmp, static_cast<int>(200.0 * (width - 4) / width) + 2, 60), 0u) << name;
    }
    EXPECT_EQ(all.out, listed);
    // The gauge was cut out once and its warning-free load served every screen.
    EXPECT_EQ(all.err, "");

    const CliRun two = render({"--screens", "800x600,640x480", "--out", path("two.png")});
    ASSERT_EQ(two.status, 0) << two.err;
    EXPECT_EQ(two.out, path("two-800x600.png") + "\n" + path("two-640x480.png") + "\n");
    EXPECT_FALSE(fs::exists(dir / "two.png"));
}

TEST_F(CliGauges, ExtractRefusesAFolderThatDoesNotExist) {
    const CliRun result = run({"extract", path("gauges/demo.dial.gau"), path("new/sub/d.bmp")});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("the folder [" + path("new/sub") + "] does not exist"),
              std::string::npos)
        << result.err;
    EXPECT_FALSE(fs::exists(dir / "new"));
    // The default place, the bitmap work directory, is refused the same way when it is gone.
    fs::remove_all(dir / "gauges/bmp");
    EXPECT_EQ(run({"extract", path("gauges/demo.dial.gau")}).status, 1);
    EXPECT_FALSE(fs::exists(dir / "gauges/bmp"));
}

// A window the panel does not have is refused with 64; an unwritable output fails with 1,
// an unreadable module or panel with 2.
TEST_F(CliGauges, ExitStatusOfFilesThatCannotBeUsed) {
    const std::string panel = path("panel/panel.cfg");
    const std::pair<Args, int> cases[] = {
        {{"render", panel, "--window", "1", "--out", "w.png"}, 64},
        {{"gauge-size", path("gauges/none.gau")}, 2},
        {{"render", panel, "--window", "0", "--out", path("nodir/w.png")}, 1},
        {{"render", path("panel/none.cfg"), "--window", "0", "--out", "w.png"}, 2},
    };
    const bool skipRender = withoutQt();
    for (const auto& [args, status] : cases) {
        if (skipRender && args[0] == "render")
            continue;
        EXPECT_EQ(runCli(dir, args).status, status) << args.size() << " " << args.back();
    }
}

} // namespace
} // namespace cockpix

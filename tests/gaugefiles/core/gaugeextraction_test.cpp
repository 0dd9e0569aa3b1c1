#include "gaugefiles/core/gaugeextraction.h"

#include "base/core/filelookup.h"
#include "base/core/scratchdir.h"
#include "gaugefiles/core/gaugemodule.h"
#include "gaugefiles/core/modulebuilder.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace cockpix {
namespace {

namespace fs = std::filesystem;
using Source = GaugeBitmapSource;
using Texts = std::vector<std::string>;

const std::string kDefaultGauge = "default gauge picture bytes";
const std::string kDefaultBackground = "default background picture bytes";
const std::string kDefaultCopy = "CockPix will now create a default gauge bitmap.\n";
const std::string kNotShown = "This gauge will not be shown in FS98.";

// A gauges directory with its bmp/ work directory, a program directory with both default
// pictures, and a panel directory in a fresh folder; gauge 3 of window 0 is the airspeed.
class GaugeExtraction : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        bitmap = root / "gauges/bmp/cessna_182.airspeed.bmp";
        module = (root / "gauges/cessna_182.airspeed.gau").string();
        for (const char* dir : {"gauges/bmp", "program", "panel"})
            fs::create_directories(root / dir);
        write(root / "program" / kDefaultGaugeBitmapName, kDefaultGauge);
        write(root / "program" / kDefaultBackgroundBitmapName, kDefaultBackground);
        dirs.gaugesDir = (root / "gauges/").string();
        dirs.bmpDir = (root / "gauges/bmp/").string();
        dirs.programDir = (root / "program/").string();
        dirs.panelDir = (root / "panel/").string();
        model.windowCount = 1;
        model.window(0).gaugeCount = 4;
        model.gauge(0, 3).gaugeName = "cessna_182.airspeed";
    }
    static void write(const fs::path& path, std::string_view bytes) {
        test::writeFile(path, bytes);
    }
    static std::string content(const fs::path& path) {
        return readWholeFile(path.string()).value_or("<none>");
    }
    // "WARNING !\n<what> gauge # 3, named : [<path>].\n<then>"
    static std::string warning(const std::string& what, const std::string& path,
                               const std::string& then) {
        return "WARNING !\n" + what + " gauge # 3, named : [" + path + "].\n" + then;
    }
    static Texts texts(const std::vector<UserText>& warnings) {
        Texts bytes;
        for (const UserText& warning : warnings)
            bytes.push_back(warning.bytes());
        return bytes;
    }
    void expectBitmap(const GaugeBitmapResult& result, Source source, const Texts& warnings,
                      const std::string& bytes) {
        EXPECT_EQ(result.source, source);
        EXPECT_EQ(texts(result.warnings), warnings);
        EXPECT_EQ(content(bitmap), bytes);
    }

    fs::path bitmap;
    std::string module;
    const std::string extracted = extractedBitmapBytes(test::typicalModule()).value();
    fs98::Panel model;
    Directories dirs;
    std::string installedDir;
    Options options;
    fs98::PanelDisplay display;
};

// A bitmap of 10 bytes or fewer is made again, a longer one kept unless the option says
// otherwise; an old file longer than the new one is cut to its length.
TEST_F(GaugeExtraction, ExtractsOrReusesTheBitmap) {
    write(root / "gauges/CESSNA_182.AIRSPEED.GAU", test::typicalModule());
    const GaugeBitmapResult result = extractGaugeBitmap(model, dirs, installedDir, options, 0, 3);
    expectBitmap(result, Source::Extracted, {}, extracted);
    EXPECT_EQ(result.bitmapPath, bitmap.string());

    write(bitmap, std::string(10, 'x'));
    expectBitmap(extractGaugeBitmap(model, dirs, installedDir, options, 0, 3), Source::Extracted,
                 {}, extracted);
    write(bitmap, std::string(11, 'x'));
    expectBitmap(extractGaugeBitmap(model, dirs, installedDir, options, 0, 3), Source::Reused, {},
                 std::string(11, 'x'));
    options.alwaysRecomputeBitmaps = true;
    expectBitmap(extractGaugeBitmap(model, dirs, installedDir, options, 0, 3), Source::Extracted,
                 {}, extracted);
    write(bitmap, std::string(20000, 'x'));
    expectBitmap(extractGaugeBitmap(model, dirs, installedDir, options, 0, 3), Source::Extracted,
                 {}, extracted);
}

TEST_F(GaugeExtraction, BitmapsStayInTheWorkDirectory) {
    model.gauge(0, 3).gaugeName = "..\\../panel/x";
    EXPECT_EQ(extractGaugeBitmap(model, dirs, installedDir, options, 0, 3).bitmapPath,
              dirs.bmpDir + ".._.._panel_x.bmp");
    EXPECT_EQ(content(root / "gauges/bmp/.._.._panel_x.bmp"), kDefaultGauge);
    EXPECT_FALSE(fs::exists(root / "panel/x.bmp"));
}

// Without the module the default picture is copied, and on the next run that copy is the
// spare bitmap; a module without a picture gets the default too.
TEST_F(GaugeExtraction, FallbackPicturesAndTheirWarnings) {
    expectBitmap(extractGaugeBitmap(model, dirs, installedDir, options, 0, 3), Source::DefaultCopy,
                 {warning("Can not find", module, kDefaultCopy + kNotShown)}, kDefaultGauge);
    write(bitmap, "an earlier extraction");
    expectBitmap(
        extractGaugeBitmap(model, dirs, installedDir, options, 0, 3), Source::SpareBitmap,
        {warning("Can not find", module,
                 "CockPix detected a spare-bitmap for that gauge and will use it.\n" + kNotShown)},
        "an earlier extraction");

    std::string noPicture = test::fillerModule(9000);
    test::putMarker(noPicture, 3000); // only before the search start
    test::putInfoHeader(noPicture, 3010, 10, 10, 0);
    write(module, noPicture);
    write(bitmap, "short");
    expectBitmap(extractGaugeBitmap(model, dirs, installedDir, options, 0, 3), Source::DefaultCopy,
                 {warning("Can not extract the bitmap of", module, kDefaultCopy + kNotShown)},
                 kDefaultGauge);
}

TEST_F(GaugeExtraction, RepairCopiesTheDefaultAndReportsAMissingOne) {
    write(bitmap, "BM but broken");
    expectBitmap(repairGaugeBitmap(model, dirs, installedDir, 0, 3), Source::DefaultCopy,
                 {warning("Unable to extract bitmap from", bitmap.string(),
                          kDefaultCopy + "This gauge will work normally in FS98 unless the file "
                                         "is damaged.")},
                 kDefaultGauge);

    fs::remove(root / "program" / kDefaultGaugeBitmapName);
    fs::remove(bitmap);
    const GaugeBitmapResult result = extractGaugeBitmap(model, dirs, installedDir, options, 0, 3);
    EXPECT_EQ(result.source, Source::None);
    EXPECT_TRUE(result.bitmapPath.empty());
    ASSERT_EQ(result.warnings.size(), 2u);
    EXPECT_EQ(result.warnings[1].bytes(), "WARNING !\nCan not find the default picture named : [" +
                                              dirs.programDir + kDefaultGaugeBitmapName + "].");
    EXPECT_FALSE(fs::exists(bitmap)) << "no empty file left behind";
}

// While the COCKPIX directory is unset or lacks them, the shipped pictures beside the running
// program stand in; a message names the full path it tried.
TEST_F(GaugeExtraction, ShippedPicturesAreFoundBesideTheProgram) {
    installedDir = (root / "program/").string();
    for (const std::string& programDir : {std::string(), (root / "elsewhere/").string()}) {
        dirs.programDir = programDir;
        fs::remove(bitmap);
        expectBitmap(extractGaugeBitmap(model, dirs, installedDir, options, 0, 3),
                     Source::DefaultCopy,
                     {warning("Can not find", module, kDefaultCopy + kNotShown)}, kDefaultGauge);
    }
    installedDir = (root / "nowhere/").string();
    dirs.programDir.clear();
    fs::remove(bitmap);
    const Texts warnings =
        texts(extractGaugeBitmap(model, dirs, installedDir, options, 0, 3).warnings);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[1].find("[" + installedDir + kDefaultGaugeBitmapName + "]"),
              std::string::npos);
}

TEST_F(GaugeExtraction, SizeFromTheModuleOrATenthOfTheBackground) {
    display.window(0).windowPixelWidth = 645;
    const fs::path named = root / "gauges/Cessna_182.Airspeed.gau";
    const std::string then = "A default size of 64.5 will be given to it.";
    write(named, test::typicalModule());
    const GaugeSizeResult result = findGaugeSize(model, dirs, display, 0, 3);
    EXPECT_TRUE(result.found && result.warnings.empty());
    EXPECT_EQ(result.size, 250);

    write(named, test::fillerModule(5000));
    const GaugeSizeResult missing = findGaugeSize(model, dirs, display, 0, 3);
    EXPECT_EQ(texts(missing.warnings), Texts{warning("Unable to find the size of", module, then)});
    EXPECT_EQ(missing.size, 64.5);
    fs::remove(named);
    EXPECT_EQ(texts(findGaugeSize(model, dirs, display, 0, 3).warnings),
              Texts{warning("Unable to find size of", module, then)});
}

TEST_F(GaugeExtraction, MissingBackgroundIsReplacedUnderItsOwnName) {
    model.window(0).windowBitmap = "Panel_Main";
    const BackgroundRepair repair = restoreDefaultBackground(model, dirs, installedDir, 0);
    EXPECT_EQ(texts(repair.warnings),
              Texts{"WARNING !\nCan not find the background picture named : [" + dirs.panelDir +
                    "Panel_Main.bmp].\nCockPix will now create a default background picture."});
    EXPECT_TRUE(repair.written);
    EXPECT_EQ(content(root / "panel/Panel_Main.bmp"), kDefaultBackground);

    // A file that is there, under any case, is the user's: it is never overwritten, and the
    // default is shown from where it is shipped.
    model.window(0).windowBitmap = "radio";
    write(root / "panel/RADIO.BMP", "broken");
    const BackgroundRepair unreadable = restoreDefaultBackground(model, dirs, installedDir, 0);
    EXPECT_FALSE(unreadable.written);
    EXPECT_EQ(unreadable.backgroundPath, dirs.programDir + kDefaultBackgroundBitmapName);
    EXPECT_EQ(texts(unreadable.warnings),
              Texts{"WARNING !\nCan not read the background picture named : [" + dirs.panelDir +
                    "radio.bmp].\nCockPix shows a default background picture in its place; "
                    "the file is left as it is."});
    EXPECT_EQ(content(root / "panel/RADIO.BMP"), "broken");

    // Odd names show the default without writing it anywhere.
    for (const char* name : {"", "../escape"}) {
        model.window(0).windowBitmap = name;
        EXPECT_FALSE(restoreDefaultBackground(model, dirs, installedDir, 0).written) << name;
    }
    EXPECT_FALSE(fs::exists(root / "panel/.bmp") || fs::exists(root / "escape.bmp"));
}

TEST(ProgressCaptions, NumbersCarryALeadingBlank) {
    EXPECT_EQ(extractionProgressCaption(3, 10), "Please wait, processing gauge #  3 /  9");
    EXPECT_EQ(sizeSearchProgressCaption(3, 10), "Please wait, seeking size of gauge # 3 /  9");
    EXPECT_EQ(drawingProgressCaption(0, 1), "Please wait, drawing gauge # 0 /  0");
    EXPECT_EQ(progressPercent(0, 3) * 1000 + progressPercent(2, 3), 33100);
    EXPECT_EQ(progressPercent(0, 0), 0);
}

} // namespace
} // namespace cockpix

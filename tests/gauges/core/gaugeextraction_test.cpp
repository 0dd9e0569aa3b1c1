#include "gauges/core/gaugeextraction.h"

#include "app/core/filelookup.h"
#include "gauges/core/gaugemodule.h"
#include "gauges/core/modulebuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string contentOf(const fs::path& path) {
    return readWholeFile(path.string()).value_or("<none>");
}

const std::string kDefaultGauge = "default gauge picture bytes";
const std::string kDefaultBackground = "default background picture bytes";

// A gauges directory with its bmp/ work directory, a program directory with both
// default pictures, and a panel directory, in a fresh temporary folder.
class GaugeExtraction : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("cockpix_extract_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        for (const char* dir : {"gauges/bmp", "program", "panel"})
            fs::create_directories(root / dir);
        writeFile(root / "program" / kDefaultGaugeBitmapName, kDefaultGauge);
        writeFile(root / "program" / kDefaultBackgroundBitmapName, kDefaultBackground);
        model.clearModel();
        model.dirs.gaugesDir = (root / "gauges").string() + "/";
        model.dirs.bmpDir = (root / "gauges/bmp").string() + "/";
        model.dirs.programDir = (root / "program").string() + "/";
        model.dirs.panelDir = (root / "panel").string() + "/";
        model.windowCount = 1;
        model.window(0).gaugeCount = 4;
        model.gauge(0, 3).gaugeName = "cessna_182.airspeed";
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path bitmap() const { return root / "gauges/bmp/cessna_182.airspeed.bmp"; }
    std::string modulePath() const { return model.dirs.gaugesDir + "cessna_182.airspeed.gau"; }

    fs::path root;
    PanelModel model;
};

TEST_F(GaugeExtraction, FindsTheModuleWhateverTheCaseOfItsName) {
    const std::string module = test::typicalModule();
    writeFile(root / "gauges/CESSNA_182.AIRSPEED.GAU", module);
    const GaugeBitmapResult result = extractGaugeBitmap(model, 0, 3);
    EXPECT_EQ(result.source, GaugeBitmapSource::Extracted);
    EXPECT_TRUE(result.ownPicture());
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(result.bitmapPath, bitmap().string());
    EXPECT_EQ(contentOf(bitmap()), extractedBitmapBytes(module).value());
}

TEST_F(GaugeExtraction, BitmapsStayInTheWorkDirectory) {
    model.gauge(0, 3).gaugeName = "..\\../panel/x";
    const GaugeBitmapResult result = extractGaugeBitmap(model, 0, 3);
    EXPECT_EQ(result.bitmapPath, model.dirs.bmpDir + ".._.._panel_x.bmp");
    EXPECT_EQ(contentOf(root / "gauges/bmp/.._.._panel_x.bmp"), kDefaultGauge);
    EXPECT_FALSE(fs::exists(root / "panel/x.bmp"));
}

TEST_F(GaugeExtraction, ReusesBitmapsOfMoreThanTenBytes) {
    writeFile(root / "gauges/cessna_182.airspeed.gau", test::typicalModule());

    writeFile(bitmap(), std::string(10, 'x'));
    EXPECT_EQ(extractGaugeBitmap(model, 0, 3).source, GaugeBitmapSource::Extracted);
    EXPECT_EQ(fs::file_size(bitmap()), 6536u);

    writeFile(bitmap(), std::string(11, 'x'));
    EXPECT_EQ(extractGaugeBitmap(model, 0, 3).source, GaugeBitmapSource::Reused);
    EXPECT_EQ(contentOf(bitmap()), std::string(11, 'x'));

    model.options.alwaysRecomputeBitmaps = true;
    EXPECT_EQ(extractGaugeBitmap(model, 0, 3).source, GaugeBitmapSource::Extracted);
    EXPECT_EQ(fs::file_size(bitmap()), 6536u);

    // A longer old file is rewritten in place and cut to the new length.
    writeFile(bitmap(), std::string(20000, 'x'));
    EXPECT_EQ(extractGaugeBitmap(model, 0, 3).source, GaugeBitmapSource::Extracted);
    EXPECT_EQ(contentOf(bitmap()), extractedBitmapBytes(test::typicalModule()).value());
}

TEST_F(GaugeExtraction, MissingModuleGetsTheDefaultPicture) {
    const GaugeBitmapResult result = extractGaugeBitmap(model, 0, 3);
    EXPECT_EQ(result.source, GaugeBitmapSource::DefaultCopy);
    EXPECT_FALSE(result.ownPicture());
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0], "WARNING !\nCan not find gauge # 3, named : [" + modulePath() +
                                      "].\nCockPix will now create a default gauge bitmap.\n"
                                      "This gauge will not be shown in FS98.");
    EXPECT_EQ(contentOf(bitmap()), kDefaultGauge);
}

TEST_F(GaugeExtraction, MissingModuleKeepsASpareBitmap) {
    writeFile(bitmap(), "an earlier extraction");
    const GaugeBitmapResult result = extractGaugeBitmap(model, 0, 3);
    EXPECT_EQ(result.source, GaugeBitmapSource::SpareBitmap);
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0],
              "WARNING !\nCan not find gauge # 3, named : [" + modulePath() +
                  "].\nCockPix detected a spare-bitmap for that gauge and will use it.\n"
                  "This gauge will not be shown in FS98.");
    EXPECT_EQ(contentOf(bitmap()), "an earlier extraction");
}

TEST_F(GaugeExtraction, ModuleWithoutPictureGetsTheDefault) {
    std::string module = test::fillerModule(9000);
    test::putMarker(module, 3000); // only before the search start
    test::putInfoHeader(module, 3010, 10, 10, 0);
    writeFile(root / "gauges/cessna_182.airspeed.gau", module);
    writeFile(bitmap(), "short");
    const GaugeBitmapResult result = extractGaugeBitmap(model, 0, 3);
    EXPECT_EQ(result.source, GaugeBitmapSource::DefaultCopy);
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0], "WARNING !\nCan not extract the bitmap of gauge # 3, named : [" +
                                      modulePath() +
                                      "].\nCockPix will now create a default gauge bitmap.\n"
                                      "This gauge will not be shown in FS98.");
    EXPECT_EQ(contentOf(bitmap()), kDefaultGauge);
}

TEST_F(GaugeExtraction, MissingDefaultPictureIsReportedNotHidden) {
    fs::remove(root / "program" / kDefaultGaugeBitmapName);
    const GaugeBitmapResult result = extractGaugeBitmap(model, 0, 3);
    EXPECT_EQ(result.source, GaugeBitmapSource::None);
    EXPECT_TRUE(result.bitmapPath.empty());
    ASSERT_EQ(result.warnings.size(), 2u);
    EXPECT_NE(result.warnings[1].find(kDefaultGaugeBitmapName), std::string::npos);
    EXPECT_FALSE(fs::exists(bitmap())) << "no empty file left behind";
}

TEST_F(GaugeExtraction, RepairCopiesTheDefaultOverABrokenBitmap) {
    writeFile(bitmap(), "BM but broken");
    const GaugeBitmapResult result = repairGaugeBitmap(model, 0, 3);
    EXPECT_EQ(result.source, GaugeBitmapSource::DefaultCopy);
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0], "WARNING !\nUnable to extract bitmap from gauge # 3, named : [" +
                                      bitmap().string() +
                                      "].\nCockPix will now create a default gauge bitmap.\n"
                                      "This gauge will work normally in FS98 unless the file is "
                                      "damaged.");
    EXPECT_EQ(contentOf(bitmap()), kDefaultGauge);
}

TEST_F(GaugeExtraction, SizeFromTheModuleOrATenthOfTheBackground) {
    model.window(0).windowPixelWidth = 645;
    writeFile(root / "gauges/Cessna_182.Airspeed.gau", test::typicalModule());
    GaugeSizeResult result = findGaugeSize(model, 0, 3);
    EXPECT_TRUE(result.found);
    EXPECT_EQ(model.gauge(0, 3).gaugeSize, 250);
    EXPECT_TRUE(result.warnings.empty());

    writeFile(root / "gauges/Cessna_182.Airspeed.gau", test::fillerModule(5000));
    result = findGaugeSize(model, 0, 3);
    EXPECT_FALSE(result.found);
    EXPECT_EQ(model.gauge(0, 3).gaugeSize, 64.5);
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0], "WARNING !\nUnable to find the size of gauge # 3, named : [" +
                                      modulePath() +
                                      "].\nA default size of 64.5 will be given to it.");

    fs::remove(root / "gauges/Cessna_182.Airspeed.gau");
    result = findGaugeSize(model, 0, 3);
    EXPECT_EQ(model.gauge(0, 3).gaugeSize, 64.5);
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0], "WARNING !\nUnable to find size of gauge # 3, named : [" +
                                      modulePath() +
                                      "].\nA default size of 64.5 will be given to it.");
}

TEST_F(GaugeExtraction, MissingBackgroundIsReplacedUnderItsOwnName) {
    model.window(0).windowBitmap = "Panel_Main";
    const BackgroundRepair repair = restoreDefaultBackground(model, 0);
    ASSERT_EQ(repair.warnings.size(), 1u);
    EXPECT_EQ(repair.warnings[0], "WARNING !\nCan not find the background picture named : [" +
                                      model.dirs.panelDir +
                                      "Panel_Main.bmp].\nCockPix will now create a default "
                                      "background picture.");
    EXPECT_TRUE(repair.written);
    EXPECT_EQ(contentOf(root / "panel/Panel_Main.bmp"), kDefaultBackground);

    // A broken file under another case is the one panel.cfg means: it is replaced.
    model.window(0).windowBitmap = "radio";
    writeFile(root / "panel/RADIO.BMP", "broken");
    EXPECT_EQ(restoreDefaultBackground(model, 0).backgroundPath,
              (root / "panel/RADIO.BMP").string());
    EXPECT_EQ(contentOf(root / "panel/RADIO.BMP"), kDefaultBackground);
}

TEST_F(GaugeExtraction, OddBackgroundNamesShowTheDefaultWithoutWritingIt) {
    const BackgroundRepair repair = restoreDefaultBackground(model, 0);
    EXPECT_FALSE(repair.written);
    EXPECT_EQ(repair.backgroundPath, model.dirs.programDir + kDefaultBackgroundBitmapName);
    EXPECT_FALSE(fs::exists(root / "panel/.bmp"));

    model.window(0).windowBitmap = "../escape";
    EXPECT_FALSE(restoreDefaultBackground(model, 0).written);
    EXPECT_FALSE(fs::exists(root / "escape.bmp"));
}

TEST(ProgressCaptions, NumbersCarryALeadingBlank) {
    EXPECT_EQ(extractionProgressCaption(3, 10), "Please wait, processing gauge #  3 /  9");
    EXPECT_EQ(sizeSearchProgressCaption(3, 10), "Please wait, seeking size of gauge # 3 /  9");
    EXPECT_EQ(drawingProgressCaption(0, 1), "Please wait, drawing gauge # 0 /  0");
    EXPECT_EQ(progressPercent(0, 3), 33);
    EXPECT_EQ(progressPercent(2, 3), 100);
    EXPECT_EQ(progressPercent(0, 0), 0);
}

} // namespace
} // namespace cockpix

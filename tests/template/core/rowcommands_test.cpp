#include "template/core/rowcommands.h"

#include "gauges/core/bmpwriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

// A panel directory and a gauges directory in a fresh temporary folder.
class RowCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("cockpix_rowcommands_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        fs::create_directories(root / "panel");
        fs::create_directories(root / "gauges");
        model.dirs.panelDir = (root / "panel").string() + "/";
        model.dirs.gaugesDir = (root / "gauges").string() + "/";
        model.windowCount = 1;
        model.window(0).windowBitmap = "Panel_Main";
        model.window(0).windowSizeMm = 123;
        model.window(0).windowSizeRatio = 0.75;
        model.window(0).windowZoom = 3;
    }
    void TearDown() override { fs::remove_all(root); }

    void writeFile(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    void writeBitmap(const std::string& fileName, int width, int height = 4) {
        writeFile(root / "panel" / fileName, bmpFileBytes(IndexedImage(width, height)));
    }

    fs::path root;
    PanelModel model;
};

TEST_F(RowCommandsTest, ViewNeedsTheProbeModuleWhateverItsCaseThenABitmapName) {
    EXPECT_EQ(checkViewWindow(model, 0), ViewCheck::WrongGaugesDir);
    writeFile(root / "gauges" / "cessna_182.Airspeed.gau", "x");
    EXPECT_EQ(checkViewWindow(model, 0), ViewCheck::Ready);

    model.window(0).windowBitmap = "   ";
    EXPECT_EQ(checkViewWindow(model, 0), ViewCheck::EmptyWindow);
    EXPECT_EQ(checkViewWindow(model, 9), ViewCheck::EmptyWindow);

    model.dirs.gaugesDir.clear(); // never set: the probe must not look in the current dir
    writeFile(fs::current_path() / "CESSNA_182.AIRSPEED.GAU", "x");
    EXPECT_EQ(checkViewWindow(model, 0), ViewCheck::WrongGaugesDir);
    fs::remove(fs::current_path() / "CESSNA_182.AIRSPEED.GAU");

    EXPECT_EQ(wrongGaugesDirMessage(), "Your current gauges directory seems to be wrong.\n"
                                       "Please set the gauges directory path before continuing.");
}

TEST_F(RowCommandsTest, AutoSizeStoresTheBitmapWidthFoundWhateverItsCase) {
    writeBitmap("PANEL_MAIN.BMP", 640);
    const AutoOutcome outcome = autoSizeFromBitmap(model, 0);
    EXPECT_EQ(outcome.message, "");
    EXPECT_EQ(outcome.boxText, "640");
    EXPECT_EQ(model.window(0).windowSizeMm, 640);
}

TEST_F(RowCommandsTest, AutoSizeOfANinePixelPlaceholderClearsTheSizeButNotTheBox) {
    writeBitmap("panel_main.bmp", 9);
    const AutoOutcome outcome = autoSizeFromBitmap(model, 0);
    EXPECT_EQ(outcome.boxText, std::nullopt);
    EXPECT_EQ(model.window(0).windowSizeMm, 0);

    EXPECT_EQ(applyAutoSize(model, 0, 10).boxText, "10");
    EXPECT_EQ(applyAutoSize(model, 0, 8).boxText, "8");
}

TEST_F(RowCommandsTest, MissingOrBrokenBitmapsChangeNothingAndSaySo) {
    AutoOutcome outcome = autoSizeFromBitmap(model, 0);
    EXPECT_EQ(outcome.message, "Can't find 'Panel_Main.bmp' in " + model.dirs.panelDir +
                                   "\nPlease move it to this directory, or change panel "
                                   "directory before continuing.");
    EXPECT_EQ(outcome.boxText, std::nullopt);
    outcome = autoRatioFromBitmap(model, 0, "Panel_Main", 1024);
    EXPECT_EQ(outcome.message, cantFindBitmapMessage("Panel_Main", model.dirs.panelDir));

    writeFile(root / "panel" / "panel_main.bmp", "BM truncated");
    outcome = autoSizeFromBitmap(model, 0);
    EXPECT_NE(outcome.message.find("panel_main.bmp"), std::string::npos);
    EXPECT_EQ(outcome.boxText, std::nullopt);
    EXPECT_NE(autoRatioFromBitmap(model, 0, "panel_main", 1024).message, "");

    EXPECT_EQ(model.window(0).windowSizeMm, 123);
    EXPECT_EQ(model.window(0).windowSizeRatio, 0.75);
    EXPECT_EQ(model.window(0).windowZoom, 3);
}

TEST_F(RowCommandsTest, AWindowWithoutBitmapNameGetsNoMessage) {
    model.window(0).windowBitmap.clear();
    EXPECT_EQ(autoSizeFromBitmap(model, 0).message, "");
    // The ratio button does nothing at all while the bitmap box is empty.
    model.window(0).windowBitmap = "Panel_Main";
    const AutoOutcome outcome = autoRatioFromBitmap(model, 0, "", 1024);
    EXPECT_EQ(outcome.message, "");
    EXPECT_EQ(outcome.boxText, std::nullopt);
}

TEST_F(RowCommandsTest, AutoRatioIsTheShareOfTheScreenCappedAtOne) {
    writeBitmap("panel_main.bmp", 512);
    AutoOutcome outcome = autoRatioFromBitmap(model, 0, "Panel_Main", 1024);
    EXPECT_EQ(outcome.boxText, ".5");
    EXPECT_EQ(model.window(0).windowSizeRatio, 0.5);
    EXPECT_EQ(model.window(0).windowZoom, 2);

    outcome = applyAutoRatio(model, 0, 1024, 1024);
    EXPECT_EQ(outcome.boxText, "1");
    EXPECT_EQ(model.window(0).windowZoom, 1);

    outcome = applyAutoRatio(model, 0, 2048, 800);
    EXPECT_EQ(outcome.boxText, "1");
    EXPECT_EQ(model.window(0).windowSizeRatio, 1);
}

TEST_F(RowCommandsTest, AutoRatioIsComputedAndShownInSinglePrecision) {
    const AutoOutcome outcome = applyAutoRatio(model, 0, 640, 1366);
    EXPECT_EQ(outcome.boxText, ".4685212");
    EXPECT_EQ(model.window(0).windowSizeRatio, static_cast<double>(640.0f / 1366.0f));
    EXPECT_EQ(model.window(0).windowZoom, static_cast<double>(1.0f / (640.0f / 1366.0f)));

    // A zero screen or bitmap width would divide by zero: nothing changes.
    EXPECT_EQ(applyAutoRatio(model, 0, 640, 0).boxText, std::nullopt);
    EXPECT_EQ(applyAutoRatio(model, 0, 0, 1024).boxText, std::nullopt);
    EXPECT_EQ(model.window(0).windowSizeRatio, static_cast<double>(640.0f / 1366.0f));
}

} // namespace
} // namespace cockpix

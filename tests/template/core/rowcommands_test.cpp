#include "template/core/rowcommands.h"

#include "app/core/scratchdir.h"
#include "gauges/core/bmpwriter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace cockpix {
namespace {

// A panel directory and a gauges directory in a fresh folder, and one window.
class RowCommandsTest : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        model.dirs.panelDir = at("panel/");
        model.dirs.gaugesDir = at("gauges/");
        model.windowCount = 1;
        PanelWindow& window = model.window(0);
        window.windowBitmap = "Panel_Main";
        window.windowSizeMm = 123;
        window.windowSizeRatio = 0.75;
        window.windowZoom = 3;
    }

    PanelModel model;
};

TEST_F(RowCommandsTest, ViewNeedsTheProbeModuleWhateverItsCaseThenABitmapName) {
    EXPECT_EQ(checkViewWindow(model, 0), ViewCheck::WrongGaugesDir);
    touch("gauges/cessna_182.Airspeed.gau");
    EXPECT_EQ(checkViewWindow(model, 0), ViewCheck::Ready);

    model.window(0).windowBitmap = "   ";
    EXPECT_EQ(checkViewWindow(model, 0), ViewCheck::EmptyWindow);
    EXPECT_EQ(checkViewWindow(model, 9), ViewCheck::EmptyWindow);

    model.dirs.gaugesDir.clear(); // never set: the probe must not look in the current dir
    std::ofstream("CESSNA_182.AIRSPEED.GAU") << "x";
    EXPECT_EQ(checkViewWindow(model, 0), ViewCheck::WrongGaugesDir);
    std::filesystem::remove("CESSNA_182.AIRSPEED.GAU");
    EXPECT_EQ(wrongGaugesDirMessage(), "Your current gauges directory seems to be wrong.\n"
                                       "Please set the gauges directory path before continuing.");
}

// The bitmap is found whatever its case; a 9-pixel placeholder clears the size, not the box.
TEST_F(RowCommandsTest, AutoSizeStoresTheBitmapWidth) {
    const std::pair<int, const char*> cases[] = {{640, "640"}, {9, "none"}, {10, "10"}, {8, "8"}};
    for (const auto& [width, box] : cases) {
        touch("panel/PANEL_MAIN.BMP", bmpFileBytes(IndexedImage(width, 4)));
        model.window(0).windowSizeMm = 123;
        const AutoOutcome outcome = autoSizeFromBitmap(model, 0);
        EXPECT_EQ(outcome.message, "");
        EXPECT_EQ(outcome.boxText.value_or("none"), box);
        EXPECT_EQ(model.window(0).windowSizeMm, width == 9 ? 0 : width);
    }
}

TEST_F(RowCommandsTest, MissingOrBrokenBitmapsChangeNothingAndSaySo) {
    const std::string cantFind = "Can't find 'Panel_Main.bmp' in " + model.dirs.panelDir +
                                 "\nPlease move it to this directory, or change panel "
                                 "directory before continuing.";
    EXPECT_EQ(autoSizeFromBitmap(model, 0).message, cantFind);
    EXPECT_EQ(autoRatioFromBitmap(model, 0, "Panel_Main", 1024).message, cantFind);

    touch("panel/panel_main.bmp", "BM truncated");
    const AutoOutcome outcome = autoSizeFromBitmap(model, 0);
    EXPECT_NE(outcome.message.find("panel_main.bmp"), std::string::npos);
    EXPECT_EQ(outcome.boxText, std::nullopt);
    EXPECT_NE(autoRatioFromBitmap(model, 0, "panel_main", 1024).message, "");
    EXPECT_EQ(model.window(0).windowSizeMm, 123);
    EXPECT_EQ(model.window(0).windowSizeRatio, 0.75);
    EXPECT_EQ(model.window(0).windowZoom, 3);

    // The ratio button ignores an empty box; no message for a window without bitmap name.
    const AutoOutcome idle = autoRatioFromBitmap(model, 0, "", 1024);
    EXPECT_TRUE(idle.message.empty() && !idle.boxText);
    model.window(0).windowBitmap.clear();
    EXPECT_EQ(autoSizeFromBitmap(model, 0).message, "");
}

// The bitmap's share of the screen in single precision, at most 1; the zoom is its inverse.
TEST_F(RowCommandsTest, AutoRatio) {
    const float share = 640.0f / 1366.0f;
    const std::tuple<int, int, const char*, float> cases[] = {{512, 1024, ".5", 0.5f},
                                                              {1024, 1024, "1", 1.0f},
                                                              {2048, 800, "1", 1.0f},
                                                              {640, 1366, ".4685212", share}};
    for (const auto& [bitmap, screen, box, ratio] : cases) {
        EXPECT_EQ(applyAutoRatio(model, 0, bitmap, screen).boxText, box);
        EXPECT_EQ(model.window(0).windowSizeRatio, static_cast<double>(ratio));
        EXPECT_EQ(model.window(0).windowZoom, static_cast<double>(1.0f / ratio));
    }
    // A zero screen or bitmap width would divide by zero: nothing changes.
    EXPECT_EQ(applyAutoRatio(model, 0, 640, 0).boxText, std::nullopt);
    EXPECT_EQ(applyAutoRatio(model, 0, 0, 1024).boxText, std::nullopt);
    EXPECT_EQ(model.window(0).windowSizeRatio, static_cast<double>(share));
}

} // namespace
} // namespace cockpix

#include "template/core/fs98/rowcommands.h"

#include "base/core/scratchdir.h"
#include "gaugefiles/core/bmpwriter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace cockpix {
namespace {

// A panel directory and a gauges directory in a fresh folder, and one window.
class RowCommandsTest : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        dirs.panelDir = at("panel/");
        dirs.gaugesDir = at("gauges/");
        model.windowCount = 1;
        fs98::PanelWindow& window = model.window(0);
        window.windowBitmap = "Panel_Main";
        window.windowSizeMm = 123;
        window.windowSizeRatio = 0.75;
    }
    fs98::AutoOutcome autoSize() const { return fs98::autoSizeFromBitmap(model, dirs.panelDir, 0); }
    fs98::AutoOutcome autoRatio(const std::string& box, int screen) const {
        return fs98::autoRatioFromBitmap(model, dirs.panelDir, 0, box, screen);
    }

    fs98::Panel model;
    Directories dirs;
};

TEST_F(RowCommandsTest, ViewNeedsTheProbeModuleWhateverItsCaseThenABitmapName) {
    EXPECT_EQ(fs98::checkViewWindow(model, dirs, 0), fs98::ViewCheck::WrongGaugesDir);
    touch("gauges/cessna_182.Airspeed.gau");
    EXPECT_EQ(fs98::checkViewWindow(model, dirs, 0), fs98::ViewCheck::Ready);

    model.window(0).windowBitmap = "   ";
    EXPECT_EQ(fs98::checkViewWindow(model, dirs, 0), fs98::ViewCheck::EmptyWindow);
    EXPECT_EQ(fs98::checkViewWindow(model, dirs, 9), fs98::ViewCheck::EmptyWindow);

    dirs.gaugesDir.clear(); // never set: the probe must not look in the current dir
    std::ofstream("CESSNA_182.AIRSPEED.GAU") << "x";
    EXPECT_EQ(fs98::checkViewWindow(model, dirs, 0), fs98::ViewCheck::WrongGaugesDir);
    std::filesystem::remove("CESSNA_182.AIRSPEED.GAU");
}

// The bitmap is found whatever its case; a 9-pixel placeholder clears the size, and the box
// shows the 0 the panel then holds.
TEST_F(RowCommandsTest, AutoSizeStoresTheBitmapWidth) {
    const std::pair<int, const char*> cases[] = {{640, "640"}, {9, "0"}, {10, "10"}, {8, "8"}};
    for (const auto& [width, box] : cases) {
        touch("panel/PANEL_MAIN.BMP", bmpFileBytes(IndexedImage(width, 4)));
        const fs98::AutoOutcome outcome = autoSize();
        EXPECT_TRUE(outcome.message.empty());
        EXPECT_EQ(outcome.boxText.value_or("none"), box);
        EXPECT_EQ(outcome.value, width == 9 ? 0 : width);
    }
}

TEST_F(RowCommandsTest, MissingOrBrokenBitmapsChangeNothingAndSaySo) {
    const std::string cantFind = "Can't find 'Panel_Main.bmp' in " + dirs.panelDir +
                                 "\nPlease move it to this directory, or change panel "
                                 "directory before continuing.";
    EXPECT_EQ(autoSize().message.bytes(), cantFind);
    EXPECT_EQ(autoRatio("Panel_Main", 1024).message.bytes(), cantFind);

    touch("panel/panel_main.bmp", "BM truncated");
    const fs98::AutoOutcome outcome = autoSize();
    EXPECT_NE(outcome.message.bytes().find("panel_main.bmp"), std::string::npos);
    EXPECT_FALSE(outcome.boxText || outcome.value);
    EXPECT_FALSE(autoRatio("panel_main", 1024).message.empty());
    EXPECT_FALSE(autoRatio("panel_main", 1024).value);

    // The ratio button ignores an empty box; no message for a window without bitmap name.
    const fs98::AutoOutcome idle = autoRatio("", 1024);
    EXPECT_TRUE(idle.message.empty() && !idle.boxText && !idle.value);
    model.window(0).windowBitmap.clear();
    EXPECT_TRUE(autoSize().message.empty());
}

// The bitmap's share of the screen in single precision, at most 1; the zoom is its inverse.
TEST_F(RowCommandsTest, AutoRatio) {
    const float share = 640.0f / 1366.0f;
    const std::tuple<int, int, const char*, float> cases[] = {{512, 1024, ".5", 0.5f},
                                                              {1024, 1024, "1", 1.0f},
                                                              {2048, 800, "1", 1.0f},
                                                              {640, 1366, ".4685212", share}};
    for (const auto& [bitmap, screen, box, ratio] : cases) {
        const fs98::AutoOutcome outcome = fs98::autoRatioForWidth(bitmap, screen);
        EXPECT_EQ(outcome.boxText, box);
        EXPECT_EQ(outcome.value, static_cast<double>(ratio));
        EXPECT_EQ(outcome.zoom, static_cast<double>(1.0f / ratio));
    }
    // A zero screen or bitmap width would divide by zero: nothing changes.
    EXPECT_FALSE(fs98::autoRatioForWidth(640, 0).value);
    EXPECT_FALSE(fs98::autoRatioForWidth(0, 1024).value);
}

} // namespace
} // namespace cockpix

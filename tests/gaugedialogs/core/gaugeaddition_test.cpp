#include "gaugedialogs/core/gaugeaddition.h"

#include "base/core/filelookup.h"
#include "base/core/scratchdir.h"
#include "gaugefiles/core/gaugeextraction.h"
#include "gaugefiles/core/gaugemodule.h"
#include "gaugefiles/core/modulebuilder.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

using Texts = std::vector<std::string>;

Texts texts(const std::vector<UserText>& messages) {
    Texts bytes;
    for (const UserText& message : messages)
        bytes.push_back(message.bytes());
    return bytes;
}

// Windows 0..2 of a panel, with cessna_182.airspeed at line 4 of window 1 and again at
// line 0 of window 2; window 3 lies beyond the count and is not looked at.
fs98::Panel panelUsingTheAirspeed() {
    fs98::Panel panel;
    panel.windowCount = 3;
    panel.window(1).gaugeCount = 5;
    panel.gauge(1, 4).gaugeName = "cessna_182.airspeed";
    panel.window(2).gaugeCount = 1;
    panel.gauge(2, 0).gaugeName = "Cessna_182.AirSpeed";
    panel.window(3).gaugeCount = 1;
    panel.gauge(3, 0).gaugeName = "cessna_182.clock";
    panel.gauge(1, 7).gaugeName = "cessna_182.clock"; // beyond window 1's count
    return panel;
}

TEST(GaugeAddition, TheLastUseOfAModuleIsReported) {
    const fs98::Panel panel = panelUsingTheAirspeed();
    EXPECT_EQ(findGaugeUsingModule(panel, "CESSNA_182.AIRSPEED.GAU"), (GaugeLocation{2, 0}));
    EXPECT_EQ(findGaugeUsingModule(panel, "cessna_182.clock.gau"), std::nullopt);
    fs98::Panel once = panel;
    once.window(2).gaugeCount = 0;
    EXPECT_EQ(findGaugeUsingModule(once, "cessna_182.airspeed.gau"), (GaugeLocation{1, 4}));
    EXPECT_EQ(duplicateGaugeMessage({1, 4}).bytes(),
              "You already have this gauge in window #1, line #4\n"
              "FS98 does not support a gauge used twice in the same panel.\nChoice cancelled.");
}

TEST(GaugeAddition, NamesOfAPick) {
    EXPECT_EQ(pickBitmapName("CESSNA_182.AIRSPEED.GAU"), "CESSNA_182.AIRSPEED.bmp");
    EXPECT_EQ(gaugeNameOfModuleFile("CESSNA_182.AIRSPEED.GAU"), "CESSNA_182.AIRSPEED");
    EXPECT_EQ(gaugeNameOfModuleFile("ab"), "");
    EXPECT_EQ(pickBitmapName("ab"), "bmp");
}

// A 120 x 60 picture in a window of scale 1.5 gets size 80 at X = Y = 0, written with its
// size; an unmeasured picture a tenth of the background; a window without scale the width.
TEST(GaugeAddition, TheNewGaugeHasItsNaturalSize) {
    GaugePick pick;
    pick.selectedFile = "Cessna_182.Clock.gau";
    fs98::WindowDisplay window;
    window.windowScale = 1.5;
    window.windowPixelWidth = 645;
    EXPECT_EQ(newGaugeForPick(pick, {120, 60}, window),
              (fs98::Gauge{"Cessna_182.Clock", 0, 0, 80, 0}));
    EXPECT_EQ(newGaugeForPick(pick, {0, 0}, window).gaugeSize, 64.5);
    window.windowScale = 0;
    EXPECT_EQ(newGaugeForPick(pick, {120, 60}, window).gaugeSize, 120);
}

class GaugePicks : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        dirs.gaugesDir = at("gauges/");
        dirs.bmpDir = at("gauges/bmp/");
        dirs.programDir = at("program/");
        touch("program/" + std::string(kDefaultGaugeBitmapName), kDefault);
        touch("gauges/CESSNA_182.AIRSPEED.GAU", test::typicalModule());
    }
    GaugePick pick(const std::string& file) {
        return pickGaugeModule(panel, dirs, "", options, file, [this] { ++progressShown; });
    }
    std::string bitmap() const {
        return readWholeFile(at("gauges/bmp/CESSNA_182.AIRSPEED.bmp")).value_or("<none>");
    }

    const std::string kDefault = "default gauge picture";
    const std::string extracted = extractedBitmapBytes(test::typicalModule()).value();
    fs98::Panel panel;
    Directories dirs;
    Options options;
    int progressShown = 0;
};

TEST_F(GaugePicks, AFreshModuleIsCutOut) {
    const GaugePick made = pick("CESSNA_182.AIRSPEED.GAU");
    EXPECT_TRUE(made.addable());
    EXPECT_EQ(made.selectedBitmap, "CESSNA_182.AIRSPEED.bmp");
    EXPECT_EQ(made.bitmapPath, at("gauges/bmp/CESSNA_182.AIRSPEED.bmp"));
    EXPECT_EQ(bitmap(), extracted);
    EXPECT_TRUE(made.messages.empty());
    EXPECT_GT(progressShown, 1) << "the progress window gets its turn after reading too";
}

// The pick reuses only a bitmap of more than 50 bytes: a 30-byte one, which a panel window
// would keep, is cut out again even with "Never recompute bitmap".
TEST_F(GaugePicks, ItsOwnReuseThreshold) {
    for (const auto& [length, kept] : {std::pair{30, false}, {50, false}, {51, true}}) {
        const std::string old(std::size_t(length), 'o');
        touch("gauges/bmp/CESSNA_182.AIRSPEED.bmp", old);
        pick("CESSNA_182.AIRSPEED.GAU");
        EXPECT_EQ(bitmap(), kept ? old : extracted) << length;
    }
    options.alwaysRecomputeBitmaps = true;
    pick("CESSNA_182.AIRSPEED.GAU");
    EXPECT_EQ(bitmap(), extracted);
}

// The bitmap the panel window wrote under the gauge's name is the one reused.
TEST_F(GaugePicks, TheWorkBitmapIsFoundWhateverItsCase) {
    const std::string old(200, 'o');
    touch("gauges/bmp/cessna_182.airspeed.bmp", old);
    const GaugePick made = pick("CESSNA_182.AIRSPEED.GAU");
    EXPECT_EQ(made.bitmapPath, at("gauges/bmp/cessna_182.airspeed.bmp"));
    EXPECT_EQ(readWholeFile(made.bitmapPath), old);
}

TEST_F(GaugePicks, ADuplicateIsRefusedWithoutTouchingItsBitmap) {
    panel = panelUsingTheAirspeed();
    const GaugePick refused = pick("CESSNA_182.AIRSPEED.GAU");
    EXPECT_TRUE(refused.cancelled);
    EXPECT_FALSE(refused.addable());
    EXPECT_EQ(texts(refused.messages), Texts{duplicateGaugeMessage({2, 0}).bytes()});
    EXPECT_EQ(bitmap(), "<none>");
    EXPECT_EQ(progressShown, 0);
}

// A module that cannot be read, or holds no picture, gets the default picture with its own
// message; so does a bitmap that later fails to load.
TEST_F(GaugePicks, TheDefaultStandsInWithItsMessages) {
    const std::string module = at("gauges/") + "CESSNA_182.AIRSPEED.GAU";
    touch("gauges/bmp/MISSING.bmp", std::string(200, 'o'));
    const GaugePick missing = pick("MISSING.GAU");
    EXPECT_TRUE(missing.failed && missing.addable());
    EXPECT_EQ(texts(missing.messages),
              Texts{"Can not find or read [" + at("gauges/") +
                    "MISSING.GAU]\nPlease make sure this gauge is present or valid.\n"
                    "CockPix will show a default bitmap instead."});
    // Always the default, even over a bitmap left on disk.
    EXPECT_EQ(readWholeFile(at("gauges/bmp/MISSING.bmp")), kDefault);

    touch("gauges/CESSNA_182.AIRSPEED.GAU", test::fillerModule(6000));
    const GaugePick empty = pick("CESSNA_182.AIRSPEED.GAU");
    EXPECT_FALSE(empty.failed);
    EXPECT_EQ(texts(empty.messages), Texts{"Can not read gauge : [" + module +
                                           "].\nIt will be replaced by a default bitmap."});
    EXPECT_EQ(bitmap(), kDefault);

    GaugePick broken = pick("CESSNA_182.AIRSPEED.GAU");
    broken.messages.clear();
    failGaugePick(broken, dirs, "");
    EXPECT_EQ(texts(broken.messages).size(), 1u);
    EXPECT_EQ(bitmap(), kDefault);
}

} // namespace
} // namespace cockpix

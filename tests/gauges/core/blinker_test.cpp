#include "gauges/core/blinker.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

// The panel window tests cover the ticks on real windows; these cover the values a window
// never shows: odd indexes and odd intervals.
TEST(Blinker, TicksOnlyOnAGaugeTheCurrentWindowHas) {
    AppModel app;
    Panel panel;
    app.blinkState = 1;
    panel.window(0).gaugeCount = 3;
    app.currentGauge = -5;
    EXPECT_EQ(blinkTick(app, panel), std::nullopt);
    app.currentGauge = -1;
    panel.window(0).gaugeCount = 0; // -1 still becomes 0, but there is no image 0
    EXPECT_EQ(blinkTick(app, panel), std::nullopt);
    EXPECT_EQ(app.currentGauge, 0);
    panel.window(0).gaugeCount = 99; // a count beyond the table is not trusted
    app.currentGauge = 64;
    EXPECT_EQ(blinkTick(app, panel), std::nullopt);
    app.currentWindow = 9;
    app.currentGauge = 0;
    EXPECT_EQ(blinkTick(app, panel), std::nullopt);
}

TEST(Blinker, PeriodIsTheIntervalRoundedHalfToEvenAndAtLeastOne) {
    AppModel app;
    EXPECT_EQ(blinkTimerPeriodMs(app), kIdleBlinkPollMs);
    app.blinkState = 1;
    for (const auto& [interval, period] :
         {std::pair{kDesignedBlinkInterval, 1}, {12.5, 12}, {13.5, 14}, {0.0, 1}, {-40.0, 1}}) {
        app.blinkInterval = interval;
        EXPECT_EQ(blinkTimerPeriodMs(app), period) << interval;
    }
    app.blinkInterval = 1e300;
    EXPECT_GT(blinkTimerPeriodMs(app), 1);
}

} // namespace
} // namespace cockpix

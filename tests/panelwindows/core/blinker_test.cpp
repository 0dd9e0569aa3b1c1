#include "panelwindows/core/blinker.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

// The panel window tests cover the ticks on real windows; these cover the values a window
// never shows: odd indexes and odd intervals.
TEST(Blinker, TicksOnlyOnAGaugeTheCurrentWindowHas) {
    fs98::Panel panel;
    const int on = 1;
    panel.window(0).gaugeCount = 3;
    int gauge = -5;
    EXPECT_EQ(blinkTick(panel, 0, on, gauge), std::nullopt);
    gauge = -1;
    panel.window(0).gaugeCount = 0; // -1 still becomes 0, but there is no image 0
    EXPECT_EQ(blinkTick(panel, 0, on, gauge), std::nullopt);
    EXPECT_EQ(gauge, 0);
    panel.window(0).gaugeCount = 99; // a count beyond the table is not trusted
    gauge = 64;
    EXPECT_EQ(blinkTick(panel, 0, on, gauge), std::nullopt);
    gauge = 0;
    EXPECT_EQ(blinkTick(panel, 9, on, gauge), std::nullopt);
}

TEST(Blinker, PeriodIsTheIntervalRoundedHalfToEvenAndAtLeastOne) {
    EXPECT_EQ(blinkTimerPeriodMs(0, 1.0), kIdleBlinkPollMs);
    for (const auto& [interval, period] :
         {std::pair{1.0, 1}, {12.5, 12}, {13.5, 14}, {0.0, 1}, {-40.0, 1}})
        EXPECT_EQ(blinkTimerPeriodMs(1, interval), period) << interval;
    EXPECT_GT(blinkTimerPeriodMs(1, 1e300), 1);
}

} // namespace
} // namespace cockpix

#include "gauges/core/blinker.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

// The panel window tests cover the ticks on real windows; these cover the model values a
// window never shows: odd indexes and odd intervals.
TEST(Blinker, TicksOnlyOnAGaugeTheCurrentWindowHas) {
    PanelModel model;
    model.blinkState = 1;
    model.window(0).gaugeCount = 3;
    model.currentGauge = -5;
    EXPECT_EQ(blinkTick(model), std::nullopt);
    model.currentGauge = -1;
    model.window(0).gaugeCount = 0; // -1 still becomes 0, but there is no image 0
    EXPECT_EQ(blinkTick(model), std::nullopt);
    EXPECT_EQ(model.currentGauge, 0);
    model.window(0).gaugeCount = 99; // a count beyond the table is not trusted
    model.currentGauge = 64;
    EXPECT_EQ(blinkTick(model), std::nullopt);
    model.currentWindow = 9;
    model.currentGauge = 0;
    EXPECT_EQ(blinkTick(model), std::nullopt);
}

TEST(Blinker, PeriodIsTheIntervalRoundedHalfToEvenAndAtLeastOne) {
    PanelModel model;
    EXPECT_EQ(blinkTimerPeriodMs(model), kIdleBlinkPollMs);
    model.blinkState = 1;
    for (const auto& [interval, period] :
         {std::pair{kDesignedBlinkInterval, 1}, {12.5, 12}, {13.5, 14}, {0.0, 1}, {-40.0, 1}}) {
        model.blinkInterval = interval;
        EXPECT_EQ(blinkTimerPeriodMs(model), period) << interval;
    }
    model.blinkInterval = 1e300;
    EXPECT_GT(blinkTimerPeriodMs(model), 1);
}

} // namespace
} // namespace cockpix

#include "gauges/core/blinker.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

TEST(Blinker, DoesNothingWhileOff) {
    PanelModel model;
    model.window(0).gaugeCount = 3;
    model.currentGauge = -1;
    EXPECT_EQ(blinkTick(model), std::nullopt);
    EXPECT_EQ(model.currentGauge, -1);
    EXPECT_EQ(blinkTimerPeriodMs(model), kIdleBlinkPollMs);
}

TEST(Blinker, SelectsTheFirstGaugeWhenNoneIsCurrent) {
    PanelModel model;
    model.currentWindow = 2;
    model.window(2).gaugeCount = 3;
    model.blinkState = 1;
    model.currentGauge = -1;
    EXPECT_EQ(blinkTick(model), 0);
    EXPECT_EQ(model.currentGauge, 0);
    model.currentGauge = 2;
    EXPECT_EQ(blinkTick(model), 2);
}

TEST(Blinker, IgnoresGaugesTheCurrentWindowDoesNotHave) {
    PanelModel model;
    model.blinkState = 1;
    model.window(0).gaugeCount = 3;
    model.currentGauge = 3;
    EXPECT_EQ(blinkTick(model), std::nullopt);
    model.currentGauge = -5;
    EXPECT_EQ(blinkTick(model), std::nullopt);
    model.currentGauge = -1;
    model.window(0).gaugeCount = 0; // -1 still becomes 0, but there is no image 0
    EXPECT_EQ(blinkTick(model), std::nullopt);
    EXPECT_EQ(model.currentGauge, 0);
    model.currentWindow = 9;
    EXPECT_EQ(blinkTick(model), std::nullopt);
}

TEST(Blinker, PeriodIsTheIntervalRoundedHalfToEvenAndAtLeastOne) {
    PanelModel model;
    model.blinkState = 1;
    model.blinkInterval = kDesignedBlinkInterval;
    EXPECT_EQ(blinkTimerPeriodMs(model), 1);
    model.blinkInterval = 12.5;
    EXPECT_EQ(blinkTimerPeriodMs(model), 12);
    model.blinkInterval = 13.5;
    EXPECT_EQ(blinkTimerPeriodMs(model), 14);
    model.blinkInterval = 0;
    EXPECT_EQ(blinkTimerPeriodMs(model), 1);
    model.blinkInterval = -40;
    EXPECT_EQ(blinkTimerPeriodMs(model), 1);
}

} // namespace
} // namespace cockpix

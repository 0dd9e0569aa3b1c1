#pragma once

// The selected-gauge blinker of a panel window: while it is on, every tick shows or hides
// the current gauge's image, so the gauge blinks with twice the timer's period.

#include "panel/core/fs98/panel.h"

#include <optional>

namespace cockpix {

// How often an idle blinker looks whether it was switched on; slow enough to cost
// nothing, quick enough that a switch feels immediate.
inline constexpr int kIdleBlinkPollMs = 50;

// One tick: nothing while blinkState is 0; otherwise currentGauge -1 becomes 0 and the
// gauge whose image is to be toggled in currentWindow is returned. A gauge index outside
// that window's gauges gives nullopt (there is no image to toggle).
std::optional<int> blinkTick(const fs98::Panel& panel, int currentWindow, int blinkState,
                             int& currentGauge);

// The timer period in whole milliseconds: the idle poll while the blinker is off
// (blinkState 0), otherwise blinkInterval rounded half to even, at least 1.
int blinkTimerPeriodMs(int blinkState, double blinkInterval);

} // namespace cockpix

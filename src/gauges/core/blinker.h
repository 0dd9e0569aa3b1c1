#pragma once

// The selected-gauge blinker of a panel window: while it is on, every tick shows or hides
// the current gauge's image, so the gauge blinks with twice the timer's period.

#include "app/core/appmodel.h"
#include "panel/core/panel.h"

#include <optional>

namespace cockpix {

// How often an idle blinker looks whether it was switched on; slow enough to cost
// nothing, quick enough that a switch feels immediate.
inline constexpr int kIdleBlinkPollMs = 50;

// One tick: nothing while blinkState is 0; otherwise currentGauge -1 becomes 0 and the
// gauge whose image is to be toggled in the current window is returned. A gauge index
// outside the current window's gauges gives nullopt (there is no image to toggle).
std::optional<int> blinkTick(AppModel& app, const Panel& panel);

// The timer period in whole milliseconds for the model's state: the idle poll while the
// blinker is off, otherwise blinkInterval rounded half to even, at least 1.
int blinkTimerPeriodMs(const AppModel& app);

} // namespace cockpix

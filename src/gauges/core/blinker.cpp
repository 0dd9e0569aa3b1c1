#include "gauges/core/blinker.h"

#include "panel/core/numbertext.h"

#include <algorithm>

namespace cockpix {

std::optional<int> blinkTick(PanelModel& model) {
    if (model.blinkState == 0)
        return std::nullopt;
    if (model.currentGauge == -1)
        model.currentGauge = 0;
    if (model.currentWindow < 0 || model.currentWindow >= kWindowSlots)
        return std::nullopt;
    const int count = model.window(model.currentWindow).gaugeCount;
    if (model.currentGauge < 0 || model.currentGauge >= std::min(count, kGaugeSlots))
        return std::nullopt;
    return model.currentGauge;
}

int blinkTimerPeriodMs(const PanelModel& model) {
    if (model.blinkState == 0)
        return kIdleBlinkPollMs;
    return std::max(1, clampToInt(roundHalfEven(model.blinkInterval)));
}

} // namespace cockpix

#include "gauges/core/blinker.h"

#include "base/core/numbertext.h"

#include <algorithm>

namespace cockpix {

std::optional<int> blinkTick(AppModel& app, const Panel& panel) {
    if (app.blinkState == 0)
        return std::nullopt;
    if (app.currentGauge == -1)
        app.currentGauge = 0;
    if (!isWindowSlot(app.currentWindow))
        return std::nullopt;
    const int count = panel.window(app.currentWindow).gaugeCount;
    if (app.currentGauge < 0 || app.currentGauge >= std::min(count, kGaugeSlots))
        return std::nullopt;
    return app.currentGauge;
}

int blinkTimerPeriodMs(const AppModel& app) {
    if (app.blinkState == 0)
        return kIdleBlinkPollMs;
    return std::max(1, clampToInt(roundHalfEven(app.blinkInterval)));
}

} // namespace cockpix

#include "panelwindows/core/blinker.h"

#include "base/core/numbertext.h"

#include <algorithm>

namespace cockpix {

std::optional<int> blinkTick(const fs98::Panel& panel, int currentWindow, int blinkState,
                             int& currentGauge) {
    if (blinkState == 0)
        return std::nullopt;
    if (currentGauge == -1)
        currentGauge = 0;
    if (!fs98::isWindowSlot(currentWindow))
        return std::nullopt;
    const int count = panel.window(currentWindow).gaugeCount;
    if (currentGauge < 0 || currentGauge >= std::min(count, fs98::kGaugeSlots))
        return std::nullopt;
    return currentGauge;
}

int blinkTimerPeriodMs(int blinkState, double blinkInterval) {
    if (blinkState == 0)
        return kIdleBlinkPollMs;
    return std::max(1, clampToInt(roundHalfEven(blinkInterval)));
}

} // namespace cockpix

#pragma once

// What a panel window derives from the panel to draw it (measured bitmap sizes, scale,
// placement) and the display choices of the move/zoom dialog (zoom and shift). None of it
// is read from or written to panel.cfg, so an undo step never captures or restores it; the
// panel windows compute it again from the panel whenever they draw.

#include "panel/core/panel.h"

#include <array>

namespace cockpix {

struct GaugeDisplay {
    double gaugeBitmapWidth = 0;
    double gaugeBitmapHeight = 0;
    double gaugeAspect = 0; // gaugeBitmapHeight / gaugeBitmapWidth
};

struct WindowDisplay {
    double windowZoom = 1; // display zoom, 1 = 100 %
    double windowPixelWidth = 0;
    double windowPixelHeight = 0;
    double windowScale = 0; // background pixels per panel unit
    double windowOffsetX = 0;
    double windowOffsetY = 0;
    double windowShiftX = 0; // the move/zoom dialog's shift
    double windowShiftY = 0;
    double savedOffsetX = 0;
    double savedOffsetY = 0;
    std::array<GaugeDisplay, kGaugeSlots> gauges;
};

struct PanelDisplay {
    double screenWidthPx = 0;
    double screenHeightPx = 0;
    double frameRatioX = 0;
    double frameRatioY = 0;
    std::array<WindowDisplay, kWindowSlots> windows;

    WindowDisplay& window(int w) { return windows.at(static_cast<std::size_t>(w)); }
    const WindowDisplay& window(int w) const { return windows.at(static_cast<std::size_t>(w)); }
    GaugeDisplay& gauge(int w, int g) { return window(w).gauges.at(static_cast<std::size_t>(g)); }
    const GaugeDisplay& gauge(int w, int g) const {
        return window(w).gauges.at(static_cast<std::size_t>(g));
    }
};

} // namespace cockpix

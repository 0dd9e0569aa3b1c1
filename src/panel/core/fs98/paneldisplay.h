#pragma once

// What a panel window derives from the panel to draw it (measured bitmap sizes, scale,
// placement) and the display choices of the move/zoom dialog (zoom and shift). None of it
// is read from or written to panel.cfg, so an undo step never captures or restores it; the
// panel windows compute it again from the panel whenever they draw.

#include "panel/core/fs2k/panel.h"
#include "panel/core/fs98/panel.h"

#include <array>
#include <map>
#include <utility>

namespace cockpix::fs98 {

struct GaugeDisplay {
    double gaugeBitmapWidth = 0;
    double gaugeBitmapHeight = 0;
    double gaugeAspect = 0; // gaugeBitmapHeight / gaugeBitmapWidth
    friend bool operator==(const GaugeDisplay&, const GaugeDisplay&) = default;
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
    friend bool operator==(const WindowDisplay&, const WindowDisplay&) = default;
};

// The move/zoom dialog's choice for a window of a panel of FS2000 and later: its picture
// zoomed (1 = as FS shows it) and shifted by screen pixels.
struct ViewPlacement {
    double zoom = 1;
    double shiftX = 0;
    double shiftY = 0;
    friend bool operator==(const ViewPlacement&, const ViewPlacement&) = default;
};

// A section of an fs2k panel across edits that renumber its index: its kind and number.
using Fs2kViewKey = std::pair<fs2k::WindowKind, long>;

struct PanelDisplay {
    double screenWidthPx = 0;
    double screenHeightPx = 0;
    double frameRatioX = 0;
    double frameRatioY = 0;
    std::array<WindowDisplay, kWindowSlots> windows;
    // The zoom and shift of each fs2k window that has one other than the default.
    std::map<Fs2kViewKey, ViewPlacement> fs2kViews;

    friend bool operator==(const PanelDisplay&, const PanelDisplay&) = default;

    ViewPlacement fs2kView(Fs2kViewKey key) const {
        const auto found = fs2kViews.find(key);
        return found != fs2kViews.end() ? found->second : ViewPlacement{};
    }

    WindowDisplay& window(int w) { return windows.at(static_cast<std::size_t>(w)); }
    const WindowDisplay& window(int w) const { return windows.at(static_cast<std::size_t>(w)); }
    GaugeDisplay& gauge(int w, int g) { return window(w).gauges.at(static_cast<std::size_t>(g)); }
    const GaugeDisplay& gauge(int w, int g) const {
        return window(w).gauges.at(static_cast<std::size_t>(g));
    }
};

} // namespace cockpix::fs98

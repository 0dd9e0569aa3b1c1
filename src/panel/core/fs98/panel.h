#pragma once

// What an FS98 panel.cfg holds, and nothing else: up to 9 panel windows of up to 64 gauges
// each, the lines kept from before the first section, the [8 bit colors] lines and the
// [Default View]. A value type: the panel document keeps the one being edited, an undo step
// keeps the part it changes, a test compares two with ==. The display data that a panel
// window derives from it lives beside it (PanelDisplay), the program's own state in the
// application's model.

#include <array>
#include <string>

namespace cockpix::fs98 {

inline constexpr int kWindowSlots = 9;
inline constexpr int kGaugeSlots = 64;
inline constexpr int kPreambleSlots = 20;
inline constexpr int kColorSlots = 33;

struct Gauge {
    std::string gaugeName; // module name, lower case when read, without ".gau"
    double gaugeX = 0;
    double gaugeY = 0;
    double gaugeSize = 0;
    // -1: the gauge line had no size; 0: it had one; once a panel window has found the
    // module's own size for a size-less line, that size (so the writer leaves an unchanged
    // size out and FS98 keeps taking the module's default).
    double gaugeRefSize = 0;

    friend bool operator==(const Gauge&, const Gauge&) = default;
};

// The ident of a window: a number after reading, the text as typed after an edit in the
// template. The writer writes it only when it reads as a number.
struct WindowIdent {
    bool isText = false;
    double number = 0;
    std::string text;

    static WindowIdent fromNumber(double value) { return {false, value, {}}; }
    static WindowIdent fromText(std::string typed) { return {true, 0, std::move(typed)}; }
    friend bool operator==(const WindowIdent&, const WindowIdent&) = default;
};

struct PanelWindow {
    std::string windowTitle;
    std::string windowBitmap; // background bitmap name without ".bmp"; empty = none
    double windowSizeMm = 0;
    double windowSizeRatio = 0;
    double windowPosition = 0; // 0 = top-left .. 8 = bottom-right, row by row
    double windowVisible = 0;
    WindowIdent windowIdent;
    int gaugeCount = 0; // gauges 0..gaugeCount-1 are the window's; later slots are ignored

    std::array<Gauge, kGaugeSlots> gauges;

    friend bool operator==(const PanelWindow&, const PanelWindow&) = default;
};

// The four values of [Default View]: where FS98 puts the outside 3D view, in its own screen
// units (0..8191 across, 0..6153 down).
struct DefaultView {
    double x = 0;
    double y = 0;
    double sizeX = 0;
    double sizeY = 0;
    friend bool operator==(const DefaultView&, const DefaultView&) = default;
};

struct Panel {
    int windowCount = 0; // windows 0..windowCount-1 are the panel
    std::array<PanelWindow, kWindowSlots> windows;

    int preambleLineCount = 0;
    std::array<std::string, kPreambleSlots + 1> preambleLine; // slots 1..20 used
    int colorLineCount = 0;
    std::array<std::string, kColorSlots + 1> colorLine; // slots 1..33 used

    double defaultViewX = 0;
    double defaultViewY = 0;
    double defaultViewSizeX = 0;
    double defaultViewSizeY = 0;

    DefaultView defaultView() const {
        return {defaultViewX, defaultViewY, defaultViewSizeX, defaultViewSizeY};
    }
    void setDefaultView(const DefaultView& view) {
        defaultViewX = view.x;
        defaultViewY = view.y;
        defaultViewSizeX = view.sizeX;
        defaultViewSizeY = view.sizeY;
    }

    PanelWindow& window(int w) { return windows.at(static_cast<std::size_t>(w)); }
    const PanelWindow& window(int w) const { return windows.at(static_cast<std::size_t>(w)); }
    Gauge& gauge(int w, int g) { return window(w).gauges.at(static_cast<std::size_t>(g)); }
    const Gauge& gauge(int w, int g) const {
        return window(w).gauges.at(static_cast<std::size_t>(g));
    }

    friend bool operator==(const Panel&, const Panel&) = default;
};

// True for a window index 0..8 and a gauge index 0..63.
inline bool isWindowSlot(int w) {
    return w >= 0 && w < kWindowSlots;
}
inline bool isGaugeSlot(int g) {
    return g >= 0 && g < kGaugeSlots;
}

} // namespace cockpix::fs98

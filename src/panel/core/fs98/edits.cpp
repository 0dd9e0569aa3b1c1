#include "panel/core/fs98/edits.h"

#include <algorithm>

namespace cockpix::fs98 {
namespace {

std::string twoDigits(int number) {
    std::string text = std::to_string(number);
    return number >= 0 && number < 10 ? "0" + text : text;
}

// The number a window field holds, for a const or a changing window alike.
template <class Window>
auto numberField(Window& window, WindowField field) -> decltype(&window.windowSizeMm) {
    switch (field) {
    case WindowField::SizeMm:
        return &window.windowSizeMm;
    case WindowField::SizeRatio:
        return &window.windowSizeRatio;
    case WindowField::Position:
        return &window.windowPosition;
    case WindowField::Visible:
        return &window.windowVisible;
    default:
        return nullptr;
    }
}

int gaugeCountOf(const Panel& panel, int w) {
    return std::clamp(panel.window(w).gaugeCount, 0, kGaugeSlots);
}

} // namespace

WindowFieldValue windowField(const PanelWindow& window, WindowField field) {
    switch (field) {
    case WindowField::Title:
        return window.windowTitle;
    case WindowField::Bitmap:
        return window.windowBitmap;
    case WindowField::Ident:
        return window.windowIdent;
    default:
        return *numberField(window, field);
    }
}

void setWindowField(PanelWindow& window, WindowField field, const WindowFieldValue& value) {
    if (field == WindowField::Title || field == WindowField::Bitmap) {
        if (const auto* text = std::get_if<std::string>(&value))
            (field == WindowField::Title ? window.windowTitle : window.windowBitmap) = *text;
        return;
    }
    if (field == WindowField::Ident) {
        if (const auto* ident = std::get_if<WindowIdent>(&value))
            window.windowIdent = *ident;
        return;
    }
    if (const auto* number = std::get_if<double>(&value))
        *numberField(window, field) = *number;
}

void applyWindowEdit(Panel& panel, const WindowEdit& edit) {
    if (!isWindowSlot(edit.row))
        return;
    setWindowField(panel.window(edit.row), edit.field, edit.value);
    panel.windowCount = std::clamp(edit.windowCount, 0, kWindowSlots);
}

std::string windowFieldStepName(int w, WindowField field) {
    const char* what = "";
    switch (field) {
    case WindowField::Title:
        what = "title";
        break;
    case WindowField::Bitmap:
        what = "bitmap";
        break;
    case WindowField::SizeMm:
        what = "size";
        break;
    case WindowField::SizeRatio:
        what = "size ratio";
        break;
    case WindowField::Position:
        what = "position";
        break;
    case WindowField::Visible:
        what = "visible";
        break;
    case WindowField::Ident:
        what = "ident";
        break;
    }
    return "Window " + twoDigits(w) + " " + what;
}

double gaugeField(const Gauge& gauge, GaugeField field) {
    switch (field) {
    case GaugeField::X:
        return gauge.gaugeX;
    case GaugeField::Y:
        return gauge.gaugeY;
    case GaugeField::Size:
        break;
    }
    return gauge.gaugeSize;
}

void setGaugeField(Gauge& gauge, GaugeField field, double value) {
    switch (field) {
    case GaugeField::X:
        gauge.gaugeX = value;
        return;
    case GaugeField::Y:
        gauge.gaugeY = value;
        return;
    case GaugeField::Size:
        gauge.gaugeSize = value;
        return;
    }
}

std::string gaugeFieldStepName(int g, GaugeField field) {
    const char* what = field == GaugeField::X ? "X" : field == GaugeField::Y ? "Y" : "size";
    return "Gauge #" + std::to_string(g) + " " + what;
}

GaugePlacement gaugePlacement(const Panel& panel, int w, int g) {
    const Gauge& gauge = panel.gauge(w, g);
    return {g, gauge.gaugeX, gauge.gaugeY, gauge.gaugeSize};
}

void placeGauge(Panel& panel, int w, const GaugePlacement& placement) {
    Gauge& gauge = panel.gauge(w, placement.g);
    setGaugeField(gauge, GaugeField::X, placement.x);
    setGaugeField(gauge, GaugeField::Y, placement.y);
    setGaugeField(gauge, GaugeField::Size, placement.size);
}

Gauge appendGauge(Panel& panel, int w, const Gauge& gauge) {
    PanelWindow& window = panel.window(w);
    const int n = gaugeCountOf(panel, w);
    if (n >= kGaugeSlots)
        return {};
    Gauge& slot = window.gauges[static_cast<std::size_t>(n)];
    Gauge previous = std::move(slot);
    slot = gauge;
    window.gaugeCount = n + 1;
    return previous;
}

void unappendGauge(Panel& panel, int w, const Gauge& previousSlot) {
    PanelWindow& window = panel.window(w);
    const int n = gaugeCountOf(panel, w);
    if (n <= 0)
        return;
    window.gauges[static_cast<std::size_t>(n - 1)] = previousSlot;
    window.gaugeCount = n - 1;
}

Gauge removeGaugeAt(Panel& panel, int w, int g) {
    PanelWindow& window = panel.window(w);
    const int count = gaugeCountOf(panel, w);
    if (g < 0 || g >= count)
        return {};
    auto& gauges = window.gauges;
    Gauge removed = gauges[static_cast<std::size_t>(g)];
    for (int i = g; i < count - 1; ++i)
        gauges[static_cast<std::size_t>(i)] = gauges[static_cast<std::size_t>(i + 1)];
    window.gaugeCount = count - 1;
    return removed;
}

void insertGaugeAt(Panel& panel, int w, int g, const Gauge& gauge) {
    PanelWindow& window = panel.window(w);
    const int count = gaugeCountOf(panel, w);
    if (g < 0 || g > count || count >= kGaugeSlots)
        return;
    auto& gauges = window.gauges;
    // The slot at count still holds the last gauge (removal leaves it there), so moving
    // up from count - 1 restores every slot exactly.
    for (int i = count - 1; i >= g; --i)
        gauges[static_cast<std::size_t>(i + 1)] = gauges[static_cast<std::size_t>(i)];
    gauges[static_cast<std::size_t>(g)] = gauge;
    window.gaugeCount = count + 1;
}

std::string setGaugeModule(Panel& panel, int w, int g, const std::string& name) {
    Gauge& gauge = panel.gauge(w, g);
    std::string previous = std::move(gauge.gaugeName);
    gauge.gaugeName = name;
    return previous;
}

bool isWindowOrder(const WindowOrder& order) {
    std::array<bool, kWindowSlots> seen{};
    for (const int from : order) {
        if (!isWindowSlot(from) || seen[static_cast<std::size_t>(from)])
            return false;
        seen[static_cast<std::size_t>(from)] = true;
    }
    return true;
}

WindowOrder inverseWindowOrder(const WindowOrder& order) {
    WindowOrder inverse{};
    for (int i = 0; i < kWindowSlots; ++i)
        inverse[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])] = i;
    return inverse;
}

void moveWindowSections(Panel& panel, const WindowOrder& order) {
    if (!isWindowOrder(order))
        return;
    const std::array<PanelWindow, kWindowSlots> before = panel.windows;
    for (int i = 0; i < kWindowSlots; ++i) {
        PanelWindow& window = panel.window(i);
        std::string title = std::move(window.windowTitle);
        window = before[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])];
        window.windowTitle = std::move(title);
    }
}

bool applyFoundGaugeSize(Panel& panel, int w, int g, double size) {
    Gauge& gauge = panel.gauge(w, g);
    if (gauge.gaugeRefSize != -1)
        return false;
    gauge.gaugeSize = size;
    gauge.gaugeRefSize = size;
    return true;
}

bool hasOwnGaugeSize(const Gauge& gauge) {
    // A found size is positive (the module's width, or a tenth of the background's); a
    // size read from the file or given to an added gauge has the reference 0.
    const bool found = gauge.gaugeRefSize > 0 && gauge.gaugeSize == gauge.gaugeRefSize;
    return gauge.gaugeRefSize != -1 && !found;
}

} // namespace cockpix::fs98

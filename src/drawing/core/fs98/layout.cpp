#include "drawing/core/fs98/layout.h"

#include "base/core/numbertext.h"

namespace cockpix::fs98 {

double frameRatioX(double screenWidthPx) {
    return screenWidthPx != 0 ? (screenWidthPx - kFrameMarginX) / screenWidthPx : 0;
}

double frameRatioY(double screenHeightPx) {
    return screenHeightPx != 0 ? (screenHeightPx - kFrameMarginY) / screenHeightPx : 0;
}

void storeScreen(PanelDisplay& display, int screenWidthPx, int screenHeightPx) {
    display.screenWidthPx = screenWidthPx;
    display.screenHeightPx = screenHeightPx;
    display.frameRatioX = frameRatioX(display.screenWidthPx);
    display.frameRatioY = frameRatioY(display.screenHeightPx);
}

double windowMagnification(const Panel& panel, const PanelDisplay& display, int w) {
    return display.window(w).windowZoom * panel.window(w).windowSizeRatio;
}

PointF positionOffset(double position, double dx, double dy) {
    const double column[] = {0, dx / 2, dx};
    const double row[] = {0, dy / 2, dy};
    // Only the whole codes 0..8 place the picture; FS98 ignores anything else.
    if (!(position >= 0 && position <= 8) || position != static_cast<int>(position))
        return {0, 0};
    const int code = static_cast<int>(position);
    return {column[code % 3], row[code / 3]};
}

void storeBackgroundLayout(const Panel& panel, PanelDisplay& display, int w, BmpSize background) {
    WindowDisplay& shown = display.window(w);
    const PanelWindow& window = panel.window(w);
    shown.windowPixelWidth = background.width;
    shown.windowPixelHeight = background.height;
    if (window.windowSizeMm != 0)
        shown.windowScale = shown.windowPixelWidth / window.windowSizeMm;
    const double k = windowMagnification(panel, display, w);
    const double dx = (display.screenWidthPx - shown.windowPixelWidth * k) * display.frameRatioX;
    const double dy = (display.screenHeightPx - shown.windowPixelHeight * k) * display.frameRatioY;
    const PointF offset = positionOffset(window.windowPosition, dx, dy);
    shown.windowOffsetX = offset.x;
    shown.windowOffsetY = offset.y;
}

RectF backgroundRect(const Panel& panel, const PanelDisplay& display, int w) {
    const WindowDisplay& shown = display.window(w);
    const double k = windowMagnification(panel, display, w);
    return {shown.windowShiftX + shown.windowOffsetX, shown.windowShiftY + shown.windowOffsetY,
            shown.windowPixelWidth * k * display.frameRatioX,
            shown.windowPixelHeight * k * display.frameRatioY};
}

void storeGaugeBitmapSize(GaugeDisplay& gauge, BmpSize bitmap) {
    gauge.gaugeBitmapWidth = bitmap.width;
    gauge.gaugeBitmapHeight = bitmap.height;
    if (gauge.gaugeBitmapWidth != 0)
        gauge.gaugeAspect = gauge.gaugeBitmapHeight / gauge.gaugeBitmapWidth;
}

RectF gaugeRect(const Panel& panel, const PanelDisplay& display, int w, const Gauge& gauge,
                const GaugeDisplay& bitmap) {
    const WindowDisplay& shown = display.window(w);
    // Multiplied in the panel window's order, ((value x scale) x k) x frame ratio, so that
    // the pixels match to the last bit whatever caller places the gauge.
    const double k = windowMagnification(panel, display, w);
    return {gauge.gaugeX * shown.windowScale * k * display.frameRatioX + shown.windowShiftX +
                shown.windowOffsetX,
            gauge.gaugeY * shown.windowScale * k * display.frameRatioY + shown.windowShiftY +
                shown.windowOffsetY,
            gauge.gaugeSize * shown.windowScale * k * display.frameRatioX,
            gauge.gaugeSize * bitmap.gaugeAspect * shown.windowScale * k * display.frameRatioY};
}

RectF gaugeRect(const Panel& panel, const PanelDisplay& display, int w, int g) {
    return gaugeRect(panel, display, w, panel.gauge(w, g), display.gauge(w, g));
}

std::string panelWindowCaption(const Panel& panel, const PanelDisplay& display, int w) {
    const PanelWindow& window = panel.window(w);
    return "Window" + paddedNumberText(w) + ": " + window.windowTitle +
           " - Zoom :" + paddedNumberText(display.window(w).windowZoom) +
           " - Size:" + paddedNumberText(window.windowSizeMm) +
           " - Position:" + paddedNumberText(window.windowPosition) +
           " - size ratio:" + paddedNumberText(window.windowSizeRatio);
}

std::string gaugeTooltip(const Panel& panel, int w, int g) {
    return "gauge #" + std::to_string(g) + " : " + panel.gauge(w, g).gaugeName;
}

} // namespace cockpix::fs98

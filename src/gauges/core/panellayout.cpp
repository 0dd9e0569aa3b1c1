#include "gauges/core/panellayout.h"

#include "panel/core/numbertext.h"

namespace cockpix {

double frameRatioX(double screenWidthPx) {
    return screenWidthPx != 0 ? (screenWidthPx - kFrameMarginX) / screenWidthPx : 0;
}

double frameRatioY(double screenHeightPx) {
    return screenHeightPx != 0 ? (screenHeightPx - kFrameMarginY) / screenHeightPx : 0;
}

void storeScreen(PanelModel& model, int screenWidthPx, int screenHeightPx) {
    model.screenWidthPx = screenWidthPx;
    model.screenHeightPx = screenHeightPx;
    model.frameRatioX = frameRatioX(model.screenWidthPx);
    model.frameRatioY = frameRatioY(model.screenHeightPx);
}

double windowMagnification(const PanelModel& model, int w) {
    return model.window(w).windowZoom * model.window(w).windowSizeRatio;
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

void storeBackgroundLayout(PanelModel& model, int w, BmpSize background) {
    PanelWindow& window = model.window(w);
    window.windowPixelWidth = background.width;
    window.windowPixelHeight = background.height;
    if (window.windowSizeMm != 0)
        window.windowScale = window.windowPixelWidth / window.windowSizeMm;
    const double k = windowMagnification(model, w);
    const double dx = (model.screenWidthPx - window.windowPixelWidth * k) * model.frameRatioX;
    const double dy = (model.screenHeightPx - window.windowPixelHeight * k) * model.frameRatioY;
    const PointF offset = positionOffset(window.windowPosition, dx, dy);
    window.windowOffsetX = offset.x;
    window.windowOffsetY = offset.y;
}

RectF backgroundRect(const PanelModel& model, int w) {
    const PanelWindow& window = model.window(w);
    const double k = windowMagnification(model, w);
    return {window.windowShiftX + window.windowOffsetX, window.windowShiftY + window.windowOffsetY,
            window.windowPixelWidth * k * model.frameRatioX,
            window.windowPixelHeight * k * model.frameRatioY};
}

void storeGaugeBitmapSize(PanelModel& model, int w, int g, BmpSize bitmap) {
    Gauge& gauge = model.gauge(w, g);
    gauge.gaugeBitmapWidth = bitmap.width;
    gauge.gaugeBitmapHeight = bitmap.height;
    if (gauge.gaugeBitmapWidth != 0)
        gauge.gaugeAspect = gauge.gaugeBitmapHeight / gauge.gaugeBitmapWidth;
}

RectF gaugeRect(const PanelModel& model, int w, int g) {
    const PanelWindow& window = model.window(w);
    const Gauge& gauge = model.gauge(w, g);
    // Multiplied in the panel window's order, ((value x scale) x k) x frame ratio, so that
    // the pixels match to the last bit whatever caller places the gauge.
    const double k = windowMagnification(model, w);
    return {gauge.gaugeX * window.windowScale * k * model.frameRatioX + window.windowShiftX +
                window.windowOffsetX,
            gauge.gaugeY * window.windowScale * k * model.frameRatioY + window.windowShiftY +
                window.windowOffsetY,
            gauge.gaugeSize * window.windowScale * k * model.frameRatioX,
            gauge.gaugeSize * gauge.gaugeAspect * window.windowScale * k * model.frameRatioY};
}

std::string panelWindowCaption(const PanelModel& model, int w) {
    const PanelWindow& window = model.window(w);
    return "Window" + paddedNumberText(w) + ": " + window.windowTitle +
           " - Zoom :" + paddedNumberText(window.windowZoom) +
           " - Size:" + paddedNumberText(window.windowSizeMm) +
           " - Position:" + paddedNumberText(window.windowPosition) +
           " - size ratio:" + paddedNumberText(window.windowSizeRatio);
}

std::string gaugeTooltip(const PanelModel& model, int w, int g) {
    return "gauge #" + std::to_string(g) + " : " + model.gauge(w, g).gaugeName;
}

} // namespace cockpix

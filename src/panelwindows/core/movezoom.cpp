#include "panelwindows/core/movezoom.h"

#include "base/core/numbertext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace cockpix {
namespace {

double divided(double value, double by) {
    return by != 0 ? value / by : 0;
}

} // namespace

PreviewScale previewScale(double screenWidthPx, double screenHeightPx) {
    return {screenWidthPx / kPreviewWidthTwips, screenHeightPx / kPreviewHeightTwips};
}

double zoomForSlider(int v) {
    if (v >= 0)
        return 1 + v / 10.0;
    return 1 / (std::abs(v) / 10.0 + 1);
}

std::string zoomTextForSlider(int v) {
    return v == 0 ? std::string("1") : plainNumberText(zoomForSlider(v));
}

std::optional<double> sliderForZoom(double z) {
    if (!(z > 0) || !std::isfinite(z))
        return std::nullopt;
    if (z > 1)
        return (z - 1) * 10;
    if (z == 1)
        return 0.0;
    return 10 - 10 / z;
}

std::optional<int> zoomSliderPosition(double sliderValue) {
    if (!(sliderValue > kZoomSliderMinimum - 1 && sliderValue < kZoomSliderMaximum + 1))
        return std::nullopt;
    return std::clamp(static_cast<int>(roundHalfEven(sliderValue)), kZoomSliderMinimum,
                      kZoomSliderMaximum);
}

bool zoomAccepted(double z) {
    return z >= 0 && z <= kMaximumZoom;
}

int shiftSliderBound(double scale) {
    const double bound = roundHalfEven(std::abs(kShiftSliderLimit * scale));
    return static_cast<int>(std::min<double>(bound, kShiftSliderLimit));
}

// The bound is the slider's own rounded end, so that the slider at its end keeps the text it
// writes (32767 * 0.2127 = 6968.6 would clear the 6969 the slider wrote).
std::optional<int> shiftSliderForTyped(double t, double scale) {
    const double accepted = roundHalfEven(std::abs(kShiftSliderLimit * scale));
    if (!(std::abs(t) <= accepted))
        return std::nullopt;
    const int bound = shiftSliderBound(scale);
    return std::clamp(static_cast<int>(roundHalfEven(t)), -bound, bound);
}

fs98::PointF placementOffsetForZoom(const fs98::Panel& panel, const fs98::PanelDisplay& display,
                                    int w, double z) {
    const fs98::WindowDisplay& shown = display.window(w);
    const double k = z * panel.window(w).windowSizeRatio;
    const double dx = (display.screenWidthPx - shown.windowPixelWidth * k) * display.frameRatioX;
    const double dy = (display.screenHeightPx - shown.windowPixelHeight * k) * display.frameRatioY;
    return fs98::positionOffset(panel.window(w).windowPosition, dx, dy);
}

fs98::RectF previewPictureRect(const fs98::Panel& panel, const fs98::PanelDisplay& display, int w,
                               double z, fs98::PointF offset, fs98::PointF shift,
                               const PreviewScale& scale) {
    const fs98::WindowDisplay& shown = display.window(w);
    const double ratio = panel.window(w).windowSizeRatio;
    return {divided(offset.x + shift.x, scale.x), divided(offset.y + shift.y, scale.y),
            divided(kPreviewWidthTwips * shown.windowPixelWidth * ratio * z * display.frameRatioX,
                    display.screenWidthPx),
            divided(kPreviewHeightTwips * shown.windowPixelHeight * ratio * z * display.frameRatioY,
                    display.screenHeightPx)};
}

std::optional<double> autoAdjustZoom(double screenWidthPx, double windowPixelWidth) {
    if (!(windowPixelWidth > 0))
        return std::nullopt;
    return screenWidthPx / windowPixelWidth;
}

} // namespace cockpix

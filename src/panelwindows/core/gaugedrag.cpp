#include "panelwindows/core/gaugedrag.h"

#include "base/core/numbertext.h"
#include "gaugedialogs/core/gaugeproperties.h"

#include <algorithm>
#include <cmath>

namespace cockpix {
namespace {

bool usableFactor(double factor) {
    return std::isfinite(factor) && factor > 0;
}

std::string number(double value) {
    return plainNumberText(value);
}

} // namespace

double pixelsPerUnitX(const fs98::Panel& panel, const fs98::PanelDisplay& display, int w) {
    return display.window(w).windowScale * fs98::windowMagnification(panel, display, w) *
           display.frameRatioX;
}

double pixelsPerUnitY(const fs98::Panel& panel, const fs98::PanelDisplay& display, int w) {
    return display.window(w).windowScale * fs98::windowMagnification(panel, display, w) *
           display.frameRatioY;
}

std::optional<fs98::PointF> draggedGaugePlace(const fs98::Panel& panel,
                                              const fs98::PanelDisplay& display, int w, int g,
                                              double dx, double dy) {
    const double fx = pixelsPerUnitX(panel, display, w);
    const double fy = pixelsPerUnitY(panel, display, w);
    if (!usableFactor(fx) || !usableFactor(fy))
        return std::nullopt;
    return movedGaugePlace(panel.gauge(w, g), dx / fx, dy / fy);
}

fs98::PointF movedGaugePlace(const fs98::Gauge& gauge, double dx, double dy) {
    fs98::PointF place{gauge.gaugeX, gauge.gaugeY};
    if (dx != 0 && std::isfinite(dx))
        place.x = roundHalfEven(gauge.gaugeX + dx);
    if (dy != 0 && std::isfinite(dy))
        place.y = roundHalfEven(gauge.gaugeY + dy);
    return place;
}

std::optional<double> sizeForPictureWidth(const fs98::Panel& panel,
                                          const fs98::PanelDisplay& display, int w, double width) {
    const double fx = pixelsPerUnitX(panel, display, w);
    if (!usableFactor(fx) || !std::isfinite(width))
        return std::nullopt;
    return std::max(1.0, roundHalfEven(width / fx));
}

std::string gaugePlaceStatus(int g, double x, double y, double size, double windowScale) {
    return "Gauge #" + number(g) + " : X = " + number(x) + ", Y = " + number(y) +
           ", S = " + number(size) + "   (pixels: X = " + number(pixelsOf(windowScale, x)) +
           ", Y = " + number(pixelsOf(windowScale, y)) +
           ", S = " + number(pixelsOf(windowScale, size)) + ")";
}

} // namespace cockpix

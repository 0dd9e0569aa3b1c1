#include "panelwindows/core/gaugedrag.h"

#include "base/core/numbertext.h"
#include "gaugedialogs/core/gaugeproperties.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace cockpix {
namespace {

bool usableFactor(double factor) {
    return std::isfinite(factor) && factor > 0;
}

std::string number(double value) {
    return plainNumberText(value);
}

// As QString::number(value, 'g', 10), which the later formats' windows have always shown.
std::string tenDigits(double value) {
    std::array<char, 64> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                   std::chars_format::general, 10);
    return std::string(text.data(), end.ptr);
}

// "X = 12, Y = 40" or "x = 12, y = 40".
std::string valuesText(StatusSpelling spelling, std::initializer_list<StatusValue> values) {
    const bool fs98 = spelling == StatusSpelling::Fs98;
    std::string text;
    for (const StatusValue& v : values) {
        if (!text.empty())
            text += ", ";
        text += fs98 ? v.name : char(std::tolower(static_cast<unsigned char>(v.name)));
        text += " = " + (fs98 ? number(v.value) : tenDigits(v.value));
    }
    return text;
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

std::string gaugeStatus(StatusSpelling spelling, long number,
                        std::initializer_list<StatusValue> values) {
    const bool fs98 = spelling == StatusSpelling::Fs98;
    return (fs98 ? "Gauge #" : "gauge #") + std::to_string(number) + " : " +
           valuesText(spelling, values);
}

std::string gaugeStatus(fs2k::GaugeLineKind kind, long number,
                        std::initializer_list<StatusValue> values) {
    return std::string(fs2k::gaugeKeyPrefix(kind)) + " #" + std::to_string(number) + " : " +
           valuesText(StatusSpelling::Fs2k, values);
}

std::string gaugePlaceStatus(int g, double x, double y, double size, double windowScale) {
    return gaugeStatus(StatusSpelling::Fs98, g, {{'X', x}, {'Y', y}, {'S', size}}) +
           "   (pixels: " +
           valuesText(StatusSpelling::Fs98, {{'X', pixelsOf(windowScale, x)},
                                             {'Y', pixelsOf(windowScale, y)},
                                             {'S', pixelsOf(windowScale, size)}}) +
           ")";
}

} // namespace cockpix

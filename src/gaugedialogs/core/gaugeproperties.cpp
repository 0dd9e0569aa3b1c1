#include "gaugedialogs/core/gaugeproperties.h"

#include "base/core/numbertext.h"
#include "panel/core/placelimits.h"

#include <cmath>

namespace cockpix {

std::optional<std::string> typedPlaceProblem(fs98::GaugeField field, double value, double current) {
    const PlaceRange range =
        placeRange(field == fs98::GaugeField::Size ? PlaceKind::Size : PlaceKind::Position);
    if (range.holds(value) || value == current)
        return std::nullopt;
    return placeRangeMessage(field == fs98::GaugeField::X   ? "X"
                             : field == fs98::GaugeField::Y ? "Y"
                                                            : "S",
                             range);
}

std::optional<int> positionBarForTyped(double value) {
    if (!(value > kPositionBar.minimum && value < kPositionBar.maximum))
        return std::nullopt;
    return static_cast<int>(roundHalfEven(value));
}

std::optional<int> barForOpening(double value, const BarRange& range) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < range.minimum || rounded > range.maximum)
        return std::nullopt;
    return static_cast<int>(rounded);
}

std::optional<int> blinkBarForTyped(double value) {
    return barForOpening(value, kBlinkBar);
}

double pixelsOf(double windowScale, double value) {
    return truncateTowardZero(windowScale * value);
}

double heightPixelsOf(double gaugeAspect, double windowScale, double size) {
    return truncateTowardZero(gaugeAspect * windowScale * size);
}

UserText gaugePropertiesTitle(int g, const std::string& gaugeName) {
    return UserText("#" + plainNumberText(g) + "=") + UserText::panelText(gaugeName);
}

UserText removeGaugeQuestion(std::string_view gaugeName, TextEncoding encoding) {
    return UserText("Are you sure to remove gauge\n") + UserText::panelText(gaugeName, encoding) +
           " ?";
}

UserText removeGaugesQuestion(std::span<const std::string> gaugeNames, TextEncoding encoding) {
    UserText question("Are you sure to remove these " +
                      plainNumberText(static_cast<double>(gaugeNames.size())) + " gauges?");
    for (std::size_t i = 0; i < gaugeNames.size() && i < kListedGaugeNames; ++i)
        question += UserText("\n") + UserText::panelText(gaugeNames[i], encoding);
    if (gaugeNames.size() > kListedGaugeNames)
        question += UserText(
            "\n... and " +
            plainNumberText(static_cast<double>(gaugeNames.size() - kListedGaugeNames)) + " more");
    return question;
}

} // namespace cockpix

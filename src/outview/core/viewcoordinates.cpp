#include "outview/core/viewcoordinates.h"

#include "base/core/numbertext.h"

#include <cmath>

namespace cockpix {

const CoordinateRow& coordinateRow(ViewCoordinate row) {
    static const CoordinateRow rows[] = {
        {"X position =", 0, 8191, "0"},
        {"Y position =", 0, 6153, "0"},
        {"Horizontal size =", 1, 8191, "8191"},
        {"Vertical size =", 1, 6153, "6153"},
    };
    return rows[static_cast<int>(row)];
}

std::optional<int> barValueForText(ViewCoordinate row, std::string_view text) {
    const CoordinateRow& rule = coordinateRow(row);
    const double value = numericValue(text);
    if (!(value >= rule.minimum && value <= rule.maximum))
        return std::nullopt;
    return static_cast<int>(roundHalfEven(value));
}

double frameEdgeTwips(double scale, int barValue) {
    return std::floor(scale * barValue);
}

fs98::DefaultView confirmedView(const std::array<std::string, 4>& boxTexts,
                                const std::array<int, 4>& barValues) {
    const auto value = [&](ViewCoordinate row) {
        const auto i = static_cast<std::size_t>(row);
        if (!barValueForText(row, boxTexts[i]))
            return double(barValues[i]);
        return truncateTowardZero(numericValue(boxTexts[i]));
    };
    return {value(ViewCoordinate::X), value(ViewCoordinate::Y), value(ViewCoordinate::SizeX),
            value(ViewCoordinate::SizeY)};
}

double viewCoordinate(const fs98::DefaultView& view, ViewCoordinate row) {
    switch (row) {
    case ViewCoordinate::X:
        return view.x;
    case ViewCoordinate::Y:
        return view.y;
    case ViewCoordinate::SizeX:
        return view.sizeX;
    case ViewCoordinate::SizeY:
        return view.sizeY;
    }
    return 0;
}

} // namespace cockpix

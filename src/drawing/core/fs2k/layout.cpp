#include "drawing/core/fs2k/layout.h"

#include "base/core/blanks.h"
#include "base/core/filelookup.h"
#include "base/core/numbertext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace cockpix::fs2k {
namespace {

// Sizes beyond these are no sizes FS could show: they are held inside them so that the
// scales stay finite and above zero.
constexpr double kSmallestUnits = 1e-3;
constexpr double kLargestUnits = 1e9;
constexpr double kFineParts = 100; // numbers that were not whole go to hundredths

// A field read as C reads it: the leading number; nothing when it has none or it is not
// finite.
std::optional<double> numberOf(std::string_view field) {
    field = trimmedBlanks(field);
    if (!field.empty() && field.front() == '+')
        field.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The comma-separated numbers of a key; empty when the section lacks it.
std::vector<std::optional<double>> keyNumbers(const Window& window, std::string_view key) {
    std::vector<std::optional<double>> numbers;
    const Key* found = window.find(key);
    if (found == nullptr)
        return numbers;
    std::string_view rest = found->value;
    for (;;) {
        const std::size_t comma = rest.find(',');
        numbers.push_back(numberOf(rest.substr(0, comma)));
        if (comma == std::string_view::npos)
            return numbers;
        rest.remove_prefix(comma + 1);
    }
}

std::optional<double> positive(std::optional<double> value) {
    if (!value || !(*value > 0))
        return std::nullopt;
    return std::clamp(*value, kSmallestUnits, kLargestUnits);
}

std::optional<double> at(const std::vector<std::optional<double>>& numbers, std::size_t index) {
    return index < numbers.size() ? numbers[index] : std::nullopt;
}

struct Extent {
    std::optional<double> width, height;
};

// w[,h] of a key, each only when it is a size (above zero); a height without a width is
// no extent.
Extent extentOf(const Window& window, std::string_view key) {
    const auto numbers = keyNumbers(window, key);
    Extent extent{positive(at(numbers, 0)), positive(at(numbers, 1))};
    if (!extent.width)
        extent.height.reset();
    return extent;
}

std::optional<BmpSize> usable(std::optional<BmpSize> picture) {
    if (picture && picture->width > 0 && picture->height > 0)
        return picture;
    return std::nullopt;
}

double aspectOf(BmpSize picture) {
    return static_cast<double>(picture.height) / picture.width;
}

struct Screen {
    double width, height;
};

Screen screenOf(ScreenSize size) {
    return {std::max(1.0, static_cast<double>(size.width)),
            std::max(1.0, static_cast<double>(size.height))};
}

void setScales(WindowLayout& layout, double unitWidth, double unitHeight) {
    layout.unitWidth = std::clamp(unitWidth, kSmallestUnits, kLargestUnits);
    layout.unitHeight = std::clamp(unitHeight, kSmallestUnits, kLargestUnits);
    layout.pixelsPerUnitX = layout.rect.width / layout.unitWidth;
    layout.pixelsPerUnitY = layout.rect.height / layout.unitHeight;
}

// The zoom of a view, held to what the move/zoom dialog can ask.
double zoomOf(const fs98::ViewPlacement& view) {
    return std::isfinite(view.zoom) && view.zoom > 0 ? std::clamp(view.zoom, 1e-3, 50.0) : 1;
}

double clampExtent(double value, double screen, double reach) {
    return std::isfinite(value) ? std::clamp(value, 1.0, reach * screen) : reach * screen;
}

double clampPosition(double value, double screen, double reach) {
    const double limit = reach * screen;
    return std::isfinite(value) ? std::clamp(value, -limit, limit) : 0;
}

// The view's shift added to a corner.
fs98::PointF shifted(fs98::PointF corner, const fs98::ViewPlacement& view,
                     const WindowLayout& layout) {
    const auto finiteOr0 = [](double value) { return std::isfinite(value) ? value : 0; };
    return {clampPosition(corner.x + finiteOr0(view.shiftX), layout.screenWidth, layout.reach),
            clampPosition(corner.y + finiteOr0(view.shiftY), layout.screenHeight, layout.reach)};
}

// The texture at pixel_size (else size_mm, else the bitmap's own size), shrunk to fit the
// screen when it is larger. Its gauges are in the units of size_mm, which MSFS stretches
// over the texture (a height missing keeps the texture's aspect); without size_mm, in
// texture pixels.
WindowLayout textureLayout(const Extent& pixels, const Extent& mm, std::optional<BmpSize> bitmap,
                           Screen screen, const fs98::ViewPlacement& view) {
    const Extent& chosen = pixels.width ? pixels : mm;
    const double width = chosen.width ? *chosen.width : bitmap ? bitmap->width : kTextureSize;
    const double height = chosen.height ? *chosen.height
                          : bitmap      ? width * aspectOf(*bitmap)
                                        : width;
    const double zoom = zoomOf(view);
    const double scale = std::min({1.0, screen.width / width, screen.height / height}) * zoom;
    WindowLayout layout;
    layout.screenWidth = screen.width;
    layout.screenHeight = screen.height;
    layout.reach = kMaxScreens * std::max(1.0, zoom);
    const fs98::PointF corner = shifted({0, 0}, view, layout);
    layout.rect = {corner.x, corner.y, clampExtent(width * scale, screen.width, layout.reach),
                   clampExtent(height * scale, screen.height, layout.reach)};
    const double unitWidth = mm.width ? *mm.width : width;
    setScales(layout, unitWidth, mm.height ? *mm.height : unitWidth * height / width);
    return layout;
}

// The parts of a unit a number is rounded to: 1 when the line's number was whole or
// missing, else kFineParts.
double partsFor(std::optional<double> value) {
    return !value || *value == std::floor(*value) ? 1 : kFineParts;
}

// Divided, not multiplied by a step, so that 21.75 comes out as the double nearest 21.75.
double rounded(double value, double parts) {
    return roundHalfEven(value * parts) / parts;
}

// A coordinate or size back in panel units: the line's own number while its pixels stay.
double backToUnits(std::optional<double> line, double fallback, double shown, double now,
                   double origin, double pixelsPerUnit) {
    if (now == shown)
        return line ? *line : fallback;
    return rounded((now - origin) / pixelsPerUnit, partsFor(line));
}

// A size of the line, when it is one (above zero), as written.
std::optional<double> sizeGiven(std::optional<double> value) {
    return value && *value > 0 ? value : std::nullopt;
}

struct GaugeUnits {
    double x, y, width, height;
};

// What rectOfGauge lays out, in panel units.
GaugeUnits unitsOf(const Gauge& gauge, std::optional<BmpSize> picture, const WindowLayout& layout) {
    if (coversSection(gauge))
        return {0, 0, layout.unitWidth, layout.unitHeight};
    picture = usable(picture);
    std::optional<double> width = positive(gauge.width);
    std::optional<double> height = positive(gauge.height);
    const double aspect = picture ? aspectOf(*picture) : 1;
    if (width && !height)
        height = *width * aspect;
    else if (!width && height)
        width = *height / aspect;
    else if (!width && !height) {
        width = picture ? picture->width : kOutlineUnits;
        height = picture ? picture->height : kOutlineUnits;
    }
    const auto finiteOr0 = [](std::optional<double> value) {
        return value && std::isfinite(*value) ? *value : 0;
    };
    return {finiteOr0(gauge.x), finiteOr0(gauge.y), *width, *height};
}

} // namespace

std::string backgroundFile(const Window& window, int screenWidth) {
    if (const Key* key = window.find("file_" + std::to_string(screenWidth));
        key != nullptr && !key->value.empty())
        return key->value;
    const Key* key = window.find("file");
    return key != nullptr ? key->value : std::string();
}

std::optional<RgbColor> backgroundColorOf(const Window& window) {
    const auto numbers = keyNumbers(window, "background_color");
    if (numbers.size() != 3)
        return std::nullopt;
    std::uint8_t parts[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::optional<double> part = numbers[i];
        if (!part || *part < 0 || *part > 255 || *part != std::floor(*part))
            return std::nullopt;
        parts[i] = static_cast<std::uint8_t>(*part);
    }
    return RgbColor{parts[0], parts[1], parts[2]};
}

WindowLayout windowLayout(const Window& window, ScreenSize screenSize,
                          std::optional<BmpSize> background, const fs98::ViewPlacement& view) {
    const Screen screen = screenOf(screenSize);
    const std::optional<BmpSize> bitmap = usable(background);
    const Extent mm = extentOf(window, "size_mm");
    const Extent pixels = extentOf(window, "pixel_size");
    if (window.kind != WindowKind::Window)
        return textureLayout(pixels, mm, bitmap, screen, view);

    // size_mm=w,h gives the aspect; else the bitmap's, else pixel_size's, else square.
    const double aspect = mm.height       ? *mm.height / *mm.width
                          : bitmap        ? aspectOf(*bitmap)
                          : pixels.height ? *pixels.height / *pixels.width
                                          : 1;
    const double ratio = positive(at(keyNumbers(window, "window_size_ratio"), 0)).value_or(1);
    double width = (bitmap         ? bitmap->width
                    : mm.width     ? *mm.width
                    : pixels.width ? *pixels.width
                                   : kTextureSize) *
                   ratio;
    double height = width * aspect;

    const auto size = keyNumbers(window, "window_size");
    const auto pos = keyNumbers(window, "window_pos");
    WindowLayout layout;
    layout.screenWidth = screen.width;
    layout.screenHeight = screen.height;
    if (const std::optional<double> fraction = positive(at(size, 0))) {
        width = *fraction * screen.width;
        const std::optional<double> down = positive(at(size, 1));
        height = down ? *down * screen.height : width * aspect;
        layout.byFractions = true;
    }
    width = clampExtent(width, screen.width, kMaxScreens);
    height = clampExtent(height, screen.height, kMaxScreens);
    // Gauge units: pixel_size where set, else size_mm, else the bitmap's pixels (else the
    // window's own, unzoomed).
    const Extent& units = pixels.width ? pixels : mm;
    const double unitWidth = units.width ? *units.width : bitmap ? bitmap->width : width;
    const double unitHeight = units.height ? *units.height : unitWidth * height / width;

    const double zoom = zoomOf(view);
    layout.reach = kMaxScreens * std::max(1.0, zoom);
    width = clampExtent(width * zoom, screen.width, layout.reach);
    height = clampExtent(height * zoom, screen.height, layout.reach);
    fs98::PointF corner;
    if (at(pos, 0) && at(pos, 1)) {
        corner = {clampPosition(*at(pos, 0) * screen.width, screen.width, kMaxScreens),
                  clampPosition(*at(pos, 1) * screen.height, screen.height, kMaxScreens)};
        layout.byFractions = true;
    } else {
        const double code = at(keyNumbers(window, "position"), 0).value_or(0);
        corner = fs98::positionOffset(code, screen.width - width, screen.height - height);
    }
    corner = shifted(corner, view, layout);
    layout.rect = {corner.x, corner.y, width, height};
    setScales(layout, unitWidth, unitHeight);
    return layout;
}

fs98::RectF rectOfGauge(const Gauge& gauge, const WindowLayout& layout,
                        std::optional<BmpSize> picture) {
    const GaugeUnits units = unitsOf(gauge, picture, layout);
    const double limitX = layout.reach * std::max(1.0, layout.screenWidth);
    const double limitY = layout.reach * std::max(1.0, layout.screenHeight);
    const auto held = [](double value, double low, double high) {
        return std::isfinite(value) ? std::clamp(value, low, high) : high;
    };
    // An instrument of a pixel or none (MSFS's logic and WASM systems) is still seen and taken.
    const double least = gauge.kind == GaugeLineKind::Gauge ? 0 : kSmallestInstrumentPixels;
    return {held(layout.rect.left + units.x * layout.pixelsPerUnitX, -limitX, limitX),
            held(layout.rect.top + units.y * layout.pixelsPerUnitY, -limitY, limitY),
            held(std::max(least, units.width * layout.pixelsPerUnitX), 0, limitX),
            held(std::max(least, units.height * layout.pixelsPerUnitY), 0, limitY)};
}

GaugePlace placeOfRect(const Gauge& gauge, const WindowLayout& layout,
                       std::optional<BmpSize> picture, const fs98::RectF& pixels) {
    const GaugeUnits units = unitsOf(gauge, picture, layout);
    const fs98::RectF shown = rectOfGauge(gauge, layout, picture);
    const double x = backToUnits(gauge.x, units.x, shown.left, pixels.left, layout.rect.left,
                                 layout.pixelsPerUnitX);
    const double y = backToUnits(gauge.y, units.y, shown.top, pixels.top, layout.rect.top,
                                 layout.pixelsPerUnitY);
    const double width = backToUnits(sizeGiven(gauge.width), units.width, shown.width, pixels.width,
                                     0, layout.pixelsPerUnitX);
    const double height = backToUnits(sizeGiven(gauge.height), units.height, shown.height,
                                      pixels.height, 0, layout.pixelsPerUnitY);
    return {x, y, std::max(width, 1 / partsFor(sizeGiven(gauge.width))),
            std::max(height, 1 / partsFor(sizeGiven(gauge.height)))};
}

fs98::PointF draggedPlace(const Gauge& gauge, const WindowLayout& layout, double dx, double dy) {
    return placeAfterMove(gauge, dx / layout.pixelsPerUnitX, dy / layout.pixelsPerUnitY);
}

fs98::PointF placeAfterMove(const Gauge& gauge, double dx, double dy) {
    fs98::PointF place{gauge.x.value_or(0), gauge.y.value_or(0)};
    if (dx != 0 && std::isfinite(dx))
        place.x = rounded(place.x + dx, partsFor(gauge.x));
    if (dy != 0 && std::isfinite(dy))
        place.y = rounded(place.y + dy, partsFor(gauge.y));
    return place;
}

std::string windowCaption(const Panel& panel, const Window& window) {
    if (window.kind == WindowKind::Window) {
        if (const Title* title = panel.titleOf(window.number);
            title != nullptr && !title->title.empty())
            return title->title;
    }
    return window.header;
}

bool coversSection(const Gauge& gauge) {
    return gauge.kind != GaugeLineKind::Gauge && !gauge.x && !gauge.y;
}

std::string instrumentName(std::string_view name) {
    const std::string_view path = name.substr(0, name.find('?'));
    const std::string_view query = name.substr(std::min(name.size(), path.size() + 1));
    const auto fileOf = [](std::string_view text) {
        text = text.substr(std::min(text.size(), text.find_last_of("/\\") + 1));
        return text.substr(0, text.rfind('.'));
    };
    const auto parameter = [query](std::string_view key) {
        for (std::string_view rest = query; !rest.empty();) {
            const std::string_view part = rest.substr(0, rest.find('&'));
            rest.remove_prefix(std::min(rest.size(), part.size() + 1));
            if (part.size() > key.size() && part.substr(0, key.size()) == key &&
                part[key.size()] == '=')
                return part.substr(key.size() + 1);
        }
        return std::string_view();
    };
    std::string shown(fileOf(path));
    if (asciiLowered(shown) == "wasminstrument") {
        const std::string_view gauge = parameter("wasm_gauge");
        const std::string_view module = parameter("wasm_module");
        if (!gauge.empty())
            shown = std::string(gauge) + (module.empty() ? "" : " (" + std::string(module) + ")");
    }
    return elidedName(shown);
}

std::string elidedName(std::string_view name) {
    if (name.size() <= kLongestShownName)
        return std::string(name);
    const std::size_t half = (kLongestShownName - 3) / 2;
    return std::string(name.substr(0, half)) + "..." + std::string(name.substr(name.size() - half));
}

std::string gaugeLabel(GaugeLineKind kind, long number, std::string_view name) {
    return std::string(gaugeKeyPrefix(kind)) + " #" + std::to_string(number) + " : " +
           elidedName(name);
}

std::string tooltipOfGauge(std::string_view name, long number, std::string_view reason) {
    std::string text = gaugeLabel(GaugeLineKind::Gauge, number, name);
    if (!reason.empty())
        text += "\n" + std::string(reason);
    return text;
}

} // namespace cockpix::fs2k

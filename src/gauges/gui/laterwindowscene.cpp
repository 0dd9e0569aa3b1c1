#include "gauges/gui/laterwindowscene.h"

#include "base/core/filelookup.h"
#include "base/gui/modeltext.h"
#include "gauges/gui/panelrenderer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace cockpix {
namespace {

// A gauge line without a size, whose picture could not be found, still needs a place the
// user can see and take with the mouse.
constexpr double kOutlineUnits = 32;
// No gauge or window is drawn larger than this many times the frame: a typo of 1e300
// must not ask for a picture of that size.
constexpr double kLargestFrames = 100;

std::vector<double> numbersOf(std::string_view value) {
    std::vector<double> numbers;
    while (!value.empty()) {
        const std::size_t comma = value.find(',');
        std::string_view field = value.substr(0, comma);
        while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
            field.remove_prefix(1);
        double number = 0;
        const auto [end, error] =
            std::from_chars(field.data(), field.data() + field.size(), number);
        numbers.push_back(error == std::errc() && std::isfinite(number) ? number : 0);
        (void)end;
        if (comma == std::string_view::npos)
            break;
        value.remove_prefix(comma + 1);
    }
    return numbers;
}

std::vector<double> keyNumbers(const LaterWindow& window, std::string_view key) {
    const LaterKey* found = window.find(key);
    return found ? numbersOf(found->value) : std::vector<double>{};
}

double clampedPixels(double value, double frame) {
    if (!std::isfinite(value))
        return 0;
    return std::clamp(value, -kLargestFrames * frame, kLargestFrames * frame);
}

std::string backgroundFile(const LaterWindow& window, int screenWidth) {
    const std::string sized = "file_" + std::to_string(screenWidth);
    if (const LaterKey* key = window.find(sized); key && !key->value.empty())
        return key->value;
    const LaterKey* plain = window.find("file");
    return plain ? plain->value : std::string();
}

std::optional<QColor> backgroundColor(const LaterWindow& window) {
    const std::vector<double> rgb = keyNumbers(window, "background_color");
    if (rgb.size() < 3)
        return std::nullopt;
    const auto channel = [](double v) { return int(std::clamp(v, 0.0, 255.0)); };
    return QColor(channel(rgb[0]), channel(rgb[1]), channel(rgb[2]));
}

// Where the window goes: window_pos and window_size as fractions of the screen when the
// section has them, else its size in size_mm units (the bitmap's size where it has one)
// at its position code, scaled by window_size_ratio. A virtual cockpit is its texture.
void placeWindow(const LaterWindow& window, const QImage& background, LaterWindowScene& scene) {
    const double screenW = scene.frame.width();
    const double screenH = scene.frame.height();
    const std::vector<double> sizeMm = keyNumbers(window, "size_mm");
    const std::vector<double> pixelSize = keyNumbers(window, "pixel_size");
    const double aspect = background.isNull() || background.width() == 0
                              ? (sizeMm.size() >= 2 && sizeMm[0] > 0 ? sizeMm[1] / sizeMm[0] : 1)
                              : double(background.height()) / background.width();
    const std::vector<double> pos = keyNumbers(window, "window_pos");
    const std::vector<double> size = keyNumbers(window, "window_size");
    RectF& rect = scene.windowRect;
    if (pos.size() >= 2 && !size.empty()) {
        rect.left = pos[0] * screenW;
        rect.top = pos[1] * screenH;
        rect.width = size[0] * screenW;
        rect.height = size.size() >= 2 ? size[1] * screenH : rect.width * aspect;
    } else {
        const std::vector<double> ratio = keyNumbers(window, "window_size_ratio");
        const double k = ratio.empty() || ratio[0] <= 0 ? 1 : ratio[0];
        rect.width = (!background.isNull() ? background.width()
                      : !pixelSize.empty() ? pixelSize[0]
                      : !sizeMm.empty()    ? sizeMm[0]
                                           : screenW) *
                     k;
        rect.height = rect.width * aspect;
        const std::vector<double> position = keyNumbers(window, "position");
        const PointF at = positionOffset(position.empty() ? 0 : position[0], screenW - rect.width,
                                         screenH - rect.height);
        rect.left = at.x;
        rect.top = at.y;
    }
    rect.left = clampedPixels(rect.left, screenW);
    rect.top = clampedPixels(rect.top, screenH);
    rect.width = std::max(0.0, clampedPixels(rect.width, screenW));
    rect.height = std::max(0.0, clampedPixels(rect.height, screenH));
    // Gauge coordinates are in the units of size_mm, or of pixel_size where that is set.
    const std::vector<double>& units = !pixelSize.empty() ? pixelSize : sizeMm;
    if (!units.empty() && units[0] > 0) {
        scene.unitX = rect.width / units[0];
        scene.unitY = units.size() >= 2 && units[1] > 0 ? rect.height / units[1] : scene.unitX;
    }
    // A window of no size still takes drags back to units: one pixel a unit.
    if (!(scene.unitX > 0) || !std::isfinite(scene.unitX))
        scene.unitX = 1;
    if (!(scene.unitY > 0) || !std::isfinite(scene.unitY))
        scene.unitY = 1;
}

RectF gaugeRect(const LaterGauge& gauge, const QImage& picture, const LaterWindowScene& scene) {
    const double pictureW = picture.isNull() ? kOutlineUnits : picture.width() / scene.unitX;
    const double pictureH = picture.isNull() ? kOutlineUnits : picture.height() / scene.unitY;
    double w = gauge.width.value_or(pictureW);
    double h = gauge.height  ? *gauge.height
               : gauge.width ? w *
                                   (picture.isNull() || picture.width() == 0
                                        ? 1
                                        : double(picture.height()) / picture.width()) *
                                   scene.unitX / scene.unitY
                             : pictureH;
    const double frameW = scene.frame.width();
    const double frameH = scene.frame.height();
    RectF rect;
    rect.left = clampedPixels(scene.windowRect.left + gauge.x.value_or(0) * scene.unitX, frameW);
    rect.top = clampedPixels(scene.windowRect.top + gauge.y.value_or(0) * scene.unitY, frameH);
    rect.width = std::max(0.0, clampedPixels(w * scene.unitX, frameW));
    rect.height = std::max(0.0, clampedPixels(h * scene.unitY, frameH));
    return rect;
}

bool isWhole(std::optional<double> value) {
    return !value || std::floor(*value) == *value;
}

double inUnits(double value, bool whole) {
    return whole ? std::round(value) : value;
}

} // namespace

LaterWindowScene laterWindowScene(const LaterSceneSource& source, std::size_t index, QSize screen,
                                  const LaterPictureLookup& pictures) {
    LaterWindowScene scene;
    if (!source.panel || !source.lines || index >= source.panel->windows.size())
        return scene;
    const LaterWindow& window = source.panel->windows[index];
    const LaterTitle* title =
        window.kind == LaterWindowKind::Window ? source.panel->titleOf(window.number) : nullptr;
    scene.caption = fromPanelText(title ? title->title : window.header, source.encoding);
    scene.frame = screen;
    if (window.kind == LaterWindowKind::Vcockpit) {
        const std::vector<double> texture = keyNumbers(window, "pixel_size");
        if (texture.size() >= 2 && texture[0] >= 1 && texture[1] >= 1)
            scene.frame =
                QSize(int(std::min(texture[0], 8192.0)), int(std::min(texture[1], 8192.0)));
    }
    const std::string file = backgroundFile(window, screen.width());
    if (!file.empty())
        scene.background = loadBitmapImage(resolvePathIgnoringCase(source.panelDir + file));
    scene.backColor = backgroundColor(window);
    placeWindow(window, scene.background, scene);

    for (const LaterGauge& gauge : window.gauges) {
        LaterSceneGauge shown;
        shown.line = gauge.line;
        shown.number = gauge.number;
        const std::string_view name = laterGaugeName(*source.lines, gauge.line);
        shown.name = fromPanelText(name, source.encoding);
        if (pictures) {
            LaterScenePicture found = pictures(name);
            shown.picture = std::move(found.picture);
            shown.reason = std::move(found.reason);
        }
        shown.rect = gaugeRect(gauge, shown.picture, scene);
        scene.gauges.push_back(std::move(shown));
    }
    return scene;
}

QString laterGaugeLabel(const LaterSceneGauge& gauge) {
    return QStringLiteral("gauge #%1 : %2").arg(gauge.number).arg(gauge.name);
}

QString laterGaugeToolTip(const LaterSceneGauge& gauge) {
    if (gauge.picture.isNull() && !gauge.reason.isEmpty())
        return laterGaugeLabel(gauge) + QLatin1Char('\n') + gauge.reason;
    return laterGaugeLabel(gauge);
}

LaterUnits laterDraggedPlace(const LaterWindowScene& scene, const LaterGauge& gauge,
                             double dxPixels, double dyPixels) {
    const bool whole = isWhole(gauge.x) && isWhole(gauge.y);
    return {inUnits(gauge.x.value_or(0) + dxPixels / scene.unitX, whole),
            inUnits(gauge.y.value_or(0) + dyPixels / scene.unitY, whole)};
}

LaterUnits laterResizedSize(const LaterWindowScene& scene, const LaterGauge& gauge,
                            double widthPixels, double heightPixels) {
    const bool whole = isWhole(gauge.width) && isWhole(gauge.height);
    return {inUnits(widthPixels / scene.unitX, whole), inUnits(heightPixels / scene.unitY, whole)};
}

} // namespace cockpix

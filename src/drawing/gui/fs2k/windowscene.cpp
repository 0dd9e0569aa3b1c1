#include "drawing/gui/fs2k/windowscene.h"

#include "base/core/filelookup.h"
#include "base/gui/modeltext.h"
#include "drawing/gui/gaugeoutline.h"
#include "drawing/gui/panelrenderer.h"

#include <algorithm>
#include <cmath>

namespace cockpix::fs2k {
namespace {

std::optional<BmpSize> sizeOf(const QImage& picture) {
    if (picture.isNull())
        return std::nullopt;
    return BmpSize{picture.width(), picture.height()};
}

QColor toQColor(const RgbColor& color) {
    return QColor(color.red, color.green, color.blue);
}

// Each gauge with its label and rectangle: a module's gauge with the picture FS would find,
// an instrument as its named outline.
void addSceneGauges(WindowScene& scene, const SceneSource& source, const Window& window,
                    const PictureLookup& pictures) {
    std::vector<std::string_view> modules;
    for (const Gauge& gauge : window.gauges) {
        if (gauge.kind == GaugeLineKind::Gauge)
            modules.push_back(gaugeLineName(*source.lines, gauge.line));
    }
    std::vector<GaugePicture> found = pictures ? pictures(modules) : std::vector<GaugePicture>{};
    std::size_t module = 0;
    scene.gauges.reserve(window.gauges.size());
    for (const Gauge& gauge : window.gauges) {
        const std::string_view name = gaugeLineName(*source.lines, gauge.line);
        SceneGauge shown;
        shown.line = gauge.line;
        shown.number = gauge.number;
        shown.kind = gauge.kind;
        shown.label = fromPanelText(gaugeLabel(gauge.kind, gauge.number, name), source.encoding);
        shown.outline = shown.label;
        if (gauge.kind != GaugeLineKind::Gauge) {
            shown.outline = fromPanelText(instrumentName(name), source.encoding);
            if (coversSection(gauge)) {
                shown.underneath = true;
                shown.reason = QString::fromUtf8(kCoversSectionNote.data(),
                                                 qsizetype(kCoversSectionNote.size()));
                shown.outline += QLatin1Char('\n') + shown.reason;
            }
        } else if (module < found.size()) {
            shown.picture = std::move(found[module].picture);
            shown.reason = std::move(found[module].reason);
        }
        if (gauge.kind == GaugeLineKind::Gauge)
            ++module;
        shown.rect = rectOfGauge(gauge, scene.layout, sizeOf(shown.picture));
        scene.gauges.push_back(std::move(shown));
    }
}

} // namespace

QImage BackgroundCache::picture(const std::string& path) {
    const std::optional<FileStamp> stamp = fileStamp(path);
    if (path != m_path || !stamp || stamp != m_stamp) {
        m_path = path;
        m_stamp = stamp;
        m_picture = loadBitmapImage(path);
    }
    return m_picture;
}

WindowScene windowScene(const SceneSource& source, std::size_t index, QSize screen,
                        const PictureLookup& pictures) {
    WindowScene scene;
    if (!source.panel || !source.lines || index >= source.panel->windows.size())
        return scene;
    const Window& window = source.panel->windows[index];
    scene.frame = screen;
    scene.caption = fromPanelText(windowCaption(*source.panel, window), source.encoding);
    const std::string file = backgroundFile(window, screen.width());
    if (!file.empty()) {
        const std::string path = resolvePathIgnoringCase(source.panelDir + file);
        scene.background =
            source.backgrounds ? source.backgrounds->picture(path) : loadBitmapImage(path);
    }
    if (const auto color = backgroundColorOf(window))
        scene.backColor = toQColor(*color);
    const ScreenSize screenSize{screen.width(), screen.height()};
    scene.layout = windowLayout(window, screenSize, sizeOf(scene.background), source.view);
    if (window.kind != WindowKind::Window) {
        // A texture, not a place on the screen: its frame is the texture as drawn at zoom 1,
        // large enough for the outline of an instrument on a texture of a pixel (MSFS's logic).
        const fs98::RectF texture = windowLayout(window, screenSize, sizeOf(scene.background)).rect;
        const int least = int(4 * kSmallestInstrumentPixels);
        scene.frame = QSize(std::max(least, int(std::ceil(texture.width))),
                            std::max(least, int(std::ceil(texture.height))));
    }
    addSceneGauges(scene, source, window, pictures);
    return scene;
}

void paintWindowScene(QPainter& painter, const WindowScene& scene, const QColor& frameColor) {
    const QRect frame(QPoint(0, 0), scene.frame);
    painter.fillRect(frame, frameColor);
    const QRect window = pixelRect(scene.layout.rect);
    // A scene is painted once: no stretched part is kept.
    if (!scene.background.isNull()) {
        StretchedPart once;
        paintClippedPicture(painter, frame, window, scene.background, false, once);
    } else if (scene.backColor) {
        painter.fillRect(window.intersected(frame), *scene.backColor);
    }
    for (const SceneGauge& gauge : scene.gauges) {
        const QRect rect = pixelRect(gauge.rect);
        if (rect.isEmpty() || !rect.intersects(frame))
            continue;
        if (gauge.picture.isNull()) {
            paintGaugeOutline(painter, rect, gauge.outline);
        } else {
            StretchedPart once;
            paintClippedPicture(painter, frame, rect, gauge.picture, false, once);
        }
    }
}

QImage renderWindowScene(const WindowScene& scene, const QColor& frameColor) {
    if (scene.frame.isEmpty())
        return {};
    QImage image(scene.frame, QImage::Format_RGB32);
    image.fill(frameColor);
    QPainter painter(&image);
    paintWindowScene(painter, scene, frameColor);
    painter.end();
    return image;
}

bool windowOutsideFrame(const WindowScene& scene) {
    // Half a pixel of slack: the rectangle is in fractions, the frame in whole pixels.
    const fs98::RectF& rect = scene.layout.rect;
    return rect.left < -0.5 || rect.top < -0.5 ||
           rect.left + rect.width > scene.frame.width() + 0.5 ||
           rect.top + rect.height > scene.frame.height() + 0.5;
}

QString gaugeToolTip(const SceneGauge& gauge) {
    if (gauge.picture.isNull() && !gauge.reason.isEmpty())
        return gauge.label + QLatin1Char('\n') + gauge.reason;
    return gauge.label;
}

fs98::PointF draggedUnits(const WindowScene& scene, const Gauge& gauge, double dx, double dy) {
    return draggedPlace(gauge, scene.layout, dx, dy);
}

GaugePlace resizedUnits(const WindowScene& scene, std::size_t i, const Gauge& gauge, double width,
                        double height) {
    if (i >= scene.gauges.size())
        return {};
    const SceneGauge& shown = scene.gauges[i];
    fs98::RectF pixels = shown.rect;
    pixels.width = width;
    pixels.height = height;
    return placeOfRect(gauge, scene.layout, sizeOf(shown.picture), pixels);
}

} // namespace cockpix::fs2k

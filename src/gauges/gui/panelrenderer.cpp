#include "gauges/gui/panelrenderer.h"

#include "app/core/filelookup.h"
#include "gauges/core/bmpheader.h"
#include "gauges/core/gaugeextraction.h"

#include <QPainter>
#include <QString>
#include <algorithm>
#include <climits>
#include <cmath>

namespace cockpix {
namespace {

void warnAll(const PanelSceneCallbacks& callbacks, const std::vector<std::string>& warnings) {
    if (!callbacks.warn)
        return;
    for (const std::string& text : warnings)
        callbacks.warn(text);
}

void report(const PanelSceneCallbacks& callbacks, const std::string& caption, int percent) {
    if (callbacks.progress)
        callbacks.progress(caption, percent);
}

// A bitmap that is cut off counts as not loadable, as it did for FS98's picture loader.
QImage loadImage(const std::string& path) {
    QImage image;
    const auto bytes = path.empty() ? std::nullopt : readWholeFile(path);
    if (bytes && bmpPixelsComplete(*bytes))
        image.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                           static_cast<int>(std::min<std::size_t>(bytes->size(), INT_MAX)), "BMP");
    return image;
}

// The background, replaced once by the program's default when it cannot be loaded.
QImage loadBackground(const PanelModel& model, int w, const PanelSceneCallbacks& callbacks) {
    const QImage image = loadImage(resolvePathIgnoringCase(backgroundBitmapPath(model, w)));
    if (!image.isNull())
        return image;
    const BackgroundRepair repair = restoreDefaultBackground(model, w);
    warnAll(callbacks, repair.warnings);
    return loadImage(repair.backgroundPath);
}

// The gauge's picture, replaced once by the default gauge bitmap when it will not load.
QImage loadGaugePicture(const PanelModel& model, int w, int i, const GaugeBitmapResult& extracted,
                        const PanelSceneCallbacks& callbacks) {
    if (extracted.source == GaugeBitmapSource::None)
        return loadImage(extracted.bitmapPath); // already warned; maybe the default in place
    const QImage image = loadImage(extracted.bitmapPath);
    if (!image.isNull())
        return image;
    const GaugeBitmapResult repair = repairGaugeBitmap(model, w, i);
    warnAll(callbacks, repair.warnings);
    return loadImage(repair.bitmapPath);
}

} // namespace

PanelScene loadPanelScene(PanelModel& model, int w, QSize screenPixels,
                          const PanelSceneCallbacks& callbacks) {
    PanelScene scene;
    scene.window = w;
    scene.frame = screenPixels;
    scene.backColor = colorFromColorRef(model.panelBackColor);
    scene.frameAroundGauges = model.options.frameAroundGauges;
    const int n = std::clamp(model.window(w).gaugeCount, 0, kGaugeSlots);

    std::vector<GaugeBitmapResult> extracted;
    extracted.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        report(callbacks, extractionProgressCaption(i, n), progressPercent(i, n));
        extracted.push_back(extractGaugeBitmap(model, w, i));
        warnAll(callbacks, extracted.back().warnings);
    }

    scene.background = loadBackground(model, w, callbacks);
    storeScreen(model, screenPixels.width(), screenPixels.height());
    // Without any picture the window keeps its previous measurements, as FS98's panel
    // tool skipped the failing statements.
    if (!scene.background.isNull())
        storeBackgroundLayout(model, w, {scene.background.width(), scene.background.height()});
    scene.backgroundRect = backgroundRect(model, w);

    for (int i = 0; i < n; ++i) {
        report(callbacks, drawingProgressCaption(i, n), progressPercent(i, n));
        Gauge& gauge = model.gauge(w, i);
        if (gauge.gaugeRefSize == -1) {
            report(callbacks, sizeSearchProgressCaption(i, n), progressPercent(i, n));
            warnAll(callbacks, findGaugeSize(model, w, i).warnings);
            gauge.gaugeRefSize = gauge.gaugeSize;
        }
        PanelSceneGauge item;
        item.index = i;
        item.picture =
            loadGaugePicture(model, w, i, extracted[static_cast<std::size_t>(i)], callbacks);
        if (!item.picture.isNull())
            storeGaugeBitmapSize(model, w, i, {item.picture.width(), item.picture.height()});
        item.rect = gaugeRect(model, w, i);
        scene.gauges.push_back(std::move(item));
    }
    return scene;
}

QRect pixelRect(const RectF& rect) {
    // The image controls take single-precision pixel values; whole pixels on screen.
    auto whole = [](double value) {
        if (!std::isfinite(value))
            return 0;
        return static_cast<int>(std::lround(std::clamp(value, -1e6, 1e6)));
    };
    return QRect(whole(rect.left), whole(rect.top), std::max(0, whole(rect.width)),
                 std::max(0, whole(rect.height)));
}

void paintPanelScene(QPainter& painter, const PanelScene& scene) {
    painter.fillRect(QRect(QPoint(0, 0), scene.frame), scene.backColor);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (!scene.background.isNull())
        painter.drawImage(pixelRect(scene.backgroundRect), scene.background);
    for (const PanelSceneGauge& gauge : scene.gauges) {
        const QRect rect = pixelRect(gauge.rect);
        if (rect.isEmpty())
            continue;
        if (!gauge.picture.isNull())
            painter.drawImage(rect, gauge.picture);
        if (scene.frameAroundGauges) {
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
        }
    }
}

QImage renderPanelScene(const PanelScene& scene) {
    QImage image(scene.frame, QImage::Format_RGB32);
    image.fill(scene.backColor);
    QPainter painter(&image);
    paintPanelScene(painter, scene);
    painter.end();
    return image;
}

QColor colorFromColorRef(ColorRef color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

} // namespace cockpix

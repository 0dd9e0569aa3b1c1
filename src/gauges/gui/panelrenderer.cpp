#include "gauges/gui/panelrenderer.h"

#include "base/core/bmpheader.h"
#include "base/core/filelookup.h"
#include "base/gui/colorref.h"
#include "gauges/core/gaugeextraction.h"

#include <QPainter>
#include <QString>
#include <algorithm>
#include <climits>
#include <cmath>

namespace cockpix {
namespace {

void warnAll(const PanelSceneCallbacks& callbacks, const std::vector<UserText>& warnings) {
    if (!callbacks.warn)
        return;
    for (const UserText& text : warnings)
        callbacks.warn(text);
}

void report(const PanelSceneCallbacks& callbacks, const std::string& caption, int percent) {
    if (callbacks.progress)
        callbacks.progress(caption, percent);
}

// The background, replaced once by the program's default when it cannot be loaded.
QImage loadBackground(const Panel& panel, const AppModel& app, int w,
                      const PanelSceneCallbacks& callbacks) {
    const QImage image =
        loadBitmapImage(resolvePathIgnoringCase(backgroundBitmapPath(panel, app.dirs, w).path));
    if (!image.isNull())
        return image;
    const BackgroundRepair repair = restoreDefaultBackground(panel, app, w);
    warnAll(callbacks, repair.warnings);
    return loadBitmapImage(repair.backgroundPath);
}

// The gauge's picture, replaced once by the default gauge bitmap when it will not load.
QImage loadGaugePicture(const Panel& panel, const AppModel& app, int w, int i,
                        const GaugeBitmapResult& extracted, const PanelSceneCallbacks& callbacks) {
    if (extracted.source == GaugeBitmapSource::None)
        return loadBitmapImage(extracted.bitmapPath); // already warned; maybe the default
    const QImage image = loadBitmapImage(extracted.bitmapPath);
    if (!image.isNull())
        return image;
    const GaugeBitmapResult repair = repairGaugeBitmap(panel, app, w, i);
    warnAll(callbacks, repair.warnings);
    return loadBitmapImage(repair.bitmapPath);
}

} // namespace

QImage loadBitmapImage(const std::string& path) {
    QImage image;
    const auto bytes = path.empty() ? std::nullopt : readWholeFile(path);
    if (bytes && bmpPixelsComplete(*bytes))
        image.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                           static_cast<int>(std::min<std::size_t>(bytes->size(), INT_MAX)), "BMP");
    return image;
}

PanelScene loadPanelScene(const Panel& panel, AppModel& app, int w, QSize screenPixels,
                          const PanelSceneCallbacks& callbacks) {
    PanelScene scene;
    scene.window = w;
    scene.frame = screenPixels;
    scene.backColor = toQColor(app.panelBackColor);
    scene.frameAroundGauges = app.options.frameAroundGauges;
    PanelDisplay& display = app.display;
    const int n = std::clamp(panel.window(w).gaugeCount, 0, kGaugeSlots);

    std::vector<GaugeBitmapResult> extracted;
    extracted.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        report(callbacks, extractionProgressCaption(i, n), progressPercent(i, n));
        extracted.push_back(extractGaugeBitmap(panel, app, w, i));
        warnAll(callbacks, extracted.back().warnings);
    }

    scene.background = loadBackground(panel, app, w, callbacks);
    storeScreen(display, screenPixels.width(), screenPixels.height());
    // Without any picture the window keeps its previous measurements, as FS98's panel
    // tool skipped the failing statements.
    if (!scene.background.isNull())
        storeBackgroundLayout(panel, display, w,
                              {scene.background.width(), scene.background.height()});
    scene.backgroundRect = backgroundRect(panel, display, w);

    for (int i = 0; i < n; ++i) {
        report(callbacks, drawingProgressCaption(i, n), progressPercent(i, n));
        Gauge gauge = panel.gauge(w, i);
        if (gauge.gaugeRefSize == -1) {
            report(callbacks, sizeSearchProgressCaption(i, n), progressPercent(i, n));
            const GaugeSizeResult found = findGaugeSize(panel, app, w, i);
            warnAll(callbacks, found.warnings);
            gauge.gaugeSize = found.size;
            scene.foundSizes.push_back({i, found.size});
        }
        PanelSceneGauge item;
        item.index = i;
        item.picture =
            loadGaugePicture(panel, app, w, i, extracted[static_cast<std::size_t>(i)], callbacks);
        GaugeDisplay& shown = display.gauge(w, i);
        if (!item.picture.isNull())
            storeGaugeBitmapSize(shown, {item.picture.width(), item.picture.height()});
        item.rect = gaugeRect(panel, display, w, gauge, shown);
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

} // namespace cockpix

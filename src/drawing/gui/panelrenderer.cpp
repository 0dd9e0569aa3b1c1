#include "drawing/gui/panelrenderer.h"

#include "base/core/bmpheader.h"
#include "base/core/filelookup.h"
#include "base/gui/colorref.h"
#include "gaugefiles/core/gaugeextraction.h"

#include <QList>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

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
QImage loadBackground(const fs98::Panel& panel, const AppModel& app, int w,
                      const PanelSceneCallbacks& callbacks) {
    const QImage image =
        loadBitmapImage(resolvePathIgnoringCase(backgroundBitmapPath(panel, app.dirs, w).path));
    if (!image.isNull())
        return image;
    const BackgroundRepair repair = restoreDefaultBackground(panel, app.dirs, app.installedDir, w);
    warnAll(callbacks, repair.warnings);
    return loadBitmapImage(repair.backgroundPath);
}

// The gauge's picture, replaced once by the default gauge bitmap when it will not load.
QImage loadGaugePicture(const fs98::Panel& panel, const AppModel& app, int w, int i,
                        const GaugeBitmapResult& extracted, const PanelSceneCallbacks& callbacks) {
    if (extracted.source == GaugeBitmapSource::None)
        return loadBitmapImage(extracted.bitmapPath); // already warned; maybe the default
    const QImage image = extracted.bitmapBytes.empty() ? loadBitmapImage(extracted.bitmapPath)
                                                       : bitmapImage(extracted.bitmapBytes);
    if (!image.isNull())
        return image;
    const GaugeBitmapResult repair = repairGaugeBitmap(panel, app.dirs, app.installedDir, w, i);
    warnAll(callbacks, repair.warnings);
    return loadBitmapImage(repair.bitmapPath);
}

} // namespace

namespace {

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// Nearly every FS98 panel and gauge picture is an uncompressed 8-bit bitmap with an info
// header. Those are copied row by row into an indexed image, many times faster than the
// general image reader (which parses, checks and converts through a device); every other
// kind goes to the reader. The caller has checked the header and that all rows are there.
QImage indexedBitmapImage(std::string_view bytes, BmpSize size) {
    if (bytes.size() < 14 + 40)
        return {};
    const std::uint32_t headerSize = littleEndian(bytes, 14, 4);
    if (headerSize < 40 || littleEndian(bytes, 28, 2) != 8 || littleEndian(bytes, 30, 4) != 0)
        return {};
    std::uint32_t colourCount = littleEndian(bytes, 46, 4);
    if (colourCount == 0 || colourCount > 256)
        colourCount = 256;
    const std::size_t table = 14 + std::size_t(headerSize);
    const std::size_t pixels = littleEndian(bytes, 10, 4);
    const std::size_t stride = (std::size_t(size.width) + 3) & ~std::size_t(3);
    // Pixels that would overlap the colour table are left to the reader to judge.
    if (table + 4 * std::size_t(colourCount) > pixels || pixels > bytes.size() ||
        stride * std::size_t(size.height) > bytes.size() - pixels)
        return {};
    const bool topDown = static_cast<std::int32_t>(littleEndian(bytes, 22, 4)) < 0;
    QImage image(size.width, size.height, QImage::Format_Indexed8);
    if (image.isNull())
        return {};
    QList<QRgb> colours(colourCount);
    for (std::uint32_t i = 0; i < colourCount; ++i) {
        const std::size_t at = table + 4 * std::size_t(i);
        colours[i] =
            qRgb(static_cast<unsigned char>(bytes[at + 2]),
                 static_cast<unsigned char>(bytes[at + 1]), static_cast<unsigned char>(bytes[at]));
    }
    image.setColorTable(colours);
    for (int y = 0; y < size.height; ++y) {
        const int row = topDown ? y : size.height - 1 - y;
        std::memcpy(image.scanLine(y), bytes.data() + pixels + stride * std::size_t(row),
                    std::size_t(size.width));
    }
    return image;
}

} // namespace

QImage bitmapImage(std::string_view bytes) {
    if (!bmpPixelsComplete(bytes))
        return {};
    if (const auto size = readBmpSize(bytes)) {
        QImage fast = indexedBitmapImage(bytes, *size);
        if (!fast.isNull())
            return fast;
    }
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                       static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX)), "BMP");
    return image;
}

QImage loadBitmapImage(const std::string& path) {
    const auto bytes = path.empty() ? std::nullopt : readWholeFile(path);
    return bytes ? bitmapImage(*bytes) : QImage();
}

PanelScene loadPanelScene(const fs98::Panel& panel, AppModel& app, int w, QSize screenPixels,
                          const PanelSceneCallbacks& callbacks) {
    PanelScene scene;
    scene.window = w;
    scene.frame = screenPixels;
    scene.backColor = toQColor(app.panelBackColor);
    scene.frameAroundGauges = app.options.frameAroundGauges;
    fs98::PanelDisplay& display = app.display;
    const int n = std::clamp(panel.window(w).gaugeCount, 0, fs98::kGaugeSlots);

    std::vector<GaugeBitmapResult> extracted;
    extracted.reserve(static_cast<std::size_t>(n));
    const std::string defaultGaugeBitmap = app.shippedFile(kDefaultGaugeBitmapName);
    std::string moduleBuffer;
    for (int i = 0; i < n; ++i) {
        report(callbacks, extractionProgressCaption(i, n), progressPercent(i, n));
        extracted.push_back(extractGaugeBitmap(panel, app.dirs, app.options, w, i,
                                               defaultGaugeBitmap, &moduleBuffer));
        warnAll(callbacks, extracted.back().warnings);
    }

    scene.background = loadBackground(panel, app, w, callbacks);
    fs98::storeScreen(display, screenPixels.width(), screenPixels.height());
    // Without any picture the window keeps its previous measurements, as FS98's panel
    // tool skipped the failing statements.
    if (!scene.background.isNull())
        fs98::storeBackgroundLayout(panel, display, w,
                                    {scene.background.width(), scene.background.height()});
    scene.backgroundRect = fs98::backgroundRect(panel, display, w);

    for (int i = 0; i < n; ++i) {
        report(callbacks, drawingProgressCaption(i, n), progressPercent(i, n));
        fs98::Gauge gauge = panel.gauge(w, i);
        if (gauge.gaugeRefSize == -1) {
            report(callbacks, sizeSearchProgressCaption(i, n), progressPercent(i, n));
            const GaugeSizeResult found = findGaugeSize(panel, app.dirs, display, w, i);
            warnAll(callbacks, found.warnings);
            gauge.gaugeSize = found.size;
            scene.foundSizes.push_back({i, found.size});
        }
        PanelSceneGauge item;
        item.index = i;
        item.picture =
            loadGaugePicture(panel, app, w, i, extracted[static_cast<std::size_t>(i)], callbacks);
        fs98::GaugeDisplay& shown = display.gauge(w, i);
        if (!item.picture.isNull())
            fs98::storeGaugeBitmapSize(shown, {item.picture.width(), item.picture.height()});
        item.rect = fs98::gaugeRect(panel, display, w, gauge, shown);
        scene.gauges.push_back(std::move(item));
    }
    return scene;
}

QRect pixelRect(const fs98::RectF& rect) {
    // The image controls take single-precision pixel values; whole pixels on screen.
    auto whole = [](double value) {
        if (!std::isfinite(value))
            return 0;
        return static_cast<int>(std::lround(std::clamp(value, -1e6, 1e6)));
    };
    return QRect(whole(rect.left), whole(rect.top), std::max(0, whole(rect.width)),
                 std::max(0, whole(rect.height)));
}

QImage stretchedPicture(const QImage& picture, QSize size) {
    return stretchedPicture(picture, size, QRect(QPoint(0, 0), size));
}

QImage stretchedPicture(const QImage& picture, QSize size, const QRect& wanted) {
    // Beyond this many pixels (a gauge zoomed far past the screen) a copy would cost more
    // memory than drawing the visible part stretched.
    constexpr qint64 kLargestCopy = 4096LL * 4096;
    const QRect part = wanted & QRect(QPoint(0, 0), size);
    if (picture.isNull() || part.isEmpty() || qint64(part.width()) * part.height() > kLargestCopy)
        return {};
    // FS98's gauges are 8-bit pictures: their colours are looked up once, not per pixel.
    const bool indexed = picture.format() == QImage::Format_Indexed8;
    const QImage source =
        indexed ? picture : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // An opaque picture (every 8-bit bitmap) is stretched into an opaque image, which the
    // painter copies instead of blending pixel by pixel.
    const bool opaque = !picture.hasAlphaChannel();
    // A pixel beyond the bitmap's own palette shows black, as an unset palette entry.
    std::array<QRgb, 256> colours{};
    if (opaque)
        colours.fill(qRgb(0, 0, 0));
    if (indexed) {
        const QList<QRgb> table = source.colorTable();
        for (qsizetype i = 0; i < std::min<qsizetype>(table.size(), 256); ++i)
            colours[static_cast<std::size_t>(i)] = qPremultiply(table[i]);
    }
    QImage stretched(part.size(),
                     opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    const int sw = source.width(), sh = source.height();
    const int width = part.width();
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columns[static_cast<std::size_t>(x)] = int(qint64(part.x() + x) * sw / size.width());
    const int* column = columns.data();
    for (int y = 0; y < part.height(); ++y) {
        const uchar* row = source.constScanLine(int(qint64(part.y() + y) * sh / size.height()));
        auto* out = reinterpret_cast<QRgb*>(stretched.scanLine(y));
        if (indexed) {
            for (int x = 0; x < width; ++x)
                out[x] = colours[row[column[x]]];
        } else {
            const auto* in = reinterpret_cast<const QRgb*>(row);
            for (int x = 0; x < width; ++x)
                out[x] = in[column[x]];
        }
    }
    return stretched;
}

namespace {

// Pixels repeated or dropped by the painter itself, for a part too big to copy.
void drawStretchedStraight(QPainter& painter, const QRect& rect, const QImage& picture) {
    if (picture.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect, picture);
    painter.restore();
}

void drawGaugeFrame(QPainter& painter, const QRect& rect) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

} // namespace

void paintClippedPicture(QPainter& painter, const QRect& clip, const QRect& rect,
                         const QImage& picture, bool framed, StretchedPart& cache) {
    const QRect visible = (rect & clip).translated(-rect.topLeft());
    if (visible.isEmpty())
        return; // wholly outside, frame lines included
    if (cache.size != rect.size() || cache.part != visible || cache.image.isNull()) {
        cache.image = stretchedPicture(picture, rect.size(), visible);
        cache.size = rect.size();
        cache.part = visible;
    }
    if (cache.image.isNull())
        drawStretchedStraight(painter, rect, picture);
    else
        painter.drawImage(rect.topLeft() + visible.topLeft(), cache.image);
    if (framed)
        drawGaugeFrame(painter, rect);
}

void paintPanelScene(QPainter& painter, const PanelScene& scene) {
    const QRect frame(QPoint(0, 0), scene.frame);
    painter.fillRect(frame, scene.backColor);
    // A scene is painted once: no stretched part is kept.
    if (!scene.background.isNull()) {
        StretchedPart once;
        paintClippedPicture(painter, frame, pixelRect(scene.backgroundRect), scene.background,
                            false, once);
    }
    for (const PanelSceneGauge& gauge : scene.gauges) {
        StretchedPart once;
        paintClippedPicture(painter, frame, pixelRect(gauge.rect), gauge.picture,
                            scene.frameAroundGauges, once);
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

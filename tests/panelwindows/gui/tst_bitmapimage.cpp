// Pictures decoded from bitmap bytes: the quick path for 8-bit bitmaps gives exactly what
// the general image reader gives, every other kind still reaches the reader, and a cut-off
// bitmap gives nothing. Stretched pictures are opaque where the bitmap is.

#include "drawing/gui/panelrenderer.h"
#include "guisupport/testprogram.h"
#include "panelwindows/gui/gaugeimage.h"

#include <QPainter>
#include <QTest>

#include <cstdint>
#include <string>

using namespace cockpix;

namespace {

void put(std::string& bytes, std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes[at + std::size_t(i)] = char(value >> (8 * i) & 0xff);
}

// A bitmap of the given bit count with an info header; pixel (x, y) has index (x + 2y) % used.
std::string bitmap(int width, int height, int bits, int used, bool topDown = false) {
    const int colours = bits <= 8 ? (used ? used : 1 << bits) : 0;
    const std::size_t stride = (std::size_t(width) * bits + 31) / 32 * 4;
    const std::size_t pixels = 54 + 4 * std::size_t(colours);
    std::string bytes(pixels + stride * std::size_t(height), '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(bytes, 2, std::uint32_t(bytes.size()), 4);
    put(bytes, 10, std::uint32_t(pixels), 4);
    put(bytes, 14, 40, 4);
    put(bytes, 18, std::uint32_t(width), 4);
    put(bytes, 22, std::uint32_t(topDown ? -height : height), 4);
    put(bytes, 26, 1, 2);
    put(bytes, 28, std::uint32_t(bits), 2);
    put(bytes, 46, std::uint32_t(used), 4);
    for (int i = 0; i < colours; ++i)
        put(bytes, 54 + 4 * std::size_t(i), std::uint32_t(i * 7 % 256 | (255 - i) << 8 | i << 16),
            4);
    const int count = colours ? colours : 256;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int value = (x + 2 * y) % count;
            const std::size_t row = pixels + stride * std::size_t(y);
            if (bits == 8)
                bytes[row + std::size_t(x)] = char(value);
            else if (bits == 24)
                put(bytes, row + 3 * std::size_t(x), std::uint32_t(value * 0x010203), 3);
            else if (bits == 4)
                bytes[row + std::size_t(x) / 2] |= char(x % 2 ? value : value << 4);
        }
    return bytes;
}

QImage readByQt(const std::string& bytes) {
    return QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size()), "BMP");
}

} // namespace

class TestBitmapImage : public QObject {
    Q_OBJECT

private slots:
    void decodesAsTheImageReaderDoes() {
        QFETCH(QByteArray, data);
        const std::string bytes(data.constData(), std::size_t(data.size()));
        const QImage ours = bitmapImage(bytes);
        const QImage qt = readByQt(bytes);
        QVERIFY(!ours.isNull());
        QCOMPARE(ours.size(), qt.size());
        QCOMPARE(ours.convertToFormat(QImage::Format_ARGB32),
                 qt.convertToFormat(QImage::Format_ARGB32));
    }
    void decodesAsTheImageReaderDoes_data() {
        QTest::addColumn<QByteArray>("data");
        const auto row = [](const char* name, const std::string& bytes) {
            QTest::newRow(name) << QByteArray(bytes.data(), qsizetype(bytes.size()));
        };
        row("8-bit, rows padded", bitmap(5, 3, 8, 0));
        row("8-bit, 16 colours", bitmap(7, 4, 8, 16));
        row("8-bit, top-down", bitmap(6, 5, 8, 0, true));
        row("4-bit, through the reader", bitmap(9, 3, 4, 0));
        row("24-bit, through the reader", bitmap(5, 2, 24, 0));
    }

    void aCutOffBitmapGivesNothing() {
        std::string bytes = bitmap(8, 8, 8, 0);
        bytes.resize(bytes.size() - 1);
        QVERIFY(bitmapImage(bytes).isNull());
        QVERIFY(bitmapImage(bytes.substr(0, 30)).isNull());
        QVERIFY(bitmapImage({}).isNull());
    }

    // Pixels pointing past a 4-colour palette show black, not whatever lies beneath.
    void aStretchedBitmapIsOpaque() {
        std::string bytes = bitmap(8, 2, 8, 4);
        bytes[54 + 4 * 4 + 3] = 5; // the first row in the file is the picture's bottom row
        const QImage picture = bitmapImage(bytes);
        QVERIFY(!picture.isNull());
        const QImage stretched = stretchedPicture(picture, QSize(16, 4));
        QVERIFY(!stretched.hasAlphaChannel());
        QCOMPARE(stretched.pixel(0, 0), picture.color(picture.pixelIndex(0, 0)));
        QCOMPARE(stretched.pixel(7, 3), qRgb(0, 0, 0));
        QCOMPARE(stretched.pixel(5, 3), picture.color(picture.pixelIndex(2, 1)));
    }

    // A part of a stretched picture is exactly that part of the whole stretch, and a scene
    // with a gauge zoomed far past its screen shows the same pixels as drawing it whole.
    void aPartOfAStretchIsThatPartOfTheWhole() {
        QImage picture(7, 5, QImage::Format_RGB32);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                picture.setPixel(x, y, qRgb(x * 30, y * 50, 7));
        const QSize size(61, 23);
        const QImage whole = stretchedPicture(picture, size);
        for (const QRect part : {QRect(0, 0, 61, 23), QRect(13, 4, 20, 9), QRect(50, 20, 30, 30)}) {
            const QImage piece = stretchedPicture(picture, size, part);
            QCOMPARE(piece, whole.copy(part & QRect(QPoint(0, 0), size)));
        }
        QVERIFY(stretchedPicture(picture, size, QRect(70, 0, 5, 5)).isNull());

        PanelScene scene;
        scene.frame = QSize(40, 30);
        scene.backColor = Qt::blue;
        scene.frameAroundGauges = false;
        scene.gauges.push_back({0, picture, fs98::RectF{-1500, -1000, 4000, 3000}});
        const QImage shown = renderPanelScene(scene);
        QImage expected(scene.frame, QImage::Format_RGB32);
        QPainter painter(&expected);
        painter.drawImage(QPoint(-1500, -1000), stretchedPicture(picture, QSize(4000, 3000)));
        painter.end();
        QCOMPARE(shown, expected);
    }

    // A picture widget blown up to 100 000 pixels draws its visible corner without a
    // scaled copy of the whole (40 GB).
    void aHugePictureWidgetDrawsOnlyWhatShows() {
        GaugeImage image(0);
        image.setPicture(bitmapImage(bitmap(8, 8, 8, 0)));
        image.resize(100000, 100000);
        QImage shown(64, 64, QImage::Format_ARGB32_Premultiplied);
        shown.fill(Qt::white);
        image.render(&shown, QPoint(), QRegion(0, 0, 64, 64));
        QCOMPARE(shown.pixel(10, 10), image.picture().pixel(0, 0));
    }
};

COCKPIX_TEST_CLASS(TestBitmapImage)
#include "tst_bitmapimage.moc"

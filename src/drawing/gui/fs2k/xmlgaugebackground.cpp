#include "drawing/gui/fs2k/xmlgaugebackground.h"

#include "base/core/bmpheader.h"
#include "drawing/gui/panelrenderer.h"

#include <QXmlStreamReader>

#include <cstdint>
#include <cstdlib>

namespace cockpix::fs2k {
namespace {

bool named(QStringView name, QLatin1StringView wanted) {
    return name.compare(wanted, Qt::CaseInsensitive) == 0;
}

bool isGaugeElement(QStringView name) {
    return named(name, QLatin1StringView("Gauge")) ||
           named(name, QLatin1StringView("SimGauge.Gauge"));
}

QString nameAttribute(const QXmlStreamAttributes& attributes) {
    for (const QXmlStreamAttribute& attribute : attributes) {
        if (named(attribute.name(), QLatin1StringView("Name")))
            return attribute.value().trimmed().toString();
    }
    return {};
}

// Walks the whole document (so that a fault after the picture's name is still seen) and
// keeps the first Image directly inside the gauge and the first one anywhere in it.
class BackgroundReader {
public:
    explicit BackgroundReader(QByteArrayView xml) : m_xml(xml.toByteArray()) {}

    XmlGaugeBackground read(const QString& fileName) {
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::StartElement)
                start();
            else if (token == QXmlStreamReader::EndElement)
                end();
        }
        if (m_xml.hasError())
            return {{},
                    fileName + QStringLiteral(" is not well-formed XML (line %1: %2)")
                                   .arg(m_xml.lineNumber())
                                   .arg(m_xml.errorString())};
        if (m_gaugeDepth < 0 && !m_sawGauge)
            return {{}, fileName + QStringLiteral(" holds no gauge")};
        const QString bitmap = m_direct.isEmpty() ? m_nested : m_direct;
        if (bitmap.isEmpty())
            return {{}, fileName + QStringLiteral(" names no picture")};
        return {bitmap, {}};
    }

private:
    void start() {
        ++m_depth;
        const QStringView name = m_xml.name();
        if (!m_sawGauge && isGaugeElement(name)) {
            m_sawGauge = true;
            m_gaugeDepth = m_depth;
        } else if (m_gaugeDepth >= 0 && m_imageDepth < 0 &&
                   named(name, QLatin1StringView("Image"))) {
            m_imageDepth = m_depth;
            m_imageName = nameAttribute(m_xml.attributes());
        } else if (m_imageDepth >= 0 && m_depth == m_imageDepth + 1 && m_imageName.isEmpty() &&
                   named(name, QLatin1StringView("Name"))) {
            m_imageName = m_xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
            --m_depth; // the reader stands on the end of <Name> now
        }
    }

    void end() {
        if (m_depth == m_imageDepth) {
            if (!m_imageName.isEmpty()) {
                if (m_imageDepth == m_gaugeDepth + 1 && m_direct.isEmpty())
                    m_direct = m_imageName;
                else if (m_nested.isEmpty())
                    m_nested = m_imageName;
            }
            m_imageDepth = -1;
            m_imageName.clear();
        }
        if (m_depth == m_gaugeDepth)
            m_gaugeDepth = -1; // only the first gauge of the file counts
        --m_depth;
    }

    QXmlStreamReader m_xml;
    int m_depth = 0;
    bool m_sawGauge = false;
    int m_gaugeDepth = -1;
    int m_imageDepth = -1;
    QString m_imageName;
    QString m_direct;
    QString m_nested;
};

std::int32_t int32At(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= std::uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return static_cast<std::int32_t>(value);
}

// The sides an info header declares, whether or not the header is otherwise sound: a
// bitmap too large to decode is told apart from one that is not a bitmap at all.
bool declaresTooLarge(std::string_view bytes, qint64* width, qint64* height) {
    if (bytes.size() < 26 || bytes.substr(0, 2) != "BM" || int32At(bytes, 14) < 40)
        return false;
    *width = std::abs(qint64(int32At(bytes, 18)));
    *height = std::abs(qint64(int32At(bytes, 22)));
    return *width > kGaugePictureSideLimit || *height > kGaugePictureSideLimit ||
           *width * *height > kGaugePicturePixelLimit;
}

} // namespace

XmlGaugeBackground xmlGaugeBackground(QByteArrayView xml, const QString& fileName) {
    return BackgroundReader(xml).read(fileName);
}

QImage gaugeBitmap(std::string_view bytes, const QString& name, QString* reason) {
    qint64 width = 0;
    qint64 height = 0;
    if (declaresTooLarge(bytes, &width, &height)) {
        *reason = name + QStringLiteral(" is %1 x %2 pixels: too large for a gauge picture")
                             .arg(width)
                             .arg(height);
        return {};
    }
    const std::optional<BmpSize> size = readBmpSize(bytes);
    QImage image = size ? bitmapImage(bytes) : QImage();
    if (image.isNull())
        *reason = name + QStringLiteral(" is not a bitmap that can be read (or is cut short)");
    return image;
}

} // namespace cockpix::fs2k

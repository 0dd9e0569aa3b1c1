// An XML gauge from anywhere, in its cabinet or alone: the XML of every file of a cabinet that
// can be unpacked names its background, which is looked for among the cabinet's files and
// decoded, as an fs2k panel window does; bytes that are no cabinet are read as the XML and as
// the bitmap themselves. Nothing may crash, read outside the bytes or decode a picture past
// the size limits.

#include "drawing/gui/fs2k/xmlgaugebackground.h"
#include "gaugefiles/core/cabfile.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace fs2k = cockpix::fs2k;

namespace {

bool sameNameIgnoringCase(const QString& a, const std::string& b) {
    return a.compare(QString::fromLatin1(b.data(), qsizetype(b.size())), Qt::CaseInsensitive) == 0;
}

void checkPicture(const QImage& picture) {
    if (!picture.isNull() &&
        (picture.width() > cockpix::fs2k::kGaugePictureSideLimit ||
         picture.height() > cockpix::fs2k::kGaugePictureSideLimit ||
         qint64(picture.width()) * picture.height() > cockpix::fs2k::kGaugePicturePixelLimit))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    constexpr std::size_t limit = std::size_t(1) << 20;
    const auto files = cockpix::readCabFiles(bytes, limit);
    if (!files) {
        const cockpix::fs2k::XmlGaugeBackground background = cockpix::fs2k::xmlGaugeBackground(
            QByteArrayView(bytes.data(), qsizetype(size)), "gauge.xml");
        if (background.bitmap.isEmpty() && background.reason.isEmpty())
            std::abort(); // no background must say why
        QString reason;
        checkPicture(cockpix::fs2k::gaugeBitmap(bytes, "input", &reason));
        return 0;
    }
    for (const cockpix::CabEntry& xml : *files) {
        const cockpix::fs2k::XmlGaugeBackground background = cockpix::fs2k::xmlGaugeBackground(
            QByteArrayView(xml.bytes.data(), qsizetype(xml.bytes.size())), "gauge.xml");
        if (background.bitmap.isEmpty())
            continue;
        for (const cockpix::CabEntry& bitmap : *files) {
            if (!sameNameIgnoringCase(background.bitmap, bitmap.name))
                continue;
            QString reason;
            checkPicture(cockpix::fs2k::gaugeBitmap(bitmap.bytes, background.bitmap, &reason));
        }
    }
    return 0;
}

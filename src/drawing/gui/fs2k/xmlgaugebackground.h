#pragma once

// The picture of an XML gauge of FS2004 and later: the bitmap its XML names for its
// background. FS2004 writes <Gauge Name=".." Version="1.0"> with <Image Name="bg.bmp"/>
// before its <Element>s; FSX writes <SimBase.Document Type="AceXML"> holding
// <SimGauge.Gauge> with <Image id=".." Name="bg.bmp"> (or the name in a <Name> child).
// An <Image> directly inside the gauge is its background; without one, the first <Image>
// of its elements stands for it.

#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <string_view>

namespace cockpix::fs2k {

struct XmlGaugeBackground {
    QString bitmap; // the name as the XML gives it ("bg.bmp", maybe with a folder); or empty
    QString reason; // why there is none: not well-formed, no gauge, no picture named
};

// The background named by the XML xml, the file fileName (for the reasons' texts).
XmlGaugeBackground xmlGaugeBackground(QByteArrayView xml, const QString& fileName);

// The sides and the area past which a gauge picture is not decoded: real gauges are a
// few hundred pixels, a texture of a virtual cockpit 2048 at most.
inline constexpr int kGaugePictureSideLimit = 8192;
inline constexpr qint64 kGaugePicturePixelLimit = qint64(4096) * 4096;

// The picture of a bitmap file's bytes; a null image and *reason (which names name) when
// they are not a bitmap that can be read whole, or one larger than the limits.
QImage gaugeBitmap(std::string_view bytes, const QString& name, QString* reason);

} // namespace cockpix::fs2k

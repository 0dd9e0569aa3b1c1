#include "panelwindows/gui/gaugeimage.h"

#include "drawing/gui/panelrenderer.h"

#include <QMouseEvent>
#include <QPainter>

namespace cockpix {

GaugeImage::GaugeImage(int index, QWidget* parent) : QWidget(parent), m_index(index) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void GaugeImage::setPicture(const QImage& picture) {
    m_picture = picture;
    m_scaled = QPixmap();
    update();
}

void GaugeImage::clearPicture() {
    setPicture(QImage());
}

void GaugeImage::setFramed(bool framed) {
    if (framed == m_framed)
        return;
    m_framed = framed;
    update();
}

void GaugeImage::placeAt(const fs98::RectF& rect) {
    setGeometry(pixelRect(rect));
}

void GaugeImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A picture blown up far past the screen (a typed size of a hundred thousand pixels) is
    // drawn stretched where it shows: a scaled copy of it would take gigabytes.
    constexpr qint64 kLargestCopy = 4096LL * 4096;
    if (!m_picture.isNull() && width() > 0 && height() > 0) {
        if (qint64(width()) * height() > kLargestCopy) {
            m_scaled = QPixmap();
            painter.drawImage(rect(), m_picture);
        } else {
            if (m_scaled.size() != size())
                m_scaled = QPixmap::fromImage(
                    m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            painter.drawPixmap(0, 0, m_scaled);
        }
    }
    if (m_framed) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void GaugeImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(m_index);
    QWidget::mouseReleaseEvent(event);
}

} // namespace cockpix

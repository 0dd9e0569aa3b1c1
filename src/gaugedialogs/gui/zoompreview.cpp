#include "gaugedialogs/gui/zoompreview.h"

#include <QPainter>

#include <cmath>

namespace cockpix {

ZoomPreview::ZoomPreview(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ZoomPreview::setBackColor(const QColor& color) {
    m_backColor = color;
    update();
}

void ZoomPreview::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void ZoomPreview::setPictureRect(const QRectF& rect) {
    if (rect == m_rect)
        return;
    m_rect = rect;
    update();
}

void ZoomPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_backColor);
    // A zoom of 50 makes the picture far larger than the preview; the painter draws only
    // the part that shows, and nothing at all for a place that is not a number.
    const bool usable = std::isfinite(m_rect.x()) && std::isfinite(m_rect.y()) &&
                        std::isfinite(m_rect.width()) && std::isfinite(m_rect.height()) &&
                        std::abs(m_rect.x()) < 1e6 && std::abs(m_rect.y()) < 1e6 &&
                        m_rect.width() < 1e6 && m_rect.height() < 1e6;
    if (m_picture.isNull() || !usable || m_rect.isEmpty() || !m_rect.intersects(QRectF(rect())))
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(m_rect, m_picture);
}

} // namespace cockpix

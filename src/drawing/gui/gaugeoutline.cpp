#include "drawing/gui/gaugeoutline.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace cockpix {
namespace {

constexpr int kSmallestReadablePixels = 9;
constexpr int kLargestLabelPixels = 14;
constexpr int kTextMargin = 2;

} // namespace

int gaugeOutlineFontPixels(const QRect& rect) {
    const int side = std::min(rect.width(), rect.height());
    return std::clamp(side / 10, kSmallestReadablePixels, kLargestLabelPixels);
}

void paintGaugeOutline(QPainter& painter, const QRect& rect, const QString& name) {
    if (rect.isEmpty())
        return;
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    const QRect edge = rect.adjusted(0, 0, -1, -1);
    painter.setBrush(QColor(255, 255, 255, 40));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(edge);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(edge);

    // The name keeps one size at every zoom: shrunk with the window it could not be read.
    QFont font = painter.font();
    font.setPixelSize(gaugeOutlineFontPixels(rect));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const QRect inside = rect.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin);
    const QString shown = metrics.elidedText(name, Qt::ElideMiddle, std::max(inside.width(), 0));
    QRect label = metrics.boundingRect(inside, Qt::AlignCenter, shown);
    label = label.adjusted(-1, 0, 1, 0).intersected(rect);
    painter.fillRect(label, QColor(255, 255, 255, 200));
    painter.setPen(Qt::black);
    painter.drawText(inside, Qt::AlignCenter | Qt::TextSingleLine, shown);
    painter.restore();
}

} // namespace cockpix

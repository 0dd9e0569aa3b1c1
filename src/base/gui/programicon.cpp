#include "base/gui/programicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>

namespace cockpix {
namespace {

constexpr double kCanvas = 64;

enum class ShapeKind { RoundedRect, Circle, Line };

// Coordinates on the 64 x 64 canvas: a rounded rectangle is x, y, width, height, radius; a
// circle centre x, centre y, radius; a line x1, y1, x2, y2. Colours are "#rrggbb", empty
// for none.
struct Shape {
    ShapeKind kind;
    std::array<double, 5> at;
    const char* fill;
    const char* stroke;
    double strokeWidth;
};

// Drawn in order: the board, the two gauge faces with their needles, the radio strip.
constexpr std::array kShapes = {
    Shape{ShapeKind::RoundedRect, {3, 9, 58, 46, 7}, "#44566a", "#1b232c", 2.5},
    Shape{ShapeKind::RoundedRect, {7, 13, 50, 26, 4}, "#33414f", "", 0},
    Shape{ShapeKind::Circle, {20, 27, 11, 0, 0}, "#0f1317", "#d7dbe0", 2},
    Shape{ShapeKind::Circle, {44, 27, 11, 0, 0}, "#0f1317", "#d7dbe0", 2},
    Shape{ShapeKind::Line, {20, 27, 26.5, 20.5, 0}, "", "#ffb21e", 2.5},
    Shape{ShapeKind::Line, {44, 27, 44, 18, 0}, "", "#f4f4f4", 2.5},
    Shape{ShapeKind::Circle, {20, 27, 1.8, 0, 0}, "#ffb21e", "", 0},
    Shape{ShapeKind::Circle, {44, 27, 1.8, 0, 0}, "#f4f4f4", "", 0},
    Shape{ShapeKind::RoundedRect, {11, 43, 42, 8, 2}, "#161c22", "#0b0e11", 1},
    Shape{ShapeKind::RoundedRect, {14, 45, 15, 4, 1}, "#3fe07a", "", 0},
    Shape{ShapeKind::Circle, {46, 47, 2, 0, 0}, "#e04a3f", "", 0},
};

QString number(double value) {
    return QString::number(value, 'g', 6);
}

QString svgPaint(const char* fill, const char* stroke, double strokeWidth) {
    QString paint = QStringLiteral(" fill=\"%1\"").arg(*fill ? fill : "none");
    if (*stroke) {
        paint += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linecap=\"round\"")
                     .arg(QLatin1String(stroke), number(strokeWidth));
    }
    return paint;
}

QString svgElement(const Shape& shape) {
    const auto& a = shape.at;
    const QString paint = svgPaint(shape.fill, shape.stroke, shape.strokeWidth);
    switch (shape.kind) {
    case ShapeKind::RoundedRect:
        return QStringLiteral(
                   "  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\"%6/>\n")
            .arg(number(a[0]), number(a[1]), number(a[2]), number(a[3]), number(a[4]), paint);
    case ShapeKind::Circle:
        return QStringLiteral("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\"%4/>\n")
            .arg(number(a[0]), number(a[1]), number(a[2]), paint);
    case ShapeKind::Line:
        return QStringLiteral("  <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"%5/>\n")
            .arg(number(a[0]), number(a[1]), number(a[2]), number(a[3]), paint);
    }
    return {};
}

void paintShape(QPainter& painter, const Shape& shape) {
    const auto& a = shape.at;
    if (*shape.stroke) {
        QPen pen{QColor(QLatin1String(shape.stroke)), shape.strokeWidth};
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.setBrush(*shape.fill ? QBrush(QColor(QLatin1String(shape.fill))) : QBrush());
    switch (shape.kind) {
    case ShapeKind::RoundedRect:
        painter.drawRoundedRect(QRectF(a[0], a[1], a[2], a[3]), a[4], a[4]);
        break;
    case ShapeKind::Circle:
        painter.drawEllipse(QPointF(a[0], a[1]), a[2], a[2]);
        break;
    case ShapeKind::Line:
        painter.drawLine(QPointF(a[0], a[1]), QPointF(a[2], a[3]));
        break;
    }
}

} // namespace

QString programIconSvg() {
    QString svg =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" "
                       "viewBox=\"0 0 64 64\">\n"
                       "  <title>COCKPIX</title>\n");
    for (const Shape& shape : kShapes)
        svg += svgElement(shape);
    return svg + QStringLiteral("</svg>\n");
}

QImage programIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(size / kCanvas, size / kCanvas);
    for (const Shape& shape : kShapes)
        paintShape(painter, shape);
    painter.end();
    return image;
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(programIconImage(size)));
    return icon;
}

} // namespace cockpix

#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QWidget>

namespace cockpix {

// The move/zoom dialog's picture of the whole screen, scaled down: filled with the panel
// windows' back colour, with the panel picture stretched into its place and cut off at the
// edges.
class ZoomPreview : public QWidget {
    Q_OBJECT
public:
    explicit ZoomPreview(QWidget* parent = nullptr);

    void setBackColor(const QColor& color);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    // The panel picture's place in the preview's pixels (may reach far outside it).
    void setPictureRect(const QRectF& rect);
    QRectF pictureRect() const { return m_rect; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_backColor = Qt::black;
    QImage m_picture;
    QRectF m_rect;
};

} // namespace cockpix

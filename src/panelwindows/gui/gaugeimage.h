#pragma once

#include "drawing/core/fs98/layout.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace cockpix {

// A picture stretched to the widget's rectangle, as a panel window shows its background
// and each gauge: optional one-pixel frame, a click signal carrying the slot index.
class GaugeImage : public QWidget {
    Q_OBJECT
public:
    explicit GaugeImage(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }
    void setPicture(const QImage& picture);
    void clearPicture();
    bool hasPicture() const { return !m_picture.isNull(); }
    const QImage& picture() const { return m_picture; }
    void setFramed(bool framed);
    bool isFramed() const { return m_framed; }

    // Places the widget on a layout rectangle: layout values stay real numbers until here.
    void placeAt(const fs98::RectF& rect);

signals:
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_index;
    bool m_framed = false;
    QImage m_picture;
    QPixmap m_scaled; // the picture at the widget's current size, made on first paint
};

} // namespace cockpix

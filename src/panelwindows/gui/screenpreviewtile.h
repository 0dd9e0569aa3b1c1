#pragma once

// One screen of the screen-size previews: the panel window's picture on that screen, scaled
// down to fit the tile with its proportions kept, under a caption naming the screen.

#include <QImage>
#include <QWidget>

namespace cockpix {

class ScreenPreviewTile : public QWidget {
    Q_OBJECT
public:
    explicit ScreenPreviewTile(QWidget* parent = nullptr);

    // The picture of the whole screen, drawn at the screen's own size.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    // Where the picture lands in the tile.
    QRect pictureRect() const;

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QImage m_shown; // m_picture at the size last painted
};

} // namespace cockpix

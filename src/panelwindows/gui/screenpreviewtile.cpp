#include "panelwindows/gui/screenpreviewtile.h"

#include <QPainter>

namespace cockpix {
namespace {

constexpr int kTileWidth = 200;
constexpr double kDefaultAspect = 0.75; // 4:3, the shape of every FS98-era screen but one

} // namespace

ScreenPreviewTile::ScreenPreviewTile(QWidget* parent) : QWidget(parent) {
    setMinimumSize(120, 90);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void ScreenPreviewTile::setPicture(const QImage& picture) {
    m_picture = picture;
    m_shown = QImage();
    updateGeometry();
    update();
}

int ScreenPreviewTile::heightForWidth(int width) const {
    const double aspect = m_picture.isNull()
                              ? kDefaultAspect
                              : double(m_picture.height()) / std::max(1, m_picture.width());
    return int(width * aspect + 0.5);
}

QSize ScreenPreviewTile::sizeHint() const {
    return {kTileWidth, heightForWidth(kTileWidth)};
}

QRect ScreenPreviewTile::pictureRect() const {
    if (m_picture.isNull())
        return {};
    const QSize fitted = m_picture.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void ScreenPreviewTile::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_picture.isNull())
        return;
    const QRect target = pictureRect();
    // Shrunk once per tile size with an averaging filter: a 1600-pixel screen drawn straight
    // into a 200-pixel tile would lose the gauge frames and needles.
    if (m_shown.size() != target.size())
        m_shown = m_picture.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(target.topLeft(), m_shown);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(target.adjusted(0, 0, -1, -1));
}

} // namespace cockpix

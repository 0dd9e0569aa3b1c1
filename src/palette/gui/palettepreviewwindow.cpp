#include "palette/gui/palettepreviewwindow.h"

#include "base/gui/modeltext.h"
#include "palette/core/palettepreview.h"

#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace cockpix {

QImage previewImage(const PreviewPicture& picture) {
    if (picture.width <= 0 || picture.height <= 0)
        return {};
    return QImage(picture.rgb.data(), picture.width, picture.height, picture.width * 3,
                  QImage::Format_RGB888)
        .copy();
}

PalettePreviewWindow::PalettePreviewWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("palettePreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* grid = new QGridLayout(this);
    m_pictures[0] = addPicture(*grid, "pictureNow", "captionNow", tr("As the bitmap draws it"), 0);
    m_pictures[1] = addPicture(*grid, "pictureReference", "captionReference",
                               tr("In FS98 with its reference colours alone"), 1);
    m_pictures[2] = addPicture(*grid, "pictureProposal", "captionProposal",
                               tr("In FS98 with the proposed colours added"), 2);
    m_offShare = new QLabel(this);
    m_offShare->setObjectName(QStringLiteral("offShare"));
    m_offShare->setWordWrap(true);
    m_offShare->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAccessibleName(tr("Close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    grid->addWidget(m_offShare, 2, 0, 1, 3);
    grid->addWidget(close, 3, 2, Qt::AlignRight);
}

QLabel* PalettePreviewWindow::addPicture(QGridLayout& grid, const char* name,
                                         const char* captionName, const QString& caption,
                                         int column) {
    auto* title = new QLabel(caption, this);
    title->setObjectName(QLatin1String(captionName));
    auto* picture = new QLabel(this);
    picture->setObjectName(QLatin1String(name));
    picture->setAccessibleName(caption);
    picture->setMinimumSize(kPictureSide / 2, kPictureSide / 2);
    picture->setAlignment(Qt::AlignCenter);
    grid.addWidget(title, 0, column);
    grid.addWidget(picture, 1, column);
    return picture;
}

void PalettePreviewWindow::showPreview(const QString& bitmapName,
                                       const PalettePreviewResult& result, double tolerance) {
    setWindowTitle(tr("Palette preview - %1").arg(bitmapName));
    if (!result.preview) {
        m_offShare->setText(toQString(result.problem));
        m_offShare->setAccessibleName(m_offShare->text());
        return;
    }
    const PalettePreview& preview = *result.preview;
    const PreviewPicture* pictures[] = {&preview.now, &preview.referenceOnly,
                                        &preview.withProposal};
    for (int i = 0; i < 3; ++i)
        m_pictures[i]->setPixmap(QPixmap::fromImage(previewImage(*pictures[i])));
    m_offShare->setText(QString::fromStdString(offShareText(preview, tolerance)));
    m_offShare->setAccessibleName(m_offShare->text());
}

} // namespace cockpix

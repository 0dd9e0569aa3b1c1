#include "template/gui/backgroundchooser.h"

#include "base/core/filelookup.h"
#include "base/gui/modeltext.h"
#include "drawing/gui/panelrenderer.h"
#include "gaugedialogs/gui/chooserparts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

namespace cockpix {

BackgroundChooser::BackgroundChooser(const std::string& panelDir, int w, QWidget* parent)
    : QDialog(parent), m_panelDir(panelDir), m_w(w) {
    setUpChooser(*this, "Form8",
                 QStringLiteral("Select background bitmap in ") + fromModelPath(panelDir));
    build();
    for (const std::string& name : filesWithExtension(m_panelDir, ".bmp"))
        m_list->addItem(fromModelPath(name));
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showSnapshot(item->text()); });
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        showSnapshot(item->text());
        confirm();
    });
    connect(m_ok, &QPushButton::clicked, this, &BackgroundChooser::confirm);
}

void BackgroundChooser::build() {
    auto* grid = new QGridLayout(this);
    m_list = chooserList(this, "File1", tr("Bitmaps of the panel directory"));
    auto* caption = chooserLabel(
        this, "Label2", QStringLiteral("SNAPSHOT (may appear distorted to fit the picture box)"));
    auto* instruction = chooserLabel(this, "Label1",
                                     QStringLiteral("Click on the bitmap file of the window "
                                                    "background to view it. Double-click to "
                                                    "select it."));
    instruction->setWordWrap(true);
    m_snapshot = chooserSnapshot(this, "Image1", caption->text());
    m_snapshot->setScaledContents(true);
    m_snapshot->setFixedSize(240, 180);
    m_snapshot->setFrameShape(QFrame::Box);
    const OkCancelRow buttons = okCancelRow(*this);
    m_ok = buttons.ok;
    grid->addWidget(instruction, 0, 0, 1, 2);
    grid->addWidget(m_list, 1, 0, 3, 1);
    grid->addWidget(caption, 1, 1);
    grid->addWidget(m_snapshot, 2, 1);
    grid->addLayout(buttons.row, 3, 1);
}

// An unreadable bitmap leaves the snapshot as it was.
void BackgroundChooser::showSnapshot(const QString& fileName) {
    const QImage picture = loadBitmapImage(pathInDirectory(m_panelDir, toModelPath(fileName)));
    if (!picture.isNull())
        m_snapshot->setPixmap(QPixmap::fromImage(picture));
}

void BackgroundChooser::confirm() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    const QString file = selected.first()->text();
    emit bitmapChosen(m_w, file.left(std::max<qsizetype>(0, file.size() - 4)));
    close();
}

} // namespace cockpix

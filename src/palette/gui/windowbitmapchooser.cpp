#include "palette/gui/windowbitmapchooser.h"

#include "base/gui/modeltext.h"
#include "base/gui/userdialogs.h"
#include "drawing/gui/panelrenderer.h"
#include "gaugedialogs/gui/chooserparts.h"
#include "palette/core/windowbitmapchoice.h"
#include "panel/gui/fs98/document.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

namespace cockpix {
namespace {

const QSize kSnapshotSize(320, 240);

QLabel* makeLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

} // namespace

WindowBitmapChooser::WindowBitmapChooser(const fs98::Document& document, AppModel& app,
                                         UserDialogs& dialogs, const QString& instruction,
                                         QWidget* parent)
    : QDialog(parent), m_document(document), m_app(app), m_dialogs(dialogs) {
    setUpChooser(*this, nullptr, QStringLiteral("Choose background bitmap"));

    QLabel* label = makeLabel("Label1", instruction, this);
    m_list = chooserList(this, "List1", instruction);
    const QString caption =
        QStringLiteral("SNAPSHOT (may appear distorted to fit the picture box)");
    m_snapshot = chooserSnapshot(this, "Image1", caption);
    m_snapshot->setFixedSize(kSnapshotSize);
    m_snapshot->setScaledContents(true); // stretched to the box, as FS98's tools showed it
    m_snapshot->setFrameShape(QFrame::Box);
    QLabel* snapshotCaption = makeLabel("Label2", caption, this);
    const OkCancelRow buttons = okCancelRow(*this);
    m_ok = buttons.ok;

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0, 1, 2);
    grid->addWidget(m_list, 1, 0, 2, 1);
    grid->addWidget(m_snapshot, 1, 1);
    grid->addWidget(snapshotCaption, 2, 1, Qt::AlignTop);
    buttons.row->insertStretch(0, 1);
    grid->addLayout(buttons.row, 3, 0, 1, 2);

    connect(m_list, &QListWidget::currentRowChanged, this, &WindowBitmapChooser::choose);
    connect(m_list, &QListWidget::itemClicked, this, &WindowBitmapChooser::clicked);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { entryDoubleClicked(); });
    m_list->viewport()->installEventFilter(this);
    connect(m_ok, &QPushButton::clicked, this, [this] { confirm(); });
    fillList();
}

void WindowBitmapChooser::fillList() {
    const fs98::Panel& panel = m_document.panel();
    const int count = std::clamp(panel.windowCount, 0, fs98::kWindowSlots);
    const QSignalBlocker blocker(m_list);
    for (int w = 0; w < count; ++w)
        m_list->addItem(fromModelText(panel.window(w).windowBitmap));
    // No entry is current until the user picks one: a list that gets the focus would
    // otherwise choose its first entry by itself.
    m_list->setCurrentIndex(QModelIndex());
}

void WindowBitmapChooser::choose(int w) {
    if (w < 0 || w >= std::min(m_document.panel().windowCount, fs98::kWindowSlots))
        return;
    const std::string path =
        chooseWindowBitmap(m_document.panel(), m_app.dirs, w, m_app.currentWindow,
                           m_app.chosenBitmapPath, m_app.bitmapMissing);
    const QImage picture = loadBitmapImage(path);
    if (!picture.isNull()) {
        m_snapshot->setPixmap(QPixmap::fromImage(picture));
        return;
    }
    m_snapshot->clear();
    const UserText message = refuseChosenBitmap(m_document.panel(), m_app.dirs.panelDir,
                                                m_app.currentWindow, m_app.bitmapMissing);
    if (!message.empty())
        m_dialogs.message(toQString(message));
}

// Choosing again the entry that is already current (after moving its bitmap into place,
// say) is a click that changes no row.
void WindowBitmapChooser::clicked(QListWidgetItem* item) {
    const int row = m_list->row(item);
    if (row == m_rowAtPress)
        choose(row);
}

bool WindowBitmapChooser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress)
        m_rowAtPress = m_list->currentRow();
    return QDialog::eventFilter(watched, event);
}

} // namespace cockpix

#include "gauges/gui/windowbitmapchooser.h"

#include "base/gui/modeltext.h"
#include "base/gui/namedbutton.h"
#include "base/gui/userdialogs.h"
#include "gauges/core/windowbitmapchoice.h"
#include "gauges/gui/panelrenderer.h"
#include "panel/gui/paneldocument.h"

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

WindowBitmapChooser::WindowBitmapChooser(const PanelDocument& document, AppModel& app,
                                         UserDialogs& dialogs, const QString& instruction,
                                         QWidget* parent)
    : QDialog(parent), m_document(document), m_app(app), m_dialogs(dialogs) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Choose background bitmap"));

    QLabel* label = makeLabel("Label1", instruction, this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setAccessibleName(instruction);
    m_snapshot = new QLabel(this);
    m_snapshot->setObjectName(QStringLiteral("Image1"));
    m_snapshot->setFixedSize(kSnapshotSize);
    m_snapshot->setScaledContents(true); // stretched to the box, as FS98's tools showed it
    m_snapshot->setFrameShape(QFrame::Box);
    const QString caption =
        QStringLiteral("SNAPSHOT (may appear distorted to fit the picture box)");
    m_snapshot->setAccessibleName(caption);
    QLabel* snapshotCaption = makeLabel("Label2", caption, this);
    m_ok = namedButton("Command1", QStringLiteral("OK"), this);
    QPushButton* cancel = namedButton("Command2", QStringLiteral("Cancel"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0, 1, 2);
    grid->addWidget(m_list, 1, 0, 2, 1);
    grid->addWidget(m_snapshot, 1, 1);
    grid->addWidget(snapshotCaption, 2, 1, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 2);

    connect(m_list, &QListWidget::currentRowChanged, this, &WindowBitmapChooser::choose);
    connect(m_list, &QListWidget::itemClicked, this, &WindowBitmapChooser::clicked);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { entryDoubleClicked(); });
    m_list->viewport()->installEventFilter(this);
    connect(m_ok, &QPushButton::clicked, this, [this] { confirm(); });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    fillList();
}

void WindowBitmapChooser::fillList() {
    const Panel& panel = m_document.panel();
    const int count = std::clamp(panel.windowCount, 0, kWindowSlots);
    const QSignalBlocker blocker(m_list);
    for (int w = 0; w < count; ++w)
        m_list->addItem(fromModelText(panel.window(w).windowBitmap));
    // No entry is current until the user picks one: a list that gets the focus would
    // otherwise choose its first entry by itself.
    m_list->setCurrentIndex(QModelIndex());
}

void WindowBitmapChooser::choose(int w) {
    if (w < 0 || w >= std::min(m_document.panel().windowCount, kWindowSlots))
        return;
    const std::string path = chooseWindowBitmap(m_document.panel(), m_app, w);
    const QImage picture = loadBitmapImage(path);
    if (!picture.isNull()) {
        m_snapshot->setPixmap(QPixmap::fromImage(picture));
        return;
    }
    m_snapshot->clear();
    const UserText message = refuseChosenBitmap(m_document.panel(), m_app);
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

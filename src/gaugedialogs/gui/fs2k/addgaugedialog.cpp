#include "gaugedialogs/gui/fs2k/addgaugedialog.h"

#include "base/gui/modeltext.h"
#include "base/gui/userdialogs.h"
#include "gaugedialogs/gui/chooserparts.h"
#include "gaugedialogs/gui/fs2k/gaugeaddition.h"
#include "panel/gui/fs2k/document.h"
#include "settings/core/installation.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

namespace cockpix::fs2k {
namespace {

// The snapshot shows a large gauge smaller, never larger than it is.
constexpr int kSnapshotSide = 200;

std::string asFolder(std::string dir) {
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\')
        dir += '/';
    return dir;
}

} // namespace

AddGaugeDialog::AddGaugeDialog(fs2k::Document& document, const AppModel& app, UserDialogs& dialogs,
                               int windowIndex, QWidget* parent)
    : QDialog(parent), m_document(document), m_app(app), m_dialogs(dialogs), m_window(windowIndex) {
    setUpChooser(*this, "LaterAddGauge", QStringLiteral("Select Gauge to add..."));
    build();
    fillList();
    connect(m_filter, &QLineEdit::textChanged, this, &AddGaugeDialog::applyFilter);
    connect(m_list, &QListWidget::currentItemChanged, this, &AddGaugeDialog::showChosen);
    // A double click (or Enter) adds the line it is on.
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        m_list->setCurrentItem(item);
        addChosenGauge();
    });
    connect(m_ok, &QPushButton::clicked, this, &AddGaugeDialog::addChosenGauge);
    connect(&m_document, &fs2k::Document::panelReplaced, this, &QWidget::close);
    connect(&m_document, &fs2k::Document::linesChanged, this, [this] {
        if (m_window < 0 || static_cast<std::size_t>(m_window) >= m_document.panel().windows.size())
            close();
    });
}

void AddGaugeDialog::build() {
    auto* grid = new QGridLayout(this);
    auto* instruction =
        chooserLabel(this, "Label1", QStringLiteral("Click to view gauge. Double-Click to add. "));
    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("Filter1"));
    m_filter->setPlaceholderText(tr("Type part of a name to filter"));
    m_filter->setClearButtonEnabled(true);
    m_filter->setAccessibleName(tr("Filter gauges"));
    m_list = chooserList(this, "File1", tr("Gauges"),
                         QStringLiteral("List of available gauges on your disk"));
    auto* caption = chooserLabel(this, "Label2", QStringLiteral("SNAPSHOT"));
    m_snapshot = chooserSnapshot(this, "Picture1", caption->text());
    m_snapshot->setMinimumSize(kSnapshotSide, kSnapshotSide);
    m_snapshot->setAlignment(Qt::AlignCenter);
    m_snapshot->setWordWrap(true);
    m_what = chooserLabel(this, "Label3", {});
    m_what->setAccessibleName(tr("Chosen gauge"));
    m_what->setWordWrap(true);
    m_note = chooserLabel(this, "Label4", {});
    m_note->setAccessibleName(tr("Notes on the list"));
    m_note->setWordWrap(true);
    const OkCancelRow buttons = okCancelRow(*this);
    m_ok = buttons.ok;
    grid->addWidget(instruction, 0, 0, 1, 2);
    grid->addWidget(m_filter, 1, 0);
    grid->addWidget(m_list, 2, 0, 4, 1);
    grid->addWidget(caption, 1, 1);
    grid->addWidget(m_snapshot, 2, 1);
    grid->addWidget(m_what, 3, 1);
    grid->addWidget(m_note, 4, 1);
    grid->addLayout(buttons.row, 5, 1);
    resize(560, 400);
}

std::string AddGaugeDialog::panelDir() const {
    return asFolder(m_app.dirs.panelDir);
}

std::vector<std::string> AddGaugeDialog::gaugesDirs() const {
    std::vector<std::string> folders = gaugeFoldersFor(m_app.installation, m_app.dirs);
    for (std::string& folder : folders)
        folder = asFolder(folder);
    return folders;
}

void AddGaugeDialog::fillList() {
    m_gauges = listGauges(panelDir(), gaugesDirs(), m_pictures.files());
    for (const GaugeEntry& entry : m_gauges.entries) {
        auto* item = new QListWidgetItem(fromModelPath(entry.name), m_list);
        item->setToolTip(QString::fromStdString(describeGaugeEntry(entry)));
    }
    QStringList notes;
    if (m_gauges.cut)
        notes << tr("There are more gauges than this list holds: only the first %1 found "
                    "are listed.")
                     .arg(m_gauges.entries.size());
    for (const std::string& cab : m_gauges.unreadable)
        notes << tr("%1 is not a cabinet that can be read.")
                     .arg(fromModelPath(cab.substr(cab.find_last_of('/') + 1)));
    if (m_gauges.entries.empty() && notes.isEmpty())
        notes << tr("No gauges were found in the panel folder or the gauges directory.");
    m_note->setText(notes.join(QLatin1Char('\n')));
}

void AddGaugeDialog::applyFilter(const QString& text) {
    filterChooserList(*m_list, text);
}

bool AddGaugeDialog::chooseGauge(const QString& name) {
    return chooseListEntry(*m_list, name);
}

void AddGaugeDialog::showChosen() {
    QListWidgetItem* item = m_list->currentItem();
    m_chosenPicture = QImage();
    if (item == nullptr) {
        m_snapshot->clear();
        m_what->clear();
        return;
    }
    m_what->setText(item->toolTip());
    const GaugePicture made =
        m_pictures.picture(toModelPath(item->text()), panelDir(), gaugesDirs());
    if (made.picture.isNull()) {
        // What the panel window shows too: the outline with the gauge's name, and why.
        m_snapshot->setFrameShape(QFrame::Box);
        m_snapshot->setText(item->text() + QStringLiteral("\n\n") + made.reason);
        m_snapshot->setToolTip(made.reason);
        return;
    }
    m_chosenPicture = made.picture;
    m_snapshot->setFrameShape(QFrame::NoFrame);
    m_snapshot->setToolTip({});
    QPixmap shown = QPixmap::fromImage(made.picture);
    if (shown.width() > kSnapshotSide || shown.height() > kSnapshotSide)
        shown = shown.scaled(kSnapshotSide, kSnapshotSide, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    m_snapshot->setPixmap(shown);
}

void AddGaugeDialog::addChosenGauge() {
    QListWidgetItem* item = m_list->currentItem();
    if (m_added || item == nullptr || item->isHidden())
        return;
    NewGauge gauge;
    gauge.name = toPanelText(item->text(), m_document.encoding());
    if (!m_chosenPicture.isNull()) {
        gauge.width = m_chosenPicture.width();
        gauge.height = m_chosenPicture.height();
    }
    const std::optional<int> g =
        addGaugeToWindow(m_document, m_dialogs, m_window, gauge, item->text());
    if (!g)
        return;
    m_added = true;
    if (*g >= 0)
        emit gaugeAdded(m_window, *g);
    close();
}

} // namespace cockpix::fs2k

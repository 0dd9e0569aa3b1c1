#include "gaugedialogs/gui/fs2k/addinstrumentdialog.h"

#include "base/gui/modeltext.h"
#include "base/gui/paneltextguard.h"
#include "base/gui/userdialogs.h"
#include "gaugedialogs/core/fs2k/gaugetext.h"
#include "gaugedialogs/gui/chooserparts.h"
#include "gaugedialogs/gui/fs2k/gaugeaddition.h"
#include "panel/gui/fs2k/document.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace cockpix::fs2k {

AddInstrumentDialog::AddInstrumentDialog(fs2k::Document& document, UserDialogs& dialogs,
                                         int windowIndex, GaugeLineKind kind,
                                         const InstrumentList& instruments, QWidget* parent)
    : QDialog(parent), m_document(document), m_dialogs(dialogs), m_window(windowIndex),
      m_kind(kind) {
    setUpChooser(*this, "laterAddInstrument",
                 kind == GaugeLineKind::Painting ? tr("Add painting") : tr("Add instrument"));
    build(instruments);
    connect(m_filter, &QLineEdit::textChanged, this, &AddInstrumentDialog::applyFilter);
    connect(m_list, &QListWidget::currentTextChanged, m_path, &QLineEdit::setText);
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        m_path->setText(item->text());
        addInstrument();
    });
    connect(m_ok, &QPushButton::clicked, this, &AddInstrumentDialog::addInstrument);
    connect(&m_document, &fs2k::Document::panelReplaced, this, &QWidget::close);
    connect(&m_document, &fs2k::Document::linesChanged, this, [this] {
        if (m_window < 0 || static_cast<std::size_t>(m_window) >= m_document.panel().windows.size())
            close();
    });
}

void AddInstrumentDialog::build(const InstrumentList& instruments) {
    auto* grid = new QGridLayout(this);
    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("Filter1"));
    m_filter->setPlaceholderText(tr("Type part of a path to filter"));
    m_filter->setClearButtonEnabled(true);
    m_filter->setAccessibleName(tr("Filter instruments"));
    m_list = chooserList(this, "File1", tr("Instruments"),
                         tr("The instruments of the installation's html_ui folders"));
    for (const std::string& path : instruments.paths)
        new QListWidgetItem(fromPanelText(path, m_document.encoding()), m_list);
    auto* pathLabel = chooserLabel(this, "Label1", tr("&Path and query:"));
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("laterPath"));
    m_path->setAccessibleName(tr("Path and query"));
    guardPanelText(m_path, m_dialogs, m_document.encoding());
    pathLabel->setBuddy(m_path);
    m_note = chooserLabel(this, "Label4", {});
    m_note->setAccessibleName(tr("Notes on the list"));
    m_note->setWordWrap(true);
    if (instruments.cut)
        m_note->setText(tr("There are more instruments than this list holds: only the first "
                           "%1 found are listed.")
                            .arg(instruments.paths.size()));
    else if (instruments.paths.empty())
        m_note->setText(tr("No instruments were found in the installation: type a path."));
    const OkCancelRow buttons = okCancelRow(*this);
    m_ok = buttons.ok;
    grid->addWidget(m_filter, 0, 0);
    grid->addWidget(m_list, 1, 0);
    grid->addWidget(pathLabel, 2, 0);
    grid->addWidget(m_path, 3, 0);
    grid->addWidget(m_note, 4, 0);
    grid->addLayout(buttons.row, 5, 0);
    resize(560, 420);
}

void AddInstrumentDialog::applyFilter(const QString& text) {
    filterChooserList(*m_list, text);
}

bool AddInstrumentDialog::chooseInstrument(const QString& path) {
    return chooseListEntry(*m_list, path);
}

void AddInstrumentDialog::addInstrument() {
    const std::vector<Window>& windows = m_document.panel().windows;
    if (m_added || m_window < 0 || static_cast<std::size_t>(m_window) >= windows.size())
        return;
    const Window& window = windows[static_cast<std::size_t>(m_window)];
    const InstrumentName name =
        splitInstrumentName(toPanelText(m_path->text(), m_document.encoding()));
    if (const auto problem = instrumentNameProblem(name)) {
        m_dialogs.message(QString::fromStdString(*problem));
        return;
    }
    // MSFS's screens fill their texture: the new one covers the section until it is placed.
    const GaugeUnits units = gaugeUnits(window);
    const std::optional<double> height = units.height ? units.height : units.width;
    const NewGauge gauge{
        joinInstrumentName(name), 0, 0, units.width, units.width ? height : std::nullopt, m_kind};
    const std::optional<int> g =
        addGaugeToWindow(m_document, m_dialogs, m_window, gauge, m_path->text());
    if (!g)
        return;
    m_added = true;
    if (*g >= 0)
        emit gaugeAdded(m_window, *g);
    close();
}

} // namespace cockpix::fs2k

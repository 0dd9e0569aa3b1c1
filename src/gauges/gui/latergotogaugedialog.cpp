#include "gauges/gui/latergotogaugedialog.h"

#include "base/gui/modeltext.h"
#include "gauges/core/laterlayout.h"
#include "panel/gui/paneldocument.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>

namespace cockpix {
namespace {

std::string asFolder(std::string dir) {
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\')
        dir += '/';
    return dir;
}

} // namespace

LaterGoToGaugeDialog::LaterGoToGaugeDialog(const PanelDocument& document, const AppModel& app,
                                           int windowIndex, QWidget* parent)
    : QDialog(parent), m_document(document), m_app(app), m_window(windowIndex) {
    setObjectName(QStringLiteral("LaterGoToGauge"));
    setWindowTitle(QStringLiteral("Go to gauge..."));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    build();
    fillList();
    connect(m_list, &QListWidget::currentRowChanged, this, &LaterGoToGaugeDialog::showSnapshot);
    connect(m_list, &QListWidget::itemActivated, this, &LaterGoToGaugeDialog::confirm);
    connect(m_ok, &QPushButton::clicked, this, &LaterGoToGaugeDialog::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(&m_document, &PanelDocument::laterChanged, this, &LaterGoToGaugeDialog::fillList);
    connect(&m_document, &PanelDocument::panelReplaced, this, &QWidget::close);
}

void LaterGoToGaugeDialog::build() {
    auto* grid = new QGridLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setToolTip(QStringLiteral("List of available gauges in the panel"));
    m_list->setAccessibleName(tr("Gauges of the window"));
    m_list->setAccessibleDescription(m_list->toolTip());
    auto* caption = new QLabel(QStringLiteral("SNAPSHOT (full-size view)"), this);
    caption->setObjectName(QStringLiteral("Label2"));
    auto* instruction = new QLabel(
        QStringLiteral("Click on gauge name to display it. Double-click to reach it..."), this);
    instruction->setObjectName(QStringLiteral("Label1"));
    m_snapshot = new QLabel;
    m_snapshot->setObjectName(QStringLiteral("Image1"));
    m_snapshot->setAccessibleName(caption->text());
    m_snapshot->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_snapshot->setWordWrap(true);
    // At its own size: a large gauge scrolls rather than being squeezed.
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(m_snapshot);
    scroll->setWidgetResizable(false);
    scroll->setMinimumSize(220, 200);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Command2"));
    m_ok->setAccessibleName(m_ok->text());
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("Command1"));
    m_cancel->setAccessibleName(m_cancel->text());
    grid->addWidget(instruction, 0, 0, 1, 2);
    grid->addWidget(m_list, 1, 0, 3, 1);
    grid->addWidget(caption, 1, 1);
    grid->addWidget(scroll, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 3, 1);
    resize(520, 340);
}

// Line g is gauge g of the window; the selection stays on its line when it still exists.
void LaterGoToGaugeDialog::fillList() {
    const std::vector<LaterWindow>& windows = m_document.laterPanel().windows;
    if (m_window < 0 || static_cast<std::size_t>(m_window) >= windows.size()) {
        close();
        return;
    }
    const int row = m_list->currentRow();
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    const PanelLines& lines = m_document.laterLines();
    for (const LaterGauge& gauge : windows[static_cast<std::size_t>(m_window)].gauges)
        m_list->addItem(
            fromPanelText(laterGaugeTooltip(laterGaugeName(lines, gauge.line), gauge.number),
                          m_document.laterEncoding()));
    m_list->setCurrentRow(row < m_list->count() ? row : -1);
}

void LaterGoToGaugeDialog::showSnapshot(int g) {
    const std::vector<LaterWindow>& windows = m_document.laterPanel().windows;
    if (m_window < 0 || static_cast<std::size_t>(m_window) >= windows.size())
        return;
    const std::vector<LaterGauge>& gauges = windows[static_cast<std::size_t>(m_window)].gauges;
    if (g < 0 || static_cast<std::size_t>(g) >= gauges.size()) {
        m_snapshot->clear();
        return;
    }
    const LaterGaugePicture made = m_pictures.picture(
        laterGaugeName(m_document.laterLines(), gauges[static_cast<std::size_t>(g)].line),
        asFolder(m_app.dirs.panelDir), asFolder(m_app.dirs.gaugesDir));
    if (made.picture.isNull())
        m_snapshot->setText(made.reason);
    else
        m_snapshot->setPixmap(QPixmap::fromImage(made.picture));
    m_snapshot->adjustSize();
}

void LaterGoToGaugeDialog::confirm() {
    const int g = m_list->currentRow();
    if (g < 0 || m_list->currentItem() == nullptr)
        return;
    emit gaugeChosen(m_window, g);
    close();
}

} // namespace cockpix

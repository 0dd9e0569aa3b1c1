#include "gauges/gui/gotogaugedialog.h"

#include "base/core/filelookup.h"
#include "base/gui/modeltext.h"
#include "gauges/core/gaugeextraction.h"
#include "gauges/gui/panelrenderer.h"
#include "panel/gui/paneldocument.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>

#include <algorithm>

namespace cockpix {

GoToGaugeDialog::GoToGaugeDialog(const PanelDocument& document, AppModel& app, int w,
                                 QWidget* parent)
    : QDialog(parent), m_document(document), m_app(app), m_w(w) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Go to gauge..."));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    build();
    const Panel& panel = m_document.panel();
    const int n = std::clamp(panel.window(m_w).gaugeCount, 0, kGaugeSlots);
    for (int g = 0; g < n; ++g)
        m_list->addItem(fromModelText(panel.gauge(m_w, g).gaugeName));
    m_list->setCurrentRow(-1);
    connect(m_list, &QListWidget::itemClicked, this,
            [this] { showSnapshot(m_list->currentRow()); });
    connect(m_list, &QListWidget::itemActivated, this, &GoToGaugeDialog::confirm);
    connect(m_ok, &QPushButton::clicked, this, &GoToGaugeDialog::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
    // The lines are the gauges as they were: a changed list has nothing left to go to.
    connect(&m_document, &PanelDocument::gaugesChanged, this, [this](int changed) {
        if (changed == m_w)
            close();
    });
    connect(&m_document, &PanelDocument::panelReplaced, this, &QWidget::close);
}

void GoToGaugeDialog::build() {
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

// The bitmap the panel window cut out; a file removed since shows nothing.
void GoToGaugeDialog::showSnapshot(int g) {
    if (g < 0 || g >= std::min(m_document.panel().window(m_w).gaugeCount, kGaugeSlots))
        return;
    const QImage picture = loadBitmapImage(
        resolvePathIgnoringCase(gaugeBitmapPath(m_document.panel(), m_app.dirs, m_w, g).path));
    m_snapshot->setPixmap(picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
    m_snapshot->adjustSize();
}

void GoToGaugeDialog::confirm() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    m_app.currentGauge = selected.isEmpty() ? -1 : m_list->row(selected.first());
    if (m_app.currentGauge == -1)
        return;
    emit gaugeChosen(m_w, m_app.currentGauge);
    close();
}

} // namespace cockpix

#include "gaugedialogs/gui/gotogaugedialog.h"

#include "base/core/filelookup.h"
#include "base/gui/modeltext.h"
#include "drawing/gui/panelrenderer.h"
#include "gaugedialogs/gui/chooserparts.h"
#include "gaugefiles/core/gaugeextraction.h"
#include "panel/gui/fs98/document.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>

#include <algorithm>

namespace cockpix {

GoToGaugeDialog::GoToGaugeDialog(const fs98::Document& document, AppModel& app, int w,
                                 QWidget* parent)
    : QDialog(parent), m_document(document), m_app(app), m_w(w) {
    setUpChooser(*this, "Form9", QStringLiteral("Go to gauge..."));
    build();
    const fs98::Panel& panel = m_document.panel();
    const int n = std::clamp(panel.window(m_w).gaugeCount, 0, fs98::kGaugeSlots);
    for (int g = 0; g < n; ++g)
        m_list->addItem(fromModelText(panel.gauge(m_w, g).gaugeName));
    m_list->setCurrentRow(-1);
    connect(m_list, &QListWidget::itemClicked, this,
            [this] { showSnapshot(m_list->currentRow()); });
    connect(m_list, &QListWidget::itemActivated, this, &GoToGaugeDialog::confirm);
    connect(m_ok, &QPushButton::clicked, this, &GoToGaugeDialog::confirm);
    // The lines are the gauges as they were: a changed list has nothing left to go to.
    connect(&m_document, &fs98::Document::gaugesChanged, this, [this](int changed) {
        if (changed == m_w)
            close();
    });
    connect(&m_document, &fs98::Document::panelReplaced, this, &QWidget::close);
}

void GoToGaugeDialog::build() {
    auto* grid = new QGridLayout(this);
    m_list = chooserList(this, "List1", tr("Gauges of the window"),
                         QStringLiteral("List of available gauges in the panel"));
    auto* caption = chooserLabel(this, "Label2", QStringLiteral("SNAPSHOT (full-size view)"));
    auto* instruction = chooserLabel(
        this, "Label1",
        QStringLiteral("Click on gauge name to display it. Double-click to reach it..."));
    m_snapshot = chooserSnapshot(nullptr, "Image1", caption->text());
    m_snapshot->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // At its own size: a large gauge scrolls rather than being squeezed.
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(m_snapshot);
    scroll->setWidgetResizable(false);
    scroll->setMinimumSize(220, 200);
    // FS98 named them the other way round.
    const OkCancelRow buttons = okCancelRow(*this, "Command2", "Command1");
    m_ok = buttons.ok;
    grid->addWidget(instruction, 0, 0, 1, 2);
    grid->addWidget(m_list, 1, 0, 3, 1);
    grid->addWidget(caption, 1, 1);
    grid->addWidget(scroll, 2, 1);
    grid->addLayout(buttons.row, 3, 1);
    resize(520, 340);
}

// The bitmap the panel window cut out; a file removed since shows nothing.
void GoToGaugeDialog::showSnapshot(int g) {
    if (g < 0 || g >= std::min(m_document.panel().window(m_w).gaugeCount, fs98::kGaugeSlots))
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

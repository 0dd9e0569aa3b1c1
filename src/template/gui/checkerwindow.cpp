#include "template/gui/checkerwindow.h"

#include "base/gui/counttext.h"
#include "base/gui/modeltext.h"
#include "panel/gui/paneldocuments.h"
#include "template/gui/findingfixer.h"
#include "template/gui/panelcheck.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace cockpix {
namespace {

enum Column { LineColumn, SeverityColumn, TextColumn, CodeColumn };

QString summaryText(const PanelCheck& check) {
    const int count = static_cast<int>(check.findings().size());
    if (count == 0)
        return QObject::tr("No findings: nothing in this panel looks wrong.");
    const int errors = check.errorCount();
    const int notes = static_cast<int>(
        std::count_if(check.findings().begin(), check.findings().end(),
                      [](const Finding& f) { return f.severity == Severity::Note; }));
    QString counts =
        countText(errors, QObject::tr("error"), QObject::tr("errors")) + ", " +
        countText(count - errors - notes, QObject::tr("warning"), QObject::tr("warnings"));
    if (notes > 0)
        counts += ", " + countText(notes, QObject::tr("note"), QObject::tr("notes"));
    return QObject::tr("%1: %2. Double-click one to go to it.")
        .arg(countText(count, QObject::tr("finding"), QObject::tr("findings")), counts);
}

QPushButton* makeButton(const QString& text, const char* name, const QString& tip) {
    auto* button = new QPushButton(text);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    button->setAccessibleDescription(tip);
    return button;
}

} // namespace

CheckerWindow::CheckerWindow(PanelCheck& check, PanelDocuments& documents, AppModel& app,
                             UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_check(check), m_documents(documents),
      m_fixer(new FindingFixer(documents, app, dialogs, this)) {
    setObjectName(QStringLiteral("CheckerWindow"));
    setWindowTitle(tr("Panel check"));
    setAccessibleName(windowTitle());
    setModal(false);

    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("checkSummary"));
    m_summary->setWordWrap(true);

    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("findingList"));
    m_list->setAccessibleName(tr("Findings"));
    m_list->setAccessibleDescription(tr("What the panel checker found, by line of panel.cfg"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setHeaderLabels({tr("Line"), tr("Severity"), tr("Finding"), tr("Code")});
    m_list->header()->setAccessibleName(tr("Columns of the findings"));
    m_list->header()->setSectionResizeMode(TextColumn, QHeaderView::Stretch);
    m_list->header()->setStretchLastSection(false);

    m_go = makeButton(tr("&Go to"), "goButton", tr("Show the place of the selected finding"));
    m_fix = makeButton(tr("&Fix"), "fixButton", tr("Repair the selected finding"));
    auto* close = makeButton(tr("Close"), "closeButton", tr("Close the list"));
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(m_go, QDialogButtonBox::ActionRole);
    buttons->addButton(m_fix, QDialogButtonBox::ActionRole);
    buttons->addButton(close, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(820, 360);

    connect(m_list, &QTreeWidget::itemActivated, this, &CheckerWindow::goToCurrent);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &CheckerWindow::updateButtons);
    connect(m_go, &QPushButton::clicked, this, &CheckerWindow::goToCurrent);
    connect(m_fix, &QPushButton::clicked, this, &CheckerWindow::fixCurrent);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(&m_check, &PanelCheck::findingsChanged, this, &CheckerWindow::showFindings);
    showFindings();
}

const Finding* CheckerWindow::currentFinding() const {
    const QTreeWidgetItem* item = m_list->currentItem();
    if (item == nullptr)
        return nullptr;
    const int index = item->data(LineColumn, Qt::UserRole).toInt();
    const std::vector<Finding>& findings = m_check.findings();
    return index >= 0 && index < static_cast<int>(findings.size())
               ? &findings[static_cast<std::size_t>(index)]
               : nullptr;
}

void CheckerWindow::showFindings() {
    const int row = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : 0;
    m_list->clear();
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    const QIcon note = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    const std::vector<Finding>& findings = m_check.findings();
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& finding = findings[i];
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(LineColumn, finding.line > 0 ? QString::number(finding.line) : QString());
        item->setData(LineColumn, Qt::UserRole, static_cast<int>(i));
        item->setTextAlignment(LineColumn, Qt::AlignRight | Qt::AlignVCenter);
        item->setIcon(SeverityColumn, finding.severity == Severity::Error     ? error
                                      : finding.severity == Severity::Warning ? warning
                                                                              : note);
        item->setText(SeverityColumn, QString::fromUtf8(severityName(finding.severity).data()));
        item->setText(TextColumn, toQString(finding.text));
        item->setToolTip(TextColumn, item->text(TextColumn));
        item->setText(CodeColumn, QString::fromStdString(finding.code));
    }
    for (int column : {LineColumn, SeverityColumn, CodeColumn})
        m_list->resizeColumnToContents(column);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(
            m_list->topLevelItem(std::clamp(row, 0, m_list->topLevelItemCount() - 1)));
    m_summary->setText(summaryText(m_check));
    updateButtons();
}

void CheckerWindow::updateButtons() {
    const Finding* finding = currentFinding();
    m_go->setEnabled(finding != nullptr && (finding->window >= 0 || finding->viewField >= 0));
    const bool fixable = finding != nullptr && finding->fix.has_value();
    m_fix->setEnabled(fixable);
    const QString tip = fixable ? tr("Fix: %1").arg(QString::fromStdString(finding->fix->label))
                                : tr("This finding has no obvious repair");
    m_fix->setToolTip(tip);
    m_fix->setAccessibleDescription(tip);
}

void CheckerWindow::goToCurrent() {
    const Finding* finding = currentFinding();
    if (finding == nullptr)
        return;
    m_documents.visit([&](const fs98::Document& document) { goToFs98(document.panel(), *finding); },
                      [&](const fs2k::Document&) { goToFs2k(*finding); });
}

void CheckerWindow::goToFs2k(const Finding& finding) {
    // A gauge of an fs2k panel in its panel window; anything else of a window in its row of
    // the table.
    if (finding.window >= 0 && finding.gauge >= 0)
        emit gaugeRequested(finding.window, finding.gauge);
    else if (finding.window >= 0)
        emit rowRequested(finding.window, -1);
}

void CheckerWindow::goToFs98(const fs98::Panel& panel, const Finding& finding) {
    const int w = finding.window;
    const int g = finding.gauge;
    if (fs98::isWindowSlot(w) && g >= 0 &&
        g < std::clamp(panel.window(w).gaugeCount, 0, fs98::kGaugeSlots) && w < panel.windowCount) {
        emit gaugeRequested(w, g);
        return;
    }
    if (fs98::isWindowSlot(w)) {
        emit rowRequested(w, finding.windowField ? static_cast<int>(*finding.windowField) : -1);
        return;
    }
    if (finding.viewField >= 0)
        emit viewFieldRequested(finding.viewField);
}

void CheckerWindow::fixCurrent() {
    const Finding* finding = currentFinding();
    if (finding == nullptr || !finding->fix)
        return;
    const Fix fix = *finding->fix; // the list changes under it
    if (m_fixer->apply(fix))
        m_check.recheck();
}

} // namespace cockpix

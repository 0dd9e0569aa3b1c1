#include "base/gui/comparisonview.h"

#include "base/gui/counttext.h"
#include "base/gui/modeltext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace cockpix {
namespace {

// Three unchanged lines around each change, as diff tools show them.
constexpr int kContextLines = 3;
// Pixels above and below a line of text in a row.
constexpr int kRowPadding = 4;

const QColor kRemovedColor(255, 225, 225);
const QColor kAddedColor(220, 250, 220);
const QColor kHunkColor(232, 236, 244);

QTableWidgetItem* cell(const QString& text, const QColor& background = QColor()) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (background.isValid())
        item->setBackground(background);
    return item;
}

QString number(int line) {
    return line > 0 ? QString::number(line) : QString();
}

} // namespace

ComparisonView::ComparisonView(QWidget* parent) : QWidget(parent) {
    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("comparisonSummary"));
    m_summary->setWordWrap(true);

    m_mode = new QComboBox;
    m_mode->setObjectName(QStringLiteral("comparisonMode"));
    m_mode->addItems({tr("Side by side"), tr("Unified")});
    m_mode->setToolTip(tr("Show the two files side by side or in one column"));
    m_mode->setAccessibleName(tr("Comparison layout"));
    m_mode->setAccessibleDescription(m_mode->toolTip());

    m_wholeFile = new QCheckBox(tr("Whole file"));
    m_wholeFile->setObjectName(QStringLiteral("wholeFile"));
    m_wholeFile->setToolTip(tr("Show every line, not only the changes and the lines around them"));
    m_wholeFile->setAccessibleName(m_wholeFile->text());
    m_wholeFile->setAccessibleDescription(m_wholeFile->toolTip());

    m_table = new QTableWidget;
    m_table->setObjectName(QStringLiteral("comparisonTable"));
    m_table->setAccessibleName(tr("Compared lines"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setAccessibleName(tr("Columns of the comparison"));
    m_table->setShowGrid(false);
    m_table->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // One line of text per row, as in a text editor: the style's default row height is
    // made for widgets in cells and shows a file with double spacing.
    QHeaderView* rows = m_table->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(0);
    rows->setDefaultSectionSize(m_table->fontMetrics().height() + kRowPadding);
    m_table->viewport()->installEventFilter(this);

    auto* options = new QHBoxLayout;
    options->addWidget(m_summary, 1);
    options->addWidget(m_mode);
    options->addWidget(m_wholeFile);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(options);
    layout->addWidget(m_table, 1);

    connect(m_mode, &QComboBox::currentIndexChanged, this, &ComparisonView::showRows);
    connect(m_wholeFile, &QCheckBox::toggled, this, &ComparisonView::showRows);
}

void ComparisonView::setTexts(const QString& oldLabel, const std::string& oldText,
                              const QString& newLabel, const std::string& newText) {
    m_oldLabel = oldLabel;
    m_newLabel = newLabel;
    m_oldText = oldText;
    m_newText = newText;
    m_oldLines = splitTextLines(m_oldText);
    m_newLines = splitTextLines(m_newText);
    m_script = diffLines(m_oldLines, m_newLines);
    m_counts = countChanges(m_script);
    m_identicalBytes = m_oldText == m_newText;
    updateSummary();
    showRows();
}

void ComparisonView::setUnified(bool unified) {
    m_mode->setCurrentIndex(unified ? 1 : 0);
}

bool ComparisonView::isUnified() const {
    return m_mode->currentIndex() == 1;
}

QString ComparisonView::oldLine(int line) const {
    return line > 0 ? fromModelText(m_oldLines[static_cast<std::size_t>(line - 1)]) : QString();
}

QString ComparisonView::newLine(int line) const {
    return line > 0 ? fromModelText(m_newLines[static_cast<std::size_t>(line - 1)]) : QString();
}

void ComparisonView::updateSummary() {
    if (m_identicalBytes) {
        m_summary->setText(tr("No changes: %1 and %2 are the same.").arg(m_oldLabel, m_newLabel));
    } else if (m_counts.identical()) {
        m_summary->setText(tr("The lines are the same; only the line ends differ (%1 ends "
                              "every line with CR LF).")
                               .arg(m_newLabel));
    } else {
        m_summary->setText(tr("%1 removed, %2 added.")
                               .arg(countText(m_counts.removed, tr("line"), tr("lines")),
                                    countText(m_counts.added, tr("line"), tr("lines"))));
    }
}

void ComparisonView::showRows() {
    std::vector<DiffHunk> hunks;
    if (m_wholeFile->isChecked() && !m_script.empty()) {
        DiffHunk whole;
        whole.lines = m_script;
        hunks.push_back(std::move(whole));
    } else {
        hunks = diffHunks(m_script, kContextLines);
    }
    m_table->clear();
    m_table->setRowCount(0);
    if (isUnified())
        showUnified(hunks);
    else
        showSideBySide(hunks);
    m_table->resizeColumnsToContents();
    const int last = m_table->columnCount() - 1;
    m_lastColumnContent = last >= 0 ? m_table->columnWidth(last) : 0;
    fitLastColumn();
}

// The last column takes the room left of the table, but never less than its lines need:
// stretched to the room alone (as a stretched header section is) it would cut them off.
void ComparisonView::fitLastColumn() {
    const int last = m_table->columnCount() - 1;
    if (last < 0)
        return;
    int others = 0;
    for (int column = 0; column < last; ++column)
        others += m_table->columnWidth(column);
    m_table->setColumnWidth(last,
                            std::max(m_lastColumnContent, m_table->viewport()->width() - others));
}

bool ComparisonView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_table->viewport() && event->type() == QEvent::Resize)
        fitLastColumn();
    return QWidget::eventFilter(watched, event);
}

void ComparisonView::showSideBySide(const std::vector<DiffHunk>& hunks) {
    m_table->setColumnCount(4);
    m_table->setHorizontalHeaderLabels({tr("Line"), m_oldLabel, tr("Line"), m_newLabel});
    for (std::size_t h = 0; h < hunks.size(); ++h) {
        if (h > 0) {
            const int row = m_table->rowCount();
            m_table->insertRow(row);
            for (int column = 0; column < 4; ++column)
                m_table->setItem(row, column,
                                 cell(column % 2 ? QStringLiteral("...") : QString(), kHunkColor));
        }
        for (const SideBySideRow& line : sideBySideRows(hunks[h].lines)) {
            const int row = m_table->rowCount();
            m_table->insertRow(row);
            const bool oldChanged = line.kind == RowKind::Changed || line.kind == RowKind::Removed;
            const bool newChanged = line.kind == RowKind::Changed || line.kind == RowKind::Added;
            const QColor oldColor = oldChanged ? kRemovedColor : QColor();
            const QColor newColor = newChanged ? kAddedColor : QColor();
            m_table->setItem(row, 0, cell(number(line.oldLine), oldColor));
            m_table->setItem(row, 1, cell(oldLine(line.oldLine), oldColor));
            m_table->setItem(row, 2, cell(number(line.newLine), newColor));
            m_table->setItem(row, 3, cell(newLine(line.newLine), newColor));
        }
    }
}

void ComparisonView::showUnified(const std::vector<DiffHunk>& hunks) {
    m_table->setColumnCount(3);
    m_table->setHorizontalHeaderLabels(
        {m_oldLabel, m_newLabel, tr("--- %1  +++ %2").arg(m_oldLabel, m_newLabel)});
    for (const DiffHunk& hunk : hunks) {
        int row = m_table->rowCount();
        m_table->insertRow(row);
        const QString header = QStringLiteral("@@ -%1,%2 +%3,%4 @@")
                                   .arg(hunk.oldStart)
                                   .arg(hunk.oldCount)
                                   .arg(hunk.newStart)
                                   .arg(hunk.newCount);
        m_table->setItem(row, 0, cell(QString(), kHunkColor));
        m_table->setItem(row, 1, cell(QString(), kHunkColor));
        m_table->setItem(row, 2, cell(header, kHunkColor));
        for (const DiffLine& line : hunk.lines) {
            row = m_table->rowCount();
            m_table->insertRow(row);
            const QColor color = line.kind == DiffKind::Removed ? kRemovedColor
                                 : line.kind == DiffKind::Added ? kAddedColor
                                                                : QColor();
            const QString text =
                line.kind == DiffKind::Added     ? QStringLiteral("+") + newLine(line.newLine)
                : line.kind == DiffKind::Removed ? QStringLiteral("-") + oldLine(line.oldLine)
                                                 : QStringLiteral(" ") + oldLine(line.oldLine);
            m_table->setItem(row, 0, cell(number(line.oldLine), color));
            m_table->setItem(row, 1, cell(number(line.newLine), color));
            m_table->setItem(row, 2, cell(text, color));
        }
    }
}

} // namespace cockpix

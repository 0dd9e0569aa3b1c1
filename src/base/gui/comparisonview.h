#pragma once

// A comparison of two panel.cfg texts, as the designer reads it before a save or a restore:
// the lines that differ with a few unchanged ones around them (or the whole file), side by
// side or in one column with "-" and "+", over a summary of how many lines change.
//
// objectNames: comparisonSummary, comparisonMode ("Side by side" / "Unified"), wholeFile,
// comparisonTable.

#include "base/core/linediff.h"

#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

namespace cockpix {

class ComparisonView : public QWidget {
    Q_OBJECT
public:
    explicit ComparisonView(QWidget* parent = nullptr);

    // The texts are panel.cfg bytes (Windows-1252); the labels name the two sides.
    void setTexts(const QString& oldLabel, const std::string& oldText, const QString& newLabel,
                  const std::string& newText);

    const DiffCounts& counts() const { return m_counts; }
    // True when the texts are the same, line ends included.
    bool identical() const { return m_identicalBytes; }
    QTableWidget* table() const { return m_table; }
    void setUnified(bool unified);
    bool isUnified() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showRows();
    void fitLastColumn();
    void showSideBySide(const std::vector<DiffHunk>& hunks);
    void showUnified(const std::vector<DiffHunk>& hunks);
    QString oldLine(int line) const;
    QString newLine(int line) const;
    void updateSummary();

    QLabel* m_summary = nullptr;
    QComboBox* m_mode = nullptr;
    QCheckBox* m_wholeFile = nullptr;
    QTableWidget* m_table = nullptr;
    QString m_oldLabel;
    QString m_newLabel;
    std::string m_oldText;
    std::string m_newText;
    std::vector<std::string_view> m_oldLines;
    std::vector<std::string_view> m_newLines;
    std::vector<DiffLine> m_script;
    DiffCounts m_counts;
    bool m_identicalBytes = true;
    int m_lastColumnContent = 0; // the width the last column's lines need
};

} // namespace cockpix

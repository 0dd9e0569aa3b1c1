#pragma once

// The comparison of the panel.cfg on disk with the text "&Save" is about to write: with
// "Save" and "Cancel" before a save ("Show changes before saving"), with "Close" alone for
// "Compare with saved...".
//
// objectNames: ComparisonDialog, comparisonView, saveButton / closeButton, cancelButton.

#include <QDialog>

#include <string>

class QPushButton;

namespace cockpix {

class ComparisonView;

class ComparisonDialog : public QDialog {
    Q_OBJECT
public:
    enum class Purpose { ReviewBeforeSave, Compare };

    ComparisonDialog(Purpose purpose, QWidget* parent = nullptr);

    void setTexts(const QString& oldLabel, const std::string& oldText, const QString& newLabel,
                  const std::string& newText);
    ComparisonView* view() const { return m_view; }
    // "Save" (before a save) or "Close".
    QPushButton* acceptButton() const { return m_accept; }
    // "Cancel" before a save; null otherwise.
    QPushButton* cancelButton() const { return m_cancel; }

private:
    ComparisonView* m_view = nullptr;
    QPushButton* m_accept = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace cockpix

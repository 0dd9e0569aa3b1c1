#pragma once

// "Panel check" (objectName CheckerWindow): the list of what the panel checker finds in the
// panel being edited, with the panel.cfg line of each finding, kept up to date while the
// panel changes. A double click (or "Go to") shows the place of a finding: the template row
// and box, the [Default View] box, or the gauge's properties; "Fix" applies the
// finding's fix as one undo step where the repair is obvious.
//
// objectNames: checkSummary, findingList, goButton, fixButton, closeButton.

#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace cockpix {

class FindingFixer;
class PanelCheck;
class UserDialogs;
struct Finding;

class CheckerWindow : public QDialog {
    Q_OBJECT
public:
    CheckerWindow(PanelCheck& check, PanelDocuments& documents, AppModel& app, UserDialogs& dialogs,
                  QWidget* parent = nullptr);

    QTreeWidget* findingList() const { return m_list; }
    // The finding of the current row, or null.
    const Finding* currentFinding() const;

public slots:
    // Shows the place of the current finding (what a double click does).
    void goToCurrent();
    // Applies the current finding's fix.
    void fixCurrent();

signals:
    // The template row w, at the box of the field (WindowField as int, -1 for none).
    void rowRequested(int w, int field);
    // The [Default View] box 0..3 (X, Y, SIZE_X, SIZE_Y).
    void viewFieldRequested(int index);
    // Gauge g of window w (both within the panel) is to be shown in its properties.
    void gaugeRequested(int window, int gauge);

private:
    void goToFs98(const fs98::Panel& panel, const Finding& finding);
    void goToFs2k(const Finding& finding);
    void showFindings();
    void updateButtons();

    PanelCheck& m_check;
    PanelDocuments& m_documents;
    FindingFixer* m_fixer = nullptr;
    QLabel* m_summary = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_go = nullptr;
    QPushButton* m_fix = nullptr;
};

} // namespace cockpix

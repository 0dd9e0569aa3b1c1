#pragma once

// The panel checker on the panel being edited: the findings of the document's panel with
// the lines of the panel.cfg it was opened from, worked out again a moment after every
// change (a fix, an edit, an undo) and on request. The checker window and the main window's
// status bar show them.

#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"
#include "template/core/checkfacts.h"
#include "template/core/finding.h"

#include <QObject>

#include <vector>

class QTimer;

namespace cockpix {

class PanelCheck : public QObject {
    Q_OBJECT
public:
    PanelCheck(const PanelDocuments& documents, const AppModel& app, QObject* parent = nullptr);

    const std::vector<Finding>& findings() const { return m_findings; }
    int errorCount() const;

    // The module and bitmap facts the checks used, for the fixes' lists.
    CheckFacts& facts() { return m_facts; }

public slots:
    // Checks at once (the file is read again for its lines).
    void recheck();

signals:
    void findingsChanged();

private:
    std::vector<Finding> fs98Findings(const fs98::Document& document);
    std::vector<Finding> fs2kFindings(const fs2k::Document& document);

    const PanelDocuments& m_documents;
    const fs98::Document& m_document;
    const fs2k::Document& m_fs2kDocument;
    const AppModel& m_app;
    CheckFacts m_facts;
    std::vector<Finding> m_findings;
    QTimer* m_recheckTimer = nullptr; // a moment after a change
};

} // namespace cockpix

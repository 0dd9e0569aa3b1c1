#pragma once

// The base of every panel document's undo steps: the run of merged steps they belong to.
// Each format's steps derive from it and reach their own document's model.

#include <QUndoCommand>

namespace cockpix {

class BaseDocument;

class PanelCommand : public QUndoCommand {
public:
    // Ids of the steps that merge with the one before them.
    enum Id { WindowFieldId = 1, GaugeFieldId, DefaultViewId };

protected:
    PanelCommand(BaseDocument& document, const QString& text);

    // A step merges only with one of the same run (see BaseDocument::breakMerge).
    bool sameRun(const QUndoCommand* other) const;

private:
    int m_run;
};

} // namespace cockpix

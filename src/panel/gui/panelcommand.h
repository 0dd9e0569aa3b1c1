#pragma once

// The base of the panel document's undo steps: access to the panel they change and the
// run of merged steps they belong to.

#include "panel/gui/paneldocument.h"

#include <QUndoCommand>

namespace cockpix {

class PanelCommand : public QUndoCommand {
public:
    // Ids of the steps that merge with the one before them.
    enum Id { WindowFieldId = 1, GaugeFieldId, DefaultViewId };

protected:
    PanelCommand(PanelDocument& document, const QString& text);

    PanelDocument& document() const { return m_document; }
    fs98::Panel& panel() const { return m_document.editablePanel(); }
    fs98::PaletteSaveOptions& paletteOptions() const { return m_document.editablePaletteOptions(); }
    fs98::PaletteProposal& proposal() const { return m_document.editableProposal(); }
    // The lines of a panel of FS2000 and later, and the notice that they changed (what
    // they set is read again, fs2kChanged is emitted).
    fs2k::PanelLines& lines() const { return m_document.editableLines(); }
    void fs2kEdited() const { m_document.fs2kLinesChanged(); }
    // A step merges only with one of the same run (see PanelDocument::breakMerge).
    bool sameRun(const QUndoCommand* other) const;

private:
    PanelDocument& m_document;
    int m_run;
};

} // namespace cockpix

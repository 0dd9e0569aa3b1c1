#pragma once

#include "panel/gui/fs2k/document.h"
#include "panel/gui/panelcommand.h"

#include <functional>

namespace cockpix::fs2k {

// An edit of the lines of a panel of FS2000 and later: the line edit runs once, and the
// step keeps the lines' state before and after it, so undo and redo put back the table of
// lines without running the edit again (the bytes of every line stay held by the lines).
class LinesCommand : public PanelCommand {
public:
    using Edit = std::function<void(PanelLines&)>;
    LinesCommand(Document& document, const QString& text, Edit edit);

    void redo() override;
    void undo() override;

private:
    PanelLines& lines() const { return m_document.editableLines(); }

    Document& m_document;
    Edit m_edit; // until the first redo
    PanelLines::State m_before;
    PanelLines::State m_after;
};

} // namespace cockpix::fs2k

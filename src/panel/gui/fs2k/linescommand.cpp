#include "panel/gui/fs2k/linescommand.h"

#include <utility>

namespace cockpix::fs2k {

LinesCommand::LinesCommand(Document& document, const QString& text, Edit edit)
    : PanelCommand(document, text), m_document(document), m_edit(std::move(edit)),
      m_before(lines().state()) {}

void LinesCommand::redo() {
    if (m_edit) {
        m_edit(lines());
        m_edit = nullptr;
        m_after = lines().state();
    } else {
        lines().restore(m_after);
    }
    m_document.linesEdited();
}

void LinesCommand::undo() {
    lines().restore(m_before);
    m_document.linesEdited();
}

} // namespace cockpix::fs2k

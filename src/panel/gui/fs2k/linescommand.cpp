#include "panel/gui/fs2k/linescommand.h"

#include <utility>

namespace cockpix::fs2k {

LinesCommand::LinesCommand(PanelDocument& document, const QString& text, Edit edit)
    : PanelCommand(document, text), m_edit(std::move(edit)), m_before(lines().state()) {}

void LinesCommand::redo() {
    if (m_edit) {
        m_edit(lines());
        m_edit = nullptr;
        m_after = lines().state();
    } else {
        lines().restore(m_after);
    }
    fs2kEdited();
}

void LinesCommand::undo() {
    lines().restore(m_before);
    fs2kEdited();
}

} // namespace cockpix::fs2k

#include "panel/gui/laterlinescommand.h"

#include <utility>

namespace cockpix {

LaterLinesCommand::LaterLinesCommand(PanelDocument& document, const QString& text, Edit edit)
    : PanelCommand(document, text), m_edit(std::move(edit)), m_before(lines().state()) {}

void LaterLinesCommand::redo() {
    if (m_edit) {
        m_edit(lines());
        m_edit = nullptr;
        m_after = lines().state();
    } else {
        lines().restore(m_after);
    }
    laterEdited();
}

void LaterLinesCommand::undo() {
    lines().restore(m_before);
    laterEdited();
}

} // namespace cockpix

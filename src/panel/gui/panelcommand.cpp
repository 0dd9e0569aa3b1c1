#include "panel/gui/panelcommand.h"

namespace cockpix {

PanelCommand::PanelCommand(PanelDocument& document, const QString& text)
    : QUndoCommand(text), m_document(document), m_run(document.mergeRun()) {}

bool PanelCommand::sameRun(const QUndoCommand* other) const {
    const auto* command = dynamic_cast<const PanelCommand*>(other);
    return command != nullptr && command->m_run == m_run;
}

} // namespace cockpix

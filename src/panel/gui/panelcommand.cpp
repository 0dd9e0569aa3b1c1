#include "panel/gui/panelcommand.h"

#include "panel/gui/basedocument.h"

namespace cockpix {

PanelCommand::PanelCommand(BaseDocument& document, const QString& text)
    : QUndoCommand(text), m_run(document.mergeRun()) {}

bool PanelCommand::sameRun(const QUndoCommand* other) const {
    const auto* command = dynamic_cast<const PanelCommand*>(other);
    return command != nullptr && command->m_run == m_run;
}

} // namespace cockpix

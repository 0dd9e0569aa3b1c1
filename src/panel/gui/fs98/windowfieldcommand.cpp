#include "panel/gui/fs98/windowfieldcommand.h"

namespace cockpix::fs98 {

WindowFieldCommand::WindowFieldCommand(Document& document, const WindowEdit& edit)
    : Command(document, QString::fromStdString(windowFieldStepName(edit.row, edit.field))),
      m_before{edit.row, edit.field, windowField(document.panel().window(edit.row), edit.field),
               document.panel().windowCount},
      m_after(edit) {}

void WindowFieldCommand::apply(const WindowEdit& edit) {
    applyWindowEdit(panel(), edit);
    emit document().windowChanged(edit.row);
}

void WindowFieldCommand::redo() {
    apply(m_after);
}

void WindowFieldCommand::undo() {
    apply(m_before);
}

bool WindowFieldCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const WindowFieldCommand*>(other);
    if (next == nullptr || !sameRun(other) || next->m_after.row != m_after.row ||
        next->m_after.field != m_after.field)
        return false;
    m_after = next->m_after;
    // Typed back to where it started: the step has nothing left to undo.
    setObsolete(m_after.value == m_before.value && m_after.windowCount == m_before.windowCount);
    return true;
}

} // namespace cockpix::fs98

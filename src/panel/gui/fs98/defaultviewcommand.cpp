#include "panel/gui/fs98/defaultviewcommand.h"

namespace cockpix::fs98 {
namespace {

constexpr int kSeveralFields = -1;

int differingField(const DefaultView& a, const DefaultView& b) {
    const bool differs[] = {a.x != b.x, a.y != b.y, a.sizeX != b.sizeX, a.sizeY != b.sizeY};
    int field = kSeveralFields;
    int count = 0;
    for (int i = 0; i < 4; ++i) {
        if (differs[i]) {
            field = i;
            ++count;
        }
    }
    return count == 1 ? field : kSeveralFields;
}

} // namespace

DefaultViewCommand::DefaultViewCommand(Document& document, const DefaultView& view)
    : Command(document, QStringLiteral("Default view")),
      m_before(document.panel().defaultView()), m_after(view) {}

int DefaultViewCommand::changedField() const {
    return differingField(m_before, m_after);
}

void DefaultViewCommand::apply(const DefaultView& view) {
    panel().setDefaultView(view);
    emit document().defaultViewChanged();
}

void DefaultViewCommand::redo() {
    apply(m_after);
}

void DefaultViewCommand::undo() {
    apply(m_before);
}

bool DefaultViewCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const DefaultViewCommand*>(other);
    if (next == nullptr || !sameRun(other))
        return false;
    const int field = changedField();
    if (field == kSeveralFields || next->changedField() != field)
        return false;
    m_after = next->m_after;
    setObsolete(m_after == m_before);
    return true;
}

} // namespace cockpix::fs98

#include "panel/gui/fs98/windowsectionscommand.h"

namespace cockpix::fs98 {

WindowSectionsCommand::WindowSectionsCommand(Document& document, const WindowOrder& order,
                                             const QString& text)
    : Command(document, text), m_order(order) {}

void WindowSectionsCommand::apply(const WindowOrder& order) {
    moveWindowSections(panel(), order);
    // Every slot that took another section changed as a row and as a set of gauges.
    for (int w = 0; w < kWindowSlots; ++w) {
        if (order[static_cast<std::size_t>(w)] == w)
            continue;
        emit document().windowChanged(w);
        emit document().gaugesChanged(w);
    }
}

void WindowSectionsCommand::redo() {
    apply(m_order);
}

void WindowSectionsCommand::undo() {
    apply(inverseWindowOrder(m_order));
}

} // namespace cockpix::fs98

#pragma once

#include "panel/gui/fs98/command.h"

namespace cockpix::fs98 {

// The window sections moved to other slots in one step (the gaps of the window table
// closed); the titles stay in their rows.
class WindowSectionsCommand : public Command {
public:
    WindowSectionsCommand(Document& document, const WindowOrder& order, const QString& text);

    void redo() override;
    void undo() override;

private:
    void apply(const WindowOrder& order);

    WindowOrder m_order;
};

} // namespace cockpix::fs98

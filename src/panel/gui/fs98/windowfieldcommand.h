#pragma once

#include "panel/gui/fs98/command.h"

namespace cockpix::fs98 {

// One field of a window row, with the window count: typing into one box of the template is
// one step, however many keys it took.
class WindowFieldCommand : public Command {
public:
    WindowFieldCommand(Document& document, const WindowEdit& edit);

    void redo() override;
    void undo() override;
    int id() const override { return WindowFieldId; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    void apply(const WindowEdit& edit);

    WindowEdit m_before;
    WindowEdit m_after;
};

} // namespace cockpix::fs98

#pragma once

#include "panel/gui/fs98/command.h"

namespace cockpix::fs98 {

// The [Default View]: typing into one of its boxes is one step; the outside-view tool sets
// all four at once.
class DefaultViewCommand : public Command {
public:
    DefaultViewCommand(Document& document, const DefaultView& view);

    void redo() override;
    void undo() override;
    int id() const override { return DefaultViewId; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    void apply(const DefaultView& view);
    // Which of the four values the step changes: a step merges with the next one only
    // when both change the same single value.
    int changedField() const;

    DefaultView m_before;
    DefaultView m_after;
};

} // namespace cockpix::fs98

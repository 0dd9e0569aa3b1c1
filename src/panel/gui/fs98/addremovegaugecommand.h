#pragma once

#include "panel/gui/fs98/command.h"

namespace cockpix::fs98 {

// A gauge appended to a window; its slot's earlier content comes back on undo.
class AddGaugeCommand : public Command {
public:
    AddGaugeCommand(Document& document, int w, const Gauge& gauge);

    void redo() override;
    void undo() override;

private:
    int m_w;
    Gauge m_gauge;
    Gauge m_previousSlot;
};

// A gauge removed from a window, the later ones moved down a slot.
class RemoveGaugeCommand : public Command {
public:
    RemoveGaugeCommand(Document& document, int w, int g);

    void redo() override;
    void undo() override;

private:
    int m_w;
    int m_g;
    Gauge m_removed;
};

} // namespace cockpix::fs98

#pragma once

#include "panel/gui/fs98/command.h"

namespace cockpix::fs98 {

// X, Y or size of one gauge: typing into one box of the gauge properties, or running its
// scroll bar, is one step.
class GaugeFieldCommand : public Command {
public:
    GaugeFieldCommand(Document& document, int w, int g, GaugeField field, double value);

    void redo() override;
    void undo() override;
    int id() const override { return GaugeFieldId; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    void apply(double value);

    int m_w;
    int m_g;
    GaugeField m_field;
    double m_before;
    double m_after;
};

// A gauge put at a new X and Y in one go, as a drag with the mouse does.
class MoveGaugeCommand : public Command {
public:
    MoveGaugeCommand(Document& document, int w, int g, double x, double y);

    void redo() override;
    void undo() override;

private:
    void apply(double x, double y);

    int m_w;
    int m_g;
    double m_beforeX;
    double m_beforeY;
    double m_afterX;
    double m_afterY;
};

// A gauge given a new size in one go, as dragging the corner handle of its picture does.
class ResizeGaugeCommand : public Command {
public:
    ResizeGaugeCommand(Document& document, int w, int g, double size);

    void redo() override;
    void undo() override;

private:
    void apply(double size);

    int m_w;
    int m_g;
    double m_before;
    double m_after;
};

} // namespace cockpix::fs98

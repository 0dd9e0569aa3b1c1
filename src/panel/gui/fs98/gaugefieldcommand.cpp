#include "panel/gui/fs98/gaugefieldcommand.h"

namespace cockpix::fs98 {

GaugeFieldCommand::GaugeFieldCommand(Document& document, int w, int g, GaugeField field,
                                     double value)
    : Command(document, QString::fromStdString(gaugeFieldStepName(g, field))), m_w(w), m_g(g),
      m_field(field), m_before(gaugeField(document.panel().gauge(w, g), field)), m_after(value) {}

void GaugeFieldCommand::apply(double value) {
    setGaugeField(panel().gauge(m_w, m_g), m_field, value);
    emit document().gaugeChanged(m_w, m_g);
}

void GaugeFieldCommand::redo() {
    apply(m_after);
}

void GaugeFieldCommand::undo() {
    apply(m_before);
}

bool GaugeFieldCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const GaugeFieldCommand*>(other);
    if (next == nullptr || !sameRun(other) || next->m_w != m_w || next->m_g != m_g ||
        next->m_field != m_field)
        return false;
    m_after = next->m_after;
    setObsolete(m_after == m_before);
    return true;
}

MoveGaugeCommand::MoveGaugeCommand(Document& document, int w, int g, double x, double y)
    : Command(document, QStringLiteral("Move gauge #%1").arg(g)), m_w(w), m_g(g),
      m_beforeX(document.panel().gauge(w, g).gaugeX),
      m_beforeY(document.panel().gauge(w, g).gaugeY), m_afterX(x), m_afterY(y) {}

void MoveGaugeCommand::apply(double x, double y) {
    Gauge& gauge = panel().gauge(m_w, m_g);
    gauge.gaugeX = x;
    gauge.gaugeY = y;
    emit document().gaugeChanged(m_w, m_g);
}

void MoveGaugeCommand::redo() {
    apply(m_afterX, m_afterY);
}

void MoveGaugeCommand::undo() {
    apply(m_beforeX, m_beforeY);
}

ResizeGaugeCommand::ResizeGaugeCommand(Document& document, int w, int g, double size)
    : Command(document, QStringLiteral("Resize gauge #%1").arg(g)), m_w(w), m_g(g),
      m_before(document.panel().gauge(w, g).gaugeSize), m_after(size) {}

void ResizeGaugeCommand::apply(double size) {
    setGaugeField(panel().gauge(m_w, m_g), GaugeField::Size, size);
    emit document().gaugeChanged(m_w, m_g);
}

void ResizeGaugeCommand::redo() {
    apply(m_after);
}

void ResizeGaugeCommand::undo() {
    apply(m_before);
}

} // namespace cockpix::fs98

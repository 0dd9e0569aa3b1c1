#include "panel/gui/fs98/addremovegaugecommand.h"

namespace cockpix::fs98 {

AddGaugeCommand::AddGaugeCommand(Document& document, int w, const Gauge& gauge)
    : Command(document,
                   QStringLiteral("Add gauge %1").arg(QString::fromStdString(gauge.gaugeName))),
      m_w(w), m_gauge(gauge) {}

void AddGaugeCommand::redo() {
    m_previousSlot = appendGauge(panel(), m_w, m_gauge);
    emit document().gaugesChanged(m_w);
}

void AddGaugeCommand::undo() {
    unappendGauge(panel(), m_w, m_previousSlot);
    emit document().gaugesChanged(m_w);
}

RemoveGaugeCommand::RemoveGaugeCommand(Document& document, int w, int g)
    : Command(document, QStringLiteral("Remove gauge #%1").arg(g)), m_w(w), m_g(g) {}

void RemoveGaugeCommand::redo() {
    m_removed = removeGaugeAt(panel(), m_w, m_g);
    emit document().gaugesChanged(m_w);
}

void RemoveGaugeCommand::undo() {
    insertGaugeAt(panel(), m_w, m_g, m_removed);
    emit document().gaugesChanged(m_w);
}

} // namespace cockpix::fs98

#include "panel/gui/fs98/gaugemodulecommand.h"

namespace cockpix::fs98 {

GaugeModuleCommand::GaugeModuleCommand(Document& document, int w, int g,
                                       const std::string& name)
    : Command(document, QStringLiteral("Gauge #%1 module").arg(g)), m_w(w), m_g(g),
      m_before(document.panel().gauge(w, g).gaugeName), m_after(name) {}

void GaugeModuleCommand::apply(const std::string& name) {
    setGaugeModule(panel(), m_w, m_g, name);
    // Another module is another picture: the window draws its gauges again.
    emit document().gaugesChanged(m_w);
}

void GaugeModuleCommand::redo() {
    apply(m_after);
}

void GaugeModuleCommand::undo() {
    apply(m_before);
}

} // namespace cockpix::fs98

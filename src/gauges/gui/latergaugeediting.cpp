#include "gauges/gui/latergaugeediting.h"

#include "panel/gui/paneldocument.h"

namespace cockpix {

void LaterGaugeEditing::move(std::size_t line, double x, double y) {
    m_document.moveLaterGauge(line, x, y);
}

void LaterGaugeEditing::resize(std::size_t line, double width, std::optional<double> height) {
    m_document.resizeLaterGauge(line, width, height);
}

void LaterGaugeEditing::setLine(std::size_t line, const std::string& text) {
    m_document.setLaterGaugeLine(line, text);
}

void LaterGaugeEditing::remove(std::size_t line) {
    m_document.removeLaterGauge(line);
}

} // namespace cockpix

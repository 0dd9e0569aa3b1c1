#include "panel/gui/fs98/severalgaugescommand.h"

#include "base/gui/counttext.h"

#include <algorithm>
#include <functional>

namespace cockpix::fs98 {

PlaceGaugesCommand::PlaceGaugesCommand(Document& document, int w,
                                       std::vector<GaugePlacement> placements, const QString& text)
    : Command(document, text), m_w(w), m_after(std::move(placements)) {
    m_before.reserve(m_after.size());
    for (const GaugePlacement& place : m_after)
        m_before.push_back(gaugePlacement(document.panel(), w, place.g));
}

void PlaceGaugesCommand::redo() {
    for (const GaugePlacement& place : m_after)
        placeGauge(panel(), m_w, place);
    emit document().gaugesPlaced(m_w);
}

void PlaceGaugesCommand::undo() {
    // Backwards, so that a gauge named twice gets back its first value.
    for (auto place = m_before.rbegin(); place != m_before.rend(); ++place)
        placeGauge(panel(), m_w, *place);
    emit document().gaugesPlaced(m_w);
}

PasteGaugesCommand::PasteGaugesCommand(Document& document, int w, std::vector<Gauge> gauges)
    : Command(document,
                   QStringLiteral("Paste ") + countText(int(gauges.size()), QStringLiteral("gauge"),
                                                        QStringLiteral("gauges"))),
      m_w(w), m_gauges(std::move(gauges)) {}

void PasteGaugesCommand::redo() {
    m_previousSlots.clear();
    for (const Gauge& gauge : m_gauges)
        m_previousSlots.push_back(appendGauge(panel(), m_w, gauge));
    emit document().gaugesChanged(m_w);
}

void PasteGaugesCommand::undo() {
    // A redo brings back the gauges as they are now: a size a panel window found for a
    // pasted line without one (recordFoundGaugeSize) stays found.
    const int count = std::clamp(panel().window(m_w).gaugeCount, 0, kGaugeSlots);
    for (std::size_t k = 0; k < m_gauges.size(); ++k) {
        const int g = count - int(m_gauges.size()) + int(k);
        if (g >= 0)
            m_gauges[k] = panel().gauge(m_w, g);
    }
    for (auto slot = m_previousSlots.rbegin(); slot != m_previousSlots.rend(); ++slot)
        unappendGauge(panel(), m_w, *slot);
    emit document().gaugesChanged(m_w);
}

CutGaugesCommand::CutGaugesCommand(Document& document, int w, std::vector<int> gauges,
                                   const QString& text)
    : Command(document, !text.isEmpty()
                                 ? text
                                 : QStringLiteral("Cut ") + countText(int(gauges.size()),
                                                                      QStringLiteral("gauge"),
                                                                      QStringLiteral("gauges"))),
      m_w(w), m_gauges(std::move(gauges)) {
    std::sort(m_gauges.begin(), m_gauges.end(), std::greater<>());
}

void CutGaugesCommand::redo() {
    m_removed.clear();
    for (int g : m_gauges)
        m_removed.push_back(removeGaugeAt(panel(), m_w, g));
    emit document().gaugesChanged(m_w);
}

void CutGaugesCommand::undo() {
    // The exact inverse: the lowest gauge goes back first.
    for (std::size_t i = m_gauges.size(); i-- > 0;)
        insertGaugeAt(panel(), m_w, m_gauges[i], m_removed[i]);
    emit document().gaugesChanged(m_w);
}

} // namespace cockpix::fs98

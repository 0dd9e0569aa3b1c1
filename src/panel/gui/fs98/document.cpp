#include "panel/gui/fs98/document.h"

#include "panel/gui/fs98/addremovegaugecommand.h"
#include "panel/gui/fs98/defaultviewcommand.h"
#include "panel/gui/fs98/gaugefieldcommand.h"
#include "panel/gui/fs98/gaugemodulecommand.h"
#include "panel/gui/fs98/palettecommand.h"
#include "panel/gui/fs98/ratioandviewcommand.h"
#include "panel/gui/fs98/severalgaugescommand.h"
#include "panel/gui/fs98/windowfieldcommand.h"
#include "panel/gui/fs98/windowsectionscommand.h"

#include <algorithm>
#include <cmath>

namespace cockpix::fs98 {
namespace {

bool isGaugeOf(const Panel& panel, int w, int g) {
    return isWindowSlot(w) && g >= 0 && g < std::min(panel.window(w).gaugeCount, kGaugeSlots);
}

} // namespace

Document::Document(QObject* parent) : BaseDocument(parent) {}

Document::~Document() = default;

void Document::setWindowField(const fs98::WindowEdit& edit) {
    if (!fs98::isWindowSlot(edit.row))
        return;
    if (fs98::windowField(m_panel.window(edit.row), edit.field) == edit.value &&
        std::clamp(edit.windowCount, 0, fs98::kWindowSlots) == m_panel.windowCount)
        return;
    push(new WindowFieldCommand(*this, edit));
}

void Document::setGaugeField(int w, int g, fs98::GaugeField field, double value) {
    if (!isGaugeOf(m_panel, w, g) || fs98::gaugeField(m_panel.gauge(w, g), field) == value)
        return;
    push(new GaugeFieldCommand(*this, w, g, field, value));
}

void Document::moveGauge(int w, int g, double x, double y) {
    if (!isGaugeOf(m_panel, w, g))
        return;
    const fs98::Gauge& gauge = m_panel.gauge(w, g);
    if (gauge.gaugeX == x && gauge.gaugeY == y)
        return;
    push(new MoveGaugeCommand(*this, w, g, x, y));
    breakMerge();
}

void Document::resizeGauge(int w, int g, double size) {
    if (!isGaugeOf(m_panel, w, g) || m_panel.gauge(w, g).gaugeSize == size)
        return;
    push(new ResizeGaugeCommand(*this, w, g, size));
    breakMerge();
}

void Document::setGaugeModule(int w, int g, const std::string& name) {
    if (!isGaugeOf(m_panel, w, g) || m_panel.gauge(w, g).gaugeName == name)
        return;
    push(new GaugeModuleCommand(*this, w, g, name));
    breakMerge();
}

void Document::moveWindowSections(const fs98::WindowOrder& order, const QString& text) {
    if (!fs98::isWindowOrder(order))
        return;
    fs98::Panel moved = m_panel;
    cockpix::fs98::moveWindowSections(moved, order);
    if (moved == m_panel)
        return;
    push(new WindowSectionsCommand(*this, order, text));
    breakMerge();
}

void Document::addGauge(int w, const fs98::Gauge& gauge) {
    if (!fs98::isWindowSlot(w) || m_panel.window(w).gaugeCount >= fs98::kGaugeSlots)
        return;
    push(new AddGaugeCommand(*this, w, gauge));
    breakMerge();
}

void Document::removeGauge(int w, int g) {
    if (!isGaugeOf(m_panel, w, g))
        return;
    push(new RemoveGaugeCommand(*this, w, g));
    breakMerge();
}

void Document::placeGauges(int w, std::vector<fs98::GaugePlacement> placements,
                           const QString& text) {
    std::erase_if(placements, [this, w](const fs98::GaugePlacement& place) {
        return !isGaugeOf(m_panel, w, place.g) ||
               !(std::isfinite(place.x) && std::isfinite(place.y) && std::isfinite(place.size)) ||
               fs98::gaugePlacement(m_panel, w, place.g) == place;
    });
    if (placements.empty())
        return;
    push(new PlaceGaugesCommand(*this, w, std::move(placements), text));
    breakMerge();
}

bool Document::pasteGauges(int w, std::vector<fs98::Gauge> gauges) {
    if (!fs98::isWindowSlot(w) || gauges.empty() ||
        gauges.size() > std::size_t(fs98::kGaugeSlots -
                                    std::clamp(m_panel.window(w).gaugeCount, 0, fs98::kGaugeSlots)))
        return false;
    push(new PasteGaugesCommand(*this, w, std::move(gauges)));
    breakMerge();
    return true;
}

void Document::cutGauges(int w, std::vector<int> gauges, const QString& text) {
    std::erase_if(gauges, [this, w](int g) { return !isGaugeOf(m_panel, w, g); });
    std::sort(gauges.begin(), gauges.end());
    gauges.erase(std::unique(gauges.begin(), gauges.end()), gauges.end());
    if (gauges.empty())
        return;
    push(new CutGaugesCommand(*this, w, std::move(gauges), text));
    breakMerge();
}

void Document::setDefaultView(const fs98::DefaultView& view) {
    if (m_panel.defaultView() == view)
        return;
    push(new DefaultViewCommand(*this, view));
}

void Document::setRatioAndDefaultView(int w, double ratio, const fs98::DefaultView& view,
                                      const QString& text) {
    if (!fs98::isWindowSlot(w) ||
        (m_panel.window(w).windowSizeRatio == ratio && m_panel.defaultView() == view))
        return;
    breakMerge();
    push(new RatioAndViewCommand(*this, w, ratio, view, text));
    breakMerge();
}

void Document::setColorLines(const std::vector<std::string>& lines) {
    if (fs98::colorLinesOf(m_panel) == lines)
        return;
    push(new ColorLinesCommand(*this, lines));
    breakMerge();
}

void Document::setPaletteOptions(const fs98::PaletteSaveOptions& options) {
    if (m_paletteOptions == options)
        return;
    push(new PaletteCommand(*this, QStringLiteral("Palette options"), options, m_proposal));
    breakMerge();
}

void Document::setPaletteProposal(const fs98::PaletteProposal& proposal) {
    if (m_proposal == proposal)
        return;
    push(new PaletteCommand(*this, QStringLiteral("Palette proposal"), m_paletteOptions, proposal));
    breakMerge();
}

std::string Document::bytesToSave(const fs98::SaveRequest& save) const {
    return savedPanelText(m_panel, save);
}

void Document::recordFoundGaugeSize(int w, int g, double size) {
    if (isGaugeOf(m_panel, w, g) && fs98::applyFoundGaugeSize(m_panel, w, g, size))
        emit gaugeChanged(w, g);
}

void Document::replacePanel(const fs98::Panel& panel, const std::string& filePath) {
    m_panel = panel;
    setFilePath(filePath);
    m_paletteOptions = {};
    m_proposal = {};
    clearHistory();
    emit panelReplaced();
}

} // namespace cockpix::fs98

#include "panel/gui/paneldocument.h"

#include "panel/gui/addremovegaugecommand.h"
#include "panel/gui/defaultviewcommand.h"
#include "panel/gui/gaugefieldcommand.h"
#include "panel/gui/gaugemodulecommand.h"
#include "panel/gui/palettecommand.h"
#include "panel/gui/ratioandviewcommand.h"
#include "panel/gui/windowfieldcommand.h"
#include "panel/gui/windowsectionscommand.h"

#include <QUndoStack>
#include <algorithm>

namespace cockpix {
namespace {

bool isGaugeOf(const Panel& panel, int w, int g) {
    return isWindowSlot(w) && g >= 0 && g < std::min(panel.window(w).gaugeCount, kGaugeSlots);
}

} // namespace

PanelDocument::PanelDocument(QObject* parent) : QObject(parent), m_undoStack(new QUndoStack(this)) {
    connect(m_undoStack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
    // Undo, redo and a jump in the history each end a run of merged steps, whoever asked
    // for them (the Edit menu, the history view, a test).
    connect(m_undoStack, &QUndoStack::indexChanged, this, [this] {
        if (!m_pushing)
            breakMerge();
    });
}

void PanelDocument::push(QUndoCommand* command) {
    m_pushing = true;
    m_undoStack->push(command);
    m_pushing = false;
}

PanelDocument::~PanelDocument() = default;

bool PanelDocument::isModified() const {
    return !m_undoStack->isClean();
}

void PanelDocument::markSaved(const std::string& filePath) {
    m_filePath = filePath;
    m_undoStack->setClean();
    breakMerge();
}

void PanelDocument::setWindowField(const WindowEdit& edit) {
    if (!isWindowSlot(edit.row))
        return;
    if (windowField(m_panel.window(edit.row), edit.field) == edit.value &&
        std::clamp(edit.windowCount, 0, kWindowSlots) == m_panel.windowCount)
        return;
    push(new WindowFieldCommand(*this, edit));
}

void PanelDocument::setGaugeField(int w, int g, GaugeField field, double value) {
    if (!isGaugeOf(m_panel, w, g) || gaugeField(m_panel.gauge(w, g), field) == value)
        return;
    push(new GaugeFieldCommand(*this, w, g, field, value));
}

void PanelDocument::moveGauge(int w, int g, double x, double y) {
    if (!isGaugeOf(m_panel, w, g))
        return;
    const Gauge& gauge = m_panel.gauge(w, g);
    if (gauge.gaugeX == x && gauge.gaugeY == y)
        return;
    push(new MoveGaugeCommand(*this, w, g, x, y));
    breakMerge();
}

void PanelDocument::resizeGauge(int w, int g, double size) {
    if (!isGaugeOf(m_panel, w, g) || m_panel.gauge(w, g).gaugeSize == size)
        return;
    push(new ResizeGaugeCommand(*this, w, g, size));
    breakMerge();
}

void PanelDocument::setGaugeModule(int w, int g, const std::string& name) {
    if (!isGaugeOf(m_panel, w, g) || m_panel.gauge(w, g).gaugeName == name)
        return;
    push(new GaugeModuleCommand(*this, w, g, name));
    breakMerge();
}

void PanelDocument::moveWindowSections(const WindowOrder& order, const QString& text) {
    if (!isWindowOrder(order))
        return;
    Panel moved = m_panel;
    cockpix::moveWindowSections(moved, order);
    if (moved == m_panel)
        return;
    push(new WindowSectionsCommand(*this, order, text));
    breakMerge();
}

void PanelDocument::addGauge(int w, const Gauge& gauge) {
    if (!isWindowSlot(w) || m_panel.window(w).gaugeCount >= kGaugeSlots)
        return;
    push(new AddGaugeCommand(*this, w, gauge));
    breakMerge();
}

void PanelDocument::removeGauge(int w, int g) {
    if (!isGaugeOf(m_panel, w, g))
        return;
    push(new RemoveGaugeCommand(*this, w, g));
    breakMerge();
}

void PanelDocument::setDefaultView(const DefaultView& view) {
    if (m_panel.defaultView() == view)
        return;
    push(new DefaultViewCommand(*this, view));
}

void PanelDocument::setRatioAndDefaultView(int w, double ratio, const DefaultView& view,
                                           const QString& text) {
    if (!isWindowSlot(w) ||
        (m_panel.window(w).windowSizeRatio == ratio && m_panel.defaultView() == view))
        return;
    breakMerge();
    push(new RatioAndViewCommand(*this, w, ratio, view, text));
    breakMerge();
}

void PanelDocument::setColorLines(const std::vector<std::string>& lines) {
    if (colorLinesOf(m_panel) == lines)
        return;
    push(new ColorLinesCommand(*this, lines));
    breakMerge();
}

void PanelDocument::setPaletteOptions(const PaletteSaveOptions& options) {
    if (m_paletteOptions == options)
        return;
    push(new PaletteCommand(*this, QStringLiteral("Palette options"), options, m_proposal));
    breakMerge();
}

void PanelDocument::setPaletteProposal(const PaletteProposal& proposal) {
    if (m_proposal == proposal)
        return;
    push(new PaletteCommand(*this, QStringLiteral("Palette proposal"), m_paletteOptions, proposal));
    breakMerge();
}

void PanelDocument::recordFoundGaugeSize(int w, int g, double size) {
    if (isGaugeOf(m_panel, w, g) && applyFoundGaugeSize(m_panel, w, g, size))
        emit gaugeChanged(w, g);
}

void PanelDocument::replacePanel(const Panel& panel, const std::string& filePath) {
    m_panel = panel;
    m_filePath = filePath;
    m_paletteOptions = {};
    m_proposal = {};
    clearHistory();
    emit panelReplaced();
}

void PanelDocument::clearHistory() {
    m_undoStack->clear();
    m_undoStack->setClean();
    breakMerge();
}

void PanelDocument::breakMerge() {
    ++m_mergeRun;
}

void PanelDocument::undo() {
    m_undoStack->undo();
}

void PanelDocument::redo() {
    m_undoStack->redo();
}

} // namespace cockpix

#include "panelwindows/gui/gaugeediting.h"

#include "panel/gui/fs98/document.h"
#include "panelwindows/gui/fs98/panelwindow.h"
#include "panelwindows/gui/panelwindowregistry.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace cockpix {

GaugeEditing::GaugeEditing(fs98::Document& document, AppModel& app,
                           const PanelWindowRegistry* registry)
    : m_document(document), m_app(app), m_registry(registry) {}

void GaugeEditing::setGaugeX(int w, int g, double x) {
    m_document.setGaugeField(w, g, fs98::GaugeField::X, x);
}

void GaugeEditing::setGaugeY(int w, int g, double y) {
    m_document.setGaugeField(w, g, fs98::GaugeField::Y, y);
}

void GaugeEditing::setGaugeSize(int w, int g, double size) {
    m_document.setGaugeField(w, g, fs98::GaugeField::Size, size);
}

void GaugeEditing::setBlinkInterval(double v) {
    m_app.blinkInterval = v;
    refreshBlinkers();
}

int GaugeEditing::toggleBlinker(int w) {
    m_app.blinkState = m_app.blinkState == 1 ? 0 : 1;
    showAllGauges(w);
    refreshBlinkers();
    return m_app.blinkState;
}

void GaugeEditing::removeGauge(int w, int g) {
    m_document.removeGauge(w, g);
    selectGauge(w, g - 1);
    bringToFront(w);
}

void GaugeEditing::selectGauge(int w, int g) {
    m_app.currentWindow = w;
    m_app.currentGauge = g;
    if (fs98::PanelWindowForm* form = m_registry ? m_registry->at(w) : nullptr)
        form->selectGauge(g);
}

void GaugeEditing::showAllGauges(int w) {
    if (fs98::PanelWindowForm* form = m_registry ? m_registry->at(w) : nullptr)
        form->showAllGauges();
}

void GaugeEditing::bringToFront(int w) {
    fs98::PanelWindowForm* form = m_registry ? m_registry->at(w) : nullptr;
    if (!form)
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) {
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
        sub->raise();
    } else {
        form->raise();
    }
    form->setFocus();
}

void GaugeEditing::endStep() {
    m_document.breakMerge();
}

void GaugeEditing::refreshBlinkers() {
    if (!m_registry)
        return;
    for (int w = 0; w < fs98::kWindowSlots; ++w) {
        if (fs98::PanelWindowForm* form = m_registry->at(w))
            form->refreshBlinker();
    }
}

} // namespace cockpix

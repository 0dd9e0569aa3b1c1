#include "gauges/gui/panelwindowregistry.h"

#include "gauges/gui/panelwindow.h"

namespace cockpix {

PanelWindowForm* PanelWindowRegistry::at(int w) const {
    if (w < 0 || w >= kWindowSlots)
        return nullptr;
    return m_forms[static_cast<std::size_t>(w)].data();
}

void PanelWindowRegistry::set(int w, PanelWindowForm* form) {
    if (w < 0 || w >= kWindowSlots)
        return;
    m_forms[static_cast<std::size_t>(w)] = form;
}

} // namespace cockpix

#include "panelwindows/gui/panelwindowregistry.h"

#include "panelwindows/gui/fs98/panelwindow.h"

namespace cockpix {

fs98::PanelWindowForm* PanelWindowRegistry::at(int w) const {
    if (w < 0 || w >= fs98::kWindowSlots)
        return nullptr;
    return m_forms[static_cast<std::size_t>(w)].data();
}

void PanelWindowRegistry::set(int w, fs98::PanelWindowForm* form) {
    if (w < 0 || w >= fs98::kWindowSlots)
        return;
    m_forms[static_cast<std::size_t>(w)] = form;
}

} // namespace cockpix

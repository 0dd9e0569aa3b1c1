#pragma once

#include "panel/core/panel.h"

#include <QPointer>

#include <array>

namespace cockpix {

class PanelWindowForm;

// panelForms: the newest panel window of each window slot. An older window of the same
// slot stays open but is no longer reachable from here; a closed window reads as null.
class PanelWindowRegistry {
public:
    // The newest open window of slot w, or null (also for w outside 0..8).
    PanelWindowForm* at(int w) const;
    void set(int w, PanelWindowForm* form);

private:
    std::array<QPointer<PanelWindowForm>, kWindowSlots> m_forms;
};

} // namespace cockpix

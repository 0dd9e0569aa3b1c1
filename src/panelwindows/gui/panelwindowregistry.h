#pragma once

#include "panel/core/fs98/panel.h"

#include <QPointer>

#include <array>

namespace cockpix {

namespace fs98 {
class PanelWindowForm;
}

// panelForms: the newest panel window of each window slot. An older window of the same
// slot stays open but is no longer reachable from here; a closed window reads as null.
class PanelWindowRegistry {
public:
    // The newest open window of slot w, or null (also for w outside 0..8).
    fs98::PanelWindowForm* at(int w) const;
    void set(int w, fs98::PanelWindowForm* form);

private:
    std::array<QPointer<fs98::PanelWindowForm>, fs98::kWindowSlots> m_forms;
};

} // namespace cockpix

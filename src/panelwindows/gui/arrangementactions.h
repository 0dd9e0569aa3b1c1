#pragma once

#include "panelwindows/core/gaugearrangement.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

namespace cockpix {

// The "Align" submenu of a panel window's Gauges menu and the small tool bar beside the
// frame with the same actions: align, distribute and (later panels) same size. Each action
// is enabled only while enough gauges are selected for it to do anything.
class ArrangementActions {
public:
    ArrangementActions(QWidget* window, QMenu* gaugeMenu, bool fs2kPanel,
                       std::function<void(Arrangement)> arrange);

    QToolBar* toolBar() const { return m_toolBar; }
    // Null for an arrangement the window does not offer.
    QAction* action(Arrangement arrangement) const;
    void updateStates(std::size_t selected);

private:
    QToolBar* m_toolBar = nullptr;
    std::vector<std::pair<Arrangement, QAction*>> m_actions;
};

} // namespace cockpix

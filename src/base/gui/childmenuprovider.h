#pragma once

#include <QList>

class QMenu;

namespace cockpix {

// An MDI child with a menu bar of its own (a panel window): while it is the active child,
// the main window shows these menus in place of its own.
class ChildMenuProvider {
public:
    virtual ~ChildMenuProvider() = default;
    virtual QList<QMenu*> childMenus() const = 0;
    // Keys its commands again from the key scheme in force (keyScheme()), which changed.
    virtual void applyKeyScheme() {}
};

} // namespace cockpix

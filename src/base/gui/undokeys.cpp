#include "base/gui/undokeys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>

namespace cockpix {
namespace {

bool isEditMenuKey(const QKeyEvent* key) {
    const QKeyCombination pressed = key->keyCombination();
    return pressed == QKeyCombination(Qt::AltModifier, Qt::Key_Backspace) ||
           pressed == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           pressed == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

// A box that claims the key in the shortcut override is the one typing goes to; refusing
// the claim lets the Edit menu's shortcut run instead.
class EditMenuKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride &&
            isEditMenuKey(static_cast<QKeyEvent*>(event))) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void routeUndoKeysToEditMenu(QWidget* root) {
    auto* filter = new EditMenuKeys(root);
    for (QLineEdit* box : root->findChildren<QLineEdit*>())
        box->installEventFilter(filter);
}

} // namespace cockpix

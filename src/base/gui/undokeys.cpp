#include "base/gui/undokeys.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QList>
#include <QObject>
#include <QString>

namespace cockpix {
namespace {

KeyScheme g_scheme = KeyScheme::Program;

QList<QKeySequence> sequencesOf(KeyedCommand command) {
    QList<QKeySequence> keys;
    for (std::string_view key : commandKeys(command, g_scheme))
        keys.append(QKeySequence(QString::fromLatin1(key.data(), qsizetype(key.size()))));
    return keys;
}

bool isEditMenuKey(const QKeyEvent* key) {
    const QKeySequence pressed(key->keyCombination());
    for (KeyedCommand command : {KeyedCommand::Undo, KeyedCommand::Redo}) {
        if (sequencesOf(command).contains(pressed))
            return true;
    }
    return false;
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

KeyScheme keyScheme() {
    return g_scheme;
}

void setKeyScheme(KeyScheme scheme) {
    g_scheme = scheme;
}

void setCommandKeys(QAction* action, KeyedCommand command) {
    action->setShortcuts(sequencesOf(command));
}

void routeUndoKeysToEditMenu(QWidget* root) {
    auto* filter = new EditMenuKeys(root);
    for (QLineEdit* box : root->findChildren<QLineEdit*>())
        box->installEventFilter(filter);
}

} // namespace cockpix

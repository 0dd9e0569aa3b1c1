#pragma once

// The keys in force, program-wide (COCKPIX's own or the standard desktop ones; the Options
// menu sets them), and how the commands take them.
//
// Text boxes take the desktop's undo and redo keys (Alt+Backspace, Ctrl+Y, Ctrl+Shift+Z,
// and Ctrl+Z with the desktop keys) for their own typing. In COCKPIX every box hands its text
// to the panel document, whose history the Edit menu undoes, so the Edit menu's undo and
// redo keys go to it from every box. The clipboard keys stay the box's.

#include "base/core/commandkeys.h"

class QAction;
class QWidget;

namespace cockpix {

KeyScheme keyScheme();
// Sets the scheme for the commands keyed from now on; the windows key theirs again.
void setKeyScheme(KeyScheme scheme);

// Gives action the keys of command in the scheme in force (the menu shows the first).
void setCommandKeys(QAction* action, KeyedCommand command);

// Lets the Edit menu's undo and redo keys pass through the text boxes under root (the
// boxes existing now).
void routeUndoKeysToEditMenu(QWidget* root);

} // namespace cockpix

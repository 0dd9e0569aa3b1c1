#pragma once

// Text boxes take the desktop's undo and redo keys (Alt+Backspace, Ctrl+Y, Ctrl+Shift+Z)
// for their own typing. In COCKPIX every box hands its text to the panel document, whose
// history the Edit menu undoes, so these keys go to the Edit menu from every box.

class QWidget;

namespace cockpix {

// Lets the Edit menu's undo and redo keys pass through the text boxes under root (the
// boxes existing now).
void routeUndoKeysToEditMenu(QWidget* root);

} // namespace cockpix

#pragma once

// The commands whose keys depend on the key set in force. COCKPIX's own keys are those of
// FS98-era COCKPIX: Ctrl+C closes (the template, a panel window), Ctrl+Z opens a panel
// window's Zoom, Alt+Backspace undoes and the clipboard takes Shift+Delete, Ctrl+Insert and
// Shift+Insert. "Standard desktop keys" (the Options menu) gives undo, redo, the clipboard
// and closing the keys every desktop program uses and moves Zoom to a key of its own; the
// old keys of undo and the clipboard still work. Keys are written as Qt reads them
// ("Ctrl+Shift+Z"); the first of a command is the one its menu shows.

#include <string_view>
#include <vector>

namespace cockpix {

enum class KeyScheme { Program, Desktop };

enum class KeyedCommand { CloseTemplate, Undo, Redo, Cut, Copy, Paste, Zoom, CloseWindow };

std::vector<std::string_view> commandKeys(KeyedCommand command, KeyScheme scheme);

} // namespace cockpix

#pragma once

// The edits of a panel.cfg of FS2000 and later, as changes of whole lines: a value is
// replaced inside its own line (the key's spelling, the spacing and the line end stay), a
// key the section lacks is inserted after the section's last key line, a key or a window
// is removed with its lines. Every other line keeps its bytes.

#include "panel/core/laterpanel.h"
#include "panel/core/panellines.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cockpix {

// Sets key to value in section: the value of the section's first line of that key is
// replaced, or "key=value" is inserted after the section's last key line. Returns the line.
std::size_t setSectionKey(PanelLines& lines, std::size_t section, std::string_view key,
                          std::string_view value);

// Removes every line of key in section; false when it had none.
bool removeSectionKey(PanelLines& lines, std::size_t section, std::string_view key);

// Replaces the field `index` of a gauge line (0 = x, 1 = y, 2 = width, ...) with text,
// keeping the blanks around it; missing fields up to it are added, empty.
void setGaugeField(PanelLines& lines, std::size_t line, std::size_t index, std::string_view text);

// The lowest window number that neither a title nor a [WindowNN] section uses.
long nextFreeWindowNumber(const LaterPanel& panel);

struct NewLaterWindow {
    std::string title;
    std::vector<std::pair<std::string, std::string>> keys; // in the order written
};

// Adds a window under the next free number: its title line at the end of [Window Titles]
// (made at the top when there is none) and its section after the last window or virtual
// cockpit section, after a blank line. Returns the number.
long addLaterWindow(PanelLines& lines, const NewLaterWindow& window);

// Removes the [WindowNN] or [VcockpitNN] section `section` with all its lines, and for a
// window its title lines.
void removeLaterWindow(PanelLines& lines, std::size_t section);

// The title of window number in [Window Titles]: its line's value replaced, or a new line.
void setLaterTitle(PanelLines& lines, long number, std::string_view title);

// "Window" + number, two digits at least: Window05, Window17, Window123.
std::string laterWindowName(long number);

} // namespace cockpix

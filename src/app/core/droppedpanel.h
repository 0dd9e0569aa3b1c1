#pragma once

// What a file dropped onto the main window opens. The Open dialog's own filter decides for
// a file: any .cfg, whatever its case, is opened as if chosen there. A folder opens the
// panel.cfg inside it: an aircraft's panel folder, or the aircraft folder above it (FS98
// keeps the panel in <aircraft>/panel/panel.cfg).

#include <optional>
#include <string>

namespace cockpix {

// The panel.cfg to open for the dropped path, or nullopt when it names none.
std::optional<std::string> droppedPanelFile(const std::string& path);

// The panel.cfg of a folder, by the same rule, also when there is none yet: the one inside
// it or in its panel folder, else where it would lie (in the panel folder when there is
// one), so that its backups are still found there.
std::string panelFileOfFolder(const std::string& folder);

} // namespace cockpix

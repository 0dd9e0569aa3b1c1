#pragma once

// The "&Open" of the editor, for the commands that start from a panel.cfg.

#include "panel/core/fs98/panel.h"
#include "panel/core/fs98/reader.h"
#include "settings/core/settings.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix::cli {

// A broken or unreadable panel.cfg ends a command with this status.
inline constexpr int kStructureErrorStatus = 2;

// The path made full, as the open and save dialogs hand paths over.
std::string fullPath(const std::string& path);

// The panel.cfg a PANEL_CFG argument names: the file itself, or for an aircraft folder (or
// a panel folder) its panel.cfg, as a folder dropped onto the editor opens.
std::string panelArgument(const std::string& path);

// A panel as "&Open" leaves it, with the directories it was read with.
struct OpenedPanel {
    fs98::Panel panel;
    Directories dirs; // panelDir: the file's directory, or where its alias led
};

// Reads the panel at path (made full) as "&Open" does, with the given directories: the
// file's directory becomes the panel directory, an alias is followed and reported on
// stderr, and after a complete read a ratio of 0 becomes 1. A structural error prints the
// editor's message and where reading stopped on stderr and gives nullptr; a file that
// cannot be opened or holds binary data, only why. The settings
// file is never written. A panel is large (9 x 64 gauge records): it lives on the heap.
std::unique_ptr<OpenedPanel> openPanel(const std::string& path, const Directories& dirs = {});
// The same for a file whose bytes were read already (bytes: what path holds), so that a big
// panel is not read twice.
std::unique_ptr<OpenedPanel> openPanel(const std::string& path, std::string_view bytes,
                                       const Directories& dirs = {});

// The same reading with nothing printed yet, so that it can be made before it is known to be
// wanted (on another thread) and reported once it is.
struct PanelReading {
    std::unique_ptr<OpenedPanel> opened;
    std::optional<fs98::ReadError> error;
    std::vector<std::string> reroutes; // the panel directories an alias led to, in order
};
PanelReading readPanelQuietly(const std::string& path, const std::string_view* bytes,
                              const Directories& dirs = {});
// What openPanel gives for the reading, saying on stderr what it would have said.
std::unique_ptr<OpenedPanel> reportedPanel(PanelReading reading);

} // namespace cockpix::cli

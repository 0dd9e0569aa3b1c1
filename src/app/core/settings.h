#pragma once

// The settings file: five lines, each a directory ending with "/", each line ending CR LF.
// It lives at $COCKPIX_CONFIG_DIR/cockpix.ini when that variable is set, otherwise at
// $XDG_CONFIG_HOME/cockpix/cockpix.ini (default ~/.config/cockpix/cockpix.ini).

#include "panel/core/panelmodel.h"

#include <string>

namespace cockpix {

std::string settingsFilePath();

// Reads up to five lines into gaugesDir, bmpDir, paletteDir, panelDir, programDir; fields
// whose line is missing keep their values. A missing file changes nothing.
void readSettings(Directories& dirs, const std::string& path = settingsFilePath());

// Writes the five fields whole (creating the file's directory); false when it failed.
bool writeSettings(const Directories& dirs, const std::string& path = settingsFilePath());

} // namespace cockpix

#pragma once

// The JSON that "cockpix-cli dump" prints for a panel of FS2000 and later: what its lines
// set, each entry with the line (1-based) it came from.

#include "panel/core/laterpanel.h"
#include "panel/core/panellines.h"

#include <string>

namespace cockpix::cli {

std::string laterPanelJson(const PanelLines& lines, const LaterPanel& panel,
                           const std::string& panelDir);

} // namespace cockpix::cli

#pragma once

// The JSON that "cockpix-cli dump" prints for a panel of FS2000 and later: what its lines
// set, each entry with the line (1-based) it came from, every key's value as written and,
// for each window and virtual cockpit, the values FS reads ("fsValues": up to a comment).

#include "panel/core/laterpanel.h"
#include "panel/core/panellines.h"

#include <string>

namespace cockpix::cli {

class JsonWriter;

// threads: how many may write the windows of a big panel (the text is the same with any).
std::string laterPanelJson(const PanelLines& lines, const LaterPanel& panel,
                           const std::string& panelDir, unsigned threads = 2);
// The same into json, which may write it out as it goes.
void writeLaterPanelJson(JsonWriter& json, const PanelLines& lines, const LaterPanel& panel,
                         const std::string& panelDir, unsigned threads = 2);

} // namespace cockpix::cli

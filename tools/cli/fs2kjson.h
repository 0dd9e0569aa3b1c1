#pragma once

// The JSON that "cockpix-cli dump" prints for a panel of FS2000 and later: what its lines
// set, each entry with the line (1-based) it came from, every key's value as written and,
// for each window, virtual cockpit and MSFS painting section, the values FS reads ("fsValues":
// up to a comment) and its gauge lines of every kind (gaugeNN, htmlgaugeNN, paintingNN), an
// instrument's path and query apart.

#include "panel/core/fs2k/lines.h"
#include "panel/core/fs2k/panel.h"

#include <string>

namespace cockpix::cli {

class JsonWriter;

// threads: how many may write the windows of a big panel (the text is the same with any).
std::string fs2kPanelJson(const fs2k::PanelLines& lines, const fs2k::Panel& panel,
                          const std::string& panelDir, unsigned threads = 2);
// The same into json, which may write it out as it goes.
void writeFs2kPanelJson(JsonWriter& json, const fs2k::PanelLines& lines, const fs2k::Panel& panel,
                        const std::string& panelDir, unsigned threads = 2);

} // namespace cockpix::cli

#pragma once

// The faults of a panel.cfg that only its lines show: lines the reader passes over, keeps
// verbatim or takes under another key without a word (it tells keys by their first letter),
// headers swallowed by the list above them, gauge lines that another line replaces or that
// fall outside the window's gauges, and values FS98 reads otherwise than meant.

#include "panel/core/fs98/linetrace.h"
#include "panel/core/fs98/panel.h"
#include "template/core/finding.h"

#include <vector>

namespace cockpix::fs98 {

// filePanel is the panel the reader made of the traced file.
std::vector<Finding> checkFileLines(const PanelLineTrace& trace, const Panel& filePanel);

} // namespace cockpix::fs98

#pragma once

// The faults of a panel as it is now, whatever file it came from: windows without a usable
// background, gaps in the window table, values outside what FS98 knows, gauge modules that
// are missing or used twice, gauges of no size or off their window's background. Each
// finding names the line of the panel.cfg the panel was read from, where there is one.

#include "panel/core/fs98/panel.h"
#include "settings/core/settings.h"
#include "template/core/checkfacts.h"
#include "template/core/finding.h"
#include "template/core/fs98/linemap.h"

#include <vector>

namespace cockpix::fs98 {

struct PanelCheckContext {
    const Panel& panel;
    const PanelLineMap& lines;
    const Directories& dirs; // gaugesDir, bmpDir and panelDir are read
    // The panel's [8 bit colors] are in use: its backgrounds should be 8-bit bitmaps.
    bool eightBitColors = false;
};

std::vector<Finding> checkPanelContent(const PanelCheckContext& context, CheckFacts& facts);

// Whether slot w holds a window section: a background name or gauges.
bool holdsWindow(const PanelWindow& window);

} // namespace cockpix::fs98

#pragma once

// An FS98 panel model as text, one line a field group, to compare whole: what a reader
// fixture expects, or a panel before and after a save and a read.

#include "panel/core/panel.h"

#include <iomanip>
#include <sstream>
#include <string>

namespace cockpix::test {

// The counts, every line up to them, and every window and gauge slot up to its count or
// holding anything (a reader may fill slots a count leaves out).
inline std::string panelText(const Panel& m) {
    std::ostringstream out;
    out << std::setprecision(17) << "windows " << m.windowCount << "\nview " << m.defaultViewX
        << ' ' << m.defaultViewY << ' ' << m.defaultViewSizeX << ' ' << m.defaultViewSizeY;
    for (int i = 1; i <= kPreambleSlots; ++i)
        if (i <= m.preambleLineCount || !m.preambleLine[i].empty())
            out << "\npreamble " << i << ": " << m.preambleLine[i];
    for (int i = 1; i <= kColorSlots; ++i)
        if (i <= m.colorLineCount || !m.colorLine[i].empty())
            out << "\ncolour " << i << ": " << m.colorLine[i];
    for (int w = 0; w < kWindowSlots; ++w) {
        const PanelWindow& x = m.window(w);
        if (w >= m.windowCount && x == PanelWindow{})
            continue;
        out << "\nwindow " << w << ": '" << x.windowTitle << "' bitmap '" << x.windowBitmap
            << "' size " << x.windowSizeMm << " ratio " << x.windowSizeRatio << " position "
            << x.windowPosition << " visible " << x.windowVisible << " ident "
            << (x.windowIdent.isText ? "'" + x.windowIdent.text + "'" : "") << x.windowIdent.number
            << " gauges " << x.gaugeCount;
        for (int g = 0; g < kGaugeSlots; ++g) {
            const Gauge& y = x.gauges[static_cast<std::size_t>(g)];
            if (g < x.gaugeCount || !(y == Gauge{}))
                out << "\n  gauge " << g << ": '" << y.gaugeName << "' " << y.gaugeX << ' '
                    << y.gaugeY << " size " << y.gaugeSize << " ref " << y.gaugeRefSize;
        }
    }
    return out.str() + "\n";
}

} // namespace cockpix::test

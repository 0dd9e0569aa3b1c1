#pragma once

// An FS98 panel model as text, one line a field group, to compare whole: what a reader
// fixture expects, or a panel before and after a save and a read.

#include "panel/core/laterpanel.h"
#include "panel/core/panel.h"

#include <iomanip>
#include <optional>
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

// A panel of FS2000 and later as what its lines set, each with its line number: titles,
// windows with their keys and gauges (name, field count and the numbers FS takes, "-" for
// none), then the other sections.
inline std::string laterPanelText(const PanelLines& lines, const LaterPanel& panel) {
    std::ostringstream out;
    out << std::setprecision(17);
    const auto number = [&](const std::optional<double>& value) {
        out << ' ';
        value ? out << *value : out << '-';
    };
    const auto keys = [&](const std::vector<LaterKey>& list) {
        for (const LaterKey& key : list)
            out << "\n  " << key.line << ' ' << key.key << " = '" << key.value << "'";
    };
    for (const LaterTitle& title : panel.titles)
        out << title.line << " title " << title.number << " '" << title.title << "'\n";
    for (const LaterWindow& window : panel.windows) {
        out << window.headerLine
            << (window.kind == LaterWindowKind::Vcockpit ? " vcockpit " : " window ")
            << window.number << " [" << window.header << "]";
        keys(window.keys);
        for (const LaterGauge& gauge : window.gauges) {
            out << "\n  " << gauge.line << " gauge " << gauge.number << " '"
                << laterGaugeName(lines, gauge.line) << "' fields " << gauge.fieldCount;
            for (const auto& value : {gauge.x, gauge.y, gauge.width, gauge.height})
                number(value);
        }
        out << '\n';
    }
    for (const auto* section : {&panel.color, &panel.views, &panel.defaultView, &panel.fltsim})
        if (*section) {
            out << (*section)->headerLine << " section [" << (*section)->name << "]";
            keys((*section)->keys);
            out << '\n';
        }
    for (const LaterSection& section : panel.otherSections)
        out << section.headerLine << " other [" << section.name << "]\n";
    return out.str();
}

} // namespace cockpix::test

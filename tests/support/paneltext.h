#pragma once

// An FS98 panel model as text, one line a field group, to compare whole: what a reader
// fixture expects, or a panel before and after a save and a read.

#include "panel/core/fs2k/panel.h"
#include "panel/core/fs98/panel.h"

#include <iomanip>
#include <optional>
#include <sstream>
#include <string>

namespace cockpix::test {

// The counts, every line up to them, and every window and gauge slot up to its count or
// holding anything (a reader may fill slots a count leaves out).
inline std::string panelText(const fs98::Panel& m) {
    std::ostringstream out;
    out << std::setprecision(17) << "windows " << m.windowCount << "\nview " << m.defaultViewX
        << ' ' << m.defaultViewY << ' ' << m.defaultViewSizeX << ' ' << m.defaultViewSizeY;
    for (int i = 1; i <= fs98::kPreambleSlots; ++i)
        if (i <= m.preambleLineCount || !m.preambleLine[i].empty())
            out << "\npreamble " << i << ": " << m.preambleLine[i];
    for (int i = 1; i <= fs98::kColorSlots; ++i)
        if (i <= m.colorLineCount || !m.colorLine[i].empty())
            out << "\ncolour " << i << ": " << m.colorLine[i];
    for (int w = 0; w < fs98::kWindowSlots; ++w) {
        const fs98::PanelWindow& x = m.window(w);
        if (w >= m.windowCount && x == fs98::PanelWindow{})
            continue;
        out << "\nwindow " << w << ": '" << x.windowTitle << "' bitmap '" << x.windowBitmap
            << "' size " << x.windowSizeMm << " ratio " << x.windowSizeRatio << " position "
            << x.windowPosition << " visible " << x.windowVisible << " ident "
            << (x.windowIdent.isText ? "'" + x.windowIdent.text + "'" : "") << x.windowIdent.number
            << " gauges " << x.gaugeCount;
        for (int g = 0; g < fs98::kGaugeSlots; ++g) {
            const fs98::Gauge& y = x.gauges[static_cast<std::size_t>(g)];
            if (g < x.gaugeCount || !(y == fs98::Gauge{}))
                out << "\n  gauge " << g << ": '" << y.gaugeName << "' " << y.gaugeX << ' '
                    << y.gaugeY << " size " << y.gaugeSize << " ref " << y.gaugeRefSize;
        }
    }
    return out.str() + "\n";
}

// A panel of FS2000 and later as what its lines set, each with its line number: titles,
// windows with their keys and gauges (name, field count and the numbers FS takes, "-" for
// none), then the other sections.
inline std::string fs2kPanelText(const fs2k::PanelLines& lines, const fs2k::Panel& panel) {
    std::ostringstream out;
    out << std::setprecision(17);
    const auto number = [&](const std::optional<double>& value) {
        out << ' ';
        value ? out << *value : out << '-';
    };
    const auto keys = [&](const std::vector<fs2k::Key>& list) {
        for (const fs2k::Key& key : list)
            out << "\n  " << key.line << ' ' << key.key << " = '" << key.value << "'";
    };
    for (const fs2k::Title& title : panel.titles)
        out << title.line << " title " << title.number << " '" << title.title << "'\n";
    for (const fs2k::Window& window : panel.windows) {
        out << window.headerLine
            << (window.kind == fs2k::WindowKind::Vcockpit ? " vcockpit " : " window ")
            << window.number << " [" << window.header << "]";
        keys(window.keys);
        for (const fs2k::Gauge& gauge : window.gauges) {
            out << "\n  " << gauge.line << " gauge " << gauge.number << " '"
                << fs2k::gaugeLineName(lines, gauge.line) << "' fields " << gauge.fieldCount;
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
    for (const fs2k::Section& section : panel.otherSections)
        out << section.headerLine << " other [" << section.name << "]\n";
    return out.str();
}

} // namespace cockpix::test

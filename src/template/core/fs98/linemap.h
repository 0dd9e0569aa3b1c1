#pragma once

// Where the windows, keys and gauges of a panel stand in the panel.cfg they were read from,
// taken from the reader's trace. The panel being checked may have been edited since it was
// opened (a gauge removed, a bitmap chosen): a window is then found again by its bitmap name
// and a gauge by its module name, and a part that has no line any more gets line 0.

#include "panel/core/fs98/linetrace.h"
#include "panel/core/fs98/panel.h"

#include <array>
#include <string>

namespace cockpix::fs98 {

class PanelLineMap {
public:
    PanelLineMap() = default; // a panel not read from a file: every line is 0
    PanelLineMap(const PanelLineTrace& trace, const Panel& filePanel);

    // Whether the file had a [Window0N] section for slot n.
    bool hasSection(int slot) const;
    // The line of the title that filled row w.
    int titleLine(int w) const;
    // The [Window0N] header of window w of panel, else its title line.
    int windowLine(const Panel& panel, int w) const;
    // The line the reader took key (f, s, w, p, v, i) of window w from, else windowLine.
    int keyLine(const Panel& panel, int w, char key) const;
    // The line of gauge g of window w of panel; 0 when it has none.
    int gaugeLine(const Panel& panel, int w, int g) const;
    // The first gauge line of window w for a gauge after g, else windowLine: where a gauge
    // without a line of its own is missing.
    int lineAfterGauge(const Panel& panel, int w, int g) const;
    // [Default View] value 0..3 (X, Y, SIZE_X, SIZE_Y); 0 when the file had none.
    int viewLine(int index) const;

private:
    struct Section {
        int header = 0;
        std::array<int, 26> keys{};            // by letter
        std::array<int, kGaugeSlots> gauges{}; // the line each gauge slot was last read from
        std::string bitmap;                    // as the reader stored it
        std::array<std::string, kGaugeSlots> names;
    };
    // The section whose lines window w of panel came from.
    const Section& sectionOf(const Panel& panel, int w) const;

    std::array<Section, kWindowSlots> m_sections;
    std::array<int, kWindowSlots> m_titles{};
    std::array<int, 4> m_view{};
};

} // namespace cockpix::fs98

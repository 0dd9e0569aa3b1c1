#include "template/core/fs98/linemap.h"

namespace cockpix::fs98 {
namespace {

int keyIndex(char key) {
    return key >= 'a' && key <= 'z' ? key - 'a' : -1;
}

} // namespace

PanelLineMap::PanelLineMap(const PanelLineTrace& trace, const Panel& filePanel) {
    for (int n = 1; n <= trace.lineCount(); ++n) {
        const TracedLine& line = trace.at(n);
        const bool inWindow = isWindowSlot(line.window);
        switch (line.use) {
        case LineUse::Header:
            if (inWindow)
                m_sections[static_cast<std::size_t>(line.window)].header = n;
            break;
        case LineUse::Title:
            if (inWindow)
                m_titles[static_cast<std::size_t>(line.window)] = n;
            break;
        case LineUse::WindowKey:
            if (inWindow && keyIndex(static_cast<char>(line.number)) >= 0)
                m_sections[static_cast<std::size_t>(line.window)]
                    .keys[static_cast<std::size_t>(keyIndex(static_cast<char>(line.number)))] = n;
            break;
        case LineUse::Gauge:
            if (inWindow && isGaugeSlot(line.number))
                m_sections[static_cast<std::size_t>(line.window)]
                    .gauges[static_cast<std::size_t>(line.number)] = n;
            break;
        case LineUse::ViewValue:
            if (line.number >= 0 && line.number < 4)
                m_view[static_cast<std::size_t>(line.number)] = n;
            break;
        default:
            break;
        }
    }
    for (int w = 0; w < kWindowSlots; ++w) {
        Section& section = m_sections[static_cast<std::size_t>(w)];
        section.bitmap = filePanel.window(w).windowBitmap;
        for (int g = 0; g < kGaugeSlots; ++g)
            section.names[static_cast<std::size_t>(g)] = filePanel.gauge(w, g).gaugeName;
    }
}

bool PanelLineMap::hasSection(int slot) const {
    return isWindowSlot(slot) && m_sections[static_cast<std::size_t>(slot)].header > 0;
}

int PanelLineMap::titleLine(int w) const {
    return isWindowSlot(w) ? m_titles[static_cast<std::size_t>(w)] : 0;
}

const PanelLineMap::Section& PanelLineMap::sectionOf(const Panel& panel, int w) const {
    const Section& own = m_sections[static_cast<std::size_t>(w)];
    const std::string& bitmap = panel.window(w).windowBitmap;
    if (own.bitmap == bitmap || bitmap.empty())
        return own;
    // The window's section moved to another row (the gaps of the table were closed).
    const Section* found = nullptr;
    for (const Section& section : m_sections) {
        if (section.header > 0 && section.bitmap == bitmap) {
            if (found != nullptr)
                return own; // two sections share the name: no telling which
            found = &section;
        }
    }
    return found != nullptr ? *found : own;
}

int PanelLineMap::windowLine(const Panel& panel, int w) const {
    if (!isWindowSlot(w))
        return 0;
    const Section& section = sectionOf(panel, w);
    return section.header > 0 ? section.header : titleLine(w);
}

int PanelLineMap::keyLine(const Panel& panel, int w, char key) const {
    if (!isWindowSlot(w) || keyIndex(key) < 0)
        return 0;
    const int line = sectionOf(panel, w).keys[static_cast<std::size_t>(keyIndex(key))];
    return line > 0 ? line : windowLine(panel, w);
}

int PanelLineMap::gaugeLine(const Panel& panel, int w, int g) const {
    if (!isWindowSlot(w) || !isGaugeSlot(g))
        return 0;
    const Section& section = sectionOf(panel, w);
    const std::string& name = panel.gauge(w, g).gaugeName;
    const auto slot = static_cast<std::size_t>(g);
    if (section.gauges[slot] > 0 && section.names[slot] == name)
        return section.gauges[slot];
    // The gauge moved to another slot (one before it was removed): found by its module,
    // when only one gauge of the section uses it.
    int found = 0;
    for (std::size_t i = 0; i < section.gauges.size(); ++i) {
        if (section.gauges[i] > 0 && section.names[i] == name) {
            if (found > 0)
                return 0;
            found = section.gauges[i];
        }
    }
    return found;
}

int PanelLineMap::lineAfterGauge(const Panel& panel, int w, int g) const {
    if (!isWindowSlot(w))
        return 0;
    const Section& section = sectionOf(panel, w);
    int best = 0;
    for (int i = g + 1; i < kGaugeSlots; ++i) {
        const int line = section.gauges[static_cast<std::size_t>(i)];
        if (line > 0 && (best == 0 || line < best))
            best = line;
    }
    return best > 0 ? best : windowLine(panel, w);
}

int PanelLineMap::viewLine(int index) const {
    return index >= 0 && index < 4 ? m_view[static_cast<std::size_t>(index)] : 0;
}

} // namespace cockpix::fs98

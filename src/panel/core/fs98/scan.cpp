#include "panel/core/fs98/scan.h"

#include "base/core/asciicase.h"
#include "base/core/filelookup.h"
#include "base/core/numbertext.h"
#include "panel/core/panelsource.h"

#include <algorithm>

namespace cockpix::fs98 {

namespace {

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char firstLower(std::string_view line) {
    return line.empty() ? '\0' : asciiLower(line.front());
}

// BASIC's LTrim: blanks only, tabs stay.
std::string_view leftTrimmed(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

// Characters from 0-based position pos, at most count of them, never past the end.
std::string_view middle(std::string_view text, std::size_t pos, std::size_t count) {
    return pos >= text.size() ? std::string_view() : text.substr(pos, count);
}

// The number in a two-character slot of a header or key ("[Window03]", "gauge12="):
// BASIC stored it into a whole-number index, which rounds halves to even.
int slotNumber(std::string_view line, std::size_t pos) {
    return clampToInt(roundHalfEven(numericValue(middle(line, pos, 2))));
}

enum class Header { None, Alias, Titles, Window, Colors, DefaultView, Generated };

// The section headers in the order FS98-era COCKPIX tested them. After a window section
// only the last four are recognised, so [fltsim] or [Window Titles] there are not.
Header headerOf(std::string_view line, bool afterWindow) {
    if (!afterWindow && startsWithIgnoringCase(line, "[fltsim]"))
        return Header::Alias;
    if (!afterWindow && startsWithIgnoringCase(line, "[window titles]"))
        return Header::Titles;
    if (startsWithIgnoringCase(line, "[window0"))
        return Header::Window;
    if (startsWithIgnoringCase(line, "[8"))
        return Header::Colors;
    if (startsWithIgnoringCase(line, "[default view]"))
        return Header::DefaultView;
    if (startsWithIgnoringCase(line, "/ panel file generated"))
        return Header::Generated;
    return Header::None;
}

// The value of a key line: from just after the nearest "=" before the line's last
// character to the end of the line (for file=c:\a=b.bmp that is b.bmp).
std::string_view keyValueOrEmpty(std::string_view line, bool& found) {
    found = false;
    if (line.size() < 2)
        return {};
    const std::size_t equals = line.rfind('=', line.size() - 2);
    if (equals == std::string_view::npos)
        return {};
    found = true;
    return line.substr(equals + 1);
}

} // namespace

PanelScan::PanelScan(Panel& panel, std::string_view content, std::string panelDir,
                     PanelLineTrace* trace)
    : m_panel(panel), m_panelDir(std::move(panelDir)), m_lines(content), m_trace(trace) {}

void PanelScan::note(LineUse use, int window, int number) {
    if (m_trace == nullptr)
        return;
    const auto line = static_cast<std::size_t>(m_lines.lineNumber());
    if (m_trace->lines.size() <= line)
        m_trace->lines.resize(line + 1);
    m_trace->lines[line] = {use, window, number};
}

void PanelScan::fail(std::string reason) const {
    throw ScanStop{m_lines.lineNumber(), reason};
}

std::string_view PanelScan::lineInside(const char* where) {
    const std::optional<std::string_view> line = m_lines.next();
    if (!line)
        fail(std::string("end of file ") + where);
    return *line;
}

PanelScan::Outcome PanelScan::run() {
    m_panel.windowCount = 0;
    m_panel.preambleLineCount = 0;
    m_sectionSeen = false;
    m_outcome = Outcome{};

    const std::optional<std::string_view> first = m_lines.next();
    if (!first)
        fail("the file is empty");
    Step step{Then::Examine, *first};
    while (true) {
        switch (step.then) {
        case Then::ReadNext: {
            // Handlers that consume the line ending their section may have used the last
            // line of the file; there is then nothing more to read, which ends reading.
            const std::optional<std::string_view> line = m_lines.next();
            if (!line)
                return m_outcome;
            step = {Then::Examine, *line};
            break;
        }
        case Then::Examine:
            // FS98-era COCKPIX tested for the end of the file right after reading a line,
            // so the last line of the file is never examined here.
            if (m_lines.atEnd())
                return m_outcome;
            step = examine(step.line, false);
            break;
        case Then::TestAfterWindow:
            step = examine(step.line, true);
            break;
        case Then::Stop:
        case Then::Reroute:
            return m_outcome;
        }
    }
}

PanelScan::Step PanelScan::examine(std::string_view line, bool afterWindow) {
    const Header header = headerOf(line, afterWindow);
    if (header != Header::None) {
        m_sectionSeen = true;
        note(header == Header::Generated ? LineUse::GeneratedHeader : LineUse::Header);
    }
    switch (header) {
    case Header::Alias:
        return readAlias();
    case Header::Titles:
        return readTitles();
    case Header::Window:
        return readWindow(line);
    case Header::Colors:
        return readColors();
    case Header::DefaultView:
        return readDefaultView();
    case Header::Generated:
        return {};
    case Header::None:
        break;
    }
    if (!m_sectionSeen && m_panel.preambleLineCount < kPreambleSlots) {
        ++m_panel.preambleLineCount;
        m_panel.preambleLine[static_cast<std::size_t>(m_panel.preambleLineCount)] =
            std::string(line);
        note(LineUse::Preserved);
    } else {
        note(LineUse::Dropped);
    }
    return {};
}

PanelScan::Step PanelScan::readTitles() {
    bool anyTitle = false;
    while (true) {
        const std::string_view line = lineInside("inside [Window Titles]");
        if (!startsWithIgnoringCase(line, "wi")) {
            note(anyTitle ? LineUse::EndsList : LineUse::Skipped);
            if (anyTitle)
                return {};
            continue;
        }
        if (m_panel.windowCount >= kWindowSlots)
            fail("a 10th title line: a panel has at most 9 windows");
        // The "=" is searched from the second character on; a title line without one
        // has no title text.
        const std::size_t equals = line.find('=', 1);
        const std::string_view title =
            equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
        note(LineUse::Title, m_panel.windowCount);
        m_panel.window(m_panel.windowCount).windowTitle = std::string(leftTrimmed(title));
        ++m_panel.windowCount;
        anyTitle = true;
    }
}

PanelScan::Step PanelScan::readWindow(std::string_view header) {
    const int w = slotNumber(header, 7);
    if (w < 0 || w >= kWindowSlots)
        fail("window number " + std::to_string(w) + " is out of range (0 to 8)");
    note(LineUse::Header, w);
    PanelWindow& window = m_panel.window(w);
    window.gaugeCount = 0;

    const std::string where = "before the file= line of [Window0" + std::to_string(w) + "]";
    std::string_view line;
    while (true) {
        line = lineInside(where.c_str());
        if (firstLower(line) == 'f')
            break;
        note(LineUse::SkippedBeforeFile, w);
    }
    m_window = w;
    takeWindowKey(window, line);

    while (!m_lines.atEnd()) {
        line = *m_lines.next();
        if (firstLower(line) == '[')
            return {Then::TestAfterWindow, line};
        takeWindowKey(window, line);
    }
    return {Then::Stop, {}};
}

void PanelScan::takeWindowKey(PanelWindow& window, std::string_view line) {
    const char key = firstLower(line);
    if (key == 'g') {
        readGaugeLine(window, line);
        return;
    }
    if (key != 'f' && key != 's' && key != 'w' && key != 'p' && key != 'v' && key != 'i') {
        note(LineUse::IgnoredInWindow, m_window);
        return; // blank lines, comments and keys FS98 knows but COCKPIX does not keep
    }
    note(LineUse::WindowKey, m_window, key);
    bool found = false;
    const std::string_view value = keyValueOrEmpty(line, found);
    if (!found)
        fail("no value after \"=\" in this key line");
    const double number = numericValue(value);
    switch (key) {
    case 'f':
        if (value.size() < 4)
            fail("the file= value is shorter than 4 characters");
        window.windowBitmap = std::string(leftTrimmed(value.substr(0, value.size() - 4)));
        break;
    case 's':
        window.windowSizeMm = number;
        break;
    case 'w':
        window.windowSizeRatio = number;
        break;
    case 'p':
        window.windowPosition = number;
        break;
    case 'v':
        window.windowVisible = number;
        break;
    default:
        window.windowIdent = WindowIdent::fromNumber(number);
        break;
    }
}

void PanelScan::readGaugeLine(PanelWindow& window, std::string_view line) {
    const int g = slotNumber(line, 5);
    note(LineUse::Gauge, m_window, g);
    if (g < 0 || g >= kGaugeSlots)
        fail("gauge number " + std::to_string(g) + " is out of range (0 to 63)");
    // The last gauge line of a section sets the count, whatever the order of the lines.
    window.gaugeCount = g + 1;
    Gauge& gauge = window.gauges[static_cast<std::size_t>(g)];
    gauge.gaugeRefSize = 0;

    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        fail("gauge line without \"=\"");
    const std::size_t comma1 = line.find(',', equals + 1);
    const std::size_t comma2 =
        comma1 == std::string_view::npos ? comma1 : line.find(',', comma1 + 1);
    if (comma2 == std::string_view::npos)
        fail("gauge line without name, x and y separated by commas");
    if (comma2 + 1 == line.size())
        fail("gauge line ends right after the comma before its y position");

    gauge.gaugeName = asciiLowered(leftTrimmed(line.substr(equals + 1, comma1 - equals - 1)));
    gauge.gaugeX = numericValue(line.substr(comma1 + 1, comma2 - comma1 - 1));
    const std::size_t comma3 = line.find(',', comma2 + 1);
    const std::size_t yEnd = comma3 == std::string_view::npos ? line.size() : comma3;
    gauge.gaugeY = numericValue(line.substr(comma2 + 1, yEnd - comma2 - 1));
    // No size field, or an empty one after a trailing comma: the panel window measures the
    // module's own width later.
    if (comma3 == std::string_view::npos || comma3 + 1 == line.size())
        gauge.gaugeRefSize = -1;
    else
        gauge.gaugeSize = numericValue(line.substr(comma3 + 1));
}

PanelScan::Step PanelScan::readColors() {
    m_panel.colorLineCount = 0;
    while (true) {
        const std::string_view line = lineInside("inside [8 bit colors]");
        if (firstLower(line) != 'c') {
            note(m_panel.colorLineCount > 0 ? LineUse::EndsList : LineUse::Skipped);
            if (m_panel.colorLineCount > 0)
                return {};
            continue;
        }
        note(LineUse::Color);
        if (m_panel.colorLineCount >= kColorSlots)
            fail("a 34th colour line: at most 33 are kept");
        ++m_panel.colorLineCount;
        m_panel.colorLine[static_cast<std::size_t>(m_panel.colorLineCount)] = std::string(line);
    }
}

PanelScan::Step PanelScan::readDefaultView() {
    const char* where = "before the four lines of [Default View]";
    std::string_view line;
    while (true) {
        line = lineInside(where);
        if (firstLower(line) == 'x')
            break;
        note(LineUse::Skipped);
    }
    double* const targets[] = {&m_panel.defaultViewX, &m_panel.defaultViewY,
                               &m_panel.defaultViewSizeX, &m_panel.defaultViewSizeY};
    for (std::size_t i = 0; i < 4; ++i) {
        if (i > 0)
            line = lineInside(where);
        note(LineUse::ViewValue, -1, static_cast<int>(i));
        bool found = false;
        const std::string_view value = keyValueOrEmpty(line, found);
        if (!found)
            fail("no value after \"=\" in this [Default View] line");
        *targets[i] = numericValue(value);
    }
    // FS98 panels end with this section; whatever follows is not read.
    return {Then::Stop, {}};
}

PanelScan::Step PanelScan::readAlias() {
    std::string_view line;
    while (true) {
        line = lineInside("inside [fltsim]");
        if (!line.empty())
            break;
        note(LineUse::Skipped);
    }
    // A [fltsim] section without an alias names no other panel: rerouting would read this
    // same file again and again, so the section is passed over and the line examined.
    if (!startsWithIgnoringCase(line, "alias="))
        return {Then::Examine, line};
    note(LineUse::Alias);
    m_outcome.rerouted = true;
    m_outcome.newPanelDir = aliasedPanelDir(line.substr(6));
    m_outcome.aliasLine = m_lines.lineNumber();
    return {Then::Reroute, {}};
}

std::string PanelScan::aliasedPanelDir(std::string_view aliasText) const {
    std::optional<std::string> dir = aliasTarget(m_panelDir, aliasText);
    if (!dir)
        fail("an alias needs the panel directory to lie under an aircraft/ directory");
    return *dir;
}

} // namespace cockpix::fs98

#include "panel/gui/fs2k/document.h"

#include "base/gui/counttext.h"
#include "panel/gui/fs2k/linescommand.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace cockpix::fs2k {

Document::Document(QObject* parent) : BaseDocument(parent) {}

Document::~Document() = default;

std::string Document::bytesToSave(const fs98::SaveRequest&) const {
    return m_lines.bytes();
}

void Document::replacePanel(PanelLines lines, const std::string& filePath) {
    // The steps go first: they hold states of the lines about to be dropped.
    clearHistory();
    m_open = false;
    m_lines = std::move(lines);
    m_panel = readPanel(m_lines);
    m_encoding = panelTextEncoding(m_lines);
    setFilePath(filePath);
    m_open = true;
    emit panelReplaced();
}

void Document::clear() {
    clearHistory();
    m_open = false;
    m_lines = PanelLines();
    m_panel = {};
    m_encoding = TextEncoding::Windows1252;
    setFilePath({});
    emit panelReplaced();
}

void Document::linesEdited() {
    m_panel = readPanel(m_lines);
    emit linesChanged();
}

void Document::pushEdit(const QString& text, std::function<void(fs2k::PanelLines&)> edit) {
    breakMerge();
    push(new LinesCommand(*this, text, std::move(edit)));
    breakMerge();
}

namespace {

const fs2k::Key* keyOf(const fs2k::Panel& panel, std::size_t section, const std::string& key) {
    for (const fs2k::Window& window : panel.windows) {
        if (window.section == section)
            return window.find(key);
    }
    for (const auto* other : {&panel.color, &panel.views, &panel.defaultView, &panel.fltsim}) {
        if (*other && (*other)->section == section)
            return (*other)->find(key);
    }
    for (const fs2k::Section& other : panel.otherSections) {
        if (other.section == section)
            return other.find(key);
    }
    return nullptr;
}

// As the line edits find a key: window_size_ratio is also written windowsize_ratio.
bool hasKey(const fs2k::PanelLines& lines, std::size_t section, std::string_view key) {
    for (std::size_t line = lines.headerLine(section) + 1; line < lines.sectionEnd(section);
         ++line) {
        if (lines.kind(line) == fs2k::LineKind::Key && fs2k::sameKey(lines.key(line), key))
            return true;
    }
    return false;
}

} // namespace

void Document::setKey(std::size_t section, const std::string& key, const std::string& value) {
    if (!m_open || section >= m_lines.sectionCount())
        return;
    if (const fs2k::Key* old = keyOf(m_panel, section, key); old && old->value == value)
        return;
    pushEdit(tr("Set %1").arg(QString::fromStdString(key)),
             [section, key, value](fs2k::PanelLines& lines) {
                 fs2k::setSectionKey(lines, section, key, value);
             });
}

void Document::removeKey(std::size_t section, const std::string& key) {
    if (!m_open || section >= m_lines.sectionCount() || !hasKey(m_lines, section, key))
        return;
    pushEdit(
        tr("Remove %1").arg(QString::fromStdString(key)),
        [section, key](fs2k::PanelLines& lines) { fs2k::removeSectionKey(lines, section, key); });
}

void Document::editLines(const QString& text, std::function<void(fs2k::PanelLines&)> edit) {
    if (m_open)
        pushEdit(text, std::move(edit));
}

void Document::setTitle(long number, const std::string& title) {
    if (!m_open || number < 0)
        return;
    if (const fs2k::Title* old = m_panel.titleOf(number); old && old->title == title)
        return;
    pushEdit(tr("Title of window %1").arg(number), [number, title](fs2k::PanelLines& lines) {
        cockpix::fs2k::setTitle(lines, number, title);
    });
}

void Document::setGaugeField(std::size_t line, std::size_t index, const std::string& text) {
    // A line break would make the text two lines the table of lines does not know.
    if (!m_open || line >= m_lines.lineCount() || m_lines.kind(line) != fs2k::LineKind::Key ||
        text.find_first_of("\r\n") != std::string::npos)
        return;
    const std::vector<std::string_view> fields = fs2k::gaugeEditFields(m_lines, line);
    if (index < fields.size() && fields[index] == text)
        return;
    pushEdit(tr("Gauge field"), [line, index, text](fs2k::PanelLines& lines) {
        fs2k::setGaugeField(lines, line, index, text);
    });
}

bool Document::isGauge(std::size_t line) const {
    return m_open && fs2k::isGaugeLine(m_lines, line);
}

namespace {

// Whether the gauge line already says x and y as a move would write them.
bool isAt(const fs2k::PanelLines& lines, std::size_t line, double x, double y) {
    const std::vector<std::string_view> fields = fs2k::gaugeEditFields(lines, line);
    return fields.size() >= 2 && fields[0] == fs2k::valueText(x) && fields[1] == fs2k::valueText(y);
}

// A number no panel line can say (NaN, infinity) makes no edit rather than a 0 in the file.
bool finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

} // namespace

void Document::moveGauge(std::size_t line, double x, double y) {
    if (!isGauge(line) || !finite({x, y}) || isAt(m_lines, line, x, y))
        return;
    pushEdit(tr("Move gauge"), [line, x, y](fs2k::PanelLines& lines) {
        cockpix::fs2k::moveGauge(lines, line, x, y);
    });
}

void Document::resizeGauge(std::size_t line, double width, std::optional<double> height) {
    if (!isGauge(line) || !finite({width, height.value_or(0)}))
        return;
    const std::vector<std::string_view> fields = fs2k::gaugeEditFields(m_lines, line);
    if (fields.size() >= 3 && fields[2] == fs2k::valueText(width) &&
        (!height || (fields.size() >= 4 && fields[3] == fs2k::valueText(*height))))
        return;
    pushEdit(tr("Resize gauge"), [line, width, height](fs2k::PanelLines& lines) {
        cockpix::fs2k::resizeGauge(lines, line, width, height);
    });
}

void Document::moveGauges(std::vector<fs2k::GaugeMove> moves) {
    if (!m_open)
        return;
    std::erase_if(moves, [this](const fs2k::GaugeMove& move) {
        return !fs2k::isGaugeLine(m_lines, move.line) || !finite({move.x, move.y}) ||
               isAt(m_lines, move.line, move.x, move.y);
    });
    if (moves.empty())
        return;
    pushEdit(tr("Move gauges"), [moves = std::move(moves)](fs2k::PanelLines& lines) {
        cockpix::fs2k::moveGauges(lines, moves);
    });
}

void Document::setGaugeLine(std::size_t line, const std::string& text) {
    if (!isGauge(line) || m_lines.value(line) == text ||
        text.find_first_of("\r\n") != std::string::npos)
        return;
    pushEdit(tr("Gauge properties"),
             [line, text](fs2k::PanelLines& lines) { fs2k::setGaugeText(lines, line, text); });
}

void Document::removeGauge(std::size_t line) {
    if (!isGauge(line))
        return;
    pushEdit(tr("Remove gauge"),
             [line](fs2k::PanelLines& lines) { cockpix::fs2k::removeGauge(lines, line); });
}

std::size_t Document::addGauge(std::size_t section, const std::string& name, double x, double y,
                               std::optional<double> width, std::optional<double> height,
                               GaugeLineKind kind) {
    const fs2k::NewGauge gauge{name, x, y, width, height, kind};
    if (!m_open || !fs2k::canAddGauge(m_lines, section, name, kind) ||
        !finite({x, y, width.value_or(0), height.value_or(0)}))
        return fs2k::PanelLines::npos;
    std::size_t added = fs2k::PanelLines::npos;
    // The edit runs once, inside the push.
    pushEdit(tr("Add gauge"), [&added, section, gauge](fs2k::PanelLines& lines) {
        added = cockpix::fs2k::addGauge(lines, section, gauge);
    });
    return added;
}

void Document::placeGauges(std::vector<fs2k::GaugePlacement> placements, const QString& text) {
    if (!m_open)
        return;
    std::erase_if(placements, [this](const fs2k::GaugePlacement& place) {
        return !finite({place.x, place.y, place.width.value_or(0), place.height.value_or(0)}) ||
               !fs2k::changesGauge(m_lines, place);
    });
    if (placements.empty())
        return;
    pushEdit(text, [placements = std::move(placements)](fs2k::PanelLines& lines) {
        cockpix::fs2k::placeGauges(lines, placements);
    });
}

std::vector<std::size_t> Document::pasteGauges(std::size_t section,
                                               std::vector<fs2k::PastedGauge> gauges) {
    if (!m_open)
        return {};
    std::erase_if(gauges, [this, section](const fs2k::PastedGauge& gauge) {
        return !fs2k::canAddGauge(m_lines, section, gauge.name, gauge.kind) ||
               gauge.text.find_first_of("\r\n") != std::string::npos || !finite({gauge.x, gauge.y});
    });
    if (gauges.empty())
        return {};
    std::vector<std::size_t> added;
    const QString text = tr("Paste ") + countText(int(gauges.size()), tr("gauge"), tr("gauges"));
    // The edit runs once, inside the push.
    pushEdit(text, [&added, section, gauges = std::move(gauges)](fs2k::PanelLines& lines) {
        added = fs2k::addGaugeLines(lines, section, gauges);
    });
    return added;
}

void Document::cutGauges(std::vector<std::size_t> gaugeLines, const QString& text) {
    if (!m_open)
        return;
    std::erase_if(gaugeLines,
                  [this](std::size_t line) { return !fs2k::isGaugeLine(m_lines, line); });
    std::sort(gaugeLines.begin(), gaugeLines.end());
    gaugeLines.erase(std::unique(gaugeLines.begin(), gaugeLines.end()), gaugeLines.end());
    if (gaugeLines.empty())
        return;
    const QString step =
        !text.isEmpty() ? text
                        : tr("Cut ") + countText(int(gaugeLines.size()), tr("gauge"), tr("gauges"));
    pushEdit(step, [gaugeLines = std::move(gaugeLines)](fs2k::PanelLines& lines) {
        fs2k::removeGauges(lines, gaugeLines);
    });
}

long Document::addWindow(const fs2k::NewWindow& window) {
    if (!m_open)
        return -1;
    const long number = fs2k::nextFreeWindowNumber(m_panel);
    pushEdit(tr("Add window %1").arg(number),
             [window](fs2k::PanelLines& lines) { cockpix::fs2k::addWindow(lines, window); });
    return number;
}

void Document::removeWindow(std::size_t section) {
    if (!m_open || section >= m_lines.sectionCount())
        return;
    pushEdit(
        tr("Remove [%1]").arg(QString::fromStdString(std::string(m_lines.sectionName(section)))),
        [section](fs2k::PanelLines& lines) { cockpix::fs2k::removeWindow(lines, section); });
}

} // namespace cockpix::fs2k

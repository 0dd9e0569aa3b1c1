#include "panel/gui/paneldocument.h"

#include "base/gui/counttext.h"
#include "panel/gui/fs2k/linescommand.h"
#include "panel/gui/fs98/addremovegaugecommand.h"
#include "panel/gui/fs98/defaultviewcommand.h"
#include "panel/gui/fs98/gaugefieldcommand.h"
#include "panel/gui/fs98/gaugemodulecommand.h"
#include "panel/gui/fs98/palettecommand.h"
#include "panel/gui/fs98/ratioandviewcommand.h"
#include "panel/gui/fs98/severalgaugescommand.h"
#include "panel/gui/fs98/windowfieldcommand.h"
#include "panel/gui/fs98/windowsectionscommand.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace cockpix {
namespace {

bool isGaugeOf(const fs98::Panel& panel, int w, int g) {
    return fs98::isWindowSlot(w) && g >= 0 &&
           g < std::min(panel.window(w).gaugeCount, fs98::kGaugeSlots);
}

} // namespace

PanelDocument::PanelDocument(QObject* parent) : BaseDocument(parent) {}

PanelDocument::~PanelDocument() = default;

void PanelDocument::setWindowField(const fs98::WindowEdit& edit) {
    if (!fs98::isWindowSlot(edit.row))
        return;
    if (fs98::windowField(m_panel.window(edit.row), edit.field) == edit.value &&
        std::clamp(edit.windowCount, 0, fs98::kWindowSlots) == m_panel.windowCount)
        return;
    push(new fs98::WindowFieldCommand(*this, edit));
}

void PanelDocument::setGaugeField(int w, int g, fs98::GaugeField field, double value) {
    if (!isGaugeOf(m_panel, w, g) || fs98::gaugeField(m_panel.gauge(w, g), field) == value)
        return;
    push(new fs98::GaugeFieldCommand(*this, w, g, field, value));
}

void PanelDocument::moveGauge(int w, int g, double x, double y) {
    if (!isGaugeOf(m_panel, w, g))
        return;
    const fs98::Gauge& gauge = m_panel.gauge(w, g);
    if (gauge.gaugeX == x && gauge.gaugeY == y)
        return;
    push(new fs98::MoveGaugeCommand(*this, w, g, x, y));
    breakMerge();
}

void PanelDocument::resizeGauge(int w, int g, double size) {
    if (!isGaugeOf(m_panel, w, g) || m_panel.gauge(w, g).gaugeSize == size)
        return;
    push(new fs98::ResizeGaugeCommand(*this, w, g, size));
    breakMerge();
}

void PanelDocument::setGaugeModule(int w, int g, const std::string& name) {
    if (!isGaugeOf(m_panel, w, g) || m_panel.gauge(w, g).gaugeName == name)
        return;
    push(new fs98::GaugeModuleCommand(*this, w, g, name));
    breakMerge();
}

void PanelDocument::moveWindowSections(const fs98::WindowOrder& order, const QString& text) {
    if (!fs98::isWindowOrder(order))
        return;
    fs98::Panel moved = m_panel;
    cockpix::fs98::moveWindowSections(moved, order);
    if (moved == m_panel)
        return;
    push(new fs98::WindowSectionsCommand(*this, order, text));
    breakMerge();
}

void PanelDocument::addGauge(int w, const fs98::Gauge& gauge) {
    if (!fs98::isWindowSlot(w) || m_panel.window(w).gaugeCount >= fs98::kGaugeSlots)
        return;
    push(new fs98::AddGaugeCommand(*this, w, gauge));
    breakMerge();
}

void PanelDocument::removeGauge(int w, int g) {
    if (!isGaugeOf(m_panel, w, g))
        return;
    push(new fs98::RemoveGaugeCommand(*this, w, g));
    breakMerge();
}

void PanelDocument::placeGauges(int w, std::vector<fs98::GaugePlacement> placements,
                                const QString& text) {
    std::erase_if(placements, [this, w](const fs98::GaugePlacement& place) {
        return !isGaugeOf(m_panel, w, place.g) ||
               !(std::isfinite(place.x) && std::isfinite(place.y) && std::isfinite(place.size)) ||
               fs98::gaugePlacement(m_panel, w, place.g) == place;
    });
    if (placements.empty())
        return;
    push(new fs98::PlaceGaugesCommand(*this, w, std::move(placements), text));
    breakMerge();
}

bool PanelDocument::pasteGauges(int w, std::vector<fs98::Gauge> gauges) {
    if (!fs98::isWindowSlot(w) || gauges.empty() ||
        gauges.size() > std::size_t(fs98::kGaugeSlots -
                                    std::clamp(m_panel.window(w).gaugeCount, 0, fs98::kGaugeSlots)))
        return false;
    push(new fs98::PasteGaugesCommand(*this, w, std::move(gauges)));
    breakMerge();
    return true;
}

void PanelDocument::cutGauges(int w, std::vector<int> gauges, const QString& text) {
    std::erase_if(gauges, [this, w](int g) { return !isGaugeOf(m_panel, w, g); });
    std::sort(gauges.begin(), gauges.end());
    gauges.erase(std::unique(gauges.begin(), gauges.end()), gauges.end());
    if (gauges.empty())
        return;
    push(new fs98::CutGaugesCommand(*this, w, std::move(gauges), text));
    breakMerge();
}

void PanelDocument::setDefaultView(const fs98::DefaultView& view) {
    if (m_panel.defaultView() == view)
        return;
    push(new fs98::DefaultViewCommand(*this, view));
}

void PanelDocument::setRatioAndDefaultView(int w, double ratio, const fs98::DefaultView& view,
                                           const QString& text) {
    if (!fs98::isWindowSlot(w) ||
        (m_panel.window(w).windowSizeRatio == ratio && m_panel.defaultView() == view))
        return;
    breakMerge();
    push(new fs98::RatioAndViewCommand(*this, w, ratio, view, text));
    breakMerge();
}

void PanelDocument::setColorLines(const std::vector<std::string>& lines) {
    if (fs98::colorLinesOf(m_panel) == lines)
        return;
    push(new fs98::ColorLinesCommand(*this, lines));
    breakMerge();
}

void PanelDocument::setPaletteOptions(const fs98::PaletteSaveOptions& options) {
    if (m_paletteOptions == options)
        return;
    push(new fs98::PaletteCommand(*this, QStringLiteral("Palette options"), options, m_proposal));
    breakMerge();
}

void PanelDocument::setPaletteProposal(const fs98::PaletteProposal& proposal) {
    if (m_proposal == proposal)
        return;
    push(new fs98::PaletteCommand(*this, QStringLiteral("Palette proposal"), m_paletteOptions,
                                  proposal));
    breakMerge();
}

std::string PanelDocument::bytesToSave(const fs98::SaveRequest& save) const {
    // An fs2k panel writes its lines as they are, every byte not edited as it was read.
    return isFs2k() ? m_lines.bytes() : fs98::savedPanelText(m_panel, save);
}

void PanelDocument::recordFoundGaugeSize(int w, int g, double size) {
    if (isGaugeOf(m_panel, w, g) && fs98::applyFoundGaugeSize(m_panel, w, g, size))
        emit gaugeChanged(w, g);
}

void PanelDocument::replacePanel(const fs98::Panel& panel, const std::string& filePath) {
    // The steps go first: they hold states of the lines about to be dropped.
    clearHistory();
    m_format = PanelFormat::Fs98;
    m_lines = fs2k::PanelLines();
    m_fs2kPanel = {};
    m_panel = panel;
    setFilePath(filePath);
    m_paletteOptions = {};
    m_proposal = {};
    clearHistory();
    emit panelReplaced();
}

void PanelDocument::replaceFs2kPanel(fs2k::PanelLines lines, const std::string& filePath) {
    clearHistory();
    m_format = PanelFormat::Fs2k;
    m_lines = std::move(lines);
    m_fs2kPanel = fs2k::readPanel(m_lines);
    m_fs2kEncoding = fs2k::panelTextEncoding(m_lines);
    m_panel = fs98::Panel{};
    setFilePath(filePath);
    m_paletteOptions = {};
    m_proposal = {};
    emit panelReplaced();
}

void PanelDocument::fs2kLinesChanged() {
    m_fs2kPanel = fs2k::readPanel(m_lines);
    emit fs2kChanged();
}

void PanelDocument::pushFs2kEdit(const QString& text, std::function<void(fs2k::PanelLines&)> edit) {
    breakMerge();
    push(new fs2k::LinesCommand(*this, text, std::move(edit)));
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
bool hasFs2kKey(const fs2k::PanelLines& lines, std::size_t section, std::string_view key) {
    for (std::size_t line = lines.headerLine(section) + 1; line < lines.sectionEnd(section);
         ++line) {
        if (lines.kind(line) == fs2k::LineKind::Key && fs2k::sameKey(lines.key(line), key))
            return true;
    }
    return false;
}

} // namespace

void PanelDocument::setFs2kKey(std::size_t section, const std::string& key,
                               const std::string& value) {
    if (!isFs2k() || section >= m_lines.sectionCount())
        return;
    if (const fs2k::Key* old = keyOf(m_fs2kPanel, section, key); old && old->value == value)
        return;
    pushFs2kEdit(tr("Set %1").arg(QString::fromStdString(key)),
                 [section, key, value](fs2k::PanelLines& lines) {
                     fs2k::setSectionKey(lines, section, key, value);
                 });
}

void PanelDocument::removeFs2kKey(std::size_t section, const std::string& key) {
    if (!isFs2k() || section >= m_lines.sectionCount() || !hasFs2kKey(m_lines, section, key))
        return;
    pushFs2kEdit(
        tr("Remove %1").arg(QString::fromStdString(key)),
        [section, key](fs2k::PanelLines& lines) { fs2k::removeSectionKey(lines, section, key); });
}

void PanelDocument::editFs2kLines(const QString& text,
                                  std::function<void(fs2k::PanelLines&)> edit) {
    if (isFs2k())
        pushFs2kEdit(text, std::move(edit));
}

void PanelDocument::setFs2kTitle(long number, const std::string& title) {
    if (!isFs2k() || number < 0)
        return;
    if (const fs2k::Title* old = m_fs2kPanel.titleOf(number); old && old->title == title)
        return;
    pushFs2kEdit(tr("Title of window %1").arg(number), [number, title](fs2k::PanelLines& lines) {
        cockpix::fs2k::setTitle(lines, number, title);
    });
}

void PanelDocument::setFs2kGaugeField(std::size_t line, std::size_t index,
                                      const std::string& text) {
    // A line break would make the text two lines the table of lines does not know.
    if (!isFs2k() || line >= m_lines.lineCount() || m_lines.kind(line) != fs2k::LineKind::Key ||
        text.find_first_of("\r\n") != std::string::npos)
        return;
    const std::vector<std::string_view> fields = fs2k::gaugeEditFields(m_lines, line);
    if (index < fields.size() && fields[index] == text)
        return;
    pushFs2kEdit(tr("Gauge field"), [line, index, text](fs2k::PanelLines& lines) {
        fs2k::setGaugeField(lines, line, index, text);
    });
}

bool PanelDocument::isFs2kGauge(std::size_t line) const {
    return isFs2k() && fs2k::isGaugeLine(m_lines, line);
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

void PanelDocument::moveFs2kGauge(std::size_t line, double x, double y) {
    if (!isFs2kGauge(line) || !finite({x, y}) || isAt(m_lines, line, x, y))
        return;
    pushFs2kEdit(tr("Move gauge"), [line, x, y](fs2k::PanelLines& lines) {
        cockpix::fs2k::moveGauge(lines, line, x, y);
    });
}

void PanelDocument::resizeFs2kGauge(std::size_t line, double width, std::optional<double> height) {
    if (!isFs2kGauge(line) || !finite({width, height.value_or(0)}))
        return;
    const std::vector<std::string_view> fields = fs2k::gaugeEditFields(m_lines, line);
    if (fields.size() >= 3 && fields[2] == fs2k::valueText(width) &&
        (!height || (fields.size() >= 4 && fields[3] == fs2k::valueText(*height))))
        return;
    pushFs2kEdit(tr("Resize gauge"), [line, width, height](fs2k::PanelLines& lines) {
        cockpix::fs2k::resizeGauge(lines, line, width, height);
    });
}

void PanelDocument::moveFs2kGauges(std::vector<fs2k::GaugeMove> moves) {
    if (!isFs2k())
        return;
    std::erase_if(moves, [this](const fs2k::GaugeMove& move) {
        return !fs2k::isGaugeLine(m_lines, move.line) || !finite({move.x, move.y}) ||
               isAt(m_lines, move.line, move.x, move.y);
    });
    if (moves.empty())
        return;
    pushFs2kEdit(tr("Move gauges"), [moves = std::move(moves)](fs2k::PanelLines& lines) {
        cockpix::fs2k::moveGauges(lines, moves);
    });
}

void PanelDocument::setFs2kGaugeLine(std::size_t line, const std::string& text) {
    if (!isFs2kGauge(line) || m_lines.value(line) == text ||
        text.find_first_of("\r\n") != std::string::npos)
        return;
    pushFs2kEdit(tr("Gauge properties"),
                 [line, text](fs2k::PanelLines& lines) { fs2k::setGaugeText(lines, line, text); });
}

void PanelDocument::removeFs2kGauge(std::size_t line) {
    if (!isFs2kGauge(line))
        return;
    pushFs2kEdit(tr("Remove gauge"),
                 [line](fs2k::PanelLines& lines) { cockpix::fs2k::removeGauge(lines, line); });
}

std::size_t PanelDocument::addFs2kGauge(std::size_t section, const std::string& name, double x,
                                        double y, std::optional<double> width,
                                        std::optional<double> height) {
    const fs2k::NewGauge gauge{name, x, y, width, height};
    if (!isFs2k() || !fs2k::canAddGauge(m_lines, section, name) ||
        !finite({x, y, width.value_or(0), height.value_or(0)}))
        return fs2k::PanelLines::npos;
    std::size_t added = fs2k::PanelLines::npos;
    // The edit runs once, inside the push.
    pushFs2kEdit(tr("Add gauge"), [&added, section, gauge](fs2k::PanelLines& lines) {
        added = cockpix::fs2k::addGauge(lines, section, gauge);
    });
    return added;
}

void PanelDocument::placeFs2kGauges(std::vector<fs2k::GaugePlacement> placements,
                                    const QString& text) {
    if (!isFs2k())
        return;
    std::erase_if(placements, [this](const fs2k::GaugePlacement& place) {
        return !finite({place.x, place.y, place.width.value_or(0), place.height.value_or(0)}) ||
               !fs2k::changesGauge(m_lines, place);
    });
    if (placements.empty())
        return;
    pushFs2kEdit(text, [placements = std::move(placements)](fs2k::PanelLines& lines) {
        cockpix::fs2k::placeGauges(lines, placements);
    });
}

std::vector<std::size_t> PanelDocument::pasteFs2kGauges(std::size_t section,
                                                        std::vector<fs2k::PastedGauge> gauges) {
    if (!isFs2k())
        return {};
    std::erase_if(gauges, [this, section](const fs2k::PastedGauge& gauge) {
        return !fs2k::canAddGauge(m_lines, section, gauge.name) ||
               gauge.text.find_first_of("\r\n") != std::string::npos || !finite({gauge.x, gauge.y});
    });
    if (gauges.empty())
        return {};
    std::vector<std::size_t> added;
    const QString text = tr("Paste ") + countText(int(gauges.size()), tr("gauge"), tr("gauges"));
    // The edit runs once, inside the push.
    pushFs2kEdit(text, [&added, section, gauges = std::move(gauges)](fs2k::PanelLines& lines) {
        added = fs2k::addGaugeLines(lines, section, gauges);
    });
    return added;
}

void PanelDocument::cutFs2kGauges(std::vector<std::size_t> gaugeLines, const QString& text) {
    if (!isFs2k())
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
    pushFs2kEdit(step, [gaugeLines = std::move(gaugeLines)](fs2k::PanelLines& lines) {
        fs2k::removeGauges(lines, gaugeLines);
    });
}

long PanelDocument::addFs2kWindow(const fs2k::NewWindow& window) {
    if (!isFs2k())
        return -1;
    const long number = fs2k::nextFreeWindowNumber(m_fs2kPanel);
    pushFs2kEdit(tr("Add window %1").arg(number),
                 [window](fs2k::PanelLines& lines) { cockpix::fs2k::addWindow(lines, window); });
    return number;
}

void PanelDocument::removeFs2kWindow(std::size_t section) {
    if (!isFs2k() || section >= m_lines.sectionCount())
        return;
    pushFs2kEdit(
        tr("Remove [%1]").arg(QString::fromStdString(std::string(m_lines.sectionName(section)))),
        [section](fs2k::PanelLines& lines) { cockpix::fs2k::removeWindow(lines, section); });
}

} // namespace cockpix

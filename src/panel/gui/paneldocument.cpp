#include "panel/gui/paneldocument.h"

#include "base/gui/counttext.h"
#include "panel/gui/addremovegaugecommand.h"
#include "panel/gui/defaultviewcommand.h"
#include "panel/gui/gaugefieldcommand.h"
#include "panel/gui/gaugemodulecommand.h"
#include "panel/gui/laterlinescommand.h"
#include "panel/gui/palettecommand.h"
#include "panel/gui/ratioandviewcommand.h"
#include "panel/gui/severalgaugescommand.h"
#include "panel/gui/windowfieldcommand.h"
#include "panel/gui/windowsectionscommand.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace cockpix {
namespace {

bool isGaugeOf(const Panel& panel, int w, int g) {
    return isWindowSlot(w) && g >= 0 && g < std::min(panel.window(w).gaugeCount, kGaugeSlots);
}

} // namespace

PanelDocument::PanelDocument(QObject* parent) : BaseDocument(parent) {}

PanelDocument::~PanelDocument() = default;

void PanelDocument::setWindowField(const WindowEdit& edit) {
    if (!isWindowSlot(edit.row))
        return;
    if (windowField(m_panel.window(edit.row), edit.field) == edit.value &&
        std::clamp(edit.windowCount, 0, kWindowSlots) == m_panel.windowCount)
        return;
    push(new WindowFieldCommand(*this, edit));
}

void PanelDocument::setGaugeField(int w, int g, GaugeField field, double value) {
    if (!isGaugeOf(m_panel, w, g) || gaugeField(m_panel.gauge(w, g), field) == value)
        return;
    push(new GaugeFieldCommand(*this, w, g, field, value));
}

void PanelDocument::moveGauge(int w, int g, double x, double y) {
    if (!isGaugeOf(m_panel, w, g))
        return;
    const Gauge& gauge = m_panel.gauge(w, g);
    if (gauge.gaugeX == x && gauge.gaugeY == y)
        return;
    push(new MoveGaugeCommand(*this, w, g, x, y));
    breakMerge();
}

void PanelDocument::resizeGauge(int w, int g, double size) {
    if (!isGaugeOf(m_panel, w, g) || m_panel.gauge(w, g).gaugeSize == size)
        return;
    push(new ResizeGaugeCommand(*this, w, g, size));
    breakMerge();
}

void PanelDocument::setGaugeModule(int w, int g, const std::string& name) {
    if (!isGaugeOf(m_panel, w, g) || m_panel.gauge(w, g).gaugeName == name)
        return;
    push(new GaugeModuleCommand(*this, w, g, name));
    breakMerge();
}

void PanelDocument::moveWindowSections(const WindowOrder& order, const QString& text) {
    if (!isWindowOrder(order))
        return;
    Panel moved = m_panel;
    cockpix::moveWindowSections(moved, order);
    if (moved == m_panel)
        return;
    push(new WindowSectionsCommand(*this, order, text));
    breakMerge();
}

void PanelDocument::addGauge(int w, const Gauge& gauge) {
    if (!isWindowSlot(w) || m_panel.window(w).gaugeCount >= kGaugeSlots)
        return;
    push(new AddGaugeCommand(*this, w, gauge));
    breakMerge();
}

void PanelDocument::removeGauge(int w, int g) {
    if (!isGaugeOf(m_panel, w, g))
        return;
    push(new RemoveGaugeCommand(*this, w, g));
    breakMerge();
}

void PanelDocument::placeGauges(int w, std::vector<GaugePlacement> placements,
                                const QString& text) {
    std::erase_if(placements, [this, w](const GaugePlacement& place) {
        return !isGaugeOf(m_panel, w, place.g) ||
               !(std::isfinite(place.x) && std::isfinite(place.y) && std::isfinite(place.size)) ||
               gaugePlacement(m_panel, w, place.g) == place;
    });
    if (placements.empty())
        return;
    push(new PlaceGaugesCommand(*this, w, std::move(placements), text));
    breakMerge();
}

bool PanelDocument::pasteGauges(int w, std::vector<Gauge> gauges) {
    if (!isWindowSlot(w) || gauges.empty() ||
        gauges.size() >
            std::size_t(kGaugeSlots - std::clamp(m_panel.window(w).gaugeCount, 0, kGaugeSlots)))
        return false;
    push(new PasteGaugesCommand(*this, w, std::move(gauges)));
    breakMerge();
    return true;
}

void PanelDocument::cutGauges(int w, std::vector<int> gauges, const QString& text) {
    std::erase_if(gauges, [this, w](int g) { return !isGaugeOf(m_panel, w, g); });
    std::sort(gauges.begin(), gauges.end());
    gauges.erase(std::unique(gauges.begin(), gauges.end()), gauges.end());
    if (gauges.empty())
        return;
    push(new CutGaugesCommand(*this, w, std::move(gauges), text));
    breakMerge();
}

void PanelDocument::setDefaultView(const DefaultView& view) {
    if (m_panel.defaultView() == view)
        return;
    push(new DefaultViewCommand(*this, view));
}

void PanelDocument::setRatioAndDefaultView(int w, double ratio, const DefaultView& view,
                                           const QString& text) {
    if (!isWindowSlot(w) ||
        (m_panel.window(w).windowSizeRatio == ratio && m_panel.defaultView() == view))
        return;
    breakMerge();
    push(new RatioAndViewCommand(*this, w, ratio, view, text));
    breakMerge();
}

void PanelDocument::setColorLines(const std::vector<std::string>& lines) {
    if (colorLinesOf(m_panel) == lines)
        return;
    push(new ColorLinesCommand(*this, lines));
    breakMerge();
}

void PanelDocument::setPaletteOptions(const PaletteSaveOptions& options) {
    if (m_paletteOptions == options)
        return;
    push(new PaletteCommand(*this, QStringLiteral("Palette options"), options, m_proposal));
    breakMerge();
}

void PanelDocument::setPaletteProposal(const PaletteProposal& proposal) {
    if (m_proposal == proposal)
        return;
    push(new PaletteCommand(*this, QStringLiteral("Palette proposal"), m_paletteOptions, proposal));
    breakMerge();
}

std::string PanelDocument::bytesToSave(const SaveRequest& save) const {
    // A later panel writes its lines as they are, every byte not edited as it was read.
    return isLater() ? m_lines.bytes() : savedPanelText(m_panel, save);
}

void PanelDocument::recordFoundGaugeSize(int w, int g, double size) {
    if (isGaugeOf(m_panel, w, g) && applyFoundGaugeSize(m_panel, w, g, size))
        emit gaugeChanged(w, g);
}

void PanelDocument::replacePanel(const Panel& panel, const std::string& filePath) {
    // The steps go first: they hold states of the lines about to be dropped.
    clearHistory();
    m_format = PanelFormat::Fs98;
    m_lines = PanelLines();
    m_laterPanel = {};
    m_panel = panel;
    setFilePath(filePath);
    m_paletteOptions = {};
    m_proposal = {};
    clearHistory();
    emit panelReplaced();
}

void PanelDocument::replaceLaterPanel(PanelLines lines, const std::string& filePath) {
    clearHistory();
    m_format = PanelFormat::Later;
    m_lines = std::move(lines);
    m_laterPanel = readLaterPanel(m_lines);
    m_laterEncoding = panelTextEncoding(m_lines);
    m_panel = Panel{};
    setFilePath(filePath);
    m_paletteOptions = {};
    m_proposal = {};
    emit panelReplaced();
}

void PanelDocument::laterLinesChanged() {
    m_laterPanel = readLaterPanel(m_lines);
    emit laterChanged();
}

void PanelDocument::pushLaterEdit(const QString& text, std::function<void(PanelLines&)> edit) {
    breakMerge();
    push(new LaterLinesCommand(*this, text, std::move(edit)));
    breakMerge();
}

namespace {

const LaterKey* keyOf(const LaterPanel& panel, std::size_t section, const std::string& key) {
    for (const LaterWindow& window : panel.windows) {
        if (window.section == section)
            return window.find(key);
    }
    for (const auto* other : {&panel.color, &panel.views, &panel.defaultView, &panel.fltsim}) {
        if (*other && (*other)->section == section)
            return (*other)->find(key);
    }
    for (const LaterSection& other : panel.otherSections) {
        if (other.section == section)
            return other.find(key);
    }
    return nullptr;
}

// As the line edits find a key: window_size_ratio is also written windowsize_ratio.
bool hasLaterKey(const PanelLines& lines, std::size_t section, std::string_view key) {
    for (std::size_t line = lines.headerLine(section) + 1; line < lines.sectionEnd(section);
         ++line) {
        if (lines.kind(line) == LineKind::Key && sameLaterKey(lines.key(line), key))
            return true;
    }
    return false;
}

} // namespace

void PanelDocument::setLaterKey(std::size_t section, const std::string& key,
                                const std::string& value) {
    if (!isLater() || section >= m_lines.sectionCount())
        return;
    if (const LaterKey* old = keyOf(m_laterPanel, section, key); old && old->value == value)
        return;
    pushLaterEdit(
        tr("Set %1").arg(QString::fromStdString(key)),
        [section, key, value](PanelLines& lines) { setSectionKey(lines, section, key, value); });
}

void PanelDocument::removeLaterKey(std::size_t section, const std::string& key) {
    if (!isLater() || section >= m_lines.sectionCount() || !hasLaterKey(m_lines, section, key))
        return;
    pushLaterEdit(tr("Remove %1").arg(QString::fromStdString(key)),
                  [section, key](PanelLines& lines) { removeSectionKey(lines, section, key); });
}

void PanelDocument::editLaterLines(const QString& text, std::function<void(PanelLines&)> edit) {
    if (isLater())
        pushLaterEdit(text, std::move(edit));
}

void PanelDocument::setLaterTitle(long number, const std::string& title) {
    if (!isLater() || number < 0)
        return;
    if (const LaterTitle* old = m_laterPanel.titleOf(number); old && old->title == title)
        return;
    pushLaterEdit(tr("Title of window %1").arg(number), [number, title](PanelLines& lines) {
        cockpix::setLaterTitle(lines, number, title);
    });
}

void PanelDocument::setLaterGaugeField(std::size_t line, std::size_t index,
                                       const std::string& text) {
    // A line break would make the text two lines the table of lines does not know.
    if (!isLater() || line >= m_lines.lineCount() || m_lines.kind(line) != LineKind::Key ||
        text.find_first_of("\r\n") != std::string::npos)
        return;
    const std::vector<std::string_view> fields = laterGaugeEditFields(m_lines, line);
    if (index < fields.size() && fields[index] == text)
        return;
    pushLaterEdit(tr("Gauge field"), [line, index, text](PanelLines& lines) {
        cockpix::setGaugeField(lines, line, index, text);
    });
}

bool PanelDocument::isLaterGauge(std::size_t line) const {
    return isLater() && isLaterGaugeLine(m_lines, line);
}

namespace {

// Whether the gauge line already says x and y as a move would write them.
bool isAt(const PanelLines& lines, std::size_t line, double x, double y) {
    const std::vector<std::string_view> fields = laterGaugeEditFields(lines, line);
    return fields.size() >= 2 && fields[0] == laterNumberText(x) && fields[1] == laterNumberText(y);
}

// A number no panel line can say (NaN, infinity) makes no edit rather than a 0 in the file.
bool finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

} // namespace

void PanelDocument::moveLaterGauge(std::size_t line, double x, double y) {
    if (!isLaterGauge(line) || !finite({x, y}) || isAt(m_lines, line, x, y))
        return;
    pushLaterEdit(tr("Move gauge"),
                  [line, x, y](PanelLines& lines) { cockpix::moveLaterGauge(lines, line, x, y); });
}

void PanelDocument::resizeLaterGauge(std::size_t line, double width, std::optional<double> height) {
    if (!isLaterGauge(line) || !finite({width, height.value_or(0)}))
        return;
    const std::vector<std::string_view> fields = laterGaugeEditFields(m_lines, line);
    if (fields.size() >= 3 && fields[2] == laterNumberText(width) &&
        (!height || (fields.size() >= 4 && fields[3] == laterNumberText(*height))))
        return;
    pushLaterEdit(tr("Resize gauge"), [line, width, height](PanelLines& lines) {
        cockpix::resizeLaterGauge(lines, line, width, height);
    });
}

void PanelDocument::moveLaterGauges(std::vector<LaterGaugeMove> moves) {
    if (!isLater())
        return;
    std::erase_if(moves, [this](const LaterGaugeMove& move) {
        return !isLaterGaugeLine(m_lines, move.line) || !finite({move.x, move.y}) ||
               isAt(m_lines, move.line, move.x, move.y);
    });
    if (moves.empty())
        return;
    pushLaterEdit(tr("Move gauges"), [moves = std::move(moves)](PanelLines& lines) {
        cockpix::moveLaterGauges(lines, moves);
    });
}

void PanelDocument::setLaterGaugeLine(std::size_t line, const std::string& text) {
    if (!isLaterGauge(line) || m_lines.value(line) == text ||
        text.find_first_of("\r\n") != std::string::npos)
        return;
    pushLaterEdit(tr("Gauge properties"),
                  [line, text](PanelLines& lines) { setLaterGaugeText(lines, line, text); });
}

void PanelDocument::removeLaterGauge(std::size_t line) {
    if (!isLaterGauge(line))
        return;
    pushLaterEdit(tr("Remove gauge"),
                  [line](PanelLines& lines) { cockpix::removeLaterGauge(lines, line); });
}

std::size_t PanelDocument::addLaterGauge(std::size_t section, const std::string& name, double x,
                                         double y, std::optional<double> width,
                                         std::optional<double> height) {
    const NewLaterGauge gauge{name, x, y, width, height};
    if (!isLater() || !canAddLaterGauge(m_lines, section, name) ||
        !finite({x, y, width.value_or(0), height.value_or(0)}))
        return PanelLines::npos;
    std::size_t added = PanelLines::npos;
    // The edit runs once, inside the push.
    pushLaterEdit(tr("Add gauge"), [&added, section, gauge](PanelLines& lines) {
        added = cockpix::addLaterGauge(lines, section, gauge);
    });
    return added;
}

void PanelDocument::placeLaterGauges(std::vector<LaterGaugePlacement> placements,
                                     const QString& text) {
    if (!isLater())
        return;
    std::erase_if(placements, [this](const LaterGaugePlacement& place) {
        return !finite({place.x, place.y, place.width.value_or(0), place.height.value_or(0)}) ||
               !changesLaterGauge(m_lines, place);
    });
    if (placements.empty())
        return;
    pushLaterEdit(text, [placements = std::move(placements)](PanelLines& lines) {
        cockpix::placeLaterGauges(lines, placements);
    });
}

std::vector<std::size_t> PanelDocument::pasteLaterGauges(std::size_t section,
                                                         std::vector<PastedLaterGauge> gauges) {
    if (!isLater())
        return {};
    std::erase_if(gauges, [this, section](const PastedLaterGauge& gauge) {
        return !canAddLaterGauge(m_lines, section, gauge.name) ||
               gauge.text.find_first_of("\r\n") != std::string::npos || !finite({gauge.x, gauge.y});
    });
    if (gauges.empty())
        return {};
    std::vector<std::size_t> added;
    const QString text = tr("Paste ") + countText(int(gauges.size()), tr("gauge"), tr("gauges"));
    // The edit runs once, inside the push.
    pushLaterEdit(text, [&added, section, gauges = std::move(gauges)](PanelLines& lines) {
        added = addLaterGaugeLines(lines, section, gauges);
    });
    return added;
}

void PanelDocument::cutLaterGauges(std::vector<std::size_t> gaugeLines, const QString& text) {
    if (!isLater())
        return;
    std::erase_if(gaugeLines,
                  [this](std::size_t line) { return !isLaterGaugeLine(m_lines, line); });
    std::sort(gaugeLines.begin(), gaugeLines.end());
    gaugeLines.erase(std::unique(gaugeLines.begin(), gaugeLines.end()), gaugeLines.end());
    if (gaugeLines.empty())
        return;
    const QString step =
        !text.isEmpty() ? text
                        : tr("Cut ") + countText(int(gaugeLines.size()), tr("gauge"), tr("gauges"));
    pushLaterEdit(step, [gaugeLines = std::move(gaugeLines)](PanelLines& lines) {
        removeLaterGauges(lines, gaugeLines);
    });
}

long PanelDocument::addLaterWindow(const NewLaterWindow& window) {
    if (!isLater())
        return -1;
    const long number = nextFreeWindowNumber(m_laterPanel);
    pushLaterEdit(tr("Add window %1").arg(number),
                  [window](PanelLines& lines) { cockpix::addLaterWindow(lines, window); });
    return number;
}

void PanelDocument::removeLaterWindow(std::size_t section) {
    if (!isLater() || section >= m_lines.sectionCount())
        return;
    pushLaterEdit(
        tr("Remove [%1]").arg(QString::fromStdString(std::string(m_lines.sectionName(section)))),
        [section](PanelLines& lines) { cockpix::removeLaterWindow(lines, section); });
}

} // namespace cockpix

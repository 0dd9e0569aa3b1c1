#include "panelwindows/core/gaugeclipboard.h"

#include "base/core/blanks.h"
#include "base/core/filelookup.h"
#include "base/core/numbertext.h"
#include "gaugedialogs/core/gaugeaddition.h"
#include "panel/core/fs98/writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>
#include <utility>

namespace cockpix {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Far more than any panel's gauges; a text beyond it is no copy of gauges.
constexpr std::size_t kLargestPaste = 64u << 20;

// A field that is a number and nothing else, as FS would read it in full.
std::optional<double> fieldNumber(std::string_view field) {
    field = trimmedBlanks(field);
    if (!field.empty() && field.front() == '+')
        field.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The fields of a gauge line's text after "=", up to a ";" or "//" comment, as FS reads them.
std::vector<std::string_view> fieldsOf(std::string_view text) {
    text = fs2k::valueBeforeComment(text);
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(trimmedBlanks(text.substr(start, comma - start)));
        if (comma == std::string_view::npos)
            return fields;
        start = comma + 1;
    }
}

UserText leftOut(std::size_t line, std::string_view text, const char* why, TextEncoding encoding) {
    return UserText("Pasted line " + plainNumberText(static_cast<double>(line + 1)) + " (") +
           UserText::panelText(text, encoding) +
           UserText(std::string(") ") + why + "; not pasted.");
}

// Reads one gauge line's text into gauge; the reason it is left out otherwise.
const char* readGauge(std::string_view text, ClipboardGauge& gauge) {
    const std::vector<std::string_view> fields = fieldsOf(text);
    if (fields.size() < 3 || fields[0].empty())
        return "has no name, x and y separated by commas";
    const std::optional<double> x = fieldNumber(fields[1]);
    const std::optional<double> y = fieldNumber(fields[2]);
    if (!x || !y)
        return "has an x or y that is not a number";
    gauge.text = std::string(text);
    gauge.name = std::string(fields[0]);
    gauge.x = *x;
    gauge.y = *y;
    std::optional<double>* sizes[] = {&gauge.width, &gauge.height};
    for (std::size_t i = 0; i < 2 && 3 + i < fields.size(); ++i) {
        if (fields[3 + i].empty())
            continue;
        *sizes[i] = fieldNumber(fields[3 + i]);
        if (!*sizes[i])
            return "has a width or height that is not a number";
    }
    return nullptr;
}

constexpr fs2k::GaugeLineKind kKinds[] = {
    fs2k::GaugeLineKind::Gauge, fs2k::GaugeLineKind::HtmlGauge, fs2k::GaugeLineKind::Painting};

std::size_t kindIndex(fs2k::GaugeLineKind kind) {
    return static_cast<std::size_t>(std::find(std::begin(kKinds), std::end(kKinds), kind) -
                                    std::begin(kKinds)) %
           std::size(kKinds);
}

// Whether key is gaugeNN, htmlgaugeNN or paintingNN (any case), and which.
bool readKind(std::string_view key, fs2k::GaugeLineKind& kind) {
    for (const fs2k::GaugeLineKind candidate : kKinds) {
        if (fs2k::numberAfterPrefix(key, fs2k::gaugeKeyPrefix(candidate)) >= 0) {
            kind = candidate;
            return true;
        }
    }
    return false;
}

// Where MSFS reads each kind of line, for a refused paste.
const char* sectionsOf(fs2k::GaugeLineKind kind) {
    switch (kind) {
    case fs2k::GaugeLineKind::HtmlGauge:
        return "[VCockpitNN] sections only";
    case fs2k::GaugeLineKind::Painting:
        return "[VPaintingNN] sections only";
    case fs2k::GaugeLineKind::Gauge:
        break;
    }
    return "[WindowNN] and [VCockpitNN] sections";
}

} // namespace

std::string copyFs98Gauges(const fs98::Panel& panel, int w, std::span<const int> gauges) {
    std::string text;
    if (!fs98::isWindowSlot(w))
        return text;
    const int count = std::clamp(panel.window(w).gaugeCount, 0, fs98::kGaugeSlots);
    int number = 0;
    for (int g : gauges) {
        if (g < 0 || g >= count)
            continue;
        text += fs98::fs98GaugeLine(number++, panel.gauge(w, g));
        text += kLineEnd;
    }
    return text;
}

std::string copyFs2kGauges(const fs2k::PanelLines& lines, std::span<const std::size_t> gaugeLines) {
    std::string text;
    long numbers[3] = {};
    for (std::size_t line : gaugeLines) {
        if (!fs2k::isGaugeLine(lines, line))
            continue;
        const fs2k::GaugeLineKind kind = fs2k::gaugeLineKind(lines, line);
        const std::string_view own = lines.text(line);
        text += fs2k::keyOfGauge(numbers[kindIndex(kind)]++, fs2k::gaugeKeyPrefix(kind)) + "=";
        text += own.substr(own.find('=') + 1);
        text += kLineEnd;
    }
    return text;
}

ClipboardGauges readClipboardGauges(std::string_view text, TextEncoding encoding) {
    ClipboardGauges result;
    if (text.size() > kLargestPaste) {
        result.problems.emplace_back("The pasted text is too long for gauge lines; not pasted.");
        return result;
    }
    const fs2k::PanelLines lines{std::string(text)};
    for (std::size_t line = 0; line < lines.lineCount(); ++line) {
        ClipboardGauge gauge;
        if (lines.kind(line) != fs2k::LineKind::Key || !readKind(lines.key(line), gauge.kind))
            continue;
        const std::string_view own = lines.text(line);
        if (const char* why = readGauge(own.substr(own.find('=') + 1), gauge))
            result.problems.push_back(leftOut(line, trimmedBlanks(own), why, encoding));
        else
            result.gauges.push_back(std::move(gauge));
    }
    return result;
}

UserText clipboardProblemsMessage(const ClipboardGauges& read) {
    if (read.problems.empty())
        return read.gauges.empty() ? UserText("The clipboard holds no gauge lines.") : UserText();
    UserText message;
    for (std::size_t i = 0; i < read.problems.size() && i < kListedProblems; ++i) {
        if (i > 0)
            message += UserText("\n");
        message += read.problems[i];
    }
    if (read.problems.size() > kListedProblems)
        message +=
            UserText("\n... and " +
                     plainNumberText(static_cast<double>(read.problems.size() - kListedProblems)) +
                     " more lines not pasted.");
    if (read.gauges.empty())
        message += UserText("\nNothing was pasted.");
    return message;
}

PasteShift pasteShift(std::span<const GaugeSpot> window, std::span<const ClipboardGauge> pasted) {
    std::set<std::pair<double, double>> taken;
    for (const GaugeSpot& spot : window)
        taken.emplace(spot.x, spot.y);
    PasteShift shift;
    for (int step = 0; step < kMaxPasteShifts; ++step) {
        const bool free = std::none_of(pasted.begin(), pasted.end(), [&](const ClipboardGauge& g) {
            return taken.count({g.x + shift.dx, g.y + shift.dy}) != 0;
        });
        if (free)
            break;
        shift.dx += kPasteShift;
        shift.dy += kPasteShift;
    }
    return shift;
}

namespace {

struct PasteBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// The box around the pasted gauges, with their sizes as fitPaste counts them.
PasteBox pasteBox(std::span<const ClipboardGauge> pasted) {
    PasteBox box{pasted.front().x, pasted.front().y, pasted.front().x, pasted.front().y};
    for (const ClipboardGauge& gauge : pasted) {
        const double width = std::max(0.0, gauge.width.value_or(0));
        const double height = std::max(0.0, gauge.height.value_or(width));
        box.left = std::min(box.left, gauge.x);
        box.top = std::min(box.top, gauge.y);
        box.right = std::max(box.right, gauge.x + width);
        box.bottom = std::max(box.bottom, gauge.y + height);
    }
    return box;
}

// The move along one axis that puts [low, high] inside [0, size], the least there is.
double moveInside(double low, double high, double size) {
    if (low < 0)
        return -low;
    return high > size ? size - high : 0;
}

} // namespace

bool pasteFits(std::span<const ClipboardGauge> pasted, PasteArea area) {
    if (pasted.empty())
        return true;
    const PasteBox box = pasteBox(pasted);
    return box.right - box.left <= area.width && box.bottom - box.top <= area.height;
}

PasteShift fitPaste(std::span<const ClipboardGauge> pasted, PasteShift shift, PasteArea area) {
    if (pasted.empty() || !pasteFits(pasted, area))
        return shift;
    const PasteBox box = pasteBox(pasted);
    shift.dx += moveInside(box.left + shift.dx, box.right + shift.dx, area.width);
    shift.dy += moveInside(box.top + shift.dy, box.bottom + shift.dy, area.height);
    return shift;
}

UserText pasteTooLargeMessage(std::span<const ClipboardGauge> pasted, PasteArea area) {
    const PasteBox box = pasted.empty() ? PasteBox{} : pasteBox(pasted);
    const auto count = static_cast<double>(pasted.size());
    return UserText("The " + plainNumberText(count) +
                    (pasted.size() == 1 ? " pasted gauge takes " : " pasted gauges take ") +
                    plainNumberText(box.right - box.left) + " x " +
                    plainNumberText(box.bottom - box.top) + " units, the window " +
                    plainNumberText(area.width) + " x " + plainNumberText(area.height) +
                    (pasted.size() == 1 ? ": it was pasted where it was copied"
                                        : ": they were pasted where they were copied") +
                    ", and FS does not show what lies outside the window.");
}

UserText fullWindowMessage(int w, int count, int adding) {
    return UserText("Window #" + plainNumberText(w) + " cannot take " + plainNumberText(adding) +
                    (adding == 1 ? " more gauge" : " more gauges") + ": it has " +
                    plainNumberText(count) + ", and FS98 reads " +
                    plainNumberText(fs98::kGaugeSlots) +
                    " gauges a window at most.\nPaste cancelled.");
}

Fs98Paste planFs98Paste(const fs98::Panel& panel, int w, std::span<const ClipboardGauge> pasted,
                        std::optional<PasteArea> area) {
    Fs98Paste paste;
    if (!fs98::isWindowSlot(w) || pasted.empty())
        return paste;
    for (const ClipboardGauge& gauge : pasted) {
        if (gauge.kind != fs2k::GaugeLineKind::Gauge) {
            paste.refusal = UserText("The pasted lines hold MSFS instruments (" +
                                     std::string(fs2k::gaugeKeyPrefix(gauge.kind)) +
                                     "NN lines).\nFS98 windows hold gauges only.\nPaste "
                                     "cancelled.");
            return paste;
        }
        if (gauge.name.find('!') != std::string::npos) {
            paste.refusal = UserText("The gauge ") + UserText::panelText(gauge.name) +
                            UserText(" is a gauge of a module of several (module!gauge), as "
                                     "panels of FS2000 and later name them.\nFS98 modules hold "
                                     "one gauge each and have no gauge names.\nPaste cancelled.");
            return paste;
        }
    }
    const int count = std::clamp(panel.window(w).gaugeCount, 0, fs98::kGaugeSlots);
    if (pasted.size() > static_cast<std::size_t>(fs98::kGaugeSlots - count)) {
        paste.refusal = fullWindowMessage(
            w, count, static_cast<int>(std::min<std::size_t>(pasted.size(), 1'000'000'000)));
        return paste;
    }
    std::set<std::string> names;
    for (const ClipboardGauge& gauge : pasted) {
        // As the reader keeps a module's name.
        const std::string name = asciiLowered(gauge.name);
        if (const auto where = findGaugeUsingModule(panel, name + ".gau")) {
            paste.refusal = duplicateGaugeMessage(*where, "Paste cancelled.");
            return paste;
        }
        if (!names.insert(name).second) {
            paste.refusal = UserText("The pasted lines name the gauge ") +
                            UserText::panelText(name) +
                            UserText(" twice.\nFS98 does not support a gauge used twice in the "
                                     "same panel.\nPaste cancelled.");
            return paste;
        }
    }
    std::vector<GaugeSpot> spots;
    for (int g = 0; g < count; ++g)
        spots.push_back({panel.gauge(w, g).gaugeX, panel.gauge(w, g).gaugeY});
    PasteShift shift = pasteShift(spots, pasted);
    if (area)
        shift = fitPaste(pasted, shift, *area);
    for (const ClipboardGauge& from : pasted) {
        fs98::Gauge gauge;
        gauge.gaugeName = asciiLowered(from.name);
        gauge.gaugeX = from.x + shift.dx;
        gauge.gaugeY = from.y + shift.dy;
        // Without a size FS98 draws the module's own; the panel window measures it.
        gauge.gaugeSize = from.width.value_or(0);
        gauge.gaugeRefSize = from.width ? 0 : -1;
        paste.gauges.push_back(std::move(gauge));
    }
    return paste;
}

UserText fs2kPasteRefusal(const fs2k::Window& window, std::span<const ClipboardGauge> pasted) {
    for (const ClipboardGauge& gauge : pasted) {
        const std::string prefix(fs2k::gaugeKeyPrefix(gauge.kind));
        fs2k::GaugeLineKind held = gauge.kind;
        if (fs2k::gaugeKeyNumber(window.kind, prefix + "00", held) >= 0 && held == gauge.kind)
            continue;
        return UserText("[") + UserText::panelText(window.header) +
               UserText("] cannot hold " + prefix + " lines: " +
                        (gauge.kind == fs2k::GaugeLineKind::Gauge ? "FS reads them in "
                                                                  : "MSFS reads them in ") +
                        sectionsOf(gauge.kind) + ".\nPaste cancelled.");
    }
    return {};
}

std::vector<fs2k::PastedGauge> planFs2kPaste(const fs2k::Window& window,
                                             std::span<const ClipboardGauge> pasted,
                                             std::optional<PasteArea> area) {
    std::vector<GaugeSpot> spots;
    spots.reserve(window.gauges.size());
    for (const fs2k::Gauge& gauge : window.gauges) {
        if (gauge.x && gauge.y)
            spots.push_back({*gauge.x, *gauge.y});
    }
    PasteShift shift = pasteShift(spots, pasted);
    if (area)
        shift = fitPaste(pasted, shift, *area);
    const bool shifted = shift.dx != 0 || shift.dy != 0;
    std::vector<fs2k::PastedGauge> lines;
    lines.reserve(pasted.size());
    for (const ClipboardGauge& gauge : pasted)
        lines.push_back(
            {gauge.name, gauge.text, shifted, gauge.x + shift.dx, gauge.y + shift.dy, gauge.kind});
    return lines;
}

} // namespace cockpix

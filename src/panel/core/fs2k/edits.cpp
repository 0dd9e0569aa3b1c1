#include "panel/core/fs2k/edits.h"

#include "base/core/asciicase.h"
#include "base/core/blanks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <set>

namespace cockpix::fs2k {
namespace {

constexpr std::size_t npos = PanelLines::npos;

std::string replacedValue(const PanelLines& lines, std::size_t line, std::string_view value) {
    const std::string_view text = lines.text(line);
    const std::size_t start = lines.valueOffset(line);
    std::string result(text.substr(0, start));
    result += value;
    result += text.substr(start + lines.value(line).size());
    return result;
}

std::size_t findFs2kKey(const PanelLines& lines, std::size_t section, std::string_view key) {
    for (std::size_t line = lines.headerLine(section) + 1; line < lines.sectionEnd(section);
         ++line) {
        if (lines.kind(line) == LineKind::Key && sameKey(lines.key(line), key))
            return line;
    }
    return npos;
}

// [begin, end) of each comma-separated field of a value, inside the line, blanks trimmed.
std::vector<std::pair<std::size_t, std::size_t>>
fieldSpans(std::string_view text, std::size_t valueStart, std::size_t valueEnd) {
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    std::size_t start = valueStart;
    for (;;) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos || comma > valueEnd)
            comma = valueEnd;
        std::size_t begin = start;
        std::size_t end = comma;
        while (begin < end && isBlank(text[begin]))
            ++begin;
        while (end > begin && isBlank(text[end - 1]))
            --end;
        spans.emplace_back(begin, end);
        if (comma == valueEnd)
            return spans;
        start = comma + 1;
    }
}

// The [Window Titles] section, made before the first section when the file has none.
std::size_t titleSection(PanelLines& lines) {
    if (const std::size_t found = lines.findSection("Window Titles"); found != npos)
        return found;
    const std::size_t before = lines.sectionCount() == 0
                                   ? (lines.lineCount() == 0 ? npos : lines.lineCount() - 1)
                               : lines.headerLine(0) == 0 ? npos
                                                          : lines.headerLine(0) - 1;
    const std::size_t header = lines.insertAfter(before, "[Window Titles]");
    if (header + 1 < lines.lineCount())
        lines.insertAfter(header, "");
    return lines.sectionOf(header);
}

// The last line of the last window or virtual cockpit section that is not blank, or the
// file's last line when there is no such section.
std::size_t placeForNewSection(const PanelLines& lines) {
    const Panel panel = readPanel(lines);
    if (panel.windows.empty())
        return lines.lineCount() == 0 ? npos : lines.lineCount() - 1;
    std::size_t last = 0;
    for (const Window& window : panel.windows)
        last = std::max(last, window.section);
    std::size_t line = lines.sectionEnd(last) - 1;
    while (line > lines.headerLine(last) && lines.kind(line) == LineKind::Blank)
        --line;
    return line;
}

// The number of a gauge line (any kind its section holds), with its kind; -1 for any other
// line.
long gaugeNumberOf(const PanelLines& lines, std::size_t line, GaugeLineKind& kind) {
    if (lines.kind(line) != LineKind::Key)
        return -1;
    WindowKind window = WindowKind::Window;
    if (windowSectionNumber(lines.sectionName(lines.sectionOf(line)), window) < 0)
        return -1;
    return gaugeKeyNumber(window, lines.key(line), kind);
}

long gaugeNumberOf(const PanelLines& lines, std::size_t line) {
    GaugeLineKind kind = GaugeLineKind::Gauge;
    return gaugeNumberOf(lines, line, kind);
}

std::size_t decimalDigits(long number) {
    return std::to_string(number).size();
}

// The key of a gauge line renumbered to number: the prefix as written; two digits at
// least, unless the line had its own count of digits (gauge5, gauge007), which stays.
std::string renumberedKey(std::string_view key, GaugeLineKind kind, long number) {
    const std::size_t prefix = gaugeKeyPrefix(kind).size();
    const std::string_view digits = key.substr(prefix);
    const long old = numberAfterPrefix(key, gaugeKeyPrefix(kind));
    std::size_t width = std::max<std::size_t>(2, decimalDigits(number));
    if (digits.size() != std::max<std::size_t>(2, decimalDigits(old)))
        width = std::max(digits.size(), decimalDigits(number));
    const std::string text = std::to_string(number);
    return std::string(key.substr(0, prefix)) + std::string(width - text.size(), '0') + text;
}

void renumberGaugeLine(PanelLines& lines, std::size_t line, GaugeLineKind kind, long number) {
    const std::string_view text = lines.text(line);
    const std::string_view key = lines.key(line);
    const auto keyStart = static_cast<std::size_t>(key.data() - text.data());
    lines.replace(line, std::string(text.substr(0, keyStart)) + renumberedKey(key, kind, number) +
                            std::string(text.substr(keyStart + key.size())));
}

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

std::string valueText(double value) {
    if (!std::isfinite(value) || value == 0)
        return "0";
    // The shortest fixed form of a double is at most some 330 characters (5e-324).
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

bool isWindowSection(const PanelLines& lines, std::size_t section) {
    WindowKind kind = WindowKind::Window;
    return section < lines.sectionCount() &&
           windowSectionNumber(lines.sectionName(section), kind) >= 0;
}

bool holdsGaugeKind(const PanelLines& lines, std::size_t section, GaugeLineKind kind) {
    WindowKind window = WindowKind::Window;
    if (section >= lines.sectionCount() ||
        windowSectionNumber(lines.sectionName(section), window) < 0)
        return false;
    GaugeLineKind read = kind;
    const std::string key = keyOfGauge(0, gaugeKeyPrefix(kind));
    return gaugeKeyNumber(window, key, read) >= 0 && read == kind;
}

bool isGaugeLine(const PanelLines& lines, std::size_t line) {
    return line < lines.lineCount() && gaugeNumberOf(lines, line) >= 0;
}

GaugeLineKind gaugeLineKind(const PanelLines& lines, std::size_t line) {
    GaugeLineKind kind = GaugeLineKind::Gauge;
    if (line < lines.lineCount())
        gaugeNumberOf(lines, line, kind);
    return kind;
}

void moveGauge(PanelLines& lines, std::size_t line, double x, double y) {
    setGaugeField(lines, line, 0, valueText(x));
    setGaugeField(lines, line, 1, valueText(y));
}

void moveGauges(PanelLines& lines, std::span<const GaugeMove> moves) {
    for (const GaugeMove& move : moves) {
        if (isGaugeLine(lines, move.line))
            moveGauge(lines, move.line, move.x, move.y);
    }
}

void resizeGauge(PanelLines& lines, std::size_t line, double width, std::optional<double> height) {
    setGaugeField(lines, line, 2, valueText(width));
    if (height)
        setGaugeField(lines, line, 3, valueText(*height));
}

bool setGaugeText(PanelLines& lines, std::size_t line, std::string_view text) {
    if (holdsLineBreak(text))
        return false;
    lines.replace(line, replacedValue(lines, line, text));
    return true;
}

namespace {

// Whether field says value: written as the edits write it, or as any text that reads back
// as the same number ("10.0", "+10").
bool saysNumber(std::string_view field, double value) {
    if (field == valueText(value))
        return true;
    if (!field.empty() && field.front() == '+')
        field.remove_prefix(1);
    double read = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), read);
    return error == std::errc() && end == field.data() + field.size() && read == value;
}

bool fieldSays(const std::vector<std::string_view>& fields, std::size_t index,
               std::optional<double> value) {
    return !value || (index < fields.size() && saysNumber(fields[index], *value));
}

} // namespace

bool changesGauge(const PanelLines& lines, const GaugePlacement& placement) {
    if (!isGaugeLine(lines, placement.line))
        return false;
    const std::vector<std::string_view> fields = gaugeEditFields(lines, placement.line);
    return !fieldSays(fields, 0, placement.x) || !fieldSays(fields, 1, placement.y) ||
           !fieldSays(fields, 2, placement.width) || !fieldSays(fields, 3, placement.height);
}

void placeGauges(PanelLines& lines, std::span<const GaugePlacement> placements) {
    for (const GaugePlacement& place : placements) {
        if (!isGaugeLine(lines, place.line))
            continue;
        // Field by field, so that a number already written as the user wrote it stays.
        const std::optional<double> wanted[] = {place.x, place.y, place.width, place.height};
        for (std::size_t index = 0; index < 4; ++index) {
            const std::vector<std::string_view> fields = gaugeEditFields(lines, place.line);
            if (!fieldSays(fields, index, wanted[index]))
                setGaugeField(lines, place.line, index, valueText(*wanted[index]));
        }
    }
}

std::vector<std::size_t> addGaugeLines(PanelLines& lines, std::size_t section,
                                       std::span<const PastedGauge> gauges) {
    std::vector<std::size_t> added;
    added.reserve(gauges.size());
    for (const PastedGauge& gauge : gauges) {
        std::size_t line = npos;
        if (!holdsLineBreak(gauge.text))
            line = addGauge(lines, section, NewGauge{gauge.name, 0, 0, {}, {}, gauge.kind});
        if (line != npos) {
            setGaugeText(lines, line, gauge.text);
            if (gauge.shifted)
                moveGauge(lines, line, gauge.x, gauge.y);
        }
        added.push_back(line);
    }
    return added;
}

void removeGauges(PanelLines& lines, std::span<const std::size_t> gaugeLines) {
    std::vector<std::size_t> order(gaugeLines.begin(), gaugeLines.end());
    std::sort(order.begin(), order.end(), std::greater<>());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    for (std::size_t line : order)
        removeGauge(lines, line);
}

long nextGaugeNumber(const PanelLines& lines, std::size_t section, GaugeLineKind kind) {
    std::set<long> used;
    for (std::size_t line = lines.headerLine(section) + 1; line < lines.sectionEnd(section);
         ++line) {
        GaugeLineKind read = kind;
        if (const long number = gaugeNumberOf(lines, line, read); read == kind)
            used.insert(number);
    }
    long number = 0;
    while (used.count(number) != 0)
        ++number;
    return number;
}

std::string keyOfGauge(long number, std::string_view prefix) {
    return std::string(prefix) + (number >= 0 && number < 10 ? "0" : "") + std::to_string(number);
}

bool canAddGauge(const PanelLines& lines, std::size_t section, std::string_view name,
                 GaugeLineKind kind) {
    name = trimmedBlanks(name);
    return holdsGaugeKind(lines, section, kind) && !name.empty() &&
           name.find_first_of(",\r\n") == std::string_view::npos;
}

std::size_t addGauge(PanelLines& lines, std::size_t section, const NewGauge& gauge) {
    if (!canAddGauge(lines, section, gauge.name, gauge.kind))
        return npos;
    const std::string_view name = trimmedBlanks(gauge.name);
    // After the last line of its kind, keeping their spelling ("HtmlGauge"); the first of its
    // kind after the section's last gauge line.
    std::size_t after = npos;
    std::size_t afterAny = npos;
    std::string_view prefix = gaugeKeyPrefix(gauge.kind);
    for (std::size_t line = lines.headerLine(section) + 1; line < lines.sectionEnd(section);
         ++line) {
        GaugeLineKind kind = gauge.kind;
        if (gaugeNumberOf(lines, line, kind) < 0)
            continue;
        afterAny = line;
        if (kind == gauge.kind) {
            after = line;
            prefix = lines.key(line).substr(0, gaugeKeyPrefix(kind).size());
        }
    }
    if (after == npos)
        after = afterAny;
    std::string text = keyOfGauge(nextGaugeNumber(lines, section, gauge.kind), prefix) + "=";
    text += std::string(name) + ", " + valueText(gauge.x) + ", " + valueText(gauge.y);
    if (gauge.width) {
        text += ", " + valueText(*gauge.width);
        if (gauge.height)
            text += ", " + valueText(*gauge.height);
    }
    return lines.insertAfter(after == npos ? lines.lastKeyLine(section) : after, text);
}

bool removeGauge(PanelLines& lines, std::size_t line) {
    if (!isGaugeLine(lines, line))
        return false;
    const std::size_t section = lines.sectionOf(line);
    GaugeLineKind kind = GaugeLineKind::Gauge;
    const long removed = gaugeNumberOf(lines, line, kind);
    lines.remove(line);
    for (std::size_t other = lines.headerLine(section) + 1; other < lines.sectionEnd(section);
         ++other) {
        GaugeLineKind otherKind = kind;
        const long number = gaugeNumberOf(lines, other, otherKind);
        // A number too long to read (saturated) is left as written; each kind has its own run.
        if (otherKind == kind && number > removed && number < 999'999'999)
            renumberGaugeLine(lines, other, kind, number - 1);
    }
    return true;
}

std::string nameOfWindow(long number) {
    return (number >= 0 && number < 10 ? "Window0" : "Window") + std::to_string(number);
}

std::size_t setSectionKey(PanelLines& lines, std::size_t section, std::string_view key,
                          std::string_view value) {
    if (const std::size_t line = findFs2kKey(lines, section, key); line != npos) {
        lines.replace(line, replacedValue(lines, line, value));
        return line;
    }
    std::string text(key);
    text += '=';
    text += value;
    return lines.insertAfter(lines.lastKeyLine(section), text);
}

bool removeSectionKey(PanelLines& lines, std::size_t section, std::string_view key) {
    bool removed = false;
    for (std::size_t line = lines.sectionEnd(section); line-- > lines.headerLine(section) + 1;) {
        if (lines.kind(line) == LineKind::Key && sameKey(lines.key(line), key)) {
            lines.remove(line);
            removed = true;
        }
    }
    return removed;
}

std::vector<std::string_view> gaugeEditFields(const PanelLines& lines, std::size_t line) {
    const std::string_view text = lines.text(line);
    const std::size_t valueStart = lines.valueOffset(line);
    const auto spans = fieldSpans(text, valueStart, valueStart + lines.value(line).size());
    std::vector<std::string_view> fields;
    for (std::size_t i = 1; i < spans.size(); ++i)
        fields.push_back(text.substr(spans[i].first, spans[i].second - spans[i].first));
    return fields;
}

void setGaugeField(PanelLines& lines, std::size_t line, std::size_t index, std::string_view text) {
    const std::string_view old = lines.text(line);
    const std::size_t valueStart = lines.valueOffset(line);
    const std::size_t valueEnd = valueStart + lines.value(line).size();
    const auto spans = fieldSpans(old, valueStart, valueEnd);
    std::string result;
    if (index + 1 < spans.size()) {
        const auto [begin, end] = spans[index + 1];
        result =
            std::string(old.substr(0, begin)) + std::string(text) + std::string(old.substr(end));
    } else {
        result = std::string(old.substr(0, valueEnd));
        for (std::size_t missing = spans.size(); missing < index + 1; ++missing)
            result += ",";
        result += ", " + std::string(text) + std::string(old.substr(valueEnd));
    }
    lines.replace(line, result);
}

long nextFreeWindowNumber(const Panel& panel) {
    std::set<long> used;
    for (const Title& title : panel.titles)
        used.insert(title.number);
    for (const Window& window : panel.windows) {
        if (window.kind == WindowKind::Window)
            used.insert(window.number);
    }
    long number = 0;
    while (used.count(number) != 0)
        ++number;
    return number;
}

void setTitle(PanelLines& lines, long number, std::string_view title) {
    const std::size_t section = titleSection(lines);
    for (std::size_t line = lines.headerLine(section) + 1; line < lines.sectionEnd(section);
         ++line) {
        if (lines.kind(line) == LineKind::Key &&
            numberAfterPrefix(lines.key(line), "window") == number) {
            lines.replace(line, replacedValue(lines, line, title));
            return;
        }
    }
    lines.insertAfter(lines.lastKeyLine(section), nameOfWindow(number) + "=" + std::string(title));
}

long addWindow(PanelLines& lines, const NewWindow& window) {
    const long number = nextFreeWindowNumber(readPanel(lines));
    setTitle(lines, number, window.title);
    std::size_t line = placeForNewSection(lines);
    if (line != npos && lines.kind(line) != LineKind::Blank)
        line = lines.insertAfter(line, "");
    line = lines.insertAfter(line, "[" + nameOfWindow(number) + "]");
    for (const auto& [key, value] : window.keys)
        line = lines.insertAfter(line, key + "=" + value);
    return number;
}

void removeWindow(PanelLines& lines, std::size_t section) {
    const std::string_view name = lines.sectionName(section);
    const long number = numberAfterPrefix(name, "window");
    const std::size_t header = lines.headerLine(section);
    for (std::size_t line = lines.sectionEnd(section); line-- > header;)
        lines.remove(line);
    if (number < 0 || readPanel(lines).windowOf(number) != nullptr)
        return;
    const std::size_t titles = lines.findSection("Window Titles");
    if (titles == npos)
        return;
    for (std::size_t line = lines.sectionEnd(titles); line-- > lines.headerLine(titles) + 1;) {
        if (lines.kind(line) == LineKind::Key &&
            numberAfterPrefix(lines.key(line), "window") == number)
            lines.remove(line);
    }
}

} // namespace cockpix::fs2k

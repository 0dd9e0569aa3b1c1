#include "panel/core/lateredits.h"

#include "base/core/asciicase.h"
#include "base/core/blanks.h"

#include <algorithm>
#include <set>

namespace cockpix {
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

std::size_t findLaterKey(const PanelLines& lines, std::size_t section, std::string_view key) {
    for (std::size_t line = lines.headerLine(section) + 1; line < lines.sectionEnd(section);
         ++line) {
        if (lines.kind(line) == LineKind::Key && sameLaterKey(lines.key(line), key))
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
    const LaterPanel panel = readLaterPanel(lines);
    if (panel.windows.empty())
        return lines.lineCount() == 0 ? npos : lines.lineCount() - 1;
    std::size_t last = 0;
    for (const LaterWindow& window : panel.windows)
        last = std::max(last, window.section);
    std::size_t line = lines.sectionEnd(last) - 1;
    while (line > lines.headerLine(last) && lines.kind(line) == LineKind::Blank)
        --line;
    return line;
}

} // namespace

std::string laterWindowName(long number) {
    return (number >= 0 && number < 10 ? "Window0" : "Window") + std::to_string(number);
}

std::size_t setSectionKey(PanelLines& lines, std::size_t section, std::string_view key,
                          std::string_view value) {
    if (const std::size_t line = findLaterKey(lines, section, key); line != npos) {
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
        if (lines.kind(line) == LineKind::Key && sameLaterKey(lines.key(line), key)) {
            lines.remove(line);
            removed = true;
        }
    }
    return removed;
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

long nextFreeWindowNumber(const LaterPanel& panel) {
    std::set<long> used;
    for (const LaterTitle& title : panel.titles)
        used.insert(title.number);
    for (const LaterWindow& window : panel.windows) {
        if (window.kind == LaterWindowKind::Window)
            used.insert(window.number);
    }
    long number = 0;
    while (used.count(number) != 0)
        ++number;
    return number;
}

void setLaterTitle(PanelLines& lines, long number, std::string_view title) {
    const std::size_t section = titleSection(lines);
    for (std::size_t line = lines.headerLine(section) + 1; line < lines.sectionEnd(section);
         ++line) {
        if (lines.kind(line) == LineKind::Key &&
            numberAfterPrefix(lines.key(line), "window") == number) {
            lines.replace(line, replacedValue(lines, line, title));
            return;
        }
    }
    lines.insertAfter(lines.lastKeyLine(section),
                      laterWindowName(number) + "=" + std::string(title));
}

long addLaterWindow(PanelLines& lines, const NewLaterWindow& window) {
    const long number = nextFreeWindowNumber(readLaterPanel(lines));
    setLaterTitle(lines, number, window.title);
    std::size_t line = placeForNewSection(lines);
    if (line != npos && lines.kind(line) != LineKind::Blank)
        line = lines.insertAfter(line, "");
    line = lines.insertAfter(line, "[" + laterWindowName(number) + "]");
    for (const auto& [key, value] : window.keys)
        line = lines.insertAfter(line, key + "=" + value);
    return number;
}

void removeLaterWindow(PanelLines& lines, std::size_t section) {
    const std::string_view name = lines.sectionName(section);
    const long number = numberAfterPrefix(name, "window");
    const std::size_t header = lines.headerLine(section);
    for (std::size_t line = lines.sectionEnd(section); line-- > header;)
        lines.remove(line);
    if (number < 0 || readLaterPanel(lines).windowOf(number) != nullptr)
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

} // namespace cockpix

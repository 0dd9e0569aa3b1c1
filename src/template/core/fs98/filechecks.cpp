#include "template/core/fs98/filechecks.h"

#include "base/core/asciicase.h"
#include "base/core/linediff.h"
#include "base/core/numbertext.h"
#include "panel/core/placelimits.h"
#include "template/core/checktext.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace cockpix::fs98 {
namespace {

std::string_view trimmedLeft(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

// A header the reader knows in some place of the file.
bool isKnownHeader(std::string_view line) {
    for (const std::string_view header :
         {"[fltsim]", "[window titles]", "[window0", "[8", "[default view]"}) {
        if (startsWithIgnoringCase(line, header))
            return true;
    }
    return false;
}

// The key the reader takes a window line for, by its first letter.
std::string_view keyOfLetter(int letter) {
    switch (letter) {
    case 'f':
        return "file";
    case 's':
        return "size_mm";
    case 'w':
        return "windowsize_ratio";
    case 'p':
        return "position";
    case 'v':
        return "visible";
    default:
        return "ident";
    }
}

bool isDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

constexpr std::array<std::string_view, 4> kViewKeys = {"x", "y", "size_x", "size_y"};
constexpr std::array<std::string_view, 4> kViewShown = {"X=", "Y=", "SIZE_X=", "SIZE_Y="};

class FileLineChecker {
public:
    FileLineChecker(const PanelLineTrace& trace, const Panel& filePanel)
        : m_trace(trace), m_panel(filePanel), m_lines(splitTextLines(trace.content)) {}

    std::vector<Finding> run() {
        if (m_panel.windowCount == 0)
            add(0, Severity::Error, "no-panel-section",
                "no [Window Titles] section with a window line: the file opens as an empty "
                "template");
        const int count = std::min(m_trace.lineCount(), static_cast<int>(m_lines.size()));
        for (int n = 1; n <= count; ++n)
            checkLine(n, m_trace.at(n), m_lines[static_cast<std::size_t>(n - 1)]);
        checkGaugesBeyondCount();
        return std::move(m_findings);
    }

private:
    struct SectionLines {
        std::map<int, int> keys;   // letter -> line
        std::map<int, int> gauges; // gauge number -> line
    };

    Finding& add(int line, Severity severity, const char* code, UserText text, int window = -1,
                 int gauge = -1) {
        m_findings.push_back(makeFinding(line, severity, code, std::move(text), window, gauge));
        return m_findings.back();
    }

    bool inPanel(int w) const { return w >= 0 && w < m_panel.windowCount; }

    void checkLine(int n, const TracedLine& traced, std::string_view text) {
        switch (traced.use) {
        case LineUse::Header:
            startSection(n, traced, text);
            break;
        case LineUse::Title:
            checkTitle(n, traced, text);
            m_list = "[Window Titles]";
            break;
        case LineUse::Color:
            m_list = "[8 bit colors]";
            break;
        case LineUse::WindowKey:
            checkWindowKey(n, traced, text);
            break;
        case LineUse::Gauge:
            checkGaugeLine(n, traced, text);
            break;
        case LineUse::ViewValue:
            checkViewLine(n, traced, text);
            break;
        case LineUse::EndsList:
            checkListEnd(n, text);
            break;
        case LineUse::SkippedBeforeFile:
            if (!isBlankOrComment(text))
                add(n, Severity::Warning, "skipped-before-file",
                    quotedLine(text) + " stands before the file= line of " +
                        sectionName(traced.window) + " and is not read",
                    traced.window);
            break;
        case LineUse::IgnoredInWindow:
            checkIgnoredInWindow(n, traced, text);
            break;
        case LineUse::Preserved:
        case LineUse::Skipped:
            checkPassedOver(n, traced.use, text);
            break;
        case LineUse::Dropped:
            checkDropped(n, text);
            break;
        case LineUse::NotRead:
            checkNotRead(n, text);
            break;
        case LineUse::GeneratedHeader:
        case LineUse::Alias:
            break;
        }
    }

    void startSection(int n, const TracedLine& traced, std::string_view text) {
        m_listEndedAt = 0;
        m_list = {};
        m_section = SectionLines{};
        // The rest of a [fltsim] section without an alias is no part of the panel.
        m_inUnknownSection = startsWithIgnoringCase(text, "[fltsim]");
        if (!isWindowSlot(traced.window) || !startsWithIgnoringCase(text, "[window0"))
            return;
        const auto slot = static_cast<std::size_t>(traced.window);
        if (m_headers[slot] > 0)
            add(m_headers[slot], Severity::Warning, "window-section-twice",
                sectionName(traced.window) + " is given again on line " + std::to_string(n) +
                    ", whose lines replace this section's",
                traced.window);
        m_headers[slot] = n;
        m_lastGaugeLines[slot].clear();
    }

    void checkTitle(int n, const TracedLine& traced, std::string_view text) {
        const std::optional<std::string> key = lineKey(text);
        if (!key || key->substr(0, 6) != "window" || !isDigits(key->substr(6)))
            return;
        if (std::stoi(key->substr(6).substr(0, 3)) != traced.window)
            add(n, Severity::Warning, "title-number",
                quotedLine(text.substr(0, text.find('=') + 1)) + " gives the title of " +
                    windowName(traced.window) +
                    ": titles fill the rows in their order, whatever their number",
                traced.window);
    }

    void checkWindowKey(int n, const TracedLine& traced, std::string_view text) {
        const int w = traced.window;
        const std::string_view canonical = keyOfLetter(traced.number);
        if (const std::optional<std::string> key = lineKey(text); key && *key != canonical)
            add(n, Severity::Warning, "key-typo",
                quotedLine(text) + " is read as " + std::string(canonical) + "=", w);
        if (const auto earlier = m_section.keys.find(traced.number);
            earlier != m_section.keys.end())
            add(earlier->second, Severity::Warning, "key-twice",
                std::string(canonical) + "= is given again on line " + std::to_string(n) +
                    ", which replaces this line",
                w);
        m_section.keys[traced.number] = n;
        if (!inPanel(w))
            return;
        const std::string_view value = lineValue(text);
        if (traced.number == 'i' && !strictNumericValue(value))
            add(n, Severity::Warning, "ident-not-number",
                quotedLine(text) + " is not a number: it is read as " +
                    plainNumberText(numericValue(value)),
                w)
                .windowField = WindowField::Ident;
        if (traced.number == 'w' && numericValue(value) == 0)
            add(n, Severity::Warning, "ratio-zero",
                "windowsize_ratio is 0: FS98 shows nothing of " + windowName(w) +
                    " (COCKPIX opens it as 1, and Save writes 1)",
                w)
                .windowField = WindowField::SizeRatio;
    }

    void checkGaugeLine(int n, const TracedLine& traced, std::string_view text) {
        const int w = traced.window;
        const int g = traced.number;
        const std::optional<std::string> key = lineKey(text);
        if (key && (key->substr(0, 5) != "gauge" || key->size() != 7 || !isDigits(key->substr(5))))
            add(n, Severity::Warning, "key-typo",
                quotedLine(text.substr(0, text.find('=') + 1)) + " is read as " + gaugeName(g), w,
                g);
        if (const auto earlier = m_section.gauges.find(g); earlier != m_section.gauges.end())
            add(earlier->second, Severity::Warning, "gauge-number-twice",
                gaugeName(g) + " is given again on line " + std::to_string(n) +
                    ", which replaces this line",
                w, g);
        m_section.gauges[g] = n;
        if (isWindowSlot(w))
            m_lastGaugeLines[static_cast<std::size_t>(w)][g] = n;
        checkGaugeNumbers(n, w, g, text);
    }

    // X, Y and S as FS98 reads them: "1E+20" is 1 there, 1E+20 here.
    void checkGaugeNumbers(int n, int w, int g, std::string_view text) {
        std::size_t comma = text.find(',');
        for (const char* name : {"X", "Y", "S"}) {
            if (comma == std::string_view::npos)
                return;
            const std::size_t next = text.find(',', comma + 1);
            const std::string_view field = text.substr(comma + 1, next - comma - 1);
            comma = next;
            if (!readsOtherwiseInFs(field))
                continue;
            add(n, Severity::Error, "number-form",
                gaugeName(g) + "'s " + name + " " + quotedLine(field) +
                    " is not written as FS98 reads a number (digits, at most " +
                    std::to_string(kMaxFsDigits) + ", with at most one point; no exponent)",
                w, g);
        }
    }

    // The last gauge line of a section sets the window's gauge count: lines with a higher
    // number are neither shown nor saved.
    void checkGaugesBeyondCount() {
        for (int w = 0; w < m_panel.windowCount; ++w) {
            const std::map<int, int>& lines = m_lastGaugeLines[static_cast<std::size_t>(w)];
            int lastLine = 0;
            int lastGauge = 0;
            for (const auto& [gauge, line] : lines) {
                if (line > lastLine) {
                    lastLine = line;
                    lastGauge = gauge;
                }
            }
            for (const auto& [gauge, line] : lines) {
                if (gauge < m_panel.window(w).gaugeCount)
                    continue;
                add(line, Severity::Error, "gauge-beyond-count",
                    gaugeName(gauge) +
                        " is not one of the window's gauges: the last gauge line "
                        "of " +
                        sectionName(w) + " (" + gaugeName(lastGauge) + ", line " +
                        std::to_string(lastLine) + ") sets their count to " +
                        std::to_string(lastGauge + 1) + ", so it is neither shown nor saved",
                    w, gauge);
            }
        }
    }

    void checkViewLine(int n, const TracedLine& traced, std::string_view text) {
        m_viewEnded = traced.number == 3;
        const auto i = static_cast<std::size_t>(std::clamp(traced.number, 0, 3));
        const std::optional<std::string> key = lineKey(text);
        if (key && *key != kViewKeys[i])
            add(n, Severity::Warning, "view-line-order",
                quotedLine(text) + " is read as " + std::string(kViewShown[i]) +
                    " (the three lines after X= are read as Y, SIZE_X and SIZE_Y, in this "
                    "order)")
                .viewField = static_cast<int>(i);
    }

    void checkListEnd(int n, std::string_view text) {
        m_listEndedAt = n;
        // A string, not a view: the conditional makes a temporary string of either side.
        const std::string list = m_list.empty() ? std::string("the list") : m_list;
        if (isKnownHeader(trimmedLeft(text))) {
            // The lines of the section it would have begun are one fault with it.
            m_inUnknownSection = true;
            add(n, Severity::Error, "header-swallowed",
                quotedLine(text) + " ends the list of " + list +
                    " above it and is not read as a section (an empty line before it is "
                    "needed)");
            return;
        }
        if (const std::optional<std::string> key = lineKey(text))
            if (const std::optional<std::string> likely = likelyKey(*key))
                add(n, Severity::Warning, "key-typo",
                    quotedLine(text) + " ends the list of " + list + " and is not read: is it '" +
                        *likely + "'?");
    }

    void checkIgnoredInWindow(int n, const TracedLine& traced, std::string_view text) {
        const std::optional<std::string> key = lineKey(text);
        if (!key || isBlankOrComment(text))
            return;
        if (const std::optional<std::string> likely = likelyKey(*key)) {
            add(n, Severity::Warning, "key-typo",
                quotedLine(text) + " is not read: is it '" + *likely + "'?", traced.window);
            return;
        }
        add(n, Severity::Warning, "line-dropped",
            quotedLine(text) + " is not a key COCKPIX reads: Save leaves it out", traced.window);
    }

    // Lines kept verbatim before the first section, or passed over at the start of one.
    void checkPassedOver(int n, LineUse use, std::string_view text) {
        const bool preserved = use == LineUse::Preserved;
        const UserText what =
            preserved ? UserText(" stands before the first section and is kept as it is")
                      : UserText(" is not read");
        if (const std::optional<std::string> header = likelyHeader(text)) {
            add(n, Severity::Warning, "header-typo",
                quotedLine(text) + what + ": is it '" + *header + "'?");
            return;
        }
        const std::optional<std::string> key = lineKey(text);
        if (!key || isBlankOrComment(text))
            return;
        if (const std::optional<std::string> likely = likelyKey(*key))
            add(n, Severity::Warning, "key-typo",
                quotedLine(text) + what + ": is it '" + *likely + "'?");
    }

    void checkDropped(int n, std::string_view text) {
        if (isBlankOrComment(text))
            return;
        if (trimmedLeft(text).substr(0, 1) == "[") {
            m_inUnknownSection = true;
            if (const std::optional<std::string> header = likelyHeader(text);
                header && !isKnownHeader(trimmedLeft(text))) {
                add(n, Severity::Warning, "header-typo",
                    quotedLine(text) + " is not a section COCKPIX reads: is it '" + *header + "'?");
                return;
            }
            add(n, Severity::Warning, "section-dropped",
                quotedLine(text) +
                    (isKnownHeader(trimmedLeft(text))
                         ? UserText(" is not read after a window section, and Save leaves it out")
                         : UserText(" is a section COCKPIX does not read: Save leaves it out")));
            return;
        }
        const std::optional<std::string> key = lineKey(text);
        if (!key || m_inUnknownSection)
            return;
        if (const std::optional<std::string> likely = likelyKey(*key);
            likely && m_listEndedAt == 0) {
            add(n, Severity::Warning, "key-typo",
                quotedLine(text) + " is not read: is it '" + *likely + "'?");
            return;
        }
        const UserText where = m_listEndedAt > 0 && !m_list.empty()
                                   ? " comes after the line that ended the list of " + m_list +
                                         " (line " + std::to_string(m_listEndedAt) + ")"
                                   : UserText(" stands outside the sections COCKPIX reads");
        add(n, Severity::Warning, "line-dropped",
            quotedLine(text) + where + ": it is not read, and Save leaves it out");
    }

    void checkNotRead(int n, std::string_view text) {
        if (m_notReadReported || isBlankOrComment(text))
            return;
        if (m_viewEnded) {
            m_notReadReported = true;
            int more = 0;
            for (std::size_t i = static_cast<std::size_t>(n); i < m_lines.size(); ++i)
                more += !isBlankOrComment(m_lines[i]);
            add(n, Severity::Warning, "not-read",
                "the reader stops after the four lines of [Default View]: " + quotedLine(text) +
                    (more > 0 ? " and the " + std::to_string(more) + " lines after it are"
                              : std::string(" is")) +
                    " not read, and Save leaves them out");
            return;
        }
        if (isKnownHeader(trimmedLeft(text)))
            add(n, Severity::Warning, "not-read",
                quotedLine(text) + " is the last line of the file, which is never read");
    }

    const PanelLineTrace& m_trace;
    const Panel& m_panel;
    std::vector<std::string_view> m_lines;
    std::vector<Finding> m_findings;

    SectionLines m_section;
    std::array<int, kWindowSlots> m_headers{};
    std::array<std::map<int, int>, kWindowSlots> m_lastGaugeLines; // of the last section
    std::string m_list;    // the list being read: "[Window Titles]" or "[8 bit colors]"
    int m_listEndedAt = 0; // the line that ended that list
    bool m_inUnknownSection = false;
    bool m_viewEnded = false;
    bool m_notReadReported = false;
};

} // namespace

std::vector<Finding> checkFileLines(const PanelLineTrace& trace, const Panel& filePanel) {
    return FileLineChecker(trace, filePanel).run();
}

} // namespace cockpix::fs98

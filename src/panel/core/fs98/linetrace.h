#pragma once

// What the reader did with each line of a panel.cfg: which line gave which window key or
// gauge, which it kept verbatim, skipped, or never looked at. The reader keeps no line
// numbers in the panel itself; the panel checker needs them to name the line of every fault
// and to find the lines that a forward scan by first letters passes over without a word.

#include <string>
#include <vector>

namespace cockpix::fs98 {

enum class LineUse {
    NotRead,           // reading ended before it (also the file's last line, never examined)
    Preserved,         // kept verbatim before the first section
    Dropped,           // outside the sections the panel holds: not kept
    Header,            // a recognised section header ([Window0N]: window = N)
    GeneratedHeader,   // the writer's "/ Panel file generated" line
    Title,             // a title line of [Window Titles]; window = the slot it fills
    WindowKey,         // a key of window `window`; number = its first letter, lower case
    Gauge,             // a gauge line of window `window`; number = the gauge number read
    Color,             // an [8 bit colors] line
    ViewValue,         // [Default View]: number 0..3 for X, Y, SIZE_X, SIZE_Y
    Alias,             // the alias= line of [fltsim]
    Skipped,           // passed over inside a section before its first entry
    SkippedBeforeFile, // inside [Window0N], before its file= line (window = N)
    IgnoredInWindow,   // inside [Window0N], a line whose first letter is no key
    EndsList,          // ended the title or colour list above it: consumed, not examined
};

struct TracedLine {
    LineUse use = LineUse::NotRead;
    int window = -1;
    int number = -1;
};

// The file the reader read last (after an alias, the aliased one) and what it did with each
// of its lines.
struct PanelLineTrace {
    std::string file;
    std::string content;
    std::vector<TracedLine> lines; // lines[n] is line n (1-based); lines[0] is unused

    int lineCount() const { return lines.empty() ? 0 : static_cast<int>(lines.size()) - 1; }
    const TracedLine& at(int line) const { return lines.at(static_cast<std::size_t>(line)); }
};

} // namespace cockpix::fs98

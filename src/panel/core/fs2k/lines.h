#pragma once

// The lines of a panel.cfg of FS2000 and later, kept byte for byte: every line's text and
// its own line end (CR LF, LF, CR or none), and what it sets (a section header, a key with
// its value, a comment, a blank line or something no one can read). The bytes are held
// once, in one buffer; a line is a few numbers into it, so a file of millions of lines
// costs no allocation per line. An edit replaces, inserts or removes whole lines and leaves
// every other byte as it was read.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix::fs2k {

enum class LineKind : std::uint8_t {
    Blank,   // nothing but blanks and tabs
    Comment, // "//" or ";" first
    Header,  // "[" first: a section header, "]" or not
    Key,     // key=value
    Other,   // no "=": kept, but it sets nothing
};

// The part of a value that FS reads: up to a ";" or "//" comment (blanks before it stay).
std::string_view valueBeforeComment(std::string_view value);

class PanelLines {
public:
    // Lines start and end with these; the bytes of the file stay as they are.
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    PanelLines() = default;
    // Splits bytes (at most 4 GiB; longer text throws std::length_error) into its lines.
    explicit PanelLines(std::string bytes);

    std::size_t lineCount() const { return m_lines.size(); }
    std::string_view text(std::size_t line) const {
        return textOf(m_lines.at(line));
    }                                                 // no line end
    std::string_view lineEnd(std::size_t line) const; // "\r\n", "\n", "\r" or ""
    LineKind kind(std::size_t line) const { return m_lines.at(line).kind; }
    // Key and value of a Key line, blanks and tabs around them trimmed; the name of a
    // Header line in key() (between "[" and "]", trimmed). Empty for other lines. The value
    // is what FS reads: it stops at a ";" or "//" comment ("size_mm=847,860 ; padding" sets
    // "847,860"). (Here, so that the readers' loops over millions of lines inline them.)
    std::string_view key(std::size_t line) const {
        const Line& l = m_lines.at(line);
        return textOf(l).substr(l.keyStart, l.keyLength);
    }
    std::string_view value(std::size_t line) const {
        const Line& l = m_lines.at(line);
        return textOf(l).substr(l.valueStart, l.valueLength);
    }
    // Everything after "=" as written, comment included, blanks around it trimmed.
    std::string_view rawValue(std::size_t line) const;
    // Where the value lies inside text(line), so an edit can replace it alone (a comment
    // after it, and the blanks before that, stay).
    std::size_t valueOffset(std::size_t line) const { return m_lines.at(line).valueStart; }

    // Sections in file order: the lines from a header up to the next one. Lines before
    // the first header belong to no section (npos).
    std::size_t sectionCount() const { return m_headers.size(); }
    std::size_t sectionOf(std::size_t line) const;
    std::size_t headerLine(std::size_t section) const { return m_headers.at(section); }
    std::string_view sectionName(std::size_t section) const { return key(headerLine(section)); }
    std::size_t sectionEnd(std::size_t section) const; // one past its last line
    // The first section of that name (case ignored), or npos.
    std::size_t findSection(std::string_view name) const;
    // The first Key line of section whose key is key (case ignored), or npos.
    std::size_t findKey(std::size_t section, std::string_view key) const;
    // The section's last Key line, or its header when it has none.
    std::size_t lastKeyLine(std::size_t section) const;

    // The line end new lines get: the file's first one, CR LF for a file without any.
    std::string_view usualLineEnd() const;

    // Edits. text is one line without its line end.
    void replace(std::size_t line, std::string_view text);
    // Inserts a line after line (npos: before the first line) and returns its index. A line
    // inserted after the file's last line, which had no line end, gives that line the
    // usual one and has none itself, so the file still ends as it did.
    std::size_t insertAfter(std::size_t line, std::string_view text);
    void remove(std::size_t line);

    // The whole file: every line and its line end, in order.
    std::string bytes() const;
    // False when no line holds a byte above 127 (true may also mean a line edited away).
    bool hasHighBytes() const;

    class State;
    // What the lines are now, to come back to with restore(): an undo step keeps the states
    // before and after its edit. The bytes of every line ever held stay in this object, so a
    // state is only the table of lines (a few numbers a line), valid for this object only.
    State state() const;
    void restore(const State& state);

private:
    // 28 bytes: a file of 100 MB has some two million lines.
    struct Line {
        std::uint32_t start = 0; // in m_text, or in m_added for an edited line (each < 4 GiB)
        std::uint32_t length = 0;
        std::uint32_t keyStart = 0; // inside the line
        std::uint32_t keyLength = 0;
        std::uint32_t valueStart = 0;
        std::uint32_t valueLength = 0;
        std::uint8_t end = 0; // LineCutter::End: 0 none, 1 LF, 2 CR, 3 CR LF
        LineKind kind = LineKind::Blank;
        bool added = false;
    };

    std::string_view textOf(const Line& l) const {
        return std::string_view(l.added ? m_added : m_text).substr(l.start, l.length);
    }
    void split();
    void classify(Line& line, std::string_view text, bool first) const;
    Line addedLine(std::string_view text, std::uint8_t end, bool first);
    void shiftHeaders(std::size_t from, long delta);

    std::string m_text;  // the bytes as read
    std::string m_added; // the text of every line written by an edit
    std::vector<Line> m_lines;
    std::vector<std::size_t> m_headers; // the Header lines, in order
};

class PanelLines::State {
private:
    friend class PanelLines;
    std::vector<Line> m_lines;
    std::vector<std::size_t> m_headers;
};

// A value as MSFS's cfg files often write names and paths, "..\Base" or "01": blanks and the
// quotes around it dropped.
std::string_view unquoted(std::string_view value);

} // namespace cockpix::fs2k

#include "panel/core/fs2k/lines.h"

#include "base/core/asciicase.h"
#include "base/core/blanks.h"
#include "base/core/linecutter.h"
#include "base/core/textencoding.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace cockpix::fs2k {
namespace {

constexpr std::string_view kEnds[] = {"", "\n", "\r", "\r\n"};
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// [begin, end) of text with blanks and tabs cut off both sides.
void trim(std::string_view text, std::size_t& begin, std::size_t& end) {
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
}

// Whether one of the 8 bytes of word may be ';' or '/': those, and only '+' and '?' besides,
// become 0x3F with the bits 0x14 set. Values rarely hold any of them, so most lines are read
// past 8 bytes at a time.
bool mayHoldComment(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    const std::uint64_t marked = (word | kOnes * 0x14) ^ (kOnes * 0x3F); // 0 where one is
    return ((marked - kOnes) & ~marked & (kOnes * 0x80)) != 0;
}

// Where a ";" or "//" comment starts in [begin, end) of text, or end: FS reads a value up
// to there.
std::size_t commentStart(std::string_view text, std::size_t begin, std::size_t end) {
    for (std::size_t at = begin;;) {
        for (std::uint64_t word = 0; end - at >= 8; at += 8) {
            std::memcpy(&word, text.data() + at, 8);
            if (mayHoldComment(word))
                break;
        }
        for (const std::size_t stop = std::min(end, at + 8); at < stop; ++at) {
            if (text[at] == ';' || (text[at] == '/' && at + 1 < end && text[at + 1] == '/'))
                return at;
        }
        if (at >= end)
            return end;
    }
}

std::uint8_t endCode(std::string_view end) {
    return end == "\n" ? 1 : end == "\r" ? 2 : end == "\r\n" ? 3 : 0;
}

} // namespace

std::string_view valueBeforeComment(std::string_view value) {
    return value.substr(0, commentStart(value, 0, value.size()));
}

PanelLines::PanelLines(std::string bytes) : m_text(std::move(bytes)) {
    if (m_text.size() >= std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("a panel.cfg of 4 GiB or more");
    split();
}

void PanelLines::split() {
    m_lines.reserve(m_text.size() / 24 + 1); // the lines of panel.cfg files run 20 to 60 bytes
    LineCutter cutter(m_text);
    for (LineCutter::Line cut; cutter.next(cut);) {
        Line line;
        line.start = static_cast<std::uint32_t>(cut.start);
        line.length = static_cast<std::uint32_t>(cut.length);
        line.end = static_cast<std::uint8_t>(cut.end);
        classify(line, std::string_view(m_text).substr(cut.start, cut.length), cut.start == 0);
        if (line.kind == LineKind::Header)
            m_headers.push_back(m_lines.size());
        m_lines.push_back(line);
    }
}

void PanelLines::classify(Line& line, std::string_view text, bool first) const {
    line.keyStart = line.keyLength = line.valueStart = line.valueLength = 0;
    std::size_t begin = 0;
    // A file saved as UTF-8 by a Windows editor starts with a byte order mark, which FS
    // reads past.
    if (first && text.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        begin = kUtf8Bom.size();
    std::size_t end = text.size();
    trim(text, begin, end);
    line.kind = LineKind::Blank;
    if (begin == end)
        return;
    if (text[begin] == '[') {
        line.kind = LineKind::Header;
        std::size_t nameEnd = std::min(text.find(']', begin), end);
        std::size_t nameBegin = begin + 1;
        trim(text, nameBegin, nameEnd);
        line.keyStart = static_cast<std::uint32_t>(nameBegin);
        line.keyLength = static_cast<std::uint32_t>(nameEnd - nameBegin);
        return;
    }
    if (text[begin] == ';' || text.substr(begin, 2) == "//") {
        line.kind = LineKind::Comment;
        return;
    }
    const std::size_t equals = text.find('=', begin);
    if (equals == std::string_view::npos || equals >= end) {
        line.kind = LineKind::Other;
        return;
    }
    line.kind = LineKind::Key;
    std::size_t keyEnd = equals;
    std::size_t keyBegin = begin;
    trim(text, keyBegin, keyEnd);
    std::size_t valueBegin = equals + 1;
    std::size_t valueEnd = commentStart(text, valueBegin, end);
    const bool commented = valueEnd < end;
    trim(text, valueBegin, valueEnd);
    // No value before a comment: one typed in goes right after "=", before the blanks.
    if (commented && valueBegin == valueEnd)
        valueBegin = valueEnd = equals + 1;
    line.keyStart = static_cast<std::uint32_t>(keyBegin);
    line.keyLength = static_cast<std::uint32_t>(keyEnd - keyBegin);
    line.valueStart = static_cast<std::uint32_t>(valueBegin);
    line.valueLength = static_cast<std::uint32_t>(valueEnd - valueBegin);
}

std::string_view PanelLines::rawValue(std::size_t line) const {
    const Line& l = m_lines.at(line);
    if (l.kind != LineKind::Key)
        return {};
    const std::string_view text = textOf(l);
    std::size_t begin = l.valueStart;
    std::size_t end = text.size();
    trim(text, begin, end);
    return text.substr(begin, end - begin);
}

std::string_view PanelLines::lineEnd(std::size_t line) const {
    return kEnds[m_lines.at(line).end];
}

std::size_t PanelLines::sectionOf(std::size_t line) const {
    const auto after = std::upper_bound(m_headers.begin(), m_headers.end(), line);
    return after == m_headers.begin() ? npos
                                      : static_cast<std::size_t>(after - m_headers.begin()) - 1;
}

std::size_t PanelLines::sectionEnd(std::size_t section) const {
    return section + 1 < m_headers.size() ? m_headers[section + 1] : m_lines.size();
}

std::size_t PanelLines::findSection(std::string_view name) const {
    for (std::size_t s = 0; s < m_headers.size(); ++s) {
        if (equalsIgnoringCase(sectionName(s), name))
            return s;
    }
    return npos;
}

std::size_t PanelLines::findKey(std::size_t section, std::string_view wanted) const {
    for (std::size_t line = headerLine(section) + 1; line < sectionEnd(section); ++line) {
        if (m_lines[line].kind == LineKind::Key && equalsIgnoringCase(key(line), wanted))
            return line;
    }
    return npos;
}

std::size_t PanelLines::lastKeyLine(std::size_t section) const {
    for (std::size_t line = sectionEnd(section); line-- > headerLine(section);) {
        if (m_lines[line].kind == LineKind::Key)
            return line;
    }
    return headerLine(section);
}

std::string_view PanelLines::usualLineEnd() const {
    for (const Line& line : m_lines) {
        if (line.end != 0)
            return kEnds[line.end];
    }
    return kEnds[3];
}

PanelLines::Line PanelLines::addedLine(std::string_view text, std::uint8_t end, bool first) {
    if (m_added.size() + text.size() >= std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("edits of 4 GiB or more");
    Line line;
    line.start = static_cast<std::uint32_t>(m_added.size());
    line.length = static_cast<std::uint32_t>(text.size());
    line.end = end;
    line.added = true;
    m_added.append(text);
    classify(line, text, first);
    return line;
}

void PanelLines::shiftHeaders(std::size_t from, long delta) {
    for (std::size_t& header : m_headers) {
        if (header >= from)
            header = static_cast<std::size_t>(static_cast<long>(header) + delta);
    }
}

void PanelLines::replace(std::size_t line, std::string_view newText) {
    const bool wasHeader = m_lines.at(line).kind == LineKind::Header;
    const bool first = !m_lines[line].added && m_lines[line].start == 0;
    m_lines[line] = addedLine(newText, m_lines[line].end, first);
    const bool isHeader = m_lines[line].kind == LineKind::Header;
    if (wasHeader && !isHeader)
        m_headers.erase(std::find(m_headers.begin(), m_headers.end(), line));
    else if (!wasHeader && isHeader)
        m_headers.insert(std::upper_bound(m_headers.begin(), m_headers.end(), line), line);
}

std::size_t PanelLines::insertAfter(std::size_t line, std::string_view newText) {
    const std::size_t at = line == npos ? 0 : line + 1;
    if (at > m_lines.size())
        throw std::out_of_range("PanelLines::insertAfter");
    std::uint8_t end = endCode(usualLineEnd());
    if (at == m_lines.size() && at > 0 && m_lines[at - 1].end == 0) {
        m_lines[at - 1].end = end;
        end = 0;
    }
    const Line added = addedLine(newText, end, false);
    m_lines.insert(m_lines.begin() + static_cast<long>(at), added);
    shiftHeaders(at, 1);
    if (added.kind == LineKind::Header)
        m_headers.insert(std::upper_bound(m_headers.begin(), m_headers.end(), at), at);
    return at;
}

void PanelLines::remove(std::size_t line) {
    if (m_lines.at(line).kind == LineKind::Header)
        m_headers.erase(std::find(m_headers.begin(), m_headers.end(), line));
    // The last line going leaves the one before it last: it ends as the file did.
    if (line + 1 == m_lines.size() && line > 0 && m_lines[line].end == 0)
        m_lines[line - 1].end = 0;
    m_lines.erase(m_lines.begin() + static_cast<long>(line));
    shiftHeaders(line + 1, -1);
}

bool PanelLines::hasHighBytes() const {
    return cockpix::hasHighBytes(m_text) || cockpix::hasHighBytes(m_added);
}

std::string PanelLines::bytes() const {
    std::string out;
    out.reserve(m_text.size() + m_added.size());
    // Lines that follow each other in the bytes as read, each with its line end as read, are
    // copied as one run: after an edit of a few lines, a save is a few copies.
    std::size_t runStart = 0;
    std::size_t runEnd = 0;
    const auto copyRun = [&] {
        out.append(m_text, runStart, runEnd - runStart);
        runStart = runEnd = 0;
    };
    for (const Line& line : m_lines) {
        const std::string_view end = kEnds[line.end];
        const std::size_t textEnd = line.start + line.length;
        if (!line.added && m_text.compare(textEnd, end.size(), end) == 0) {
            if (runEnd != line.start || runEnd == runStart) {
                copyRun();
                runStart = line.start;
            }
            runEnd = textEnd + end.size();
            continue;
        }
        copyRun();
        out.append(line.added ? m_added : m_text, line.start, line.length);
        out.append(end);
    }
    copyRun();
    return out;
}

PanelLines::State PanelLines::state() const {
    State state;
    state.m_lines = m_lines;
    state.m_headers = m_headers;
    return state;
}

void PanelLines::restore(const State& state) {
    m_lines = state.m_lines;
    m_headers = state.m_headers;
}

std::string_view unquoted(std::string_view value) {
    value = trimmedBlanks(value);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = trimmedBlanks(value.substr(1, value.size() - 2));
    return value;
}

} // namespace cockpix::fs2k

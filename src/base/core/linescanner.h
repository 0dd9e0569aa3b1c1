#pragma once

// Splits text held in memory into lines the way files from Windows, old Macs and Unix all
// end them: CR LF, a lone LF or a lone CR. Lines are views into the text, without their
// line end.

#include "base/core/linecutter.h"

#include <optional>
#include <string_view>

namespace cockpix {

class LineScanner {
public:
    explicit LineScanner(std::string_view text) : m_text(text), m_cutter(text) {}

    // True once no line is left. A line end at the very end of the text does not start
    // another, empty line: after the last line has been read this is true whether or not
    // that line ended with a line break, as BASIC's EOF() is after reading a file's last
    // line.
    bool atEnd() const { return m_pos >= m_text.size(); }

    // The next line, or nullopt when none is left.
    std::optional<std::string_view> next();

    // 1-based number of the line last returned by next(); 0 before the first.
    int lineNumber() const { return m_lineNumber; }

private:
    std::string_view m_text;
    LineCutter m_cutter; // finds the line ends at the speed of a byte search
    std::size_t m_pos = 0;
    int m_lineNumber = 0;
};

} // namespace cockpix

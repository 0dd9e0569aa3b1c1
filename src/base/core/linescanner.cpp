#include "base/core/linescanner.h"

namespace cockpix {

std::optional<std::string_view> LineScanner::next() {
    if (atEnd())
        return std::nullopt;
    const std::size_t start = m_pos;
    const std::size_t end = m_text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
        m_pos = m_text.size();
    } else {
        m_pos = end + 1;
        if (m_text[end] == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
            ++m_pos;
    }
    ++m_lineNumber;
    const std::size_t length = (end == std::string_view::npos ? m_text.size() : end) - start;
    return m_text.substr(start, length);
}

} // namespace cockpix

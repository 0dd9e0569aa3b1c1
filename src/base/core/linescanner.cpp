#include "base/core/linescanner.h"

namespace cockpix {

std::optional<std::string_view> LineScanner::next() {
    if (atEnd())
        return std::nullopt;
    const std::size_t start = m_pos;
    // A plain loop: find_first_of tests every byte against the set with a call of its own.
    const char* const text = m_text.data();
    std::size_t end = start;
    while (end < m_text.size() && text[end] != '\n' && text[end] != '\r')
        ++end;
    if (end == m_text.size())
        end = std::string_view::npos;
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

#include "base/core/linecutter.h"

#include <algorithm>
#include <cstring>

namespace cockpix {

LineCutter::LineCutter(std::string_view text)
    : m_text(text), m_nextLf(nextOf(0, '\n')), m_nextCr(nextOf(0, '\r')) {}

std::size_t LineCutter::nextOf(std::size_t from, char c) const {
    if (from >= m_text.size())
        return m_text.size();
    const void* found = std::memchr(m_text.data() + from, c, m_text.size() - from);
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - m_text.data())
                 : m_text.size();
}

bool LineCutter::next(Line& line) {
    const std::size_t size = m_text.size();
    if (m_pos >= size)
        return false;
    if (m_nextLf < m_pos)
        m_nextLf = nextOf(m_pos, '\n');
    if (m_nextCr < m_pos)
        m_nextCr = nextOf(m_pos, '\r');
    const std::size_t stop = std::min(m_nextLf, m_nextCr);
    line.start = m_pos;
    line.length = stop - m_pos;
    if (stop == size)
        line.end = End::None;
    else if (m_text[stop] == '\n')
        line.end = End::Lf;
    else
        line.end = (stop + 1 < size && m_text[stop + 1] == '\n') ? End::CrLf : End::Cr;
    m_pos = stop + (line.end == End::None ? 0 : line.end == End::CrLf ? 2 : 1);
    return true;
}

} // namespace cockpix

#include "base/core/linescanner.h"

namespace cockpix {

std::optional<std::string_view> LineScanner::next() {
    LineCutter::Line line;
    if (!m_cutter.next(line))
        return std::nullopt;
    const std::size_t endLength = line.end == LineCutter::End::None   ? 0
                                  : line.end == LineCutter::End::CrLf ? 2
                                                                      : 1;
    m_pos = line.start + line.length + endLength;
    ++m_lineNumber;
    return m_text.substr(line.start, line.length);
}

} // namespace cockpix

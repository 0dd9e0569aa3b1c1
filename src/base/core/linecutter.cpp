#include "base/core/linecutter.h"

#include <algorithm>
#include <cstring>

#if __has_include(<experimental/simd>)
#include <experimental/simd>
#define COCKPIX_LINE_CUTTER_SIMD 1
#endif

namespace cockpix {
namespace {

// The first CR or LF of text from `from`, or its size. Sixteen bytes at a time where the
// library offers vectors: the lines of panel files are 20 to 60 bytes, so one pass looking
// for both bytes costs less than a library search for each.
std::size_t nextLineEnd(std::string_view text, std::size_t from) {
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t i = from;
#ifdef COCKPIX_LINE_CUTTER_SIMD
    namespace stdx = std::experimental;
    using Bytes = stdx::native_simd<signed char>;
    constexpr std::size_t width = Bytes::size();
    for (; i + width <= size; i += width) {
        const Bytes bytes(reinterpret_cast<const signed char*>(data + i), stdx::element_aligned);
        const auto ends = bytes == Bytes('\n') || bytes == Bytes('\r');
        if (stdx::any_of(ends))
            return i + static_cast<std::size_t>(stdx::find_first_set(ends));
    }
#endif
    for (; i < size; ++i) {
        if (data[i] == '\n' || data[i] == '\r')
            return i;
    }
    return size;
}

} // namespace

LineCutter::LineCutter(std::string_view text) : m_text(text) {}

bool LineCutter::next(Line& line) {
    const std::size_t size = m_text.size();
    if (m_pos >= size)
        return false;
    const std::size_t stop = nextLineEnd(m_text, m_pos);
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

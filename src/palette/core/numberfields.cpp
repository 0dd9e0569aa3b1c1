#include "palette/core/numberfields.h"

#include "base/core/numbertext.h"

#include <cmath>

namespace cockpix {
namespace {

bool isSeparator(char c) {
    return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::optional<std::string_view> NumberFields::next() {
    while (m_pos < m_text.size() && isSeparator(m_text[m_pos])) {
        if (m_text[m_pos] == '\n')
            ++m_line;
        ++m_pos;
    }
    if (m_pos >= m_text.size())
        return std::nullopt;
    const std::size_t start = m_pos;
    while (m_pos < m_text.size() && !isSeparator(m_text[m_pos]))
        ++m_pos;
    m_fieldLine = m_line;
    return m_text.substr(start, m_pos - start);
}

std::optional<std::uint64_t> NumberFields::wholeValue(std::string_view field, std::uint64_t max) {
    const std::optional<double> value = strictNumericValue(field);
    if (!value || *value < 0 || *value > static_cast<double>(max) || std::floor(*value) != *value)
        return std::nullopt;
    return static_cast<std::uint64_t>(*value);
}

} // namespace cockpix

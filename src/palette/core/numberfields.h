#pragma once

// The numbers of the palette work files and of the colour mapping table: fields separated
// by blanks, commas or line ends, as BASIC's Input # reads them.

#include <cstdint>
#include <optional>
#include <string_view>

namespace cockpix {

class NumberFields {
public:
    explicit NumberFields(std::string_view text) : m_text(text) {}

    // The next field, or nullopt at the end of the text.
    std::optional<std::string_view> next();
    // A field as a whole number 0..max; nullopt for anything else.
    static std::optional<std::uint64_t> wholeValue(std::string_view field, std::uint64_t max);
    // The line (from 1) of the field next() returned last.
    int line() const { return m_fieldLine; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
    int m_fieldLine = 1;
};

} // namespace cockpix

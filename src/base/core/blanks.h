#pragma once

// Text of panel and settings files around "=" and ",": spaces and tabs are blanks.

#include <string_view>

namespace cockpix {

inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// text without the blanks before and after it. A plain loop: the fields of gauge lines are
// a few characters, and a panel may hold a hundred thousand of them.
inline std::string_view trimmedBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

} // namespace cockpix

#pragma once

// Comparing keywords of text files whatever their case: ASCII letters only, so that the
// Windows-1252 and UTF-8 bytes of names compare as they are.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace cockpix {

inline char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

inline bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// Hash and equality of names whatever their ASCII case, for tables that are looked up with
// the names as a file writes them (no lowered copy of each).
struct CaseBlindHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        std::uint64_t hash = 14695981039346656037u; // 64-bit FNV-1a
        for (const char c : text) {
            hash ^= static_cast<unsigned char>(asciiLower(c));
            hash *= 1099511628211u;
        }
        return static_cast<std::size_t>(hash);
    }
};
struct CaseBlindEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        return equalsIgnoringCase(a, b);
    }
};

} // namespace cockpix

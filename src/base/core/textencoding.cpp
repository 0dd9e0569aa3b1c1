#include "base/core/textencoding.h"

#include "base/core/windows1252.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace cockpix {
namespace {

bool isHeld(char32_t c, TextEncoding encoding) {
    if (c == U'\0' || c == U'\n' || c == U'\r')
        return false;
    // UTF-16 halves have no UTF-8 form of their own.
    if (encoding == TextEncoding::Utf8)
        return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    return windows1252FromUnicode(c).has_value();
}

// "✈ (U+2708)"; a character that shows nothing (a control, a lone UTF-16 half) by its
// number alone.
std::string characterName(char32_t c) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(c));
    if (c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        return number;
    std::string name;
    appendUtf8(name, c);
    return name + " (" + number + ")";
}

} // namespace

std::u32string charactersNotHeld(std::u32string_view text, TextEncoding encoding) {
    std::u32string refused;
    for (const char32_t c : text) {
        if (!isHeld(c, encoding) && refused.find(c) == std::u32string::npos)
            refused += c;
    }
    return refused;
}

std::string notHeldMessage(std::u32string_view characters, TextEncoding encoding) {
    std::string names;
    for (std::size_t i = 0; i < characters.size(); ++i)
        names += (i == 0 ? "" : ", ") + characterName(characters[i]);
    return std::string("This panel's texts are ") +
           (encoding == TextEncoding::Utf8 ? "UTF-8" : "Windows-1252") + ", which has no " + names +
           ": nothing was changed.";
}

bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80         ? 1
                                   : (c >> 5) == 6  ? 2
                                   : (c >> 4) == 14 ? 3
                                   : (c >> 3) == 30 ? 4
                                                    : 0;
        if (length == 0 || i + length > text.size() || (length == 2 && c < 0xC2))
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

bool hasHighBytes(std::string_view text) {
    // Eight bytes at a time: most panel files are all ASCII, and all their bytes are looked at.
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if ((word & kHighBits) != 0)
            return true;
    }
    for (; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return true;
    }
    return false;
}

void TextEncodingDetector::feed(std::string_view line) {
    if (m_first && line.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark)
        m_byteOrderMark = true;
    m_first = false;
    if (m_invalid || !hasHighBytes(line))
        return;
    m_highBytes = true;
    m_invalid = !isUtf8(line);
}

TextEncoding TextEncodingDetector::result() const {
    // A byte that is not UTF-8 decides for Windows-1252, mark or not: every byte of it
    // stands for one character, so the texts shown come back unchanged.
    if (m_invalid)
        return TextEncoding::Windows1252;
    return m_byteOrderMark || m_highBytes ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

} // namespace cockpix

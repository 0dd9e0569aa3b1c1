#pragma once

// Panel files of FS2000 and later come as Windows-1252 bytes or, from newer tools, as UTF-8.
// A file whose bytes above 127 all form valid UTF-8 sequences (or that starts with the UTF-8
// byte order mark) is taken for UTF-8: a Windows-1252 text almost never is. Texts quoted from
// such a file are shown, and texts typed into it are written, in the file's own encoding.

#include <string>
#include <string_view>

namespace cockpix {

enum class TextEncoding { Windows1252, Utf8 };

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Appends the UTF-8 bytes of one character. (Inline: the messages of a big check convert
// every panel text through it.)
inline void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Whether text is valid UTF-8 (overlong two-byte forms rejected); an ASCII text is.
bool isUtf8(std::string_view text);

// The characters of a typed text that a panel file in this encoding cannot hold, each once,
// in the order typed: for Windows-1252 those its code page lacks; for either, NUL and the
// line ends, which would cut the panel's line in two.
std::u32string charactersNotHeld(std::u32string_view text, TextEncoding encoding);

// The refusal of such a text, in UTF-8: "This panel's texts are Windows-1252, which has no
// ✈ (U+2708), 漢 (U+6F22): nothing was changed."
std::string notHeldMessage(std::u32string_view characters, TextEncoding encoding);

// Whether text holds a byte above 127.
bool hasHighBytes(std::string_view text);

// Accumulates the evidence over the lines of a file (a UTF-8 sequence never spans a line
// end, which is ASCII): start with the first line, feed every line, read the result.
class TextEncodingDetector {
public:
    void feed(std::string_view line);
    TextEncoding result() const;

private:
    bool m_first = true;
    bool m_byteOrderMark = false;
    bool m_highBytes = false;
    bool m_invalid = false;
};

} // namespace cockpix

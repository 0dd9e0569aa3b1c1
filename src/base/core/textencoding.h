#pragma once

// Panel files of FS2000 and later come as Windows-1252 bytes or, from newer tools, as UTF-8.
// A file whose bytes above 127 all form valid UTF-8 sequences (or that starts with the UTF-8
// byte order mark) is taken for UTF-8: a Windows-1252 text almost never is. Texts quoted from
// such a file are shown, and texts typed into it are written, in the file's own encoding.

#include <string_view>

namespace cockpix {

enum class TextEncoding { Windows1252, Utf8 };

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Whether text is valid UTF-8 (overlong two-byte forms rejected); an ASCII text is.
bool isUtf8(std::string_view text);

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

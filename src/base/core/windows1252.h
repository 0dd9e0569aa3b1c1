#pragma once

// FS98 files are Windows-1252 bytes. Texts go through these two functions on their way
// between the model (bytes) and the screen (Unicode), so an edited file keeps its bytes.

#include <optional>

namespace cockpix {

// The character a byte stands for. The five bytes the code page leaves unassigned (81, 8D,
// 8F, 90, 9D) map to the control characters of the same number, as Windows maps them, so
// every byte comes back unchanged from windows1252FromUnicode.
char32_t unicodeFromWindows1252(unsigned char byte);

// The byte of a character, or nullopt when the code page has none for it.
std::optional<unsigned char> windows1252FromUnicode(char32_t character);

} // namespace cockpix

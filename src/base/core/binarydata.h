#pragma once

// Telling a text from a program or a picture chosen by mistake, and showing a text's control
// bytes without sending them raw to a terminal.

#include <string>
#include <string_view>

namespace cockpix {

// Whether bytes are no text a panel.cfg could be: a NUL byte among the first 16 (where
// every program and picture format has one, in its header), or a twentieth and more of
// control bytes in the first 64 KiB (tab, line ends, form feed and the DOS end-of-file mark
// are text). A panel.cfg with a stray line of noise is still a text, kept as it is.
bool holdsBinaryData(std::string_view bytes);

// Appends text with each control byte (and DEL) written as \xNN; a tab stays.
void appendPrintable(std::string& out, std::string_view text);

} // namespace cockpix

#pragma once

// Small pieces of text the panel checker reads lines with and words its findings with.

#include "base/core/usertext.h"

#include <optional>
#include <string>
#include <string_view>

namespace cockpix {

// The key of a key line: the text before its first "=", blanks around it removed, in
// lower case; nullopt for a line without "=".
std::optional<std::string> lineKey(std::string_view line);

// The value of a key line as the reader takes it: after the nearest "=" before the line's
// last character.
std::string_view lineValue(std::string_view line);

// Blank lines and comments ("//" or ";" first) say nothing the checker looks at.
bool isBlankOrComment(std::string_view line);

// The line as a finding quotes it: 'file=main.bmp', cut after 48 characters.
UserText quotedLine(std::string_view line);

// "window 03", "gauge07", "[Window02]"
std::string windowName(int w);
std::string gaugeName(int g);
std::string sectionName(int w);

// The number of single-character edits between two short texts (Levenshtein distance).
int editDistance(std::string_view a, std::string_view b);

// The known key that key is most likely a typo of, with digits standing for any number
// ("gauge1" for "gaugeNN"), or nullopt when none is close: up to one edit for keys of up to
// five letters, two for longer ones.
std::optional<std::string> likelyKey(const std::string& key);

// The known section header that a line starting with "[" is most likely a typo of.
std::optional<std::string> likelyHeader(std::string_view line);

} // namespace cockpix

#include "base/core/linecutter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace cockpix;

// Each line as its text and a code of its end: "text|n", "text|r", "text|rn", "text|".
std::vector<std::string> cut(std::string_view text) {
    std::vector<std::string> lines;
    LineCutter cutter(text);
    for (LineCutter::Line line; cutter.next(line);) {
        static const char* const ends[] = {"", "n", "r", "rn"};
        lines.push_back(std::string(text.substr(line.start, line.length)) + "|" +
                        ends[static_cast<int>(line.end)]);
    }
    return lines;
}

// The same cut one byte at a time, as the rule says: CR LF, LF or CR ends a line.
std::vector<std::string> cutByHand(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            lines.push_back(current + "|n");
            current.clear();
        } else if (text[i] == '\r') {
            const bool crlf = i + 1 < text.size() && text[i + 1] == '\n';
            lines.push_back(current + (crlf ? "|rn" : "|r"));
            current.clear();
            i += crlf ? 1 : 0;
        } else {
            current += text[i];
        }
    }
    if (!current.empty())
        lines.push_back(current + "|");
    return lines;
}

TEST(LineCutter, CutsAtEveryKindOfLineEnd) {
    EXPECT_EQ(cut(""), std::vector<std::string>{});
    EXPECT_EQ(cut("a\r\nb\nc\rd"), (std::vector<std::string>{"a|rn", "b|n", "c|r", "d|"}));
    EXPECT_EQ(cut("\r\r\n\n"), (std::vector<std::string>{"|r", "|rn", "|n"}));
    // A CR LF split across the sixteen-byte steps of the search, and a line longer than many.
    const std::string fifteen = "123456789012345";
    const std::string hundred(100, 'y');
    std::vector<std::string> expected{fifteen, hundred};
    expected[0].append("|rn");
    expected[1].append("|r");
    EXPECT_EQ(cut(fifteen + "\r\n" + hundred + "\r"), expected);
}

// Texts of line ends, tabs, NUL and bytes above 127 at every offset: the cutter agrees with
// the rule byte for byte. Replay one seed by putting it alone in the list.
TEST(LineCutter, AgreesWithTheRuleOnRandomTexts) {
    const char alphabet[] = {'a', '\n', '\r', '\t', '\0', '\x80', '\xFF', ' ', 'z'};
    for (const unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 10u, 11u, 12u}) {
        std::mt19937 random(seed);
        std::string text;
        // Dense and sparse line ends, in texts shorter and much longer than a search step.
        const std::size_t length = random() % (seed % 2 ? 300 : 2000);
        const unsigned oneIn = seed % 3 == 0 ? 40 : 4;
        for (std::size_t i = 0; i < length; ++i)
            text += random() % oneIn == 0 ? alphabet[random() % sizeof alphabet] : 'a';
        EXPECT_EQ(cut(text), cutByHand(text)) << "seed " << seed;
    }
}

TEST(LineCutter, ALineEndOnTheEdgeOfASearchStep) {
    for (const std::size_t at : {62u, 63u, 64u, 65u, 127u, 128u}) {
        for (const std::string end : {"\r\n", "\r", "\n", "\r\r\n"}) {
            const std::string text = std::string(at, 'x') + end + std::string(70, 'y') + end;
            EXPECT_EQ(cut(text), cutByHand(text)) << at << " " << end.size();
        }
    }
}

} // namespace

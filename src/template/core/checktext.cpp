#include "template/core/checktext.h"

#include "base/core/blanks.h"
#include "base/core/filelookup.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace cockpix {
namespace {

std::string twoDigits(int n) {
    return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n);
}

// Digits anywhere in a key stand for the number of a window or gauge.
std::string withNumbersAsN(std::string_view key) {
    std::string result;
    bool inNumber = false;
    for (const char c : key) {
        const bool digit = c >= '0' && c <= '9';
        if (digit && !inNumber)
            result += "NN";
        else if (!digit)
            result += c;
        inNumber = digit;
    }
    return result;
}

// The keys and headers of a panel.cfg, as the checker suggests them.
struct Known {
    std::string_view pattern; // compared with, numbers as NN
    std::string_view shown;   // suggested
};
constexpr std::array kKnownKeys = {
    Known{"file", "file="},
    Known{"size_mm", "size_mm="},
    Known{"windowsize_ratio", "windowsize_ratio="},
    Known{"position", "position="},
    Known{"visible", "visible="},
    Known{"ident", "ident="},
    Known{"gaugeNN", "gaugeNN="},
    Known{"windowNN", "windowNN="},
    Known{"alias", "alias="},
    Known{"size_x", "SIZE_X="},
    Known{"size_y", "SIZE_Y="},
};
constexpr std::array kKnownHeaders = {
    Known{"[window titles]", "[Window Titles]"},
    Known{"[windowNN]", "[Window0N]"},
    Known{"[NN bit colors]", "[8 bit colors]"},
    Known{"[default view]", "[Default View]"},
    Known{"[fltsim]", "[fltsim]"},
};

template <std::size_t N>
std::optional<std::string> closest(const std::string& text, const std::array<Known, N>& known) {
    const std::string pattern = withNumbersAsN(text);
    int best = 1000;
    std::optional<std::string> found;
    for (const Known& candidate : known) {
        const int allowed = candidate.pattern.size() <= 5 ? 1 : 2;
        // No fewer edits than the lengths differ: most candidates need no counting.
        const std::size_t longer = std::max(pattern.size(), candidate.pattern.size());
        const std::size_t shorter = std::min(pattern.size(), candidate.pattern.size());
        if (longer - shorter > static_cast<std::size_t>(allowed))
            continue;
        const int distance = editDistance(pattern, candidate.pattern);
        if (distance <= allowed && distance < best) {
            best = distance;
            found = std::string(candidate.shown);
        }
    }
    return found;
}

} // namespace

std::optional<std::string> lineKey(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return asciiLowered(trimmedBlanks(line.substr(0, equals)));
}

std::string_view lineValue(std::string_view line) {
    if (line.size() < 2)
        return {};
    const std::size_t equals = line.rfind('=', line.size() - 2);
    return equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
}

bool isBlankOrComment(std::string_view line) {
    const std::string_view text = trimmedBlanks(line);
    return text.empty() || text.substr(0, 2) == "//" || text.front() == ';';
}

UserText quotedLine(std::string_view line) {
    constexpr std::size_t kShown = 48;
    const std::string_view text = trimmedBlanks(line);
    UserText quoted = UserText("'") + UserText::panelText(text.substr(0, kShown));
    return quoted + (text.size() > kShown ? "...'" : "'");
}

std::string windowName(int w) {
    return "window " + twoDigits(w);
}

std::string gaugeName(int g) {
    return "gauge" + twoDigits(g);
}

std::string sectionName(int w) {
    return "[Window" + twoDigits(w) + "]";
}

int editDistance(std::string_view a, std::string_view b) {
    std::vector<int> previous(b.size() + 1);
    std::vector<int> current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        previous[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const int substitute = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitute});
        }
        std::swap(previous, current);
    }
    return previous[b.size()];
}

std::optional<std::string> likelyKey(const std::string& key) {
    if (key.size() < 3 || key.size() > 40)
        return std::nullopt;
    return closest(key, kKnownKeys);
}

std::optional<std::string> likelyHeader(std::string_view line) {
    const std::string_view text = trimmedBlanks(line);
    const std::size_t close = text.find(']');
    if (text.empty() || text.front() != '[' || close == std::string_view::npos || close > 40)
        return std::nullopt;
    return closest(asciiLowered(text.substr(0, close + 1)), kKnownHeaders);
}

} // namespace cockpix

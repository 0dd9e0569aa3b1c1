#include "jsonwriter.h"

#include "base/core/windows1252.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace cockpix::cli {
namespace {

// A line break after a comma, then blanks enough for the indentation of 32 levels: each
// value starts with a piece cut from it.
constexpr std::string_view kBreak = ",\n                                                    "
                                    "            ";

// A byte that stands for itself inside a JSON string: printable ASCII but the quote and the
// backslash. Texts of panels are nearly all such bytes, copied in runs.
constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c)
        plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    return plain;
}();

bool isPlain(char byte) {
    return kPlain[static_cast<unsigned char>(byte)];
}

std::size_t plainRun(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && isPlain(text[end]))
        ++end;
    return end - from;
}

// The digits to_chars gives an integral value below 10^15: the integer itself, unless the
// exponent form (1e+05 for 100000) is shorter; a tie goes to the integer. Empty when the
// exponent form is the one.
std::string_view integerText(double number, char (&buffer)[24]) {
    const auto magnitude = static_cast<std::uint64_t>(std::fabs(number));
    char* start = buffer + 1;
    char* const end = std::to_chars(start, buffer + sizeof buffer, magnitude).ptr;
    const auto digits = static_cast<std::size_t>(end - start);
    std::size_t significant = digits;
    while (significant > 1 && start[significant - 1] == '0')
        --significant;
    const std::size_t exponentForm = significant + (significant > 1 ? 1 : 0) + 4; // "e+NN"
    if (digits > exponentForm)
        return {};
    if (number < 0)
        *--start = '-';
    return std::string_view(start, static_cast<std::size_t>(end - start));
}

} // namespace

std::string JsonWriter::numberText(double number) {
    if (!std::isfinite(number))
        return "null";
    if (number == 0)
        return "0"; // also for -0
    char buffer[64];
    // Gauge coordinates and line numbers are whole numbers: printed without the general
    // shortest-digits search, with the same result.
    if (std::fabs(number) < 1e15 && number == std::trunc(number)) {
        char digits[24];
        if (const std::string_view text = integerText(number, digits); !text.empty())
            return std::string(text);
    }
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

void JsonWriter::appendEscaped(char32_t c) {
    switch (c) {
    case '"':
        put("\\\"");
        return;
    case '\\':
        put("\\\\");
        return;
    case '\n':
        put("\\n");
        return;
    case '\r':
        put("\\r");
        return;
    case '\t':
        put("\\t");
        return;
    default:
        break;
    }
    // The C0 controls must be escaped; the C1 ones (from the five unassigned bytes) are
    // escaped too so that the output stays readable in a terminal.
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
        static constexpr char kHex[] = "0123456789abcdef";
        put("\\u00");
        put(kHex[(c >> 4) & 0xF]);
        put(kHex[c & 0xF]);
    } else if (c < 0x80) {
        put(static_cast<char>(c));
    } else if (c < 0x800) {
        put(static_cast<char>(0xC0 | (c >> 6)));
        put(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        put(static_cast<char>(0xE0 | (c >> 12)));
        put(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        put(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

void JsonWriter::appendLiteral(std::string_view text) {
    put('"');
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t run = plainRun(text, i); run > 0) {
            put(text.substr(i, run));
            i += run;
            continue;
        }
        appendEscaped(unicodeFromWindows1252(static_cast<unsigned char>(text[i++])));
    }
    put('"');
}

std::string JsonWriter::stringLiteral(std::string_view windows1252Text) {
    JsonWriter literal;
    literal.appendLiteral(windows1252Text);
    return std::string(literal.text());
}

void JsonWriter::utf8Value(std::string_view utf8Text) {
    beforeValue();
    put('"');
    for (std::size_t i = 0; i < utf8Text.size();) {
        std::size_t end = i;
        while (end < utf8Text.size() &&
               (isPlain(utf8Text[end]) || static_cast<unsigned char>(utf8Text[end]) >= 0x80))
            ++end;
        if (end > i) {
            put(utf8Text.substr(i, end - i));
            i = end;
            continue;
        }
        appendEscaped(static_cast<unsigned char>(utf8Text[i++]));
    }
    put('"');
}

void JsonWriter::grow(std::size_t n) {
    m_text.resize(std::max(2 * m_text.size(), m_used + n + 4096));
}

void JsonWriter::flushBlock() {
    if (std::fwrite(m_text.data(), 1, m_used, m_sink) != m_used)
        m_sinkFailed = true;
    m_used = 0;
}

void JsonWriter::startPart(JsonWriter& part, bool afterSibling) const {
    part.m_used = 0;
    part.m_levels = m_levels;
    if (!part.m_levels.empty())
        part.m_levels.back().empty = !afterSibling;
    part.m_afterKey = false;
    part.m_sink = nullptr;
}

void JsonWriter::appendPart(const JsonWriter& part) {
    if (part.m_used == 0)
        return;
    if (m_sink) {
        // Whole, after what this writer holds: a part is one window of a big panel.
        flushBlock();
        if (std::fwrite(part.m_text.data(), 1, part.m_used, m_sink) != part.m_used)
            m_sinkFailed = true;
    } else {
        put(part.text());
    }
    if (!m_levels.empty())
        m_levels.back().empty = false;
}

bool JsonWriter::finish() {
    if (m_sink == nullptr)
        return true;
    flushBlock();
    return std::fflush(m_sink) == 0 && !m_sinkFailed && std::ferror(m_sink) == 0;
}

void JsonWriter::newLine(bool afterComma) {
    const std::size_t blanks = 2 * m_levels.size();
    if (blanks + 2 <= kBreak.size()) {
        // The whole piece is copied, a copy of fixed size being a few moves, and only the
        // part wanted is kept.
        constexpr std::size_t kPiece = kBreak.size() - 1;
        std::memcpy(room(kPiece), kBreak.data() + (afterComma ? 0 : 1), kPiece);
        m_used += blanks + (afterComma ? 2 : 1);
        return;
    }
    put(kBreak.substr(afterComma ? 0 : 1, afterComma ? 2 : 1));
    std::fill_n(room(blanks), blanks, ' ');
    m_used += blanks;
}

void JsonWriter::beforeValue() {
    // Written out in blocks of about this size, between two values.
    constexpr std::size_t kBlock = 1 << 16;
    if (m_sink && m_used >= kBlock)
        flushBlock();
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty())
        return;
    const bool afterComma = !m_levels.back().empty;
    m_levels.back().empty = false;
    newLine(afterComma);
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    appendLiteral(name);
    put(": ");
    m_afterKey = true;
}

void JsonWriter::open(char bracket) {
    beforeValue();
    put(bracket);
    m_levels.push_back({bracket == '{', true});
}

void JsonWriter::close(char bracket) {
    const bool wasEmpty = m_levels.empty() || m_levels.back().empty;
    if (!m_levels.empty())
        m_levels.pop_back();
    if (!wasEmpty)
        newLine(false);
    put(bracket);
    if (m_levels.empty())
        put('\n');
}

void JsonWriter::beginObject() {
    open('{');
}
void JsonWriter::endObject() {
    close('}');
}
void JsonWriter::beginArray() {
    open('[');
}
void JsonWriter::endArray() {
    close(']');
}

void JsonWriter::value(std::string_view windows1252Text) {
    beforeValue();
    appendLiteral(windows1252Text);
}

void JsonWriter::value(double number) {
    beforeValue();
    if (number != 0 && std::fabs(number) < 1e15 && number == std::trunc(number)) {
        char digits[24];
        if (const std::string_view text = integerText(number, digits); !text.empty()) {
            put(text);
            return;
        }
    }
    put(numberText(number));
}

} // namespace cockpix::cli

#include "jsonwriter.h"

#include "base/core/windows1252.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace cockpix::cli {
namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendEscaped(std::string& out, char32_t c) {
    switch (c) {
    case '"':
        out += "\\\"";
        return;
    case '\\':
        out += "\\\\";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default:
        break;
    }
    // The C0 controls must be escaped; the C1 ones (from the five unassigned bytes) are
    // escaped too so that the output stays readable in a terminal.
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
        static constexpr char kHex[] = "0123456789abcdef";
        out += "\\u00";
        out += kHex[(c >> 4) & 0xF];
        out += kHex[c & 0xF];
        return;
    }
    appendUtf8(out, c);
}

// A byte that stands for itself inside a JSON string: printable ASCII but the quote and the
// backslash. Texts of panels are nearly all such bytes, copied in runs.
bool isPlain(char byte) {
    const auto c = static_cast<unsigned char>(byte);
    return c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
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

namespace {

void appendWindows1252Literal(std::string& out, std::string_view text) {
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t run = plainRun(text, i); run > 0) {
            out.append(text.substr(i, run));
            i += run;
            continue;
        }
        appendEscaped(out, unicodeFromWindows1252(static_cast<unsigned char>(text[i++])));
    }
    out += '"';
}

} // namespace

std::string JsonWriter::stringLiteral(std::string_view windows1252Text) {
    std::string out;
    appendWindows1252Literal(out, windows1252Text);
    return out;
}

void JsonWriter::appendLiteral(std::string_view windows1252Text) {
    appendWindows1252Literal(m_text, windows1252Text);
}

void JsonWriter::utf8Value(std::string_view utf8Text) {
    beforeValue();
    m_text += '"';
    for (std::size_t i = 0; i < utf8Text.size();) {
        std::size_t end = i;
        while (end < utf8Text.size() &&
               (isPlain(utf8Text[end]) || static_cast<unsigned char>(utf8Text[end]) >= 0x80))
            ++end;
        if (end > i) {
            m_text.append(utf8Text.substr(i, end - i));
            i = end;
            continue;
        }
        appendEscaped(m_text, static_cast<unsigned char>(utf8Text[i++]));
    }
    m_text += '"';
}

void JsonWriter::flushBlock() {
    if (std::fwrite(m_text.data(), 1, m_text.size(), m_sink) != m_text.size())
        m_sinkFailed = true;
    m_text.clear();
}

bool JsonWriter::finish() {
    if (m_sink == nullptr)
        return true;
    flushBlock();
    return std::fflush(m_sink) == 0 && !m_sinkFailed && std::ferror(m_sink) == 0;
}

void JsonWriter::newLine() {
    m_text += '\n';
    m_text.append(2 * m_levels.size(), ' ');
}

void JsonWriter::beforeValue() {
    // Written out in blocks of about this size, between two values.
    constexpr std::size_t kBlock = 1 << 20;
    if (m_sink && m_text.size() >= kBlock)
        flushBlock();
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty())
        return;
    if (!m_levels.back().empty)
        m_text += ',';
    m_levels.back().empty = false;
    newLine();
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    appendLiteral(name);
    m_text += ": ";
    m_afterKey = true;
}

void JsonWriter::open(char bracket) {
    beforeValue();
    m_text += bracket;
    m_levels.push_back({bracket == '{', true});
}

void JsonWriter::close(char bracket) {
    const bool wasEmpty = m_levels.empty() || m_levels.back().empty;
    if (!m_levels.empty())
        m_levels.pop_back();
    if (!wasEmpty)
        newLine();
    m_text += bracket;
    if (m_levels.empty())
        m_text += '\n';
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
            m_text.append(text);
            return;
        }
    }
    m_text += numberText(number);
}

} // namespace cockpix::cli

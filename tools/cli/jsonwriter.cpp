#include "jsonwriter.h"

#include "base/core/windows1252.h"

#include <charconv>
#include <cmath>

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

} // namespace

std::string JsonWriter::numberText(double number) {
    if (!std::isfinite(number))
        return "null";
    if (number == 0)
        return "0"; // also for -0
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

std::string JsonWriter::stringLiteral(std::string_view windows1252Text) {
    std::string out = "\"";
    for (const char byte : windows1252Text)
        appendEscaped(out, unicodeFromWindows1252(static_cast<unsigned char>(byte)));
    return out + "\"";
}

void JsonWriter::utf8Value(std::string_view utf8Text) {
    beforeValue();
    m_text += '"';
    for (const char byte : utf8Text) {
        const auto c = static_cast<unsigned char>(byte);
        if (c < 0x80)
            appendEscaped(m_text, c);
        else
            m_text += byte;
    }
    m_text += '"';
}

void JsonWriter::newLine() {
    m_text += '\n';
    m_text.append(2 * m_levels.size(), ' ');
}

void JsonWriter::beforeValue() {
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
    m_text += stringLiteral(name) + ": ";
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
    m_text += stringLiteral(windows1252Text);
}

void JsonWriter::value(double number) {
    beforeValue();
    m_text += numberText(number);
}

} // namespace cockpix::cli

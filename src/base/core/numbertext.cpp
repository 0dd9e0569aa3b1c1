#include "base/core/numbertext.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace cockpix {
namespace {

bool isIgnoredBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Walks a text skipping the blanks that the numeric conversion ignores.
class BlankSkippingCursor {
public:
    explicit BlankSkippingCursor(std::string_view text) : m_text(text) { skip(); }
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    void next() {
        ++m_pos;
        skip();
    }
    std::size_t position() const { return m_pos; }

private:
    void skip() {
        while (m_pos < m_text.size() && isIgnoredBlank(m_text[m_pos]))
            ++m_pos;
    }
    std::string_view m_text;
    std::size_t m_pos = 0;
};

double saturate(double value) {
    constexpr double kMax = std::numeric_limits<double>::max();
    if (std::isnan(value))
        return 0;
    return value > kMax ? kMax : (value < -kMax ? -kMax : value);
}

double radixValue(BlankSkippingCursor& cursor, int radix) {
    double value = 0;
    for (; !cursor.atEnd(); cursor.next()) {
        const char c = lower(cursor.peek());
        int digit = -1;
        if (isDigit(c))
            digit = c - '0';
        else if (radix == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0 || digit >= radix)
            break;
        value = value * radix + digit;
    }
    return saturate(value);
}

struct ParsedNumber {
    double value = 0;
    bool hasDigits = false;
    std::size_t end = 0; // position in the text after the last character used
};

ParsedNumber parseLeadingNumber(std::string_view text) {
    BlankSkippingCursor cursor(text);
    ParsedNumber result;
    if (cursor.peek() == '&') {
        cursor.next();
        const char kind = lower(cursor.peek());
        if (kind != 'h' && kind != 'o')
            return result;
        cursor.next();
        const std::size_t before = cursor.position();
        result.value = radixValue(cursor, kind == 'h' ? 16 : 8);
        result.hasDigits = cursor.position() != before;
        result.end = cursor.position();
        return result;
    }

    // Collect the number without its blanks, then convert it in one go.
    std::string token;
    bool negative = false;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        negative = cursor.peek() == '-';
        cursor.next();
    }
    bool seenPoint = false;
    for (; !cursor.atEnd(); cursor.next()) {
        const char c = cursor.peek();
        if (isDigit(c)) {
            token += c;
            result.hasDigits = true;
        } else if (c == '.' && !seenPoint) {
            token += c;
            seenPoint = true;
        } else {
            break;
        }
    }
    result.end = cursor.position();
    if (!result.hasDigits)
        return result;

    const char marker = lower(cursor.peek());
    if (marker == 'e' || marker == 'd') {
        BlankSkippingCursor exponent = cursor;
        exponent.next();
        std::string exponentText = "e";
        if (exponent.peek() == '+' || exponent.peek() == '-') {
            exponentText += exponent.peek();
            exponent.next();
        }
        bool exponentDigits = false;
        for (; isDigit(exponent.peek()); exponent.next()) {
            exponentText += exponent.peek();
            exponentDigits = true;
        }
        if (exponentDigits) {
            token += exponentText;
            result.end = exponent.position();
        }
    }

    double value = 0;
    const auto [ptr, ec] = std::from_chars(token.data(), token.data() + token.size(), value,
                                           std::chars_format::general);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone: tell overflow from underflow by the exponent.
        const auto e = token.find('e');
        const bool tiny = e != std::string::npos && token.find('-', e) != std::string::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::max();
    }
    result.value = saturate(negative ? -value : value);
    return result;
}

} // namespace

double numericValue(std::string_view text) {
    return parseLeadingNumber(text).value;
}

std::optional<double> strictNumericValue(std::string_view text) {
    const ParsedNumber parsed = parseLeadingNumber(text);
    if (!parsed.hasDigits || parsed.end != text.size())
        return std::nullopt;
    return parsed.value;
}

std::string plainNumberText(double value) {
    if (!std::isfinite(value))
        value = saturate(value);
    if (value == 0)
        return "0";

    // Round to 15 significant digits first; the exponent decides fixed or E notation.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    std::string_view scientific(buffer);
    const auto ePos = scientific.find('e');
    int exponent = 0;
    std::from_chars(scientific.data() + ePos + 1 + (scientific[ePos + 1] == '+'),
                    scientific.data() + scientific.size(), exponent);
    const bool negative = value < 0;
    std::string digits;
    for (char c : scientific.substr(0, ePos))
        if (isDigit(c))
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -15) {
        out += digits[0];
        if (digits.size() > 1)
            out += "." + digits.substr(1);
        char exponentText[16];
        std::snprintf(exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+',
                      exponent < 0 ? -exponent : exponent);
        return out + exponentText;
    }
    if (exponent < 0)
        return out + "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= wholeDigits)
        return out + digits + std::string(wholeDigits - digits.size(), '0');
    return out + digits.substr(0, wholeDigits) + "." + digits.substr(wholeDigits);
}

std::string paddedNumberText(double value) {
    std::string plain = plainNumberText(value);
    return plain.front() == '-' ? plain : " " + plain;
}

double roundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5)
        return below + 1;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

double truncateTowardZero(double value) {
    return std::trunc(value);
}

double wholePartFloor(double value) {
    return std::floor(value);
}

int clampToInt(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

} // namespace cockpix

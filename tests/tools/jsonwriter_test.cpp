// The command-line tool's JSON writer: its quick ways with whole numbers, plain text runs and
// output in blocks give exactly the text of the plain ways.

#include "cli/jsonwriter.h"

#include "base/core/windows1252.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using cockpix::cli::JsonWriter;

// Numbers as JSON wants them, by the general rule: the shortest text that reads back.
std::string plainNumber(double number) {
    if (!std::isfinite(number))
        return "null";
    if (number == 0)
        return "0";
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, number).ptr);
}

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

// One character at a time, as JSON defines the escapes.
std::string plainLiteral(std::string_view windows1252Text) {
    std::string out = "\"";
    for (const char byte : windows1252Text) {
        const char32_t c = cockpix::unicodeFromWindows1252(static_cast<unsigned char>(byte));
        const char* named = c == '"'    ? "\\\""
                            : c == '\\' ? "\\\\"
                            : c == '\n' ? "\\n"
                            : c == '\r' ? "\\r"
                            : c == '\t' ? "\\t"
                                        : nullptr;
        if (named) {
            out += named;
        } else if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\u%04x", static_cast<unsigned>(c));
            out += hex;
        } else {
            appendUtf8(out, c);
        }
    }
    return out + "\"";
}

std::vector<double> trickyNumbers() {
    // clang-format off
    std::vector<double> numbers = {
        1, -1, 7, 9999, 10000, -10000, 12345, 100000, 120000, 1200000, 1000000, 1234567, 1e7, 1e14,
        1e15, 99999999999999, 999999999999999, -1e14, 0.5, -2.25, 1e300, -0.0, 1e-7, 3e10, 30001,
        50000000, 123456789, 4503599627370497.0};
    // clang-format on
    // Whole numbers of every length and with every count of trailing zeros, and random ones.
    for (double p = 1; p < 1e16; p *= 10) {
        for (double d : {1.0, 2.0, 12.0, 105.0, 1001.0, 123456.0})
            numbers.push_back(d * p);
    }
    std::mt19937_64 random(17);
    for (int i = 0; i < 2000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 15);
        numbers.push_back(
            static_cast<double>(random() % static_cast<std::uint64_t>(std::pow(10.0, digits))) *
            (i % 2 ? 1 : -1));
    }
    return numbers;
}

TEST(CliJsonWriter, WritesNumbersAsTheGeneralRuleDoes) {
    for (const double number : trickyNumbers()) {
        EXPECT_EQ(JsonWriter::numberText(number), plainNumber(number)) << number;
        JsonWriter json;
        json.value(number);
        EXPECT_EQ(json.text(), plainNumber(number)) << number;
    }
    EXPECT_EQ(JsonWriter::numberText(100000), "1e+05");
    EXPECT_EQ(JsonWriter::numberText(1200000), "1200000");
    EXPECT_EQ(JsonWriter::numberText(std::nan("")), "null");
}

TEST(CliJsonWriter, EscapesEveryByteAsOneCharacterAtATime) {
    std::string everyByte;
    for (int c = 0; c < 256; ++c) {
        const std::string one(1, static_cast<char>(c));
        EXPECT_EQ(JsonWriter::stringLiteral(one), plainLiteral(one)) << c;
        everyByte += one;
    }
    EXPECT_EQ(JsonWriter::stringLiteral(everyByte), plainLiteral(everyByte));
    for (std::string_view text : {"", "plain", "Caf\xE9 \"x\" \\ y\tz", "\x01start", "end\x7F",
                                  "a\x81"
                                  "b\x9D"
                                  "c\x80"})
        EXPECT_EQ(JsonWriter::stringLiteral(text), plainLiteral(text)) << text;
    // UTF-8 texts keep their bytes above 127 as they are; the ASCII ones are escaped alike.
    JsonWriter json;
    json.utf8Value("Caf\xC3\xA9 \"\x01\x7F\\");
    EXPECT_EQ(json.text(), "\"Caf\xC3\xA9 \\\"\\u0001\\u007f\\\\\"");
}

// A document of a few MB, as the dump of a big panel: keys, texts and numbers in arrays.
void writeDocument(JsonWriter& json) {
    json.beginObject();
    json.field("format", "test");
    json.key("gauges");
    json.beginArray();
    for (int g = 0; g < 40000; ++g) {
        json.beginObject();
        json.field("name", "Module!Gauge \xE9 number " + std::to_string(g));
        json.field("x", g * 3);
        json.field("width", g / 7.0);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

TEST(CliJsonWriter, WritesToAFileInBlocksTheTextItWouldHold) {
    JsonWriter held;
    writeDocument(held);
    ASSERT_GT(held.text().size(), 3u << 20);

    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    JsonWriter streamed(file);
    writeDocument(streamed);
    EXPECT_LT(streamed.text().size(), 2u << 20); // written out on the way
    EXPECT_TRUE(streamed.finish());
    std::rewind(file);
    std::string written(held.text().size() + 1, '\0');
    written.resize(std::fread(written.data(), 1, written.size(), file));
    std::fclose(file);
    EXPECT_EQ(written, held.text());

    // A full disk is reported, not taken for success.
    if (std::FILE* full = std::fopen("/dev/full", "w")) {
        JsonWriter failing(full);
        writeDocument(failing);
        EXPECT_FALSE(failing.finish());
        std::fclose(full);
    }
}

} // namespace

#pragma once

// A small JSON writer for the command-line tool: objects, arrays, numbers and texts,
// indented two blanks per level. Texts are the model's Windows-1252 bytes and come out as
// UTF-8. A writer given a file writes its text out in blocks as it goes: the dump of a big
// panel is several times the size of the panel, and need never be held whole.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix::cli {

class JsonWriter {
public:
    JsonWriter() = default;
    // Writes to sink instead of keeping the text; finish() writes the rest.
    explicit JsonWriter(std::FILE* sink) : m_sink(sink) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The name of the next member of the current object.
    void key(std::string_view name);
    void value(std::string_view windows1252Text);
    void value(const char* windows1252Text) { value(std::string_view(windows1252Text)); }
    // A text that is UTF-8 already (a message built of several pieces).
    void utf8Value(std::string_view utf8Text);
    void value(double number);
    void value(int number) { value(static_cast<double>(number)); }
    // A key and its value, the common case of an object member.
    template <typename T> void field(std::string_view name, const T& member) {
        key(name);
        value(member);
    }

    // Makes part a writer for one value of the current array written apart (on another
    // thread) and added in its place by appendPart: empty, at this writer's depth, after a
    // sibling value when afterSibling. It keeps its text, in the room it had.
    void startPart(JsonWriter& part, bool afterSibling) const;
    // Adds what part wrote, as if it had been written here.
    void appendPart(const JsonWriter& part);

    // The document so far, ending with a line break once the outermost value is closed
    // (with a sink: the part not written out yet).
    std::string_view text() const { return std::string_view(m_text.data(), m_used); }
    // Writes what is left to the sink and flushes it; false when the sink failed at any time.
    bool finish();

    // A JSON number for a double: the shortest text that reads back as the same value;
    // null for the infinities and NaN, which JSON cannot hold.
    static std::string numberText(double number);
    // A JSON string literal, quotes included, for Windows-1252 bytes.
    static std::string stringLiteral(std::string_view windows1252Text);

private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);
    void newLine(bool afterComma);
    void appendLiteral(std::string_view windows1252Text);
    void appendEscaped(char32_t c);
    void flushBlock();

    // Room for n more bytes at the end of the text: a dump writes hundreds of millions of
    // bytes a few at a time, each straight into the buffer.
    char* room(std::size_t n) {
        if (m_text.size() - m_used < n)
            grow(n);
        return m_text.data() + m_used;
    }
    void grow(std::size_t n);
    void put(char c) {
        *room(1) = c;
        ++m_used;
    }
    void put(std::string_view bytes) {
        bytes.copy(room(bytes.size()), bytes.size());
        m_used += bytes.size();
    }

    struct Level {
        bool isObject = false;
        bool empty = true;
    };
    std::string m_text; // the buffer: its first m_used bytes are the text
    std::size_t m_used = 0;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
    std::FILE* m_sink = nullptr;
    bool m_sinkFailed = false;
};

} // namespace cockpix::cli

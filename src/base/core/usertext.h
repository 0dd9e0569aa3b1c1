#pragma once

// A text for the user built from pieces of different origins. FS98 texts (gauge names,
// bitmap names, titles) are Windows-1252 bytes; paths come from the file system, whose bytes
// follow the system's encoding; the program's own words are UTF-8. A message that quotes a
// directory and a gauge name holds both, so each piece keeps its origin and is converted by
// what it is, in one place (toUtf8 here, toQString on the GUI side).

#include "base/core/textencoding.h"

#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

class UserText {
public:
    enum class Kind {
        Plain,     // the program's own text, UTF-8
        Path,      // bytes of a file system path
        PanelText, // Windows-1252 bytes from an FS98 file (ASCII ones are kept as Plain)
    };
    struct Piece {
        Kind kind = Kind::Plain;
        std::string_view bytes;
    };

    UserText() = default;
    UserText(const char* plain) : m_bytes(plain) {}
    UserText(std::string_view plain) : m_bytes(plain) {}
    UserText(const std::string& plain) : m_bytes(plain) {}
    UserText(std::string&& plain) : m_bytes(std::move(plain)) {}

    static UserText path(std::string_view bytes) { return UserText().append(Kind::Path, bytes); }
    static UserText panelText(std::string_view bytes) {
        return UserText().append(Kind::PanelText, bytes);
    }
    // A text of a panel file in the file's encoding: a UTF-8 file's texts are UTF-8 already.
    static UserText panelText(std::string_view bytes, TextEncoding encoding) {
        return UserText().append(encoding == TextEncoding::Utf8 ? Kind::Plain : Kind::PanelText,
                                 bytes);
    }

    // Appends a piece; neighbours of the same kind are joined.
    UserText& append(Kind kind, std::string_view bytes);
    UserText& operator+=(const UserText& other);
    friend UserText operator+(UserText left, const UserText& right) { return left += right; }
    friend UserText operator+(UserText left, std::string_view right) {
        return left.append(Kind::Plain, right);
    }
    friend UserText operator+(UserText left, const char* right) {
        return left.append(Kind::Plain, right);
    }
    friend UserText operator+(UserText left, const std::string& right) {
        return left.append(Kind::Plain, right);
    }
    friend UserText operator+(std::string_view left, const UserText& right) {
        return UserText(left) += right;
    }
    friend UserText operator+(const char* left, const UserText& right) {
        return UserText(left) += right;
    }
    friend UserText operator+(const std::string& left, const UserText& right) {
        return UserText(left) += right;
    }

    // The pieces in order, each of one kind; they point into this text.
    std::vector<Piece> pieces() const;
    bool empty() const { return m_bytes.empty(); }
    // The bytes of every piece, one after the other, as a file name or a test compares them.
    const std::string& bytes() const { return m_bytes; }
    // The whole text in UTF-8: Windows-1252 pieces are converted, the others kept as they
    // are (the file system of a Linux machine uses UTF-8).
    std::string toUtf8() const;
    // The same, added to the end of out.
    void appendUtf8To(std::string& out) const;

    friend bool operator==(const UserText& a, const UserText& b);

private:
    // Where a piece of another kind than Plain ends. Most texts are the program's own words
    // alone and need none, so building them allocates no more than their bytes do. A text
    // with other pieces lists every piece, Plain ones too; neighbours are of different
    // kinds.
    struct Run {
        Kind kind = Kind::Plain;
        std::size_t end = 0;
    };

    std::string m_bytes;
    std::vector<Run> m_runs; // empty while every byte is Plain
};

// A Windows-1252 text in UTF-8.
std::string utf8FromWindows1252(std::string_view bytes);

} // namespace cockpix

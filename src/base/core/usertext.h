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
        PanelText, // Windows-1252 bytes from an FS98 file
    };
    struct Piece {
        Kind kind = Kind::Plain;
        std::string bytes;
        friend bool operator==(const Piece&, const Piece&) = default;
    };

    UserText() = default;
    UserText(const char* plain) { append(Kind::Plain, plain); }
    UserText(std::string_view plain) { append(Kind::Plain, plain); }
    UserText(const std::string& plain) { append(Kind::Plain, plain); }

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

    const std::vector<Piece>& pieces() const { return m_pieces; }
    bool empty() const;
    // The bytes of every piece, one after the other, as a file name or a test compares them.
    std::string bytes() const;
    // The whole text in UTF-8: Windows-1252 pieces are converted, the others kept as they
    // are (the file system of a Linux machine uses UTF-8).
    std::string toUtf8() const;

    friend bool operator==(const UserText&, const UserText&) = default;

private:
    std::vector<Piece> m_pieces;
};

// A Windows-1252 text in UTF-8.
std::string utf8FromWindows1252(std::string_view bytes);

} // namespace cockpix

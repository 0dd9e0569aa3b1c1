#include "base/core/usertext.h"

#include "base/core/windows1252.h"

namespace cockpix {
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

} // namespace

std::string utf8FromWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes)
        appendUtf8(out, unicodeFromWindows1252(static_cast<unsigned char>(byte)));
    return out;
}

UserText& UserText::append(Kind kind, std::string_view bytes) {
    if (bytes.empty())
        return *this;
    if (!m_pieces.empty() && m_pieces.back().kind == kind)
        m_pieces.back().bytes.append(bytes);
    else
        m_pieces.push_back({kind, std::string(bytes)});
    return *this;
}

UserText& UserText::operator+=(const UserText& other) {
    for (const Piece& piece : other.m_pieces)
        append(piece.kind, piece.bytes);
    return *this;
}

bool UserText::empty() const {
    return m_pieces.empty();
}

std::string UserText::bytes() const {
    std::string out;
    for (const Piece& piece : m_pieces)
        out += piece.bytes;
    return out;
}

std::string UserText::toUtf8() const {
    std::string out;
    for (const Piece& piece : m_pieces)
        out += piece.kind == Kind::PanelText ? utf8FromWindows1252(piece.bytes) : piece.bytes;
    return out;
}

} // namespace cockpix

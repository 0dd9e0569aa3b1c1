#include "base/core/usertext.h"

#include "base/core/windows1252.h"

namespace cockpix {
namespace {

void appendWindows1252AsUtf8(std::string& out, std::string_view bytes) {
    for (const char byte : bytes)
        appendUtf8(out, unicodeFromWindows1252(static_cast<unsigned char>(byte)));
}

} // namespace

std::string utf8FromWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    appendWindows1252AsUtf8(out, bytes);
    return out;
}

UserText& UserText::append(Kind kind, std::string_view bytes) {
    if (bytes.empty())
        return *this;
    // ASCII reads the same in Windows-1252 and UTF-8: such a piece is plain text, so the
    // many messages that quote ASCII names stay a single piece.
    if (kind == Kind::PanelText && !hasHighBytes(bytes) &&
        (m_runs.empty() || m_runs.back().kind != Kind::PanelText))
        kind = Kind::Plain;
    if (m_runs.empty() && kind != Kind::Plain && !m_bytes.empty())
        m_runs.push_back({Kind::Plain, m_bytes.size()});
    m_bytes.append(bytes);
    if (m_runs.empty() && kind == Kind::Plain)
        return *this;
    if (!m_runs.empty() && m_runs.back().kind == kind)
        m_runs.back().end = m_bytes.size();
    else
        m_runs.push_back({kind, m_bytes.size()});
    return *this;
}

UserText& UserText::operator+=(const UserText& other) {
    if (other.m_runs.empty())
        return append(Kind::Plain, other.m_bytes);
    const std::string_view bytes = other.m_bytes;
    std::size_t begin = 0;
    for (const Run& run : other.m_runs) {
        append(run.kind, bytes.substr(begin, run.end - begin));
        begin = run.end;
    }
    return *this;
}

// Equal texts show the same bytes, each converted the same way. An ASCII byte reads the
// same as plain or panel text, so only the kinds of the other bytes count.
bool operator==(const UserText& a, const UserText& b) {
    if (a.m_bytes != b.m_bytes)
        return false;
    if (a.m_runs.empty() && b.m_runs.empty())
        return true;
    using Kind = UserText::Kind;
    const auto kindAt = [](const UserText& text, std::size_t& run, std::size_t at) {
        if (text.m_runs.empty())
            return Kind::Plain;
        while (text.m_runs[run].end <= at)
            ++run;
        const Kind kind = text.m_runs[run].kind;
        const bool ascii = static_cast<unsigned char>(text.m_bytes[at]) < 0x80;
        return kind == Kind::PanelText && ascii ? Kind::Plain : kind;
    };
    std::size_t runA = 0;
    std::size_t runB = 0;
    for (std::size_t at = 0; at < a.m_bytes.size(); ++at)
        if (kindAt(a, runA, at) != kindAt(b, runB, at))
            return false;
    return true;
}

std::vector<UserText::Piece> UserText::pieces() const {
    if (m_bytes.empty())
        return {};
    if (m_runs.empty())
        return {{Kind::Plain, m_bytes}};
    std::vector<Piece> pieces;
    pieces.reserve(m_runs.size());
    const std::string_view bytes = m_bytes;
    std::size_t begin = 0;
    for (const Run& run : m_runs) {
        pieces.push_back({run.kind, bytes.substr(begin, run.end - begin)});
        begin = run.end;
    }
    return pieces;
}

void UserText::appendUtf8To(std::string& out) const {
    if (m_runs.empty()) {
        out += m_bytes;
        return;
    }
    const std::string_view bytes = m_bytes;
    std::size_t begin = 0;
    for (const Run& run : m_runs) {
        const std::string_view piece = bytes.substr(begin, run.end - begin);
        if (run.kind == Kind::PanelText)
            appendWindows1252AsUtf8(out, piece);
        else
            out += piece;
        begin = run.end;
    }
}

std::string UserText::toUtf8() const {
    std::string out;
    out.reserve(m_bytes.size());
    appendUtf8To(out);
    return out;
}

} // namespace cockpix

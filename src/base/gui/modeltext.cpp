#include "base/gui/modeltext.h"

#include "base/core/numbertext.h"
#include "base/core/windows1252.h"

#include <QFile>

namespace cockpix {

std::string toModelText(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t character : text.toUcs4()) {
        const auto byte = windows1252FromUnicode(character);
        bytes += static_cast<char>(byte ? *byte : '?');
    }
    return bytes;
}

QString fromModelText(std::string_view bytes) {
    std::u32string characters;
    characters.reserve(bytes.size());
    for (const char byte : bytes)
        characters += unicodeFromWindows1252(static_cast<unsigned char>(byte));
    return QString::fromUcs4(characters.data(), static_cast<qsizetype>(characters.size()));
}

std::string toPanelText(const QString& text, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? text.toStdString() : toModelText(text);
}

QString fromPanelText(std::string_view bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8)
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return fromModelText(bytes);
}

std::string toModelPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString fromModelPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString toQString(const UserText& text) {
    QString result;
    for (const UserText::Piece& piece : text.pieces()) {
        switch (piece.kind) {
        case UserText::Kind::Plain:
            result +=
                QString::fromUtf8(piece.bytes.data(), static_cast<qsizetype>(piece.bytes.size()));
            break;
        case UserText::Kind::Path:
            result += QFile::decodeName(
                QByteArray(piece.bytes.data(), static_cast<qsizetype>(piece.bytes.size())));
            break;
        case UserText::Kind::PanelText:
            result += fromModelText(piece.bytes);
            break;
        }
    }
    return result;
}

QString numberText(double value) {
    return QString::fromStdString(plainNumberText(value));
}

} // namespace cockpix

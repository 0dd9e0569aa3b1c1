#include "app/gui/modeltext.h"

#include <QFile>

#include "app/core/windows1252.h"

#include <QList>

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

std::string toModelPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString fromModelPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace cockpix

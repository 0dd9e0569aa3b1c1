#pragma once

// Texts between the program's data, which holds FS98's Windows-1252 bytes and the file
// system's bytes, and Qt's widgets. Every conversion for the screen happens here.

#include "base/core/usertext.h"

#include <QString>
#include <string>
#include <string_view>

namespace cockpix {

// The model's bytes for a text typed by the user; a character that Windows-1252 cannot
// hold becomes "?", as it would in FS98's own dialogs.
std::string toModelText(const QString& text);

// The text to show for the model's bytes; every byte round-trips through toModelText.
QString fromModelText(std::string_view bytes);

// The same for a panel file in the given encoding: a UTF-8 file's texts are shown and
// typed as UTF-8, a Windows-1252 file's as above.
std::string toPanelText(const QString& text, TextEncoding encoding);
QString fromPanelText(std::string_view bytes, TextEncoding encoding);

// Paths (the directories, a chosen file) are held in the model as the bytes the file system
// uses, and messages that quote them are decoded the same way.
std::string toModelPath(const QString& path);
QString fromModelPath(const std::string& path);

// A number as the panel files write it: "12", "0.5".
QString numberText(double value);

// A text built of pieces of several origins, each decoded by what it is.
QString toQString(const UserText& text);

} // namespace cockpix

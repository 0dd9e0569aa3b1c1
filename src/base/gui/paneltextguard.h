#pragma once

// Typed text that a panel file cannot hold (charactersNotHeld) is refused rather than
// written as "?": a guarded box turns down the edit that brings such characters in, keeps
// the text it had (so nothing reaches the panel) and names them in a message. A number box
// is guarded the same way; what it keeps is read as ever, by its leading number.

#include "base/core/textencoding.h"

#include <QString>

class QLineEdit;

namespace cockpix {

class UserDialogs;

// Guards box for a panel in encoding, for as long as the box lives.
void guardPanelText(QLineEdit* box, UserDialogs& dialogs,
                    TextEncoding encoding = TextEncoding::Windows1252);

// The same test for a text typed elsewhere (a table cell): true when the panel can hold it;
// otherwise the message is shown and false returned.
bool panelCanHold(const QString& text, TextEncoding encoding, UserDialogs& dialogs);

} // namespace cockpix

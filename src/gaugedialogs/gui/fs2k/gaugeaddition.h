#pragma once

// What the Add-gauge and Add-instrument choosers do once a name is chosen: the new line
// added to the window's section as one undo step, and where it stands among the window's
// gauges so that the window can select it.

#include "panel/core/fs2k/edits.h"

#include <QString>

#include <optional>

namespace cockpix {
class UserDialogs;
}

namespace cockpix::fs2k {

class Document;

// Adds gauge to the section of the panel's window windowIndex: its place in that window's
// gauges (-1 if it cannot be told), or nullopt (nothing added; the user was told "NAME cannot
// be added to this window." with NAME as typed or chosen).
std::optional<int> addGaugeToWindow(Document& document, UserDialogs& dialogs, int windowIndex,
                                    const NewGauge& gauge, const QString& shownName);

} // namespace cockpix::fs2k

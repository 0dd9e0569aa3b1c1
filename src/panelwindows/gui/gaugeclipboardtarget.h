#pragma once

// Cut, Copy and Paste of gauges between the panel windows and the system clipboard. The
// clipboard holds plain text, the "gaugeNN=" lines of panel.cfg (gaugeclipboard.h), so that a
// text editor takes them and gives them back: the bytes of a window's panel are decoded by
// its encoding when they go onto the clipboard, and the clipboard's text is encoded to it
// again for a paste. The Edit menu acts on the active panel window through GaugeClipboardTarget.

#include "base/core/textencoding.h"
#include "panelwindows/core/gaugeclipboard.h"

#include <string_view>

namespace cockpix {

class PanelView;
class UserDialogs;

// A panel window, FS98 or later, as the Edit menu's Cut, Copy and Paste see it.
class GaugeClipboardTarget {
public:
    virtual ~GaugeClipboardTarget() = default;
    // The view whose selection Copy and Cut take (hasSelectionChanged tells when they can).
    virtual PanelView* view() const = 0;
    // The selected gauges, in the order they were selected, onto the clipboard.
    virtual void copyGauges() = 0;
    // The same, then they are removed in one undo step ("Cut 3 gauges").
    virtual void cutGauges() = 0;
    // The clipboard's gauge lines appended to the window in one undo step and selected; a
    // paste the window refuses, or a text without gauge lines, is told and changes nothing.
    virtual void pasteGauges() = 0;
};

// The lines (bytes in encoding) as the clipboard's text.
void putGaugeLinesOnClipboard(std::string_view lines, TextEncoding encoding);
// Whether the clipboard holds any text for Paste.
bool clipboardHoldsText();
// The gauge lines of the clipboard's text, read as a panel of that encoding would.
ClipboardGauges gaugesOnClipboard(TextEncoding encoding);
// Tells clipboardProblemsMessage through dialogs, when there is anything to tell.
void tellClipboardProblems(UserDialogs& dialogs, const ClipboardGauges& read);

} // namespace cockpix

#include "panelwindows/gui/gaugeclipboardtarget.h"

#include "base/gui/modeltext.h"
#include "base/gui/userdialogs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace cockpix {

void putGaugeLinesOnClipboard(std::string_view lines, TextEncoding encoding) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(fromPanelText(lines, encoding));
}

bool clipboardHoldsText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasText();
}

ClipboardGauges gaugesOnClipboard(TextEncoding encoding) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return {};
    return readClipboardGauges(toPanelText(clipboard->text(), encoding), encoding);
}

void tellClipboardProblems(UserDialogs& dialogs, const ClipboardGauges& read) {
    const UserText message = clipboardProblemsMessage(read);
    if (!message.empty())
        dialogs.message(toQString(message));
}

} // namespace cockpix

#include "outview/gui/outsideviewchooser.h"

#include "base/gui/userdialogs.h"
#include "panel/gui/fs98/document.h"

namespace cockpix {

OutsideViewChooser::OutsideViewChooser(const fs98::Document& document, AppModel& app,
                                       UserDialogs& dialogs, QWidget* parent)
    : WindowBitmapChooser(document, app, dialogs,
                          QStringLiteral("Click on the bitmap file of the window background."),
                          parent) {
    setObjectName(QStringLiteral("Form12"));
}

void OutsideViewChooser::confirm() {
    if (app().bitmapMissing == 1)
        return;
    // Nothing chosen yet counts as no file too: the frame would have no picture to measure.
    const int w = app().currentWindow;
    if (!fs98::isWindowSlot(w) || document().panel().window(w).windowBitmap.empty() ||
        app().chosenBitmapPath.empty()) {
        dialogs().message(QStringLiteral("No file selected."));
        return;
    }
    emit frameRequested();
    close();
}

} // namespace cockpix

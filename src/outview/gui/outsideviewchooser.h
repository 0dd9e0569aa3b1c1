#pragma once

// The outside-view background chooser (Form12), opened by "OUTSIDE-VIEW SIZING TOOL": the
// backgrounds of the panel's windows; "OK" (or a double click) asks for the external view
// frame of the chosen window and closes. While the last choice could not be shown, "OK"
// does nothing; a window without a bitmap name gives "No file selected.".

#include "palette/gui/windowbitmapchooser.h"

namespace cockpix {

class OutsideViewChooser : public WindowBitmapChooser {
    Q_OBJECT
public:
    OutsideViewChooser(const fs98::Document& document, AppModel& app, UserDialogs& dialogs,
                       QWidget* parent = nullptr);

signals:
    // The external view frame is to show currentWindow with chosenBitmapPath.
    void frameRequested();

protected:
    void confirm() override;
    void entryDoubleClicked() override { confirm(); }
};

} // namespace cockpix

#pragma once

// The outside-view sizing tool from start to end: the background chooser (Form12), whose
// OK shows the external view frame (Form11) of the chosen window; a click on the frame's
// picture opens the coordinates dialog (Form6), whose edits move the frame and whose OK
// stores the default view in the panel (one undo step) and closes both. Cancel closes both
// and changes nothing. The windows are modeless children of the main window.

#include "outview/gui/externalviewcoordinates.h"
#include "outview/gui/externalviewframe.h"
#include "outview/gui/outsideviewchooser.h"
#include "panel/core/fs98/panel.h"
#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace cockpix {

class UserDialogs;

class OutsideViewTool : public QObject {
    Q_OBJECT
public:
    OutsideViewTool(fs98::Document& document, AppModel& app, UserDialogs& dialogs,
                    QWidget* parentWindow, QObject* parent = nullptr);

    OutsideViewChooser* chooser() const { return m_chooser; }
    ExternalViewFrame* frame() const { return m_frame; }
    ExternalViewCoordinates* coordinates() const { return m_coordinates; }

public slots:
    // "OUTSIDE-VIEW SIZING TOOL": the chooser, listing the panel's windows afresh.
    void start();
    // Shows (or lays out again) the external view frame of currentWindow.
    void openFrame();
    // The coordinates dialog over the frame, filled from the panel.
    void openCoordinates();
    // Closes every window of the tool.
    void closeAll();

private:
    void confirm(const fs98::DefaultView& view);
    void closeFrameAndCoordinates();

    fs98::Document& m_document;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    QWidget* m_parentWindow;
    QPointer<OutsideViewChooser> m_chooser;
    QPointer<ExternalViewFrame> m_frame;
    QPointer<ExternalViewCoordinates> m_coordinates;
};

} // namespace cockpix

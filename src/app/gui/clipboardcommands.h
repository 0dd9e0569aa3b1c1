#pragma once

// The Edit menu's "Cu&t", "&Copy" and "&Paste": they act on the gauges of the active panel
// window (FS98 or later; GaugeClipboardTarget). Cut and Copy are enabled while that window
// has gauges selected, Paste while a panel window is active and the clipboard holds text;
// the states follow the active window, its selection and the clipboard at once, so that the
// keys (Shift+Delete, Ctrl+Insert, Shift+Insert) work exactly when the menu items do.

#include <QMetaObject>
#include <QObject>

class QMdiArea;

namespace cockpix {

class GaugeClipboardTarget;
class MainMenu;

class ClipboardCommands : public QObject {
    Q_OBJECT
public:
    ClipboardCommands(MainMenu& menu, QMdiArea* area, QObject* parent = nullptr);

    // The panel window the commands act on now; nullptr while none is the MDI area's
    // current window.
    GaugeClipboardTarget* target() const;

public slots:
    void cut();
    void copy();
    void paste();
    void updateStates();

private:
    void watchCurrentWindow();

    MainMenu& m_menu;
    QMdiArea* m_area;
    QMetaObject::Connection m_selectionWatch;
};

} // namespace cockpix

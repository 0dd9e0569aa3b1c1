#pragma once

// The choosers that list the background bitmaps of the panel's windows (list position =
// window number) with a snapshot of the one clicked: the palette optimizer's and the
// outside-view tool's ("Choose background bitmap"). A click (or a keyboard move) chooses
// that window's background; a picture that cannot be shown says so and leaves OK without
// effect until another choice. Subclasses say what OK does. Modeless, deleted when closed.
//
// objectNames: Label1 (instruction), List1, Image1 (snapshot), Label2, Command1 (OK),
// Command2 (Cancel).

#include "gaugedialogs/gui/chooserparts.h"
#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"

#include <QDialog>

namespace cockpix {

class UserDialogs;

class WindowBitmapChooser : public QDialog {
    Q_OBJECT
public:
    WindowBitmapChooser(const fs98::Document& document, AppModel& app, UserDialogs& dialogs,
                        const QString& instruction, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    QLabel* snapshot() const { return m_snapshot; }
    QPushButton* okButton() const { return m_ok; }

    // Entry w was chosen: window w becomes the current one and its background is shown.
    void choose(int w);

protected:
    // What "OK" does.
    virtual void confirm() = 0;
    // A double click on an entry; nothing unless a chooser says otherwise.
    virtual void entryDoubleClicked() {}

    const fs98::Document& document() const { return m_document; }
    AppModel& app() const { return m_app; }
    UserDialogs& dialogs() const { return m_dialogs; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillList();
    void clicked(QListWidgetItem* item);

    const fs98::Document& m_document;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    QListWidget* m_list = nullptr;
    QLabel* m_snapshot = nullptr;
    QPushButton* m_ok = nullptr;
    int m_rowAtPress = -1; // the current entry when the mouse went down on the list
};

} // namespace cockpix

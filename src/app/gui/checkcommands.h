#pragma once

// "&Check panel..." and "&Backups..." of the Template menu, and the main window's status
// bar count of findings: shown after "&Open" and "&Save" (and kept up to date while the
// panel is edited), as a link to the list of findings.

#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"

#include <QObject>
#include <QPointer>

class QLabel;

namespace cockpix {

class BackupsDialog;
class CheckerWindow;
class MainWindow;
class PanelCheck;
class UserDialogs;

class CheckCommands : public QObject {
    Q_OBJECT
public:
    CheckCommands(MainWindow& window, PanelDocuments& document, AppModel& app,
                  UserDialogs& dialogs);

    PanelCheck& panelCheck() const { return *m_check; }
    // The status bar's "3 findings" (objectName checkStatus); hidden while not shown.
    QLabel* statusLabel() const { return m_status; }
    CheckerWindow* checkerWindow() const;
    BackupsDialog* backupsDialog() const;

public slots:
    // "&Check panel...": the list of findings (the one open already, raised).
    CheckerWindow* showChecker();
    // "&Backups...".
    BackupsDialog* showBackups();

signals:
    // A double click on a gauge finding: gauge g of window w is to be shown in its
    // properties.
    void gaugeRequested(int window, int gauge);

public:
    // The template comes to the front with the box of field (WindowField as int, -1 for the
    // title) of row w focused.
    void showTemplateRow(int w, int field);

private:
    void setStatusShown(bool shown);
    void updateStatus();
    void showViewBox(int index);

    MainWindow& m_window;
    PanelDocuments& m_documents;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    PanelCheck* m_check = nullptr;
    QLabel* m_status = nullptr;
    bool m_statusShown = false;
    QPointer<CheckerWindow> m_checker;
    QPointer<BackupsDialog> m_backups;
};

} // namespace cockpix

#pragma once

// "&Check panel..." and "&Backups..." of the Template menu, and the main window's status
// bar count of findings: shown after "&Open" (and kept up to date while the panel is
// edited) until "&Save", as a link to the list of findings.

#include "app/core/appmodel.h"

#include <QObject>
#include <QPointer>

class QLabel;

namespace cockpix {

class BackupsDialog;
class CheckerWindow;
class MainWindow;
class PanelCheck;
class PanelDocument;
class UserDialogs;

class CheckCommands : public QObject {
    Q_OBJECT
public:
    CheckCommands(MainWindow& window, PanelDocument& document, AppModel& app, UserDialogs& dialogs);

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
    // A double click on a gauge finding: panel window w is shown, app.currentWindow and
    // app.currentGauge are w and g. The gauge properties dialog (Form3) opens from here.
    void gaugePropertiesRequested(int w, int g);

private:
    void setStatusShown(bool shown);
    void updateStatus();
    void revealPanelWindow(int w);
    void goToRow(int w, int field);
    void goToViewBox(int index);

    MainWindow& m_window;
    PanelDocument& m_document;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    PanelCheck* m_check = nullptr;
    QLabel* m_status = nullptr;
    bool m_statusShown = false;
    QPointer<CheckerWindow> m_checker;
    QPointer<BackupsDialog> m_backups;
};

} // namespace cockpix

#pragma once

// "&Backups..." (objectName BackupsDialog): the backups panel.c1, panel.c2, ... of the panel
// directory with their dates, sizes and contents, the comparison of the chosen one with the
// current panel.cfg, and "Restore", which keeps the current panel.cfg as a new backup first,
// puts the chosen one in place and opens it.
//
// objectNames: backupsSummary, backupList, comparisonView, restoreButton, closeButton.

#include "panel/core/panelbackups.h"
#include "state/core/appmodel.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace cockpix {

class ComparisonView;
class MainWindow;
class UserDialogs;

class BackupsDialog : public QDialog {
    Q_OBJECT
public:
    BackupsDialog(MainWindow& window, AppModel& app, UserDialogs& dialogs);

    QTreeWidget* backupList() const { return m_list; }
    ComparisonView* view() const { return m_view; }
    // The backup of the current row, or null.
    const PanelBackup* currentBackup() const;

public slots:
    // Lists the panel directory's backups again, newest first.
    void refresh();
    // Asks, then restores the current backup and opens the restored panel.
    void restoreCurrent();

private:
    void showComparison();

    MainWindow& m_window;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    std::vector<PanelBackup> m_backups;
    QLabel* m_summary = nullptr;
    QTreeWidget* m_list = nullptr;
    ComparisonView* m_view = nullptr;
    QPushButton* m_restore = nullptr;
};

} // namespace cockpix

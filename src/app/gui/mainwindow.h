#pragma once

// The main window (MDIForm1): the MDI frame that holds the template window and the panel
// windows, with the menu bar of the Template, Edit, Directories and Options commands. Its
// caption carries the desktop's modified mark while the panel has unsaved changes; a
// panel.cfg (or an aircraft's folder) dropped onto it is opened; the status bar says when
// Quit will erase work files. Where it was on the screen is remembered between runs.

#include "panel/gui/documentsfwd.h"

#include <QMainWindow>
#include <QPointer>

#include <string_view>
#include <vector>

class QLabel;
class QMdiArea;
class QMenu;
class QMdiSubWindow;
class QUndoView;

namespace cockpix {

struct AppModel;
class UserDialogs;
class TemplateWindow;
class MainMenu;
class PanelCommands;
class TemplateRowCommands;
class TemplateToolCommands;
class GaugeDialogs;
namespace fs2k {
class PanelWindows;
}
class DirectoriesDialog;
class AboutDialog;
class CheckCommands;
class ClipboardCommands;
class RecentFilesMenu;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(PanelDocuments& document, AppModel& app, UserDialogs& dialogs,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    QMdiArea* mdiArea() const { return m_mdiArea; }
    QMdiSubWindow* templateSubWindow() const;
    TemplateWindow* templateWindow() const;
    MainMenu& mainMenu() const { return *m_menu; }
    PanelCommands& panelCommands() const { return *m_panelCommands; }
    // The template's row buttons and panelForms, the newest panel window of each row.
    TemplateRowCommands& rowCommands() const { return *m_rowCommands; }
    // "&Check panel...", "&Backups..." and the status bar's count of findings.
    CheckCommands& checkCommands() const { return *m_checkCommands; }
    // The Edit menu's Cut, Copy and Paste of the active panel window's gauges.
    ClipboardCommands& clipboardCommands() const { return *m_clipboardCommands; }
    // The template's palette optimizer and outside-view buttons, and their windows.
    TemplateToolCommands& toolCommands() const { return *m_toolCommands; }
    // The gauge dialogs of the panel windows (Form3, Form5, Form9, Form15).
    GaugeDialogs& gaugeDialogs() const { return *m_gaugeDialogs; }
    // The panel windows of a panel of FS2000 and later.
    fs2k::PanelWindows& fs2kWindows() const { return *m_fs2kWindows; }
    DirectoriesDialog* directoriesDialog() const;
    AboutDialog* aboutDialog() const;
    QUndoView* historyView() const;
    PanelDocuments& document() const { return m_documents; }
    RecentFilesMenu& recentFiles() const { return *m_recent; }
    // The status bar's notice of the files Quit will erase; empty while none.
    QString eraseNotice() const;
    // The status bar's name of the open panel's format ("FS98 panel", "FS2000 and later
    // panel"); empty for a new panel.
    QString formatNotice() const;

    // Shows the window where it was when last closed, maximized the first time.
    void showAtSavedGeometry();

    // "COCKPIX V.2.5.3  -  " + panelDir, with the modified mark while there are unsaved
    // changes.
    void setMainCaption();
    // The caption as the window system shows it.
    QString shownCaption() const;
    // Writes the five directories to the settings file; says so when that fails.
    void saveSettings();

    // Closes every MDI child but the template window (the GUI half of clearModel).
    void closePanelWindows();
    // Closes the template window, if shown.
    void closeTemplateWindow();
    // Creates and shows the template window: paints it, re-reads the settings file, sets the
    // caption and shows the first-use message while the gauges directory is unset (unless
    // demandDirectories is false: the panel being opened lies in an installation found).
    void createTemplateWindow(bool demandDirectories = true);
    // Close Template: closes every child and dialog of the panel and clears the model.
    void endPanel();
    // New and Open: end the panel, show an empty template again.
    void startEmptyPanel(bool demandDirectories = true);
    // Before a command that would drop unsaved changes: asks "The panel has changes that are
    // not saved." Save runs "&Save"; true when the command may go on (saved or discarded).
    bool settleUnsavedChanges();
    // Unsaved changes settled, or else question (none when empty) answered Yes.
    bool confirmLeavingPanel(std::string_view question);

    void setOpenEnabled(bool enabled);
    void setSaveEnabled(bool enabled);

    // Opens the directories dialog for "GAUGES", "COCKPIX" or "PANEL".
    void openDirectoriesDialog(const QString& target);

public slots:
    void showPanelWindow(int w);
    // Opens the properties of gauge g of window w (Form3), showing its panel window first
    // when it is not open (the panel checker's double click on a gauge finding comes here).
    void openGaugeProperties(int w, int g);
    // Opens a panel file as "&Open" does with it chosen (after the question about unsaved
    // changes); true when it was read completely.
    bool openPanelFile(const QString& path);
    // An entry of "Open &Recent": a file that has gone meanwhile is named and taken off.
    void openRecentFile(const QString& path);

    void newPanel();
    void closeTemplate();
    void quit();
    void chooseTemplateColor();
    void resetTemplateColor();
    void showHelp();
    void showAbout();
    void showHistory();
    // "Gri&d size...": asks for the grid's step in panel units.
    void chooseGridSize();

signals:
    // The program is to end: "Quit" was confirmed or the frame was closed.
    void programEnding();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void updateMenus();
    void updateWindowMenu();
    void updateEraseNotice();
    void updateFormatNotice();

private:
    void openFs98GaugeProperties(const fs98::Document& document, int w, int g);
    void openFs2kGaugeProperties(int w, int g);
    void addFs2kWindowsToMenu(QMenu* menu);
    void connectMenu();
    void connectEditMenu();
    void connectGaugeDialogs();
    void applyTemplateColor();
    QString helpFilePath() const;
    void saveWindowGeometry();
    // The snapping options changed: kept in the desktop file, the panel windows redrawn.
    void applySnapOptions();
    // "Standard desktop keys" was turned: kept, and every panel window keyed again.
    void applyKeyScheme();
    void releaseFrameKeys(QMdiSubWindow* child) const;
    // Accepts a drag or drop event that carries a panel (opening it on the drop); false for
    // any other.
    bool takePanelDrag(QEvent* event);
    // Keeps the template window inside the MDI area, at the size wanted when there is room.
    void fitTemplateWindow();

    void bindCurrentDocument();
    void followUndoStack();

    PanelDocuments& m_documents;
    // The connections to the current document's undo stack and modified state.
    std::vector<QMetaObject::Connection> m_currentBindings;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    QMdiArea* m_mdiArea = nullptr;
    MainMenu* m_menu = nullptr;
    PanelCommands* m_panelCommands = nullptr;
    TemplateRowCommands* m_rowCommands = nullptr;
    CheckCommands* m_checkCommands = nullptr;
    ClipboardCommands* m_clipboardCommands = nullptr;
    RecentFilesMenu* m_recent = nullptr;
    QLabel* m_eraseNotice = nullptr;
    QLabel* m_formatNotice = nullptr;
    QLabel* m_installationNotice = nullptr; // the installation the panel lies in
    TemplateToolCommands* m_toolCommands = nullptr;
    GaugeDialogs* m_gaugeDialogs = nullptr;
    fs2k::PanelWindows* m_fs2kWindows = nullptr;
    QPointer<QMdiSubWindow> m_templateSubWindow;
    QPointer<DirectoriesDialog> m_directoriesDialog;
    QPointer<AboutDialog> m_aboutDialog;
    QPointer<QUndoView> m_historyView;
    QSize m_templateWanted;
    bool m_fittingTemplate = false;
    bool m_closingTemplate = false;
    bool m_ending = false;
};

} // namespace cockpix

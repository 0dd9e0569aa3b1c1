#pragma once

// The main window's menu bar: every menu, item, accelerator and separator, with the option
// pairs as exclusive check-marked groups that keep app.options up to date. What the
// commands do lives in MainWindow and PanelCommands.
//
// objectNames: menus mnutemplate, mnurecent, mnuedit, mnudirectories, mnuoptions, mnuwindows;
// items mnunew, mnuopen, mnusave, mnuclose, mnuquit, mnuundo, mnuredo, mnucut, mnucopy,
// mnupaste, mnuhistory, mnugauges,
// mnucockpix, mnupaneldir, mnucompute, mnurecomp, mnuframe, mnunoframe, mnukeepbmp,
// mnuerasebmp, mnukeeppalette, mnunopalette, mnucolors, mnureset, mnuhelp, mnuabout; and
// beyond FS98-era COCKPIX: mnucompare, mnucheck, mnubackups (Template), mnushowchanges,
// mnusnapgrid, mnugridsize, mnusnapgauges, mnustandardkeys (Options), after the items of old so
// that those keep their places, and shown again in a panel window's menu bar as the menu mnusnap.

#include <QList>
#include <QObject>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QWidget;

namespace cockpix {

struct AppModel;
struct Options;

class MainMenu : public QObject {
    Q_OBJECT
public:
    MainMenu(AppModel& app, QWidget* owner);

    // The main menus, or a panel window's menus followed by "&Edit" and "&Windows".
    void showMainMenus(QMenuBar* bar);
    void showChildMenus(QMenuBar* bar, const QList<QMenu*>& childMenus);

    // Keys the items whose keys depend on the key scheme in force (keyScheme()), and checks
    // "Standard desktop keys" when it is the desktop's.
    void applyKeys();

    // Sets the check marks from app.options (for commands that change an option elsewhere).
    void syncOptionsFromModel();

    QMenu* templateMenu = nullptr;
    QMenu* recentMenu = nullptr; // "Open &Recent", inside the Template menu
    QMenu* editMenu = nullptr;
    QMenu* directoriesMenu = nullptr;
    QMenu* optionsMenu = nullptr;
    QMenu* snapMenu = nullptr; // the snapping items again, in a panel window's menu bar
    QMenu* windowsMenu = nullptr;

    QAction* newPanel = nullptr;
    QAction* open = nullptr;
    QAction* save = nullptr;
    QAction* compare = nullptr;
    QAction* check = nullptr;
    QAction* backups = nullptr;
    QAction* closeTemplate = nullptr;
    QAction* quit = nullptr;
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    // Of the active panel window's gauges (ClipboardCommands).
    QAction* cut = nullptr;
    QAction* copy = nullptr;
    QAction* paste = nullptr;
    QAction* history = nullptr;
    QAction* gaugesDirectory = nullptr;
    QAction* programDirectory = nullptr;
    QAction* panelDirectory = nullptr;
    QAction* computeIfMissing = nullptr;
    QAction* alwaysRecompute = nullptr;
    QAction* frame = nullptr;
    QAction* noFrame = nullptr;
    QAction* keepBitmaps = nullptr;
    QAction* eraseBitmaps = nullptr;
    QAction* keepPaletteFiles = nullptr;
    QAction* erasePaletteFiles = nullptr;
    QAction* templateColor = nullptr;
    QAction* resetColor = nullptr;
    QAction* showChanges = nullptr;
    // Checkable: the standard desktop keys in place of COCKPIX's own, kept between runs.
    QAction* standardKeys = nullptr;
    // Checkable, kept in app.snap; "Gri&d size..." asks in MainWindow.
    QAction* snapToGrid = nullptr;
    QAction* gridSize = nullptr;
    QAction* snapToGauges = nullptr;
    QAction* help = nullptr;
    QAction* about = nullptr;

signals:
    // A snapping switch was turned by its menu item (app.snap holds it already).
    void snapOptionsChanged();
    // "Standard desktop keys" was turned: the scheme is set and the menus keyed already.
    void keySchemeChanged();

private:
    void buildTemplateMenu();
    void buildEditMenu();
    void buildDirectoriesMenu();
    void buildOptionsMenu();
    QAction* addItem(QMenu* menu, const QString& caption, const char* name, const char* key);
    void addOptionPair(QAction*& first, QAction*& second, const QString& firstCaption,
                       const char* firstName, const char* firstKey, const QString& secondCaption,
                       const char* secondName, const char* secondKey,
                       bool Options::*secondMeansTrue);

    AppModel& m_app;
    QWidget* m_owner;
};

} // namespace cockpix

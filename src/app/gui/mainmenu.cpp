#include "app/gui/mainmenu.h"

#include "base/gui/undokeys.h"
#include "state/core/appmodel.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>

#include <utility>

namespace cockpix {

MainMenu::MainMenu(AppModel& app, QWidget* owner) : QObject(owner), m_app(app), m_owner(owner) {
    buildTemplateMenu();
    buildEditMenu();
    buildDirectoriesMenu();
    buildOptionsMenu();
    applyKeys();

    windowsMenu = new QMenu(tr("&Windows"), m_owner);
    windowsMenu->setObjectName(QStringLiteral("mnuwindows"));
    windowsMenu->menuAction()->setObjectName(QStringLiteral("mnuwindows"));

    // "&Help" and "&About..." are commands of the menu bar itself, without a drop-down.
    help = new QAction(tr("&Help"), this);
    help->setObjectName(QStringLiteral("mnuhelp"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WindowShortcut);
    about = new QAction(tr("&About..."), this);
    about->setObjectName(QStringLiteral("mnuabout"));
}

QAction* MainMenu::addItem(QMenu* menu, const QString& caption, const char* name, const char* key) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (key != nullptr)
        action->setShortcut(QKeySequence(QString::fromLatin1(key)));
    // The accelerators work while the focus is in any child window, as in an MDI frame.
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

void MainMenu::buildTemplateMenu() {
    templateMenu = new QMenu(tr("&Template"), m_owner);
    templateMenu->setObjectName(QStringLiteral("mnutemplate"));
    newPanel = addItem(templateMenu, tr("&New"), "mnunew", "Ctrl+N");
    open = addItem(templateMenu, tr("&Open"), "mnuopen", "Ctrl+O");
    // Filled by RecentFilesMenu.
    recentMenu = templateMenu->addMenu(tr("Open &Recent"));
    recentMenu->setObjectName(QStringLiteral("mnurecent"));
    recentMenu->menuAction()->setObjectName(QStringLiteral("mnurecent"));
    save = addItem(templateMenu, tr("&Save"), "mnusave", "Ctrl+S");
    // No accelerators: the Ctrl letters all belong to the menus and the panel windows.
    compare = addItem(templateMenu, tr("Compare with saved..."), "mnucompare", nullptr);
    templateMenu->addSeparator();
    check = addItem(templateMenu, tr("&Check panel..."), "mnucheck", nullptr);
    backups = addItem(templateMenu, tr("&Backups..."), "mnubackups", nullptr);
    templateMenu->addSeparator();
    closeTemplate = addItem(templateMenu, tr("&Close Template"), "mnuclose", nullptr);
    quit = addItem(templateMenu, tr("&Quit CockPix"), "mnuquit", "Ctrl+Q");
}

void MainMenu::buildEditMenu() {
    editMenu = new QMenu(tr("&Edit"), m_owner);
    editMenu->setObjectName(QStringLiteral("mnuedit"));
    // Keyed by applyKeys: with COCKPIX's own keys Ctrl+Z is the panel window's "&Zoom..." and
    // Ctrl+C Close, so undo and the clipboard take the other keys every desktop knows.
    undo = addItem(editMenu, tr("&Undo"), "mnuundo", nullptr);
    redo = addItem(editMenu, tr("&Redo"), "mnuredo", nullptr);
    editMenu->addSeparator();
    cut = addItem(editMenu, tr("Cu&t"), "mnucut", nullptr);
    copy = addItem(editMenu, tr("&Copy"), "mnucopy", nullptr);
    paste = addItem(editMenu, tr("&Paste"), "mnupaste", nullptr);
    cut->setStatusTip(tr("Cut the selected gauges of the panel window"));
    copy->setStatusTip(tr("Copy the selected gauges of the panel window as panel.cfg lines"));
    paste->setStatusTip(tr("Paste gauge lines into the panel window"));
    for (QAction* action : {cut, copy, paste})
        action->setEnabled(false);
    editMenu->addSeparator();
    history = addItem(editMenu, tr("&History..."), "mnuhistory", nullptr);
}

void MainMenu::buildDirectoriesMenu() {
    directoriesMenu = new QMenu(tr("&Directories"), m_owner);
    directoriesMenu->setObjectName(QStringLiteral("mnudirectories"));
    gaugesDirectory = addItem(directoriesMenu, tr("...\\GA&UGES\\"), "mnugauges", "Ctrl+U");
    programDirectory = addItem(directoriesMenu, tr("...\\COC&KPIX\\"), "mnucockpix", "Ctrl+K");
    panelDirectory = addItem(directoriesMenu, tr("...\\PANE&L\\"), "mnupaneldir", "Ctrl+L");
}

void MainMenu::addOptionPair(QAction*& first, QAction*& second, const QString& firstCaption,
                             const char* firstName, const char* firstKey,
                             const QString& secondCaption, const char* secondName,
                             const char* secondKey, bool Options::*secondMeansTrue) {
    auto* group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    first = addItem(optionsMenu, firstCaption, firstName, firstKey);
    second = addItem(optionsMenu, secondCaption, secondName, secondKey);
    for (QAction* action : {first, second}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    // Every start begins with the first item of each pair: the switches are never saved.
    first->setChecked(true);
    connect(second, &QAction::toggled, this, [this, secondMeansTrue](bool checked) {
        if (secondMeansTrue != nullptr)
            m_app.options.*secondMeansTrue = checked;
    });
    optionsMenu->addSeparator();
}

void MainMenu::buildOptionsMenu() {
    optionsMenu = new QMenu(tr("&Options"), m_owner);
    optionsMenu->setObjectName(QStringLiteral("mnuoptions"));
    m_app.options = Options{};
    addOptionPair(computeIfMissing, alwaysRecompute, tr("Co&mpute bitmaps only if not on disk"),
                  "mnucompute", "Ctrl+M", tr("Always &recompute bitmaps"), "mnurecomp", "Ctrl+R",
                  &Options::alwaysRecomputeBitmaps);
    addOptionPair(frame, noFrame, tr("&Frame around gauges"), "mnuframe", "Ctrl+F",
                  tr("No frame around &gauges"), "mnunoframe", "Ctrl+G", nullptr);
    // The model holds the positive switch here: the pair's first item means "frame".
    connect(frame, &QAction::toggled, this,
            [this](bool checked) { m_app.options.frameAroundGauges = checked; });
    addOptionPair(keepBitmaps, eraseBitmaps, tr("Keep &bitmaps on disk"), "mnukeepbmp", "Ctrl+B",
                  tr("Erase b&itmaps after quitting"), "mnuerasebmp", "Ctrl+I",
                  &Options::eraseBitmapsOnQuit);
    addOptionPair(keepPaletteFiles, erasePaletteFiles, tr("Keep &palette files on disk"),
                  "mnukeeppalette", "Ctrl+P", tr("Erase p&alette files after quitting"),
                  "mnunopalette", "Ctrl+A", &Options::erasePaletteFilesOnQuit);
    templateColor = addItem(optionsMenu, tr("&Template color..."), "mnucolors", "Ctrl+T");
    resetColor = addItem(optionsMenu, tr("R&eset to default color"), "mnureset", "Ctrl+E");
    optionsMenu->addSeparator();
    showChanges = addItem(optionsMenu, tr("Show changes before saving"), "mnushowchanges", nullptr);
    showChanges->setCheckable(true);
    connect(showChanges, &QAction::toggled, this,
            [this](bool checked) { m_app.options.showChangesBeforeSaving = checked; });
    // Kept between runs, like the snapping below.
    standardKeys = addItem(optionsMenu, tr("Standard desktop keys"), "mnustandardkeys", nullptr);
    standardKeys->setCheckable(true);
    standardKeys->setStatusTip(tr("Ctrl+Z undoes, Ctrl+X, Ctrl+C and Ctrl+V cut, copy and "
                                  "paste gauges, Ctrl+W closes; Zoom is Ctrl+Shift+M"));
    connect(standardKeys, &QAction::toggled, this, [this](bool checked) {
        setKeyScheme(checked ? KeyScheme::Desktop : KeyScheme::Program);
        applyKeys();
        emit keySchemeChanged();
    });
    // Snapping while gauges are dragged; unlike the switches above, kept between runs.
    optionsMenu->addSeparator();
    snapToGrid = addItem(optionsMenu, tr("&Snap to grid"), "mnusnapgrid", nullptr);
    gridSize = addItem(optionsMenu, tr("Gri&d size..."), "mnugridsize", nullptr);
    snapToGauges = addItem(optionsMenu, tr("Snap to ga&uges"), "mnusnapgauges", nullptr);
    for (QAction* action : {snapToGrid, snapToGauges})
        action->setCheckable(true);
    snapToGauges->setChecked(m_app.snap.toGauges);
    snapToGrid->setChecked(m_app.snap.toGrid);
    connect(snapToGrid, &QAction::toggled, this, [this](bool checked) {
        m_app.snap.toGrid = checked;
        emit snapOptionsChanged();
    });
    connect(snapToGauges, &QAction::toggled, this, [this](bool checked) {
        m_app.snap.toGauges = checked;
        emit snapOptionsChanged();
    });
    // The panel windows, whose own menus replace the Options menu, show the same three
    // items in a menu of their own, where dragging happens.
    snapMenu = new QMenu(tr("S&nap"), m_owner);
    snapMenu->setObjectName(QStringLiteral("mnusnap"));
    snapMenu->menuAction()->setObjectName(QStringLiteral("mnusnap"));
    snapMenu->addActions({snapToGrid, gridSize, snapToGauges});
}

void MainMenu::applyKeys() {
    const std::pair<QAction*, KeyedCommand> keyed[] = {{closeTemplate, KeyedCommand::CloseTemplate},
                                                       {undo, KeyedCommand::Undo},
                                                       {redo, KeyedCommand::Redo},
                                                       {cut, KeyedCommand::Cut},
                                                       {copy, KeyedCommand::Copy},
                                                       {paste, KeyedCommand::Paste}};
    for (const auto& [action, command] : keyed)
        setCommandKeys(action, command);
    const QSignalBlocker blocker(standardKeys);
    standardKeys->setChecked(keyScheme() == KeyScheme::Desktop);
}

void MainMenu::syncOptionsFromModel() {
    const Options options = m_app.options;
    (options.alwaysRecomputeBitmaps ? alwaysRecompute : computeIfMissing)->setChecked(true);
    (options.frameAroundGauges ? frame : noFrame)->setChecked(true);
    (options.eraseBitmapsOnQuit ? eraseBitmaps : keepBitmaps)->setChecked(true);
    (options.erasePaletteFilesOnQuit ? erasePaletteFiles : keepPaletteFiles)->setChecked(true);
    showChanges->setChecked(options.showChangesBeforeSaving);
    // Read from the desktop file, not turned: nothing to write back.
    const QSignalBlocker gridBlocker(snapToGrid);
    const QSignalBlocker gaugesBlocker(snapToGauges);
    snapToGrid->setChecked(m_app.snap.toGrid);
    snapToGauges->setChecked(m_app.snap.toGauges);
}

void MainMenu::showMainMenus(QMenuBar* bar) {
    bar->clear();
    bar->addMenu(templateMenu);
    bar->addMenu(editMenu);
    bar->addMenu(directoriesMenu);
    bar->addMenu(optionsMenu);
    bar->addMenu(windowsMenu);
    bar->addAction(help);
    bar->addAction(about);
}

void MainMenu::showChildMenus(QMenuBar* bar, const QList<QMenu*>& childMenus) {
    bar->clear();
    for (QMenu* menu : childMenus)
        bar->addMenu(menu);
    bar->addMenu(editMenu);
    bar->addMenu(snapMenu);
    bar->addMenu(windowsMenu);
}

} // namespace cockpix

#include "app/gui/mainwindow.h"

#include "app/core/droppedpanel.h"
#include "app/core/shelltexts.h"
#include "app/core/workfiles.h"
#include "app/gui/aboutdialog.h"
#include "app/gui/checkcommands.h"
#include "app/gui/clipboardcommands.h"
#include "app/gui/directoriesdialog.h"
#include "app/gui/mainmenu.h"
#include "app/gui/panelcommands.h"
#include "app/gui/recentfilesmenu.h"
#include "base/gui/childmenuprovider.h"
#include "base/gui/colorref.h"
#include "base/gui/modeltext.h"
#include "base/gui/undokeys.h"
#include "base/gui/userdialogs.h"
#include "gaugedialogs/gui/fs2k/panelwindows.h"
#include "gaugedialogs/gui/gaugedialogs.h"
#include "panel/gui/paneldocuments.h"
#include "panelwindows/gui/fs2k/panelwindow.h"
#include "panelwindows/gui/fs98/panelwindow.h"
#include "settings/core/desktopstate.h"
#include "settings/core/installation.h"
#include "settings/core/settings.h"
#include "state/core/appmodel.h"
#include "template/gui/fs2k/windowtable.h"
#include "template/gui/templaterowcommands.h"
#include "template/gui/templatetoolcommands.h"
#include "template/gui/templatewindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>
#include <QUndoView>
#include <QVariant>

#include <algorithm>

namespace cockpix {

namespace {

const QString kUnsavedQuestion = QStringLiteral("The panel has changes that are not saved.");

// A caption with the modified-mark placeholder after it; a "[*]" that belongs to the caption
// itself (a directory name) is doubled so that it is shown as written.
QString captionWithModifiedMark(QString caption) {
    caption.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return caption + QStringLiteral("[*]");
}

// The panel file a drag carries: one local file or folder that names a panel.
QString draggedPanelFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return {};
    const auto panel = droppedPanelFile(toModelPath(url.toLocalFile()));
    return panel ? fromModelPath(*panel) : QString();
}

} // namespace

MainWindow::MainWindow(PanelDocuments& document, AppModel& app, UserDialogs& dialogs,
                       QWidget* parent)
    : QMainWindow(parent), m_documents(document), m_app(app), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(captionWithModifiedMark(
        QString::fromUtf8(kDesignedCaption.data(), int(kDesignedCaption.size()))));
    m_app.templateColor = kDefaultTemplateColor;

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);

    const DesktopState desktop = readDesktopState(desktopStateFilePath());
    m_app.snap = desktop.snap;
    // Before any menu or window takes its keys.
    setKeyScheme(desktop.standardKeys ? KeyScheme::Desktop : KeyScheme::Program);
    m_menu = new MainMenu(m_app, this);
    m_panelCommands = new PanelCommands(*this, m_documents, m_app, m_dialogs);
    m_rowCommands = new TemplateRowCommands(m_documents.fs98(), m_app, m_dialogs, m_mdiArea, this);
    m_checkCommands = new CheckCommands(*this, m_documents, m_app, m_dialogs);
    connect(m_checkCommands, &CheckCommands::gaugeRequested, this,
            &MainWindow::openGaugeProperties);
    m_toolCommands = new TemplateToolCommands(m_documents.fs98(), m_app, m_dialogs, this, this);
    m_gaugeDialogs =
        new GaugeDialogs(m_documents.fs98(), m_app, m_dialogs, m_rowCommands->panelForms(), this);
    m_fs2kWindows = new fs2k::PanelWindows(m_documents.fs2k(), m_app, m_dialogs, m_mdiArea, this);
    connectGaugeDialogs();
    connectMenu();
    connectEditMenu();
    m_clipboardCommands = new ClipboardCommands(*m_menu, m_mdiArea, this);
    m_recent = new RecentFilesMenu(m_menu->recentMenu, this);
    connect(m_menu->templateMenu, &QMenu::aboutToShow, m_recent, &RecentFilesMenu::refresh);
    connect(m_recent, &RecentFilesMenu::openRequested, this, &MainWindow::openRecentFile);
    connect(m_panelCommands, &PanelCommands::panelOpened, m_recent, &RecentFilesMenu::add);
    connect(m_panelCommands, &PanelCommands::panelSaved, m_recent, &RecentFilesMenu::add);
    setAcceptDrops(true);
    qApp->installEventFilter(this);

    m_eraseNotice = new QLabel(this);
    m_eraseNotice->setObjectName(QStringLiteral("eraseNotice"));
    m_eraseNotice->setAccessibleName(tr("Files erased at Quit"));
    statusBar()->addPermanentWidget(m_eraseNotice, 1);
    connect(m_menu->eraseBitmaps, &QAction::toggled, this, &MainWindow::updateEraseNotice);
    connect(m_menu->erasePaletteFiles, &QAction::toggled, this, &MainWindow::updateEraseNotice);
    updateEraseNotice();
    m_formatNotice = new QLabel(this);
    m_formatNotice->setObjectName(QStringLiteral("formatNotice"));
    m_formatNotice->setAccessibleName(tr("Panel format"));
    statusBar()->addPermanentWidget(m_formatNotice);
    m_installationNotice = new QLabel(this);
    m_installationNotice->setObjectName(QStringLiteral("installationNotice"));
    m_installationNotice->setAccessibleName(tr("Simulator installation"));
    statusBar()->addPermanentWidget(m_installationNotice);
    connect(&m_documents.fs98(), &BaseDocument::panelReplaced, this,
            &MainWindow::updateFormatNotice);
    connect(&m_documents.fs2k(), &BaseDocument::panelReplaced, this,
            &MainWindow::updateFormatNotice);
    updateFormatNotice();
    m_menu->showMainMenus(menuBar());
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MainWindow::updateMenus);
    m_mdiArea->viewport()->installEventFilter(this);
    resize(1000, 720);
}

MainWindow::~MainWindow() {
    // The template's close filter must not run while the children are torn down.
    m_ending = true;
    disconnect(m_mdiArea, nullptr, this, nullptr);
    m_mdiArea->viewport()->removeEventFilter(this);
    qApp->removeEventFilter(this);
    if (m_templateSubWindow)
        m_templateSubWindow->removeEventFilter(this);
}

void MainWindow::connectMenu() {
    MainMenu& menu = *m_menu;
    connect(menu.newPanel, &QAction::triggered, this, &MainWindow::newPanel);
    connect(menu.open, &QAction::triggered, m_panelCommands, &PanelCommands::open);
    connect(menu.save, &QAction::triggered, m_panelCommands, &PanelCommands::save);
    connect(menu.compare, &QAction::triggered, m_panelCommands, &PanelCommands::compareWithSaved);
    connect(menu.check, &QAction::triggered, m_checkCommands, &CheckCommands::showChecker);
    connect(menu.backups, &QAction::triggered, m_checkCommands, &CheckCommands::showBackups);
    connect(menu.closeTemplate, &QAction::triggered, this, &MainWindow::closeTemplate);
    connect(menu.quit, &QAction::triggered, this, &MainWindow::quit);
    connect(menu.gaugesDirectory, &QAction::triggered, this,
            [this] { openDirectoriesDialog(QStringLiteral("GAUGES")); });
    connect(menu.programDirectory, &QAction::triggered, this,
            [this] { openDirectoriesDialog(QStringLiteral("COCKPIX")); });
    connect(menu.panelDirectory, &QAction::triggered, this,
            [this] { openDirectoriesDialog(QStringLiteral("PANEL")); });
    connect(menu.templateColor, &QAction::triggered, this, &MainWindow::chooseTemplateColor);
    connect(menu.resetColor, &QAction::triggered, this, &MainWindow::resetTemplateColor);
    connect(&menu, &MainMenu::snapOptionsChanged, this, &MainWindow::applySnapOptions);
    connect(&menu, &MainMenu::keySchemeChanged, this, &MainWindow::applyKeyScheme);
    connect(menu.gridSize, &QAction::triggered, this, &MainWindow::chooseGridSize);
    connect(menu.help, &QAction::triggered, this, &MainWindow::showHelp);
    connect(menu.about, &QAction::triggered, this, &MainWindow::showAbout);
    connect(menu.windowsMenu, &QMenu::aboutToShow, this, &MainWindow::updateWindowMenu);
    // While a panel window shows its own menus, these keys still reach the Template menu
    // and the help (no panel window command uses them).
    addActions({menu.newPanel, menu.open, menu.save, menu.quit, menu.help});
}

void MainWindow::connectEditMenu() {
    MainMenu& menu = *m_menu;
    connect(menu.undo, &QAction::triggered, this, [this] { m_documents.current().undo(); });
    connect(menu.redo, &QAction::triggered, this, [this] { m_documents.current().redo(); });
    connect(menu.history, &QAction::triggered, this, &MainWindow::showHistory);
    connect(&m_documents, &PanelDocuments::currentChanged, this, &MainWindow::bindCurrentDocument);
    bindCurrentDocument();
    addActions({menu.undo, menu.redo});
}

// Open and New may make the other format's document the one edited: the Edit menu, the
// history and the modified mark follow its undo stack from then on.
void MainWindow::bindCurrentDocument() {
    for (const QMetaObject::Connection& binding : m_currentBindings)
        disconnect(binding);
    BaseDocument& document = m_documents.current();
    QUndoStack* stack = document.undoStack();
    const auto follow = [this] { followUndoStack(); };
    m_currentBindings = {
        connect(stack, &QUndoStack::indexChanged, this, follow),
        connect(stack, &QUndoStack::cleanChanged, this, follow),
        connect(stack, &QUndoStack::undoTextChanged, this, follow),
        connect(stack, &QUndoStack::redoTextChanged, this, follow),
        connect(&document, &BaseDocument::modifiedChanged, this, &QWidget::setWindowModified),
    };
    followUndoStack();
    setWindowModified(document.isModified());
    if (m_historyView)
        m_historyView->setStack(stack);
}

void MainWindow::followUndoStack() {
    const QUndoStack* stack = m_documents.current().undoStack();
    m_menu->undo->setEnabled(stack->canUndo());
    m_menu->redo->setEnabled(stack->canRedo());
    const QString undoText = stack->undoText();
    const QString redoText = stack->redoText();
    m_menu->undo->setText(undoText.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(undoText));
    m_menu->redo->setText(redoText.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(redoText));
}

void MainWindow::connectGaugeDialogs() {
    connect(m_rowCommands, &TemplateRowCommands::panelWindowShown, m_gaugeDialogs,
            &GaugeDialogs::attach);
    connect(m_gaugeDialogs, &GaugeDialogs::viewWindowRequested, m_rowCommands,
            &TemplateRowCommands::viewWindow);
    connect(m_gaugeDialogs, &GaugeDialogs::recomputeOptionChanged, m_menu,
            &MainMenu::syncOptionsFromModel);
    const auto showStatus = [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    };
    connect(m_gaugeDialogs, &GaugeDialogs::statusMessage, this, showStatus);
    connect(m_fs2kWindows, &fs2k::PanelWindows::statusMessage, this, showStatus);
}

QMdiSubWindow* MainWindow::templateSubWindow() const {
    return m_templateSubWindow;
}
DirectoriesDialog* MainWindow::directoriesDialog() const {
    return m_directoriesDialog;
}
QUndoView* MainWindow::historyView() const {
    return m_historyView;
}
AboutDialog* MainWindow::aboutDialog() const {
    return m_aboutDialog;
}

TemplateWindow* MainWindow::templateWindow() const {
    return m_templateSubWindow ? qobject_cast<TemplateWindow*>(m_templateSubWindow->widget())
                               : nullptr;
}

void MainWindow::setMainCaption() {
    setWindowTitle(captionWithModifiedMark(fromModelPath(mainCaption(m_app.dirs.panelDir))));
    // The caption follows every change of the directories, and so does the notice.
    updateEraseNotice();
}

QString MainWindow::eraseNotice() const {
    return m_eraseNotice->text();
}

void MainWindow::updateEraseNotice() {
    m_eraseNotice->setText(fromModelPath(eraseAtQuitNotice(m_app.options, m_app.dirs)));
    m_eraseNotice->setAccessibleDescription(m_eraseNotice->text());
}

QString MainWindow::formatNotice() const {
    return m_formatNotice->text();
}

void MainWindow::updateFormatNotice() {
    // Only a panel read from a file has a format to tell; a new panel is written as FS98's.
    const BaseDocument& document = m_documents.current();
    const bool opened = !document.filePath().empty();
    const std::string_view name = panelFormatName(document.format());
    m_formatNotice->setText(
        opened ? tr("%1 panel").arg(QString::fromUtf8(name.data(), int(name.size()))) : QString());
    m_formatNotice->setAccessibleDescription(m_formatNotice->text());
    // What was found, and what of it could not be read (a broken manifest.json).
    const Installation& installation = m_app.installation;
    QStringList found;
    if (opened && installation.found())
        found << toQString(installation.description());
    if (opened)
        for (const std::string& problem : installation.problems)
            found << toQString(problem);
    m_installationNotice->setText(found.join(QStringLiteral("; ")));
    m_installationNotice->setToolTip(found.join(QLatin1Char('\n')));
    m_installationNotice->setAccessibleDescription(m_installationNotice->text());
    // An empty notice would still take its margin beside the format's.
    m_installationNotice->setVisible(!found.isEmpty());
}

QString MainWindow::shownCaption() const {
    QString caption = windowTitle();
    caption.replace(QStringLiteral("[*][*]"), QStringLiteral("\x01"));
    caption.replace(QStringLiteral("[*]"), isWindowModified() ? QStringLiteral("*") : QString());
    return caption.replace(QStringLiteral("\x01"), QStringLiteral("[*]"));
}

void MainWindow::saveSettings() {
    if (!writeSettings(m_app.dirs)) {
        m_dialogs.message(tr("The settings file could not be written:\n%1")
                              .arg(fromModelPath(settingsFilePath())));
    }
}

void MainWindow::setOpenEnabled(bool enabled) {
    m_menu->open->setEnabled(enabled);
}
void MainWindow::setSaveEnabled(bool enabled) {
    m_menu->save->setEnabled(enabled);
}

void MainWindow::closePanelWindows() {
    for (QMdiSubWindow* child : m_mdiArea->subWindowList()) {
        if (child != m_templateSubWindow)
            child->close();
    }
}

void MainWindow::closeTemplateWindow() {
    if (!m_templateSubWindow)
        return;
    QMdiSubWindow* child = m_templateSubWindow;
    m_templateSubWindow = nullptr;
    m_closingTemplate = true;
    child->close();
    m_closingTemplate = false;
    // Gone at once, so that the next template window is the only "Form1".
    delete child;
}

void MainWindow::createTemplateWindow(bool demandDirectories) {
    auto* window = new TemplateWindow(m_documents, m_app, m_dialogs);
    connect(window, &TemplateWindow::viewWindowRequested, this, &MainWindow::showPanelWindow);
    connect(window->fs2kTable(), &fs2k::WindowTable::showWindowRequested, this,
            [this](int index) { m_fs2kWindows->show(static_cast<std::size_t>(index)); });
    // Queued: the open replaces the table whose button asked for it.
    connect(
        window->fs2kTable(), &fs2k::WindowTable::openBasePanelRequested, this,
        [this](const QString& path) { openPanelFile(path); }, Qt::QueuedConnection);
    m_rowCommands->attach(window);
    m_toolCommands->attach(window);
    m_templateSubWindow = m_mdiArea->addSubWindow(window);
    m_templateSubWindow->installEventFilter(this);
    window->applyTemplateColor();

    m_app.dirs.gaugesDir.clear();
    m_app.bitmapMissing = 0;
    readSettings(m_app.dirs);
    setMainCaption();
    // The table is wide: give it the whole MDI area, but no more than it needs.
    m_templateWanted = window->sizeHint().expandedTo(QSize(980, 640));
    m_templateSubWindow->move(0, 0);
    fitTemplateWindow();
    m_templateSubWindow->show();
    if (demandDirectories && m_app.dirs.gaugesDir.empty())
        m_dialogs.message(
            QString::fromUtf8(kFirstUseMessage.data(), int(kFirstUseMessage.size())) +
            QString::fromUtf8(kFirstUseKeysNote.data(), int(kFirstUseKeysNote.size())));
}

void MainWindow::endPanel() {
    closeTemplateWindow();
    closePanelWindows();
    m_app.clearPanelState();
    // Every window, dialog and the status bar's findings follow the panel being replaced.
    m_documents.replaceWithFs98(fs98::Panel{}, {});
}

void MainWindow::startEmptyPanel(bool demandDirectories) {
    endPanel();
    createTemplateWindow(demandDirectories);
}

bool MainWindow::settleUnsavedChanges() {
    if (!m_documents.current().isModified())
        return true;
    switch (m_dialogs.askToSave(kUnsavedQuestion)) {
    case SaveChoice::Save:
        // A save cancelled or failed keeps the changes, so the command does not go on.
        return m_panelCommands->save() && !m_documents.current().isModified();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

bool MainWindow::confirmLeavingPanel(std::string_view question) {
    // With unsaved changes, their question (Save / Discard / Cancel) is the one a command
    // that leaves the panel asks: once it is answered, asking "Are you sure ..." too would
    // ask twice.
    if (m_documents.current().isModified())
        return settleUnsavedChanges();
    return question.empty() ||
           m_dialogs.question(QString::fromUtf8(question.data(), int(question.size())));
}

void MainWindow::showPanelWindow(int w) {
    // An fs2k panel's sections count in file order; it has no FS98 windows to view.
    m_documents.visit([&](const fs98::Document&) { m_rowCommands->viewWindow(w); },
                      [&](const fs2k::Document&) {
                          if (w >= 0)
                              m_fs2kWindows->show(static_cast<std::size_t>(w));
                      });
}

void MainWindow::openGaugeProperties(int w, int g) {
    m_documents.visit(
        [&](const fs98::Document& document) { openFs98GaugeProperties(document, w, g); },
        [&](const fs2k::Document&) { openFs2kGaugeProperties(w, g); });
}

void MainWindow::openFs2kGaugeProperties(int w, int g) {
    // w and g count the sections and their gauges in file order.
    if (w < 0 || g < 0)
        return;
    if (fs2k::PanelWindowForm* form = m_fs2kWindows->show(static_cast<std::size_t>(w))) {
        form->selectGauge(g);
        m_fs2kWindows->openProperties(form, g);
    }
}

void MainWindow::openFs98GaugeProperties(const fs98::Document& document, int w, int g) {
    if (w < 0 || w >= document.panel().windowCount || g < 0)
        return;
    // The properties show the gauge's pixels on its panel window: the window comes first.
    if (!m_rowCommands->panelForms().at(w))
        m_rowCommands->viewWindow(w);
    m_gaugeDialogs->openGaugeProperties(w, g);
}

bool MainWindow::openPanelFile(const QString& path) {
    if (!settleUnsavedChanges())
        return false;
    return m_panelCommands->openPath(path);
}

void MainWindow::openRecentFile(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        m_dialogs.message(
            tr("The panel file '%1' is no longer there; it is taken off the list.").arg(path));
        m_recent->remove(path);
        return;
    }
    openPanelFile(path);
}

bool MainWindow::takePanelDrag(QEvent* event) {
    auto* drag = static_cast<QDropEvent*>(event); // enter and move events are drops too
    const QString path = draggedPanelFile(drag->mimeData());
    if (path.isEmpty())
        return false;
    drag->acceptProposedAction();
    if (event->type() == QEvent::Drop) {
        // After the drop has ended: the questions and messages of opening must not run
        // inside the window system's drag.
        QTimer::singleShot(0, this, [this, path] { openPanelFile(path); });
    }
    return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    takePanelDrag(event);
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    takePanelDrag(event);
}

void MainWindow::dropEvent(QDropEvent* event) {
    takePanelDrag(event);
}

void MainWindow::showAtSavedGeometry() {
    const DesktopState state = readDesktopState(desktopStateFilePath());
    const QByteArray geometry =
        QByteArray::fromBase64(QByteArray::fromStdString(state.windowGeometry));
    if (!geometry.isEmpty() && restoreGeometry(geometry)) {
        show();
        return;
    }
    // The first time: the template table is wide. Sized to the screen as well, for a desktop
    // without a window manager to maximize it (a bare X server, Xvfb).
    if (const QScreen* screen = this->screen())
        setGeometry(screen->availableGeometry());
    showMaximized();
}

void MainWindow::saveWindowGeometry() {
    const std::string file = desktopStateFilePath();
    DesktopState state = readDesktopState(file);
    state.windowGeometry = saveGeometry().toBase64().toStdString();
    writeDesktopState(state, file); // a place not kept is no reason to keep the program open
}

void MainWindow::applySnapOptions() {
    const std::string file = desktopStateFilePath();
    DesktopState state = readDesktopState(file);
    state.snap = m_app.snap;
    writeDesktopState(state, file); // options not kept are no reason to stop
    for (QMdiSubWindow* child : m_mdiArea->subWindowList()) {
        if (auto* form = qobject_cast<fs98::PanelWindowForm*>(child->widget()))
            form->refreshSnapping();
        else if (auto* later = qobject_cast<fs2k::PanelWindowForm*>(child->widget()))
            later->refreshSnapping();
    }
}

void MainWindow::applyKeyScheme() {
    const std::string file = desktopStateFilePath();
    DesktopState state = readDesktopState(file);
    state.standardKeys = keyScheme() == KeyScheme::Desktop;
    writeDesktopState(state, file); // a key set not kept is no reason to stop
    for (QMdiSubWindow* child : m_mdiArea->subWindowList()) {
        releaseFrameKeys(child);
        if (auto* provider = dynamic_cast<ChildMenuProvider*>(child->widget()))
            provider->applyKeyScheme();
    }
}

void MainWindow::chooseGridSize() {
    const auto text = m_dialogs.askText(
        {tr("Grid size"),
         tr("Grid size in panel units (%1 to %2):").arg(kSmallestGridStep).arg(kLargestGridStep),
         QString::number(m_app.snap.gridStep)});
    if (!text)
        return;
    const auto step = parseGridStep(text->toStdString());
    if (!step) {
        // One pass over the text: what was typed may hold a "%1" of its own.
        m_dialogs.message(tr("The grid size must be a whole number of panel units from %1 to "
                             "%2.\n\"%3\" is not one; the grid stays at %4.")
                              .arg(QString::number(kSmallestGridStep),
                                   QString::number(kLargestGridStep), text->trimmed(),
                                   QString::number(m_app.snap.gridStep)));
        return;
    }
    m_app.snap.gridStep = *step;
    applySnapOptions();
}

void MainWindow::newPanel() {
    const bool hasContent = m_documents.current().hasContent();
    if (m_templateSubWindow && !hasContent)
        return;
    if (!confirmLeavingPanel(hasContent ? kNewQuestion : std::string_view()))
        return;
    setOpenEnabled(true);
    setSaveEnabled(true);
    startEmptyPanel();
}

void MainWindow::closeTemplate() {
    if (!confirmLeavingPanel(kCloseTemplateQuestion))
        return;
    setOpenEnabled(true);
    setSaveEnabled(false);
    // Nothing of the panel outlives its template: a panel window, a dialog or the findings
    // left open would edit a panel that "&Save" can no longer write.
    endPanel();
}

void MainWindow::quit() {
    if (!confirmLeavingPanel(kQuitQuestion))
        return;
    if (m_app.options.eraseBitmapsOnQuit)
        deleteFilesIn(m_app.dirs.bmpDir);
    if (m_app.options.erasePaletteFilesOnQuit)
        deleteFilesIn(m_app.dirs.paletteDir);
    m_ending = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing by the frame ends the program without the Quit question and without deleting
    // work files, but unsaved changes are not lost without a word.
    if (!m_ending && !settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    m_ending = true;
    saveWindowGeometry();
    event->accept();
    emit programEnding();
}

void MainWindow::fitTemplateWindow() {
    QMdiSubWindow* sub = m_templateSubWindow;
    if (!sub || sub->isMaximized() || sub->isMinimized())
        return;
    // Within the MDI area, so that the template's own scroll bars take over rather than the
    // table being cut off at the area's edge; as large as wanted when there is room again.
    const QSize room = m_mdiArea->viewport()->size();
    const QSize size = m_templateWanted.boundedTo(room);
    const QPoint at(std::clamp(sub->x(), 0, std::max(0, room.width() - size.width())),
                    std::clamp(sub->y(), 0, std::max(0, room.height() - size.height())));
    m_fittingTemplate = true;
    sub->setGeometry(QRect(at, size));
    m_fittingTemplate = false;
}

// QMdiSubWindow sets the frame's modified flag from its own when a child comes or goes (the
// panel window the Zoom dialog rebuilds, for one): the mark says what the panel says.
void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ModifiedChange && !m_ending &&
        isWindowModified() != m_documents.current().isModified())
        setWindowModified(m_documents.current().isModified());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A panel dragged over a text box of a child window: the box would take the file's
    // address as text; the whole window opens the panel instead.
    const QEvent::Type type = event->type();
    if ((type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) &&
        watched != this && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this && takePanelDrag(event))
        return true;
    if (event->type() == QEvent::Resize && !m_ending) {
        if (watched == m_mdiArea->viewport())
            fitTemplateWindow();
        else if (watched == m_templateSubWindow && !m_fittingTemplate)
            m_templateWanted = static_cast<QResizeEvent*>(event)->size(); // the user's size
    }
    // The template's own close button asks and updates the menus as "Close Template" does.
    if (event->type() == QEvent::Close && watched == m_templateSubWindow && !m_closingTemplate &&
        !m_ending) {
        event->ignore();
        QTimer::singleShot(0, this, &MainWindow::closeTemplate);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::applyTemplateColor() {
    if (TemplateWindow* window = templateWindow())
        window->applyTemplateColor();
}

void MainWindow::chooseTemplateColor() {
    const auto color = m_dialogs.chooseColor(toQColor(m_app.templateColor));
    if (!color)
        return;
    m_app.templateColor = toColorRef(*color);
    applyTemplateColor();
}

void MainWindow::resetTemplateColor() {
    m_app.templateColor = kDefaultTemplateColor;
    applyTemplateColor();
}

QString MainWindow::helpFilePath() const {
    // Until the COCKPIX directory is set (or when it lacks the help), the help beside the
    // running program is the one.
    return fromModelPath(m_app.shippedFile(kHelpFileName));
}

void MainWindow::showHelp() {
    const QString path = helpFilePath();
    if (!m_dialogs.showHelp(path))
        m_dialogs.message(tr("The help file '%1' could not be shown.").arg(path));
}

void MainWindow::showAbout() {
    if (!m_aboutDialog)
        m_aboutDialog = new AboutDialog(this);
    m_aboutDialog->show();
    m_aboutDialog->raise();
    m_aboutDialog->activateWindow();
}

void MainWindow::showHistory() {
    if (!m_historyView) {
        m_historyView = new QUndoView(m_documents.current().undoStack(), this);
        m_historyView->setObjectName(QStringLiteral("historyView"));
        m_historyView->setWindowFlag(Qt::Tool);
        m_historyView->setAttribute(Qt::WA_DeleteOnClose);
        m_historyView->setWindowTitle(tr("History"));
        m_historyView->setAccessibleName(tr("History"));
        m_historyView->setEmptyLabel(tr("<opened panel>"));
        m_historyView->resize(320, 400);
        // Every step is one line of text: rows are not measured one by one, so a history of
        // thousands of steps follows each edit at once.
        m_historyView->setUniformItemSizes(true);
    }
    m_historyView->show();
    m_historyView->raise();
    m_historyView->activateWindow();
}

void MainWindow::openDirectoriesDialog(const QString& target) {
    // A dialog left open for another target gives way, as if cancelled.
    if (m_directoriesDialog)
        m_directoriesDialog->reject();
    m_directoriesDialog = new DirectoriesDialog(m_app, target, m_dialogs, this);
    connect(m_directoriesDialog, &DirectoriesDialog::directoryConfirmed, this,
            &MainWindow::setMainCaption);
    m_directoriesDialog->show();
    m_directoriesDialog->raise();
    m_directoriesDialog->activateWindow();
}

// A child's frame has a Close of its own (its system menu) that most desktops key Ctrl+W,
// a key the menus' Close commands may hold: theirs then, or neither would run. The frame's
// keys are kept the first time, and it gets them back when the menus no longer use them.
void MainWindow::releaseFrameKeys(QMdiSubWindow* child) const {
    QMenu* system = child ? child->systemMenu() : nullptr;
    if (!system)
        return;
    const QList<QKeySequence> taken = m_menu->closeTemplate->shortcuts();
    for (QAction* action : system->actions()) {
        const char* kept = "cockpixFrameKeys";
        if (!action->property(kept).isValid())
            action->setProperty(kept, QVariant::fromValue(action->shortcuts()));
        QList<QKeySequence> keys = action->property(kept).value<QList<QKeySequence>>();
        keys.removeIf([&taken](const QKeySequence& key) { return taken.contains(key); });
        action->setShortcuts(keys);
    }
}

void MainWindow::updateMenus() {
    QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    releaseFrameKeys(active);
    auto* provider = active ? dynamic_cast<ChildMenuProvider*>(active->widget()) : nullptr;
    if (provider != nullptr)
        m_menu->showChildMenus(menuBar(), provider->childMenus());
    else if (!menuBar()->actions().contains(m_menu->templateMenu->menuAction()))
        m_menu->showMainMenus(menuBar());
}

void MainWindow::updateWindowMenu() {
    QMenu* menu = m_menu->windowsMenu;
    menu->clear();
    const QList<QMdiSubWindow*> children = m_mdiArea->subWindowList();
    for (int i = 0; i < children.size(); ++i) {
        QMdiSubWindow* child = children.at(i);
        QAction* action = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
            child->windowTitle().replace(QLatin1Char('&'), QStringLiteral("&&"))));
        action->setCheckable(true);
        action->setChecked(child == m_mdiArea->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, child = QPointer(child)] {
            if (child)
                m_mdiArea->setActiveSubWindow(child);
        });
    }
    addFs2kWindowsToMenu(menu);
}

// An fs2k panel's windows and virtual cockpits, each shown (or brought to the front) from
// here as from the template's table.
void MainWindow::addFs2kWindowsToMenu(QMenu* menu) {
    const fs2k::Panel& panel = m_documents.fs2k().panel();
    if (panel.windows.empty())
        return;
    menu->addSeparator();
    QMenu* show = menu->addMenu(tr("&Show panel window"));
    show->setObjectName(QStringLiteral("mnushowlater"));
    for (std::size_t i = 0; i < panel.windows.size(); ++i) {
        const fs2k::Window& window = panel.windows[i];
        const fs2k::Title* title =
            window.kind == fs2k::WindowKind::Window ? panel.titleOf(window.number) : nullptr;
        QString text =
            QStringLiteral("[%1]").arg(fromPanelText(window.header, m_documents.fs2k().encoding()));
        if (title)
            text +=
                QStringLiteral(" ") + fromPanelText(title->title, m_documents.fs2k().encoding());
        QAction* action = show->addAction(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setObjectName(QStringLiteral("mnushowlater_%1").arg(i));
        connect(action, &QAction::triggered, this, [this, i] { m_fs2kWindows->show(i); });
    }
}

} // namespace cockpix

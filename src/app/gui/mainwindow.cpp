#include "app/gui/mainwindow.h"

#include "app/gui/modeltext.h"

#include "app/core/settings.h"
#include "app/core/shelltexts.h"
#include "app/core/workfiles.h"
#include "app/gui/aboutdialog.h"
#include "app/gui/childmenuprovider.h"
#include "app/gui/colorref.h"
#include "app/gui/directoriesdialog.h"
#include "app/gui/mainmenu.h"
#include "app/gui/panelcommands.h"
#include "app/gui/userdialogs.h"
#include "panel/core/panelmodel.h"
#include "template/gui/templaterowcommands.h"
#include "template/gui/templatewindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace cockpix {

MainWindow::MainWindow(PanelModel& model, UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_model(model), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QString::fromUtf8(kDesignedCaption.data(), int(kDesignedCaption.size())));
    m_model.templateColor = kDefaultTemplateColor;

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);

    m_menu = new MainMenu(m_model, this);
    m_panelCommands = new PanelCommands(*this, m_model, m_dialogs);
    m_rowCommands = new TemplateRowCommands(m_model, m_dialogs, m_mdiArea, this);
    connectMenu();
    m_menu->showMainMenus(menuBar());
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MainWindow::updateMenus);
    resize(1000, 720);
}

MainWindow::~MainWindow() {
    // The template's close filter must not run while the children are torn down.
    m_ending = true;
    disconnect(m_mdiArea, nullptr, this, nullptr);
    if (m_templateSubWindow)
        m_templateSubWindow->removeEventFilter(this);
}

void MainWindow::connectMenu() {
    MainMenu& menu = *m_menu;
    connect(menu.newPanel, &QAction::triggered, this, &MainWindow::newPanel);
    connect(menu.open, &QAction::triggered, m_panelCommands, &PanelCommands::open);
    connect(menu.save, &QAction::triggered, m_panelCommands, &PanelCommands::save);
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
    connect(menu.help, &QAction::triggered, this, &MainWindow::showHelp);
    connect(menu.about, &QAction::triggered, this, &MainWindow::showAbout);
    connect(menu.windowsMenu, &QMenu::aboutToShow, this, &MainWindow::updateWindowMenu);
}

QMdiSubWindow* MainWindow::templateSubWindow() const {
    return m_templateSubWindow;
}
DirectoriesDialog* MainWindow::directoriesDialog() const {
    return m_directoriesDialog;
}
AboutDialog* MainWindow::aboutDialog() const {
    return m_aboutDialog;
}

TemplateWindow* MainWindow::templateWindow() const {
    return m_templateSubWindow ? qobject_cast<TemplateWindow*>(m_templateSubWindow->widget())
                               : nullptr;
}

void MainWindow::setMainCaption() {
    setWindowTitle(fromModelPath(mainCaption(m_model.dirs.panelDir)));
}

void MainWindow::saveSettings() {
    if (!writeSettings(m_model.dirs)) {
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

void MainWindow::createTemplateWindow() {
    auto* window = new TemplateWindow(m_model, m_dialogs);
    connect(window, &TemplateWindow::viewWindowRequested, this, &MainWindow::showPanelWindow);
    m_rowCommands->attach(window);
    m_templateSubWindow = m_mdiArea->addSubWindow(window);
    m_templateSubWindow->installEventFilter(this);
    window->applyTemplateColor();

    m_model.paletteResultFile.clear();
    m_model.dirs.gaugesDir.clear();
    m_model.bitmapMissing = 0;
    readSettings(m_model.dirs);
    setMainCaption();
    // The table is wide: give it the whole MDI area, but no more than it needs.
    const QSize wanted = window->sizeHint().expandedTo(QSize(980, 640));
    m_templateSubWindow->resize(wanted.boundedTo(m_mdiArea->viewport()->size()));
    m_templateSubWindow->move(0, 0);
    m_templateSubWindow->show();
    if (m_model.dirs.gaugesDir.empty())
        m_dialogs.message(fromModelPath(std::string(kFirstUseMessage)));
}

void MainWindow::startEmptyPanel() {
    closeTemplateWindow();
    closePanelWindows();
    m_model.clearModel();
    createTemplateWindow();
}

void MainWindow::showPanelWindow(int w) {
    m_rowCommands->viewWindow(w);
}

void MainWindow::newPanel() {
    if (m_templateSubWindow && m_model.windowCount == 0)
        return;
    if (m_model.windowCount > 0 && !m_dialogs.question(fromModelPath(std::string(kNewQuestion))))
        return;
    setOpenEnabled(true);
    setSaveEnabled(true);
    startEmptyPanel();
}

void MainWindow::closeTemplate() {
    if (!m_dialogs.question(fromModelPath(std::string(kCloseTemplateQuestion))))
        return;
    setOpenEnabled(true);
    setSaveEnabled(false);
    closeTemplateWindow();
}

void MainWindow::quit() {
    if (!m_dialogs.question(fromModelPath(std::string(kQuitQuestion))))
        return;
    if (m_model.options.eraseBitmapsOnQuit)
        deleteFilesIn(m_model.dirs.bmpDir);
    if (m_model.options.erasePaletteFilesOnQuit)
        deleteFilesIn(m_model.dirs.paletteDir);
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing by the frame ends the program at once: no question, no deletions.
    m_ending = true;
    event->accept();
    emit programEnding();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
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
    const auto color = m_dialogs.chooseColor(toQColor(m_model.templateColor));
    if (!color)
        return;
    m_model.templateColor = toColorRef(*color);
    applyTemplateColor();
}

void MainWindow::resetTemplateColor() {
    m_model.templateColor = kDefaultTemplateColor;
    applyTemplateColor();
}

QString MainWindow::helpFilePath() const {
    // Until the COCKPIX directory is set, the help beside the running program is the one.
    QString dir = fromModelPath(m_model.dirs.programDir);
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    return dir + QString::fromLatin1(kHelpFileName.data(), int(kHelpFileName.size()));
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

void MainWindow::openDirectoriesDialog(const QString& target) {
    // A dialog left open for another target gives way, as if cancelled.
    if (m_directoriesDialog)
        m_directoriesDialog->reject();
    m_model.dirDialogTarget = target.toStdString();
    m_directoriesDialog = new DirectoriesDialog(m_model, m_dialogs, this);
    connect(m_directoriesDialog, &DirectoriesDialog::directoryConfirmed, this,
            &MainWindow::setMainCaption);
    m_directoriesDialog->show();
    m_directoriesDialog->raise();
    m_directoriesDialog->activateWindow();
}

void MainWindow::updateMenus() {
    QMdiSubWindow* active = m_mdiArea->activeSubWindow();
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
}

} // namespace cockpix

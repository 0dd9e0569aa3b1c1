#include "app/gui/application.h"

#include "app/core/demoinstall.h"
#include "app/gui/mainwindow.h"
#include "app/gui/panelcommands.h"
#include "base/gui/modeltext.h"
#include "base/gui/programicon.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <iostream>

namespace cockpix {

Application::Application(UserDialogs* dialogs) : m_dialogs(dialogs ? *dialogs : m_ownDialogs) {}
Application::~Application() = default;

int Application::run(int argc, char* argv[]) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    const CommandLine commandLine = parseCommandLine(args);
    if (commandLine.showHelp) {
        std::cout << commandLineUsage();
        return 0;
    }
    if (commandLine.showVersion) {
        std::cout << versionLine();
        return 0;
    }
    if (!commandLine.error.empty()) {
        std::cerr << "cockpix: " << commandLine.error << "\n\n" << commandLineUsage();
        return 2;
    }
    CommandLine startWith = commandLine;
    if (commandLine.demo && !prepareDemoStart(startWith))
        return 1;
    start(startWith);
    if (startWith.exitWhenShown) {
        // The windows are on screen once the events of their showing have been handled.
        QTimer::singleShot(0, qApp, [] {
            QCoreApplication::processEvents();
            QCoreApplication::quit();
        });
    }
    return QApplication::exec();
}

// The demo runs on its own settings file inside the demo folder, set before the template
// window first reads the settings.
bool Application::prepareDemoStart(CommandLine& commandLine) {
    const std::string programDir = toModelPath(QCoreApplication::applicationDirPath()) + "/";
    const auto demoDir = findDemoDir(programDir);
    if (!demoDir) {
        std::cerr << "cockpix: no demo installation beside the program (" << programDir
                  << "../demo) nor in " << installedDataDir(programDir)
                  << "demo; build it, or set COCKPIX_DEMO_DIR\n";
        return false;
    }
    const DemoPlace place = writableDemoDir(*demoDir, programDir, userDemoDir());
    if (!place.problem.empty()) {
        std::cerr << "cockpix: " << place.problem << "\n";
        return false;
    }
    const DemoInstall demo = demoInstall(place.dir, programDir);
    if (const std::string problem = prepareDemo(demo); !problem.empty()) {
        std::cerr << "cockpix: " << problem << "\n";
        return false;
    }
    qputenv("COCKPIX_CONFIG_DIR", QByteArray::fromStdString(demo.configDir));
    if (commandLine.panelPath.empty())
        commandLine.panelPath = demo.panelPath;
    return true;
}

namespace {

// Why a panel file named on the command line cannot be opened, or an empty text.
QString unopenableReason(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists())
        return QObject::tr("there is no such file");
    if (file.isDir())
        return QObject::tr("it is a directory");
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly))
        return probe.errorString();
    return {};
}

} // namespace

void Application::start(const CommandLine& commandLine) {
    QApplication::setApplicationName(QStringLiteral("COCKPIX"));
    // The desktop entry's name, so that the window system matches windows to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("cockpix"));
    QApplication::setWindowIcon(programIcon());
    m_app.installedDir = toModelPath(QCoreApplication::applicationDirPath()) + "/";
    m_window = std::make_unique<MainWindow>(m_documents, m_app, m_dialogs);
    m_ownDialogs.setParentWindow(m_window.get());
    QObject::connect(m_window.get(), &MainWindow::programEnding, qApp, &QApplication::quit,
                     Qt::QueuedConnection);
    m_window->showAtSavedGeometry();
    if (commandLine.panelPath.empty()) {
        m_window->createTemplateWindow();
        return;
    }
    const QString path = QFileInfo(fromModelPath(commandLine.panelPath)).absoluteFilePath();
    if (const QString reason = unopenableReason(path); !reason.isEmpty()) {
        // Nothing is opened and no setting changes: the program starts as without a file.
        m_window->createTemplateWindow();
        m_dialogs.message(
            QObject::tr("The panel file '%1' cannot be opened: %2.").arg(path, reason));
        return;
    }
    // Opening creates the template window itself, so the first-use message comes once.
    const bool opened = m_window->panelCommands().openPath(path);
    if (opened && commandLine.showWindow >= 0)
        m_window->showPanelWindow(commandLine.showWindow);
}

} // namespace cockpix

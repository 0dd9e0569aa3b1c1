// The main window: start-up, caption, menus, option pairs, New / Close Template / Quit,
// template colour, window list, child menus, help, About and the program's command line.

#include "app/gui/aboutdialog.h"
#include "app/gui/childmenuprovider.h"
#include "app/gui/userdialogs.h"
#include "shellfixture.h"
#include "template/gui/templatewindow.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBrowser>

using namespace cockpix;

namespace {

const QString kFirstUse = QStringLiteral(
    "It may be your first use of COCKPIX,\nPlease set NOW your \\GAUGES\\ and \\COCKPIX\\ "
    "directories.\n(Select menu : 'Directories...').");

// A panel window stand-in with a menu bar of its own.
class MenuChild : public QWidget, public ChildMenuProvider {
public:
    MenuChild() : menu(new QMenu(QStringLiteral("&Gauges"), this)) {
        setWindowTitle(QStringLiteral("Main Panel"));
    }
    QList<QMenu*> childMenus() const override { return {menu}; }
    QMenu* menu;
};

QStringList menuBarCaptions(QMenuBar* bar) {
    QStringList captions;
    for (QAction* action : bar->actions())
        captions << action->text();
    return captions;
}

// A panel of three windows in the model and the template, as after an Open.
void loadThreeWindows(ShellFixture& f) {
    f.model.windowCount = 3;
    for (int w = 0; w < 3; ++w) {
        f.model.window(w).windowTitle = "Window " + std::to_string(w);
        f.model.window(w).windowBitmap = "panel" + std::to_string(w);
        f.model.window(w).windowSizeRatio = 1;
    }
    f.window->templateWindow()->fillFromModel();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startsWithoutSettingsFile();
    void emptyGaugesLineStillNamesThePanelDirectory();
    void menuBarShapeAndStartState();
    void optionPairsAreExclusiveAndStartAtTheirDefaults();
    void newAndCloseTemplateFollowTheirQuestions();
    void templateCloseButtonAsksLikeCloseTemplate();
    void quitDeletesWorkFilesOnlyWhenAsked();
    void quitWithUnsetDirectoriesDeletesNothing();
    void closingTheFrameEndsWithoutQuestionOrDeletion();
    void templateColourCommands();
    void windowListAndChildMenus();
    void helpAndAbout();
    void acceleratorsWorkFromTheKeyboard();
    void realHelpViewerShowsTheShippedHelp();
    void commandLineHelpAndErrors();
};

void TestMainWindow::startsWithoutSettingsFile() {
    ShellFixture f;
    f.window = std::make_unique<MainWindow>(f.model, f.dialogs);
    QCOMPARE(f.window->objectName(), QStringLiteral("MDIForm1"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("COCKPIX"));
    QCOMPARE(f.model.templateColor, kDefaultTemplateColor);

    f.window->show();
    f.window->createTemplateWindow();

    QCOMPARE(f.window->windowTitle(), kCaptionPrefix);
    QCOMPARE(f.dialogs.messages(), QStringList{kFirstUse});
    QVERIFY(f.window->templateSubWindow() != nullptr);
    QCOMPARE(f.window->templateWindow()->objectName(), QStringLiteral("Form1"));
    QCOMPARE(f.window->templateSubWindow()->windowTitle(), QStringLiteral("PANEL TEMPLATE"));
    QCOMPARE(f.window->mdiArea()->subWindowList().size(), 1);
    QVERIFY(!QFile::exists(f.settingsPath())); // starting writes nothing
}

void TestMainWindow::emptyGaugesLineStillNamesThePanelDirectory() {
    ShellFixture f;
    f.writeSettingsLines({"", "/x/bmp/", "/x/palette/", "/fs98/aircraft/c182/panel/", "/p/"});
    f.start();
    QCOMPARE(f.window->windowTitle(), kCaptionPrefix + "/fs98/aircraft/c182/panel/");
    QCOMPARE(f.dialogs.messages(), QStringList{kFirstUse});
    QCOMPARE(f.model.dirs.bmpDir, std::string("/x/bmp/"));

    // With the gauges directory set there is no reminder, even if none of it exists.
    ShellFixture g;
    g.writeSettingsLines({"/no/such/gauges/", "/no/such/gauges/bmp/", "/no/such/gauges/palette/",
                          "/no/such/panel/", "/no/such/prog/"});
    g.start();
    QVERIFY(g.dialogs.messages().isEmpty());
    QCOMPARE(g.window->windowTitle(), kCaptionPrefix + "/no/such/panel/");
}

void TestMainWindow::menuBarShapeAndStartState() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
    QCOMPARE(
        menuBarCaptions(f.window->menuBar()),
        (QStringList{"&Template", "&Directories", "&Options", "&Windows", "&Help", "&About..."}));

    for (QAction* action : f.window->findChildren<QAction*>()) {
        if (action->objectName().startsWith("mnu"))
            QVERIFY2(action->isEnabled(), qPrintable(action->objectName()));
    }
    QCOMPARE(f.action("mnuclose")->shortcut(), QKeySequence("Ctrl+C"));

    // The separator after "&Save", and one after each option pair.
    const QList<QAction*> templateItems = f.window->mainMenu().templateMenu->actions();
    QCOMPARE(templateItems.size(), 6);
    QVERIFY(templateItems.at(3)->isSeparator());
    QStringList optionShape;
    for (QAction* action : f.window->mainMenu().optionsMenu->actions())
        optionShape << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    QCOMPARE(optionShape, (QStringList{"mnucompute", "mnurecomp", "-", "mnuframe", "mnunoframe",
                                       "-", "mnukeepbmp", "mnuerasebmp", "-", "mnukeeppalette",
                                       "mnunopalette", "-", "mnucolors", "mnureset"}));
}

void TestMainWindow::optionPairsAreExclusiveAndStartAtTheirDefaults() {
    ShellFixture f;
    f.writeUsualSettings();
    f.model.options.alwaysRecomputeBitmaps = true; // a previous run's choice is not kept
    f.model.options.frameAroundGauges = false;
    f.start();

    const char* firsts[] = {"mnucompute", "mnuframe", "mnukeepbmp", "mnukeeppalette"};
    const char* seconds[] = {"mnurecomp", "mnunoframe", "mnuerasebmp", "mnunopalette"};
    for (int i = 0; i < 4; ++i) {
        QVERIFY(f.action(firsts[i])->isChecked());
        QVERIFY(!f.action(seconds[i])->isChecked());
    }
    QCOMPARE(f.model.options.alwaysRecomputeBitmaps, false);
    QCOMPARE(f.model.options.frameAroundGauges, true);

    f.trigger("mnurecomp");
    QVERIFY(f.action("mnurecomp")->isChecked());
    QVERIFY(!f.action("mnucompute")->isChecked());
    QCOMPARE(f.model.options.alwaysRecomputeBitmaps, true);
    f.trigger("mnurecomp"); // choosing the checked item leaves the pair as it is
    QVERIFY(f.action("mnurecomp")->isChecked());
    QCOMPARE(f.model.options.alwaysRecomputeBitmaps, true);

    f.trigger("mnunoframe");
    QCOMPARE(f.model.options.frameAroundGauges, false);
    f.trigger("mnuframe");
    QCOMPARE(f.model.options.frameAroundGauges, true);
    f.trigger("mnuerasebmp");
    QCOMPARE(f.model.options.eraseBitmapsOnQuit, true);
    QCOMPARE(f.model.options.erasePaletteFilesOnQuit, false);
    f.trigger("mnunopalette");
    QCOMPARE(f.model.options.erasePaletteFilesOnQuit, true);
    f.trigger("mnukeeppalette");
    QCOMPARE(f.model.options.erasePaletteFilesOnQuit, false);

    // Another part of the program changing an option updates the check marks.
    f.model.options.alwaysRecomputeBitmaps = false;
    f.window->mainMenu().syncOptionsFromModel();
    QVERIFY(f.action("mnucompute")->isChecked());

    // A restart begins with the defaults again.
    f.window = std::make_unique<MainWindow>(f.model, f.dialogs);
    QVERIFY(f.action("mnucompute")->isChecked());
    QVERIFY(f.action("mnukeepbmp")->isChecked());
    QCOMPARE(f.model.options.eraseBitmapsOnQuit, false);
}

void TestMainWindow::newAndCloseTemplateFollowTheirQuestions() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();

    // An empty template: New does nothing and asks nothing.
    TemplateWindow* first = f.window->templateWindow();
    f.trigger("mnunew");
    QCOMPARE(f.window->templateWindow(), first);
    QVERIFY(f.dialogs.questions().isEmpty());

    loadThreeWindows(f);
    QCOMPARE(f.model.windowCount, 3);

    f.dialogs.queueQuestionAnswer(false);
    f.trigger("mnuclose");
    QCOMPARE(f.dialogs.questions().last(), QStringLiteral("Are you sure to leave this panel?"));
    QVERIFY(f.window->templateWindow() != nullptr);

    f.dialogs.queueQuestionAnswer(true);
    f.trigger("mnuclose");
    QVERIFY(f.window->templateWindow() == nullptr);
    QVERIFY(f.action("mnuopen")->isEnabled());
    QVERIFY(!f.action("mnusave")->isEnabled());
    QCOMPARE(f.model.windowCount, 3); // the panel stays in memory

    const QString newQuestion =
        QStringLiteral("Are you sure to clear this panel ?\nDo not forget to save if needed.");
    f.dialogs.queueQuestionAnswer(false);
    f.trigger("mnunew");
    QCOMPARE(f.dialogs.questions().last(), newQuestion);
    QVERIFY(f.window->templateWindow() == nullptr);
    QCOMPARE(f.model.windowCount, 3);

    f.dialogs.queueQuestionAnswer(true);
    f.trigger("mnunew");
    QVERIFY(f.window->templateWindow() != nullptr);
    QCOMPARE(f.model.windowCount, 0);
    QCOMPARE(f.model.window(0).windowTitle, std::string());
    QVERIFY(f.action("mnuopen")->isEnabled());
    QVERIFY(f.action("mnusave")->isEnabled());
    QCOMPARE(f.window->findChildren<TemplateWindow*>().size(), 1);
    QVERIFY(f.dialogs.verifyAllAnswersUsed());

    // After Close Template with an empty panel, New shows the template again, unasked.
    f.dialogs.queueQuestionAnswer(true);
    f.trigger("mnuclose");
    f.trigger("mnunew");
    QVERIFY(f.window->templateWindow() != nullptr);
    QCOMPARE(f.dialogs.questions().size(), 5); // the last New asked nothing
}

void TestMainWindow::templateCloseButtonAsksLikeCloseTemplate() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
    f.dialogs.queueQuestionAnswer(false);
    f.window->templateSubWindow()->close();
    QTRY_COMPARE(f.dialogs.questions().size(), 1);
    QVERIFY(f.window->templateWindow() != nullptr);
    QVERIFY(f.window->templateSubWindow()->isVisible());

    f.dialogs.queueQuestionAnswer(true);
    f.window->templateSubWindow()->close();
    QTRY_VERIFY(f.window->templateWindow() == nullptr);
    QVERIFY(!f.action("mnusave")->isEnabled());
}

void TestMainWindow::quitDeletesWorkFilesOnlyWhenAsked() {
    ShellFixture f;
    f.writeUsualSettings();
    const QString bmp = f.path("fs98/gauges/bmp/");
    const QString palette = f.path("fs98/gauges/palette/");
    for (const QString& file : {bmp + "cessna_182.airspeed.bmp", bmp + "a.bmp",
                                bmp + "keep/inner.bmp", palette + "result_panel.txt"}) {
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
    }
    f.start();
    QSignalSpy ending(f.window.get(), &MainWindow::programEnding);

    f.trigger("mnuerasebmp");
    f.dialogs.queueQuestionAnswer(false);
    f.trigger("mnuquit");
    QCOMPARE(f.dialogs.questions().last(),
             QStringLiteral("Are you sure to leave COCKPIX ?\nDo not forget to save if needed."));
    QVERIFY(QFile::exists(bmp + "a.bmp"));
    QCOMPARE(ending.count(), 0);
    QVERIFY(f.window->isVisible());

    f.dialogs.queueQuestionAnswer(true);
    f.trigger("mnuquit");
    QVERIFY(!QFile::exists(bmp + "a.bmp"));
    QVERIFY(!QFile::exists(bmp + "cessna_182.airspeed.bmp"));
    QVERIFY(QFile::exists(bmp + "keep/inner.bmp")); // subdirectories are never touched
    QVERIFY(QFile::exists(palette + "result_panel.txt"));
    QCOMPARE(ending.count(), 1);
    QVERIFY(!f.window->isVisible());
}

void TestMainWindow::quitWithUnsetDirectoriesDeletesNothing() {
    ShellFixture f;
    f.start(); // no settings: every directory is empty
    f.trigger("mnuerasebmp");
    f.trigger("mnunopalette");
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(f.temp.path()));
    QFile probe(f.path("innocent.txt"));
    QVERIFY(probe.open(QIODevice::WriteOnly));
    probe.close();

    f.dialogs.queueQuestionAnswer(true);
    f.trigger("mnuquit");
    QDir::setCurrent(before);
    QVERIFY(QFile::exists(f.path("innocent.txt")));

    // Directories that name folders which do not exist are no trouble either.
    ShellFixture g;
    g.writeSettingsLines({"/no/such/", "/no/such/bmp/", "/no/such/palette/", "/no/", "/no/"});
    g.start();
    g.trigger("mnuerasebmp");
    g.trigger("mnunopalette");
    g.dialogs.queueQuestionAnswer(true);
    g.trigger("mnuquit");
    QVERIFY(!g.window->isVisible());
}

void TestMainWindow::closingTheFrameEndsWithoutQuestionOrDeletion() {
    ShellFixture f;
    f.writeUsualSettings();
    const QString file = f.path("fs98/gauges/bmp/a.bmp");
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.close();
    f.start();
    f.trigger("mnuerasebmp");
    QSignalSpy ending(f.window.get(), &MainWindow::programEnding);
    QVERIFY(f.window->close());
    QCOMPARE(ending.count(), 1);
    QVERIFY(f.dialogs.questions().isEmpty());
    QVERIFY(QFile::exists(file));
}

void TestMainWindow::templateColourCommands() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
    const QColor lightYellow(0xFF, 0xFF, 0xE0);
    QLabel* label = f.window->templateWindow()->colouredLabels().first();
    QCOMPARE(label->palette().color(label->backgroundRole()), lightYellow);

    f.dialogs.queueColor(std::nullopt);
    f.trigger("mnucolors");
    QCOMPARE(f.dialogs.colorRequests().last(), lightYellow);
    QCOMPARE(f.model.templateColor, ColorRef(0xE0FFFF));

    f.dialogs.queueColor(QColor(0x12, 0x34, 0x56));
    f.trigger("mnucolors");
    QCOMPARE(f.model.templateColor, ColorRef(0x563412));
    for (QLabel* each : f.window->templateWindow()->colouredLabels())
        QCOMPARE(each->palette().color(each->backgroundRole()), QColor(0x12, 0x34, 0x56));

    f.trigger("mnureset");
    QCOMPARE(f.model.templateColor, ColorRef(0xE0FFFF));
    QCOMPARE(label->palette().color(label->backgroundRole()), lightYellow);

    // The colour outlives New, which makes a new template window.
    f.dialogs.queueColor(QColor(Qt::red));
    f.trigger("mnucolors");
    f.window->startEmptyPanel();
    QLabel* fresh = f.window->templateWindow()->colouredLabels().first();
    QCOMPARE(fresh->palette().color(fresh->backgroundRole()), QColor(Qt::red));
}

void TestMainWindow::windowListAndChildMenus() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
    auto* child = new MenuChild;
    QMdiSubWindow* childWindow = f.window->mdiArea()->addSubWindow(child);
    childWindow->show();
    f.window->mdiArea()->setActiveSubWindow(childWindow);

    // A panel window's own menus replace the main ones; "&Windows" stays.
    QCOMPARE(menuBarCaptions(f.window->menuBar()), (QStringList{"&Gauges", "&Windows"}));

    QMenu* windows = f.window->mainMenu().windowsMenu;
    emit windows->aboutToShow();
    QStringList entries;
    for (QAction* action : windows->actions())
        entries << action->text();
    QCOMPARE(entries, (QStringList{"&1 PANEL TEMPLATE", "&2 Main Panel"}));
    QVERIFY(windows->actions().at(1)->isChecked());

    windows->actions().at(0)->trigger();
    QCOMPARE(f.window->mdiArea()->activeSubWindow(), f.window->templateSubWindow());
    QCOMPARE(menuBarCaptions(f.window->menuBar()).first(), QStringLiteral("&Template"));

    // New and Open close every panel window, never the template itself.
    f.window->closePanelWindows();
    QTRY_COMPARE(f.window->mdiArea()->subWindowList().size(), 1);
    QCOMPARE(f.window->mdiArea()->subWindowList().first(), f.window->templateSubWindow());
}

void TestMainWindow::helpAndAbout() {
    ShellFixture f;
    f.writeUsualSettings();
    QDir().mkpath(f.path("prog"));
    f.start();

    f.trigger("mnuhelp"); // prog/ holds no help file
    QCOMPARE(f.dialogs.helpRequests().last(), f.path("prog/cockpix_help.html"));
    QVERIFY(f.dialogs.lastMessage().contains(f.path("prog/cockpix_help.html")));

    QFile help(f.path("prog/cockpix_help.html"));
    QVERIFY(help.open(QIODevice::WriteOnly));
    help.write("<html><body>help</body></html>");
    help.close();
    const int messagesBefore = f.dialogs.messages().size();
    f.trigger("mnuhelp");
    QCOMPARE(f.dialogs.messages().size(), messagesBefore);

    // Until the COCKPIX directory is set, the help next to the program is shown.
    f.model.dirs.programDir.clear();
    f.trigger("mnuhelp");
    QCOMPARE(f.dialogs.helpRequests().last(),
             QCoreApplication::applicationDirPath() + "/cockpix_help.html");

    f.trigger("mnuabout");
    AboutDialog* about = f.window->aboutDialog();
    QVERIFY(about != nullptr);
    QCOMPARE(about->objectName(), QStringLiteral("Form4"));
    QCOMPARE(about->windowTitle(), QStringLiteral("About..."));
    QVERIFY(about->isVisible());
    QVERIFY(!about->isModal());
    auto* cancel = about->findChild<QPushButton*>(QStringLiteral("Command1"));
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    QTest::mouseClick(cancel, Qt::LeftButton);
    QTRY_VERIFY(f.window->aboutDialog() == nullptr);
}

void TestMainWindow::acceleratorsWorkFromTheKeyboard() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));

    QTest::keyClick(f.window.get(), Qt::Key_R, Qt::ControlModifier);
    QVERIFY(f.action("mnurecomp")->isChecked());
    QTest::keyClick(f.window.get(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(f.model.options.erasePaletteFilesOnQuit, true);

    // While a panel window's menus are shown, the main menus' keys are theirs no more.
    auto* child = new MenuChild;
    f.window->mdiArea()->addSubWindow(child)->show();
    f.window->mdiArea()->setActiveSubWindow(f.window->mdiArea()->subWindowList().last());
    QTest::keyClick(f.window.get(), Qt::Key_M, Qt::ControlModifier);
    QVERIFY(f.action("mnurecomp")->isChecked());
}

void TestMainWindow::realHelpViewerShowsTheShippedHelp() {
    QWidget owner;
    QtUserDialogs dialogs(&owner);
    QVERIFY(!dialogs.showHelp(QStringLiteral("/no/such/cockpix_help.html")));

    const QString shipped = QStringLiteral(COCKPIX_BIN_DIR "/cockpix_help.html");
    QVERIFY2(QFile::exists(shipped), "the build copies data/cockpix_help.html next to cockpix");
    QVERIFY(dialogs.showHelp(shipped));
    QVERIFY(dialogs.showHelp(shipped)); // the same window again, not a second one
    const auto viewers = owner.findChildren<QTextBrowser*>();
    QCOMPARE(viewers.size(), 1);
    QVERIFY(viewers.first()->isVisible());
    QVERIFY(viewers.first()->toPlainText().contains("Template"));
    QVERIFY(viewers.first()->toPlainText().contains("Directories"));
}

void TestMainWindow::commandLineHelpAndErrors() {
    const QString program = QStringLiteral(COCKPIX_BIN_DIR "/cockpix");
    if (!QFile::exists(program))
        QSKIP("the cockpix program is not built");
    QProcess process;
    process.start(program, {"--help"});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(process.readAllStandardOutput().contains("cockpix [PANEL_CFG]"));

    process.start(program, {"-platform", "offscreen", "one.cfg", "two.cfg"});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 2);
    QVERIFY(process.readAllStandardError().contains("only one panel file"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

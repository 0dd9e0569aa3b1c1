// The main window: start-up, caption, option pairs, New / Close Template / Quit, template
// colour, window list, child menus, help, About and the program's command line; and as a
// desktop program: panels dropped onto it, the recent-files list across restarts, the
// window's place, F1 and Esc for the help, the template window in a small main window and
// the status bar's notice of what Quit erases.

#include "app/gui/aboutdialog.h"
#include "app/gui/application.h"
#include "app/gui/checkcommands.h"
#include "app/gui/recentfilesmenu.h"
#include "base/gui/childmenuprovider.h"
#include "base/gui/userdialogs.h"
#include "settings/core/desktopstate.h"
#include "shellfixture.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>

using namespace cockpix;

namespace {

// A panel window stand-in with a menu bar of its own.
class MenuChild : public QWidget, public ChildMenuProvider {
public:
    MenuChild() { setWindowTitle(QStringLiteral("Main Panel")); }
    QList<QMenu*> childMenus() const override { return {menu}; }
    QMenu* menu = new QMenu(QStringLiteral("&Gauges"), this);
};

QStringList captions(const QList<QAction*>& actions) {
    QStringList texts;
    for (QAction* action : actions)
        texts << action->text();
    return texts;
}

QColor background(QLabel* label) {
    return label->palette().color(label->backgroundRole());
}

// The first-use message names the other key set.
const QString kKeysNote =
    QStringLiteral("\n\nCOCKPIX keeps its own keys: Ctrl+C closes, Ctrl+Z zooms, Alt+Backspace "
                   "undoes.\nFor Ctrl+Z to undo and Ctrl+X, Ctrl+C, Ctrl+V to cut, copy and "
                   "paste gauges,\nchoose Options > Standard desktop keys.");

// Drags the local file at path onto target and drops it there, as a file manager does;
// whether the drag was accepted.
bool dragAndDrop(QWidget* target, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    data.setText(QUrl::fromLocalFile(path).toString()); // file managers offer it as text too
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
    return drop.isAccepted();
}

QString documentPath(const ShellFixture& f) {
    return QString::fromStdString(f.documents.current().filePath());
}

QStringList recentEntries(const ShellFixture& f) {
    QStringList texts;
    for (QAction* action : f.window->mainMenu().recentMenu->actions())
        if (action->objectName().startsWith("mnurecent_"))
            texts << action->toolTip();
    return texts;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startsWithAnySettings() {
        const struct {
            QStringList settings;
            QString panelDir;
            bool firstUse;
        } rows[] = {
            {{}, {}, true}, // no settings file
            {{"", "/x/bmp/", "/x/palette/", "/fs98/aircraft/c182/panel/", "/p/"},
             "/fs98/aircraft/c182/panel/",
             true},
            {{"/no/such/", "/no/such/bmp/", "/no/such/palette/", "/no/panel/", "/no/"},
             "/no/panel/",
             false}, // folders that do not exist
        };
        for (const auto& row : rows) {
            ShellFixture f;
            if (!row.settings.isEmpty())
                f.writeSettingsLines(row.settings);
            f.start();
            QCOMPARE(f.window->shownCaption(), kCaptionPrefix + row.panelDir);
            QCOMPARE(f.dialogs.messages(),
                     row.firstUse
                         ? QStringList{"It may be your first use of COCKPIX,\nPlease set NOW your "
                                       "\\GAUGES\\ and \\COCKPIX\\ directories.\n(Select menu : "
                                       "'Directories...')." +
                                       kKeysNote}
                         : QStringList());
            QVERIFY(f.window->templateSubWindow()->isVisible());
            QCOMPARE(f.settingsLines(), row.settings); // starting writes nothing
        }
    }

    void optionPairsAreExclusiveAndStartAtTheirDefaults() {
        ShellFixture f;
        f.writeUsualSettings();
        f.app.options.alwaysRecomputeBitmaps = true; // a previous run's choice is not kept
        f.app.options.frameAroundGauges = false;
        f.start();
        // The status bar names the directory that Quit will erase (its texts are the core's).
        const struct {
            const char *first, *second;
            bool Options::*field;
            bool secondValue;
            QString erased;
        } pairs[] = {{"mnucompute", "mnurecomp", &Options::alwaysRecomputeBitmaps, true, {}},
                     {"mnuframe", "mnunoframe", &Options::frameAroundGauges, false, {}},
                     {"mnukeepbmp", "mnuerasebmp", &Options::eraseBitmapsOnQuit, true,
                      "bitmap work directory (" + f.path("fs98/gauges/bmp/")},
                     {"mnukeeppalette", "mnunopalette", &Options::erasePaletteFilesOnQuit, true,
                      "palette work directory (" + f.path("fs98/gauges/palette/")}};
        for (const auto& pair : pairs) {
            QVERIFY(f.action(pair.first)->isChecked() && !f.action(pair.second)->isChecked());
            QCOMPARE(f.app.options.*pair.field, !pair.secondValue);
            f.trigger(pair.second);
            f.trigger(pair.second); // choosing the checked item leaves the pair as it is
            QVERIFY(f.action(pair.second)->isChecked() && !f.action(pair.first)->isChecked());
            QCOMPARE(f.app.options.*pair.field, pair.secondValue);
            QVERIFY2(f.window->eraseNotice().contains(pair.erased), pair.second);
            f.trigger(pair.first);
            QCOMPARE(f.app.options.*pair.field, !pair.secondValue);
            QCOMPARE(f.window->eraseNotice(), QString());
        }
    }

    void newAndCloseTemplateFollowTheirQuestions() {
        ShellFixture f;
        f.startUsual();
        TemplateWindow* first = f.window->templateWindow();
        f.trigger("mnunew"); // an empty template: New asks nothing and keeps it
        QCOMPARE(f.window->templateWindow(), first);

        f.openPanelOf(3); // a panel, as after an Open
        f.dialogs.queueQuestionAnswer(false);
        f.trigger("mnunew");
        QCOMPARE(
            f.dialogs.questions().last(),
            QStringLiteral("Are you sure to clear this panel ?\nDo not forget to save if needed."));
        QCOMPARE(f.document.panel().windowCount, 3);

        // Close Template of an edited panel, with one of its windows and its findings shown.
        emit f.window->panelCommands().panelOpened(f.path("panel.cfg"));
        QVERIFY(QFile(f.path("fs98/gauges/CESSNA_182.AIRSPEED.GAU")).open(QIODevice::WriteOnly));
        f.window->showPanelWindow(0);
        QLabel* findings = f.window->checkCommands().statusLabel();
        QVERIFY(findings->isVisible() && f.window->mdiArea()->subWindowList().size() == 2);
        f.dialogs.queueQuestionAnswer(false);
        f.window->mainMenu().closeTemplate->trigger(); // a panel window has a "mnuclose" too
        QCOMPARE(f.dialogs.questions().last(), QStringLiteral("Are you sure to leave this panel?"));
        QVERIFY(f.window->templateSubWindow()->isVisible());
        f.document.setWindowField({0, fs98::WindowField::Title, std::string("Edited"), 3});
        f.dialogs.queueSaveChoice(SaveChoice::Discard); // the one question, once answered
        f.window->templateSubWindow()->close();         // the frame's close button asks the same
        QTRY_VERIFY(f.window->templateWindow() == nullptr);
        QVERIFY(f.action("mnuopen")->isEnabled() && !f.action("mnusave")->isEnabled());
        // Nothing of the discarded panel is left to edit, and nothing is left to save.
        QTRY_VERIFY(f.window->mdiArea()->subWindowList().isEmpty());
        QVERIFY(!findings->isVisible());
        QCOMPARE(f.document.panel().windowCount, 0);
        QVERIFY(!f.document.isModified());

        f.trigger("mnunew"); // nothing to clear: no question
        QVERIFY(f.window->templateWindow() != nullptr && f.action("mnusave")->isEnabled());
        QCOMPARE(f.window->findChildren<TemplateWindow*>().size(), 1);
        QCOMPARE(f.dialogs.questions().size(), 2);
        QVERIFY(f.dialogs.verifyAllAnswersUsed());
    }

    void quitAndFrameClose() {
        ShellFixture f;
        f.writeUsualSettings();
        const QString bmp = f.path("fs98/gauges/bmp/a.bmp"),
                      palette = f.path("fs98/gauges/palette/a");
        QVERIFY(QFile(bmp).open(QIODevice::WriteOnly) && QFile(palette).open(QIODevice::WriteOnly));
        f.start();
        QSignalSpy ending(f.window.get(), &MainWindow::programEnding);
        f.trigger("mnuerasebmp");
        QVERIFY(f.window->close()); // the frame ends the program with no question, no deletion
        QCOMPARE(ending.count(), 1);
        QVERIFY(QFile::exists(bmp));

        f.window->show();
        f.dialogs.queueQuestionAnswer(false);
        f.trigger("mnuquit");
        QCOMPARE(f.dialogs.questions(),
                 QStringList{"Are you sure to leave COCKPIX ?\nDo not forget to save if needed."});
        QVERIFY(QFile::exists(bmp) && f.window->isVisible());
        f.dialogs.queueQuestionAnswer(true);
        f.trigger("mnuquit");
        QVERIFY(!QFile::exists(bmp));
        QVERIFY(QFile::exists(palette)); // its clean-up was not chosen
        QCOMPARE(ending.count(), 2);
        QVERIFY(!f.window->isVisible());
    }

    void templateColourCommands() {
        ShellFixture f;
        f.startUsual();
        QLabel* label = f.window->templateWindow()->colouredLabels().first();
        f.dialogs.queueColor(QColor(0x12, 0x34, 0x56));
        f.trigger("mnucolors");
        QCOMPARE(f.dialogs.colorRequests().last(), QColor(0xFF, 0xFF, 0xE0)); // light yellow
        QCOMPARE(f.app.templateColor, ColorRef(0x563412));
        QCOMPARE(background(label), QColor(0x123456));
        f.trigger("mnureset");
        QCOMPARE(background(label), QColor(0xFF, 0xFF, 0xE0));

        // The colour outlives New, which makes a new template window.
        f.dialogs.queueColor(QColor(Qt::red));
        f.trigger("mnucolors");
        f.window->startEmptyPanel();
        QCOMPARE(background(f.window->templateWindow()->colouredLabels().first()), QColor(Qt::red));
    }

    void childMenusWindowListAndAccelerators() {
        ShellFixture f;
        f.startUsual();
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(f.window.get(), Qt::Key_R, Qt::ControlModifier);
        QVERIFY(f.action("mnurecomp")->isChecked());

        QMdiSubWindow* child = f.window->mdiArea()->addSubWindow(new MenuChild);
        child->show();
        f.window->mdiArea()->setActiveSubWindow(child);
        // A panel window's own menus replace the main ones, and their keys; "&Edit" and
        // "&Windows" stay, the snapping items come in "S&nap", and so do the keys of New, Open,
        // Save and Quit.
        QCOMPARE(captions(f.window->menuBar()->actions()),
                 (QStringList{"&Gauges", "&Edit", "S&nap", "&Windows"}));
        QCOMPARE(f.window->mainMenu().snapMenu->actions(),
                 (QList<QAction*>{f.action("mnusnapgrid"), f.action("mnugridsize"),
                                  f.action("mnusnapgauges")}));
        QTest::keyClick(f.window.get(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(f.action("mnurecomp")->isChecked());
        for (const char* name : {"mnunew", "mnuopen", "mnusave", "mnuquit"}) {
            QAction* item = f.action(name);
            QSignalSpy triggered(item, &QAction::triggered);
            if (QByteArray(name) == "mnuopen")
                f.dialogs.queueOpenFile(std::nullopt);
            if (QByteArray(name) == "mnuquit")
                f.dialogs.queueQuestionAnswer(false);
            QTest::keySequence(f.window.get(), item->shortcut());
            QCOMPARE(triggered.count(), 1);
        }
        QVERIFY(f.dialogs.verifyAllAnswersUsed());

        QMenu* windows = f.window->mainMenu().windowsMenu;
        emit windows->aboutToShow();
        QCOMPARE(captions(windows->actions()), (QStringList{"&1 PANEL TEMPLATE", "&2 Main Panel"}));
        windows->actions().at(0)->trigger();
        QCOMPARE(f.window->mdiArea()->activeSubWindow(), f.window->templateSubWindow());
        QCOMPARE(f.window->menuBar()->actions().first()->text(), QStringLiteral("&Template"));

        // New and Open close every panel window, never the template itself.
        f.window->closePanelWindows();
        QTRY_COMPARE(f.window->mdiArea()->subWindowList(),
                     QList<QMdiSubWindow*>{f.window->templateSubWindow()});
    }

    void helpAndAbout() {
        ShellFixture f;
        f.startUsual();
        // prog/ holds no help file: the help next to the program is shown, as it is while the
        // COCKPIX directory is unset.
        const QString installed = QCoreApplication::applicationDirPath() + "/cockpix_help.html";
        for (const std::string& programDir : {f.app.dirs.programDir, std::string()}) {
            f.app.dirs.programDir = programDir;
            f.trigger("mnuhelp");
            QCOMPARE(f.dialogs.helpRequests().last(), installed);
        }
        // With no help anywhere, the message names the path it tried.
        f.app.dirs.programDir = f.path("prog/").toStdString();
        f.app.installedDir = f.path("nowhere/").toStdString();
        f.trigger("mnuhelp");
        QVERIFY(f.dialogs.lastMessage().contains(f.path("prog/cockpix_help.html")));

        f.trigger("mnuabout");
        QVERIFY(f.window->aboutDialog()->isVisible() && !f.window->aboutDialog()->isModal());
        QCOMPARE(unnamedControls(f.window->aboutDialog()), QStringList());
        QTest::mouseClick(f.window->aboutDialog()->findChild<QPushButton*>("Command1"),
                          Qt::LeftButton);
        QTRY_VERIFY(f.window->aboutDialog() == nullptr);

        // F1 asks for the help; the real viewer shows it in one window, which Esc closes.
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(f.window->templateWindow(), Qt::Key_F1);
        QCOMPARE(f.dialogs.helpRequests().size(), 4);
        QWidget owner;
        QtUserDialogs real(&owner);
        QVERIFY(real.showHelp(installed) && real.showHelp(installed));
        QCOMPARE(owner.findChildren<QTextBrowser*>().size(), 1);
        QPointer<QTextBrowser> help = owner.findChild<QTextBrowser*>();
        QVERIFY(help && help->isVisible() && help->toPlainText().contains("Directories"));
        QTest::keyClick(help, Qt::Key_A); // other keys are the browser's own
        QVERIFY(help && help->isVisible());
        QTest::keyClick(help, Qt::Key_Escape);
        QTRY_VERIFY(help.isNull());
    }

    void commandLineHelpAndErrors() {
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

    // The file named on the command line: opened with one first-use message at most, or, when it
    // cannot be opened, named in one message, with no setting changed.
    void aCommandLineFileIsOpenedOnceOrNamedWhenItCannotBe() {
        ShellFixture f;
        f.writeSettingsLines({"", "", "", f.path("before/"), ""}); // first use: no gauges directory
        const QString missing = f.path("does/not/exist/panel.cfg");
        {
            Application program(&f.dialogs);
            CommandLine line;
            line.panelPath = missing.toStdString();
            program.start(line);
            QCOMPARE(f.dialogs.messages().size(), 2);
            QVERIFY(f.dialogs.messages().first().startsWith("It may be your first use"));
            QCOMPARE(f.dialogs.messages().last(),
                     "The panel file '" + missing + "' cannot be opened: there is no such file.");
            QCOMPARE(f.settingsLines(), QStringList({"", "", "", f.path("before/"), ""}));
            QCOMPARE(program.mainWindow()->shownCaption(), kCaptionPrefix + f.path("before/"));
        }
        f.dialogs.clear();
        const QString panel = f.copySample("c182");
        Application program(&f.dialogs);
        CommandLine line;
        line.panelPath = panel.toStdString();
        program.start(line);
        QCOMPARE(f.dialogs.messages().filter("It may be your first use").size(), 1);
        QCOMPARE(program.mainWindow()->templateWindow()->findChild<QLineEdit*>("Text1_0")->text(),
                 QStringLiteral("Main Panel"));
    }

    void aDroppedPanelIsOpened() {
        ShellFixture f;
        f.writeUsualSettings();
        const QString panel = f.copySample("c182");
        const QString other = f.copySample("learjet");
        f.start();

        // Neither a picture nor a folder without a panel is taken.
        QFile picture(f.path("fs98/aircraft/c182/panel/back.bmp"));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.close();
        QVERIFY(!dragAndDrop(f.window.get(), picture.fileName()));
        QVERIFY(!dragAndDrop(f.window.get(), f.path("fs98/gauges")));
        QCOMPARE(f.document.panel().windowCount, 0);

        QVERIFY(dragAndDrop(f.window.get(), panel));
        QTRY_COMPARE(documentPath(f), panel);
        QVERIFY(f.document.panel().windowCount > 0);
        QCOMPARE(f.window->shownCaption(), kCaptionPrefix + QFileInfo(panel).path() + "/");
        QCOMPARE(f.window->recentFiles().files(), QStringList{panel});

        // Onto a text box of the template the drop opens the panel too, rather than typing its
        // address into the box (an edit that would bring up the question about unsaved changes);
        // the aircraft's folder stands for its panel.cfg.
        auto* box = f.window->templateWindow()->findChild<QLineEdit*>();
        QVERIFY(box != nullptr);
        QVERIFY(dragAndDrop(box, f.path("fs98/aircraft/learjet")));
        QTRY_COMPARE(documentPath(f), other);
        QVERIFY(!f.document.isModified());

        // Unsaved changes are asked about first; Cancel keeps the panel.
        f.document.setDefaultView({1, 2, 3, 4});
        QVERIFY(f.document.isModified());
        f.dialogs.queueSaveChoice(SaveChoice::Cancel);
        QVERIFY(dragAndDrop(f.window.get(), panel));
        QCoreApplication::processEvents();
        QCOMPARE(documentPath(f), other);
        QCOMPARE(f.dialogs.saveQuestions().size(), 1);
        QVERIFY(f.dialogs.verifyAllAnswersUsed());
    }

    // The snapping options of the Options menu are kept in cockpix-desktop.ini (the settings
    // file keeps its five lines) and read back at the next start; a grid size that is not a
    // whole number 1..1000 is named and changes nothing.
    void snappingOptionsSurviveARestart() {
        ShellFixture f;
        f.startUsual();
        QVERIFY(f.action("mnusnapgrid")->isCheckable() && !f.action("mnusnapgrid")->isChecked());
        QVERIFY(f.action("mnusnapgauges")->isChecked());
        f.trigger("mnusnapgrid");
        f.trigger("mnusnapgauges");
        f.dialogs.queueText(QStringLiteral("12.5"));
        f.trigger("mnugridsize");
        QCOMPARE(f.dialogs.lastMessage(),
                 QStringLiteral("The grid size must be a whole number of panel units from 1 to "
                                "1000.\n\"12.5\" is not one; the grid stays at 8."));
        f.dialogs.queueText(QStringLiteral(" 25 "));
        f.trigger("mnugridsize");
        QCOMPARE(f.dialogs.textRequests().last().text, QStringLiteral("8"));
        f.dialogs.queueText(std::nullopt); // cancelled: as it was
        f.trigger("mnugridsize");
        QVERIFY((f.app.snap == SnapOptions{true, 25, false}));

        f.window.reset();
        f.app.snap = SnapOptions{};
        f.start();
        QVERIFY((f.app.snap == SnapOptions{true, 25, false}));
        QVERIFY(f.action("mnusnapgrid")->isChecked());
        QVERIFY(!f.action("mnusnapgauges")->isChecked());
        QVERIFY(f.dialogs.verifyAllAnswersUsed());
    }

    void recentFilesSurviveARestartAndDropVanishedFiles() {
        ShellFixture f;
        f.writeUsualSettings();
        QStringList opened;
        for (const char* aircraft : {"a", "b", "c"})
            opened.prepend(f.copySample(aircraft));
        f.start();
        QVERIFY(!f.action("mnurecent")->isEnabled()); // nothing opened yet
        for (int i = opened.size() - 1; i >= 0; --i)
            QVERIFY(f.window->openPanelFile(opened.at(i)));
        QVERIFY(f.window->openPanelFile(opened.at(1))); // opened again: first once more
        const QStringList newest = {opened.at(1), opened.at(0), opened.at(2)};
        QCOMPARE(f.window->recentFiles().files(), newest);
        QCOMPARE(recentEntries(f), newest);
        QVERIFY(f.action("mnurecent")->isEnabled());
        QCOMPARE(f.settingsLines().size(), 5); // the settings file keeps its five lines

        // A restart reads the list back; a panel deleted meanwhile is no longer offered.
        f.window.reset();
        QVERIFY(QFile::remove(opened.at(0)));
        f.start();
        QCOMPARE(recentEntries(f), (QStringList{opened.at(1), opened.at(2)}));
        const DesktopState kept = readDesktopState(desktopStateFilePath(settingsFilePath()));
        QCOMPARE(kept.recentFiles.size(), std::size_t(2));

        f.trigger("mnurecent_1");
        QTRY_COMPARE(documentPath(f), opened.at(2));
        QCOMPARE(f.window->recentFiles().files().first(), opened.at(2));

        // Deleted after the menu was shown: named, and taken off the list.
        QVERIFY(QFile::remove(opened.at(1)));
        f.window->openRecentFile(opened.at(1));
        QCOMPARE(f.dialogs.lastMessage(), "The panel file '" + opened.at(1) +
                                              "' is no longer there; it is taken off the list.");
        QCOMPARE(f.window->recentFiles().files(), QStringList{opened.at(2)});
        QCOMPARE(documentPath(f), opened.at(2));

        f.trigger("mnurecentclear");
        QCOMPARE(f.window->recentFiles().files(), QStringList());
        QVERIFY(!f.action("mnurecent")->isEnabled());
    }

    void theWindowOpensMaximizedFirstThenWhereItWas() {
        ShellFixture f;
        f.writeUsualSettings();
        f.window = std::make_unique<MainWindow>(f.documents, f.app, f.dialogs);
        f.window->showAtSavedGeometry();
        QVERIFY(f.window->isMaximized());
        f.window->showNormal();
        f.window->setGeometry(40, 50, 760, 540);
        QCoreApplication::processEvents();
        QVERIFY(f.window->close()); // the frame's close: nothing unsaved, no question
        QVERIFY(!readDesktopState(desktopStateFilePath(settingsFilePath())).windowGeometry.empty());

        f.window = std::make_unique<MainWindow>(f.documents, f.app, f.dialogs);
        f.window->showAtSavedGeometry();
        QVERIFY(!f.window->isMaximized());
        QCOMPARE(f.window->size(), QSize(760, 540));
    }

    void theTemplateScrollsInASmallMainWindow() {
        ShellFixture f;
        f.startUsual();
        f.window->resize(1400, 1000);
        QCoreApplication::processEvents();
        QMdiSubWindow* sub = f.window->templateSubWindow();
        const QSize roomy = sub->size();
        QVERIFY(roomy.width() >= 980 && roomy.height() >= 640);

        f.window->resize(640, 420);
        QCoreApplication::processEvents();
        const QSize room = f.window->mdiArea()->viewport()->size();
        QVERIFY2(sub->geometry().right() < room.width() && sub->geometry().bottom() < room.height(),
                 "the template window reaches past the main window");
        auto* scroll = f.window->templateWindow()->findChild<QScrollArea*>();
        QVERIFY(scroll->horizontalScrollBar()->isVisible());
        QVERIFY(scroll->verticalScrollBar()->isVisible());
        QVERIFY(!f.window->mdiArea()->horizontalScrollBar()->isVisible());

        f.window->resize(1400, 1000); // room again: back to its size
        QCoreApplication::processEvents();
        QCOMPARE(sub->size(), roomy);
    }
};

COCKPIX_TEST_CLASS(TestMainWindow)
#include "tst_mainwindow.moc"

// The main window as a desktop program: panels dropped onto it, the recent-files list across
// restarts, the window's place, F1 and Esc for the help, the template window in a small main
// window, the path box of the directories dialog and the status bar's notice of what Quit
// erases.

#include "app/core/desktopstate.h"
#include "app/gui/directoriesdialog.h"
#include "app/gui/recentfilesmenu.h"
#include "guisupport/accessibility.h"
#include "shellfixture.h"
#include "template/gui/templatewindow.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTreeView>
#include <QUrl>

using namespace cockpix;

namespace {

const QString kSample = QStringLiteral(
    COCKPIX_FIXTURES_DIR "/../../samples/fs98/aircraft/sample_cessna/panel/panel.cfg");

// A copy of the sample panel in the fixture's FS98 tree, for aircraft.
QString samplePanel(const ShellFixture& f, const QString& aircraft) {
    const QString path = f.path("fs98/aircraft/" + aircraft + "/panel/panel.cfg");
    QDir().mkpath(QFileInfo(path).path());
    QFile::remove(path);
    [&] { QVERIFY(QFile::copy(kSample, path)); }();
    return path;
}

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
    return QString::fromStdString(f.document.filePath());
}

QStringList recentEntries(const ShellFixture& f) {
    QStringList texts;
    for (QAction* action : f.window->mainMenu().recentMenu->actions())
        if (action->objectName().startsWith("mnurecent_"))
            texts << action->toolTip();
    return texts;
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    void aDroppedPanelIsOpened();
    void recentFilesSurviveARestartAndDropVanishedFiles();
    void theWindowOpensMaximizedFirstThenWhereItWas();
    void f1OpensTheHelpAndEscClosesIt();
    void theTemplateScrollsInASmallMainWindow();
    void theDirectoriesDialogTakesATypedPath();
    void theStatusBarSaysWhatQuitWillErase();
};

void TestDesktop::aDroppedPanelIsOpened() {
    ShellFixture f;
    f.writeUsualSettings();
    const QString panel = samplePanel(f, "c182");
    const QString other = samplePanel(f, "learjet");
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
    QCOMPARE(f.settingsLines().size(), 5);
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

void TestDesktop::recentFilesSurviveARestartAndDropVanishedFiles() {
    ShellFixture f;
    f.writeUsualSettings();
    QStringList opened;
    for (const char* aircraft : {"a", "b", "c"})
        opened.prepend(samplePanel(f, aircraft));
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
    QCOMPARE(f.dialogs.lastMessage(),
             "The panel file '" + opened.at(1) + "' is no longer there; it is taken off the list.");
    QCOMPARE(f.window->recentFiles().files(), QStringList{opened.at(2)});
    QCOMPARE(documentPath(f), opened.at(2));

    f.trigger("mnurecentclear");
    QCOMPARE(f.window->recentFiles().files(), QStringList());
    QVERIFY(!f.action("mnurecent")->isEnabled());
}

void TestDesktop::theWindowOpensMaximizedFirstThenWhereItWas() {
    ShellFixture f;
    f.writeUsualSettings();
    f.window = std::make_unique<MainWindow>(f.document, f.app, f.dialogs);
    f.window->showAtSavedGeometry();
    QVERIFY(f.window->isMaximized());
    f.window->showNormal();
    f.window->setGeometry(40, 50, 760, 540);
    QCoreApplication::processEvents();
    QVERIFY(f.window->close()); // the frame's close: nothing unsaved, no question
    QVERIFY(!readDesktopState(desktopStateFilePath(settingsFilePath())).windowGeometry.empty());

    f.window = std::make_unique<MainWindow>(f.document, f.app, f.dialogs);
    f.window->showAtSavedGeometry();
    QVERIFY(!f.window->isMaximized());
    QCOMPARE(f.window->size(), QSize(760, 540));
    QCOMPARE(f.settingsLines().size(), 5);
}

void TestDesktop::f1OpensTheHelpAndEscClosesIt() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
    QApplication::setActiveWindow(f.window.get());
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QTest::keyClick(f.window->templateWindow(), Qt::Key_F1);
    QCOMPARE(f.dialogs.helpRequests().size(), 1);

    QWidget owner;
    QtUserDialogs real(&owner);
    QVERIFY(real.showHelp(QStringLiteral(COCKPIX_BIN_DIR "/cockpix_help.html")));
    QPointer<QTextBrowser> help = owner.findChild<QTextBrowser*>();
    QVERIFY(help && help->isVisible());
    QTest::keyClick(help, Qt::Key_A); // other keys are the browser's own
    QVERIFY(help && help->isVisible());
    QTest::keyClick(help, Qt::Key_Escape);
    QTRY_VERIFY(help.isNull());
}

void TestDesktop::theTemplateScrollsInASmallMainWindow() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
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

void TestDesktop::theDirectoriesDialogTakesATypedPath() {
    ShellFixture f;
    f.writeUsualSettings();
    QDir().mkpath(f.path("fs98/aircraft/c182/panel"));
    f.start();
    f.trigger("mnupaneldir");
    DirectoriesDialog* dialog = f.window->directoriesDialog();
    QVERIFY(dialog != nullptr);
    QLineEdit* box = dialog->pathBox();
    // It opens at the directory now set.
    QCOMPARE(box->text(), f.path("fs98/aircraft"));
    QCOMPARE(unnamedControls(dialog), QStringList());

    box->setText(f.path("fs98/aircraft/c182/panel"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(dialog->listPath(), f.path("fs98/aircraft/c182/panel"));
    QVERIFY(dialog->isVisible()); // Enter opened the directory, it did not confirm
    QCOMPARE(f.settingsLines().at(3), f.path("fs98/aircraft/"));

    box->setText(QStringLiteral("../nowhere"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(f.dialogs.lastMessage(), QStringLiteral("There is no directory '../nowhere'."));
    QCOMPARE(dialog->listPath(), f.path("fs98/aircraft/c182/panel"));

    // Typed and confirmed at once: the typed directory is the one stored.
    box->setText(QStringLiteral(".."));
    dialog->accept();
    QCOMPARE(f.settingsLines().at(3), f.path("fs98/aircraft/c182/"));
    QCOMPARE(f.window->shownCaption(), kCaptionPrefix + f.path("fs98/aircraft/c182/"));
}

void TestDesktop::theStatusBarSaysWhatQuitWillErase() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
    QCOMPARE(f.window->eraseNotice(), QString());
    const QString bmp = f.path("fs98/gauges/bmp/"), palette = f.path("fs98/gauges/palette/");
    f.trigger("mnuerasebmp");
    QCOMPARE(f.window->eraseNotice(),
             "Quit will erase the files of the bitmap work directory (" + bmp + ").");
    f.trigger("mnunopalette");
    QCOMPARE(f.window->eraseNotice(), "Quit will erase the files of the bitmap work directory (" +
                                          bmp + ") and the palette work directory (" + palette +
                                          ").");
    f.trigger("mnukeepbmp");
    f.trigger("mnukeeppalette");
    QCOMPARE(f.window->eraseNotice(), QString());
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"

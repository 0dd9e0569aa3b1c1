// The directories dialog: where it starts, browsing, the path box, the work directories that
// follow GAUGES, the validation of "OK" and what Cancel leaves behind.

#include "app/gui/directoriesdialog.h"
#include "shellfixture.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileSystemModel>
#include <QTreeView>
#include <QWindow>

using namespace cockpix;

namespace {

void click(QWidget* dialog, const char* name) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

} // namespace

class TestDirectoriesDialog : public QObject {
    Q_OBJECT
private slots:
    void menuItemsBrowsingAndCancel() {
        ShellFixture f;
        f.writeUsualSettings(); // prog/ and aircraft/ do not exist: the list starts where we run
        QDir().mkpath(f.path("fs98/gauges/extra"));
        f.start();
        const struct {
            const char* item;
            const char* target;
            QString start;
        } items[] = {{"mnucockpix", "COCKPIX", QDir::currentPath()},
                     {"mnupaneldir", "PANEL", QDir::currentPath()},
                     {"mnugauges", "GAUGES", f.path("fs98/gauges")}};
        for (const auto& item : items) {
            f.trigger(item.item);
            QCOMPARE(f.window->directoriesDialog()->target(), QString::fromLatin1(item.target));
            QVERIFY(f.window->directoriesDialog()->isVisible());
            QCOMPARE(f.window->directoriesDialog()->listPath(), item.start);
        }
        QVERIFY(f.dialogs.messages().isEmpty());
        QTRY_COMPARE(f.window->findChildren<DirectoriesDialog*>().size(), 1); // one at a time

        DirectoriesDialog* dialog = f.window->directoriesDialog();
        QTreeView* tree = dialog->directoryTree();
        const QModelIndex extra = dialog->fileSystemModel()->index(f.path("fs98/gauges/extra"));
        tree->scrollTo(extra);
        QTRY_VERIFY(tree->visualRect(extra).isValid());
        const QPoint where = tree->visualRect(extra).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, where); // one click selects
        QCOMPARE(dialog->listPath(), f.path("fs98/gauges/extra"));
        QCOMPARE(dialog->findChild<QLabel*>("Label2")->text(), f.path("fs98/gauges/extra/"));
        QCOMPARE(dialog->pathBox()->text(), f.path("fs98/gauges/extra"));
        QCOMPARE(QString::fromStdString(f.app.dirs.bmpDir), f.path("fs98/gauges/extra/bmp/"));
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, where);
        QCOMPARE(dialog->listPath(), f.path("fs98/gauges/extra"));
        QVERIFY(tree->isExpanded(extra));

        // Cancel: Quit's clean-up must never reach into a directory the user did not confirm.
        click(dialog, "Command2");
        QTRY_VERIFY(f.window->directoriesDialog() == nullptr);
        QCOMPARE(QString::fromStdString(f.app.dirs.bmpDir), f.path("fs98/gauges/bmp/"));
        QCOMPARE(QString::fromStdString(f.app.dirs.paletteDir), f.path("fs98/gauges/palette/"));
        QVERIFY(!QFileInfo::exists(f.path("fs98/gauges/extra/bmp")));
    }

    void okStoresOnlyADirectoryWithItsProbeFile() {
        ShellFixture f;
        f.start(); // no settings file yet
        const struct {
            const char* target;
            const char* dir;
            const char* probe; // found whatever its case
            int line;
        } rows[] = {{"GAUGES", "fs98/gauges", "cessna_182.airspeed.gau", 0},
                    {"COCKPIX", "prog", "cockpix", 4},
                    {"PANEL", "anywhere", nullptr, 3}};
        for (const auto& row : rows) {
            QDir().mkpath(f.path(row.dir));
            f.window->openDirectoriesDialog(QString::fromLatin1(row.target));
            DirectoriesDialog* dialog = f.window->directoriesDialog();
            dialog->setListPath(f.path(row.dir));
            if (row.probe) {
                click(dialog, "Command1");
                QCOMPARE(f.dialogs.lastMessage(), QStringLiteral("You didn't select the right /%1/ "
                                                                 "directory. Please try again.")
                                                      .arg(row.target));
                QVERIFY(dialog->isVisible());
                QCOMPARE(f.settingsLines().value(row.line), QString()); // nothing stored
                QFile probe(f.path(row.dir) + "/" + row.probe);
                QVERIFY(probe.open(QIODevice::WriteOnly));
            }
            click(dialog, "Command1");
            QTRY_VERIFY(f.window->directoriesDialog() == nullptr);
            QCOMPARE(f.settingsLines().value(row.line), f.path(row.dir) + "/");
        }
        QCOMPARE(f.settingsLines().value(1), f.path("fs98/gauges/bmp/"));
        QVERIFY(QFileInfo(f.path("fs98/gauges/bmp")).isDir());
        QCOMPARE(f.window->shownCaption(), kCaptionPrefix + f.path("anywhere/"));
        QCOMPARE(f.dialogs.messages().size(), 3); // the first-use reminder and two wrong choices
    }

    // An MSFS Community folder is taken for GAUGES (its packages hold the stock instruments),
    // and COCKPIX makes no work folder inside it: they go to the user's cache folder.
    void anMsfsCommunityFolderIsTakenWithItsWorkFoldersElsewhere() {
        ShellFixture f;
        qputenv("XDG_CACHE_HOME", f.path("cache").toLocal8Bit());
        f.start();
        QDir().mkpath(f.path("Community/test-aircraft"));
        QFile manifest(f.path("Community/test-aircraft/manifest.json"));
        QVERIFY(manifest.open(QIODevice::WriteOnly));
        manifest.write("{}");
        manifest.close();
        f.window->openDirectoriesDialog(QStringLiteral("GAUGES"));
        f.window->directoriesDialog()->setListPath(f.path("Community"));
        click(f.window->directoriesDialog(), "Command1");
        QTRY_VERIFY(f.window->directoriesDialog() == nullptr);
        QCOMPARE(f.settingsLines().value(0), f.path("Community/"));
        QVERIFY(f.settingsLines().value(1).startsWith(f.path("cache/")));
        QVERIFY(QFileInfo(f.settingsLines().value(1)).isDir());
        QCOMPARE(QDir(f.path("Community")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("test-aircraft")});
        qunsetenv("XDG_CACHE_HOME");
    }

    // A panel found in an FSX installation asks for no FS98 folder, and the status bar names
    // the installation its gauges come from.
    void aPanelInAnInstallationNeedsNoGaugesDirectory() {
        ShellFixture f;
        f.start(); // no settings: the first-use reminder
        const QString panel = f.path("FSX/SimObjects/Airplanes/X/panel/panel.cfg");
        QDir().mkpath(f.path("FSX/Gauges"));
        QDir().mkpath(QFileInfo(panel).path());
        QFile file(panel);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Window Titles]\r\nWindow00=Main\r\n[Window00]\r\nsize_mm=100,100\r\n");
        file.close();
        f.dialogs.clear();
        QVERIFY(f.window->panelCommands().openPath(panel));
        QCOMPARE(f.dialogs.messages(), QStringList());
        QCOMPARE(f.window->findChild<QLabel*>("installationNotice")->text(),
                 QStringLiteral("FSX or Prepar3D installation ") + f.path("FSX"));
    }

    // The dialog keeps its own target: left open while a new panel comes, it still accepts.
    void aDialogLeftOpenAcrossNewStillConfirms() {
        ShellFixture f;
        f.startUsual();
        QDir().mkpath(f.path("somewhere"));
        f.trigger("mnupaneldir");
        DirectoriesDialog* dialog = f.window->directoriesDialog();
        dialog->setListPath(f.path("somewhere"));
        f.openPanelOf(1);
        f.dialogs.queueQuestionAnswer(true);
        f.trigger("mnunew");
        click(dialog, "Command1");
        QTRY_VERIFY(f.window->directoriesDialog() == nullptr);
        QCOMPARE(f.settingsLines().value(3), f.path("somewhere/"));
        QVERIFY(!f.dialogs.lastMessage().contains("didn't select"));
    }

    // Enter opens the typed directory; a typed path and OK at once store the typed one. The
    // label follows the box as it is typed into; "OK" stores it even while the box's list of
    // completions is open (whose closing would otherwise take the click).
    void aTypedPathIsOpenedByEnterAndStoredByOk() {
        ShellFixture f;
        f.writeUsualSettings();
        for (const char* dir : {"fs98/aircraft/c182/panel", "panels/second", "panels/third"})
            QDir().mkpath(f.path(dir));
        f.start();
        f.trigger("mnupaneldir");
        DirectoriesDialog* dialog = f.window->directoriesDialog();
        QLineEdit* box = dialog->pathBox();
        QCOMPARE(box->text(), f.path("fs98/aircraft")); // where the directory now set is
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
        box->setText(QStringLiteral(".."));
        dialog->accept();
        QCOMPARE(f.settingsLines().at(3), f.path("fs98/aircraft/c182/"));
        QCOMPARE(f.window->shownCaption(), kCaptionPrefix + f.path("fs98/aircraft/c182/"));
        QTRY_VERIFY(f.window->directoriesDialog() == nullptr);

        f.trigger("mnupaneldir");
        dialog = f.window->directoriesDialog();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QLabel* label = dialog->findChild<QLabel*>("Label2");
        box = dialog->pathBox();
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, f.path("panels/s"));
        QCOMPARE(label->text(), QString()); // no such directory: OK would store nothing
        QTest::keyClicks(box, "econd");
        QCOMPARE(label->text(), f.path("panels/second/"));
        box->setText(f.path("panels/"));
        QTest::keyClicks(box, "third");
        // The completions read the typed directory in the background (forced here, so as not
        // to wait for it); then they are offered.
        QCompleter* completer = box->completer();
        qobject_cast<QFileSystemModel*>(completer->model())->index(f.path("panels"));
        QTRY_VERIFY([&] {
            completer->setCompletionPrefix(box->text());
            completer->complete();
            return completer->popup()->isVisible();
        }());
        // Through the window system, as a user's click comes: the open list sees it first.
        auto* ok = dialog->findChild<QPushButton*>("Command1");
        QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {},
                          ok->mapTo(dialog, ok->rect().center()));
        QTRY_VERIFY(f.window->directoriesDialog() == nullptr);
        QCOMPARE(f.settingsLines().value(3), f.path("panels/third/"));
    }
};

COCKPIX_TEST_CLASS(TestDirectoriesDialog)
#include "tst_directoriesdialog.moc"

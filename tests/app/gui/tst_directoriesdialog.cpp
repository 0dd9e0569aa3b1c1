// The directories dialog: texts, browsing, the work directories that follow GAUGES, the
// validation of "OK" and what Cancel leaves behind.

#include "app/gui/directoriesdialog.h"
#include "shellfixture.h"

#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

using namespace cockpix;

namespace {

QString labelText(QWidget* dialog, const char* name) {
    auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

void click(QWidget* dialog, const char* name) {
    auto* button = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY2(button != nullptr, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestDirectoriesDialog : public QObject {
    Q_OBJECT
private slots:
    void menuItemsOpenTheDialogForTheirTarget();
    void openingShowsTheTargetAndItsDirectory();
    void doubleClickOpensADirectory();
    void gaugesWithoutProbeModuleStaysOpenAndChangesNothing();
    void gaugesConfirmedCreatesWorkDirectoriesAndWritesSettings();
    void cancelKeepsTheConfirmedWorkDirectories();
    void panelAndProgramDirectories();
};

void TestDirectoriesDialog::menuItemsOpenTheDialogForTheirTarget() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
    const struct {
        const char* item;
        const char* target;
    } items[] = {{"mnugauges", "GAUGES"}, {"mnucockpix", "COCKPIX"}, {"mnupaneldir", "PANEL"}};
    for (const auto& item : items) {
        f.trigger(item.item);
        QCOMPARE(f.model.dirDialogTarget, std::string(item.target));
        DirectoriesDialog* dialog = f.window->directoriesDialog();
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->findChild<QGroupBox*>("Frame1")->title(),
                 QStringLiteral("Set %1 directory path...").arg(item.target));
    }
    // Only one dialog at a time: the last item's.
    QTRY_COMPARE(f.window->findChildren<DirectoriesDialog*>().size(), 1);
}

void TestDirectoriesDialog::openingShowsTheTargetAndItsDirectory() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
    f.window->openDirectoriesDialog("GAUGES");
    DirectoriesDialog* dialog = f.window->directoriesDialog();
    QCOMPARE(dialog->objectName(), QStringLiteral("Form7"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Set directories..."));
    QCOMPARE(labelText(dialog, "Label1"), QStringLiteral("Selected GAUGES directory path :"));
    QCOMPARE(labelText(dialog, "Label3"),
             QStringLiteral("Double-click directory in box and press OK to confirm :"));
    QCOMPARE(dialog->findChild<QPushButton*>("Command1")->text(), QStringLiteral("OK"));
    QCOMPARE(dialog->findChild<QPushButton*>("Command2")->text(), QStringLiteral("Cancel"));
    QCOMPARE(dialog->listPath(), f.path("fs98/gauges"));
    QCOMPARE(labelText(dialog, "Label2"), f.path("fs98/gauges/"));
    QCOMPARE(QString::fromStdString(f.model.dirDialogPath), f.path("fs98/gauges/"));

    // A directory that no longer exists: the list starts where the program runs, silently.
    ShellFixture g;
    g.writeSettingsLines({"/no/such/gauges/", "/no/such/gauges/bmp/", "/no/such/gauges/palette/",
                          "/no/such/panel/", "/no/such/prog/"});
    g.start();
    g.window->openDirectoriesDialog("PANEL");
    QCOMPARE(g.window->directoriesDialog()->listPath(), QDir::currentPath());
    QVERIFY(g.dialogs.messages().isEmpty());
    click(g.window->directoriesDialog(), "Command2");
}

void TestDirectoriesDialog::doubleClickOpensADirectory() {
    ShellFixture f;
    f.writeUsualSettings();
    QDir().mkpath(f.path("fs98/gauges/extra"));
    f.start();
    f.window->openDirectoriesDialog("GAUGES");
    DirectoriesDialog* dialog = f.window->directoriesDialog();
    QTreeView* tree = dialog->directoryTree();
    QCOMPARE(tree->objectName(), QStringLiteral("Dir1"));

    const QModelIndex extra = dialog->fileSystemModel()->index(f.path("fs98/gauges/extra"));
    QVERIFY(extra.isValid());
    tree->scrollTo(extra);
    QTRY_VERIFY(tree->visualRect(extra).isValid());
    const QPoint where = tree->visualRect(extra).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, where);
    QCOMPARE(dialog->listPath(), f.path("fs98/gauges")); // one click only selects
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, where);

    QCOMPARE(dialog->listPath(), f.path("fs98/gauges/extra"));
    QCOMPARE(labelText(dialog, "Label2"), f.path("fs98/gauges/extra/"));
    QCOMPARE(QString::fromStdString(f.model.dirs.bmpDir), f.path("fs98/gauges/extra/bmp/"));
    QCOMPARE(QString::fromStdString(f.model.dirs.paletteDir), f.path("fs98/gauges/extra/palette/"));
}

void TestDirectoriesDialog::gaugesWithoutProbeModuleStaysOpenAndChangesNothing() {
    ShellFixture f;
    f.start(); // no settings file yet
    QDir().mkpath(f.path("fs98/gauges"));
    f.window->openDirectoriesDialog("GAUGES");
    DirectoriesDialog* dialog = f.window->directoriesDialog();
    dialog->setListPath(f.path("fs98/gauges"));
    const QString captionBefore = f.window->windowTitle();

    click(dialog, "Command1");

    QCOMPARE(f.dialogs.lastMessage(),
             QStringLiteral("You didn't select the right /GAUGES/ directory. Please try again."));
    QVERIFY(f.window->directoriesDialog() != nullptr);
    QVERIFY(dialog->isVisible());
    QCOMPARE(f.model.dirs.gaugesDir, std::string());
    QVERIFY(!QFile::exists(f.settingsPath()));
    QVERIFY(!QFileInfo::exists(f.path("fs98/gauges/bmp")));
    QVERIFY(!QFileInfo::exists(f.path("fs98/gauges/palette")));
    QCOMPARE(f.window->windowTitle(), captionBefore);
}

void TestDirectoriesDialog::gaugesConfirmedCreatesWorkDirectoriesAndWritesSettings() {
    ShellFixture f;
    f.writeSettingsLines({"", "", "", "/fs98/aircraft/c182/panel/", ""});
    f.start();
    touch(f.path("fs98/gauges/cessna_182.airspeed.gau"));
    QDir().mkpath(f.path("fs98/gauges/palette")); // an existing work directory is fine
    f.model.bitmapMissing = 1;
    f.window->openDirectoriesDialog("GAUGES");
    f.window->directoriesDialog()->setListPath(f.path("fs98/gauges"));
    f.window->setWindowTitle("changed");

    click(f.window->directoriesDialog(), "Command1");

    QTRY_VERIFY(f.window->directoriesDialog() == nullptr);
    QCOMPARE(QString::fromStdString(f.model.dirs.gaugesDir), f.path("fs98/gauges/"));
    QCOMPARE(f.model.bitmapMissing, 0);
    QVERIFY(QFileInfo(f.path("fs98/gauges/bmp")).isDir());
    QVERIFY(QFileInfo(f.path("fs98/gauges/palette")).isDir());
    QCOMPARE(f.settingsLines(),
             (QStringList{f.path("fs98/gauges/"), f.path("fs98/gauges/bmp/"),
                          f.path("fs98/gauges/palette/"), "/fs98/aircraft/c182/panel/", ""}));
    QCOMPARE(f.window->windowTitle(), kCaptionPrefix + "/fs98/aircraft/c182/panel/");
    QCOMPARE(f.dialogs.messages().size(), 1); // only the first-use reminder at start

    // With the gauges directory known, a new template brings no reminder.
    f.window->startEmptyPanel();
    QCOMPARE(f.dialogs.messages().size(), 1);
}

void TestDirectoriesDialog::cancelKeepsTheConfirmedWorkDirectories() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
    const std::string bmpBefore = f.model.dirs.bmpDir;
    const std::string paletteBefore = f.model.dirs.paletteDir;
    QDir().mkpath(f.path("photos"));
    f.window->openDirectoriesDialog("GAUGES");
    f.window->directoriesDialog()->setListPath(f.path("photos"));
    QCOMPARE(QString::fromStdString(f.model.dirs.bmpDir), f.path("photos/bmp/"));

    click(f.window->directoriesDialog(), "Command2");

    QTRY_VERIFY(f.window->directoriesDialog() == nullptr);
    // Quit's clean-up must never reach into a directory the user did not confirm.
    QCOMPARE(f.model.dirs.bmpDir, bmpBefore);
    QCOMPARE(f.model.dirs.paletteDir, paletteBefore);
    QCOMPARE(QString::fromStdString(f.model.dirs.gaugesDir), f.path("fs98/gauges/"));
    QCOMPARE(f.settingsLines().at(1), f.path("fs98/gauges/bmp/"));
    QVERIFY(!QFileInfo::exists(f.path("photos/bmp")));
}

void TestDirectoriesDialog::panelAndProgramDirectories() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
    QDir().mkpath(f.path("anywhere"));
    f.window->openDirectoriesDialog("PANEL");
    f.window->directoriesDialog()->setListPath(f.path("anywhere"));
    click(f.window->directoriesDialog(), "Command1");
    QTRY_VERIFY(f.window->directoriesDialog() == nullptr);
    QCOMPARE(f.window->windowTitle(), kCaptionPrefix + f.path("anywhere/"));
    QCOMPARE(f.settingsLines().at(3), f.path("anywhere/"));
    QCOMPARE(f.settingsLines().at(1), f.path("fs98/gauges/bmp/")); // untouched by PANEL

    f.window->openDirectoriesDialog("COCKPIX");
    f.window->directoriesDialog()->setListPath(f.path("anywhere"));
    click(f.window->directoriesDialog(), "Command1");
    QCOMPARE(f.dialogs.lastMessage(),
             QStringLiteral("You didn't select the right /COCKPIX/ directory. Please try again."));
    touch(f.path("anywhere/cockpix"));
    click(f.window->directoriesDialog(), "Command1");
    QTRY_VERIFY(f.window->directoriesDialog() == nullptr);
    QCOMPARE(f.settingsLines().at(4), f.path("anywhere/"));
}

QTEST_MAIN(TestDirectoriesDialog)
#include "tst_directoriesdialog.moc"

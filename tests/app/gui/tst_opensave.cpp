// "&Open" and "&Save" through the main window: dialogs, menu states, settings, caption,
// the reroute and structure messages, backups, and an edit in the template that reaches
// the saved file.

#include "app/gui/panelcommands.h"
#include "panel/core/panelreader.h"
#include "shellfixture.h"
#include "template/gui/templatewindow.h"

#include <QLineEdit>

using namespace cockpix;

namespace {

const QString kSamples = QStringLiteral(COCKPIX_FIXTURES_DIR "/../../samples/fs98/aircraft");
const QString kStructureMessage = QStringLiteral(
    "Abnormal structure of 'Panel.cfg'.\nPlease edit and correct 'panel.cfg' manually.");

void copyFile(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).path());
    QFile::remove(to);
    QVERIFY2(QFile::copy(from, to), qPrintable(from));
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The sample Cessna in the fixture's own FS98 tree, returning its panel.cfg.
QString installSample(const ShellFixture& f) {
    const QString panel = f.path("fs98/aircraft/sample_cessna/panel/panel.cfg");
    copyFile(kSamples + "/sample_cessna/panel/panel.cfg", panel);
    copyFile(kSamples + "/sample_alias/panel/panel.cfg",
             f.path("fs98/aircraft/sample_alias/panel/panel.cfg"));
    return panel;
}

QString boxText(const ShellFixture& f, const char* name) {
    auto* box = f.window->templateWindow()->findChild<QLineEdit*>(QString::fromLatin1(name));
    return box ? box->text() : QStringLiteral("<no box>");
}

} // namespace

class TestOpenSave : public QObject {
    Q_OBJECT
private slots:
    void openAsksWithThePanelDirectoryAndCancelChangesNothing();
    void openReadsAGoodPanel();
    void openOfABrokenFileShowsTheStructureMessage();
    void openOfAnEmptyPathEndsSilently();
    void openFollowsAnAlias();
    void openReplacesThePreviousPanel();
    void saveKeepsABackupOfTheOldFile();
    void saveWithoutAnOldFileWritesPanelCfg();
    void saveOfAnEmptyPanelDoesNothing();
    void aFailedSaveSaysSoAndKeepsTheOldFile();
    void editInTheTemplateReachesTheSavedFile();
};

void TestOpenSave::openAsksWithThePanelDirectoryAndCancelChangesNothing() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
    f.action("mnusave")->setEnabled(false);
    TemplateWindow* before = f.window->templateWindow();

    f.dialogs.queueOpenFile(std::nullopt);
    f.trigger("mnuopen");

    const FileDialogRequest request = f.dialogs.openRequests().last();
    QCOMPARE(request.directory, f.path("fs98/aircraft/"));
    QCOMPARE(request.proposedName, f.path("fs98/aircraft/panel.cfg"));
    QCOMPARE(request.filter, QStringLiteral("FS98 configuration file (*.cfg);;All (*.*)"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("cfg"));
    QVERIFY(f.action("mnusave")->isEnabled()); // enabled before the dialog, kept on Cancel
    QCOMPARE(f.window->templateWindow(), before);
    QVERIFY(!QFile::exists(f.path("fs98/aircraft/panel.cfg")));
}

void TestOpenSave::openReadsAGoodPanel() {
    ShellFixture f;
    f.writeUsualSettings();
    const QString panel = installSample(f);
    f.start();

    f.dialogs.queueOpenFile(panel);
    f.trigger("mnuopen");

    const QString panelDir = f.path("fs98/aircraft/sample_cessna/panel/");
    // Only the template's own checks may speak (the sample's view width is past its bound).
    QVERIFY(!f.dialogs.messages().contains(kStructureMessage));
    QCOMPARE(f.model.windowCount, 3);
    QCOMPARE(f.model.gauge(0, 1).gaugeName, std::string("cessna_182.attitude"));
    QCOMPARE(QString::fromStdString(f.model.dirs.panelDir), panelDir);
    QCOMPARE(f.window->windowTitle(), kCaptionPrefix + panelDir);
    QCOMPARE(f.settingsLines().at(3), panelDir);
    QCOMPARE(f.settingsLines().at(0), f.path("fs98/gauges/"));
    QVERIFY(f.action("mnusave")->isEnabled());
    QVERIFY(f.action("mnuopen")->isEnabled());
    QCOMPARE(boxText(f, "Text1_0"), QStringLiteral("Main Panel"));
    QCOMPARE(boxText(f, "Text1_2"), QStringLiteral("GPS"));
    // A window without windowsize_ratio= reads as ratio 1 once opened.
    QCOMPARE(f.model.window(2).windowSizeRatio, 1.0);

    // The command line opens through the same road, without the dialog.
    ShellFixture g;
    g.writeUsualSettings();
    const QString other = installSample(g);
    g.start();
    QVERIFY(g.window->panelCommands().openPath(other));
    QCOMPARE(g.model.windowCount, 3);
    QVERIFY(g.dialogs.openRequests().isEmpty());
}

void TestOpenSave::openOfABrokenFileShowsTheStructureMessage() {
    ShellFixture f;
    f.writeUsualSettings();
    const QString broken = f.path("fs98/aircraft/broken/panel/panel.cfg");
    // A gauge number past the 64 slots of a window.
    writeFile(broken, "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\nfile=main.bmp\r\n"
                      "gauge64=cessna_182.airspeed, 1, 2\r\n");
    f.start();

    f.dialogs.queueOpenFile(broken);
    f.trigger("mnuopen");

    QCOMPARE(f.dialogs.messages(), QStringList{kStructureMessage});
    QVERIFY(!f.action("mnusave")->isEnabled());
    QVERIFY(f.action("mnuopen")->isEnabled());
    // The settings and the caption already name the new directory.
    const QString panelDir = f.path("fs98/aircraft/broken/panel/");
    QCOMPARE(f.window->windowTitle(), kCaptionPrefix + panelDir);
    QCOMPARE(f.settingsLines().at(3), panelDir);
    QCOMPARE(boxText(f, "Text1_0"), QString()); // the template stays empty

    // A file that is not there at all is a broken panel too, not a crash.
    f.dialogs.queueOpenFile(f.path("fs98/aircraft/nowhere/panel.cfg"));
    f.trigger("mnuopen");
    QCOMPARE(f.dialogs.lastMessage(), kStructureMessage);
    QVERIFY(!f.action("mnusave")->isEnabled());
}

void TestOpenSave::openOfAnEmptyPathEndsSilently() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
    f.dialogs.queueOpenFile(QString());
    f.trigger("mnuopen");
    QVERIFY(f.dialogs.messages().isEmpty());
    QVERIFY(f.action("mnuopen")->isEnabled());
    QVERIFY(!f.action("mnusave")->isEnabled());
    QCOMPARE(f.settingsLines().at(3), f.path("fs98/aircraft/")); // nothing written
}

void TestOpenSave::openFollowsAnAlias() {
    ShellFixture f;
    f.writeUsualSettings();
    installSample(f);
    f.start();

    f.dialogs.queueOpenFile(f.path("fs98/aircraft/sample_alias/panel/panel.cfg"));
    f.trigger("mnuopen");

    const QString target = f.path("fs98/aircraft/sample_cessna/panel/");
    QCOMPARE(f.dialogs.messages().value(0), "'panel.cfg' rerouted CockPix to [" + target + "]");
    QVERIFY(!f.dialogs.messages().contains(kStructureMessage));
    QCOMPARE(QString::fromStdString(f.model.dirs.panelDir), target);
    QCOMPARE(f.window->windowTitle(), kCaptionPrefix + target);
    QCOMPARE(f.settingsLines().at(3), target);
    QCOMPARE(f.model.windowCount, 3);
    QCOMPARE(boxText(f, "Text1_1"), QStringLiteral("Radio Stack"));
    QVERIFY(f.action("mnusave")->isEnabled());
}

void TestOpenSave::openReplacesThePreviousPanel() {
    ShellFixture f;
    f.writeUsualSettings();
    const QString panel = installSample(f);
    const QString single = f.path("fs98/aircraft/single/panel/panel.cfg");
    writeFile(single,
              "[Window Titles]\r\nWindow00=Only\r\n\r\n[Window00]\r\nfile=only.bmp\r\n"
              "size_mm=100\r\n\r\n[Default View]\r\nX=1\r\nY=2\r\nSIZE_X=3\r\nSIZE_Y=4\r\n");
    f.start();
    f.dialogs.queueOpenFile(panel);
    f.trigger("mnuopen");
    QCOMPARE(f.model.windowCount, 3);

    f.dialogs.queueOpenFile(single);
    f.trigger("mnuopen");
    QCOMPARE(f.model.windowCount, 1);
    QCOMPARE(f.model.window(1).windowTitle, std::string()); // cleared, not left over
    QCOMPARE(f.model.window(0).gaugeCount, 0);
    QCOMPARE(boxText(f, "Text1_0"), QStringLiteral("Only"));
    QCOMPARE(boxText(f, "Text1_1"), QString());
    QCOMPARE(f.window->findChildren<TemplateWindow*>().size(), 1);
}

void TestOpenSave::saveKeepsABackupOfTheOldFile() {
    ShellFixture f;
    f.writeUsualSettings();
    const QString panel = installSample(f);
    f.start();
    f.dialogs.queueOpenFile(panel);
    f.trigger("mnuopen");
    QFile original(panel);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray originalBytes = original.readAll();
    original.close();
    f.dialogs.clear();

    f.dialogs.queueSaveFile(std::nullopt); // Cancel: nothing happens
    f.trigger("mnusave");
    QVERIFY(f.dialogs.messages().isEmpty());
    const FileDialogRequest request = f.dialogs.saveRequests().last();
    const QString panelDir = f.path("fs98/aircraft/sample_cessna/panel/");
    QCOMPARE(request.directory, panelDir);
    QCOMPARE(request.proposedName, panelDir + "panel.cfg");
    QCOMPARE(request.filter, QStringLiteral("FS98 configuration file (*.cfg);;All (*.*)"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("cfg"));
    QVERIFY(!QFile::exists(panelDir + "panel.c1"));

    f.dialogs.queueSaveFile(panel);
    f.trigger("mnusave");
    QCOMPARE(f.dialogs.messages(),
             QStringList{"Previous 'panel.cfg' was saved as 'panel.c1'\nThe new '" + panel +
                         "' was correctly recorded to disk."});
    QFile backup(panelDir + "panel.c1");
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), originalBytes);

    PanelModel reread;
    reread.dirs.panelDir = panelDir.toStdString();
    QVERIFY(!readPanelFile(reread, panel.toStdString()));
    QCOMPARE(reread.windowCount, 3);
    QCOMPARE(reread.gauge(0, 5).gaugeName, std::string("cessna_182.vertical_speed"));
}

void TestOpenSave::saveWithoutAnOldFileWritesPanelCfg() {
    ShellFixture f;
    f.writeUsualSettings();
    const QString panel = installSample(f);
    f.start();
    f.dialogs.queueOpenFile(panel);
    f.trigger("mnuopen");
    QVERIFY(QFile::remove(panel));
    f.dialogs.clear();

    const QString panelDir = f.path("fs98/aircraft/sample_cessna/panel/");
    f.dialogs.queueSaveFile(panelDir + "other.cfg");
    f.trigger("mnusave");
    QCOMPARE(f.dialogs.messages(),
             QStringList{"The new '" + panel + "' was correctly recorded to disk."});
    QVERIFY(QFile::exists(panel));
    QVERIFY(!QFile::exists(panelDir + "other.cfg"));
    QVERIFY(!QFile::exists(panelDir + "panel.c1"));
}

void TestOpenSave::saveOfAnEmptyPanelDoesNothing() {
    ShellFixture f;
    f.writeUsualSettings();
    f.start();
    f.trigger("mnusave"); // no dialog: ScriptedDialogs would fail the test
    QVERIFY(f.dialogs.saveRequests().isEmpty());
    QVERIFY(f.dialogs.messages().isEmpty());
}

void TestOpenSave::aFailedSaveSaysSoAndKeepsTheOldFile() {
    ShellFixture f;
    f.writeUsualSettings();
    const QString panel = installSample(f);
    f.start();
    f.dialogs.queueOpenFile(panel);
    f.trigger("mnuopen");
    QFile original(panel);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray originalBytes = original.readAll();
    original.close();
    f.dialogs.clear();

    f.dialogs.queueSaveFile(f.path("no/such/dir/panel.cfg"));
    f.trigger("mnusave");

    QCOMPARE(f.dialogs.messages().size(), 1);
    QVERIFY2(!f.dialogs.lastMessage().contains("correctly recorded"),
             qPrintable(f.dialogs.lastMessage()));
    // The old panel is still there, under its own name or as a backup.
    const QString panelDir = f.path("fs98/aircraft/sample_cessna/panel/");
    QFile kept(QFile::exists(panel) ? panel : panelDir + "panel.c1");
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), originalBytes);
}

void TestOpenSave::editInTheTemplateReachesTheSavedFile() {
    ShellFixture f;
    f.writeUsualSettings();
    const QString panel = installSample(f);
    f.start();
    f.dialogs.queueOpenFile(panel);
    f.trigger("mnuopen");

    auto* title = f.window->templateWindow()->findChild<QLineEdit*>("Text1_0");
    QVERIFY(title != nullptr);
    title->setFocus();
    title->end(false);
    QTest::keyClicks(title, " (edited)");
    QCOMPARE(f.model.window(0).windowTitle, std::string("Main Panel (edited)"));

    f.dialogs.queueSaveFile(panel);
    f.trigger("mnusave");
    QVERIFY(f.dialogs.lastMessage().endsWith("' was correctly recorded to disk."));

    PanelModel reread;
    reread.dirs.panelDir = f.path("fs98/aircraft/sample_cessna/panel/").toStdString();
    QVERIFY(!readPanelFile(reread, panel.toStdString()));
    QCOMPARE(reread.window(0).windowTitle, std::string("Main Panel (edited)"));
    QCOMPARE(reread.window(1).windowTitle, std::string("Radio Stack"));
    QVERIFY(f.dialogs.verifyAllAnswersUsed());
}

QTEST_MAIN(TestOpenSave)
#include "tst_opensave.moc"

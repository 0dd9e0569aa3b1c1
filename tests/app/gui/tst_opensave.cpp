// "&Open" and "&Save" through the main window: dialogs, menu states, settings, caption,
// the reroute and structure messages, backups, and an edit in the template that reaches
// the saved file.

#include "app/gui/recentfilesmenu.h"
#include "base/gui/comparisondialog.h"
#include "base/gui/comparisonview.h"
#include "shellfixture.h"

using namespace cockpix;
using test::bytesOf;

namespace {

const QString kSamples = QStringLiteral(COCKPIX_FIXTURES_DIR "/../../samples/fs98/aircraft");
const QString kStructureMessage = QStringLiteral(
    "Abnormal structure of 'Panel.cfg'.\nPlease edit and correct 'panel.cfg' manually.");

void writeFile(const QString& path, const QByteArray& bytes) {
    QVERIFY(test::writeBytes(path, bytes));
}

} // namespace

class TestOpenSave : public QObject {
    Q_OBJECT

    std::unique_ptr<ShellFixture> f;
    QString cessnaDir, cessna; // the sample Cessna's panel directory and its panel.cfg

    // The Cessna opened through the dialog, with nothing said yet.
    void openCessna() {
        f->dialogs.queueOpenFile(cessna);
        f->trigger("mnuopen");
        f->dialogs.clear();
    }
    // Saved through the dialog as path; the questions it asks answered with answers.
    void saveAs(const QString& path, std::initializer_list<bool> answers = {}) {
        f->dialogs.queueSaveFile(path);
        for (const bool yes : answers)
            f->dialogs.queueQuestionAnswer(yes);
        f->trigger("mnusave");
    }
    void setTitle(const char* title) {
        f->document.setWindowField({0, fs98::WindowField::Title, std::string(title), 3});
    }

private slots:
    // Usual settings and the sample Cessna and its alias in the fixture's own FS98 tree.
    void init() {
        f = std::make_unique<ShellFixture>();
        f->writeUsualSettings();
        for (const QString aircraft : {"sample_cessna", "sample_alias"}) {
            const QString to = f->path("fs98/aircraft/" + aircraft + "/panel/panel.cfg");
            writeFile(to, bytesOf(kSamples + "/" + aircraft + "/panel/panel.cfg"));
        }
        cessnaDir = f->path("fs98/aircraft/sample_cessna/panel/");
        cessna = cessnaDir + "panel.cfg";
        f->start();
    }
    void cleanup() {
        QVERIFY(f->dialogs.verifyAllAnswersUsed());
        f.reset();
    }

    void cancelledOrEmptyOpenAndEmptySaveChangeNothing() {
        f->trigger("mnusave"); // an empty panel: no dialog, which ScriptedDialogs would fail
        f->action("mnusave")->setEnabled(false);
        f->dialogs.queueOpenFile(std::nullopt);
        f->trigger("mnuopen");
        const FileDialogRequest request = f->dialogs.openRequests().last();
        QCOMPARE(request.directory, f->path("fs98/aircraft/"));
        QCOMPARE(request.proposedName, f->path("fs98/aircraft/panel.cfg"));
        QVERIFY(f->action("mnusave")->isEnabled()); // enabled before the dialog, kept on Cancel

        f->dialogs.queueOpenFile(QString());
        f->trigger("mnuopen");
        QVERIFY(f->dialogs.messages().isEmpty());
        QVERIFY(f->action("mnuopen")->isEnabled() && !f->action("mnusave")->isEnabled());
        QCOMPARE(f->settingsLines().at(3), f->path("fs98/aircraft/")); // nothing written
    }

    void openReadsAGoodPanelOrFollowsAnAlias_data() {
        QTest::addColumn<QString>("aircraft");
        QTest::addColumn<bool>("rerouted");
        QTest::newRow("panel") << "sample_cessna" << false;
        QTest::newRow("alias") << "sample_alias" << true;
    }

    void openReadsAGoodPanelOrFollowsAnAlias() {
        QFETCH(QString, aircraft);
        QFETCH(bool, rerouted);
        f->dialogs.queueOpenFile(f->path("fs98/aircraft/" + aircraft + "/panel/panel.cfg"));
        f->trigger("mnuopen");
        QCOMPARE(f->dialogs.messages().value(0) ==
                     "'panel.cfg' rerouted CockPix to [" + cessnaDir + "]",
                 rerouted);
        // Only the template's own checks may speak (the sample's view width is past its bound).
        QVERIFY(!f->dialogs.messages().contains(kStructureMessage));
        QCOMPARE(f->document.panel().windowCount, 3);
        QCOMPARE(QString::fromStdString(f->app.dirs.panelDir), cessnaDir);
        QCOMPARE(f->window->shownCaption(), kCaptionPrefix + cessnaDir);
        // Nothing to undo and nothing to save right after opening.
        QVERIFY(!f->document.isModified() && !f->document.undoStack()->canUndo());
        QCOMPARE(f->settingsLines().mid(0, 4).join("|"),
                 (QStringList{f->path("fs98/gauges/"), f->path("fs98/gauges/bmp/"),
                              f->path("fs98/gauges/palette/"), cessnaDir}
                      .join("|")));
        QVERIFY(f->action("mnusave")->isEnabled() && f->action("mnuopen")->isEnabled());
        QCOMPARE(f->box("Text1_0")->text() + "|" + f->box("Text1_1")->text(),
                 QStringLiteral("Main Panel|Radio Stack"));
    }

    // A gauge number past the 64 slots of a window, a missing file, a program: each named in
    // one message, and nothing opened.
    void openOfABrokenMissingOrBinaryFileSaysSo() {
        const QString broken = f->path("fs98/aircraft/broken/panel/panel.cfg");
        writeFile(broken, "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\nfile=main.bmp\r\n"
                          "gauge64=cessna_182.airspeed, 1, 2\r\n");
        f->dialogs.queueOpenFile(broken);
        f->trigger("mnuopen");
        // The fixed message, then where and why the reader stopped (the reader's own words).
        QCOMPARE(f->dialogs.messages().size(), 1);
        QVERIFY(f->dialogs.messages().value(0).startsWith(kStructureMessage + "\n" + broken));
        QVERIFY(f->action("mnuopen")->isEnabled() && !f->action("mnusave")->isEnabled());
        // The settings and the caption already name the new directory.
        QCOMPARE(f->window->shownCaption(),
                 kCaptionPrefix + f->path("fs98/aircraft/broken/panel/"));
        QCOMPARE(f->settingsLines().at(3), f->path("fs98/aircraft/broken/panel/"));
        QCOMPARE(f->box("Text1_0")->text(), QString()); // the template stays empty

        f->dialogs.queueOpenFile(f->path("fs98/aircraft/nowhere/panel.cfg")); // not a crash
        f->trigger("mnuopen");
        QCOMPARE(f->dialogs.messages().size(), 2);

        const QString program = f->path("fs98/aircraft/program/panel/panel.cfg");
        writeFile(program, QByteArray("MZ\x90\0\x03\0\0\0\x04\0[Window Titles]", 25));
        f->dialogs.queueOpenFile(program);
        f->trigger("mnuopen");
        QCOMPARE(f->dialogs.lastMessage(), program + ": not a panel.cfg (it holds binary data)");
        QVERIFY(!f->action("mnusave")->isEnabled());
    }

    void openReplacesThePreviousPanel() {
        openCessna();
        QCOMPARE(f->document.panel().windowCount, 3);
        const QString single = f->path("fs98/aircraft/single/panel/panel.cfg");
        writeFile(single,
                  "[Window Titles]\r\nWindow00=Only\r\n\r\n[Window00]\r\nfile=only.bmp\r\n");
        // The command line opens through the same road, without the dialog.
        QVERIFY(f->window->panelCommands().openPath(single));
        QVERIFY(f->dialogs.openRequests().isEmpty());
        QCOMPARE(f->document.panel().windowCount, 1);
        QCOMPARE(f->document.panel().window(1).windowTitle, std::string()); // cleared
        QCOMPARE(f->document.panel().window(0).gaugeCount, 0);
        QCOMPARE(f->box("Text1_0")->text() + "|" + f->box("Text1_1")->text(),
                 QStringLiteral("Only|"));
        QCOMPARE(f->window->findChildren<TemplateWindow*>().size(), 1);
    }

    void anEditInTheTemplateIsSavedWithABackupOfTheOldFile() {
        openCessna();
        const QByteArray original = bytesOf(cessna);
        f->dialogs.queueSaveFile(std::nullopt); // Cancel: nothing happens
        f->trigger("mnusave");
        QCOMPARE(f->dialogs.saveRequests().last().directory, cessnaDir);
        QCOMPARE(f->dialogs.saveRequests().last().proposedName, cessna);
        QVERIFY(f->dialogs.messages().isEmpty() && !QFile::exists(cessnaDir + "panel.c1"));

        QLineEdit* title = f->box("Text1_0");
        title->setFocus();
        title->end(false);
        QTest::keyClicks(title, " (edited)");
        saveAs(cessna);
        QCOMPARE(f->dialogs.messages(),
                 QStringList{"Previous 'panel.cfg' was saved as 'panel.c1'\nThe new '" + cessna +
                             "' was correctly recorded to disk."});
        QCOMPARE(bytesOf(cessnaDir + "panel.c1"), original);
        QVERIFY(!f->document.isModified());
        QVERIFY(bytesOf(cessna).contains("=Main Panel (edited)\r\n"));
    }

    // FS98 reads panel.cfg: saved under another name, the panel directory keeps its panel.cfg
    // as it is, and no backup. The panel is then the new file's: Compare with saved and Open
    // Recent follow it. Without a panel.cfg the chosen file is written, without backup.
    void saveUnderAnotherNameKeepsPanelCfgForFs98() {
        openCessna();
        const QByteArray original = bytesOf(cessna);
        setTitle("Copied");
        saveAs(cessnaDir + "copy.cfg");
        QCOMPARE(f->dialogs.messages(), QStringList{"The new '" + cessnaDir +
                                                    "copy.cfg' was correctly recorded to disk."});
        QCOMPARE(bytesOf(cessna), original);
        QVERIFY(!QFile::exists(cessnaDir + "panel.c1"));
        QVERIFY(bytesOf(cessnaDir + "copy.cfg").contains("window00=Copied"));
        QVERIFY(!f->window->isWindowModified());
        ComparisonDialog* compared = f->window->panelCommands().compareWithSaved();
        QVERIFY(compared != nullptr && compared->view()->identical());
        QCOMPARE(f->window->recentFiles().files().value(0), cessnaDir + "copy.cfg");

        QVERIFY(QFile::remove(cessna));
        saveAs(cessnaDir + "other.cfg");
        QVERIFY(QFile::exists(cessnaDir + "other.cfg"));
        QVERIFY(!QFile::exists(cessna) && !QFile::exists(cessnaDir + "panel.c2"));
    }

    // The panel's own panel.cfg becomes a backup, so choosing it asks nothing; any other file
    // that exists is replaced only after a Yes.
    void saveAsksOnlyBeforeReplacingAnotherFile() {
        openCessna();
        saveAs(cessna);
        QVERIFY(f->dialogs.questions().isEmpty());
        QVERIFY(!f->dialogs.saveRequests().last().confirmOverwrite);

        writeFile(cessnaDir + "mine.cfg", "my notes");
        saveAs(cessnaDir + "mine.cfg", {false});
        QCOMPARE(f->dialogs.questions(),
                 QStringList{"mine.cfg already exists.\nDo you want to replace it?"});
        QCOMPARE(bytesOf(cessnaDir + "mine.cfg"), QByteArray("my notes"));
        saveAs(cessnaDir + "mine.cfg", {true});
        QVERIFY(bytesOf(cessnaDir + "mine.cfg").contains("generated with COCKPIX"));
    }

    // Saved into another aircraft's folder, the panel is that folder's: the caption, the
    // settings, the next Save and its backup and Compare with saved follow it.
    void aSaveIntoAnotherFolderIsFollowed() {
        openCessna();
        const QString otherDir = f->path("fs98/aircraft/other/panel/");
        QVERIFY(QDir().mkpath(otherDir));
        setTitle("Moved");
        saveAs(otherDir + "panel.cfg");
        QCOMPARE(f->window->shownCaption(), kCaptionPrefix + otherDir);
        QCOMPARE(f->settingsLines().at(3), otherDir);
        ComparisonDialog* compared = f->window->panelCommands().compareWithSaved();
        QVERIFY(compared != nullptr && compared->view()->identical());

        setTitle("Again");
        saveAs(otherDir + "panel.cfg");
        QCOMPARE(f->dialogs.saveRequests().last().proposedName, otherDir + "panel.cfg");
        QVERIFY(bytesOf(otherDir + "panel.c1").contains("window00=Moved"));
        QVERIFY(!QFile::exists(cessnaDir + "panel.c1"));
    }

    // A read-only file is replaced only after a Yes (No is the default), and stays read-only;
    // a save that fails says so and keeps the old file.
    void aReadOnlyOrUnwritablePanelIsKept() {
        openCessna();
        const QByteArray original = bytesOf(cessna);
        f->dialogs.queueSaveFile(f->path("no/such/dir/panel.cfg"));
        f->trigger("mnusave");
        QCOMPARE(f->dialogs.messages().size(), 1);
        QVERIFY2(!f->dialogs.lastMessage().contains("correctly recorded"),
                 qPrintable(f->dialogs.lastMessage()));

        const auto readOnly =
            QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QVERIFY(QFile::setPermissions(cessna, readOnly));
        setTitle("Guarded");
        for (const bool yes : {false, true}) {
            QCOMPARE(bytesOf(cessna), original);
            QVERIFY(!QFile::exists(cessnaDir + "panel.c1"));
            f->dialogs.clear();
            saveAs(cessna, {yes});
            QCOMPARE(f->dialogs.questions(),
                     QStringList{"panel.cfg is read-only.\nDo you want to replace it anyway?"});
            QCOMPARE(f->dialogs.messages().size(), yes ? 1 : 0);
        }
        QVERIFY(bytesOf(cessna) != original && QFile::exists(cessnaDir + "panel.c1"));
        // Owner, group and others (the "user" bits say what this process, maybe root, may do).
        QCOMPARE(QFile::permissions(cessna) & 0x7077, readOnly);
    }
};

COCKPIX_TEST_CLASS(TestOpenSave)
#include "tst_opensave.moc"

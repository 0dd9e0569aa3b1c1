// "&Open" and "&Save" through the main window: dialogs, menu states, settings, caption,
// the reroute and structure messages, backups, and an edit in the template that reaches
// the saved file.

#include "app/gui/panelcommands.h"
#include "app/gui/recentfilesmenu.h"
#include "base/gui/comparisondialog.h"
#include "base/gui/comparisonview.h"
#include "guisupport/testprogram.h"
#include "panel/core/fs98/reader.h"
#include "panel/gui/paneldocuments.h"
#include "shellfixture.h"
#include "support/testfiles.h"
#include "template/gui/templatewindow.h"

#include <QLineEdit>
#include <QUndoStack>

using namespace cockpix;

namespace {

const QString kSamples = QStringLiteral(COCKPIX_FIXTURES_DIR "/../../samples/fs98/aircraft");
const QString kStructureMessage = QStringLiteral(
    "Abnormal structure of 'Panel.cfg'.\nPlease edit and correct 'panel.cfg' manually.");
const QString kCessnaDir = QStringLiteral("fs98/aircraft/sample_cessna/panel/");

void writeFile(const QString& path, const QByteArray& bytes) {
    QVERIFY(test::writeBytes(path, bytes));
}

using test::bytesOf;

// Usual settings and the sample Cessna and its alias in the fixture's own FS98 tree; the
// main window is started and, when asked, the Cessna opened through the dialog.
void startWithSample(ShellFixture& f, bool open) {
    f.writeUsualSettings();
    for (const QString aircraft : {"sample_cessna", "sample_alias"}) {
        const QString to = f.path("fs98/aircraft/" + aircraft + "/panel/panel.cfg");
        writeFile(to, bytesOf(kSamples + "/" + aircraft + "/panel/panel.cfg"));
    }
    f.start();
    if (open) {
        f.dialogs.queueOpenFile(f.path(kCessnaDir + "panel.cfg"));
        f.trigger("mnuopen");
        f.dialogs.clear();
    }
}

QString boxText(const ShellFixture& f, const char* name) {
    auto* box = f.window->templateWindow()->findChild<QLineEdit*>(QString::fromLatin1(name));
    return box ? box->text() : QStringLiteral("<no box>");
}

} // namespace

class TestOpenSave : public QObject {
    Q_OBJECT
private slots:
    void cancelledOrEmptyOpenAndEmptySaveChangeNothing() {
        ShellFixture f;
        startWithSample(f, false);
        f.trigger("mnusave"); // an empty panel: no dialog, which ScriptedDialogs would fail
        f.action("mnusave")->setEnabled(false);
        f.dialogs.queueOpenFile(std::nullopt);
        f.trigger("mnuopen");
        const FileDialogRequest request = f.dialogs.openRequests().last();
        QCOMPARE(request.directory, f.path("fs98/aircraft/"));
        QCOMPARE(request.proposedName, f.path("fs98/aircraft/panel.cfg"));
        QVERIFY(f.action("mnusave")->isEnabled()); // enabled before the dialog, kept on Cancel

        f.dialogs.queueOpenFile(QString());
        f.trigger("mnuopen");
        QVERIFY(f.dialogs.messages().isEmpty());
        QVERIFY(f.action("mnuopen")->isEnabled() && !f.action("mnusave")->isEnabled());
        QCOMPARE(f.settingsLines().at(3), f.path("fs98/aircraft/")); // nothing written
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
        ShellFixture f;
        startWithSample(f, false);
        f.dialogs.queueOpenFile(f.path("fs98/aircraft/" + aircraft + "/panel/panel.cfg"));
        f.trigger("mnuopen");

        const QString panelDir = f.path(kCessnaDir);
        QCOMPARE(f.dialogs.messages().value(0) ==
                     "'panel.cfg' rerouted CockPix to [" + panelDir + "]",
                 rerouted);
        // Only the template's own checks may speak (the sample's view width is past its bound).
        QVERIFY(!f.dialogs.messages().contains(kStructureMessage));
        QCOMPARE(f.document.panel().windowCount, 3);
        QCOMPARE(QString::fromStdString(f.app.dirs.panelDir), panelDir);
        QCOMPARE(f.window->shownCaption(), kCaptionPrefix + panelDir);
        // Nothing to undo and nothing to save right after opening.
        QVERIFY(!f.document.isModified() && !f.document.undoStack()->canUndo());
        QCOMPARE(f.settingsLines().at(3), panelDir);
        QCOMPARE(f.settingsLines().at(0), f.path("fs98/gauges/"));
        QVERIFY(f.action("mnusave")->isEnabled() && f.action("mnuopen")->isEnabled());
        QCOMPARE(boxText(f, "Text1_0"), QStringLiteral("Main Panel"));
        QCOMPARE(boxText(f, "Text1_1"), QStringLiteral("Radio Stack"));
    }

    void openOfABrokenOrMissingFileShowsTheStructureMessage() {
        ShellFixture f;
        f.writeUsualSettings();
        const QString broken = f.path("fs98/aircraft/broken/panel/panel.cfg");
        // A gauge number past the 64 slots of a window.
        writeFile(broken, "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\nfile=main.bmp\r\n"
                          "gauge64=cessna_182.airspeed, 1, 2\r\n");
        f.start();
        f.dialogs.queueOpenFile(broken);
        f.trigger("mnuopen");

        // The fixed message, then where and why the reader stopped (the reader's own words).
        QCOMPARE(f.dialogs.messages().size(), 1);
        QVERIFY(f.dialogs.messages().value(0).startsWith(kStructureMessage + "\n" + broken));
        QVERIFY(f.action("mnuopen")->isEnabled() && !f.action("mnusave")->isEnabled());
        // The settings and the caption already name the new directory.
        QCOMPARE(f.window->shownCaption(), kCaptionPrefix + f.path("fs98/aircraft/broken/panel/"));
        QCOMPARE(f.settingsLines().at(3), f.path("fs98/aircraft/broken/panel/"));
        QCOMPARE(boxText(f, "Text1_0"), QString()); // the template stays empty

        f.dialogs.queueOpenFile(f.path("fs98/aircraft/nowhere/panel.cfg")); // not a crash either
        f.trigger("mnuopen");
        QCOMPARE(f.dialogs.messages().size(), 2);
        QVERIFY(!f.action("mnusave")->isEnabled());
    }

    void openReplacesThePreviousPanel() {
        ShellFixture f;
        startWithSample(f, true);
        QCOMPARE(f.document.panel().windowCount, 3);
        const QString single = f.path("fs98/aircraft/single/panel/panel.cfg");
        writeFile(single,
                  "[Window Titles]\r\nWindow00=Only\r\n\r\n[Window00]\r\nfile=only.bmp\r\n");
        // The command line opens through the same road, without the dialog.
        QVERIFY(f.window->panelCommands().openPath(single));
        QVERIFY(f.dialogs.openRequests().isEmpty());
        QCOMPARE(f.document.panel().windowCount, 1);
        QCOMPARE(f.document.panel().window(1).windowTitle, std::string()); // cleared, not left over
        QCOMPARE(f.document.panel().window(0).gaugeCount, 0);
        QCOMPARE(boxText(f, "Text1_0"), QStringLiteral("Only"));
        QCOMPARE(boxText(f, "Text1_1"), QString());
        QCOMPARE(f.window->findChildren<TemplateWindow*>().size(), 1);
    }

    void anEditInTheTemplateIsSavedWithABackupOfTheOldFile() {
        ShellFixture f;
        startWithSample(f, true);
        const QString panelDir = f.path(kCessnaDir), panel = panelDir + "panel.cfg";
        const QByteArray original = bytesOf(panel);

        f.dialogs.queueSaveFile(std::nullopt); // Cancel: nothing happens
        f.trigger("mnusave");
        QCOMPARE(f.dialogs.saveRequests().last().directory, panelDir);
        QCOMPARE(f.dialogs.saveRequests().last().proposedName, panel);
        QVERIFY(f.dialogs.messages().isEmpty());
        QVERIFY(!QFile::exists(panelDir + "panel.c1"));

        auto* title = f.window->templateWindow()->findChild<QLineEdit*>("Text1_0");
        title->setFocus();
        title->end(false);
        QTest::keyClicks(title, " (edited)");
        f.dialogs.queueSaveFile(panel);
        f.trigger("mnusave");
        QCOMPARE(f.dialogs.messages(),
                 QStringList{"Previous 'panel.cfg' was saved as 'panel.c1'\nThe new '" + panel +
                             "' was correctly recorded to disk."});
        QCOMPARE(bytesOf(panelDir + "panel.c1"), original);
        QVERIFY(!f.document.isModified());
        QVERIFY(bytesOf(panel).contains("=Main Panel (edited)\r\n"));
    }

    // FS98 reads panel.cfg: saved under another name, the panel directory keeps its panel.cfg
    // as it is, and no backup. The panel is then the new file's: Compare with saved and Open
    // Recent follow it. Without a panel.cfg the chosen file is written, without backup.
    void saveUnderAnotherNameKeepsPanelCfgForFs98() {
        ShellFixture f;
        startWithSample(f, true);
        const QString panelDir = f.path(kCessnaDir);
        const QByteArray original = bytesOf(panelDir + "panel.cfg");
        f.document.setWindowField({0, fs98::WindowField::Title, std::string("Copied"), 2});
        f.dialogs.queueSaveFile(panelDir + "copy.cfg");
        f.trigger("mnusave");
        QCOMPARE(f.dialogs.messages(),
                 QStringList{"The new '" + panelDir + "copy.cfg' was correctly recorded to disk."});
        QCOMPARE(bytesOf(panelDir + "panel.cfg"), original);
        QVERIFY(!QFile::exists(panelDir + "panel.c1"));
        QVERIFY(bytesOf(panelDir + "copy.cfg").contains("window00=Copied"));
        QVERIFY(!f.window->isWindowModified());
        ComparisonDialog* compared = f.window->panelCommands().compareWithSaved();
        QVERIFY(compared != nullptr && compared->view()->identical());
        QCOMPARE(f.window->recentFiles().files().value(0), panelDir + "copy.cfg");

        QVERIFY(QFile::remove(panelDir + "panel.cfg"));
        f.dialogs.clear();
        f.dialogs.queueSaveFile(panelDir + "other.cfg");
        f.trigger("mnusave");
        QCOMPARE(f.dialogs.messages(), QStringList{"The new '" + panelDir +
                                                   "other.cfg' was correctly recorded to disk."});
        QVERIFY(!QFile::exists(panelDir + "panel.cfg") && !QFile::exists(panelDir + "panel.c2"));
    }

    // The panel's own panel.cfg becomes a backup, so choosing it asks nothing; any other file
    // that exists is replaced only after a Yes.
    void saveAsksOnlyBeforeReplacingAnotherFile() {
        ShellFixture f;
        startWithSample(f, true);
        const QString panelDir = f.path(kCessnaDir);
        f.dialogs.queueSaveFile(panelDir + "panel.cfg");
        f.trigger("mnusave");
        QVERIFY(f.dialogs.questions().isEmpty());
        QVERIFY(!f.dialogs.saveRequests().last().confirmOverwrite);

        writeFile(panelDir + "mine.cfg", "my notes");
        f.dialogs.queueSaveFile(panelDir + "mine.cfg");
        f.dialogs.queueQuestionAnswer(false);
        f.trigger("mnusave");
        QCOMPARE(f.dialogs.questions(),
                 QStringList{"mine.cfg already exists.\nDo you want to replace it?"});
        QCOMPARE(bytesOf(panelDir + "mine.cfg"), QByteArray("my notes"));
        f.dialogs.queueSaveFile(panelDir + "mine.cfg");
        f.dialogs.queueQuestionAnswer(true);
        f.trigger("mnusave");
        QVERIFY(bytesOf(panelDir + "mine.cfg").contains("generated with COCKPIX"));
        QVERIFY(f.dialogs.verifyAllAnswersUsed());
    }

    // Saved into another aircraft's folder, the panel is that folder's: the caption, the
    // settings, the next Save and its backup and Compare with saved follow it.
    void aSaveIntoAnotherFolderIsFollowed() {
        ShellFixture f;
        startWithSample(f, true);
        const QString otherDir = f.path("fs98/aircraft/other/panel/");
        QVERIFY(QDir().mkpath(otherDir));
        f.document.setWindowField({0, fs98::WindowField::Title, std::string("Moved"), 3});
        f.dialogs.queueSaveFile(otherDir + "panel.cfg");
        f.trigger("mnusave");
        QCOMPARE(f.window->shownCaption(), kCaptionPrefix + otherDir);
        QCOMPARE(f.settingsLines().at(3), otherDir);
        ComparisonDialog* compared = f.window->panelCommands().compareWithSaved();
        QVERIFY(compared != nullptr && compared->view()->identical());

        f.document.setWindowField({0, fs98::WindowField::Title, std::string("Again"), 3});
        f.dialogs.queueSaveFile(otherDir + "panel.cfg");
        f.trigger("mnusave");
        QCOMPARE(f.dialogs.saveRequests().last().proposedName, otherDir + "panel.cfg");
        QVERIFY(bytesOf(otherDir + "panel.c1").contains("window00=Moved"));
        QVERIFY(!QFile::exists(f.path(kCessnaDir + "panel.c1")));
    }

    // A read-only file is replaced only after a Yes (No is the default), and stays read-only.
    void aReadOnlyPanelIsReplacedOnlyWhenTheUserSaysSo() {
        ShellFixture f;
        startWithSample(f, true);
        const QString panel = f.path(kCessnaDir + "panel.cfg");
        const QByteArray original = bytesOf(panel);
        const auto readOnly =
            QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QVERIFY(QFile::setPermissions(panel, readOnly));
        f.document.setWindowField({0, fs98::WindowField::Title, std::string("Guarded"), 3});
        for (const bool yes : {false, true}) {
            f.dialogs.clear();
            f.dialogs.queueSaveFile(panel);
            f.dialogs.queueQuestionAnswer(yes);
            f.trigger("mnusave");
            QCOMPARE(f.dialogs.questions(),
                     QStringList{"panel.cfg is read-only.\nDo you want to replace it anyway?"});
            QCOMPARE(bytesOf(panel) == original, !yes);
            QCOMPARE(QFile::exists(f.path(kCessnaDir + "panel.c1")), yes);
            QCOMPARE(f.dialogs.messages().size(), yes ? 1 : 0);
        }
        // Owner, group and others (the "user" bits say what this process, maybe root, may do).
        QCOMPARE(QFile::permissions(panel) & 0x7077, readOnly);
    }

    void aBinaryFileIsNoPanel() {
        ShellFixture f;
        startWithSample(f, false);
        const QString program = f.path("fs98/aircraft/program/panel/panel.cfg");
        writeFile(program, QByteArray("MZ\x90\0\x03\0\0\0\x04\0[Window Titles]", 25));
        f.dialogs.queueOpenFile(program);
        f.trigger("mnuopen");
        QCOMPARE(f.dialogs.messages(),
                 QStringList{program + ": not a panel.cfg (it holds binary data)"});
        QVERIFY(!f.action("mnusave")->isEnabled());
    }

    void aFailedSaveSaysSoAndKeepsTheOldFile() {
        ShellFixture f;
        startWithSample(f, true);
        const QString panelDir = f.path(kCessnaDir);
        const QByteArray original = bytesOf(panelDir + "panel.cfg");
        f.dialogs.queueSaveFile(f.path("no/such/dir/panel.cfg"));
        f.trigger("mnusave");
        QCOMPARE(f.dialogs.messages().size(), 1);
        QVERIFY2(!f.dialogs.lastMessage().contains("correctly recorded"),
                 qPrintable(f.dialogs.lastMessage()));
        QCOMPARE(bytesOf(panelDir + "panel.cfg"), original);
        QVERIFY(!QFile::exists(panelDir + "panel.c1"));
    }
};

COCKPIX_TEST_CLASS(TestOpenSave)
#include "tst_opensave.moc"

// Panels of FS2000 and later through the main window: Open (also through an alias) takes
// them as they are and the status bar names their format; Save writes every byte not
// edited as it was read, with the numbered backup; their windows, checker and clipboard
// follow the open panel. The rules themselves (lines, edits, backups) are the core's tests.

#include "app/gui/checkcommands.h"
#include "base/gui/comparisondialog.h"
#include "base/gui/comparisonview.h"
#include "gaugedialogs/gui/fs2k/gaugepropertiesdialog.h"
#include "gaugedialogs/gui/fs2k/panelwindows.h"
#include "panelwindows/gui/fs2k/panelwindow.h"
#include "panelwindows/gui/panelview.h"
#include "shellfixture.h"
#include "template/gui/checkerwindow.h"
#include "template/core/fs2k/windowtable.h"
#include "template/gui/fs2k/windowtable.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTableWidget>
#include <QTreeWidget>

using namespace cockpix;

namespace {

const QString kFs2k = QStringLiteral(COCKPIX_FIXTURES_DIR "/fs2k/");
const QString kPanelDir = QStringLiteral("fs98/aircraft/b767/panel/");

using test::bytesOf;

// Writes bytes as the panel.cfg of the fixture's aircraft, starts and opens it.
QString openWritten(ShellFixture& f, const QByteArray& bytes) {
    f.writeUsualSettings();
    const QString panel = f.path(kPanelDir + "panel.cfg");
    [&] { QVERIFY(test::writeBytes(panel, bytes)); }();
    f.start();
    f.dialogs.queueOpenFile(panel);
    f.trigger("mnuopen");
    return panel;
}

} // namespace

class TestFs2kPanel : public QObject {
    Q_OBJECT
private slots:
    void openAndSaveWithoutAnEditKeepEveryByte_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("rows");
        QTest::newRow("sections") << bytesOf(kFs2k + "mixed_sections.cfg") << 5;
        // MSFS takes an empty or comment-only panel.cfg, and a variant panel of a few sections.
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("comments") << QByteArray("// nothing yet\r\n\r\n") << 0;
        QTest::newRow("variant") << bytesOf(QStringLiteral(COCKPIX_FIXTURES_DIR
                                                           "/dump/msfs_variant.cfg"))
                                 << 1;
    }

    // Every other form of line keeps its bytes too, in the core tests.
    void openAndSaveWithoutAnEditKeepEveryByte() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, rows);
        ShellFixture f;
        const QString panel = openWritten(f, bytes);
        // No FS98 structure message, and the format is told.
        QCOMPARE(f.dialogs.messages(), QStringList());
        QVERIFY(f.fs2kDocument.hasContent());
        QCOMPARE(f.window->templateWindow()->fs2kTable()->table()->rowCount(), rows);
        QCOMPARE(f.window->formatNotice(), QStringLiteral("FS2000 and later panel"));
        QVERIFY(f.action("mnusave")->isEnabled() && !f.fs2kDocument.isModified());
        // Compare with saved shows the text Save writes: the file's own lines.
        ComparisonDialog* comparison = f.window->panelCommands().compareWithSaved();
        QVERIFY(comparison != nullptr && comparison->view()->identical());
        comparison->close();

        f.dialogs.queueSaveFile(panel);
        f.trigger("mnusave");
        QCOMPARE(f.dialogs.saveRequests().last().filter,
                 QStringLiteral("FS2000 and later configuration file (*.cfg);;All (*.*)"));
        QCOMPARE(f.dialogs.messages().size(), 1); // its wording is the FS98 save's
        QVERIFY(f.dialogs.lastMessage().contains("correctly recorded"));
        QCOMPARE(bytesOf(panel), bytes);
        QCOMPARE(bytesOf(f.path(kPanelDir + "panel.c1")), bytes);
    }

    // Undo, Redo and the modified mark follow the panel of whichever format was opened last:
    // each format keeps its own history, and New drops the fs2k one.
    void theEditMenuAndTheMarkFollowThePanelOpened() {
        ShellFixture f;
        openWritten(f, bytesOf(kFs2k + "mixed_sections.cfg"));
        QAction* undo = f.action("mnuundo");
        QVERIFY(!undo->isEnabled() && !f.window->shownCaption().contains('*'));
        f.fs2kDocument.setTitle(5, "Roof");
        QCOMPARE(undo->text(), QStringLiteral("&Undo Title of window 5"));
        QVERIFY(f.window->shownCaption().contains('*'));

        f.dialogs.queueSaveChoice(SaveChoice::Discard);
        f.trigger("mnunew");
        QVERIFY(!f.fs2kDocument.hasContent() && !undo->isEnabled());
        QVERIFY(!f.window->shownCaption().contains('*'));
        f.document.setWindowField({0, fs98::WindowField::Title, std::string("Main"), 1});
        QVERIFY(undo->isEnabled() && f.window->shownCaption().contains('*'));
        f.trigger("mnuundo");
        QVERIFY(f.document.panel().windowCount == 0 && !f.window->shownCaption().contains('*'));
    }

    void anAliasLeadsToTheFs2kPanel() {
        ShellFixture f;
        f.writeUsualSettings();
        const QByteArray later = bytesOf(kFs2k + "vcockpit_only.cfg");
        QVERIFY(test::writeBytes(f.path(kPanelDir + "panel.cfg"), later));
        const QString alias = f.path("fs98/aircraft/b767_freighter/panel/panel.cfg");
        QVERIFY(test::writeBytes(alias, "[fltsim]\r\nalias=b767\\panel\r\n"));
        f.start();
        QVERIFY(f.window->panelCommands().openPath(alias));
        QVERIFY(f.fs2kDocument.hasContent());
        QCOMPARE(f.fs2kDocument.filePath(), f.path(kPanelDir + "panel.cfg").toStdString());
        QCOMPARE(f.app.dirs.panelDir, f.path(kPanelDir).toStdString());
        QCOMPARE(f.dialogs.messages().size(), 1); // the reroute, as FS98's alias tells it
        QCOMPARE(QByteArray::fromStdString(f.fs2kDocument.lines().bytes()), later);
    }

    // A livery's variant that keeps its base's sections lists them greyed, read-only, after its
    // own; Save writes the variant's bytes alone; "Open base panel" opens the base's file.
    void aVariantListsItsBaseSectionsAndOpensTheBase() {
        ShellFixture f;
        f.writeUsualSettings();
        const QString air = f.path("Community/p/SimObjects/Airplanes/");
        const QByteArray variant = "[VARIATION]\r\noverride_base_container=0\r\n[VPainting01]\r\n"
                                   "size_mm=10,10\r\n";
        QVERIFY(test::writeBytes(air + "Base/panel/panel.cfg",
                                 "[VCockpit01]\r\nsize_mm=9,9\r\n[vpainting01]\r\n"));
        QVERIFY(test::writeBytes(air + "Livery/aircraft.cfg",
                                 "[VARIATION]\r\nbase_container=\"..\\Base\"\r\n"));
        QVERIFY(test::writeBytes(air + "Livery/panel.x/panel.cfg", variant));
        f.start();
        QVERIFY(f.window->panelCommands().openPath(air + "Livery/panel.x/panel.cfg"));
        fs2k::WindowTable* table = f.window->templateWindow()->fs2kTable();
        QCOMPARE(table->table()->rowCount(), 2);
        QCOMPARE(table->table()->verticalHeaderItem(1)->text(),
                 QStringLiteral("[VCockpit01] (base)"));
        QVERIFY(!(table->table()->item(1, int(fs2k::Column::SizeW))->flags() & Qt::ItemIsEditable));
        table->table()->setCurrentCell(1, 0);
        QVERIFY(!table->showButton()->isEnabled() && !table->removeButton()->isEnabled());
        f.dialogs.queueSaveFile(air + "Livery/panel.x/panel.cfg");
        QVERIFY(f.window->panelCommands().save());
        QCOMPARE(bytesOf(air + "Livery/panel.x/panel.cfg"), variant);
        QVERIFY(table->openBaseButton()->isEnabled());
        table->openBaseButton()->click();
        QTRY_COMPARE(f.fs2kDocument.filePath(), (air + "Base/panel/panel.cfg").toStdString());
    }

    // Each section opens in a panel window of its own, from the template's table or from the
    // Windows menu (or the command line's --show-window); asked again, the open one comes to
    // the front; a New closes them.
    void theTemplateAndTheWindowsMenuShowItsPanelWindows() {
        ShellFixture f;
        openWritten(f, bytesOf(kFs2k + "mixed_sections.cfg"));
        fs2k::WindowTable* table = f.window->templateWindow()->fs2kTable();
        QVERIFY(table->showButton()->isEnabled());
        table->table()->setCurrentCell(1, 0);
        QTest::mouseClick(table->showButton(), Qt::LeftButton);
        fs2k::PanelWindowForm* main = f.window->fs2kWindows().at(1);
        QVERIFY(main != nullptr);
        QCOMPARE(main->windowTitle(), QStringLiteral("Main Panel"));
        QCOMPARE(f.window->mdiArea()->activeSubWindow()->widget(), main);
        QCOMPARE(main->gaugeCount(), 4);

        QMenu* windows = f.window->mainMenu().windowsMenu;
        emit windows->aboutToShow();
        auto* overhead = windows->findChild<QAction*>("mnushowlater_0");
        QVERIFY(overhead != nullptr);
        QCOMPARE(overhead->text(), QStringLiteral("[Window05] Overhead"));
        overhead->trigger();
        QVERIFY(f.window->fs2kWindows().at(0) != nullptr);
        windows->findChild<QAction*>("mnushowlater_1")->trigger();
        QCOMPARE(f.window->mdiArea()->activeSubWindow()->widget(), main);
        QCOMPARE(f.window->mdiArea()->subWindowList().size(), 3);
        // As --show-window N asks: section N, not an FS98 window the panel does not have.
        const auto messages = f.dialogs.messages().size();
        f.window->showPanelWindow(2);
        QVERIFY(f.window->fs2kWindows().at(2) != nullptr);
        QCOMPARE(f.dialogs.messages().size(), messages);

        QPointer<fs2k::PanelWindowForm> gone = main;
        f.dialogs.queueQuestionAnswer(true);
        f.trigger("mnunew");
        QTRY_VERIFY(gone.isNull());
    }

    // Checked by the rules of its own format while it is edited: a gap in the gauge numbers is
    // found, and its fix numbers the gauges again as one undo step that changes their lines only.
    void theCheckerJudgesItAndAFixChangesOnlyTheGaugeLines() {
        ShellFixture f;
        const QByteArray original = "// made by hand\r\n[Window Titles]\r\nWindow00=Main\r\n\r\n"
                                    "[Window00]\r\nBackground_color=0,0,0\r\nsize_mm=200,100\r\n"
                                    "gauge00=Inst!A, 10, 10, 20, 20\r\n"
                                    "gauge02=Inst!B , 50,10,20,20\r\n";
        QVERIFY(test::writeBytes(f.path(kPanelDir + "Inst.gau"), "a module"));
        const QString panel = openWritten(f, original);
        QLabel* status = f.window->checkCommands().statusLabel();
        QTRY_COMPARE(status->accessibleName(), QStringLiteral("1 finding"));
        CheckerWindow* checker = f.window->checkCommands().showChecker();
        QVERIFY(checker != nullptr);
        QTreeWidget* list = checker->findingList();
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(3 /* code */), QStringLiteral("gauge-gap"));
        list->setCurrentItem(list->topLevelItem(0));
        const int steps = f.fs2kDocument.undoStack()->count();
        clickButton(checker, "fixButton");
        QCOMPARE(f.fs2kDocument.undoStack()->count(), steps + 1);
        QTRY_COMPARE(status->accessibleName(), QStringLiteral("No findings"));
        f.trigger("mnuundo");
        QCOMPARE(QByteArray::fromStdString(f.fs2kDocument.lines().bytes()), original);
        QCOMPARE(bytesOf(panel), original);

        // A gauge's finding leads to the gauge in its panel window, with its properties open.
        f.fs2kDocument.setGaugeLine(f.fs2kDocument.panel().windows.at(0).gauges.at(1).line,
                                    "Nope!C , 50,10,20,20");
        QTRY_COMPARE(status->accessibleName(), QStringLiteral("2 findings"));
        QTreeWidgetItem* notFound = rowShowing(list, 3 /* code */, "gauge-not-found");
        QVERIFY(notFound != nullptr);
        list->setCurrentItem(notFound);
        emit list->itemActivated(notFound, 0);
        fs2k::PanelWindowForm* form = f.window->fs2kWindows().at(0);
        QVERIFY(form != nullptr);
        QCOMPARE(form->selectedGauge(), 1);
        QVERIFY(f.window->fs2kWindows().propertiesDialog() != nullptr);
        QCOMPARE(f.window->fs2kWindows().propertiesDialog()->line(),
                 f.fs2kDocument.panel().windows.at(0).gauges.at(1).line);
    }

    // The Edit menu's Copy and Paste keys in the panel windows: a UTF-8 panel's gauge goes onto
    // the clipboard as text, stays there while another panel (of Windows-1252) is opened, and
    // goes into it in that encoding, one step that Cut undoes; the items follow the active
    // window, its selection and the clipboard.
    void theClipboardCarriesGaugesToAnotherPanelInItsEncoding() {
        ShellFixture f;
        const QByteArray utf8 = "[Window Titles]\r\nWindow00=Caf\xC3\xA9\r\n\r\n[Window00]\r\n"
                                "Background_color=0,0,0\r\nsize_mm=200,100\r\n"
                                "gauge00=Caf\xC3\xA9!Fuel, 10, 20, 30, 30 // caf\xC3\xA9\r\n"
                                "gauge01=Inst!A, 50, 20\r\n";
        const QString panel = openWritten(f, utf8);
        QCOMPARE(f.fs2kDocument.encoding(), TextEncoding::Utf8);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        QAction* cut = f.action("mnucut");
        QAction* copy = f.action("mnucopy");
        QAction* paste = f.action("mnupaste");
        QVERIFY(!cut->isEnabled() && !copy->isEnabled() && !paste->isEnabled());
        QCOMPARE(paste->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Insert));

        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        fs2k::PanelWindowForm* form = f.window->fs2kWindows().show(0);
        QVERIFY(form != nullptr);
        QVERIFY(!copy->isEnabled() && !paste->isEnabled());
        form->selectGauge(0);
        QVERIFY(cut->isEnabled() && copy->isEnabled());
        form->view()->setFocus();
        QTest::keyClick(form->view(), Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(clipboard->text(),
                 QString::fromUtf8("gauge00=Caf\xC3\xA9!Fuel, 10, 20, 30, 30 // caf\xC3\xA9\r\n"));
        QVERIFY(paste->isEnabled());
        f.window->mdiArea()->setActiveSubWindow(f.window->templateSubWindow());
        QVERIFY(!copy->isEnabled() && !paste->isEnabled());

        const QByteArray windows1252 = "[Window Titles]\r\nWindow00=Moteur \xE9\r\n\r\n"
                                       "[Window00]\r\nBackground_color=0,0,0\r\n"
                                       "size_mm=200,100\r\ngauge00=Inst!A, 10, 20\r\n";
        QVERIFY(test::writeBytes(panel, windows1252));
        f.dialogs.queueOpenFile(panel);
        f.trigger("mnuopen");
        QCOMPARE(f.fs2kDocument.encoding(), TextEncoding::Windows1252);
        form = f.window->fs2kWindows().show(0);
        QVERIFY(form != nullptr && paste->isEnabled());
        form->view()->setFocus();
        QTest::keyClick(form->view(), Qt::Key_Insert, Qt::ShiftModifier);
        // Where Inst!A stands already: moved off it.
        QByteArray pasted = windows1252 + "gauge01=Caf\xE9!Fuel, 20, 30, 30, 30 // caf\xE9\r\n";
        QCOMPARE(QByteArray::fromStdString(f.fs2kDocument.lines().bytes()), pasted);
        QCOMPARE(f.fs2kDocument.undoStack()->count(), 1);
        QCOMPARE(form->view()->selection(), std::vector<int>{1});
        QVERIFY(cut->isEnabled());
        QTest::keyClick(form->view(), Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(f.fs2kDocument.undoStack()->text(1), QStringLiteral("Cut 1 gauge"));
        QCOMPARE(QByteArray::fromStdString(f.fs2kDocument.lines().bytes()), windows1252);
        QVERIFY(!cut->isEnabled());
        f.trigger("mnuundo");
        QCOMPARE(QByteArray::fromStdString(f.fs2kDocument.lines().bytes()), pasted);
        QVERIFY(f.dialogs.verifyAllAnswersUsed());
    }
};

COCKPIX_TEST_CLASS(TestFs2kPanel)
#include "tst_fs2kpanel.moc"

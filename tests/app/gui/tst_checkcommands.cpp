// The check commands in the main window, on the checker's fixture panels. "&Check panel...":
// the list and its summary, where a double click goes, every "Fix" as one undo step that the
// checker no longer faults and that undo takes back, and the status bar's count from Open to
// Save. "&Backups...": the list of panel.c1, panel.c2, ... with dates, sizes and contents,
// the comparison with the current panel.cfg, and "Restore", which keeps the current file as
// a new backup first and opens the restored panel. The comparison before a save with "Show
// changes before saving" (Save and Cancel, off by default) and "Compare with saved...".
// That no save or restore, failed or not, loses a file is held by the core tests.

#include "app/gui/backupsdialog.h"
#include "base/gui/comparisondialog.h"
#include "base/gui/comparisonview.h"
#include "checkshell.h"
#include "gaugedialogs/gui/gaugedialogs.h"
#include "gaugedialogs/gui/gaugepropertiesdialog.h"
#include "panel/core/fs98/edits.h"
#include "template/gui/panelcheck.h"

#include <QDateTime>
#include <QTableWidget>

using namespace cockpix;

namespace {

enum FindingColumn { LineColumn, SeverityColumn, TextColumn, CodeColumn };

QStringList codesOf(const std::vector<Finding>& findings) {
    QStringList codes;
    for (const Finding& finding : findings)
        codes << QString::fromStdString(finding.code);
    return codes;
}

// The row of the list whose code column is code, made the current one.
QTreeWidgetItem* selectCode(CheckerWindow& checker, const QString& code) {
    QTreeWidgetItem* row = rowShowing(checker.findingList(), CodeColumn, code);
    if (row)
        checker.findingList()->setCurrentItem(row);
    return row;
}

// As a user double-clicks: the first click of the two presses the row, which the view needs
// to take the second one as a double click on that row.
void doubleClick(QTreeWidget* list, QTreeWidgetItem* item) {
    const QPoint place = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, place);
}

// The box that has the focus in the main window (offscreen windows are never active, so
// QApplication has no focus widget to tell).
QString focusedName(const QWidget& window) {
    return window.focusWidget() ? window.focusWidget()->objectName() : QStringLiteral("<none>");
}

enum BackupColumn { NameColumn, DateColumn, SizeColumn, WindowsColumn, GaugesColumn };

using test::bytesOf;
using test::filesIn;

// Gauge 0 of window 0 moved to x, saved over panel.cfg: one more backup.
void editAndSave(CheckShell& f, double x) {
    f.document.setGaugeField(0, 0, fs98::GaugeField::X, x);
    f.dialogs.queueSaveFile(f.panelFile());
    f.trigger("mnusave");
}

// Restores the backup of that name through the dialog, answering its question Yes.
void restore(CheckShell& f, const QString& name) {
    BackupsDialog* dialog = f.window->checkCommands().showBackups();
    QTreeWidgetItem* row = rowShowing(dialog->backupList(), NameColumn, name);
    QVERIFY2(row != nullptr, qPrintable(name));
    dialog->backupList()->setCurrentItem(row);
    f.dialogs.queueQuestionAnswer(true);
    clickButton(dialog, "restoreButton");
}

// The "-" and "+" lines of the unified layout, as a reader of it sees them.
QStringList changedLines(ComparisonView& view) {
    view.setUnified(true);
    QTableWidget* table = view.table();
    QStringList lines;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QString text = table->item(row, 2)->text();
        if (text.startsWith('-') || text.startsWith('+'))
            lines << text;
    }
    return lines;
}

// Saves over the panel's own panel.cfg (the option off, so no comparison comes first).
void saveInPlace(CheckShell& f) {
    f.dialogs.queueSaveFile(f.panelFile());
    f.trigger("mnusave");
    f.dialogs.clear();
}

} // namespace

class TestCheckCommands : public QObject {
    Q_OBJECT
private slots:
    void theListShowsEveryFindingWithItsLine() {
        CheckShell f;
        QVERIFY(f.startOnCase("window_gap"));
        CheckerWindow* checker = f.showChecker();
        QVERIFY(checker != nullptr && checker->isVisible());
        QTreeWidget* list = checker->findingList();
        QStringList rows;
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = list->topLevelItem(row);
            rows << item->text(LineColumn) + " " + item->text(SeverityColumn) + " " +
                        item->text(CodeColumn);
        }
        // The same findings, lines and order as cockpix-cli check prints for the case.
        QCOMPARE(rows, (QStringList{"4 error window-no-section", "17 warning window-gap",
                                    "17 warning window-beyond-count"}));
        QCOMPARE(checker->findChild<QLabel*>("checkSummary")->text(),
                 QStringLiteral("3 findings: 1 error, 2 warnings. Double-click one to go to it."));
        QCOMPARE(unnamedControls(checker).join(", "), QString());

        // Opened again, the one window comes to the front instead of a second one.
        f.trigger("mnucheck");
        QCOMPARE(f.window->findChildren<CheckerWindow*>().size(), 1);

        // A clean panel says so, and a directory without backups too: nothing to fix, to go
        // to or to restore.
        CheckShell clean;
        QVERIFY(clean.startOnCase("clean"));
        CheckerWindow* none = clean.showChecker();
        QCOMPARE(none->findingList()->topLevelItemCount(), 0);
        QVERIFY(!none->findChild<QPushButton*>("fixButton")->isEnabled());
        QVERIFY(!none->findChild<QPushButton*>("goButton")->isEnabled());
        clean.trigger("mnubackups");
        BackupsDialog* empty = clean.window->checkCommands().backupsDialog();
        QCOMPARE(empty->backupList()->topLevelItemCount(), 0);
        QVERIFY(!empty->findChild<QPushButton*>("restoreButton")->isEnabled());
    }

    void doubleClickGoesToTheTemplateBoxOrTheGauge() {
        CheckShell f;
        QVERIFY(f.startOnCase("ratio_zero"));
        CheckerWindow* checker = f.showChecker();
        QTreeWidgetItem* ratio = selectCode(*checker, "ratio-zero");
        QVERIFY(ratio != nullptr);
        doubleClick(checker->findingList(), ratio);
        // The size ratio box of window 00 has the focus.
        QCOMPARE(focusedName(*f.window), QStringLiteral("Text4_0"));

        CheckShell g;
        QVERIFY(g.startOnCase("gauge_size_zero"));
        CheckerWindow* gauges = g.showChecker();
        QSignalSpy requested(gauges, &CheckerWindow::gaugeRequested);
        g.app.currentWindow = -1;
        QTreeWidgetItem* zero = selectCode(*gauges, "gauge-size-zero");
        QVERIFY(zero != nullptr);
        doubleClick(gauges->findingList(), zero);
        QCOMPARE(requested.size(), 1);
        QCOMPARE(requested.at(0), (QVariantList{0, 0}));
        // The gauge's properties open (on its panel window when the window can be shown).
        QCOMPARE(g.app.currentWindow, 0);
        QCOMPARE(g.app.currentGauge, 0);
        GaugePropertiesDialog* properties = g.window->gaugeDialogs().propertiesDialog();
        QVERIFY(properties != nullptr);
        QCOMPARE(properties->windowSlot(), 0);
        QCOMPARE(properties->gaugeIndex(), 0);
    }

    void everyFixIsOneUndoStepThatTheCheckerNoLongerFaults_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("choice"); // the item picked from the fix's list, if it has one
        const struct {
            const char *row, *fixture, *choice;
        } rows[] = {{"second use of a module", "module_twice", ""},
                    {"gauge wholly outside", "gauge_outside", ""},
                    {"gauge reaching past an edge", "gauge_overhang", ""},
                    {"gauge of size 0", "gauge_size_zero", ""},
                    {"typed .bmp", "bitmap_extension", ""},
                    {"missing bitmap", "bitmap_missing", "Spare"},
                    {"missing module", "module_missing", "test.wide"},
                    {"gaps in the window table", "window_gap", ""},
                    {"window size 0", "window_size_zero", ""}};
        for (const auto& row : rows) // each case is named by its finding's code, with "-" for "_"
            QTest::newRow(row.row)
                << row.fixture << QString(row.fixture).replace('_', '-') << row.choice;
    }

    void everyFixIsOneUndoStepThatTheCheckerNoLongerFaults() {
        QFETCH(QString, fixture);
        QFETCH(QString, code);
        QFETCH(QString, choice);
        CheckShell f;
        QVERIFY(f.startOnCase(fixture));
        CheckerWindow* checker = f.showChecker();
        PanelCheck& check = f.window->checkCommands().panelCheck();
        const fs98::Panel before = f.document.panel();
        const QStringList codesBefore = codesOf(check.findings());
        QVERIFY(selectCode(*checker, code) != nullptr);
        auto* fix = checker->findChild<QPushButton*>("fixButton");
        QVERIFY(fix->isEnabled());
        if (!choice.isEmpty())
            f.dialogs.queueListChoice(choice);
        const int steps = f.document.undoStack()->count();

        QTest::mouseClick(fix, Qt::LeftButton);
        QVERIFY(f.dialogs.verifyAllAnswersUsed());
        QCOMPARE(f.document.undoStack()->count(), steps + 1);
        QVERIFY(!(f.document.panel() == before));
        QVERIFY2(!codesOf(check.findings()).contains(code),
                 qPrintable(codesOf(check.findings()).join(", ")));

        f.trigger("mnuundo");
        QVERIFY(f.document.panel() == before);
        check.recheck();
        QCOMPARE(codesOf(check.findings()), codesBefore);
    }

    void aCancelledChoiceChangesNothing() {
        CheckShell f;
        QVERIFY(f.startOnCase("module_missing"));
        CheckerWindow* checker = f.showChecker();
        QVERIFY(selectCode(*checker, "module-missing") != nullptr);
        f.dialogs.queueListChoice(std::nullopt);
        clickButton(checker, "fixButton");
        QCOMPARE(f.document.undoStack()->count(), 0);
        // The list offers the modules not used yet that have a picture and a size, named in
        // lower case as the panel names them.
        QCOMPARE(f.dialogs.listRequests().size(), 1);
        QCOMPARE(f.dialogs.listRequests().at(0).items, QStringList{"test.wide"});
    }

    void theStatusBarCountsFromOpenAndStaysAfterSave() {
        CheckShell f;
        QVERIFY(f.startOnCase("window_gap"));
        QLabel* status = f.window->checkCommands().statusLabel();
        QVERIFY(status->isVisible());
        QCOMPARE(status->accessibleName(), QStringLiteral("3 findings"));
        QVERIFY(status->text().contains("href"));

        // The link opens the list.
        QVERIFY(f.window->checkCommands().checkerWindow() == nullptr);
        emit status->linkActivated("#check");
        QVERIFY(f.window->checkCommands().checkerWindow() != nullptr);

        // An edit is counted a moment later.
        CheckerWindow* checker = f.window->checkCommands().checkerWindow();
        QVERIFY(selectCode(*checker, "window-gap") != nullptr);
        clickButton(checker, "fixButton");
        QTRY_COMPARE(status->accessibleName(), QStringLiteral("1 finding"));

        // The file just written is checked again: the link stays.
        f.dialogs.queueSaveFile(f.panelFile());
        f.trigger("mnusave");
        QVERIFY(status->isVisible());
        QTRY_COMPARE(status->accessibleName(), QStringLiteral("1 finding"));
        QCOMPARE(unnamedControls(f.window.get()).join(", "), QString());
    }

    // The window measures the size the line lacks; the file still lacks it, and the warning stays.
    void openingAWindowChangesNoFinding() {
        CheckShell f;
        QVERIFY(f.startOnCase("module_no_size"));
        PanelCheck& check = f.window->checkCommands().panelCheck();
        check.recheck();
        const QStringList before = codesOf(check.findings());
        QVERIFY(before.contains("module-no-size"));
        QVERIFY(QFile(f.path("gauges/CESSNA_182.AIRSPEED.GAU")).open(QIODevice::WriteOnly));
        f.window->showPanelWindow(0);
        QVERIFY(f.document.panel().gauge(0, 1).gaugeRefSize > 0); // the size was measured
        check.recheck();
        QCOMPARE(codesOf(check.findings()), before);
        QVERIFY(!f.document.isModified());
    }

    void theListShowsEachBackupWithItsDateSizeAndContent() {
        CheckShell f;
        QVERIFY(f.startOnCase("clean"));
        // The comparison before saving is off by default: it would be an unexpected question.
        QVERIFY(!f.action("mnushowchanges")->isChecked());
        editAndSave(f, 20);
        QVERIFY(bytesOf(f.panelFile()).contains("gauge00=test.round, 20, 10, 100"));
        f.document.removeGauge(0, 2);
        f.dialogs.queueSaveFile(f.panelFile());
        f.trigger("mnusave");

        f.trigger("mnubackups");
        BackupsDialog* dialog = f.window->checkCommands().backupsDialog();
        QVERIFY(dialog != nullptr && dialog->isVisible());
        QTreeWidget* list = dialog->backupList();
        QCOMPARE(list->topLevelItemCount(), 2);
        // The newest first; each with the date and size of its file and what it holds.
        QStringList rows;
        for (int row = 0; row < 2; ++row) {
            const QTreeWidgetItem* item = list->topLevelItem(row);
            const QFileInfo file(f.panelDir() + item->text(NameColumn));
            QCOMPARE(item->text(DateColumn),
                     file.lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
            QCOMPARE(item->text(SizeColumn), QString::number(file.size()) + " bytes");
            rows << item->text(NameColumn) + " " + item->text(WindowsColumn) + " " +
                        item->text(GaugesColumn);
        }
        QCOMPARE(rows, (QStringList{"panel.c2 2 4", "panel.c1 2 4"}));
        QCOMPARE(unnamedControls(dialog).join(", "), QString());

        // From panel.cfg to panel.c2 (the file as the first save wrote it), what a restore would
        // change: the gauge line the second save took away comes back.
        ComparisonView* view = dialog->view();
        QCOMPARE(view->counts().removed, 0);
        QCOMPARE(view->counts().added, 1);
    }

    // Unsaved changes or a No stop the restore; a Yes keeps the current file as a new backup
    // and opens the restored panel.
    void restoreKeepsTheCurrentFileAndOpensTheRestoredPanel() {
        CheckShell f;
        QVERIFY(f.startOnCase("clean"));
        const QByteArray original = bytesOf(f.panelFile());
        editAndSave(f, 20); // panel.c1 = the original
        const auto before = filesIn(f.panelDir());
        QVERIFY(QFile(f.path("gauges/CESSNA_182.AIRSPEED.GAU")).open(QIODevice::WriteOnly));
        f.window->showPanelWindow(0);
        f.document.setGaugeField(0, 0, fs98::GaugeField::X, 30);
        f.dialogs.clear(); // and the panel window's warnings about the fixture's pictures
        f.trigger("mnubackups");
        BackupsDialog* dialog = f.window->checkCommands().backupsDialog();
        f.dialogs.queueSaveChoice(SaveChoice::Cancel);
        clickButton(dialog, "restoreButton");
        QVERIFY(f.document.isModified());
        f.dialogs.queueSaveChoice(SaveChoice::Discard);
        f.dialogs.queueQuestionAnswer(false);
        clickButton(dialog, "restoreButton");
        QCOMPARE(f.dialogs.saveQuestions().size(), 2);
        QVERIFY(filesIn(f.panelDir()) == before);

        f.dialogs.clear();
        f.dialogs.queueSaveChoice(SaveChoice::Discard);
        restore(f, "panel.c1");
        QVERIFY(f.dialogs.verifyAllAnswersUsed());
        QCOMPARE(f.dialogs.questions(),
                 QStringList{"Restore 'panel.c1' as panel.cfg?\nThe current panel.cfg is kept as a "
                             "new backup first.\nThe panel windows are closed and the restored "
                             "panel is opened in the template."});
        QCOMPARE(f.window->mdiArea()->subWindowList().size(), 1); // the template alone
        QCOMPARE(f.dialogs.messages().first(),
                 "Previous 'panel.cfg' was saved as 'panel.c2'\n'panel.c1' was restored as '" +
                     f.panelFile() + "'.");
        // Which file holds what afterwards is the backups' core tests'.
        QCOMPARE(bytesOf(f.panelFile()), original);
        // The restored panel is the one open, with nothing to save.
        QCOMPARE(QString::fromStdString(f.document.filePath()), f.panelFile());
        QCOMPARE(fs98::gaugeField(f.document.panel().gauge(0, 0), fs98::GaugeField::X), 10.0);
        QVERIFY(!f.document.isModified());
        QCOMPARE(f.window->checkCommands().backupsDialog()->backupList()->topLevelItemCount(), 2);
    }

    // "Compare with saved..." shows what Save would change, and "Close" alone; with "Show
    // changes before saving", a one-gauge change shows exactly its line, Cancel saves nothing
    // and Save writes exactly the text shown.
    void aOneGaugeChangeShowsExactlyItsLineAndCancelSavesNothing() {
        CheckShell f;
        QVERIFY(f.startOnCase("clean"));
        // The file as opened, before the writer ever wrote it, differs in the writer's own
        // header line and line ends, and the comparison says so rather than nothing.
        QVERIFY(!f.window->panelCommands().compareWithSaved()->view()->identical());
        saveInPlace(f); // the file now as the writer writes it
        const QByteArray saved = bytesOf(f.panelFile());
        f.trigger("mnucompare");
        auto* unchanged = f.window->findChildren<ComparisonDialog*>().last();
        QVERIFY(unchanged->isVisible() && unchanged->view()->identical());
        QVERIFY(unchanged->findChild<QLabel*>("comparisonSummary")->text().startsWith("No chan"));
        QVERIFY(unchanged->cancelButton() == nullptr); // nothing is saved from here

        f.trigger("mnushowchanges");
        QVERIFY(f.app.options.showChangesBeforeSaving);
        f.document.setGaugeField(0, 1, fs98::GaugeField::Y, 30);
        f.dialogs.queueSaveFile(f.panelFile());
        f.dialogs.queueChangesAnswer(false); // Cancel
        f.trigger("mnusave");
        QCOMPARE(f.dialogs.changesRequests().size(), 1);
        QCOMPARE(bytesOf(f.panelFile()), saved);
        QVERIFY(f.document.isModified());
        QCOMPARE(QDir(f.panelDir()).entryList({"panel.c?"}, QDir::Files),
                 QStringList{"panel.c1"}); // the first save's backup alone

        const ChangesRequest request = f.dialogs.changesRequests().at(0);
        QCOMPARE(QByteArray::fromStdString(request.oldText), saved);
        ComparisonDialog dialog(ComparisonDialog::Purpose::ReviewBeforeSave);
        dialog.setTexts(request.oldLabel, request.oldText, request.newLabel, request.newText);
        QCOMPARE(changedLines(*dialog.view()),
                 (QStringList{"-gauge01=test.wide, 200, 10", "+gauge01=test.wide, 200, 30"}));
        QCOMPARE(dialog.findChild<QLabel*>("comparisonSummary")->text(),
                 QStringLiteral("1 line removed, 1 line added."));
        QCOMPARE(unnamedControls(&dialog).join(", "), QString());

        f.dialogs.clear();
        f.dialogs.queueSaveFile(f.panelFile());
        f.dialogs.queueChangesAnswer(true);
        f.trigger("mnusave");
        QCOMPARE(bytesOf(f.panelFile()),
                 QByteArray::fromStdString(f.dialogs.changesRequests().at(0).newText));
        QVERIFY(!f.document.isModified());
    }

    void rowsAreOneLineHighAndTheRightColumnIsWhole() {
        const std::string longLine = "gauge00=" + std::string(200, 'w') + ", 1, 2";
        ComparisonView view;
        view.resize(500, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        for (const bool unified : {false, true}) {
            view.setUnified(unified);
            view.setTexts("old", "[Window00]\r\ngauge00=a, 1, 2\r\n", "new",
                          "[Window00]\r\n" + longLine + "\r\n");
            QTableWidget* table = view.table();
            const QFontMetrics metrics(table->font());
            QVERIFY2(table->rowHeight(0) < metrics.height() * 3 / 2,
                     qPrintable(QString::number(table->rowHeight(0))));
            const int last = table->columnCount() - 1;
            QVERIFY(table->columnWidth(last) >
                    metrics.horizontalAdvance(QString::fromStdString(longLine)));
            // With room to spare, the last column still reaches the right edge.
            view.setTexts("old", "a\r\n", "new", "b\r\n");
            int widths = 0;
            for (int column = 0; column < table->columnCount(); ++column)
                widths += table->columnWidth(column);
            QCOMPARE(widths, table->viewport()->width());
        }
    }
};

COCKPIX_TEST_CLASS(TestCheckCommands)
#include "tst_checkcommands.moc"

// The panel.cfg on disk beside what the program would write, and its backups:
// "&Backups..." (the list of panel.c1, panel.c2, ... with dates, sizes and contents, the
// comparison with the current panel.cfg, and "Restore", which keeps the current file as a
// new backup first and opens the restored panel), the comparison before a save with "Show
// changes before saving" (Save and Cancel, off by default) and "Compare with saved...".
// That no save or restore, failed or not, loses a file is held by the core tests.

#include "app/gui/backupsdialog.h"
#include "app/gui/checkcommands.h"
#include "base/gui/comparisondialog.h"
#include "base/gui/comparisonview.h"
#include "checkshell.h"
#include "guisupport/accessibility.h"
#include "guisupport/userclicks.h"
#include "panel/core/paneledits.h"
#include "panel/gui/paneldocument.h"
#include "support/testfiles.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

#include <map>

using namespace cockpix;

namespace {

enum Column { NameColumn, DateColumn, SizeColumn, WindowsColumn, GaugesColumn };

using test::bytesOf;
using test::filesIn;

// Gauge 0 of window 0 moved to x, saved over panel.cfg: one more backup.
void editAndSave(CheckShell& f, double x) {
    f.document.setGaugeField(0, 0, GaugeField::X, x);
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

// The old and new text of the side-by-side rows whose two sides differ.
QStringList differingRows(ComparisonView& view) {
    view.setUnified(false);
    QTableWidget* table = view.table();
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 1)->text() != table->item(row, 3)->text())
            rows << table->item(row, 1)->text() + " | " + table->item(row, 3)->text();
    }
    return rows;
}

// Saves over the panel's own panel.cfg (the option off, so no comparison comes first).
void saveInPlace(CheckShell& f) {
    f.dialogs.queueSaveFile(f.panelFile());
    f.trigger("mnusave");
    f.dialogs.clear();
}

} // namespace

class TestBackups : public QObject {
    Q_OBJECT
private slots:
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

        // A directory without backups says so, and nothing can be restored.
        CheckShell none;
        QVERIFY(none.startOnCase("clean"));
        none.trigger("mnubackups");
        BackupsDialog* empty = none.window->checkCommands().backupsDialog();
        QCOMPARE(empty->backupList()->topLevelItemCount(), 0);
        QVERIFY(!empty->findChild<QPushButton*>("restoreButton")->isEnabled());
    }

    void restoreKeepsTheCurrentFileAndOpensTheRestoredPanel() {
        CheckShell f;
        QVERIFY(f.startOnCase("clean"));
        const QByteArray original = bytesOf(f.panelFile());
        editAndSave(f, 20); // panel.c1 = the original
        const QByteArray current = bytesOf(f.panelFile());
        f.dialogs.clear();

        QVERIFY(QFile(f.path("gauges/CESSNA_182.AIRSPEED.GAU")).open(QIODevice::WriteOnly));
        f.window->showPanelWindow(0);
        f.dialogs.clear(); // its warnings about the fixture's pictures
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
        QCOMPARE(bytesOf(f.panelFile()), original);
        QCOMPARE(bytesOf(f.panelDir() + "panel.c1"), original);
        QCOMPARE(bytesOf(f.panelDir() + "panel.c2"), current);

        // The restored panel is the one open, with nothing to save.
        QCOMPARE(QString::fromStdString(f.document.filePath()), f.panelFile());
        QCOMPARE(gaugeField(f.document.panel().gauge(0, 0), GaugeField::X), 10.0);
        QVERIFY(!f.document.isModified());
        QCOMPARE(f.window->checkCommands().backupsDialog()->backupList()->topLevelItemCount(), 2);
    }

    void unsavedChangesOrANoStopTheRestore() {
        CheckShell f;
        QVERIFY(f.startOnCase("clean"));
        editAndSave(f, 20);
        const auto before = filesIn(f.panelDir());
        f.document.setGaugeField(0, 0, GaugeField::X, 30);
        f.dialogs.clear();

        f.trigger("mnubackups");
        BackupsDialog* dialog = f.window->checkCommands().backupsDialog();
        f.dialogs.queueSaveChoice(SaveChoice::Cancel);
        clickButton(dialog, "restoreButton");
        QCOMPARE(f.dialogs.saveQuestions().size(), 1);
        QVERIFY(f.document.isModified());

        f.dialogs.queueSaveChoice(SaveChoice::Discard);
        f.dialogs.queueQuestionAnswer(false);
        clickButton(dialog, "restoreButton");
        QVERIFY(f.dialogs.verifyAllAnswersUsed());
        QVERIFY(filesIn(f.panelDir()) == before);
    }

    void aOneGaugeChangeShowsExactlyItsLineAndCancelSavesNothing() {
        CheckShell f;
        QVERIFY(f.startOnCase("clean"));
        saveInPlace(f); // the file now as the writer writes it
        const QByteArray saved = bytesOf(f.panelFile());
        f.trigger("mnushowchanges");
        QVERIFY(f.app.options.showChangesBeforeSaving);
        f.document.setGaugeField(0, 1, GaugeField::Y, 30);

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
        ComparisonView& view = *dialog.view();
        QCOMPARE(view.counts().removed, 1);
        QCOMPARE(view.counts().added, 1);
        QCOMPARE(changedLines(view),
                 (QStringList{"-gauge01=test.wide, 200, 10", "+gauge01=test.wide, 200, 30"}));
        QCOMPARE(differingRows(view),
                 QStringList{"gauge01=test.wide, 200, 10 | gauge01=test.wide, 200, 30"});
        QCOMPARE(dialog.findChild<QLabel*>("comparisonSummary")->text(),
                 QStringLiteral("1 line removed, 1 line added."));
        QCOMPARE(unnamedControls(&dialog).join(", "), QString());

        // Save writes exactly the text shown.
        f.dialogs.clear();
        f.dialogs.queueSaveFile(f.panelFile());
        f.dialogs.queueChangesAnswer(true);
        f.trigger("mnusave");
        QCOMPARE(bytesOf(f.panelFile()),
                 QByteArray::fromStdString(f.dialogs.changesRequests().at(0).newText));
        QVERIFY(!f.document.isModified());
    }

    void anUnchangedPanelShowsNothing() {
        CheckShell f;
        QVERIFY(f.startOnCase("clean"));
        saveInPlace(f);
        f.trigger("mnucompare");
        auto* dialog = f.window->findChild<ComparisonDialog*>();
        QVERIFY(dialog != nullptr && dialog->isVisible());
        QVERIFY(dialog->view()->identical());
        QCOMPARE(dialog->view()->table()->rowCount(), 0);
        QCOMPARE(changedLines(*dialog->view()), QStringList());
        QVERIFY(dialog->findChild<QLabel*>("comparisonSummary")->text().startsWith("No changes"));
        QVERIFY(dialog->cancelButton() == nullptr); // "Close" alone: nothing is saved from here
        QVERIFY(f.dialogs.changesRequests().isEmpty());

        // The file as opened, before the writer ever wrote it, differs in the writer's own
        // header line and line ends, and the comparison says so rather than nothing.
        CheckShell g;
        QVERIFY(g.startOnCase("clean"));
        g.trigger("mnucompare");
        auto* first = g.window->findChild<ComparisonDialog*>();
        QVERIFY(!first->view()->identical());
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

QTEST_MAIN(TestBackups)
#include "tst_backups.moc"

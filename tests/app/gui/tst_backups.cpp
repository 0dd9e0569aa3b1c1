// "&Backups...": the list of panel.c1, panel.c2, ... with dates, sizes and contents, the
// comparison with the current panel.cfg, and "Restore", which keeps the current file as a
// new backup first and opens the restored panel. That no save or restore, failed or not,
// loses a file is held by the core tests.

#include "app/gui/backupsdialog.h"
#include "app/gui/checkcommands.h"
#include "base/gui/comparisonview.h"
#include "checkshell.h"
#include "guisupport/accessibility.h"
#include "panel/core/paneledits.h"
#include "panel/gui/paneldocument.h"
#include "support/testfiles.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMdiArea>
#include <QPushButton>
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

QTreeWidgetItem* rowOf(BackupsDialog& dialog, const QString& name) {
    QTreeWidget* list = dialog.backupList();
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        if (list->topLevelItem(row)->text(NameColumn) == name)
            return list->topLevelItem(row);
    return nullptr;
}

// Restores the backup of that name through the dialog, answering its question Yes.
void restore(CheckShell& f, const QString& name) {
    BackupsDialog* dialog = f.window->checkCommands().showBackups();
    QTreeWidgetItem* row = rowOf(*dialog, name);
    QVERIFY2(row != nullptr, qPrintable(name));
    dialog->backupList()->setCurrentItem(row);
    f.dialogs.queueQuestionAnswer(true);
    QTest::mouseClick(dialog->findChild<QPushButton*>("restoreButton"), Qt::LeftButton);
}

} // namespace

class TestBackups : public QObject {
    Q_OBJECT
private slots:
    void theListShowsEachBackupWithItsDateSizeAndContent();
    void restoreKeepsTheCurrentFileAndOpensTheRestoredPanel();
    void unsavedChangesOrANoStopTheRestore();
};

void TestBackups::theListShowsEachBackupWithItsDateSizeAndContent() {
    CheckShell f;
    QVERIFY(f.startOnCase("clean"));
    editAndSave(f, 20);
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

void TestBackups::restoreKeepsTheCurrentFileAndOpensTheRestoredPanel() {
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

void TestBackups::unsavedChangesOrANoStopTheRestore() {
    CheckShell f;
    QVERIFY(f.startOnCase("clean"));
    editAndSave(f, 20);
    const auto before = filesIn(f.panelDir());
    f.document.setGaugeField(0, 0, GaugeField::X, 30);
    f.dialogs.clear();

    f.trigger("mnubackups");
    BackupsDialog* dialog = f.window->checkCommands().backupsDialog();
    f.dialogs.queueSaveChoice(SaveChoice::Cancel);
    QTest::mouseClick(dialog->findChild<QPushButton*>("restoreButton"), Qt::LeftButton);
    QCOMPARE(f.dialogs.saveQuestions().size(), 1);
    QVERIFY(f.document.isModified());

    f.dialogs.queueSaveChoice(SaveChoice::Discard);
    f.dialogs.queueQuestionAnswer(false);
    QTest::mouseClick(dialog->findChild<QPushButton*>("restoreButton"), Qt::LeftButton);
    QVERIFY(f.dialogs.verifyAllAnswersUsed());
    QVERIFY(filesIn(f.panelDir()) == before);
}

QTEST_MAIN(TestBackups)
#include "tst_backups.moc"

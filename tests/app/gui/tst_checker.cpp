// "&Check panel..." on the checker's fixture panels: the list and its summary, where a
// double click goes, every "Fix" as one undo step that the checker no longer faults and that
// undo takes back, and the status bar's count from Open to Save.

#include "app/gui/checkcommands.h"
#include "checkshell.h"
#include "gauges/gui/gaugedialogs.h"
#include "gauges/gui/gaugepropertiesdialog.h"
#include "guisupport/accessibility.h"
#include "guisupport/userclicks.h"
#include "template/gui/checkerwindow.h"
#include "template/gui/panelcheck.h"
#include "template/gui/templatewindow.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QUndoStack>

using namespace cockpix;

namespace {

enum Column { LineColumn, SeverityColumn, TextColumn, CodeColumn };

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

} // namespace

class TestChecker : public QObject {
    Q_OBJECT
private slots:
    void theListShowsEveryFindingWithItsLine() {
        CheckShell f;
        QVERIFY(f.startOnCase("window_gap"));
        f.trigger("mnucheck");
        CheckerWindow* checker = f.window->checkCommands().checkerWindow();
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

        // A clean panel says so.
        CheckShell clean;
        QVERIFY(clean.startOnCase("clean"));
        clean.trigger("mnucheck");
        CheckerWindow* none = clean.window->checkCommands().checkerWindow();
        QCOMPARE(none->findingList()->topLevelItemCount(), 0);
        QVERIFY(!none->findChild<QPushButton*>("fixButton")->isEnabled());
        QVERIFY(!none->findChild<QPushButton*>("goButton")->isEnabled());
    }

    void doubleClickGoesToTheTemplateBoxOrTheGauge() {
        CheckShell f;
        QVERIFY(f.startOnCase("ratio_zero"));
        f.trigger("mnucheck");
        CheckerWindow* checker = f.window->checkCommands().checkerWindow();
        QTreeWidgetItem* ratio = selectCode(*checker, "ratio-zero");
        QVERIFY(ratio != nullptr);
        doubleClick(checker->findingList(), ratio);
        // The size ratio box of window 00 has the focus.
        QCOMPARE(focusedName(*f.window), QStringLiteral("Text4_0"));

        CheckShell g;
        QVERIFY(g.startOnCase("gauge_size_zero"));
        g.trigger("mnucheck");
        CheckerWindow* gauges = g.window->checkCommands().checkerWindow();
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
        f.trigger("mnucheck");
        CheckerWindow* checker = f.window->checkCommands().checkerWindow();
        PanelCheck& check = f.window->checkCommands().panelCheck();
        const Panel before = f.document.panel();
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
        f.trigger("mnucheck");
        CheckerWindow* checker = f.window->checkCommands().checkerWindow();
        QVERIFY(selectCode(*checker, "module-missing") != nullptr);
        f.dialogs.queueListChoice(std::nullopt);
        clickButton(checker, "fixButton");
        QCOMPARE(f.document.undoStack()->count(), 0);
        // The list offers the modules not used yet that have a picture and a size, named in
        // lower case as the panel names them.
        QCOMPARE(f.dialogs.listRequests().size(), 1);
        QCOMPARE(f.dialogs.listRequests().at(0).items, QStringList{"test.wide"});
    }

    void theStatusBarCountsFromOpenUntilSave() {
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

        f.dialogs.queueSaveFile(f.panelFile());
        f.trigger("mnusave");
        QVERIFY(!status->isVisible());
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
};

QTEST_MAIN(TestChecker)
#include "tst_checker.moc"

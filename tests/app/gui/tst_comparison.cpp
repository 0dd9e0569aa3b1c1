// The comparison of panel.cfg on disk with what "&Save" writes: off by default, before a
// save with "Show changes before saving" (Save and Cancel), and "Compare with saved...".

#include "base/gui/comparisondialog.h"
#include "base/gui/comparisonview.h"
#include "checkshell.h"
#include "guisupport/accessibility.h"
#include "panel/gui/paneldocument.h"
#include "support/testfiles.h"

#include <QComboBox>
#include <QLabel>
#include <QTableWidget>

using namespace cockpix;

namespace {

using test::bytesOf;

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

class TestComparison : public QObject {
    Q_OBJECT
private slots:
    void saveShowsNoComparisonUnlessAsked();
    void aOneGaugeChangeShowsExactlyItsLineAndCancelSavesNothing();
    void anUnchangedPanelShowsNothing();
    void rowsAreOneLineHighAndTheRightColumnIsWhole();
};

void TestComparison::saveShowsNoComparisonUnlessAsked() {
    CheckShell f;
    QVERIFY(f.startOnCase("clean"));
    QVERIFY(!f.action("mnushowchanges")->isChecked());
    f.document.setGaugeField(0, 0, GaugeField::X, 20);
    f.dialogs.queueSaveFile(f.panelFile());
    f.trigger("mnusave"); // a comparison here would be an unexpected question
    QVERIFY(f.dialogs.changesRequests().isEmpty());
    QVERIFY(bytesOf(f.panelFile()).contains("gauge00=test.round, 20, 10, 100"));
}

void TestComparison::aOneGaugeChangeShowsExactlyItsLineAndCancelSavesNothing() {
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

void TestComparison::anUnchangedPanelShowsNothing() {
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

void TestComparison::rowsAreOneLineHighAndTheRightColumnIsWhole() {
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

QTEST_MAIN(TestComparison)
#include "tst_comparison.moc"

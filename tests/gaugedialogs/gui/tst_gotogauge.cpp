// The go-to-gauge dialog (Form9): the gauges of the window in gauge order, the snapshot of
// the one clicked, and OK or a double click opening the properties of the gauge of that line,
// even when two lines read alike.

#include "guisupport/accessibility.h"
#include "guisupport/testprogram.h"
#include "panelwindows/gui/gaugewindows.h"

#include "gaugedialogs/gui/gaugepropertiesdialog.h"
#include "gaugedialogs/gui/gotogaugedialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace cockpix;

class TestGoToGauge : public QObject {
    Q_OBJECT

    std::unique_ptr<GaugeWindows> f;
    fs98::PanelWindowForm* form = nullptr;
    const int w = 0;

    GoToGaugeDialog* dialog() const { return f->gaugeDialogs->goToDialog(); }
    QListWidget* list() const { return dialog()->findChild<QListWidget*>("List1"); }
    QPoint line(int i) const { return list()->visualItemRect(list()->item(i)).center(); }
    QStringList lines() const {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }
    // Window 0 holds three gauges, the last two of one module; its panel window is shown
    // and the dialog opened from its menu.
    void openOnThreeGauges() {
        fs98::Panel panel = f->document.panel();
        fs98::PanelWindow& window = panel.window(w);
        window.gauges[2] = window.gauges[1];
        window.gauges[2].gaugeX += 200;
        window.gaugeCount = 3;
        f->replace(panel);
        form = f->show(w);
        GaugeWindows::action(form, "mnugo")->trigger();
        QVERIFY(dialog() != nullptr);
    }

private slots:
    void init() {
        f = std::make_unique<GaugeWindows>();
        QVERIFY2(f->start(), "the demo installation was not generated into the build");
        openOnThreeGauges();
    }
    void cleanup() {
        QVERIFY2(f->dialogs.errors().isEmpty(), qPrintable(f->dialogs.errors().join("\n")));
        f.reset();
    }

    void listsTheGaugesInOrderWithNothingSelected() {
        const fs98::Panel& panel = f->document.panel();
        QStringList expected;
        for (int g = 0; g < 3; ++g)
            expected << QString::fromStdString(panel.gauge(w, g).gaugeName);
        QCOMPARE(lines(), expected);
        QCOMPARE(expected[1], expected[2]);
        QCOMPARE(list()->currentRow(), -1);
        QCOMPARE(unnamedControls(dialog()), QStringList());
    }

    // OK without a line: the current gauge becomes -1 and the dialog stays.
    void okWithoutALineOnlyClearsTheCurrentGauge() {
        f->app.currentGauge = 1;
        dialog()->findChild<QPushButton*>("Command2")->click();
        QCOMPARE(f->app.currentGauge, -1);
        QVERIFY(dialog() != nullptr);
        QVERIFY(f->gaugeDialogs->propertiesDialog() == nullptr);
    }

    // The line, not the name, picks the gauge: the third line opens gauge 2.
    void aDoubleClickOpensThePropertiesOfThatLine() {
        QFETCH(int, row);
        QFETCH(bool, byOk);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, line(row));
        QVERIFY(!dialog()->findChild<QLabel*>("Image1")->pixmap().isNull());
        if (byOk)
            dialog()->findChild<QPushButton*>("Command2")->click();
        else
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, line(row));
        QTRY_VERIFY(dialog() == nullptr);
        GaugePropertiesDialog* properties = f->gaugeDialogs->propertiesDialog();
        QVERIFY(properties != nullptr);
        QCOMPARE(f->app.currentGauge, row);
        QVERIFY(properties->windowTitle().startsWith(QStringLiteral("#%1=").arg(row)));
        QCOMPARE(f->steps(), 0);
    }
    void aDoubleClickOpensThePropertiesOfThatLine_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("byOk");
        QTest::newRow("second line, double click") << 1 << false;
        QTest::newRow("third line, double click") << 2 << false;
        QTest::newRow("first line, OK") << 0 << true;
    }

    void cancelKeepsTheCurrentGauge() {
        f->app.currentGauge = 2;
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, line(0));
        dialog()->findChild<QPushButton*>("Command1")->click();
        QTRY_VERIFY(dialog() == nullptr);
        QCOMPARE(f->app.currentGauge, 2);
    }
};

COCKPIX_TEST_CLASS(TestGoToGauge)
#include "tst_gotogauge.moc"

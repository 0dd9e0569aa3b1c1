// The gauge properties dialog (Form3) on a panel window of the demo: how it opens, what each
// box does with what is typed, the blinker, and the removal with its compaction of the
// gauges and their pictures.

#include "base/core/numbertext.h"
#include "guisupport/accessibility.h"
#include "guisupport/testprogram.h"
#include "panelwindows/gui/gaugewindows.h"

#include "gaugedialogs/gui/gaugepropertiesdialog.h"
#include "panelwindows/core/blinker.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

using namespace cockpix;

class TestGaugeProperties : public QObject {
    Q_OBJECT

    std::unique_ptr<GaugeWindows> f;
    fs98::PanelWindowForm* form = nullptr;
    const int w = 0;

    GaugePropertiesDialog* dialog() const { return f->gaugeDialogs->propertiesDialog(); }
    QLineEdit* box(int n) const {
        return dialog()->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
    }
    QScrollBar* bar(int n) const {
        return dialog()->findChild<QScrollBar*>(QStringLiteral("HScroll%1").arg(n));
    }
    const fs98::Gauge& gauge(int g) const { return f->document.panel().gauge(w, g); }
    // Window 0 with gauge g at x, shown, and the dialog opened by a click on it.
    void openWithX(int g, double x) {
        fs98::Panel panel = f->document.panel();
        panel.gauge(w, g).gaugeX = x;
        f->replace(panel);
        form = f->show(w);
        GaugeWindows::click(form, g);
        QVERIFY(dialog() != nullptr);
    }
    // n gauges of distinct modules in window 0, each at its own place.
    void showWindowOf(int n) {
        fs98::Panel panel = f->document.panel();
        fs98::PanelWindow& window = panel.window(w);
        const int demo = window.gaugeCount;
        for (int i = demo; i < n; ++i) {
            window.gauges[i] = window.gauges[i % demo];
            window.gauges[i].gaugeX = (i % 8) * 60;
            window.gauges[i].gaugeY = (i / 8) * 40;
        }
        window.gaugeCount = n;
        f->replace(panel);
        form = f->show(w);
    }

private slots:
    void init() {
        f = std::make_unique<GaugeWindows>();
        QVERIFY2(f->start(), "the demo installation was not generated into the build");
        form = f->show(w);
    }
    void cleanup() {
        QVERIFY2(f->dialogs.errors().isEmpty(), qPrintable(f->dialogs.errors().join("\n")));
        f.reset();
    }

    // Opening rounds a fraction within the bar's range through the bar, halves to even, as
    // an undo step of its own; a value beyond the range stays and the bar keeps its place.
    void openingRoundsThroughTheBar() {
        QFETCH(double, x);
        QFETCH(double, model);
        QFETCH(int, position);
        QFETCH(int, steps);
        openWithX(3, x);
        QCOMPARE(gauge(3).gaugeX, model);
        QCOMPARE(bar(1)->value(), position);
        QCOMPARE(box(1)->text(), QString::fromStdString(plainNumberText(model)));
        QCOMPARE(f->steps(), steps);
    }
    void openingRoundsThroughTheBar_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("model");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("steps");
        QTest::newRow("12.5") << 12.5 << 12.0 << 12 << 1;
        QTest::newRow("2500") << 2500.0 << 2500.0 << 0 << 0;
    }

    // Typed into X: a minus sign alone is 0 and the bar writes 0 over it; a fraction that
    // leaves the bar where it was stays as typed; a run of keys is one step.
    void typingIntoX() {
        GaugeWindows::click(form, 2);
        const int start = f->steps();
        GaugeWindows::typeInto(box(1), "-");
        QCOMPARE(gauge(2).gaugeX, 0.0);
        QCOMPARE(bar(1)->value(), 0);
        QCOMPARE(box(1)->text(), QStringLiteral("0"));
        GaugeWindows::typeInto(box(1), "12.5");
        QCOMPARE(box(1)->text(), QStringLiteral("12.5"));
        QCOMPARE(gauge(2).gaugeX, 12.5);
        QCOMPARE(bar(1)->value(), 12);
        QCOMPARE(f->steps(), start + 1);
        QCOMPARE(f->lastStep(), QStringLiteral("Gauge #2 X"));
        // Leaving the box ends the step; the bar's arrow is a step of its own.
        box(3)->setFocus();
        bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(gauge(2).gaugeX, 13.0);
        QCOMPARE(box(1)->text(), QStringLiteral("13"));
        QCOMPARE(f->steps(), start + 2);
        // Beyond the range: stored and drawn, the bar stays.
        GaugeWindows::typeInto(box(3), "2600");
        QCOMPARE(gauge(2).gaugeY, 2600.0);
        // Undo puts the model, the picture and the boxes back.
        f->document.undo();
        QCOMPARE(box(3)->text(), QString::fromStdString(plainNumberText(gauge(2).gaugeY)));
        QVERIFY(gauge(2).gaugeY != 2600);
    }

    // Pasted over X, a place FS98 cannot reach; typed into S, a character FS98 cannot
    // hold: each is refused with a message, the box keeps the gauge's value, nothing stored.
    void refusedValuesAreNeverStored() {
        GaugeWindows::click(form, 2);
        const fs98::Panel before = f->document.panel();
        const int start = f->steps();
        box(1)->selectAll();
        box(1)->insert(QStringLiteral("99999999999999999999"));
        QCOMPARE(box(1)->text(), QString::fromStdString(plainNumberText(gauge(2).gaugeX)));
        QCOMPARE(f->dialogs.messages(),
                 QStringList{QStringLiteral("X must be a number from -32767 to 32767.")});
        GaugeWindows::typeInto(box(5), QStringLiteral("3"));
        for (const QChar character : QStringLiteral("é漢"))
            QTest::sendKeyEvent(QTest::Click, box(5), Qt::Key_unknown, character, Qt::NoModifier);
        QCOMPARE(box(5)->text(), QStringLiteral("3é"));
        QCOMPARE(f->dialogs.messages().last(),
                 QStringLiteral("This panel's texts are Windows-1252, which has no 漢 (U+6F22): "
                                "nothing was changed."));
        QCOMPARE(gauge(2).gaugeSize, 3.0); // "3é" reads as 3
        f->document.undo();
        QVERIFY(f->document.panel() == before);
        QCOMPARE(f->steps(), start + 1);
    }

    // D takes 1..1000 after rounding; anything else empties the box and changes nothing.
    void theBlinkPeriod() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(double, interval);
        GaugeWindows::click(form, 0);
        f->app.blinkState = 1;
        f->gaugeDialogs->editing().setBlinkInterval(250);
        auto* timer = form->findChild<QTimer*>("Timer1");
        box(8)->setText(typed);
        QCOMPARE(box(8)->text(), shown);
        QCOMPARE(f->app.blinkInterval, interval);
        QCOMPARE(timer->interval(), blinkTimerPeriodMs(f->app.blinkState, f->app.blinkInterval));
        QCOMPARE(f->steps(), 0); // not part of panel.cfg
    }
    void theBlinkPeriod_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("interval");
        QTest::newRow("1001") << "1001"
                              << "" << 250.0;
        QTest::newRow("42.6 moves the bar") << "42.6"
                                            << "43" << 43.0;
    }

    // The switch's caption says blinkState after each click (it opens as "BLINKER OFF"),
    // and every gauge picture shows again.
    void theBlinkerSwitch() {
        f->app.blinkState = 1; // left on by an earlier dialog
        form->toggleGaugeVisibility(3);
        GaugeWindows::click(form, 3);
        auto* blinker = dialog()->findChild<QCheckBox*>("Check1");
        QCOMPARE(blinker->text(), QStringLiteral("BLINKER OFF"));
        QVERIFY(form->gaugePicture(3).visible); // opening shows them all
        form->toggleGaugeVisibility(3);
        blinker->click();
        QCOMPARE(f->app.blinkState, 0);
        QCOMPARE(blinker->text(), QStringLiteral("BLINKER OFF"));
        QVERIFY(form->gaugePicture(3).visible);
        blinker->click();
        QCOMPARE(f->app.blinkState, 1);
        QCOMPARE(blinker->text(), QStringLiteral("BLINKER ON"));
        QVERIFY(blinker->isChecked());
    }

    // A press and release without moving is the click that opens the properties; a tremble
    // of a pixel or two is still a click, a real drag is none.
    void aClickWithoutMovementOpensTheProperties() {
        GaugeWindows::drag(form->view(), GaugeWindows::centreOf(form, 4), QPoint(1, 1));
        QCOMPARE(f->steps(), 0);
        QVERIFY(dialog() != nullptr);
        QCOMPARE(dialog()->gaugeIndex(), 4);
        QCOMPARE(f->app.currentGauge, 4);
        QCOMPARE(form->selectedGauge(), 4);
        f->gaugeDialogs->closeGaugeProperties();
        GaugeWindows::drag(form->view(), GaugeWindows::centreOf(form, 3), QPoint(37, -11));
        QCOMPARE(f->steps(), 1);
        QVERIFY(dialog() == nullptr);
    }

    // An open dialog follows a drag and its undo, without a step of its own; dragging another
    // gauge closes it.
    void theOpenPropertiesFollowTheMouse() {
        GaugeWindows::click(form, 5);
        GaugePropertiesDialog* shown = dialog();
        QVERIFY(shown);
        const QString before = box(1)->text();
        GaugeWindows::drag(form->view(), GaugeWindows::centreOf(form, 5), QPoint(40, 0));
        QCOMPARE(dialog(), shown);
        QCOMPARE(box(1)->text(), QString::number(gauge(5).gaugeX));
        QCOMPARE(f->steps(), 1);
        f->document.undo();
        QCOMPARE(box(1)->text(), before);
        QCOMPARE(f->steps(), 1);
        GaugeWindows::drag(form->view(), GaugeWindows::centreOf(form, 7), QPoint(0, 30));
        QTRY_VERIFY(dialog() == nullptr);
    }

    // One instance: a click on another gauge replaces it; a menu command closes it.
    void oneAtATime() {
        GaugeWindows::click(form, 2);
        GaugeWindows::click(form, 5);
        QCOMPARE(f->area->findChildren<GaugePropertiesDialog*>().size(), 1);
        QCOMPARE(dialog()->gaugeIndex(), 5);
        QCOMPARE(unnamedControls(dialog()), QStringList());
        GaugeWindows::action(form, "mnublack")->trigger();
        QVERIFY(dialog() == nullptr);
        // Opened for a gauge beyond the window's: nothing.
        f->gaugeDialogs->openGaugeProperties(w, 40);
        QVERIFY(dialog() == nullptr);
    }

    void removal() {
        QFETCH(int, count);
        QFETCH(int, removed);
        showWindowOf(count);
        const fs98::Panel before = f->document.panel();
        QList<QRect> places;
        QList<QImage> pictures;
        for (int i = 0; i < count; ++i) {
            places << form->gaugePicture(i).geometry;
            pictures << form->gaugePicture(i).picture;
        }
        GaugeWindows::click(form, removed);
        const QString name = QString::fromStdString(gauge(removed).gaugeName);
        auto* remove = dialog()->findChild<QPushButton*>("Command1");

        f->dialogs.queueQuestionAnswer(false);
        remove->click();
        QCOMPARE(f->dialogs.questions().value(0), "Are you sure to remove gauge\n" + name + " ?");
        QVERIFY(f->document.panel() == before);
        QVERIFY(dialog() != nullptr);

        f->dialogs.queueQuestionAnswer(true);
        remove->click();
        QTRY_VERIFY(dialog() == nullptr);
        QCOMPARE(f->document.panel().window(w).gaugeCount, count - 1);
        QCOMPARE(f->app.currentGauge, removed - 1);
        // The keys and the blinker act on the gauge before it, not on the one that moved in.
        QCOMPARE(form->selectedGauge(), removed - 1);
        for (int i = removed; i < count - 1; ++i) {
            QCOMPARE(gauge(i), before.gauge(w, i + 1));
            const PanelPicture picture = form->gaugePicture(i);
            QCOMPARE(picture.geometry, places[i + 1]);
            QVERIFY(picture.picture == pictures[i + 1]);
        }
        const PanelPicture freed = form->gaugePicture(count - 1);
        QVERIFY(!freed.enabled && !freed.visible && !freed.hasPicture());
        QCOMPARE(GaugeWindows::action(form, "mnuadd")->isEnabled(), true);
        QCOMPARE(GaugeWindows::action(form, "mnugo")->isEnabled(), count > 1);
        QCOMPARE(f->lastStep(), QStringLiteral("Remove gauge #%1").arg(removed));
        // Undo brings the gauge and its picture back exactly.
        f->document.undo();
        QVERIFY(f->document.panel() == before);
        QCOMPARE(form->gaugePicture(count - 1).geometry, places[count - 1]);
        QCOMPARE(GaugeWindows::action(form, "mnuadd")->isEnabled(), count < fs98::kGaugeSlots);
    }
    void removal_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("removed");
        QTest::newRow("the only gauge") << 1 << 0;
        QTest::newRow("gauge 2 of 5") << 5 << 2;
        QTest::newRow("a full window") << 64 << 10;
    }
};

COCKPIX_TEST_CLASS(TestGaugeProperties)
#include "tst_gaugeproperties.moc"

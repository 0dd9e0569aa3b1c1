// Editing gauges on an FS98 panel window with the mouse, with its gauge dialogs: a click
// opens the gauge properties, which follow a drag; tooltips and the topmost gauge. What both
// formats' windows do alike is in tst_panelwindowformats.

#include "gauges/gui/gaugewindows.h"
#include "guisupport/testprogram.h"

#include "gauges/gui/gaugepropertiesdialog.h"

#include <QHelpEvent>
#include <QSignalSpy>
#include <QToolTip>

using namespace cockpix;

class TestPanelEdits : public QObject {
    Q_OBJECT

    std::unique_ptr<GaugeWindows> f;
    PanelWindowForm* form = nullptr;
    const int w = 0;

    const Gauge& gauge(int g) const { return f->document.panel().gauge(w, g); }
    QWidget* view() const { return form->view(); }

private slots:
    void init() {
        f = std::make_unique<GaugeWindows>();
        QVERIFY2(f->start(), "the demo installation was not generated into the build");
        form = f->show(w);
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    void cleanup() {
        QVERIFY2(f->dialogs.errors().isEmpty(), qPrintable(f->dialogs.errors().join("\n")));
        f.reset();
    }

    // A press and release without moving is the click that opens the properties; a tremble
    // of a pixel or two is still a click.
    void aClickWithoutMovementOpensThePropertiesAsBefore() {
        const Panel before = f->document.panel();
        GaugeWindows::drag(view(), GaugeWindows::centreOf(form, 4), QPoint(1, 1));
        QCOMPARE(f->steps(), 0);
        QVERIFY(f->document.panel() == before);
        GaugePropertiesDialog* shown = f->gaugeDialogs->propertiesDialog();
        QVERIFY(shown != nullptr);
        QCOMPARE(shown->gaugeIndex(), 4);
        QCOMPARE(f->app.currentGauge, 4);
        QCOMPARE(form->selectedGauge(), 4);
        // A real drag is no click: it opens nothing.
        f->gaugeDialogs->closeGaugeProperties();
        GaugeWindows::drag(view(), GaugeWindows::centreOf(form, 3), QPoint(37, -11));
        QCOMPARE(f->steps(), 1);
        QVERIFY(f->gaugeDialogs->propertiesDialog() == nullptr);
    }

    // An open gauge properties dialog follows a drag and its undo, without a step of its own.
    void theOpenPropertiesFollowTheMouse() {
        GaugeWindows::click(form, 5);
        GaugePropertiesDialog* dialog = f->gaugeDialogs->propertiesDialog();
        QVERIFY(dialog);
        auto* x = dialog->findChild<QLineEdit*>("Text1");
        const QString before = x->text();
        const int stepsBefore = f->steps();
        GaugeWindows::drag(view(), GaugeWindows::centreOf(form, 5), QPoint(40, 0));
        QCOMPARE(f->gaugeDialogs->propertiesDialog(), dialog);
        QCOMPARE(x->text(), QString::number(gauge(5).gaugeX));
        QCOMPARE(f->steps(), stepsBefore + 1);
        f->document.undo();
        QCOMPARE(x->text(), before);
        QCOMPARE(f->steps(), stepsBefore + 1);
        // Dragging another gauge closes it: it showed the one selected before.
        GaugeWindows::drag(view(), GaugeWindows::centreOf(form, 7), QPoint(0, 30));
        QTRY_VERIFY(f->gaugeDialogs->propertiesDialog() == nullptr);
    }

    // The tooltip of the gauge under the mouse; none over the background.
    void tooltipsComeFromTheGaugeUnderTheMouse() {
        const QPoint at = GaugeWindows::centreOf(form, 1);
        QHelpEvent help(QEvent::ToolTip, at, view()->mapToGlobal(at));
        QCoreApplication::sendEvent(view(), &help);
        QTRY_COMPARE(QToolTip::text(), form->gaugePicture(1).toolTip);
        QHelpEvent none(QEvent::ToolTip, QPoint(1, 1), view()->mapToGlobal(QPoint(1, 1)));
        QCoreApplication::sendEvent(view(), &none);
        QVERIFY(!none.isAccepted());
    }

    // The gauge drawn last is the one under the mouse where two overlap.
    void theTopmostGaugeTakesThePress() {
        Panel overlapping = f->document.panel();
        overlapping.gauge(w, 1).gaugeX = overlapping.gauge(w, 0).gaugeX;
        overlapping.gauge(w, 1).gaugeY = overlapping.gauge(w, 0).gaugeY;
        f->replace(overlapping);
        form = f->show(w);
        QCOMPARE(form->view()->gaugeAt(GaugeWindows::centreOf(form, 0)), 1);
    }
};

COCKPIX_TEST_CLASS(TestPanelEdits)
#include "tst_paneledits.moc"

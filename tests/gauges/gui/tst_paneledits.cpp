// Editing gauges on a panel window with the mouse and the keys: a drag moves a gauge by the
// inverse of the layout rule, the corner handle resizes it, the arrows nudge it, Delete
// removes it, Tab walks the gauges; each is one undo step, and a click still opens the
// gauge properties.

#include "gauges/gui/gaugewindows.h"
#include "guisupport/testprogram.h"

#include "gauges/core/gaugedrag.h"
#include "gauges/core/panellayout.h"
#include "gauges/gui/gaugepropertiesdialog.h"
#include "gauges/gui/panelrenderer.h"

#include <QHelpEvent>
#include <QSignalSpy>
#include <QToolTip>

#include <cmath>

using namespace cockpix;

class TestPanelEdits : public QObject {
    Q_OBJECT

    std::unique_ptr<GaugeWindows> f;
    PanelWindowForm* form = nullptr;
    const int w = 0;

    const Gauge& gauge(int g) const { return f->document.panel().gauge(w, g); }
    QRect laidOut(int g) const {
        return pixelRect(gaugeRect(f->document.panel(), f->app.display, w, g));
    }
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

    // Dragged by (dx, dy) pixels, X and Y move by the inverse of the layout rule, to within
    // half a panel unit, in one step; the status line follows the drag and is cleared after.
    void aDragMovesTheGaugeByItsPixels() {
        QFETCH(QPoint, delta);
        const Gauge before = gauge(3);
        const double fx = pixelsPerUnitX(f->document.panel(), f->app.display, w);
        const double fy = pixelsPerUnitY(f->document.panel(), f->app.display, w);
        QSignalSpy status(form, &PanelWindowForm::dragStatusChanged);
        QSignalSpy clicked(form, &PanelWindowForm::gaugeClicked);
        f->app.snap.toGauges = false; // the pixels alone; snapping is in tst_panelwindow
        GaugeWindows::drag(view(), GaugeWindows::centreOf(form, 3), delta);
        QVERIFY(std::abs(gauge(3).gaugeX - (before.gaugeX + delta.x() / fx)) <= 0.5);
        QVERIFY(std::abs(gauge(3).gaugeY - (before.gaugeY + delta.y() / fy)) <= 0.5);
        QCOMPARE(gauge(3).gaugeSize, before.gaugeSize);
        QCOMPARE(f->steps(), 1);
        QCOMPARE(f->lastStep(), QStringLiteral("Move gauge #3"));
        QCOMPARE(form->gaugePicture(3).geometry, laidOut(3));
        QCOMPARE(clicked.count(), 0);
        QVERIFY(f->gaugeDialogs->propertiesDialog() == nullptr);
        QVERIFY(status.count() >= 2);
        QCOMPARE(status.at(status.count() - 2).at(0).toString(),
                 QString::fromStdString(
                     gaugePlaceStatus(3, gauge(3).gaugeX, gauge(3).gaugeY, before.gaugeSize, 1)));
        QCOMPARE(status.last().at(0).toString(), QString());
        QCOMPARE(form->selectedGauge(), 3);

        f->document.undo();
        QCOMPARE(gauge(3), before);
        QCOMPARE(form->gaugePicture(3).geometry, laidOut(3));
    }
    void aDragMovesTheGaugeByItsPixels_data() {
        QTest::addColumn<QPoint>("delta");
        QTest::newRow("right and up") << QPoint(37, -11);
        QTest::newRow("just past the click") << QPoint(3, 0);
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
    }

    // The handle at the selected gauge's lower-right corner resizes it, keeping its aspect.
    void theCornerHandleResizesKeepingTheAspect() {
        GaugeWindows::click(form, 6);
        f->gaugeDialogs->closeGaugeProperties();
        const QRect before = form->gaugePicture(6).geometry;
        const Gauge was = gauge(6);
        QCOMPARE(form->view()->handleRect().center(), before.bottomRight());
        GaugeWindows::drag(view(), before.bottomRight(), QPoint(30, 12));
        QVERIFY(gauge(6).gaugeSize > was.gaugeSize);
        QCOMPARE(gauge(6).gaugeX, was.gaugeX);
        QCOMPARE(gauge(6).gaugeSize, std::round(gauge(6).gaugeSize));
        QCOMPARE(f->lastStep(), QStringLiteral("Resize gauge #6"));
        const QRect after = form->gaugePicture(6).geometry;
        QCOMPARE(after, laidOut(6));
        QCOMPARE(after.topLeft(), before.topLeft());
        QVERIFY(std::abs(double(after.height()) / after.width() -
                         double(before.height()) / before.width()) < 0.02);
        f->document.undo();
        QCOMPARE(gauge(6), was);
        QCOMPARE(form->gaugePicture(6).geometry, before);
    }

    // Tab and Shift+Tab walk the gauges in order, round the ends; what the arrows do is the
    // gauge list walk's.
    void theKeysMoveAndWalkTheGauges() {
        const int n = f->document.panel().window(w).gaugeCount;
        QSignalSpy closing(form, &PanelWindowForm::closeGaugeDialogRequested);
        view()->setFocus();
        QTest::keyClick(view(), Qt::Key_Right);
        QCOMPARE(f->steps(), 0); // nothing selected yet
        QTest::keyClick(view(), Qt::Key_Tab);
        QCOMPARE(form->selectedGauge(), 0);
        QCOMPARE(closing.count(), 1);
        QTest::keyClick(view(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(form->selectedGauge(), n - 1);
        QTest::keyClick(view(), Qt::Key_Tab);
        QTest::keyClick(view(), Qt::Key_Tab);
        QCOMPARE(form->selectedGauge(), 1);
        QCOMPARE(f->app.currentGauge, 1);
    }

    // Delete asks the removal question; No keeps everything, Yes removes the gauge.
    void deleteAsksThenRemoves() {
        const int n = f->document.panel().window(w).gaugeCount;
        const std::string third = gauge(3).gaugeName;
        GaugeWindows::click(form, 2);
        QVERIFY(f->gaugeDialogs->propertiesDialog() != nullptr);
        f->dialogs.queueQuestionAnswer(false);
        QTest::keyClick(view(), Qt::Key_Delete);
        QCOMPARE(f->dialogs.questions().value(0), "Are you sure to remove gauge\n" +
                                                      QString::fromStdString(gauge(2).gaugeName) +
                                                      " ?");
        QCOMPARE(f->steps(), 0);
        QVERIFY(f->gaugeDialogs->propertiesDialog() != nullptr);

        f->dialogs.queueQuestionAnswer(true);
        QTest::keyClick(view(), Qt::Key_Delete);
        QCOMPARE(f->document.panel().window(w).gaugeCount, n - 1);
        QCOMPARE(gauge(2).gaugeName, third);
        QCOMPARE(f->lastStep(), QStringLiteral("Remove gauge #2"));
        QCOMPARE(f->app.currentGauge, 1);
        QCOMPARE(form->selectedGauge(), 1);
        QVERIFY(f->gaugeDialogs->propertiesDialog() == nullptr);
        QVERIFY(!form->gaugePicture(n - 1).enabled);
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

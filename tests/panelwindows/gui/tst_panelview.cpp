// The painted panel view on its own: many gauges, gauges drawn as outlines, the two ways
// its corner handle resizes, how little a drag repaints, and a selection of several gauges.

#include "drawing/gui/gaugeoutline.h"
#include "guisupport/testprogram.h"
#include "panelwindows/gui/panelview.h"

#include <QAccessible>
#include <QApplication>
#include <QPaintEvent>
#include <QRegion>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace cockpix;

namespace {

// The region of every paint the view receives while it is on.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    bool recording = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (recording && event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

QImage filled(QSize size, QColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QRect gridRect(int i) {
    return QRect(10 + (i % 10) * 60, 10 + (i / 10) * 50, 50, 40);
}

} // namespace

class TestPanelView : public QObject {
    Q_OBJECT

    std::unique_ptr<PanelView> m_view;

    // A shown 800 x 600 view with gauges 0..n-1 on a grid, every third without a picture.
    void fill(int n) {
        for (int i = 0; i < n; ++i) {
            const QString name = QStringLiteral("gauge #%1 : mod!g%1").arg(i);
            const QImage picture = i % 3 == 2 ? QImage() : filled({8, 8}, Qt::red);
            m_view->setGauge(i, picture, gridRect(i), QStringLiteral("why %1").arg(i), false, name);
        }
    }
    QImage shot() const {
        QImage image(m_view->size(), QImage::Format_RGB32);
        m_view->render(&image);
        return image;
    }
    void pressHandleAndMove(QPoint by, Qt::KeyboardModifiers modifiers) {
        const QPoint corner = m_view->handleRect().center();
        QTest::mousePress(m_view.get(), Qt::LeftButton, modifiers, corner);
        QTest::mouseMove(m_view.get(), corner + by / 2);
        // QTest::mouseMove carries no modifiers: the move event is sent as the window
        // system would with the key held.
        QMouseEvent move(QEvent::MouseMove, corner + by, m_view->mapToGlobal(corner + by),
                         Qt::NoButton, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_view.get(), &move);
        QTest::mouseRelease(m_view.get(), Qt::LeftButton, modifiers, corner + by);
    }

private slots:
    void init() {
        m_view = std::make_unique<PanelView>();
        m_view->setFixedSize(800, 600);
        m_view->setBackColor(Qt::darkBlue);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }
    void cleanup() { m_view.reset(); }

    // A hundred gauges: counted, found under the mouse, named for screen readers by their
    // names with the tooltip as description; fewer slots drop the rest and the selection.
    void holdsAnyNumberOfGauges() {
        fill(100);
        QCOMPARE(m_view->gaugeCount(), 100);
        QCOMPARE(m_view->gaugeAt(gridRect(99).center()), 99);
        QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(m_view.get());
        QCOMPARE(frame->childCount(), 100);
        QCOMPARE(frame->child(73)->text(QAccessible::Name), QStringLiteral("gauge #73 : mod!g73"));
        QCOMPARE(frame->child(73)->text(QAccessible::Description), QStringLiteral("why 73"));
        QVERIFY(frame->child(100) == nullptr);

        m_view->selectGauge(80);
        m_view->setGaugeSlots(50);
        QCOMPARE(m_view->gaugeCount(), 50);
        QCOMPARE(m_view->selectedGauge(), -1);
        QVERIFY(m_view->gauge(50) == nullptr);
        QCOMPARE(m_view->gaugeAt(gridRect(80).center()), -1);
        QCOMPARE(frame->childCount(), 50);
        // A slot set far beyond the others makes room for it, the ones between stay empty.
        m_view->setGauge(60, filled({4, 4}, Qt::red), gridRect(60), {}, false);
        QCOMPARE(m_view->gaugeCount(), 50);
        QVERIFY(m_view->gauge(60) && !m_view->gauge(55)->enabled);
        // A wrong index takes no memory.
        m_view->setGauge(-1, {}, gridRect(1), {}, false);
        m_view->setGauge(1 << 30, {}, gridRect(1), {}, false);
        QVERIFY(m_view->gauge(1 << 30) == nullptr);
    }

    // Without a picture a named gauge shows its outline and its name over the background;
    // the name keeps a readable size however small the rectangle, and a sliver of a
    // rectangle or an empty one draws without harm.
    void aGaugeWithoutPictureIsAnOutline() {
        const QImage before = shot();
        m_view->setGauge(0, {}, QRect(100, 100, 200, 60), QStringLiteral("not found"), false,
                         QStringLiteral("gauge #0 : a_module_with_a_very_long_name!gauge"));
        const QImage after = shot();
        QVERIFY(after.pixelColor(100, 130) != before.pixelColor(100, 130)); // left edge
        int changedInside = 0;
        for (int x = 110; x < 290; ++x)
            changedInside += after.pixelColor(x, 130) != before.pixelColor(x, 130);
        QVERIFY2(changedInside > 20, "the name is written inside the outline");
        QCOMPARE(after.pixelColor(320, 130), before.pixelColor(320, 130)); // nothing outside

        QCOMPARE(gaugeOutlineFontPixels(QRect(0, 0, 4, 4)), 9);
        QCOMPARE(gaugeOutlineFontPixels(QRect(0, 0, 2000, 3000)), 14);
        m_view->setGauge(1, {}, QRect(400, 400, 1, 300), {}, false, QStringLiteral("x"));
        m_view->setGauge(2, {}, QRect(500, 400, 0, 0), {}, false, QStringLiteral("x"));
        QCOMPARE(shot().pixelColor(420, 420), before.pixelColor(420, 420));
        // An FS98 gauge (no name) without a picture still shows nothing.
        m_view->setGauge(3, {}, QRect(600, 400, 50, 50), {}, false);
        QCOMPARE(shot().pixelColor(600, 425), before.pixelColor(600, 425));
    }

    // Free resizing tells a size: width and height follow the mouse apart, or along the
    // diagonal with Shift; the FS98 way tells only a width along the diagonal.
    void theHandleResizesWidthAndHeightApart() {
        m_view->setGauge(0, filled({8, 8}, Qt::red), QRect(100, 100, 100, 50), {}, false);
        m_view->selectGauge(0);
        m_view->setFreeResize(true);
        QSignalSpy resizing(m_view.get(), &PanelView::gaugeResizingTo);
        QSignalSpy resized(m_view.get(), &PanelView::gaugeResizedTo);
        QSignalSpy widthOnly(m_view.get(), &PanelView::gaugeResized);
        pressHandleAndMove({30, -20}, Qt::NoModifier);
        QCOMPARE(resized.size(), 1);
        QCOMPARE(resized[0][1].toSize(), QSize(130, 30));
        QVERIFY(!resizing.isEmpty());
        QCOMPARE(widthOnly.size(), 0);

        pressHandleAndMove({40, 0}, Qt::ShiftModifier);
        QCOMPARE(resized.size(), 2);
        const QSize kept = resized[1][1].toSize();
        QCOMPARE(kept.height() * 2, kept.width());
        QVERIFY(kept.width() > 100 && kept.width() < 140);

        // Never smaller than a few pixels, whichever way the mouse goes.
        pressHandleAndMove({-500, -500}, Qt::NoModifier);
        QCOMPARE(resized[2][1].toSize(), QSize(4, 4));

        m_view->setFreeResize(false);
        pressHandleAndMove({30, -20}, Qt::NoModifier);
        QCOMPARE(resized.size(), 3);
        QCOMPARE(widthOnly.size(), 1);
        QCOMPARE(widthOnly[0][1].toInt(), 100 + qRound((30 * 100 - 20 * 50) / 125.0));
    }

    // Moving one gauge of a hundred repaints where it was and where it is, nothing else.
    void aDragRepaintsOnlyTheOldAndNewPlaces() {
        fill(100);
        PaintRecorder recorder;
        m_view->installEventFilter(&recorder);
        QApplication::processEvents();
        const QRect from = gridRect(44);
        const QPoint delta(23, 17);
        recorder.recording = true;
        QTest::mousePress(m_view.get(), Qt::LeftButton, {}, from.center());
        QApplication::processEvents();
        for (int step = 1; step <= 4; ++step) {
            QTest::mouseMove(m_view.get(), from.center() + delta * step / 4);
            QApplication::processEvents();
        }
        recorder.recording = false;
        const QRegion allowed = QRegion(from.adjusted(-8, -8, 8, 8)) +
                                from.translated(delta).united(from).adjusted(-8, -8, 8, 8);
        QVERIFY(!recorder.painted.isEmpty());
        QVERIFY2((recorder.painted - allowed).isEmpty(), "a drag repainted other gauges");
        QTest::mouseRelease(m_view.get(), Qt::LeftButton, {}, from.center() + delta);
    }

    // Ctrl+click adds and takes away, a band on the background selects what it touches, a
    // drag or an arrow key moves them all, a plain click selects one alone again.
    void severalGaugesAreSelectedAndMovedTogether() {
        fill(30);
        QSignalSpy changed(m_view.get(), &PanelView::selectionSetChanged);
        QSignalSpy clicked(m_view.get(), &PanelView::gaugeClicked);
        QSignalSpy dragged(m_view.get(), &PanelView::selectionDragged);
        QSignalSpy dropped(m_view.get(), &PanelView::selectionDropped);
        QSignalSpy droppedOne(m_view.get(), &PanelView::gaugeDropped);
        QSignalSpy moved(m_view.get(), &PanelView::selectionMoveRequested);
        QSignalSpy movedOne(m_view.get(), &PanelView::moveRequested);
        QSignalSpy removed(m_view.get(), &PanelView::removeRequested);
        const auto ctrlClick = [this](int i) {
            QTest::mouseClick(m_view.get(), Qt::LeftButton, Qt::ControlModifier,
                              gridRect(i).center());
        };
        const auto band = [this](QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
            QTest::mousePress(m_view.get(), Qt::LeftButton, modifiers, from);
            QTest::mouseMove(m_view.get(), (from + to) / 2);
            QTest::mouseMove(m_view.get(), to);
            QTest::mouseRelease(m_view.get(), Qt::LeftButton, modifiers, to);
        };
        using Selection = std::vector<int>;

        ctrlClick(3);
        ctrlClick(5);
        ctrlClick(7);
        ctrlClick(5);
        QCOMPARE(m_view->selection(), (Selection{3, 7}));
        QCOMPARE(m_view->selectedGauge(), 7);
        QCOMPARE(changed.size(), 4);
        QCOMPARE(clicked.size(), 0);
        // Both framed, the anchor marked with a black square inside its corner, no handle.
        const QImage image = shot();
        QCOMPARE(image.pixelColor(gridRect(3).topLeft() + QPoint(3, 3)), QColor(Qt::black));
        QVERIFY(image.pixelColor(gridRect(7).topLeft() + QPoint(3, 3)) != QColor(Qt::black));
        QVERIFY(m_view->handleRect().isEmpty());

        // The band from the background over the gaps touches 0, 1, 10 and 11.
        band({2, 2}, gridRect(11).center(), Qt::NoModifier);
        QCOMPARE(m_view->selection(), (Selection{0, 1, 10, 11}));
        band({2, 2}, {5, 5}, Qt::ControlModifier); // touches nothing: adds nothing
        QCOMPARE(m_view->selection(), (Selection{0, 1, 10, 11}));
        band(gridRect(25).bottomRight() + QPoint(4, 4), gridRect(25).center(), Qt::ControlModifier);
        QCOMPARE(m_view->selection(), (Selection{0, 1, 10, 11, 25}));

        // Dragging one of them carries all: the others are under the mouse where they went.
        const QPoint start = gridRect(1).center();
        const QPoint delta(0, 200);
        QTest::mousePress(m_view.get(), Qt::LeftButton, {}, start);
        QTest::mouseMove(m_view.get(), start + delta / 2);
        QTest::mouseMove(m_view.get(), start + delta);
        QCOMPARE(m_view->gaugeAt(gridRect(10).center() + delta), 10);
        QTest::mouseRelease(m_view.get(), Qt::LeftButton, {}, start + delta);
        QCOMPARE(dropped.size(), 1);
        QCOMPARE(dropped[0][0].toPoint(), delta);
        QVERIFY(!dragged.isEmpty());
        QCOMPARE(droppedOne.size(), 0);
        QCOMPARE(m_view->gaugeAt(gridRect(10).center()), 10); // back until the window moves it
        QCOMPARE(m_view->selection().size(), 5u);

        QTest::keyClick(m_view.get(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(m_view.get(), Qt::Key_Up);
        QTest::keyClick(m_view.get(), Qt::Key_Delete);
        QCOMPARE(moved.size(), 2);
        QCOMPARE(moved[0][0].toDouble(), 10.0);
        QCOMPARE(moved[1][1].toDouble(), -1.0);
        QCOMPARE(movedOne.size(), 0);
        QCOMPARE(removed.size(), 0);

        // Select all keeps the anchor first; a click without a drag selects one alone.
        m_view->selectGauge(4);
        m_view->selectAllGauges();
        QCOMPARE(m_view->selection().size(), 30u);
        QCOMPARE(m_view->selection().front(), 4);
        QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, gridRect(10).center());
        QCOMPARE(m_view->selection(), (Selection{10}));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked[0][0].toInt(), 10);
        QVERIFY(!m_view->handleRect().isEmpty());
        // A gauge that goes leaves the selection.
        m_view->setSelection({28, 29, 5});
        m_view->setGaugeSlots(29);
        QCOMPARE(m_view->selection(), (Selection{28, 5}));
        QCOMPARE(m_view->selectedGauge(), 5);
    }
};

COCKPIX_TEST_CLASS(TestPanelView)
#include "tst_panelview.moc"

// What the panel windows of both formats do alike, run once for each: the FS98 demo panel and
// the hand-written panel of FS2000 and later. A drag, the corner handle, the keys, Delete, the
// alignments and the clipboard each make one undo step, and the window follows the document.
// Where each format puts a gauge, and the bytes it writes, are the core tests'.

#include "guisupport/testprogram.h"
#include "guisupport/userclicks.h"
#include "panelwindows/gui/fs2kwindows.h"
#include "panelwindows/gui/gaugewindows.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>

#include <algorithm>
#include <cmath>

using namespace cockpix;

class TestPanelWindowFormats : public QObject {
    Q_OBJECT

    std::unique_ptr<GaugeWindows> m_fs98;
    std::unique_ptr<Fs2kWindows> m_fs2k;
    BaseDocument* m_document = nullptr;
    ScriptedDialogs* m_dialogs = nullptr;

    PanelWindowBase* show(int w) {
        if (m_fs2k)
            return m_fs2k->show(std::size_t(w));
        return m_fs98->show(w);
    }
    int gaugeCount(int w) const {
        if (m_fs2k)
            return int(m_fs2k->document.panel().windows.at(std::size_t(w)).gauges.size());
        return m_fs98->document.panel().window(w).gaugeCount;
    }
    QUndoStack* undo() const { return m_document->undoStack(); }
    QString lastStep() const { return undo()->undoText(); }
    static QRect rectOf(PanelWindowBase* form, int g) { return form->gaugePicture(g).geometry; }
    static void ctrlClick(PanelWindowBase* form, int g) {
        QTest::mouseClick(form->view(), Qt::LeftButton, Qt::ControlModifier,
                          rectOf(form, g).center());
    }

private slots:
    void initTestCase_data() {
        QTest::addColumn<bool>("later");
        QTest::newRow("FS98") << false;
        QTest::newRow("FS2000 and later") << true;
    }
    void init() {
        QFETCH_GLOBAL(bool, later);
        AppModel* app = nullptr;
        if (later) {
            m_fs2k = std::make_unique<Fs2kWindows>();
            QVERIFY(m_fs2k->start());
            m_document = &m_fs2k->document;
            m_dialogs = &m_fs2k->dialogs;
            app = &m_fs2k->app;
        } else {
            m_fs98 = std::make_unique<GaugeWindows>();
            QVERIFY2(m_fs98->start(), "the demo installation was not generated into the build");
            m_document = &m_fs98->document;
            m_dialogs = &m_fs98->dialogs;
            app = &m_fs98->app;
        }
        // The pixels alone: snapping has its own tests in each format's suite.
        app->snap = SnapOptions{};
        app->snap.toGauges = false;
    }
    void cleanup() {
        QVERIFY2(m_dialogs->errors().isEmpty(), qPrintable(m_dialogs->errors().join("\n")));
        m_fs2k.reset();
        m_fs98.reset();
    }

    // A drag moves the picture with the mouse in one step, the status line following it and
    // cleared at the drop; undo puts it back; a click without a drag is no step.
    void aDragIsOneStepAndTheStatusLineFollowsIt() {
        PanelWindowBase* form = show(0);
        QSignalSpy status(form, &PanelWindowBase::dragStatusChanged);
        const QRect was = rectOf(form, 3);
        dragWithKeys(form->view(), was.center(), QPoint(40, 20));
        QCOMPARE(undo()->count(), 1);
        QVERIFY(std::abs(rectOf(form, 3).left() - (was.left() + 40)) <= 3);
        QVERIFY(std::abs(rectOf(form, 3).top() - (was.top() + 20)) <= 3);
        QVERIFY(std::any_of(status.begin(), status.end(), [](const QList<QVariant>& args) {
            return !args.value(0).toString().isEmpty();
        }));
        QCOMPARE(status.last().at(0).toString(), QString());
        QCOMPARE(form->selectedGauge(), 3);
        m_document->undo();
        QCOMPARE(rectOf(form, 3), was);
        dragWithKeys(form->view(), rectOf(form, 0).center(), QPoint(1, 1));
        QCOMPARE(undo()->count(), 1);
    }

    // The handle at the selected gauge's corner resizes it in one step: an FS98 gauge keeps
    // its picture's aspect, an fs2k one takes width and height apart.
    void theCornerHandleResizesInOneStep() {
        QFETCH_GLOBAL(bool, later);
        PanelWindowBase* form = show(0);
        form->selectGauge(0);
        const QRect was = rectOf(form, 0);
        QCOMPARE(form->view()->handleRect().center(), was.bottomRight());
        dragWithKeys(form->view(), was.bottomRight(), QPoint(30, 10));
        QCOMPARE(undo()->count(), 1);
        const QRect now = rectOf(form, 0);
        QCOMPARE(now.topLeft(), was.topLeft());
        QVERIFY(now.width() > was.width());
        if (later)
            QCOMPARE(now.size(), was.size() + QSize(30, 10));
        else
            QVERIFY(std::abs(double(now.height()) / now.width() -
                             double(was.height()) / was.width()) < 0.02);
        m_document->undo();
        QCOMPARE(rectOf(form, 0), was);
    }

    // The arrows move the selected gauge, one step a key, nothing when none is selected; Tab
    // and Shift+Tab walk the gauges round the ends.
    void theKeysMoveAndWalkTheGauges() {
        PanelWindowBase* form = show(0);
        const int n = gaugeCount(0);
        form->view()->setFocus();
        QTest::keyClick(form->view(), Qt::Key_Right);
        QCOMPARE(undo()->count(), 0);
        form->selectGauge(3);
        const QRect was = rectOf(form, 3);
        QTest::keyClick(form->view(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(form->view(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(undo()->count(), 2);
        QVERIFY(rectOf(form, 3).left() > was.left() && rectOf(form, 3).top() > was.top());
        QTest::keyClick(form->view(), Qt::Key_Tab);
        QCOMPARE(form->selectedGauge(), (3 + 1) % n);
        form->selectGauge(0);
        QTest::keyClick(form->view(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(form->selectedGauge(), n - 1);
        if (m_fs98)
            QCOMPARE(m_fs98->app.currentGauge, n - 1); // the gauge dialogs follow it
    }

    // Delete asks in FS98's words; No keeps everything, Yes removes the gauge in one step.
    void deleteAsksThenRemoves() {
        PanelWindowBase* form = show(0);
        const int n = gaugeCount(0);
        form->selectGauge(1);
        m_dialogs->queueQuestionAnswer(false);
        QTest::keyClick(form->view(), Qt::Key_Delete);
        QVERIFY(m_dialogs->questions().value(0).startsWith("Are you sure to remove gauge\n"));
        QVERIFY(m_dialogs->questions().value(0).endsWith(" ?"));
        QCOMPARE(undo()->count(), 0);
        m_dialogs->queueQuestionAnswer(true);
        QTest::keyClick(form->view(), Qt::Key_Delete);
        QCOMPARE(gaugeCount(0), n - 1);
        QCOMPARE(undo()->count(), 1);
        QVERIFY(!form->gaugePicture(n - 1).enabled);
        m_document->undo();
        QCOMPARE(gaugeCount(0), n);
        QVERIFY(form->gaugePicture(n - 1).enabled);
    }

    // Two gauges picked with Ctrl: aligned, moved by a key and by the mouse, each one step for
    // both, the selection kept. Distributing needs a third; same height is for fs2k panels.
    void severalGaugesMoveAndAlignInOneStepEach() {
        QFETCH_GLOBAL(bool, later);
        PanelWindowBase* form = show(0);
        ctrlClick(form, 0);
        ctrlClick(form, 3);
        QVERIFY(!form->arrangementAction(Arrangement::DistributeVertically)->isEnabled());
        QCOMPARE(form->arrangementAction(Arrangement::SameHeight) != nullptr, later);
        form->arrangementAction(Arrangement::AlignTop)->trigger();
        QCOMPARE(lastStep(), QStringLiteral("Align top"));
        QCOMPARE(rectOf(form, 3).top(), rectOf(form, 0).top());
        const QRect was0 = rectOf(form, 0), was3 = rectOf(form, 3);
        QTest::keyClick(form->view(), Qt::Key_Left, Qt::ShiftModifier);
        dragWithKeys(form->view(), rectOf(form, 3).center(), QPoint(0, 30));
        QCOMPARE(undo()->count(), 3);
        QVERIFY(rectOf(form, 0).left() < was0.left() && rectOf(form, 0).top() > was0.top());
        QVERIFY(rectOf(form, 3).left() < was3.left() && rectOf(form, 3).top() > was3.top());
        QCOMPARE(form->view()->selection(), (std::vector<int>{0, 3}));
        m_document->undo();
        m_document->undo();
        QCOMPARE(rectOf(form, 3), was3);
    }

    // Cut from one window and paste into another, and Delete of several: each one step, the
    // pasted gauges selected, one question for all; the undos give back the panel.
    void clipboardAndDeleteOfSeveralAreOneStepEach() {
        PanelWindowBase* from = show(0);
        PanelWindowBase* to = show(1);
        const int n = gaugeCount(0), m = gaugeCount(1);
        from->view()->setSelection({3, 0});
        from->cutGauges();
        QCOMPARE(lastStep(), QStringLiteral("Cut 2 gauges"));
        QCOMPARE(gaugeCount(0), n - 2);
        QVERIFY(from->view()->selection().empty());
        QVERIFY(!QGuiApplication::clipboard()->text().isEmpty());
        to->pasteGauges();
        QCOMPARE(lastStep(), QStringLiteral("Paste 2 gauges"));
        QCOMPARE(gaugeCount(1), m + 2);
        QCOMPARE(to->view()->selection(), (std::vector<int>{m, m + 1}));
        QVERIFY(to->gaugePicture(m + 1).enabled);
        m_document->undo();
        m_document->undo();
        QCOMPARE(gaugeCount(0), n);

        from->view()->selectAllGauges();
        m_dialogs->queueQuestionAnswer(false);
        QTest::keyClick(from->view(), Qt::Key_Delete);
        QVERIFY(m_dialogs->questions().last().startsWith(
            QStringLiteral("Are you sure to remove these %1 gauges?\n").arg(n)));
        QCOMPARE(undo()->index(), 0);
        m_dialogs->queueQuestionAnswer(true);
        QTest::keyClick(from->view(), Qt::Key_Delete);
        QCOMPARE(lastStep(), QStringLiteral("Delete %1 gauges").arg(n));
        QCOMPARE(gaugeCount(0), 0);
        QVERIFY(!from->gaugePicture(0).enabled);
        m_document->undo();
        QCOMPARE(gaugeCount(0), n);
        QVERIFY(m_dialogs->verifyAllAnswersUsed());
    }
};

COCKPIX_TEST_CLASS(TestPanelWindowFormats)
#include "tst_panelwindowformats.moc"

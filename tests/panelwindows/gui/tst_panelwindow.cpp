// The FS98 panel window on the demo installation: where its images land, what it says when a
// module or a background is missing, its menus, colours, blinker and paste rules. What both
// formats' windows do alike is in tst_panelwindowformats.

#include "guisupport/accessibility.h"
#include "guisupport/scripteddialogs.h"
#include "guisupport/userclicks.h"
#include "panelwindows/gui/gaugewindows.h"

#include "drawing/core/fs98/layout.h"
#include "drawing/gui/panelrenderer.h"
#include "gaugefiles/core/gaugeextraction.h"
#include "gaugefiles/gui/progresswindow.h"
#include "panel/gui/fs98/document.h"
#include "panelwindows/core/gaugeclipboard.h"
#include "panelwindows/core/gaugedrag.h"
#include "panelwindows/gui/fs98/panelwindow.h"
#include "panelwindows/gui/panelview.h"
#include "panelwindows/gui/panelwindowregistry.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QUndoStack>

#include <cmath>
#include <memory>

using namespace cockpix;

class TestPanelWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<GaugeWindows> f;
    // The panel as a test sets it up; each new window shows it through the document.
    fs98::Panel m_model;

    fs98::PanelWindowForm* newWindow(int w) {
        if (f->document.panel() != m_model)
            f->replace(m_model);
        return f->show(w);
    }
    static QAction* action(fs98::PanelWindowForm* form, const char* name) {
        return form->findChild<QAction*>(QString::fromLatin1(name));
    }
    static QPoint centreOf(fs98::PanelWindowForm* form, int g) {
        return form->gaugePicture(g).geometry.center();
    }

private slots:
    void init() {
        f = std::make_unique<GaugeWindows>();
        QVERIFY2(f->start(), "the demo installation was not generated into the build");
        m_model = f->document.panel();
    }
    void cleanup() {
        QVERIFY2(f->dialogs.errors().isEmpty(), qPrintable(f->dialogs.errors().join("\n")));
        f.reset();
    }

    // The biggest demo window: FS98's caption, the frame of the screen, a picture for each
    // gauge and none past them, each named for screen readers as a child of the painted frame
    // at the picture's place. Where they go is the layout's.
    void placesBackgroundAndGaugesByTheLayout() {
        const int w = DemoPanel::biggestWindow(m_model);
        const int n = m_model.window(w).gaugeCount;
        QVERIFY(n > 3);
        m_model.window(w).windowTitle = "Main panel \xE9"; // Windows-1252 e acute
        fs98::PanelWindowForm* form = newWindow(w);
        QVERIFY(form->windowTitle().startsWith(
            QStringLiteral("Window %1: Main panel \u00E9 - Zoom :").arg(w)));
        // The frame stands for the 1024 x 768 screen the tests run with.
        QCOMPARE(form->frameWidget()->size(), QSize(1024, 768));
        QVERIFY(form->backgroundPicture().visible && form->backgroundPicture().hasPicture());
        for (int i = 0; i < fs98::kGaugeSlots; ++i) {
            const PanelPicture image = form->gaugePicture(i);
            QCOMPARE(image.visible && image.enabled && image.hasPicture(), i < n);
            QCOMPARE(image.framed, i < n); // "Frame around gauges" is on at start
        }
        QVERIFY(!f->dialogs.messages().join("\n").contains("Can not find"));
        QCOMPARE(unnamedControls(form, {"cockpix::PanelView"}), QStringList());
        QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(form->view());
        QCOMPARE(frame->childCount(), n);
        QAccessibleInterface* third = frame->child(2);
        QCOMPARE(third->text(QAccessible::Name), form->gaugePicture(2).toolTip);
        QCOMPARE(third->rect(),
                 QRect(form->view()->mapToGlobal(form->gaugePicture(2).geometry.topLeft()),
                       form->gaugePicture(2).geometry.size()));
        QCOMPARE(frame->indexOfChild(third), 2);
        QVERIFY(frame->child(n) == nullptr);
    }

    // The window and cockpix-cli render draw the same picture from the same scene; a gauge
    // drawn later lies over the ones before it.
    void drawsTheSamePictureAsTheRenderer() {
        const int w = DemoPanel::biggestWindow(m_model);
        fs98::PanelWindowForm* form = newWindow(w);
        AppModel again = f->app;
        const PanelScene scene = loadPanelScene(f->document.panel(), again, w, QSize(1024, 768));
        const QImage rendered = renderPanelScene(scene).convertToFormat(QImage::Format_RGB32);
        QImage shown(form->view()->size(), QImage::Format_RGB32);
        form->view()->render(&shown);
        QCOMPARE(shown.size(), rendered.size());
        QVERIFY(shown == rendered);
    }

    void aMissingModuleIsDrawnFromTheDefaultBitmap() {
        m_model.gauge(0, 1).gaugeName = "no_such.module";
        fs98::PanelWindowForm* form = newWindow(0);
        const QString module = f->demo->gaugesDir() + "no_such.module.gau";
        QVERIFY(
            f->dialogs.messages().contains("WARNING !\nCan not find gauge # 1, named : [" + module +
                                           "].\nCockPix will now create a default gauge bitmap.\n"
                                           "This gauge will not be shown in FS98."));
        const QImage fallback(DemoPanel::programDir() + kDefaultGaugeBitmapName);
        QVERIFY(!fallback.isNull() && form->gaugePicture(1).visible);
        QCOMPARE(form->gaugePicture(1).picture.size(), fallback.size());
        QVERIFY(form->gaugePicture(0).picture.size() != fallback.size());
    }

    void aMissingBackgroundIsReplacedInThePanelDirectory() {
        m_model.window(0).windowBitmap = "gone_panel";
        fs98::PanelWindowForm* form = newWindow(0);
        const QString path = f->demo->panelDir() + "gone_panel.bmp";
        QCOMPARE(f->dialogs.messages().value(0),
                 QString("WARNING !\nCan not find the background picture named : [" + path +
                         "].\nCockPix will now create a default background picture."));
        QVERIFY(form->backgroundPicture().visible);

        // The next load finds the copy and says nothing.
        f->dialogs.clear();
        newWindow(0);
        QVERIFY(!f->dialogs.messages().join("\n").contains("background"));

        // Without a default to copy, the window shows its gauges without a background.
        m_model.window(0).windowBitmap = "gone_again";
        f->app.dirs.programDir = (f->demo->root() + "/no_program_dir/").toStdString();
        form = newWindow(0);
        QVERIFY(!f->dialogs.messages().isEmpty());
        QVERIFY(!form->backgroundPicture().visible && form->gaugePicture(0).visible);
    }

    void menusFollowTheGaugeCount() {
        m_model.window(0).gaugeCount = 0;
        fs98::PanelWindowForm* empty = newWindow(0);
        QVERIFY(action(empty, "mnuadd")->isEnabled() && !action(empty, "mnugo")->isEnabled());
        fs98::PanelWindow& window = m_model.window(0);
        for (int i = 1; i < fs98::kGaugeSlots; ++i)
            window.gauges[i] = window.gauges[0];
        window.gaugeCount = fs98::kGaugeSlots;
        fs98::PanelWindowForm* full = newWindow(0);
        QVERIFY(!action(full, "mnuadd")->isEnabled() && action(full, "mnugo")->isEnabled());
        QVERIFY(full->gaugePicture(63).visible);
    }

    void menuShortcutsOnlyActInTheirWindow() {
        fs98::PanelWindowForm* first = newWindow(0);
        fs98::PanelWindowForm* second = newWindow(1);
        QSignalSpy firstZoom(first, &fs98::PanelWindowForm::zoomRequested);
        QSignalSpy secondZoom(second, &fs98::PanelWindowForm::zoomRequested);
        f->area->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->area.get()));
        f->area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(second->parentWidget()));
        second->setFocus();
        QTest::keyClick(second, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(secondZoom.count(), 1);
        QCOMPARE(firstZoom.count(), 0);
    }

    void colourCommandsRecolourTheCurrentWindow() {
        fs98::PanelWindowForm* first = newWindow(0);
        fs98::PanelWindowForm* current = newWindow(1);
        // The menu of the first window recolours the current window (1), not itself.
        f->dialogs.queueColor(QColor(10, 20, 30));
        action(first, "mnucolors")->trigger();
        QCOMPARE(f->app.panelBackColor, ColorRef(0x1E140A));
        QCOMPARE(current->backColor(), QColor(10, 20, 30));
        QCOMPARE(first->backColor(), QColor(Qt::black));
        QCOMPARE(f->dialogs.colorRequests().value(0), QColor(Qt::black));

        // Cancel applies the colour last picked in that window's chooser.
        f->dialogs.queueColor(std::nullopt);
        action(first, "mnucolors")->trigger();
        QCOMPARE(f->app.panelBackColor, ColorRef(0x1E140A));
        QCOMPARE(f->dialogs.colorRequests().value(1), QColor(10, 20, 30));

        // A window loaded later takes the colour; "&Reset to black" makes it black again.
        fs98::PanelWindowForm* later = newWindow(2);
        QCOMPARE(later->backColor(), QColor(10, 20, 30));
        action(first, "mnublack")->trigger();
        QCOMPARE(f->app.panelBackColor, ColorRef(0));
        QCOMPARE(later->backColor(), QColor(Qt::black));
    }

    void clickingAGaugeSelectsItAndCloseRemovesTheWindow() {
        fs98::PanelWindowForm* form = newWindow(0);
        QSignalSpy clicked(form, &fs98::PanelWindowForm::gaugeClicked);
        QSignalSpy closeDialog(form, &fs98::PanelWindowForm::closeGaugeDialogRequested);
        f->app.currentWindow = 5; // the last window opened from the template was another
        QTest::mouseClick(form->view(), Qt::LeftButton, {}, centreOf(form, 2));
        QCOMPARE(f->app.currentGauge, 2);
        QCOMPARE(f->app.currentWindow, 0);
        QCOMPARE(clicked.value(0).value(0).toInt(), 2);
        QCOMPARE(closeDialog.count(), 1);
        QCOMPARE(form->selectedGauge(), 2);
        // Only the background: nothing happens.
        QTest::mouseClick(form->view(), Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(f->app.currentGauge, 2);
        QCOMPARE(clicked.count(), 1);

        action(form, "mnuclose")->trigger();
        QCOMPARE(closeDialog.count(), 2);
        QTRY_COMPARE(f->area->subWindowList().size(), 0);
        QTRY_VERIFY(f->registry.at(0) == nullptr);
    }

    // Select all: the status line tells the box around them, and the alignment buttons come
    // on with a selection.
    void selectAllTellsTheBoxAndOffersTheAlignments() {
        const int w = DemoPanel::biggestWindow(m_model);
        const int n = m_model.window(w).gaugeCount;
        fs98::PanelWindowForm* form = newWindow(w);
        QSignalSpy status(form, &fs98::PanelWindowForm::dragStatusChanged);
        QVERIFY(!action(form, "actAlignLeftButton")->isEnabled());
        action(form, "mnuselectall")->trigger();
        QCOMPARE(int(form->view()->selection().size()), n);
        QVERIFY(status.last().value(0).toString().startsWith(
            QStringLiteral("%1 gauges selected: X = ").arg(n)));
        QVERIFY(action(form, "actAlignLeftButton")->isEnabled());
    }

    // FS98 loads a module once: a copy pasted into its own panel is refused without a step. A
    // typed line of a module without a size takes the size of its picture, kept through
    // undo and redo.
    void pastesFollowTheModuleRules() {
        const int w = DemoPanel::biggestWindow(m_model);
        const int other = w == 1 ? 2 : 1;
        const int m = m_model.window(other).gaugeCount;
        fs98::PanelWindowForm* from = newWindow(w);
        fs98::PanelWindowForm* to = newWindow(other);
        QUndoStack* undo = f->document.undoStack();
        QClipboard* clipboard = QGuiApplication::clipboard();
        from->view()->setSelection({2, 0});
        from->copyGauges();
        QCOMPARE(clipboard->text(),
                 QString::fromStdString(copyFs98Gauges(m_model, w, std::vector<int>{2, 0})));
        to->pasteGauges();
        QVERIFY(f->dialogs.lastMessage().endsWith(QStringLiteral("Paste cancelled.")));
        QCOMPARE(undo->count(), 0);

        clipboard->setText("gauge00=cessna_182.egt, 10, 20\r\n");
        to->pasteGauges();
        const fs98::Gauge egt = f->document.panel().gauge(other, m);
        QVERIFY2(egt.gaugeSize > 0 && egt.gaugeRefSize == egt.gaugeSize,
                 qPrintable(QString::number(egt.gaugeSize)));
        QVERIFY(to->gaugePicture(m).geometry.width() > 1);
        undo->undo();
        undo->redo();
        QCOMPARE(f->document.panel().gauge(other, m), egt);
    }

    // A drag that ends within 4 pixels of another gauge's edge drops on it, in one step, with
    // a guide drawn meanwhile; with Alt or Ctrl held it drops where the mouse left it. With
    // the grid on, the window shows its dots and a drag puts the corner on it.
    void dragsSnapToOtherGaugesAndToTheGrid() {
        const int w = 0;
        m_model.window(w).gaugeCount = 2;
        m_model.gauge(w, 0).gaugeX = 40;
        m_model.gauge(w, 0).gaugeY = 30;
        m_model.gauge(w, 1).gaugeX = 200;
        m_model.gauge(w, 1).gaugeY = 120;
        // As wide: no other edge of theirs comes nearer.
        m_model.gauge(w, 1).gaugeSize = m_model.gauge(w, 0).gaugeSize;
        fs98::PanelWindowForm* form = newWindow(w);
        const double fx = pixelsPerUnitX(f->document.panel(), f->app.display, w);
        const auto gauge = [this, w](int g) { return f->document.panel().gauge(w, g); };
        // The mouse leaves gauge 1's left edge 3 pixels right of gauge 0's.
        const QPoint delta(int(std::lround((40 - 200) * fx)) + 3, 0);

        // Ctrl too (most Linux window managers take Alt+drag).
        for (const Qt::KeyboardModifier free : {Qt::AltModifier, Qt::ControlModifier}) {
            dragWithKeys(form->view(), centreOf(form, 1), delta, free);
            QVERIFY(gauge(1).gaugeX > 40 && gauge(1).gaugeX <= 40 + 3);
            f->document.undo();
        }
        dragWithKeys(form->view(), centreOf(form, 1), delta, {},
                     [&] { QVERIFY(!form->view()->guides().empty()); });
        QCOMPARE(f->document.undoStack()->count(), 1);
        QCOMPARE(gauge(1).gaugeX, 40.0);
        QVERIFY(form->view()->guides().empty());
        f->document.undo();

        f->app.snap = {true, 25, false};
        form->refreshSnapping();
        QVERIFY(!form->view()->gridSpacing().isEmpty());
        dragWithKeys(form->view(), centreOf(form, 1), QPoint(37, 23), {});
        QCOMPARE(std::fmod(gauge(1).gaugeX, 25), 0.0);
        f->app.snap.toGrid = false;
        form->refreshSnapping();
        QCOMPARE(form->view()->gridSpacing(), QSizeF());
    }

    // The tooltip of the gauge under the mouse, none over the background; where two gauges
    // overlap, the one drawn last takes the mouse.
    void tooltipsAndPressesGoToTheTopmostGauge() {
        fs98::PanelWindowForm* form = newWindow(0);
        QWidget* view = form->view();
        const QPoint at = centreOf(form, 1);
        QHelpEvent help(QEvent::ToolTip, at, view->mapToGlobal(at));
        QCoreApplication::sendEvent(view, &help);
        QTRY_COMPARE(QToolTip::text(), form->gaugePicture(1).toolTip);
        QHelpEvent none(QEvent::ToolTip, QPoint(1, 1), view->mapToGlobal(QPoint(1, 1)));
        QCoreApplication::sendEvent(view, &none);
        QVERIFY(!none.isAccepted());

        m_model.gauge(0, 1).gaugeX = m_model.gauge(0, 0).gaugeX;
        m_model.gauge(0, 1).gaugeY = m_model.gauge(0, 0).gaugeY;
        form = newWindow(0);
        QCOMPARE(form->view()->gaugeAt(centreOf(form, 0)), 1);
    }

    void blinkerTogglesTheCurrentGaugeOfTheCurrentWindow() {
        fs98::PanelWindowForm* older = newWindow(0);
        fs98::PanelWindowForm* newer = newWindow(0);
        auto* timer = newer->findChild<QTimer*>("Timer1");
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 50); // idle: only looks whether the blinker was switched on
        f->app.currentGauge = -1;
        f->app.blinkState = 1;

        // One period: every window's timer ticks once, and the newest window of the current
        // slot toggles its gauge once, however many windows are open.
        for (int period = 1; period <= 2; ++period) {
            for (fs98::PanelWindowForm* form : {older, newer})
                form->blinkTick();
            QCOMPARE(f->app.currentGauge, 0);
            QCOMPARE(newer->gaugePicture(0).visible, period == 2);
            QVERIFY(older->gaugePicture(0).visible);
        }
        newer->blinkTick();
        // A hidden gauge still takes the mouse, but is not drawn.
        QVERIFY(!newer->gaugePicture(0).visible);
        QCOMPARE(newer->view()->gaugeAt(centreOf(newer, 0)), 0);
        newer->blinkTick();

        // Switched on (as the gauge dialog does), the timer notices without help.
        QTRY_COMPARE(timer->interval(), 1);
        f->app.blinkInterval = 200;
        newer->refreshBlinker();
        QCOMPARE(timer->interval(), 200);
        f->app.blinkState = 0;
        QTRY_COMPARE(timer->interval(), 50);
        const bool shown = newer->gaugePicture(0).visible;
        newer->blinkTick();
        QCOMPARE(newer->gaugePicture(0).visible, shown);

        // A closed window is left alone, and the older one does not take its place.
        f->app.blinkState = 1;
        delete newer->parentWidget();
        older->blinkTick();
        QVERIFY(older->gaugePicture(0).visible);
    }

    void progressWindowClampsItsBar() {
        ProgressWindow progress(nullptr, 0);
        progress.setProgress("Please wait, processing gauge # 0 /  1", 250);
        QVERIFY(progress.isVisible() && progress.value() == 100);
        QCOMPARE(progress.windowTitle(), QStringLiteral("Please wait, processing gauge # 0 /  1"));
        // A pass quicker than the delay shows nothing at all.
        ProgressWindow quick;
        quick.setProgress("Please wait, drawing gauge # 0 /  1", 100);
        QVERIFY(!quick.isVisible());
    }
};

QTEST_MAIN(TestPanelWindow)
#include "tst_panelwindow.moc"

// The panel window of a panel of FS2000 and later on a hand-written fixture: where the
// window and its gauges go, pictures and outlines, and the edits by mouse and keys, each
// saved as exactly its own line and undone to the same bytes.

#include "guisupport/accessibility.h"
#include "guisupport/scripteddialogs.h"
#include "guisupport/userclicks.h"
#include "support/testfiles.h"

#include "base/core/screensize.h"
#include "gauges/gui/lateraddgaugedialog.h"
#include "gauges/gui/latergaugepropertiesdialog.h"
#include "gauges/gui/laterpanelwindow.h"
#include "gauges/gui/laterpanelwindows.h"
#include "gauges/gui/movezoomdialog.h"
#include "gauges/gui/panelrenderer.h"
#include "gauges/gui/panelview.h"
#include "gauges/gui/panelwindow.h"
#include "gauges/gui/screenpreviewdialog.h"
#include "gauges/gui/screenpreviewtile.h"
#include "gauges/gui/zoompreview.h"
#include "panel/gui/paneldocument.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <algorithm>
#include <memory>

using namespace cockpix;

namespace {

const QString kFixture = QStringLiteral(COCKPIX_FIXTURES_DIR "/later/panel_window.cfg");

QStringList linesOf(const std::string& bytes) {
    return QString::fromStdString(bytes).split(QStringLiteral("\r\n"));
}

// The lines of after that differ from before, as "old -> new" (same line count).
QStringList changedLines(const std::string& before, const std::string& after) {
    const QStringList a = linesOf(before);
    const QStringList b = linesOf(after);
    if (a.size() != b.size())
        return {QStringLiteral("%1 lines became %2").arg(a.size()).arg(b.size())};
    QStringList changed;
    for (int i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            changed << a[i] + " -> " + b[i];
    }
    return changed;
}

QImage filled(QSize size, QColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

} // namespace

class TestLaterPanelWindow : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    PanelDocument m_document;
    ScriptedDialogs m_dialogs;
    AppModel m_app;
    std::unique_ptr<QMdiArea> m_area;
    std::unique_ptr<LaterPanelWindows> m_windows;
    std::string m_opened; // the fixture's bytes

    // Engines!* have a picture twice as wide as high; every other module is missing.
    static std::vector<LaterGaugePicture> picturesOf(const std::vector<std::string_view>& names) {
        std::vector<LaterGaugePicture> pictures;
        for (std::string_view name : names) {
            if (name.substr(0, 8) == "Engines!")
                pictures.push_back({filled({16, 8}, Qt::red), {}, {}});
            else
                pictures.push_back(
                    {{},
                     QStringLiteral("Missing.gau is not in the panel folder or the gauges folder"),
                     {}});
        }
        return pictures;
    }

    // As the template and the Windows menu do it.
    LaterPanelWindowForm* show(std::size_t window) {
        LaterPanelWindowForm* form = m_windows->show(window);
        [&] { QVERIFY(form); }();
        return form;
    }
    QRect rectOf(LaterPanelWindowForm* form, int g) const { return form->gaugePicture(g).geometry; }
    std::string bytes() const { return m_document.laterLines().bytes(); }

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        const QByteArray fixture = test::bytesOf(kFixture);
        QVERIFY(fixture.startsWith("//"));
        m_opened = fixture.toStdString();
        // The screen-specific bitmap is the one a 1024 pixels wide screen shows.
        QVERIFY(filled({400, 100}, Qt::green).save(m_dir.filePath("main_panel_1024.bmp"), "BMP"));
        QVERIFY(filled({200, 50}, Qt::blue).save(m_dir.filePath("MAIN_PANEL.BMP"), "BMP"));
        m_document.replaceLaterPanel(PanelLines(m_opened),
                                     m_dir.filePath("panel.cfg").toStdString());
        QVERIFY(m_document.isLater());
        m_dialogs.clear();
        m_area = std::make_unique<QMdiArea>();
        m_area->resize(1100, 900);
        m_area->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_area.get()));
        m_app.display = PanelDisplay{}; // no zoom left from the test before
        m_app.snap = SnapOptions{};
        m_app.dirs.panelDir = m_dir.path().toStdString() + "/";
        m_windows = std::make_unique<LaterPanelWindows>(m_document, m_app, m_dialogs, m_area.get());
        m_windows->setPictureLookup(&picturesOf);
    }
    void cleanup() {
        m_area.reset();
        m_windows.reset();
        QVERIFY2(m_dialogs.errors().isEmpty(), qPrintable(m_dialogs.errors().join("\n")));
    }

    // window_pos and window_size put the window at an eighth and a quarter of the 1024 x 768
    // screen, half as wide and a quarter as high: 2 pixels per size_mm unit both ways. The
    // colour fills it; gauges sit at x, y, w, h, a width alone keeps the picture's aspect,
    // no size gives the picture's own; a missing one is an outline saying why.
    void placesTheWindowAndItsGauges() {
        LaterPanelWindowForm* form = show(0);
        QCOMPARE(form->windowTitle(), QStringLiteral("Engine Gauges"));
        QCOMPARE(form->view()->size(), QSize(1024, 768));
        const PanelPicture background = form->backgroundPicture();
        QCOMPARE(background.geometry, QRect(128, 192, 512, 192));
        QCOMPARE(background.picture.pixelColor(0, 0), QColor(10, 20, 30));
        QCOMPARE(form->gaugeCount(), 4);
        QCOMPARE(rectOf(form, 0), QRect(148, 212, 80, 40));
        QCOMPARE(rectOf(form, 1), QRect(248, 212, 60, 30));
        QCOMPARE(rectOf(form, 2).topLeft(), QPoint(328, 292));
        QVERIFY(form->gaugePicture(0).hasPicture() && !form->gaugePicture(2).hasPicture());
        QVERIFY(form->gaugePicture(2).toolTip.contains("Missing.gau is not in the panel folder"));
        QVERIFY(!rectOf(form, 2).isEmpty());

        // Every gauge, picture or outline, is a child for screen readers.
        QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(form->view());
        QCOMPARE(frame->childCount(), 4);
        QCOMPARE(frame->child(1)->text(QAccessible::Name),
                 QStringLiteral("gauge #1 : Engines!Oil Pressure"));
        QCOMPARE(frame->child(2)->text(QAccessible::Name),
                 QStringLiteral("gauge #2 : Missing!Fuel Flow"));
        QCOMPARE(frame->child(2)->role(), QAccessible::Graphic);

        // The bitmap for the screen's width, not file=, stretched to the window; and a
        // virtual cockpit is its own texture.
        LaterPanelWindowForm* main = show(1);
        QCOMPARE(main->windowTitle(), QStringLiteral("Main Panel"));
        QCOMPARE(main->backgroundPicture().picture.size(), QSize(400, 100));
        LaterPanelWindowForm* cockpit = show(2);
        QCOMPARE(cockpit->view()->size(), QSize(512, 256));
        QCOMPARE(cockpit->backgroundPicture().geometry, QRect(0, 0, 512, 256));
        QCOMPARE(rectOf(cockpit, 0), QRect(100, 100, 64, 64));

        // The command line's render draws each window as it shows, to the pixel (a picture
        // of its gauge, the colour, the bitmap, an outline and its name).
        for (LaterPanelWindowForm* shown : {form, main, cockpit}) {
            shown->selectGauge(-1);
            // The part the scroll area shows: the view stretches its pictures only there.
            const QRect part = shown->view()->visibleRegion().boundingRect();
            QVERIFY(part.width() > 100 && part.height() > 100);
            QCOMPARE(shown->view()->grab(part).toImage().convertToFormat(QImage::Format_RGB32),
                     renderLaterWindowScene(shown->scene()).copy(part));
        }
    }

    // Picture > Zoom... zooms and shifts the window as an FS98 one (window_pos keeps its
    // corner): the gauges grow with it, a drag goes back to units at that zoom, and the zoom
    // stays through edits and undo, for this window only; it is never saved.
    void zoomAndShiftDrawTheWindowLarger() {
        LaterPanelWindowForm* form = show(0);
        auto* zoom = form->findChild<QAction*>(QStringLiteral("mnumove"));
        QVERIFY(zoom);
        QCOMPARE(zoom->shortcut(), QKeySequence("Ctrl+Z"));
        zoom->trigger();
        MoveZoomDialog* dialog = m_windows->moveZoomDialog();
        QVERIFY(dialog);
        QCOMPARE(unnamedControls(dialog), QStringList());
        const auto text = [dialog](int n) {
            return dialog->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
        };
        QCOMPARE(text(1)->text(), QStringLiteral("1"));
        // The preview shows the window where it lies: an eighth of the screen across.
        const QRectF preview = dialog->preview()->pictureRect();
        QCOMPARE(qRound(preview.left() * 8), qRound(dialog->preview()->width() * 1.0));
        text(1)->setText(QStringLiteral("2"));
        text(2)->setText(QStringLiteral("10"));
        text(3)->setText(QStringLiteral("-5"));
        dialog->findChild<QPushButton*>(QStringLiteral("Command4"))->click();
        QCOMPARE(form->backgroundPicture().geometry, QRect(138, 187, 1024, 384));
        QCOMPARE(rectOf(form, 0), QRect(178, 227, 160, 80));
        QCOMPARE(m_app.display.laterView(form->viewKey()), (ViewPlacement{2, 10, -5}));
        QCOMPARE(bytes(), m_opened);

        dragWithKeys(form->view(), rectOf(form, 1).center(), QPoint(20, 10));
        QCOMPARE(changedLines(m_opened, bytes()),
                 QStringList("gauge01=Engines!Oil Pressure,  60 , 10, 30 -> "
                             "gauge01=Engines!Oil Pressure,  65 , 12, 30"));
        m_document.undo();
        QCOMPARE(rectOf(form, 0), QRect(178, 227, 160, 80));
        QCOMPARE(m_app.display.laterView(show(1)->viewKey()), ViewPlacement{});
    }

    // Picture > Preview at screen sizes: the window laid out for each FS98 screen by the
    // window's own code, the bitmap of each screen's width, without the zoom; it follows the
    // edits and goes with its window.
    void previewsDrawTheWindowOnEveryScreen() {
        m_app.display.laterViews[{LaterWindowKind::Window, 1}] = {3, 50, 50};
        LaterPanelWindowForm* main = show(1);
        main->findChild<QAction*>(QStringLiteral("mnupreview"))->trigger();
        QPointer<ScreenPreviewDialog> previews = main->findChild<ScreenPreviewDialog*>();
        QVERIFY(previews && previews->isVisible());
        QCOMPARE(unnamedControls(previews), QStringList());
        const auto& scenes = previews->laterScenes();
        QCOMPARE(scenes.size(), kFs98ScreenSizes.size());
        for (std::size_t i = 0; i < scenes.size(); ++i) {
            const QSize screen(kFs98ScreenSizes[i].width, kFs98ScreenSizes[i].height);
            QCOMPARE(scenes[i].frame, screen);
            // At the bottom's centre (position=7), the bitmap's own size.
            const QSize bitmap = screen.width() == 1024 ? QSize(400, 100) : QSize(200, 50);
            const QRect window(
                QPoint((screen.width() - bitmap.width()) / 2, screen.height() - bitmap.height()),
                bitmap);
            QCOMPARE(pixelRect(scenes[i].layout.rect), window);
            const QImage& picture = previews->tile(int(i))->picture();
            QCOMPARE(picture.size(), screen);
            QCOMPARE(picture.pixelColor(window.center() + QPoint(0, 20)),
                     screen.width() == 1024 ? QColor(Qt::green) : QColor(Qt::blue));
            QCOMPARE(picture.pixelColor(window.topLeft() + QPoint(2, 2)), QColor(Qt::red));
            QCOMPARE(picture.pixelColor(0, 0), QColor(Qt::black));
        }
        // An edit shows at once; window 0's outline (no picture) is drawn.
        main->selectGauge(0);
        QTest::keyClick(main->view(), Qt::Key_Right, Qt::ShiftModifier);
        QTRY_COMPARE(pixelRect(previews->laterScenes()[2].gauges[0].rect).left(), 312 + 10);

        LaterPanelWindowForm* engines = show(0);
        engines->showScreenPreviews();
        auto* enginePreviews = engines->findChild<ScreenPreviewDialog*>();
        QVERIFY(enginePreviews);
        const LaterWindowScene& svga = enginePreviews->laterScenes()[1];
        QCOMPARE(pixelRect(svga.layout.rect), QRect(100, 150, 400, 150));
        const QImage& shot = enginePreviews->tile(1)->picture();
        QCOMPARE(shot.pixelColor(490, 290), QColor(10, 20, 30));
        QVERIFY(svga.gauges[2].picture.isNull());
        const QRect outline = pixelRect(svga.gauges[2].rect);
        QVERIFY(shot.pixelColor(outline.topLeft()) != QColor(10, 20, 30));

        main->close();
        QVERIFY(!previews || !previews->isVisible());
    }

    // Drawn again after each edit, the window reads its bitmap again only when the file
    // changed.
    void theBackgroundIsReadAgainOnlyWhenItsFileChanges() {
        LaterPanelWindowForm* form = show(1);
        const qint64 first = form->backgroundPicture().picture.cacheKey();
        form->selectGauge(0);
        QTest::keyClick(form->view(), Qt::Key_Right);
        QCOMPARE(m_document.undoStack()->count(), 1);
        QCOMPARE(form->backgroundPicture().picture.cacheKey(), first);
        QVERIFY(filled({300, 100}, Qt::yellow).save(m_dir.filePath("main_panel_1024.bmp"), "BMP"));
        QTest::keyClick(form->view(), Qt::Key_Right);
        QCOMPARE(form->backgroundPicture().picture.size(), QSize(300, 100));
    }

    // A drag moves the gauge by whole units (the line had whole numbers) and saves as that
    // line alone, blanks kept; undo gives back the opened bytes, redo the moved ones.
    void aDragChangesExactlyItsLine() {
        LaterPanelWindowForm* form = show(0);
        QUndoStack* stack = m_document.undoStack();
        QSignalSpy status(form, &LaterPanelWindowForm::dragStatusChanged);
        dragWithKeys(form->view(), rectOf(form, 1).center(), QPoint(20, 10));
        QCOMPARE(stack->count(), 1);
        // The status line follows the drag in this format's own words, and clears at the drop.
        QVERIFY(std::any_of(status.begin(), status.end(), [](const QList<QVariant>& args) {
            return args.value(0).toString() == QStringLiteral("gauge #1 : x = 70, y = 15");
        }));
        QCOMPARE(status.last().value(0).toString(), QString());
        QCOMPARE(changedLines(m_opened, bytes()),
                 QStringList("gauge01=Engines!Oil Pressure,  60 , 10, 30 -> "
                             "gauge01=Engines!Oil Pressure,  70 , 15, 30"));
        QCOMPARE(rectOf(form, 1), QRect(268, 222, 60, 30));
        const std::string moved = bytes();
        m_document.undo();
        QCOMPARE(bytes(), m_opened);
        QCOMPARE(rectOf(form, 1), QRect(248, 212, 60, 30));
        m_document.redo();
        QCOMPARE(bytes(), moved);

        // A second drop of the same gauge is a step of its own.
        dragWithKeys(form->view(), rectOf(form, 1).center(), QPoint(-20, 0));
        QCOMPARE(stack->count(), 2);
        // A press and release without a drag changes nothing.
        QTest::mouseClick(form->view(), Qt::LeftButton, {}, rectOf(form, 0).center());
        QCOMPARE(stack->count(), 2);
    }

    // At 2 pixels a unit, a drop 2 pixels off gauge 0's left edge (x = 10) lands on it, one
    // step; with Alt it stays off. A selection snaps as its box; the grid takes the corner.
    void dragsSnapToGaugesAndToTheGrid() {
        LaterPanelWindowForm* form = show(0);
        QUndoStack* stack = m_document.undoStack();
        const QPoint nearGauge0((11 - 150) * 2, 0);
        dragWithKeys(form->view(), rectOf(form, 3).center(), nearGauge0, Qt::AltModifier);
        QCOMPARE(changedLines(m_opened, bytes()),
                 QStringList("gauge03=Engines!Egt, 150, 50, 20, 20, ON -> "
                             "gauge03=Engines!Egt, 11, 50, 20, 20, ON"));
        m_document.undo();
        dragWithKeys(form->view(), rectOf(form, 3).center(), nearGauge0);
        QCOMPARE(stack->count(), 1);
        QCOMPARE(changedLines(m_opened, bytes()),
                 QStringList("gauge03=Engines!Egt, 150, 50, 20, 20, ON -> "
                             "gauge03=Engines!Egt, 10, 50, 20, 20, ON"));
        QVERIFY(form->view()->guides().empty());
        m_document.undo();

        // Gauges 0 and 3 together: the box's top (y = 10) comes 3 pixels from the
        // background's top (y = 0) and goes there.
        form->view()->setSelection({0, 3});
        dragWithKeys(form->view(), rectOf(form, 0).center(), QPoint(0, -23));
        QCOMPARE(changedLines(m_opened, bytes()),
                 QStringList({"gauge00=Engines!Rpm, 10, 10, 40, 20 -> "
                              "gauge00=Engines!Rpm, 10, 0, 40, 20",
                              "gauge03=Engines!Egt, 150, 50, 20, 20, ON -> "
                              "gauge03=Engines!Egt, 150, 40, 20, 20, ON"}));
        m_document.undo();

        m_app.snap = {true, 25, false};
        form->refreshSnapping();
        QCOMPARE(form->view()->gridSpacing(), QSizeF(50, 50));
        QCOMPARE(form->view()->gridOrigin(), QPointF(128, 192));
        form->selectGauge(3);
        dragWithKeys(form->view(), rectOf(form, 3).center(), QPoint(37, 33));
        QCOMPARE(changedLines(m_opened, bytes()),
                 QStringList("gauge03=Engines!Egt, 150, 50, 20, 20, ON -> "
                             "gauge03=Engines!Egt, 175, 75, 20, 20, ON"));
    }

    // The corner handle sets width and height apart; a line without a size gets both.
    void theHandleResizesWidthAndHeight() {
        LaterPanelWindowForm* form = show(0);
        QTest::mouseClick(form->view(), Qt::LeftButton, {}, rectOf(form, 0).center());
        QCOMPARE(form->selectedGauge(), 0);
        const QPoint corner = form->view()->handleRect().center();
        dragWithKeys(form->view(), corner, QPoint(20, 10));
        QCOMPARE(changedLines(m_opened, bytes()),
                 QStringList("gauge00=Engines!Rpm, 10, 10, 40, 20 -> "
                             "gauge00=Engines!Rpm, 10, 10, 50, 25"));
        QCOMPARE(rectOf(form, 0).size(), QSize(100, 50));
        m_document.undo();
        QCOMPARE(bytes(), m_opened);
    }

    // Arrow keys move the selected gauge one unit, ten with Shift, one step each; Tab goes
    // to the next gauge.
    void keysMoveAndWalkTheGauges() {
        LaterPanelWindowForm* form = show(0);
        form->selectGauge(3);
        QTest::keyClick(form->view(), Qt::Key_Right);
        QTest::keyClick(form->view(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(m_document.undoStack()->count(), 2);
        QCOMPARE(changedLines(m_opened, bytes()),
                 QStringList("gauge03=Engines!Egt, 150, 50, 20, 20, ON -> "
                             "gauge03=Engines!Egt, 151, 60, 20, 20, ON"));
        QTest::keyClick(form->view(), Qt::Key_Tab);
        QCOMPARE(form->selectedGauge(), 0);
        QTest::keyClick(form->view(), Qt::Key_Backtab);
        QCOMPARE(form->selectedGauge(), 3);
    }

    // Two gauges picked with Ctrl: aligned, moved by a key and by the mouse, given the
    // same height, each one undo step changing only their lines.
    void severalGaugesAreArrangedInOneStepEach() {
        LaterPanelWindowForm* form = show(0);
        QUndoStack* stack = m_document.undoStack();
        QTest::mouseClick(form->view(), Qt::LeftButton, Qt::ControlModifier,
                          rectOf(form, 0).center());
        QTest::mouseClick(form->view(), Qt::LeftButton, Qt::ControlModifier,
                          rectOf(form, 3).center());
        QVERIFY(!form->arrangementAction(Arrangement::DistributeVertically)->isEnabled());
        form->arrangementAction(Arrangement::AlignTop)->trigger();
        QTest::keyClick(form->view(), Qt::Key_Left, Qt::ShiftModifier);
        dragWithKeys(form->view(), rectOf(form, 3).center(), QPoint(20, 10));
        QCOMPARE(stack->count(), 3);
        QCOMPARE(stack->text(0), QStringLiteral("Align top"));
        QCOMPARE(changedLines(m_opened, bytes()),
                 QStringList({"gauge00=Engines!Rpm, 10, 10, 40, 20 -> "
                              "gauge00=Engines!Rpm, 10, 15, 40, 20",
                              "gauge03=Engines!Egt, 150, 50, 20, 20, ON -> "
                              "gauge03=Engines!Egt, 150, 15, 20, 20, ON"}));
        QCOMPARE(form->view()->selection(), (std::vector<int>{0, 3}));

        // A line without a height gets the anchor's; its width stays as written.
        m_document.undo();
        m_document.undo();
        m_document.undo();
        form->view()->setSelection({0, 1});
        QVERIFY(form->arrangementAction(Arrangement::SameHeight)->isEnabled());
        form->arrangementAction(Arrangement::SameHeight)->trigger();
        QCOMPARE(changedLines(m_opened, bytes()),
                 QStringList("gauge01=Engines!Oil Pressure,  60 , 10, 30 -> "
                             "gauge01=Engines!Oil Pressure,  60 , 10, 30, 20"));
        QCOMPARE(rectOf(form, 1).height(), 40);
    }

    // Three gauges distributed across: the outer two stay, the middle one moves to leave
    // equal gaps (35 units each side), one step that changes its line alone.
    void distributingMovesOnlyTheMiddleGauge() {
        LaterPanelWindowForm* form = show(0);
        form->view()->setSelection({0, 3, 1});
        form->arrangementAction(Arrangement::DistributeHorizontally)->trigger();
        QCOMPARE(m_document.undoStack()->count(), 1);
        QCOMPARE(m_document.undoStack()->text(0), QStringLiteral("Distribute horizontally"));
        QCOMPARE(changedLines(m_opened, bytes()),
                 QStringList("gauge01=Engines!Oil Pressure,  60 , 10, 30 -> "
                             "gauge01=Engines!Oil Pressure,  85 , 10, 30"));
        m_document.undo();
        QCOMPARE(bytes(), m_opened);
    }

    // Delete asks first; No keeps everything, Yes removes the line and the gauges after it
    // take the numbers one lower, so none is missing.
    void deleteAsksAndRenumbers() {
        LaterPanelWindowForm* form = show(0);
        form->selectGauge(1);
        m_dialogs.queueQuestionAnswer(false);
        QTest::keyClick(form->view(), Qt::Key_Delete);
        QCOMPARE(m_dialogs.questions().value(0),
                 QStringLiteral("Are you sure to remove gauge\nEngines!Oil Pressure ?"));
        QCOMPARE(bytes(), m_opened);

        m_dialogs.queueQuestionAnswer(true);
        QTest::keyClick(form->view(), Qt::Key_Delete);
        QCOMPARE(form->gaugeCount(), 3);
        const QStringList lines = linesOf(bytes());
        QVERIFY(!lines.contains("gauge01=Engines!Oil Pressure,  60 , 10, 30"));
        QVERIFY(lines.contains("gauge01=Missing!Fuel Flow, 100, 50"));
        QVERIFY(lines.contains("gauge02=Engines!Egt, 150, 50, 20, 20, ON"));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(form->view())->child(1)->text(QAccessible::Name),
            QStringLiteral("gauge #1 : Missing!Fuel Flow"));
        QCOMPARE(m_document.undoStack()->count(), 1);
        m_document.undo();
        QCOMPARE(bytes(), m_opened);
        QCOMPARE(form->gaugeCount(), 4);
    }

    // Copy from one window, paste into another: the lines' own text under the next numbers,
    // shifted while the place is taken; cut and Delete of several renumber what follows.
    // Each is one step, its undo gives back the bytes, and only the gauge lines change.
    void clipboardAndDeleteOfSeveralGaugesChangeOnlyTheirLines() {
        LaterPanelWindowForm* engines = show(0);
        LaterPanelWindowForm* main = show(1);
        QClipboard* clipboard = QGuiApplication::clipboard();
        QUndoStack* undo = m_document.undoStack();
        const auto lastStep = [undo] { return undo->text(undo->index() - 1); };
        const auto with = [this](const char* after, const QString& lines) {
            const std::string mark = std::string(after) + "\r\n";
            std::string text = m_opened;
            text.insert(text.find(mark) + mark.size(), lines.toStdString());
            return text;
        };

        engines->view()->setSelection({3, 0});
        engines->copyGauges();
        const QString copied = QStringLiteral("gauge00=Engines!Egt, 150, 50, 20, 20, ON\r\n"
                                              "gauge01=Engines!Rpm, 10, 10, 40, 20\r\n");
        QCOMPARE(clipboard->text(), copied);
        main->pasteGauges();
        QCOMPARE(lastStep(), QStringLiteral("Paste 2 gauges"));
        QCOMPARE(bytes(), with("gauge00=Engines!Rpm, 0, 0, 100",
                               "gauge01=Engines!Egt, 150, 50, 20, 20, ON\r\n"
                               "gauge02=Engines!Rpm, 10, 10, 40, 20\r\n"));
        QCOMPARE(main->view()->selection(), (std::vector<int>{1, 2}));
        main->pasteGauges(); // onto the first copy: moved off it
        const QStringList again = linesOf(bytes());
        const int first = again.indexOf("gauge02=Engines!Rpm, 10, 10, 40, 20");
        QVERIFY(first > 0);
        QCOMPARE(again.mid(first + 1, 2), (QStringList{"gauge03=Engines!Egt, 160, 60, 20, 20, ON",
                                                       "gauge04=Engines!Rpm, 20, 20, 40, 20"}));
        undo->undo();
        undo->undo();
        QCOMPARE(bytes(), m_opened);

        // A line typed in an editor, with one that is no gauge line.
        clipboard->setText("gauge00=Engines!Oil, 5, 6\ngauge01=Engines!Bad\n");
        main->pasteGauges();
        QCOMPARE(bytes(), with("gauge00=Engines!Rpm, 0, 0, 100", "gauge01=Engines!Oil, 5, 6\r\n"));
        QCOMPARE(m_dialogs.lastMessage(),
                 QStringLiteral("Pasted line 2 (gauge01=Engines!Bad) has no name, x and y "
                                "separated by commas; not pasted."));
        undo->undo();

        // Into the 256 x 96 window: moved inside, or told that it cannot fit.
        clipboard->setText("gauge00=Engines!Oil, 240, 90, 30, 20\n");
        engines->pasteGauges();
        QVERIFY(linesOf(bytes()).contains("gauge04=Engines!Oil, 226, 76, 30, 20"));
        undo->undo();
        clipboard->setText("gauge00=Engines!Oil, 0, 0, 300, 20\n");
        engines->pasteGauges();
        QCOMPARE(m_dialogs.lastMessage(),
                 QStringLiteral("The 1 pasted gauge takes 300 x 20 units, the window 256 x 96: "
                                "it was pasted where it was copied, and FS does not show what "
                                "lies outside the window."));
        undo->undo();
        QCOMPARE(bytes(), m_opened);

        engines->view()->setSelection({1, 2});
        engines->cutGauges();
        QCOMPARE(lastStep(), QStringLiteral("Cut 2 gauges"));
        QVERIFY(clipboard->text().startsWith("gauge00=Engines!Oil Pressure,  60 , 10, 30\r\n"));
        std::string cut = m_opened;
        cut.erase(cut.find("gauge01=Engines!Oil"),
                  cut.find("gauge03=Engines!Egt") - cut.find("gauge01=Engines!Oil"));
        cut.replace(cut.find("gauge03=Engines!Egt"), 8, "gauge01=");
        QCOMPARE(bytes(), cut);
        undo->undo();
        QCOMPARE(bytes(), m_opened);

        // Delete and Remove with several selected ask once.
        engines->view()->selectAllGauges();
        m_dialogs.queueQuestionAnswer(false);
        engines->findChild<QAction*>("mnuremove")->trigger();
        QCOMPARE(m_dialogs.questions().last(),
                 QStringLiteral("Are you sure to remove these 4 gauges?\nEngines!Rpm\n"
                                "Engines!Oil Pressure\nMissing!Fuel Flow\nEngines!Egt"));
        m_dialogs.queueQuestionAnswer(true);
        QTest::keyClick(engines->view(), Qt::Key_Delete);
        QCOMPARE(lastStep(), QStringLiteral("Delete 4 gauges"));
        QCOMPARE(engines->gaugeCount(), 0);
        QCOMPARE(linesOf(bytes()).filter("Engines!").size(), 2);
        undo->undo();
        QCOMPARE(bytes(), m_opened);
        QVERIFY(m_dialogs.verifyAllAnswersUsed());
    }

    // A click opens the gauge's properties: x, y, w, h and the fields after them, shown as
    // the line has them and following a move made meanwhile; OK writes the line as one step,
    // a box FS could not read is refused and the dialog stays.
    void propertiesEditTheWholeLineInOneStep() {
        LaterPanelWindowForm* form = show(0);
        QTest::mouseClick(form->view(), Qt::LeftButton, {}, rectOf(form, 3).center());
        LaterGaugePropertiesDialog* dialog = m_windows->propertiesDialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("gauge03=Engines!Egt"));
        QCOMPARE(dialog->box("laterX")->text(), QStringLiteral("150"));
        QCOMPARE(dialog->box("laterHeight")->text(), QStringLiteral("20"));
        QCOMPARE(dialog->box("laterMore")->text(), QStringLiteral("ON"));
        QCOMPARE(unnamedControls(dialog), QStringList());
        QCOMPARE(unnamedControls(form, {"cockpix::PanelView"}), QStringList());
        QTest::keyClick(form->view(), Qt::Key_Left);
        QCOMPARE(dialog->box("laterX")->text(), QStringLiteral("149"));
        const std::string moved = bytes();

        dialog->box("laterY")->setText(QStringLiteral("fifty"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("laterOk"), Qt::LeftButton);
        QCOMPARE(m_dialogs.lastMessage(), QStringLiteral("y must be a number."));
        QVERIFY(dialog->isVisible());
        QCOMPARE(bytes(), moved);

        dialog->box("laterY")->setText(QStringLiteral(" 55"));
        dialog->box("laterHeight")->clear();
        dialog->box("laterMore")->setText(QStringLiteral("ON, 3"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("laterOk"), Qt::LeftButton);
        QCOMPARE(m_document.undoStack()->count(), 2);
        QCOMPARE(changedLines(moved, bytes()),
                 QStringList("gauge03=Engines!Egt, 149, 50, 20, 20, ON -> "
                             "gauge03=Engines!Egt, 149, 55, 20, , ON, 3"));
        QTRY_VERIFY(m_windows->propertiesDialog() == nullptr);
        m_document.undo();
        QCOMPARE(bytes(), moved);
    }

    // Go to gauge lists the window's gauges by name; the one picked is selected and its
    // properties open.
    void goToGaugePicksFromTheList() {
        LaterPanelWindowForm* form = show(0);
        m_dialogs.queueListChoice(QStringLiteral("gauge #2 : Missing!Fuel Flow"));
        form->findChild<QAction*>("mnugo")->trigger();
        QCOMPARE(m_dialogs.listRequests().value(0).items.size(), 4);
        QCOMPARE(form->selectedGauge(), 2);
        QVERIFY(m_windows->propertiesDialog());
        QCOMPARE(m_windows->propertiesDialog()->line(), form->scene().gauges[2].line);
        // Asked again for the same section, the open window comes to the front.
        QCOMPARE(show(0), form);
    }

    // "Add..." offers the gauges FS would find; the one added is one line and is selected.
    void addOffersTheGaugesFsWouldFind() {
        QVERIFY(QDir(m_dir.path()).mkpath("Dials"));
        QFile xml(m_dir.path() + "/Dials/Clock.xml");
        QVERIFY(xml.open(QIODevice::WriteOnly));
        xml.write("<Gauge Name=\"Clock\" Version=\"1.0\"/>\r\n");
        xml.close();
        LaterPanelWindowForm* form = show(0);
        form->findChild<QAction*>("mnuadd")->trigger();
        auto* chooser = form->findChild<LaterAddGaugeDialog*>();
        QVERIFY(chooser);
        QVERIFY(chooser->chooseGauge(QStringLiteral("Dials!Clock")));
        chooser->addChosenGauge();
        QVERIFY(bytes().find("gauge04=Dials!Clock, 0, 0") != std::string::npos);
        QCOMPARE(m_document.undoStack()->count(), 1);
        QCOMPARE(form->selectedGauge(), 4);
        m_document.undo();
        QCOMPARE(bytes(), m_opened);
    }

    // Absurd numbers draw a bounded window: no gauge or window beyond a few screens, a
    // window of no size still moves its gauges, a texture of a billion pixels fits the screen.
    void absurdNumbersStayBounded() {
        const std::string bytes = test::crlf(
            "[Window00]|size_mm=0,0|window_size=0,0|window_pos=1e300,-1e300|"
            "gauge00=Engines!Rpm, 1e308, -1e308, 1e308, 1e308|gauge01=Missing!A, nan, inf, -5|"
            "gauge02=Missing!B, 3, 4|[Vcockpit01]|pixel_size=1000000000,1000000000|"
            "gauge00=Missing!C, 1, 1");
        m_document.replaceLaterPanel(PanelLines(bytes), {});
        LaterPanelWindowForm* form = show(0);
        QCOMPARE(form->gaugeCount(), 3);
        for (int i = 0; i < 3; ++i) {
            const QRect rect = rectOf(form, i);
            const int across = int(kLaterMaxScreens * 1024) + 1;
            const int down = int(kLaterMaxScreens * 768) + 1;
            QVERIFY2(qAbs(rect.left()) <= across && qAbs(rect.top()) <= down &&
                         rect.width() <= across && rect.height() <= down,
                     qPrintable(QStringLiteral("gauge %1 at %2 %3 %4 x %5")
                                    .arg(i)
                                    .arg(rect.left())
                                    .arg(rect.top())
                                    .arg(rect.width())
                                    .arg(rect.height())));
        }
        QImage shot(form->view()->size(), QImage::Format_RGB32);
        form->view()->render(&shot);
        form->selectGauge(2);
        QTest::keyClick(form->view(), Qt::Key_Right);
        QVERIFY(linesOf(this->bytes()).contains("gauge02=Missing!B, 4, 4"));
        LaterPanelWindowForm* cockpit = show(1);
        QCOMPARE(cockpit->view()->size(), QSize(768, 768));
        QVERIFY(QRect(0, 0, 1024, 768).contains(pixelRect(cockpit->scene().layout.rect)));
    }

    // The demo jet as the program shows it, pictures found where FS finds them: XML gauges
    // of a folder in the gauges directory and of a cabinet beside the panel, FS98 modules,
    // every window opened.
    void theDemoJetShowsItsGaugesWithTheirPictures() {
        const QString demo = QStringLiteral(COCKPIX_BIN_DIR "/../demo/fs98/");
        const QString panel = demo + "aircraft/demo_jet/panel/";
        const QByteArray bytes = test::bytesOf(panel + "panel.cfg");
        QVERIFY2(bytes.startsWith("//"), "the demo was not generated into the build");
        m_document.replaceLaterPanel(PanelLines(bytes.toStdString()), {});
        m_app.dirs.panelDir = panel.toStdString();
        m_app.dirs.gaugesDir = (demo + "gauges/").toStdString();
        LaterPanelWindows windows(m_document, m_app, m_dialogs, m_area.get());
        QStringList missing;
        int shown = 0;
        for (std::size_t w = 0; w < m_document.laterPanel().windows.size(); ++w) {
            LaterPanelWindowForm* form = windows.show(w);
            QVERIFY(form);
            for (int g = 0; g < form->gaugeCount(); ++g, ++shown) {
                if (!form->gaugePicture(g).hasPicture())
                    missing << form->gaugePicture(g).toolTip;
            }
        }
        QVERIFY(shown > 20);
        // The XML gauge drawn as text only and the C gauge of a needle alone are outlines,
        // saying why; every other gauge, of every kind, shows its picture.
        QCOMPARE(missing,
                 QStringList({"gauge #3 : DemoJet!Annunciator\nAnnunciator.xml names no picture",
                              "gauge #1 : DemoJet_Systems!Hydraulics\nDemoJet_Systems.gau: gauge "
                              "Hydraulics has no static picture"}));
    }

    // A virtual cockpit opens showing its texture from the top-left corner, where its first
    // gauges are: whole when the area has room for it, from the corner when it has not.
    void aVirtualCockpitOpensAtItsTopLeftCorner() {
        for (const QSize area : {QSize(1100, 900), QSize(300, 200)}) {
            m_area->resize(area);
            LaterPanelWindowForm* cockpit = show(2);
            const auto* scroll = cockpit->findChild<QScrollArea*>();
            QVERIFY(scroll);
            QCOMPARE(scroll->horizontalScrollBar()->value(), 0);
            QCOMPARE(scroll->verticalScrollBar()->value(), 0);
            if (area.width() > 512)
                QTRY_COMPARE(scroll->viewport()->size(), cockpit->view()->size());
            cockpit->parentWidget()->close();
        }
    }

    // The window follows its section when one before it goes, and closes when its own does.
    void followsItsSectionAndClosesWithIt() {
        LaterPanelWindowForm* cockpit = show(2);
        QPointer<LaterPanelWindowForm> main = show(1);
        m_document.removeLaterWindow(m_document.laterPanel().windows.at(0).section);
        QCOMPARE(cockpit->windowIndex(), std::size_t(1));
        QCOMPARE(main->windowIndex(), std::size_t(0));
        m_document.removeLaterWindow(m_document.laterPanel().windows.at(0).section);
        QTRY_VERIFY(main.isNull() || !main->isVisible());
        m_document.undo();
        QCOMPARE(cockpit->windowIndex(), std::size_t(1));
        m_document.undo();
        QCOMPARE(cockpit->windowIndex(), std::size_t(2));
    }
};

QTEST_MAIN(TestLaterPanelWindow)
#include "tst_laterpanelwindow.moc"

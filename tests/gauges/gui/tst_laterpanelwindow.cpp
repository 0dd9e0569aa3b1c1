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

    // Each window shows its colour or bitmap and its gauges, a missing picture as an outline
    // saying why, each gauge a child for screen readers; the command line's render draws each
    // window as it shows, to the pixel. Where they go is the layout's own.
    void placesTheWindowAndItsGauges() {
        LaterPanelWindowForm* form = show(0);
        QCOMPARE(form->windowTitle(), QStringLiteral("Engine Gauges"));
        QCOMPARE(form->gaugeCount(), 4);
        QVERIFY(form->gaugePicture(0).hasPicture() && !form->gaugePicture(2).hasPicture());
        QVERIFY(form->gaugePicture(2).toolTip.contains("Missing.gau is not in the panel folder"));
        QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(form->view());
        QCOMPARE(frame->childCount(), 4);
        QCOMPARE(frame->child(2)->text(QAccessible::Name),
                 QStringLiteral("gauge #2 : Missing!Fuel Flow"));

        // The bitmap for the screen's width, not file=.
        LaterPanelWindowForm* main = show(1);
        QCOMPARE(main->backgroundPicture().picture.size(), QSize(400, 100));
        for (LaterPanelWindowForm* shown : {form, main, show(2)}) {
            shown->selectGauge(-1);
            // The part the scroll area shows: the view stretches its pictures only there.
            const QRect part = shown->view()->visibleRegion().boundingRect();
            QVERIFY(part.width() > 100 && part.height() > 100);
            QCOMPARE(shown->view()->grab(part).toImage().convertToFormat(QImage::Format_RGB32),
                     renderLaterWindowScene(shown->scene()).copy(part));
        }
    }

    // Picture > Zoom... (Ctrl+Z as in FS98) zooms this window only, through edits and undo,
    // and is never saved.
    void zoomAndShiftDrawTheWindowLarger() {
        LaterPanelWindowForm* form = show(0);
        auto* zoom = form->findChild<QAction*>(QStringLiteral("mnumove"));
        QCOMPARE(zoom->shortcut(), QKeySequence("Ctrl+Z"));
        zoom->trigger();
        MoveZoomDialog* dialog = m_windows->moveZoomDialog();
        QVERIFY(dialog);
        QCOMPARE(unnamedControls(dialog), QStringList());
        const QRect before = rectOf(form, 0);
        dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("2"));
        dialog->findChild<QPushButton*>(QStringLiteral("Command4"))->click();
        QCOMPARE(rectOf(form, 0).size(), before.size() * 2);
        QCOMPARE(bytes(), m_opened);
        dragWithKeys(form->view(), rectOf(form, 1).center(), QPoint(20, 10));
        m_document.undo();
        QCOMPARE(rectOf(form, 0).size(), before.size() * 2);
        QCOMPARE(m_app.display.laterView(show(1)->viewKey()), ViewPlacement{});
    }

    // Picture > Preview at screen sizes: one picture a screen, following the edits, going
    // with its window.
    void previewsDrawTheWindowOnEveryScreen() {
        m_app.display.laterViews[{LaterWindowKind::Window, 1}] = {3, 50, 50};
        LaterPanelWindowForm* main = show(1);
        main->findChild<QAction*>(QStringLiteral("mnupreview"))->trigger();
        QPointer<ScreenPreviewDialog> previews = main->findChild<ScreenPreviewDialog*>();
        QVERIFY(previews && previews->isVisible());
        QCOMPARE(unnamedControls(previews), QStringList());
        // Each screen with the bitmap of its width, without the window's zoom.
        const auto& scenes = previews->laterScenes();
        QCOMPARE(scenes.size(), kFs98ScreenSizes.size());
        for (std::size_t i = 0; i < scenes.size(); ++i) {
            QCOMPARE(scenes[i].frame.width(), kFs98ScreenSizes[i].width);
            QCOMPARE(pixelRect(scenes[i].layout.rect).size(),
                     scenes[i].frame.width() == 1024 ? QSize(400, 100) : QSize(200, 50));
        }
        const QRect before = pixelRect(previews->laterScenes()[2].gauges[0].rect);
        main->selectGauge(0);
        QTest::keyClick(main->view(), Qt::Key_Right, Qt::ShiftModifier);
        QTRY_VERIFY(pixelRect(previews->laterScenes()[2].gauges[0].rect).left() > before.left());
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

    // A drag is one step that changes its gauge's line alone (the words are the line edits'
    // own); the status line follows it and clears at the drop; a click without a drag is no
    // step.
    void aDragChangesExactlyItsLine() {
        LaterPanelWindowForm* form = show(0);
        QUndoStack* stack = m_document.undoStack();
        QSignalSpy status(form, &LaterPanelWindowForm::dragStatusChanged);
        const QRect was = rectOf(form, 1);
        dragWithKeys(form->view(), was.center(), QPoint(20, 10));
        QCOMPARE(stack->count(), 1);
        QVERIFY(std::any_of(status.begin(), status.end(), [](const QList<QVariant>& args) {
            return args.value(0).toString() == QStringLiteral("gauge #1 : x = 70, y = 15");
        }));
        QCOMPARE(status.last().value(0).toString(), QString());
        QCOMPARE(changedLines(m_opened, bytes()).size(), 1);
        QCOMPARE(rectOf(form, 1), was.translated(20, 10));
        m_document.undo();
        QCOMPARE(bytes(), m_opened);
        QCOMPARE(rectOf(form, 1), was);
        QTest::mouseClick(form->view(), Qt::LeftButton, {}, rectOf(form, 0).center());
        QCOMPARE(stack->count(), 1);
    }

    // A drop 2 pixels off gauge 0's left edge lands on it; with Alt it stays off. With the grid
    // on, the window shows it from the window's corner.
    void dragsSnapToGaugesAndToTheGrid() {
        LaterPanelWindowForm* form = show(0);
        const QPoint nearGauge0((11 - 150) * 2, 0);
        dragWithKeys(form->view(), rectOf(form, 3).center(), nearGauge0, Qt::AltModifier);
        QVERIFY(linesOf(bytes()).contains("gauge03=Engines!Egt, 11, 50, 20, 20, ON"));
        m_document.undo();
        dragWithKeys(form->view(), rectOf(form, 3).center(), nearGauge0);
        QVERIFY(linesOf(bytes()).contains("gauge03=Engines!Egt, 10, 50, 20, 20, ON"));
        QCOMPARE(m_document.undoStack()->count(), 1);
        m_app.snap = {true, 25, false};
        form->refreshSnapping();
        QCOMPARE(form->view()->gridSpacing(), QSizeF(50, 50));
        QCOMPARE(form->view()->gridOrigin(), QPointF(128, 192));
    }

    // The corner handle sets width and height apart.
    void theHandleResizesWidthAndHeight() {
        LaterPanelWindowForm* form = show(0);
        QTest::mouseClick(form->view(), Qt::LeftButton, {}, rectOf(form, 0).center());
        dragWithKeys(form->view(), form->view()->handleRect().center(), QPoint(20, 10));
        QVERIFY(linesOf(bytes()).contains("gauge00=Engines!Rpm, 10, 10, 50, 25"));
        QCOMPARE(rectOf(form, 0).size(), QSize(100, 50));
    }

    // Arrow keys move the selected gauge, one step each; Tab goes to the next gauge.
    void keysMoveAndWalkTheGauges() {
        LaterPanelWindowForm* form = show(0);
        form->selectGauge(3);
        QTest::keyClick(form->view(), Qt::Key_Right);
        QTest::keyClick(form->view(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(m_document.undoStack()->count(), 2);
        QVERIFY(linesOf(bytes()).contains("gauge03=Engines!Egt, 151, 60, 20, 20, ON"));
        QTest::keyClick(form->view(), Qt::Key_Tab);
        QCOMPARE(form->selectedGauge(), 0);
    }

    // Two gauges picked with Ctrl: aligned, moved by a key and by the mouse, each one step;
    // Same height (this format's own) is offered and draws them so.
    void severalGaugesAreArrangedInOneStepEach() {
        LaterPanelWindowForm* form = show(0);
        QUndoStack* stack = m_document.undoStack();
        QTest::mouseClick(form->view(), Qt::LeftButton, Qt::ControlModifier,
                          rectOf(form, 0).center());
        QTest::mouseClick(form->view(), Qt::LeftButton, Qt::ControlModifier,
                          rectOf(form, 3).center());
        form->arrangementAction(Arrangement::AlignTop)->trigger();
        QTest::keyClick(form->view(), Qt::Key_Left, Qt::ShiftModifier);
        dragWithKeys(form->view(), rectOf(form, 3).center(), QPoint(20, 10));
        QCOMPARE(stack->count(), 3);
        QCOMPARE(stack->text(0), QStringLiteral("Align top"));
        QCOMPARE(changedLines(m_opened, bytes()).size(), 2);
        QCOMPARE(form->view()->selection(), (std::vector<int>{0, 3}));
        form->view()->setSelection({0, 1});
        form->arrangementAction(Arrangement::SameHeight)->trigger();
        QCOMPARE(rectOf(form, 1).height(), rectOf(form, 0).height());
    }

    // Delete asks first in FS98's words; Yes removes the gauge, and the window and its screen
    // reader children follow the renumbered lines.
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
        QCOMPARE(
            QAccessible::queryAccessibleInterface(form->view())->child(1)->text(QAccessible::Name),
            QStringLiteral("gauge #1 : Missing!Fuel Flow"));
        m_document.undo();
        QCOMPARE(form->gaugeCount(), 4);
    }

    // Copy from one window, paste into another, cut, and Delete of several: each one step that
    // its undo takes back; a bad pasted line is told. Where pasted lines go is the clipboard's.
    void clipboardAndDeleteOfSeveralGaugesChangeOnlyTheirLines() {
        LaterPanelWindowForm* engines = show(0);
        LaterPanelWindowForm* main = show(1);
        QClipboard* clipboard = QGuiApplication::clipboard();
        QUndoStack* undo = m_document.undoStack();
        const auto lastStep = [undo] { return undo->text(undo->index() - 1); };

        engines->view()->setSelection({3, 0});
        engines->copyGauges();
        QVERIFY(clipboard->text().startsWith(QStringLiteral("gauge00=Engines!Egt, 150, 50")));
        main->pasteGauges();
        QCOMPARE(lastStep(), QStringLiteral("Paste 2 gauges"));
        QCOMPARE(main->view()->selection(), (std::vector<int>{1, 2}));
        QCOMPARE(main->gaugeCount(), 3);
        undo->undo();
        QCOMPARE(bytes(), m_opened);

        clipboard->setText("gauge00=Engines!Oil, 5, 6\ngauge01=Engines!Bad\n");
        main->pasteGauges();
        QCOMPARE(main->gaugeCount(), 2);
        QVERIFY(m_dialogs.lastMessage().startsWith(QStringLiteral("Pasted line 2")));
        undo->undo();

        engines->view()->setSelection({1, 2});
        engines->cutGauges();
        QCOMPARE(lastStep(), QStringLiteral("Cut 2 gauges"));
        QCOMPARE(engines->gaugeCount(), 2);
        undo->undo();

        // Delete and Remove with several selected ask once.
        engines->view()->selectAllGauges();
        m_dialogs.queueQuestionAnswer(false);
        engines->findChild<QAction*>("mnuremove")->trigger();
        QVERIFY(m_dialogs.questions().last().startsWith(
            QStringLiteral("Are you sure to remove these 4 gauges?\nEngines!Rpm\n")));
        m_dialogs.queueQuestionAnswer(true);
        QTest::keyClick(engines->view(), Qt::Key_Delete);
        QCOMPARE(lastStep(), QStringLiteral("Delete 4 gauges"));
        QCOMPARE(engines->gaugeCount(), 0);
        undo->undo();
        QCOMPARE(bytes(), m_opened);
        QVERIFY(m_dialogs.verifyAllAnswersUsed());
    }

    // A click opens the gauge's properties, following a move made meanwhile; OK writes the
    // line as one step, a box FS could not read is refused and the dialog stays.
    void propertiesEditTheWholeLineInOneStep() {
        LaterPanelWindowForm* form = show(0);
        QTest::mouseClick(form->view(), Qt::LeftButton, {}, rectOf(form, 3).center());
        LaterGaugePropertiesDialog* dialog = m_windows->propertiesDialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("gauge03=Engines!Egt"));
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
        QTest::mouseClick(dialog->findChild<QPushButton*>("laterOk"), Qt::LeftButton);
        QCOMPARE(m_document.undoStack()->count(), 2);
        QVERIFY(linesOf(bytes()).contains("gauge03=Engines!Egt, 149, 55, 20, 20, ON"));
        QTRY_VERIFY(m_windows->propertiesDialog() == nullptr);
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

    // Absurd numbers open, draw and edit without harm (the bounds are the layout's).
    void absurdNumbersStayBounded() {
        const std::string bytes = test::crlf(
            "[Window00]|size_mm=0,0|window_size=0,0|window_pos=1e300,-1e300|"
            "gauge00=Engines!Rpm, 1e308, -1e308, 1e308, 1e308|gauge01=Missing!A, nan, inf, -5|"
            "gauge02=Missing!B, 3, 4|[Vcockpit01]|pixel_size=1000000000,1000000000|"
            "gauge00=Missing!C, 1, 1");
        m_document.replaceLaterPanel(PanelLines(bytes), {});
        LaterPanelWindowForm* form = show(0);
        QImage shot(form->view()->size(), QImage::Format_RGB32);
        form->view()->render(&shot);
        form->selectGauge(2);
        QTest::keyClick(form->view(), Qt::Key_Right);
        QVERIFY(linesOf(this->bytes()).contains("gauge02=Missing!B, 4, 4"));
        QVERIFY(show(1)->view()->width() <= 1024);
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

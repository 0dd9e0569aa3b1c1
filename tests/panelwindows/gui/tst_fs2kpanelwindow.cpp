// The panel window of a panel of FS2000 and later on a hand-written fixture: what only this
// format's window does (its pictures and outlines, zoom, previews, properties, following its
// section). What both formats' windows do alike is in tst_panelwindowformats.

#include "guisupport/accessibility.h"
#include "guisupport/userclicks.h"
#include "panelwindows/gui/fs2kwindows.h"

#include "base/core/screensize.h"
#include "drawing/gui/panelrenderer.h"
#include "gaugedialogs/gui/fs2k/addgaugedialog.h"
#include "gaugedialogs/gui/fs2k/addinstrumentdialog.h"
#include "gaugedialogs/gui/fs2k/gaugepropertiesdialog.h"
#include "gaugedialogs/gui/movezoomdialog.h"
#include "gaugedialogs/gui/zoompreview.h"
#include "panelwindows/gui/panelview.h"
#include "panelwindows/gui/screenpreviewdialog.h"
#include "panelwindows/gui/screenpreviewtile.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <algorithm>
#include <memory>

using namespace cockpix;

class TestFs2kPanelWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<Fs2kWindows> f;

    // As the template and the Windows menu do it.
    fs2k::PanelWindowForm* show(std::size_t window) {
        fs2k::PanelWindowForm* form = f->show(window);
        [&] { QVERIFY(form); }();
        return form;
    }
    static QRect rectOf(fs2k::PanelWindowForm* form, int g) {
        return form->gaugePicture(g).geometry;
    }

private slots:
    void init() {
        f = std::make_unique<Fs2kWindows>();
        QVERIFY(f->start());
    }
    void cleanup() {
        QVERIFY2(f->dialogs.errors().isEmpty(), qPrintable(f->dialogs.errors().join("\n")));
        f.reset();
    }

    // Each window shows its colour or bitmap and its gauges, a missing picture as an outline
    // saying why, each gauge a child for screen readers; the command line's render draws each
    // window as it shows, to the pixel. Where they go is the layout's own.
    void placesTheWindowAndItsGauges() {
        fs2k::PanelWindowForm* form = show(0);
        QCOMPARE(form->windowTitle(), QStringLiteral("Engine Gauges"));
        QCOMPARE(form->gaugeCount(), 4);
        QVERIFY(form->gaugePicture(0).hasPicture() && !form->gaugePicture(2).hasPicture());
        QVERIFY(form->gaugePicture(2).toolTip.contains("Missing.gau is not in the panel folder"));
        QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(form->view());
        QCOMPARE(frame->childCount(), 4);
        QCOMPARE(frame->child(2)->text(QAccessible::Name),
                 QStringLiteral("gauge #2 : Missing!Fuel Flow"));

        // The bitmap for the screen's width, not file=.
        fs2k::PanelWindowForm* main = show(1);
        QCOMPARE(main->backgroundPicture().picture.size(), QSize(400, 100));
        for (fs2k::PanelWindowForm* shown : {form, main, show(2)}) {
            shown->selectGauge(-1);
            // The part the scroll area shows: the view stretches its pictures only there.
            const QRect part = shown->view()->visibleRegion().boundingRect();
            QVERIFY(part.width() > 100 && part.height() > 100);
            QCOMPARE(shown->view()->grab(part).toImage().convertToFormat(QImage::Format_RGB32),
                     fs2k::renderWindowScene(shown->scene()).copy(part));
        }
    }

    // Picture > Zoom... (Ctrl+Z as in FS98) zooms this window only, through edits and undo,
    // and is never saved.
    void zoomAndShiftDrawTheWindowLarger() {
        fs2k::PanelWindowForm* form = show(0);
        auto* zoom = form->findChild<QAction*>(QStringLiteral("mnumove"));
        QCOMPARE(zoom->shortcut(), QKeySequence("Ctrl+Z"));
        zoom->trigger();
        MoveZoomDialog* dialog = f->windows->moveZoomDialog();
        QVERIFY(dialog);
        QCOMPARE(unnamedControls(dialog), QStringList());
        const QRect before = rectOf(form, 0);
        dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("2"));
        dialog->findChild<QPushButton*>(QStringLiteral("Command4"))->click();
        QCOMPARE(rectOf(form, 0).size(), before.size() * 2);
        QCOMPARE(f->bytes(), f->opened);
        dragWithKeys(form->view(), rectOf(form, 1).center(), QPoint(20, 10));
        f->document.undo();
        QCOMPARE(rectOf(form, 0).size(), before.size() * 2);
        QCOMPARE(f->app.display.fs2kView(show(1)->viewKey()), fs98::ViewPlacement{});
    }

    // Picture > Preview at screen sizes: one picture a screen, following the edits, going
    // with its window.
    void previewsDrawTheWindowOnEveryScreen() {
        f->app.display.fs2kViews[{fs2k::WindowKind::Window, 1}] = {3, 50, 50};
        fs2k::PanelWindowForm* main = show(1);
        main->findChild<QAction*>(QStringLiteral("mnupreview"))->trigger();
        QPointer<ScreenPreviewDialog> previews = main->findChild<ScreenPreviewDialog*>();
        QVERIFY(previews && previews->isVisible());
        QCOMPARE(unnamedControls(previews), QStringList());
        // Each screen with the bitmap of its width, without the window's zoom.
        const auto& scenes = previews->fs2kScenes();
        QCOMPARE(scenes.size(), kFs98ScreenSizes.size());
        for (std::size_t i = 0; i < scenes.size(); ++i) {
            QCOMPARE(scenes[i].frame.width(), kFs98ScreenSizes[i].width);
            QCOMPARE(pixelRect(scenes[i].layout.rect).size(),
                     scenes[i].frame.width() == 1024 ? QSize(400, 100) : QSize(200, 50));
        }
        const QRect before = pixelRect(previews->fs2kScenes()[2].gauges[0].rect);
        main->selectGauge(0);
        QTest::keyClick(main->view(), Qt::Key_Right, Qt::ShiftModifier);
        QTRY_VERIFY(pixelRect(previews->fs2kScenes()[2].gauges[0].rect).left() > before.left());
        main->close();
        QVERIFY(!previews || !previews->isVisible());
    }

    // Drawn again after each edit, the window reads its bitmap again only when the file
    // changed.
    void theBackgroundIsReadAgainOnlyWhenItsFileChanges() {
        fs2k::PanelWindowForm* form = show(1);
        const qint64 first = form->backgroundPicture().picture.cacheKey();
        form->selectGauge(0);
        QTest::keyClick(form->view(), Qt::Key_Right);
        QCOMPARE(f->document.undoStack()->count(), 1);
        QCOMPARE(form->backgroundPicture().picture.cacheKey(), first);
        QVERIFY(Fs2kWindows::filled({300, 100}, Qt::yellow)
                    .save(f->dir.filePath("main_panel_1024.bmp"), "BMP"));
        QTest::keyClick(form->view(), Qt::Key_Right);
        QCOMPARE(form->backgroundPicture().picture.size(), QSize(300, 100));
    }

    // The status line tells a drag in this format's own words.
    void aDragIsToldInTheFormatsOwnWords() {
        fs2k::PanelWindowForm* form = show(0);
        QSignalSpy status(form, &fs2k::PanelWindowForm::dragStatusChanged);
        dragWithKeys(form->view(), rectOf(form, 1).center(), QPoint(20, 10));
        QVERIFY(std::any_of(status.begin(), status.end(), [](const QList<QVariant>& args) {
            return args.value(0).toString() == QStringLiteral("gauge #1 : x = 70, y = 15");
        }));
        QCOMPARE(f->changedLines(), 1);
    }

    // A drop 2 pixels off gauge 0's left edge lands on it; with Alt it stays off. With the grid
    // on, the window shows it from the window's corner.
    void dragsSnapToGaugesAndToTheGrid() {
        fs2k::PanelWindowForm* form = show(0);
        const QPoint nearGauge0((11 - 150) * 2, 0);
        dragWithKeys(form->view(), rectOf(form, 3).center(), nearGauge0, Qt::AltModifier);
        QVERIFY(f->lines().contains("gauge03=Engines!Egt, 11, 50, 20, 20, ON"));
        f->document.undo();
        dragWithKeys(form->view(), rectOf(form, 3).center(), nearGauge0);
        QVERIFY(f->lines().contains("gauge03=Engines!Egt, 10, 50, 20, 20, ON"));
        QCOMPARE(f->document.undoStack()->count(), 1);
        f->app.snap = {true, 25, false};
        form->refreshSnapping();
        QCOMPARE(form->view()->gridSpacing(), QSizeF(50, 50));
        QCOMPARE(form->view()->gridOrigin(), QPointF(128, 192));
    }

    // Same height, this format's own arrangement, draws a gauge without a height as high as
    // the anchor.
    void sameHeightIsOffered() {
        fs2k::PanelWindowForm* form = show(0);
        form->view()->setSelection({0, 1});
        form->arrangementAction(Arrangement::SameHeight)->trigger();
        QCOMPARE(f->changedLines(), 1);
        QCOMPARE(rectOf(form, 1).height(), rectOf(form, 0).height());
    }

    // Gauges > Remove asks as Delete does; after it the screen reader children follow the
    // renumbered lines.
    void aRemovalRenumbersTheScreenReaderChildren() {
        fs2k::PanelWindowForm* form = show(0);
        form->selectGauge(1);
        f->dialogs.queueQuestionAnswer(true);
        auto* remove = form->findChild<QAction*>("mnuremove");
        QVERIFY(remove);
        remove->trigger();
        QCOMPARE(f->dialogs.questions().value(0),
                 QStringLiteral("Are you sure to remove gauge\nEngines!Oil Pressure ?"));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(form->view())->child(1)->text(QAccessible::Name),
            QStringLiteral("gauge #1 : Missing!Fuel Flow"));
    }

    // Copy puts the lines' own text on the clipboard; a bad pasted line is told after the
    // good ones went in.
    void copyAndAPasteWithABadLine() {
        fs2k::PanelWindowForm* engines = show(0);
        fs2k::PanelWindowForm* main = show(1);
        QClipboard* clipboard = QGuiApplication::clipboard();
        engines->view()->setSelection({3, 0});
        engines->copyGauges();
        QVERIFY(clipboard->text().startsWith(QStringLiteral("gauge00=Engines!Egt, 150, 50")));
        clipboard->setText("gauge00=Engines!Oil, 5, 6\ngauge01=Engines!Bad\n");
        main->pasteGauges();
        QCOMPARE(main->gaugeCount(), 2);
        QVERIFY(f->dialogs.lastMessage().startsWith(QStringLiteral("Pasted line 2")));
    }

    // A click opens the gauge's properties, following a move made meanwhile; OK writes the
    // line as one step, a box FS could not read is refused and the dialog stays.
    void propertiesEditTheWholeLineInOneStep() {
        fs2k::PanelWindowForm* form = show(0);
        QTest::mouseClick(form->view(), Qt::LeftButton, {}, rectOf(form, 3).center());
        fs2k::GaugePropertiesDialog* dialog = f->windows->propertiesDialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("gauge03=Engines!Egt"));
        QCOMPARE(unnamedControls(dialog), QStringList());
        QCOMPARE(unnamedControls(form, {"cockpix::PanelView"}), QStringList());
        QTest::keyClick(form->view(), Qt::Key_Left);
        QCOMPARE(dialog->box("laterX")->text(), QStringLiteral("149"));
        const std::string moved = f->bytes();

        dialog->box("laterY")->setText(QStringLiteral("fifty"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("laterOk"), Qt::LeftButton);
        QCOMPARE(f->dialogs.lastMessage(), QStringLiteral("y must be a number."));
        QVERIFY(dialog->isVisible());
        QCOMPARE(f->bytes(), moved);

        dialog->box("laterY")->setText(QStringLiteral(" 55"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("laterOk"), Qt::LeftButton);
        QCOMPARE(f->document.undoStack()->count(), 2);
        QVERIFY(f->lines().contains("gauge03=Engines!Egt, 149, 55, 20, 20, ON"));
        QTRY_VERIFY(f->windows->propertiesDialog() == nullptr);
    }

    // Go to gauge lists the window's gauges by name; the one picked is selected and its
    // properties open.
    void goToGaugePicksFromTheList() {
        fs2k::PanelWindowForm* form = show(0);
        f->dialogs.queueListChoice(QStringLiteral("gauge #2 : Missing!Fuel Flow"));
        form->findChild<QAction*>("mnugo")->trigger();
        QCOMPARE(f->dialogs.listRequests().value(0).items.size(), 4);
        QCOMPARE(form->selectedGauge(), 2);
        QVERIFY(f->windows->propertiesDialog());
        QCOMPARE(f->windows->propertiesDialog()->line(), form->scene().gauges[2].line);
        // Asked again for the same section, the open window comes to the front.
        QCOMPARE(show(0), form);
    }

    // "Add..." offers the gauges FS would find; the one added is one line and is selected.
    void addOffersTheGaugesFsWouldFind() {
        QVERIFY(QDir(f->dir.path()).mkpath("Dials"));
        QFile xml(f->dir.path() + "/Dials/Clock.xml");
        QVERIFY(xml.open(QIODevice::WriteOnly));
        xml.write("<Gauge Name=\"Clock\" Version=\"1.0\"/>\r\n");
        xml.close();
        fs2k::PanelWindowForm* form = show(0);
        form->findChild<QAction*>("mnuadd")->trigger();
        auto* chooser = form->findChild<fs2k::AddGaugeDialog*>();
        QVERIFY(chooser);
        QVERIFY(chooser->chooseGauge(QStringLiteral("Dials!Clock")));
        chooser->addChosenGauge();
        QVERIFY(f->bytes().find("gauge04=Dials!Clock, 0, 0") != std::string::npos);
        QCOMPARE(f->document.undoStack()->count(), 1);
        QCOMPARE(form->selectedGauge(), 4);
        f->document.undo();
        QCOMPARE(f->bytes(), f->opened);
    }

    // Absurd numbers open, draw and edit without harm (the bounds are the layout's).
    void absurdNumbersStayBounded() {
        const std::string bytes =
            test::crlf(
                "[Window00]|size_mm=0,0|window_size=0,0|window_pos=1e300,-1e300|"
                "gauge00=Engines!Rpm, 1e308, -1e308, 1e308, 1e308|gauge01=Missing!A, nan, inf, -5|"
                "gauge02=Missing!B, 3, 4|[Vcockpit01]|pixel_size=1000000000,1000000000|"
                "gauge00=Missing!C, 1, 1|[VPainting01]|size_mm=0,0") +
            "painting00=../../" + std::string(10000, 'a') + '\0' + ".html, 1, 1, 0, 0\r\n";
        f->document.replacePanel(fs2k::PanelLines(bytes), {});
        // A path of ten thousand characters is cut in the outline, the tooltip and the name.
        const fs2k::SceneGauge& painting = show(2)->scene().gauges.at(0);
        QVERIFY(painting.label.size() < 200 && painting.outline.size() < 200);
        fs2k::PanelWindowForm* form = show(0);
        QImage shot(form->view()->size(), QImage::Format_RGB32);
        form->view()->render(&shot);
        form->selectGauge(2);
        QTest::keyClick(form->view(), Qt::Key_Right);
        QVERIFY(f->lines().contains("gauge02=Missing!B, 4, 4"));
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
        f->document.replacePanel(fs2k::PanelLines(bytes.toStdString()), {});
        f->app.dirs.panelDir = panel.toStdString();
        f->app.dirs.gaugesDir = (demo + "gauges/").toStdString();
        fs2k::PanelWindows windows(f->document, f->app, f->dialogs, f->area.get());
        QStringList missing;
        int shown = 0;
        for (std::size_t w = 0; w < f->document.panel().windows.size(); ++w) {
            fs2k::PanelWindowForm* form = windows.show(w);
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
            f->area->resize(area);
            fs2k::PanelWindowForm* cockpit = show(2);
            const auto* scroll = cockpit->findChild<QScrollArea*>();
            QVERIFY(scroll);
            QCOMPARE(scroll->horizontalScrollBar()->value(), 0);
            QCOMPARE(scroll->verticalScrollBar()->value(), 0);
            if (area.width() > 512)
                QTRY_COMPARE(scroll->viewport()->size(), cockpit->view()->size());
            cockpit->parentWidget()->close();
        }
    }

    // An MSFS virtual cockpit: its texture with each instrument a named outline in size_mm
    // units (one without a place over the whole section, one of a pixel still large enough to
    // take); a drag is one step on its own line; Add writes one htmlgaugeNN= line; a paste
    // keeps the kind, and a [WindowNN] refuses it.
    void msfsInstrumentsAreGaugesLikeAnyOther() {
        f->opened = test::crlf(
            "[VCockpit01]|size_mm=1024,512|pixel_size=512,256|background_color=0,0,40|"
            "htmlgauge00=Navigraph/Sample/MyInstrument.html|"
            "htmlgauge01=Airliners/WTB748/PFD/WTB748_PFD.html?Index=1, 0,0,512,512|"
            "htmlgauge02=WasmInstrument/WasmInstrument.html?wasm_module=sys.wasm&wasm_gauge=logic,"
            " 600,0,1,1||[Window00]|size_mm=100|[VCockpit05]|size_mm=1,1|pixel_size=1,1|"
            "htmlgauge00=Logic/Logic.html, 0, 0, 1, 1");
        f->document.replacePanel(fs2k::PanelLines(f->opened),
                                 f->dir.filePath("panel.cfg").toStdString());
        QFile(f->dir.filePath("sys.wasm")).open(QIODevice::WriteOnly);
        fs2k::PanelWindowForm* form = show(0);
        QCOMPARE(form->view()->size(), QSize(512, 256));
        QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(form->view());
        QCOMPARE(frame->childCount(), 3);
        QCOMPARE(frame->child(1)->text(QAccessible::Name),
                 QStringLiteral("htmlgauge #1 : Airliners/WTB748/PFD/WTB748_PFD.html?Index=1"));
        QCOMPARE(form->scene().gauges[1].outline, QStringLiteral("WTB748_PFD"));
        QCOMPARE(form->scene().gauges[2].outline, QStringLiteral("logic (sys.wasm)"));
        QCOMPARE(rectOf(form, 0), QRect(0, 0, 512, 256));
        QCOMPARE(rectOf(form, 1), QRect(0, 0, 256, 256));
        QCOMPARE(rectOf(form, 2), QRect(300, 0, 8, 8));
        QVERIFY(form->gaugePicture(0).toolTip.endsWith("(no place given: covers the section)"));
        // A logic instrument on a texture of one pixel can still be seen and taken.
        QCOMPARE(show(2)->view()->size(), QSize(32, 32));
        QCOMPARE(rectOf(show(2), 0), QRect(0, 0, 8, 8));

        QSignalSpy status(form, &fs2k::PanelWindowForm::dragStatusChanged);
        dragWithKeys(form->view(), QPoint(128, 200), QPoint(10, 0));
        QVERIFY(std::any_of(status.begin(), status.end(), [](const QList<QVariant>& args) {
            return args.value(0).toString() == QStringLiteral("htmlgauge #1 : x = 20, y = 0");
        }));
        QCOMPARE(f->document.undoStack()->count(), 1);
        QCOMPARE(f->changedLines(), 1);
        f->document.undo();

        f->windows->openProperties(form, 1);
        fs2k::GaugePropertiesDialog* properties = f->windows->propertiesDialog();
        QCOMPARE(properties->box("laterPath")->text(),
                 QStringLiteral("Airliners/WTB748/PFD/WTB748_PFD.html"));
        properties->box("laterQuery")->setText(QStringLiteral("Index=2"));
        properties->accept();
        QVERIFY(f->lines().contains(
            "htmlgauge01=Airliners/WTB748/PFD/WTB748_PFD.html?Index=2, 0, 0, 512, 512"));
        QCOMPARE(f->changedLines(), 1);
        f->document.undo();

        form->findChild<QAction*>("mnuadd")->trigger();
        auto* chooser = form->findChild<fs2k::AddInstrumentDialog*>();
        QVERIFY(chooser);
        QCOMPARE(unnamedControls(chooser), QStringList());
        const QString wasm("WasmInstrument/WasmInstrument.html?wasm_module=sys.wasm&wasm_gauge=");
        QVERIFY(chooser->chooseInstrument(wasm));
        chooser->findChild<QLineEdit*>("laterPath")->insert(QStringLiteral("fuel"));
        chooser->addInstrument();
        QVERIFY(f->lines().contains("htmlgauge03=" + wasm + "fuel, 0, 0, 1024, 512"));
        QCOMPARE(f->document.undoStack()->count(), 1);
        f->document.undo();
        QCOMPARE(f->bytes(), f->opened);

        form->view()->setSelection({2});
        form->copyGauges();
        form->pasteGauges();
        QCOMPARE(form->gaugeCount(), 4);
        QVERIFY(f->lines().contains("htmlgauge03=" + wasm + "logic, 610,10,1,1"));
        show(1)->pasteGauges();
        QCOMPARE(f->dialogs.lastMessage(),
                 QStringLiteral("[Window00] cannot hold htmlgauge lines: MSFS reads them in "
                                "[VCockpitNN] sections only.\nPaste cancelled."));
        QCOMPARE(f->document.undoStack()->count(), 1);
    }

    // An instrument without a place covers its section, but the instruments it lies over, even
    // listed before it, still take the click; where there is none, it takes it.
    void anInstrumentCoveringTheSectionLeavesTheOthersTheirClicks() {
        f->opened = test::crlf("[VCockpit01]|size_mm=512,256|pixel_size=512,256|"
                               "htmlgauge00=Own/PFD/PFD.html, 0, 0, 100, 100|"
                               "htmlgauge01=Own/Logic/Logic.html");
        f->document.replacePanel(fs2k::PanelLines(f->opened),
                                 f->dir.filePath("panel.cfg").toStdString());
        fs2k::PanelWindowForm* form = show(0);
        QTest::mouseClick(form->view(), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(form->selectedGauge(), 0);
        QTest::mouseClick(form->view(), Qt::LeftButton, {}, QPoint(300, 200));
        QCOMPARE(form->selectedGauge(), 1);
    }

    // The window follows its section when one before it goes, and closes when its own does.
    void followsItsSectionAndClosesWithIt() {
        fs2k::PanelWindowForm* cockpit = show(2);
        QPointer<fs2k::PanelWindowForm> main = show(1);
        f->document.removeWindow(f->document.panel().windows.at(0).section);
        QCOMPARE(cockpit->windowIndex(), std::size_t(1));
        QCOMPARE(main->windowIndex(), std::size_t(0));
        f->document.removeWindow(f->document.panel().windows.at(0).section);
        QTRY_VERIFY(main.isNull() || !main->isVisible());
        f->document.undo();
        QCOMPARE(cockpit->windowIndex(), std::size_t(1));
        f->document.undo();
        QCOMPARE(cockpit->windowIndex(), std::size_t(2));
    }
};

QTEST_MAIN(TestFs2kPanelWindow)
#include "tst_fs2kpanelwindow.moc"

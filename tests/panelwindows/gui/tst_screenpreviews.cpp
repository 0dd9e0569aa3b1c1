// "Pre&view at screen sizes..." of a panel window on the demo installation: one picture per
// FS98 screen, laid out exactly as a panel window on that screen would be, without touching
// the open windows' layout data or writing files, following the panel's edits.

#include "guisupport/accessibility.h"
#include "guisupport/testprogram.h"
#include "panelwindows/gui/gaugewindows.h"

#include "base/core/screensize.h"
#include "drawing/core/fs98/layout.h"
#include "drawing/gui/panelrenderer.h"
#include "drawing/gui/screenscenes.h"
#include "panelwindows/gui/screenpreviewdialog.h"
#include "panelwindows/gui/screenpreviewtile.h"

#include <QAction>
#include <QDateTime>
#include <QDirIterator>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTest>

#include <cstring>
#include <memory>

using namespace cockpix;

namespace {

// Every file under dir with its size and time, to see that nothing was written.
QStringList filesUnder(const QString& dir) {
    QStringList files;
    QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        files << file.filePath() + " " + QString::number(file.size()) + " " +
                     QString::number(file.lastModified().toMSecsSinceEpoch());
    }
    files.sort();
    return files;
}

} // namespace

class TestScreenPreviews : public QObject {
    Q_OBJECT

    std::unique_ptr<GaugeWindows> f;
    int m_w = 0;

    fs98::PanelWindowForm* newWindow() { return f->show(m_w); }
    ScreenPreviewDialog* openPreviews(fs98::PanelWindowForm* form) {
        auto* item = form->findChild<QAction*>(QStringLiteral("mnupreview"));
        if (item == nullptr || !form->childMenus().first()->actions().contains(item))
            return nullptr;
        item->trigger();
        return form->findChild<ScreenPreviewDialog*>();
    }

private slots:
    void init() {
        f = std::make_unique<GaugeWindows>();
        QVERIFY2(f->start(), "the demo installation was not generated into the build");
        m_w = DemoPanel::biggestWindow(f->document.panel());
    }
    void cleanup() {
        QVERIFY2(f->dialogs.errors().isEmpty(), qPrintable(f->dialogs.errors().join("\n")));
        f.reset();
    }

    void everyScreenIsLaidOutAsAPanelWindowThere() {
        // The zoom and shift of the move/zoom dialog are the panel window's display only.
        f->app.display.window(m_w).windowZoom = 2;
        f->app.display.window(m_w).windowShiftX = 40;
        f->app.display.window(m_w).windowShiftY = -30;
        fs98::PanelWindowForm* form = newWindow();
        const fs98::PanelDisplay before = f->app.display;
        const QStringList filesBefore = filesUnder(f->demo->root());
        const int messagesBefore = f->dialogs.messages().size();

        ScreenPreviewDialog* previews = openPreviews(form);
        QVERIFY(previews != nullptr);
        QVERIFY(previews->isVisible() && !previews->isModal());
        QCOMPARE(int(previews->scenes().size()), int(kFs98ScreenSizes.size()));
        for (std::size_t i = 0; i < kFs98ScreenSizes.size(); ++i) {
            const ScreenSize screen = kFs98ScreenSizes[i];
            const PanelScene& shown = previews->scenes()[i];
            QCOMPARE(shown.frame, QSize(screen.width, screen.height));
            QCOMPARE(previews->tile(int(i))->picture().size(), shown.frame);
            // What FS98 shows there: a panel window loaded for that screen at zoom 1 without
            // shift, to the last digit.
            auto own = std::make_unique<AppModel>(f->app);
            own->display.window(m_w).windowZoom = 1;
            own->display.window(m_w).windowShiftX = 0;
            own->display.window(m_w).windowShiftY = 0;
            const PanelScene expected = loadPanelScene(f->document.panel(), *own, m_w, shown.frame);
            QCOMPARE(previews->tile(int(i))->picture(), renderPanelScene(expected));
        }
        // The panel window's layout data are its own; the files are as the load left them;
        // nothing was said in a message box.
        QVERIFY(f->app.display == before);
        QCOMPARE(filesUnder(f->demo->root()), filesBefore);
        QCOMPARE(f->dialogs.messages().size(), messagesBefore);

        // The panel windows' own screen (COCKPIX_SCREEN in the tests) is pointed out.
        auto* ownCaption = previews->findChild<QLabel*>(QStringLiteral("Caption_1024x768"));
        QVERIFY(ownCaption && ownCaption->text().contains("the panel windows' screen"));
        QCOMPARE(unnamedControls(previews), QStringList());
    }

    void theyFollowTheEditsOfTheirWindow() {
        fs98::PanelWindowForm* form = newWindow();
        ScreenPreviewDialog* previews = openPreviews(form);
        QVERIFY(previews != nullptr);
        const fs98::Gauge gauge = f->document.panel().gauge(m_w, 0);
        const double before = previews->scenes()[1].gauges[0].rect.left;
        f->document.moveGauge(m_w, 0, gauge.gaugeX + 100, gauge.gaugeY);
        QTRY_VERIFY(previews->scenes()[1].gauges[0].rect.left > before + 10);
        f->document.undo();
        QTRY_COMPARE(previews->scenes()[1].gauges[0].rect.left, before);

        // Another window's edit is not this preview's business, and a panel without the
        // window leaves the tiles empty with a word why.
        f->document.replacePanel(fs98::Panel{}, {});
        QTRY_VERIFY(previews->scenes().empty());
        QCOMPARE(previews->notes(), QString("The panel has no window %1 any more.").arg(m_w));
        QVERIFY(previews->tile(0)->picture().isNull());
    }

    // Asking again brings the open preview forward, drawn afresh, instead of a second one
    // that would redraw after every edit too; once closed, the next asking opens a new one.
    void aPanelWindowHasOnePreviewAtATime() {
        fs98::PanelWindowForm* form = newWindow();
        ScreenPreviewDialog* first = openPreviews(form);
        QVERIFY(first != nullptr);
        f->app.options.frameAroundGauges = !f->app.options.frameAroundGauges;
        const QImage before = first->tile(2)->picture();
        form->findChild<QAction*>(QStringLiteral("mnupreview"))->trigger();
        QCOMPARE(form->findChildren<ScreenPreviewDialog*>().size(), 1);
        QVERIFY(first->isVisible());
        QVERIFY(first->tile(2)->picture() != before);

        QPointer<ScreenPreviewDialog> closed = first;
        first->close();
        form->findChild<QAction*>(QStringLiteral("mnupreview"))->trigger();
        QTRY_VERIFY(closed.isNull());
        const auto open = form->findChildren<ScreenPreviewDialog*>();
        QCOMPARE(open.size(), 1);
        QVERIFY(open.first()->isVisible());

        // Closing the panel window closes its preview there and then.
        f->area->subWindowList().constLast()->close();
        QVERIFY(!open.first()->isVisible());
    }

    // A picture too big for the small screens is said so under those screens; what the load
    // had to say stays in the preview instead of message boxes.
    void bigPicturesAndWarningsAreShownInThePreview() {
        fs98::Panel big = f->document.panel();
        big.window(m_w).windowSizeRatio = 3;
        f->document.replacePanel(big, {});
        fs98::PanelWindowForm* form = newWindow();
        const QString background = QString::fromStdString(
            f->app.dirs.panelDir + f->document.panel().window(m_w).windowBitmap + ".bmp");
        QVERIFY(QFile::remove(background));
        const int messagesBefore = f->dialogs.messages().size();

        ScreenPreviewDialog* previews = openPreviews(form);
        QVERIFY(previews != nullptr);
        QCOMPARE(f->dialogs.messages().size(), messagesBefore);
        QVERIFY2(previews->notes().contains("Can not find the background picture"),
                 qPrintable(previews->notes()));
        // Replaced as the panel window replaces it, under the name panel.cfg gives.
        QVERIFY(QFileInfo::exists(background));
        QVERIFY(backgroundOutsideFrame(previews->scenes().front()));
        auto* small = previews->findChild<QLabel*>(QStringLiteral("Caption_640x480"));
        QVERIFY(small && small->text().contains("runs off the screen"));
    }
};

COCKPIX_TEST_CLASS(TestScreenPreviews)
#include "tst_screenpreviews.moc"

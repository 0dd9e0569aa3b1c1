// The panel window on the demo installation: where its images land, what it says when a
// module or a background is missing, its menus and its blinker.

#include "gauges/gui/demopanel.h"
#include "guisupport/scripteddialogs.h"

#include "gauges/core/gaugeextraction.h"
#include "gauges/core/panellayout.h"
#include "gauges/gui/gaugeimage.h"
#include "gauges/gui/panelrenderer.h"
#include "gauges/gui/panelwindow.h"
#include "gauges/gui/panelwindowregistry.h"
#include "gauges/gui/progresswindow.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace cockpix;

class TestPanelWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void placesBackgroundAndGaugesByTheLayout();
    void showsTheCaptionAndTooltipsOfTheModel();
    void aMissingModuleIsDrawnFromTheDefaultBitmap();
    void aMissingBackgroundIsReplacedInThePanelDirectory();
    void aBrokenDefaultBackgroundLeavesTheWindowWithoutOne();
    void menusFollowTheGaugeCount();
    void menuShortcutsOnlyActInTheirWindow();
    void colourCommandsRecolourTheCurrentWindow();
    void clickingAGaugeSelectsIt();
    void blinkerTogglesTheCurrentGaugeOfTheCurrentWindow();
    void blinkerTimerFollowsTheModel();
    void closeRemovesTheWindowFromTheArea();
    void progressWindowClampsItsBar();

private:
    PanelWindowForm* newWindow(int w);
    QAction* action(PanelWindowForm* form, const char* name);

    std::unique_ptr<DemoPanel> m_demo;
    PanelModel m_model;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<QMdiArea> m_area;
    PanelWindowRegistry m_registry;
};

void TestPanelWindow::init() {
    m_demo = std::make_unique<DemoPanel>();
    QVERIFY2(m_demo->isValid(), "the demo installation was not generated into the build");
    QVERIFY(m_demo->open(m_model));
    m_dialogs.clear();
    m_area = std::make_unique<QMdiArea>();
    m_area->resize(1100, 900);
    m_area->show();
    m_registry = PanelWindowRegistry();
}

void TestPanelWindow::cleanup() {
    m_area.reset();
    QVERIFY2(m_dialogs.errors().isEmpty(), qPrintable(m_dialogs.errors().join("\n")));
}

// As the view command does it: a new window in the area, newest in panelForms.
PanelWindowForm* TestPanelWindow::newWindow(int w) {
    m_model.currentWindow = w;
    auto* form = new PanelWindowForm(m_model, m_dialogs, w);
    form->setRegistry(&m_registry);
    m_registry.set(w, form);
    QMdiSubWindow* sub = m_area->addSubWindow(form);
    form->load();
    sub->show();
    return form;
}

QAction* TestPanelWindow::action(PanelWindowForm* form, const char* name) {
    return form->findChild<QAction*>(QString::fromLatin1(name));
}

void TestPanelWindow::placesBackgroundAndGaugesByTheLayout() {
    const int w = DemoPanel::biggestWindow(m_model);
    const int n = m_model.window(w).gaugeCount;
    QVERIFY(n > 3);
    PanelWindowForm* form = newWindow(w);

    // The frame stands for the 1024 x 768 screen the tests run with.
    QCOMPARE(form->frameWidget()->size(), QSize(1024, 768));
    QCOMPARE(m_model.screenWidthPx, 1024.0);
    QCOMPARE(m_model.frameRatioY, (768.0 - 43) / 768);

    auto* background = form->findChild<GaugeImage*>("Image1");
    QVERIFY(background && background->isVisible() && background->hasPicture());
    QCOMPARE(background->geometry(), pixelRect(backgroundRect(m_model, w)));
    QVERIFY(!m_dialogs.messages().join("\n").contains("background picture"));
    QVERIFY(background->width() > 100);

    for (int i = 0; i < kGaugeSlots; ++i) {
        auto* image = form->findChild<GaugeImage*>(QStringLiteral("Image2_%1").arg(i));
        QVERIFY(image);
        if (i >= n) {
            QVERIFY2(!image->isVisible() && !image->hasPicture(), qPrintable(image->objectName()));
            continue;
        }
        QVERIFY(image->isVisible() && image->hasPicture());
        QCOMPARE(image->geometry(), pixelRect(gaugeRect(m_model, w, i)));
        // Whatever the rounding, the image is within a pixel of the layout's real numbers.
        const RectF exact = gaugeRect(m_model, w, i);
        QVERIFY(qAbs(image->x() - exact.left) <= 1 && qAbs(image->width() - exact.width) <= 1);
        QVERIFY(qAbs(image->height() - exact.height) <= 1);
        // The height follows the bitmap's aspect, the width the gauge's size.
        QCOMPARE(m_model.gauge(w, i).gaugeAspect,
                 double(image->picture().height()) / image->picture().width());
        QCOMPARE(image->isFramed(), m_model.options.frameAroundGauges);
        // Every gauge lies on the panel picture.
        QVERIFY2(background->geometry().adjusted(-1, -1, 1, 1).contains(image->geometry()),
                 qPrintable(image->objectName()));
    }
    // The background comes first, so the gauges lie on top of it.
    QVERIFY(form->frameWidget()->children().indexOf(background) <
            form->frameWidget()->children().indexOf(form->gaugeImage(0)));
}

void TestPanelWindow::showsTheCaptionAndTooltipsOfTheModel() {
    m_model.window(0).windowTitle = "Main panel \xE9"; // Windows-1252 e acute
    m_model.window(0).windowPosition = 7;
    PanelWindowForm* form = newWindow(0);
    QVERIFY(form->windowTitle().startsWith(QStringLiteral("Window 0: Main panel \u00E9 - Zoom :")));
    QVERIFY(form->windowTitle().contains(" - Position: 7 - size ratio:"));
    QCOMPARE(form->gaugeImage(0)->toolTip(),
             QStringLiteral("gauge #0 : ") + QString::fromStdString(m_model.gauge(0, 0).gaugeName));
    QCOMPARE(form->gaugeImage(1)->toolTip(), QString::fromStdString(gaugeTooltip(m_model, 0, 1)));
}

void TestPanelWindow::aMissingModuleIsDrawnFromTheDefaultBitmap() {
    m_model.gauge(0, 1).gaugeName = "no_such.module";
    PanelWindowForm* form = newWindow(0);
    const QString module = m_demo->gaugesDir() + "no_such.module.gau";
    QVERIFY(m_dialogs.messages().contains("WARNING !\nCan not find gauge # 1, named : [" + module +
                                          "].\nCockPix will now create a default gauge bitmap.\n"
                                          "This gauge will not be shown in FS98."));
    const QImage fallback(DemoPanel::programDir() + kDefaultGaugeBitmapName);
    QVERIFY(!fallback.isNull());
    QCOMPARE(form->gaugeImage(1)->picture().size(), fallback.size());
    QVERIFY(form->gaugeImage(1)->isVisible());
    QVERIFY(QFileInfo::exists(m_demo->gaugesDir() + "bmp/no_such.module.bmp"));
    // The other gauges are drawn from their own modules.
    QVERIFY(form->gaugeImage(0)->picture().size() != fallback.size());
}

void TestPanelWindow::aMissingBackgroundIsReplacedInThePanelDirectory() {
    m_model.window(0).windowBitmap = "gone_panel";
    PanelWindowForm* form = newWindow(0);
    const QString path = m_demo->panelDir() + "gone_panel.bmp";
    QCOMPARE(m_dialogs.messages().value(0),
             "WARNING !\nCan not find the background picture named : [" + path +
                 "].\nCockPix will now create a default background picture.");
    QFile written(path), original(DemoPanel::programDir() + kDefaultBackgroundBitmapName);
    QVERIFY(written.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), original.readAll());
    QVERIFY(form->backgroundImage()->isVisible());
    QCOMPARE(form->backgroundImage()->picture().size(), QImage(path).size());

    // The next load finds the copy and says nothing.
    m_dialogs.clear();
    newWindow(0);
    QVERIFY(!m_dialogs.messages().join("\n").contains("background"));
}

void TestPanelWindow::aBrokenDefaultBackgroundLeavesTheWindowWithoutOne() {
    // The default background is "copied" over a directory that cannot be read as a
    // bitmap: one more try, then the window shows its gauges without a background.
    m_model.window(0).windowBitmap = "gone_panel";
    m_model.dirs.programDir = (m_demo->root() + "/no_program_dir/").toStdString();
    PanelWindowForm* form = newWindow(0);
    QVERIFY(!m_dialogs.messages().isEmpty());
    QVERIFY(!form->backgroundImage()->isVisible());
    QCOMPARE(form->windowTitle(), QString::fromStdString(panelWindowCaption(m_model, 0)));
}

void TestPanelWindow::menusFollowTheGaugeCount() {
    m_model.window(0).gaugeCount = 0;
    PanelWindowForm* empty = newWindow(0);
    QVERIFY(action(empty, "mnuadd")->isEnabled());
    QVERIFY(!action(empty, "mnugo")->isEnabled());
    QVERIFY(empty->backgroundImage()->isVisible());
    for (int i = 0; i < kGaugeSlots; ++i)
        QVERIFY(!empty->gaugeImage(i)->isVisible());

    // 64 copies of the first gauge in a grid.
    PanelWindow& window = m_model.window(0);
    window.gaugeCount = 1;
    for (int i = 1; i < kGaugeSlots; ++i) {
        window.gauges[i] = window.gauges[0];
        window.gauges[i].gaugeX = (i % 8) * 60;
        window.gauges[i].gaugeY = (i / 8) * 40;
    }
    window.gaugeCount = kGaugeSlots;
    PanelWindowForm* full = newWindow(0);
    QVERIFY(!action(full, "mnuadd")->isEnabled());
    QVERIFY(action(full, "mnugo")->isEnabled());
    QVERIFY(full->gaugeImage(63)->isVisible());
    QCOMPARE(full->gaugeImage(63)->toolTip(),
             QStringLiteral("gauge #63 : ") +
                 QString::fromStdString(m_model.gauge(0, 63).gaugeName));

    const QList<QMenu*> menus = full->childMenus();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[0]->objectName(), QStringLiteral("mnu_Picture"));
    QCOMPARE(menus[0]->title(), QStringLiteral("&Picture"));
    QCOMPARE(menus[1]->objectName(), QStringLiteral("mnugauge"));
    QStringList items;
    for (QAction* item : menus[0]->actions())
        items << (item->isSeparator() ? "-" : item->text() + " " + item->shortcut().toString());
    QCOMPARE(items, QStringList({"&Zoom... Ctrl+Z", "-", "&Background color... Ctrl+B",
                                 "&Reset to black Ctrl+R", "-", "&Close Ctrl+C"}));
}

void TestPanelWindow::menuShortcutsOnlyActInTheirWindow() {
    PanelWindowForm* first = newWindow(0);
    PanelWindowForm* second = newWindow(1);
    for (QAction* item : first->actions())
        QCOMPARE(item->shortcutContext(), Qt::WidgetWithChildrenShortcut);
    QSignalSpy firstZoom(first, &PanelWindowForm::zoomRequested);
    QSignalSpy secondZoom(second, &PanelWindowForm::zoomRequested);
    m_area->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_area.get()));
    m_area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(second->parentWidget()));
    second->setFocus();
    QTest::keyClick(second, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(secondZoom.count(), 1);
    QCOMPARE(firstZoom.count(), 0);
}

void TestPanelWindow::colourCommandsRecolourTheCurrentWindow() {
    PanelWindowForm* first = newWindow(0);
    PanelWindowForm* current = newWindow(1);
    QCOMPARE(current->backColor(), QColor(Qt::black));

    // The menu of the first window recolours the current window (1), not itself.
    m_dialogs.queueColor(QColor(10, 20, 30));
    action(first, "mnucolors")->trigger();
    QCOMPARE(m_model.panelBackColor, ColorRef(0x1E140A));
    QCOMPARE(current->backColor(), QColor(10, 20, 30));
    QCOMPARE(first->backColor(), QColor(Qt::black));
    QCOMPARE(m_dialogs.colorRequests().value(0), QColor(Qt::black));

    // Cancel applies the colour the chooser started from.
    m_dialogs.queueColor(std::nullopt);
    action(first, "mnucolors")->trigger();
    QCOMPARE(m_model.panelBackColor, ColorRef(0x1E140A));
    QCOMPARE(m_dialogs.colorRequests().value(1), QColor(10, 20, 30));

    // A window loaded later takes the colour; "&Reset to black" makes it black again.
    PanelWindowForm* later = newWindow(2);
    QCOMPARE(later->backColor(), QColor(10, 20, 30));
    action(first, "mnublack")->trigger();
    QCOMPARE(m_model.panelBackColor, ColorRef(0));
    QCOMPARE(later->backColor(), QColor(Qt::black));
    QCOMPARE(current->backColor(), QColor(10, 20, 30));
}

void TestPanelWindow::clickingAGaugeSelectsIt() {
    PanelWindowForm* form = newWindow(0);
    QSignalSpy clicked(form, &PanelWindowForm::gaugeClicked);
    QSignalSpy closeDialog(form, &PanelWindowForm::closeGaugeDialogRequested);
    QTest::mouseClick(form->gaugeImage(2), Qt::LeftButton);
    QCOMPARE(m_model.currentGauge, 2);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), 2);
    QCOMPARE(closeDialog.count(), 1);
    QTest::mouseClick(form->backgroundImage(), Qt::LeftButton);
    QCOMPARE(m_model.currentGauge, 2);
}

void TestPanelWindow::blinkerTogglesTheCurrentGaugeOfTheCurrentWindow() {
    PanelWindowForm* older = newWindow(0);
    PanelWindowForm* newer = newWindow(0);
    m_model.currentWindow = 0;
    m_model.blinkState = 1;
    m_model.currentGauge = -1;

    // A tick of any panel window acts on the newest window of the current slot.
    older->blinkTick();
    QCOMPARE(m_model.currentGauge, 0);
    QVERIFY(!newer->gaugeImage(0)->isVisible());
    QVERIFY(older->gaugeImage(0)->isVisible());
    newer->blinkTick();
    QVERIFY(newer->gaugeImage(0)->isVisible());

    // Off: nothing moves.
    m_model.blinkState = 0;
    newer->blinkTick();
    QVERIFY(newer->gaugeImage(0)->isVisible());

    // A gauge the window does not have is left alone, and so is a closed window.
    m_model.blinkState = 1;
    m_model.currentGauge = m_model.window(0).gaugeCount;
    newer->blinkTick();
    for (int i = 0; i < m_model.window(0).gaugeCount; ++i)
        QVERIFY(newer->gaugeImage(i)->isVisible());
    m_model.currentGauge = 0;
    delete newer->parentWidget();
    older->blinkTick();
    QVERIFY(older->gaugeImage(0)->isVisible());
}

void TestPanelWindow::blinkerTimerFollowsTheModel() {
    PanelWindowForm* form = newWindow(0);
    auto* timer = form->findChild<QTimer*>("Timer1");
    QVERIFY(timer && timer->isActive());
    QCOMPARE(m_model.blinkInterval, 1.0);
    QCOMPARE(timer->interval(), 50); // idle: only looks whether the blinker was switched on

    // Switched on later (as the gauge dialog does), the timer notices without help.
    m_model.blinkState = 1;
    m_model.currentGauge = -1;
    QTRY_COMPARE(m_model.currentGauge, 0);
    QTRY_COMPARE(timer->interval(), 1);
    m_model.blinkInterval = 200;
    form->refreshBlinker();
    QCOMPARE(timer->interval(), 200);
    m_model.blinkState = 0;
    QTRY_COMPARE(timer->interval(), 50);
}

void TestPanelWindow::closeRemovesTheWindowFromTheArea() {
    PanelWindowForm* form = newWindow(0);
    QSignalSpy closeDialog(form, &PanelWindowForm::closeGaugeDialogRequested);
    QCOMPARE(m_area->subWindowList().size(), 1);
    action(form, "mnuclose")->trigger();
    QCOMPARE(closeDialog.count(), 1);
    QTRY_COMPARE(m_area->subWindowList().size(), 0);
    QTRY_VERIFY(m_registry.at(0) == nullptr);
}

void TestPanelWindow::progressWindowClampsItsBar() {
    ProgressWindow progress;
    QCOMPARE(progress.objectName(), QStringLiteral("Form10"));
    progress.setProgress("Please wait, processing gauge # 0 /  1", 50);
    QVERIFY(progress.isVisible());
    QCOMPARE(progress.windowTitle(), QStringLiteral("Please wait, processing gauge # 0 /  1"));
    QCOMPARE(progress.value(), 50);
    progress.setProgress("x", 250);
    QCOMPARE(progress.value(), 100);
    progress.setProgress("x", -3);
    QCOMPARE(progress.value(), 0);
}

QTEST_MAIN(TestPanelWindow)
#include "tst_panelwindow.moc"

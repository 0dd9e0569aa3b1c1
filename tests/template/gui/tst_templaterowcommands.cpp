// The template row buttons that open a panel window and measure its background, on a copy
// of the demo installation.

#include "gauges/gui/demopanel.h"
#include "guisupport/scripteddialogs.h"

#include "app/core/settings.h"
#include "app/gui/mainwindow.h"
#include "gauges/gui/gaugeimage.h"
#include "gauges/gui/panelwindow.h"
#include "template/gui/templaterowcommands.h"
#include "template/gui/templatewindow.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace cockpix;

class TestTemplateRowCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void viewOpensANewWindowEachTime();
    void viewNeedsTheGaugesDirectory();
    void viewOfARowWithoutBitmapSaysEmptyWindow();
    void autoSizeWritesTheBitmapWidthIntoTheSizeBox();
    void autoRatioWritesTheScreenShareIntoTheRatioBox();
    void autoButtonsNameAMissingBitmap();
    void theMainWindowShowsPanelWindowsWithTheirMenus();

private:
    QPushButton* button(const QString& name) const;
    QLineEdit* box(const QString& name) const;
    QList<PanelWindowForm*> panelWindows() const;

    std::unique_ptr<DemoPanel> m_demo;
    PanelModel m_model;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<QMdiArea> m_area;
    TemplateWindow* m_template = nullptr;
    TemplateRowCommands* m_commands = nullptr;
};

void TestTemplateRowCommands::init() {
    m_demo = std::make_unique<DemoPanel>();
    QVERIFY2(m_demo->isValid(), "the demo installation was not generated into the build");
    QVERIFY(m_demo->open(m_model));
    m_dialogs.clear();
    m_area = std::make_unique<QMdiArea>();
    m_template = new TemplateWindow(m_model, m_dialogs);
    m_area->addSubWindow(m_template)->show();
    m_template->fillFromModel();
    m_dialogs.clear(); // what filling the table had to say is not these tests' business
    m_commands = new TemplateRowCommands(m_model, m_dialogs, m_area.get(), m_area.get());
    m_commands->attach(m_template);
    connect(m_template, &TemplateWindow::viewWindowRequested, m_commands,
            &TemplateRowCommands::viewWindow);
    m_area->resize(1200, 900);
    m_area->show();
}

void TestTemplateRowCommands::cleanup() {
    m_area.reset();
    QVERIFY2(m_dialogs.errors().isEmpty(), qPrintable(m_dialogs.errors().join("\n")));
}

QPushButton* TestTemplateRowCommands::button(const QString& name) const {
    auto* found = m_template->findChild<QPushButton*>(name);
    if (!found)
        qWarning("no button %s", qPrintable(name));
    return found;
}

QLineEdit* TestTemplateRowCommands::box(const QString& name) const {
    return m_template->findChild<QLineEdit*>(name);
}

QList<PanelWindowForm*> TestTemplateRowCommands::panelWindows() const {
    QList<PanelWindowForm*> forms;
    for (QMdiSubWindow* sub : m_area->subWindowList()) {
        if (auto* form = qobject_cast<PanelWindowForm*>(sub->widget()))
            forms << form;
    }
    return forms;
}

void TestTemplateRowCommands::viewOpensANewWindowEachTime() {
    m_model.outsideViewScale = 2.5;
    m_area->resize(700, 500); // smaller than the 1024 x 768 screen
    QTest::mouseClick(button("Command1_1"), Qt::LeftButton);
    QCOMPARE(panelWindows().size(), 1);
    PanelWindowForm* first = panelWindows().value(0);
    QCOMPARE(first->windowSlot(), 1);
    QCOMPARE(m_model.currentWindow, 1);
    QCOMPARE(m_model.outsideViewScale, 0.0);
    QCOMPARE(m_commands->panelForms().at(1), first);
    QCOMPARE(qobject_cast<PanelWindowForm*>(m_area->activeSubWindow()->widget()), first);
    QVERIFY(first->isVisible());
    QVERIFY(first->windowTitle().startsWith("Window 1: Radio stack"));
    // The frame is as large as the screen; the window fits the area and shows the panel
    // picture (at the right edge of the screen: position 5).
    QCOMPARE(first->frameWidget()->size(), QSize(1024, 768));
    QVERIFY(m_area->viewport()->rect().contains(first->parentWidget()->geometry()));
    const QRect picture(first->backgroundImage()->mapTo(first, QPoint(0, 0)),
                        first->backgroundImage()->size());
    QVERIFY(picture.left() > 0);
    QVERIFY2(first->rect().intersects(picture),
             qPrintable(QString("%1,%2").arg(picture.x()).arg(picture.y())));

    // Pressed again: a second window beside the first, and panelForms names the new one.
    QTest::mouseClick(button("Command1_1"), Qt::LeftButton);
    QCOMPARE(panelWindows().size(), 2);
    QVERIFY(m_commands->panelForms().at(1) != first);
    QVERIFY(panelWindows().contains(m_commands->panelForms().at(1)));
    QVERIFY(m_dialogs.messages().isEmpty());
}

void TestTemplateRowCommands::viewNeedsTheGaugesDirectory() {
    QFile::rename(m_demo->gaugesDir() + "CESSNA_182.AIRSPEED.GAU",
                  m_demo->gaugesDir() + "cessna_182.airspeed.gau");
    QTest::mouseClick(button("Command1_0"), Qt::LeftButton);
    QCOMPARE(panelWindows().size(), 1); // found whatever its case
    m_dialogs.clear();

    QFile::remove(m_demo->gaugesDir() + "cessna_182.airspeed.gau");
    m_model.currentWindow = 3;
    QTest::mouseClick(button("Command1_0"), Qt::LeftButton);
    QCOMPARE(m_dialogs.messages(), QStringList({"Your current gauges directory seems to be wrong.\n"
                                                "Please set the gauges directory path before "
                                                "continuing."}));
    QCOMPARE(panelWindows().size(), 1);
    QCOMPARE(m_model.currentWindow, 3);

    m_model.dirs.gaugesDir.clear();
    QTest::mouseClick(button("Command1_0"), Qt::LeftButton);
    QCOMPARE(m_dialogs.messages().size(), 2);
    QCOMPARE(panelWindows().size(), 1);
}

void TestTemplateRowCommands::viewOfARowWithoutBitmapSaysEmptyWindow() {
    m_model.window(2).windowBitmap = "  ";
    QTest::mouseClick(button("Command1_2"), Qt::LeftButton);
    QCOMPARE(m_dialogs.messages(), QStringList({"Empty window!"}));
    QVERIFY(panelWindows().isEmpty());
    QTest::mouseClick(button("Command1_7"), Qt::LeftButton); // a row beyond the panel
    QCOMPARE(m_dialogs.messages().size(), 2);
    QVERIFY(panelWindows().isEmpty());
}

void TestTemplateRowCommands::autoSizeWritesTheBitmapWidthIntoTheSizeBox() {
    const int width = QImage(m_demo->panelDir() + "radio_stack.bmp").width();
    QVERIFY(width > 9);
    box("Text3_1")->setText("5");
    QTest::mouseClick(button("Command3_1"), Qt::LeftButton);
    QCOMPARE(box("Text3_1")->text(), QString::number(width));
    QCOMPARE(m_model.window(1).windowSizeMm, double(width));
    QVERIFY(m_dialogs.messages().isEmpty());
}

void TestTemplateRowCommands::autoRatioWritesTheScreenShareIntoTheRatioBox() {
    // COCKPIX_SCREEN=1024x768 for the tests: a 512-pixel bitmap is half the screen.
    QVERIFY(QImage(512, 100, QImage::Format_RGB32).save(m_demo->panelDir() + "half.bmp", "BMP"));
    QVERIFY(QImage(1500, 10, QImage::Format_RGB32).save(m_demo->panelDir() + "wide.bmp", "BMP"));
    box("Text2_1")->setText("half");
    QCOMPARE(m_model.window(1).windowBitmap, std::string("half"));
    QTest::mouseClick(button("Command6_1"), Qt::LeftButton);
    QCOMPARE(box("Text4_1")->text(), QStringLiteral(".5"));
    QCOMPARE(m_model.window(1).windowSizeRatio, 0.5);
    QCOMPARE(m_model.window(1).windowZoom, 2.0);

    // A bitmap wider than the screen is fitted to it: ratio 1.
    box("Text2_0")->setText("wide");
    QTest::mouseClick(button("Command6_0"), Qt::LeftButton);
    QCOMPARE(box("Text4_0")->text(), QStringLiteral("1"));
    QCOMPARE(m_model.window(0).windowZoom, 1.0);
}

void TestTemplateRowCommands::autoButtonsNameAMissingBitmap() {
    box("Text2_2")->setText("nowhere");
    const double size = m_model.window(2).windowSizeMm;
    const double ratio = m_model.window(2).windowSizeRatio;
    const QString sizeText = box("Text3_2")->text();
    QTest::mouseClick(button("Command3_2"), Qt::LeftButton);
    QTest::mouseClick(button("Command6_2"), Qt::LeftButton);
    const QString expected = "Can't find 'nowhere.bmp' in " + m_demo->panelDir() +
                             "\nPlease move it to this directory, or change panel directory "
                             "before continuing.";
    QCOMPARE(m_dialogs.messages(), QStringList({expected, expected}));
    QCOMPARE(m_model.window(2).windowSizeMm, size);
    QCOMPARE(m_model.window(2).windowSizeRatio, ratio);
    QCOMPARE(box("Text3_2")->text(), sizeText);
}

// The whole road through the main window: its template button, the menu bar swap, and the
// panel window's Ctrl+C closing the panel window rather than the template.
void TestTemplateRowCommands::theMainWindowShowsPanelWindowsWithTheirMenus() {
    m_area.reset();
    QTemporaryDir config;
    qputenv("COCKPIX_CONFIG_DIR", config.path().toUtf8());
    PanelModel model;
    QVERIFY(m_demo->open(model));
    QVERIFY(writeSettings(model.dirs));
    MainWindow window(model, m_dialogs);
    window.show();
    window.createTemplateWindow();
    window.templateWindow()->fillFromModel();
    m_dialogs.clear();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    auto* view = window.templateWindow()->findChild<QPushButton*>("Command1_0");
    QTest::mouseClick(view, Qt::LeftButton);
    auto* form = qobject_cast<PanelWindowForm*>(window.mdiArea()->activeSubWindow()->widget());
    QVERIFY(form);
    QCOMPARE(window.rowCommands().panelForms().at(0), form);
    QStringList titles;
    for (QAction* menu : window.menuBar()->actions())
        titles << menu->text();
    QCOMPARE(titles, QStringList({"&Picture", "&Gauges", "&Windows"}));

    // The progress window came and went; the main window is active again, the panel window
    // has the focus.
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(form->hasFocus());
    QTest::keyClick(form, Qt::Key_C, Qt::ControlModifier);
    QTRY_COMPARE(window.mdiArea()->subWindowList().size(), 1);
    QVERIFY(window.templateSubWindow() != nullptr);
    QVERIFY(m_dialogs.questions().isEmpty());
    qunsetenv("COCKPIX_CONFIG_DIR");
}

QTEST_MAIN(TestTemplateRowCommands)
#include "tst_templaterowcommands.moc"

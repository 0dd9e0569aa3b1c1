// The template row buttons that open a panel window and measure its background, pressed in
// the main window on a copy of the demo installation.

#include "app/gui/shellfixture.h"
#include "base/gui/modeltext.h"
#include "panelwindows/gui/demopanel.h"

#include "template/gui/backgroundchooser.h"

#include "panelwindows/gui/fs98/panelwindow.h"
#include "panelwindows/gui/panelview.h"
#include "template/core/fs98/rowcommands.h"
#include "template/gui/templaterowcommands.h"

#include <QListWidget>

using namespace cockpix;

class TestTemplateRowCommands : public QObject {
    Q_OBJECT

private slots:
    // The demo panel opened into the main window, its directories in the settings file.
    void init() {
        m_demo = std::make_unique<DemoPanel>();
        QVERIFY2(m_demo->isValid(), "the demo installation was not generated into the build");
        m_shell = std::make_unique<ShellFixture>();
        QVERIFY(m_demo->open(m_shell->document, m_shell->app));
        QVERIFY(writeSettings(m_shell->app.dirs));
        m_shell->start();
        m_shell->window->templateWindow()->fillFromModel();
        m_shell->document.clearHistory();
        m_shell->dialogs.clear(); // what filling the table had to say is not these tests' business
        QVERIFY(QTest::qWaitForWindowActive(m_shell->window.get()));
    }

    void cleanup() {
        m_shell->verifyNoDialogErrors();
        m_shell.reset();
    }

    void viewOpensANewWindowEachTimeWithItsMenus() {
        AppModel& model = m_shell->app;
        m_shell->window->resize(800, 600); // smaller than the 1024 x 768 screen
        click("Command1_1");
        QCOMPARE(panelWindows().size(), 1);
        fs98::PanelWindowForm* first = panelWindows().value(0);
        QCOMPARE(first->windowSlot(), 1);
        QCOMPARE(model.currentWindow, 1);
        QCOMPARE(m_shell->window->rowCommands().panelForms().at(1), first);
        QVERIFY(first->isVisible());
        QVERIFY(first->windowTitle().startsWith("Window 1: Radio stack"));
        // The frame is as large as the screen; the window fits the area and shows the panel
        // picture (at the right edge of the screen: position 5).
        QCOMPARE(first->frameWidget()->size(), QSize(1024, 768));
        QMdiArea* area = m_shell->window->mdiArea();
        QVERIFY(area->viewport()->rect().contains(first->parentWidget()->geometry()));
        const QRect background = first->backgroundPicture().geometry;
        const QRect picture(first->view()->mapTo(first, background.topLeft()), background.size());
        QVERIFY(picture.left() > 0 && first->rect().intersects(picture));
        // Pressed again: a second window beside the first, and panelForms names the new one.
        click("Command1_1");
        QCOMPARE(panelWindows().size(), 2);
        fs98::PanelWindowForm* second = m_shell->window->rowCommands().panelForms().at(1);
        QVERIFY(second != first && panelWindows().contains(second));
        QCOMPARE(qobject_cast<fs98::PanelWindowForm*>(area->activeSubWindow()->widget()), second);
        QVERIFY(m_shell->dialogs.messages().isEmpty());

        // Its menus replace the main window's; after the progress window the main window is
        // active again and the panel window has the keys: Ctrl+C closes it, not the template.
        QStringList titles;
        for (QAction* menu : m_shell->window->menuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles, QStringList({"&Picture", "&Gauges", "&Edit", "S&nap", "&Windows"}));
        QVERIFY(QTest::qWaitForWindowActive(m_shell->window.get()));
        QVERIFY(second->hasFocus());
        QTest::keyClick(second, Qt::Key_C, Qt::ControlModifier);
        QTRY_COMPARE(area->subWindowList().size(), 2);
        QVERIFY(m_shell->window->templateSubWindow() != nullptr);
        QVERIFY(m_shell->dialogs.questions().isEmpty());
    }

    void viewRefusalsOpenNothing() {
        m_shell->app.currentWindow = 3;
        m_shell->document.setWindowField({2, fs98::WindowField::Bitmap, std::string("  "),
                                          m_shell->document.panel().windowCount});
        click("Command1_2");
        click("Command1_7"); // a row beyond the panel
        QFile::remove(m_demo->gaugesDir() + "CESSNA_182.AIRSPEED.GAU");
        click("Command1_0");
        QCOMPARE(m_shell->dialogs.messages(),
                 QStringList({"Empty window!", "Empty window!",
                              QString::fromStdString(fs98::wrongGaugesDirMessage())}));
        QVERIFY(panelWindows().isEmpty());
        QCOMPARE(m_shell->app.currentWindow, 3);
        m_shell->dialogs.clear();

        // COCKPIX_SCREEN=1024x768 for the tests: a 512-pixel bitmap is half the screen. A
        // missing bitmap is named and leaves the box as it was.
        QVERIFY(
            QImage(512, 100, QImage::Format_RGB32).save(m_demo->panelDir() + "half.bmp", "BMP"));
        m_shell->box("Text2_1")->setText("half");
        click("Command3_1");
        click("Command6_1");
        QCOMPARE(m_shell->box("Text3_1")->text() + "|" + m_shell->box("Text4_1")->text(),
                 QString("512|.5"));
        QCOMPARE(m_shell->app.display.window(1).windowZoom, 2.0);
        QVERIFY(m_shell->dialogs.messages().isEmpty());

        m_shell->box("Text2_2")->setText("nowhere");
        const QString sizeText = m_shell->box("Text3_2")->text();
        click("Command3_2");
        click("Command6_2");
        const QString expected =
            toQString(cantFindBitmapMessage("nowhere", m_demo->panelDir().toStdString()));
        QCOMPARE(m_shell->dialogs.messages(), QStringList({expected, expected}));
        QCOMPARE(m_shell->box("Text3_2")->text(), sizeText);
    }

    // "List" of row 1 makes window 1 the current one and lists the panel directory's bitmaps,
    // whatever the case of their extension; OK without a choice changes nothing, a double click
    // puts the name without its extension into the row's bitmap box, which stores it as typing
    // would (one undo step).
    void theListButtonChoosesABackground() {
        QVERIFY(
            QImage(64, 32, QImage::Format_RGB32).save(m_demo->panelDir() + "Cockpit1.BMP", "BMP"));
        m_shell->app.currentWindow = 3;
        click("Command4_1");
        BackgroundChooser* chooser = m_shell->window->rowCommands().bitmapChooser();
        QVERIFY(chooser != nullptr);
        QCOMPARE(m_shell->app.currentWindow, 1);
        QCOMPARE(unnamedControls(chooser), QStringList());
        auto* list = chooser->findChild<QListWidget*>("File1");
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        QCOMPARE(names, QStringList({"Cockpit1.BMP", "demo_main.bmp", "mini_panel.bmp",
                                     "overhead.bmp", "radio_stack.bmp"}));

        chooser->findChild<QPushButton*>("Command1")->click();
        QVERIFY(m_shell->window->rowCommands().bitmapChooser() != nullptr);
        QCOMPARE(m_shell->document.undoStack()->count(), 0);

        const QRect first = list->visualItemRect(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QVERIFY(!chooser->findChild<QLabel*>("Image1")->pixmap().isNull());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QTRY_VERIFY(m_shell->window->rowCommands().bitmapChooser() == nullptr);
        QCOMPARE(m_shell->box("Text2_1")->text(), QStringLiteral("Cockpit1"));
        QCOMPARE(m_shell->document.panel().window(1).windowBitmap, std::string("Cockpit1"));
        QCOMPARE(m_shell->document.undoStack()->count(), 1);
        m_shell->document.undo();
        QCOMPARE(m_shell->box("Text2_1")->text(), QStringLiteral("Radio_Stack"));
    }

private:
    void click(const QString& name) const {
        QTest::mouseClick(m_shell->window->templateWindow()->findChild<QPushButton*>(name),
                          Qt::LeftButton);
    }
    QList<fs98::PanelWindowForm*> panelWindows() const {
        return m_shell->window->findChildren<fs98::PanelWindowForm*>();
    }

    std::unique_ptr<DemoPanel> m_demo;
    std::unique_ptr<ShellFixture> m_shell;
};

COCKPIX_TEST_CLASS(TestTemplateRowCommands)
#include "tst_templaterowcommands.moc"

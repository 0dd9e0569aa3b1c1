// The outside-view sizing tool from the template's "OUTSIDE-VIEW SIZING TOOL" on an
// 800 x 600 screen: the chooser and its refusals, the frame window's layout, the
// coordinates dialog's rows, OK and Cancel.

#include "app/gui/shellfixture.h"
#include "base/gui/modeltext.h"
#include "gaugefiles/core/bmpwriter.h"
#include "outview/gui/outsideviewtool.h"
#include "palette/core/windowbitmapchoice.h"
#include "panelwindows/gui/gaugeimage.h"
#include "template/gui/templaterowcommands.h"
#include "template/gui/templatetoolcommands.h"

#include <QScrollBar>

using namespace cockpix;

class TestOutsideView : public QObject {
    Q_OBJECT

    QByteArray m_screen; // the screen the tests after these in the program lay out for

private slots:
    // The layout is for the screen that COCKPIX_SCREEN names.
    void initTestCase() {
        m_screen = qgetenv("COCKPIX_SCREEN");
        qputenv("COCKPIX_SCREEN", "800x600");
    }
    void cleanupTestCase() {
        if (m_screen.isEmpty())
            qunsetenv("COCKPIX_SCREEN");
        else
            qputenv("COCKPIX_SCREEN", m_screen);
    }

    // Window 0: a 640 x 480 background at ratio .5 in the middle; window 1 has no bitmap file.
    // The default view is X 0, Y 0, SIZE_X 8191, SIZE_Y 0.
    void init() {
        m_shell = std::make_unique<ShellFixture>();
        m_shell->startOnPanelOf(2, [](fs98::Panel& panel) {
            panel.window(0).windowSizeRatio = .5;
            panel.window(0).windowPosition = 4;
            panel.window(1).windowSizeRatio = 1;
            panel.setDefaultView({0, 0, 8191, 0});
        });
        QVERIFY(test::writeBytes(panelDir() + "bg0.bmp", QByteArray::fromStdString(bmpFileBytes(
                                                             IndexedImage(640, 480, 1)))));
    }

    void cleanup() {
        m_shell->verifyNoDialogErrors();
        m_shell.reset();
    }

    void theChooserRefusesUntilAChoiceCanBeShown() {
        clickButton(m_shell->window->templateWindow(), "Command2");
        OutsideViewChooser* chooser = tool().chooser();
        QVERIFY(chooser && chooser->isVisible());

        clickButton(chooser, "Command1"); // nothing chosen yet
        QCOMPARE(m_shell->dialogs.messages(), QStringList("No file selected."));
        clickListEntry(chooser->list(), 1);
        QCOMPARE(m_shell->dialogs.lastMessage(),
                 toQString(cantFindBitmapMessage("bg1", panelDir().toStdString())));
        clickButton(chooser, "Command1");
        QCOMPARE(m_shell->dialogs.messages().size(), 2);
        QVERIFY(tool().frame() == nullptr && chooser->isVisible());

        // A double click, as the window system sends it: a click, then the double click.
        clickListEntry(chooser->list(), 0);
        QTest::mouseDClick(chooser->list()->viewport(), Qt::LeftButton, {},
                           chooser->list()->visualItemRect(chooser->list()->item(0)).center());
        QVERIFY(tool().frame() && tool().frame()->isVisible());
        QTRY_VERIFY(tool().chooser() == nullptr);
    }

    // 800 x 600: frame ratio 580 / 600, scale 1.465; the picture is 400 x 290 at 200, 145.
    void theFrameStandsWhereFS98PutsThePanelAndTheView() {
        ExternalViewFrame* frame = openFrame(0);
        QVERIFY(frame);
        QCOMPARE(
            frame->windowTitle(),
            QString(
                "Window 0: bg0 - Position: 4 - size ratio: .5 - Shown with 'Hide menu-bar' on."));
        QCOMPARE(frame->findChild<QWidget*>("frameCanvas")->size(), QSize(800, 600));
        QCOMPARE(frame->picture()->geometry(), QRect(200, 145, 400, 290));
        // SIZE_Y 0 became 2000 in the panel (one step, below), and the template shows it.
        QCOMPARE(m_shell->box("Text12")->text(), QString("2000"));
    }

    // On a 1600 x 1200 screen the window, its frame included, lies wholly on the screen (and
    // within the part the window system leaves free); its canvas keeps the screen's size.
    void theFrameWindowLiesWhollyOnTheScreen() {
        qputenv("COCKPIX_SCREEN", "1600x1200");
        ExternalViewFrame* frame = openFrame(0);
        qputenv("COCKPIX_SCREEN", "800x600");
        QVERIFY(frame);
        QCOMPARE(frame->findChild<QWidget*>("frameCanvas")->size(), QSize(1600, 1200));
        const QRect screen = frame->screen()->availableGeometry() & QRect(0, 0, 1600, 1200);
        QTRY_VERIFY2(screen.contains(frame->frameGeometry()),
                     qPrintable(QStringLiteral("frame %1,%2 %3 x %4")
                                    .arg(frame->frameGeometry().x())
                                    .arg(frame->frameGeometry().y())
                                    .arg(frame->frameGeometry().width())
                                    .arg(frame->frameGeometry().height())));
    }

    // A ratio of 0 becomes 1 and SIZE_Y 0 becomes 2000: one step, named for both, undone as
    // one; opening again with nothing to correct leaves the panel unmodified.
    void theCorrectionsOnOpeningAreOneStep() {
        fs98::Document& document = m_shell->document;
        document.setWindowField({0, fs98::WindowField::SizeRatio, 0.0, 2});
        document.clearHistory();
        ExternalViewFrame* frame = openFrame(0);
        QVERIFY(frame);
        QVERIFY(frame->windowTitle().contains("size ratio: 0 -"));
        QCOMPARE(document.panel().window(0).windowSizeRatio, 1.0);
        QCOMPARE(document.undoStack()->count(), 1);
        QCOMPARE(document.undoStack()->undoText(),
                 QString("Outside-view frame: Window 00 size ratio 0 to 1, view size Y 0 to 2000"));
        document.undo();
        QCOMPARE(document.panel().window(0).windowSizeRatio, 0.0);
        QCOMPARE(document.panel().defaultViewSizeY, 0.0);
        QVERIFY(!document.isModified());

        document.redo();
        document.markSaved(document.filePath());
        QVERIFY(openFrame(0));
        QCOMPARE(document.undoStack()->count(), 1);
        QVERIFY(!document.isModified());
    }

    void theRowsKeepTheirBoundsAndWriteBack() {
        // A panel window opened while the frame is open leaves the frame's scale alone.
        QVERIFY(test::writeBytes(m_shell->path("fs98/gauges/CESSNA_182.AIRSPEED.GAU"), {}));
        ExternalViewFrame* frame = openFrame(0);
        QVERIFY(frame);
        clickButton(m_shell->window->templateWindow(), "Command1_0");
        QVERIFY(m_shell->window->rowCommands().panelForms().at(0));
        QTest::mouseClick(frame->picture(), Qt::LeftButton);
        ExternalViewCoordinates* dialog = tool().coordinates();
        QVERIFY(dialog && dialog->isVisible());
        using Row = ViewCoordinate;
        QCOMPARE(dialog->box(Row::SizeY)->text(), QString("2000"));
        // Filled by the dialog: whole edges without the frame ratio.
        QCOMPARE(frame->frameTwips().height, std::floor(1.465 * 2000));

        type(dialog->box(Row::X), "100");
        QCOMPARE(frame->frameTwips().left, 146.0);
        type(dialog->box(Row::X), "8192"); // emptied, read as 0: the bar goes back and writes 0
        QCOMPARE(dialog->box(Row::X)->text(), QString("0"));
        QCOMPARE(dialog->bar(Row::X)->value(), 0);
        QCOMPARE(frame->frameTwips().left, 0.0);

        type(dialog->box(Row::SizeY), "6154"); // 615 was the last value typed within the row
        QCOMPARE(dialog->box(Row::SizeY)->text(), QString());
        QCOMPARE(dialog->bar(Row::SizeY)->value(), 615);
        const double width = frame->frameTwips().width;
        type(dialog->box(Row::SizeX), "0");
        QCOMPARE(dialog->box(Row::SizeX)->text(), QString());
        QCOMPARE(frame->frameTwips().width, width);

        // A fraction that leaves the bar where it was stays as typed; one that moves it
        // becomes the bar's whole value.
        type(dialog->box(Row::Y), "10.4");
        QCOMPARE(dialog->box(Row::Y)->text(), QString("10.4"));
        type(dialog->box(Row::Y), "10.6");
        QCOMPARE(dialog->box(Row::Y)->text(), QString("11"));
        QCOMPARE(frame->frameTwips().top, std::floor(1.465 * 11));
    }

    void okStoresTheViewInOneStepAndCancelNothing() {
        ExternalViewCoordinates* dialog = openCoordinates();
        QVERIFY(dialog);
        const fs98::DefaultView before = m_shell->document.panel().defaultView();
        type(dialog->box(ViewCoordinate::X), "300");
        clickButton(dialog, "Command2");
        QTRY_VERIFY(tool().frame() == nullptr && tool().coordinates() == nullptr);
        QCOMPARE(m_shell->document.panel().defaultView(), before);

        dialog = openCoordinates();
        QVERIFY(dialog);
        const int steps = m_shell->document.undoStack()->count();
        type(dialog->box(ViewCoordinate::X), "100");
        type(dialog->box(ViewCoordinate::Y), "10.4");
        type(dialog->box(ViewCoordinate::SizeY), "3000");
        // Refused at its fourth key: the box is empty, the bar and the frame keep 900, and OK
        // stores that, never the 0 an empty box reads as.
        type(dialog->box(ViewCoordinate::SizeX), "9000");
        QCOMPARE(dialog->box(ViewCoordinate::SizeX)->text(), QString());
        clickButton(dialog, "Command1");
        QTRY_VERIFY(tool().frame() == nullptr && tool().coordinates() == nullptr);
        QCOMPARE(m_shell->document.panel().defaultView(), (fs98::DefaultView{100, 10, 900, 3000}));
        QCOMPARE(m_shell->document.undoStack()->count(), steps + 1);
        QCOMPARE(m_shell->box("Text9")->text() + " " + m_shell->box("Text10")->text() + " " +
                     m_shell->box("Text11")->text() + " " + m_shell->box("Text12")->text(),
                 QString("100 10 900 3000"));
        m_shell->document.undo();
        QCOMPARE(m_shell->document.panel().defaultView(), before);
    }

private:
    OutsideViewTool& tool() const { return m_shell->window->toolCommands().outsideView(); }
    // The chooser from the template's button, entry w, OK: the frame of window w.
    ExternalViewFrame* openFrame(int w) {
        clickButton(m_shell->window->templateWindow(), "Command2");
        OutsideViewChooser* chooser = tool().chooser();
        if (!chooser)
            return nullptr;
        clickListEntry(chooser->list(), w);
        clickButton(chooser, "Command1");
        return tool().frame();
    }
    ExternalViewCoordinates* openCoordinates() {
        ExternalViewFrame* frame = openFrame(0);
        if (!frame)
            return nullptr;
        QTest::mouseClick(frame->picture(), Qt::LeftButton);
        return tool().coordinates();
    }
    static void type(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
    QString panelDir() const { return m_shell->path("fs98/aircraft/"); }

    std::unique_ptr<ShellFixture> m_shell;
};

COCKPIX_TEST_CLASS(TestOutsideView)
#include "tst_outsideview.moc"

// Drives the real template window: typing into its boxes, clicking its check boxes and
// buttons, and filling it from a model, then checks the model, the messages and the labels.

#include "guisupport/scripteddialogs.h"
#include "panel/core/panelmodel.h"
#include "template/gui/templatewindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <climits>
#include <memory>

using namespace cockpix;

class TemplateWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsEmptyWithEveryControlNamedAndCaptioned();
    void windowCountFollowsTitleAndBitmapOfTheRows();
    void rowsBeyondTheCountAreRefusedWhileTyping();
    void fieldChecksShowTheirMessageAndEmptyTheBox();
    void defaultViewAndThresholdBoxes();
    void visibleBoxCaptionsAndContinuity();
    void paletteOptionBoxes();
    void fillWritesThePanelRowsAndKeepsTheModel();
    void fillAgainForgetsTheRowsOfThePreviousPanel();
    void fillChecksOutOfRangeValuesLikeTyping();
    void oddTextNeverCrashesAndKeepsTheModelSane();
    void templateColorPaintsWindowAndEveryLabel();
    void buttonsEmitTheirRowAndSettersRunTheHandling();
    void fitsA1024By768Screen();

private:
    QLineEdit* box(const QString& name) const {
        auto* found = m_window->findChild<QLineEdit*>(name);
        if (!found)
            qFatal("no box %s", qPrintable(name));
        return found;
    }
    QCheckBox* check(const QString& name) const {
        auto* found = m_window->findChild<QCheckBox*>(name);
        if (!found)
            qFatal("no check box %s", qPrintable(name));
        return found;
    }
    QLineEdit* rowBox(const char* name, int row) const {
        return box(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(row));
    }
    QString countLabel() const { return m_window->findChild<QLabel*>("Label15")->text(); }

    // Empties a box the way a user does: select all, delete.
    static void eraseByHand(QLineEdit* edit) {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
    }
    // Types characters that have no key of their own, as a keyboard layout or an input
    // method delivers them.
    static void typeCharacters(QLineEdit* edit, const QString& text) {
        for (const QChar character : text)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
    }
    static void retype(QLineEdit* edit, const QString& text) {
        eraseByHand(edit);
        QTest::keyClicks(edit, text);
    }
    void typeRow(int row, const QString& title, const QString& bitmap) {
        QTest::keyClicks(rowBox("Text1", row), title);
        QTest::keyClicks(rowBox("Text2", row), bitmap);
    }

    PanelModel m_model;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TemplateWindow> m_window;
};

void TemplateWindowTest::init() {
    m_model = PanelModel();
    m_model.clearModel();
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_window = std::make_unique<TemplateWindow>(m_model, *m_dialogs);
    m_window->resize(1024, 768);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TemplateWindowTest::cleanup() {
    m_window.reset();
    QVERIFY(m_dialogs->errors().isEmpty());
    m_dialogs.reset();
}

void TemplateWindowTest::startsEmptyWithEveryControlNamedAndCaptioned() {
    QCOMPARE(m_window->objectName(), QString("Form1"));
    QCOMPARE(m_window->windowTitle(), QString("PANEL TEMPLATE"));
    QCOMPARE(countLabel(), QString("0"));
    QCOMPARE(m_window->findChild<QLabel*>("Label17")->text(), QString("0"));
    QCOMPARE(box("Text13")->text(), QString("5"));
    QCOMPARE(m_model.paletteTolerance, 5);
    for (const char* name : {"Text9", "Text10", "Text11", "Text12"}) {
        QVERIFY(box(name)->text().isEmpty());
        QCOMPARE(box(name)->toolTip(), QString("you can modify values"));
    }
    QCOMPARE(check("Check1")->text(), QString("Save"));
    QCOMPARE(check("Check2")->text(), QString("Keep all"));
    QCOMPARE(m_window->findChild<QPushButton*>("Command5")->text(), QString("PALETTE OPTIMIZER 2"));
    QCOMPARE(m_window->findChild<QPushButton*>("Command2")->text(),
             QString("OUTSIDE-VIEW SIZING TOOL"));

    for (int row = 0; row < kWindowSlots; ++row) {
        const QString suffix = QStringLiteral("_%1").arg(row);
        auto* view = m_window->findChild<QPushButton*>("Command1" + suffix);
        QVERIFY(view);
        QCOMPARE(view->text(), QStringLiteral("Window 0%1").arg(row));
        QCOMPARE(view->toolTip(), QString("Click to view panel window"));
        QCOMPARE(m_window->findChild<QPushButton*>("Command3" + suffix)->text(), QString("Auto"));
        QCOMPARE(m_window->findChild<QPushButton*>("Command4" + suffix)->text(), QString("List"));
        QCOMPARE(m_window->findChild<QPushButton*>("Command6" + suffix)->text(), QString("Auto"));
        for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text7"})
            QVERIFY(rowBox(name, row)->text().isEmpty());
        QCOMPARE(check("Check3" + suffix)->text(), QString("Off"));
        QVERIFY(!check("Check3" + suffix)->isChecked());
    }
    QCOMPARE(rowBox("Text5", 3)->toolTip(),
             QString("from 0 = top-left corner to 8 =  bottom-right corner"));
    QCOMPARE(m_window->findChild<QPushButton*>("Command6_8")->toolTip(),
             QString("Adjusts to original size if smaller than screen size, 1 otherwise"));
    QVERIFY(m_dialogs->messages().isEmpty());
}

void TemplateWindowTest::windowCountFollowsTitleAndBitmapOfTheRows() {
    typeRow(0, "Main", "main");
    typeRow(1, "Radios", "radio");
    QCOMPARE(countLabel(), QString("2"));
    QCOMPARE(m_model.windowCount, 2);

    QTest::keyClicks(rowBox("Text1", 2), "GPS");
    QCOMPARE(m_model.window(2).windowTitle, std::string("GPS"));
    QCOMPARE(countLabel(), QString("2"));
    QTest::keyClicks(rowBox("Text2", 2), "gps");
    QCOMPARE(countLabel(), QString("3"));

    eraseByHand(rowBox("Text1", 0)); // not the last row: the count stays
    QCOMPARE(m_model.windowCount, 3);
    QCOMPARE(m_model.window(0).windowTitle, std::string());
    eraseByHand(rowBox("Text1", 2)); // the last row leaves the table
    QCOMPARE(m_model.windowCount, 2);
    QCOMPARE(countLabel(), QString("2"));
    QCOMPARE(m_model.window(2).windowBitmap, std::string("gps"));
    QVERIFY(m_dialogs->messages().isEmpty());
}

void TemplateWindowTest::rowsBeyondTheCountAreRefusedWhileTyping() {
    typeRow(0, "Main", "main");
    typeRow(1, "Radios", "radio");
    QTest::keyClicks(rowBox("Text1", 3), "Ovh");
    // Each keystroke is refused on its own, as the box is emptied after each.
    QCOMPARE(m_dialogs->messages(), QStringList(3, "List must be continuous."));
    QVERIFY(rowBox("Text1", 3)->text().isEmpty());
    QCOMPARE(m_model.window(3).windowTitle, std::string());

    m_dialogs->clear();
    m_model.window(7).windowSizeRatio = 0.25;
    QTest::keyClicks(rowBox("Text4", 7), "2");
    QCOMPARE(m_dialogs->messages(), QStringList("List must be continuous."));
    QVERIFY(rowBox("Text4", 7)->text().isEmpty());
    QCOMPARE(m_model.window(7).windowSizeRatio, 1.0);
    QCOMPARE(m_model.windowCount, 2);
}

void TemplateWindowTest::fieldChecksShowTheirMessageAndEmptyTheBox() {
    typeRow(0, "Main", "main.");
    QCOMPARE(m_model.window(0).windowBitmap, std::string("main"));

    QTest::keyClicks(rowBox("Text5", 0), "11");
    QCOMPARE(m_model.window(0).windowPosition, 11.0);
    QVERIFY(m_dialogs->messages().isEmpty());
    retype(rowBox("Text5", 0), "12");
    QCOMPARE(m_dialogs->lastMessage(), QString("Out of bound."));
    QVERIFY(rowBox("Text5", 0)->text().isEmpty());
    QCOMPARE(m_model.window(0).windowPosition, 0.0);
    QTest::keyClicks(rowBox("Text5", 0), "-1");
    QCOMPARE(m_dialogs->messages().size(), 2);
    QCOMPARE(m_model.window(0).windowPosition, 0.0);

    QTest::keyClicks(rowBox("Text4", 0), "0.75");
    QCOMPARE(m_model.window(0).windowSizeRatio, 0.75);
    retype(rowBox("Text4", 0), "-2");
    QCOMPARE(m_dialogs->lastMessage(), QString("Incorrect value."));
    QVERIFY(rowBox("Text4", 0)->text().isEmpty());
    QCOMPARE(m_model.window(0).windowSizeRatio, 1.0);

    QTest::keyClicks(rowBox("Text3", 0), "-7");
    QCOMPARE(m_dialogs->lastMessage(), QString("Incorrect value."));
    QCOMPARE(m_model.window(0).windowSizeMm, 0.0);
    QTest::keyClicks(rowBox("Text3", 0), "640.8");
    QCOMPARE(m_model.window(0).windowSizeMm, 640.0);

    QTest::keyClicks(rowBox("Text7", 0), "1a");
    QCOMPARE(m_model.window(0).windowIdent.text, std::string("1a"));
    QCOMPARE(m_dialogs->messages().size(), 4);
}

void TemplateWindowTest::defaultViewAndThresholdBoxes() {
    QTest::keyClicks(box("Text10"), "6153");
    QCOMPARE(m_model.defaultViewY, 6153.0);
    retype(box("Text10"), "6154");
    QCOMPARE(m_dialogs->messages(), QStringList("Out of bound."));
    QVERIFY(box("Text10")->text().isEmpty());
    QCOMPARE(m_model.defaultViewY, 0.0);
    QTest::keyClicks(box("Text9"), "8191");
    QCOMPARE(m_model.defaultViewX, 8191.0);
    QTest::keyClicks(box("Text11"), "640.5");
    QCOMPARE(m_model.defaultViewSizeX, 640.0);
    QTest::keyClicks(box("Text12"), "-");
    QCOMPARE(m_dialogs->messages().size(), 1); // "-" alone is 0, accepted

    retype(box("Text13"), "-40");
    QCOMPARE(m_model.paletteTolerance, 40);
    retype(box("Text13"), "abc");
    QCOMPARE(m_model.paletteTolerance, 0);
}

void TemplateWindowTest::visibleBoxCaptionsAndContinuity() {
    typeRow(0, "Main", "main");
    QCheckBox* first = check("Check3_0");
    QTest::mouseClick(first, Qt::LeftButton);
    QVERIFY(first->isChecked());
    QCOMPARE(first->text(), QString("ON"));
    QCOMPARE(m_model.window(0).windowVisible, 1.0);
    QTest::mouseClick(first, Qt::LeftButton);
    QCOMPARE(first->text(), QString("OFF"));
    QCOMPARE(m_model.window(0).windowVisible, 0.0);

    QCheckBox* far = check("Check3_4");
    QTest::mouseClick(far, Qt::LeftButton);
    QCOMPARE(m_dialogs->messages(), QStringList("List must be continuous."));
    QVERIFY(far->isChecked());
    QCOMPARE(far->text(), QString("Off"));
    QCOMPARE(m_model.window(4).windowVisible, 0.0);
}

void TemplateWindowTest::paletteOptionBoxes() {
    QCOMPARE(m_window->paletteSaveOptions().saveNewPalette, true);
    QCOMPARE(m_window->paletteSaveOptions().keepColors, true);
    QTest::mouseClick(check("Check1"), Qt::LeftButton);
    QCOMPARE(check("Check1")->text(), QString("Don't save"));
    QCOMPARE(m_window->paletteSaveOptions().saveNewPalette, false);
    QTest::mouseClick(check("Check2"), Qt::LeftButton);
    QCOMPARE(check("Check2")->text(), QString("Erase all"));
    QCOMPARE(m_window->paletteSaveOptions().keepColors, false);
    QTest::mouseClick(check("Check1"), Qt::LeftButton);
    QTest::mouseClick(check("Check2"), Qt::LeftButton);
    QCOMPARE(check("Check1")->text(), QString("Save"));
    QCOMPARE(check("Check2")->text(), QString("Keep all"));
    QCOMPARE(m_window->paletteSaveOptions().saveNewPalette, true);
    QCOMPARE(m_window->paletteSaveOptions().keepColors, true);
}

void TemplateWindowTest::fillWritesThePanelRowsAndKeepsTheModel() {
    m_model.windowCount = 3;
    PanelWindow& main = m_model.window(0);
    main.windowTitle = "Tableau de bord \xE9t\xE9 \x80\x81\t"; // Windows-1252 bytes
    main.windowBitmap = "main";
    main.windowSizeMm = 640;
    main.windowSizeRatio = 0; // missing from the file: full size
    main.windowPosition = 4;
    main.windowVisible = 1;
    main.windowIdent = WindowIdent::fromNumber(3);
    PanelWindow& radios = m_model.window(1);
    radios.windowTitle = "Radios";
    radios.windowBitmap = "radio.";
    radios.windowSizeRatio = 0.5;
    radios.windowIdent = WindowIdent::fromText("abc");
    m_model.window(2).windowTitle = "GPS";
    m_model.window(2).windowBitmap = "gps";
    m_model.window(5).windowTitle = "beyond the panel";
    m_model.defaultViewX = 10;
    m_model.defaultViewSizeY = 200.5;

    m_window->fillFromModel();

    QVERIFY(m_dialogs->messages().isEmpty());
    QCOMPARE(countLabel(), QString("3"));
    QCOMPARE(m_model.windowCount, 3);
    QCOMPARE(rowBox("Text1", 0)->text(), QString::fromUtf8("Tableau de bord été €\u0081\t"));
    QCOMPARE(main.windowTitle, std::string("Tableau de bord \xE9t\xE9 \x80\x81\t"));
    QCOMPARE(rowBox("Text3", 0)->text(), QString("640"));
    QCOMPARE(rowBox("Text4", 0)->text(), QString("1"));
    QCOMPARE(main.windowSizeRatio, 1.0);
    QCOMPARE(rowBox("Text4", 1)->text(), QString(".5"));
    QCOMPARE(rowBox("Text5", 0)->text(), QString("4"));
    QCOMPARE(check("Check3_0")->text(), QString("ON"));
    QCOMPARE(check("Check3_1")->text(), QString("Off"));
    QCOMPARE(rowBox("Text7", 0)->text(), QString("3"));
    QCOMPARE(rowBox("Text7", 1)->text(), QString("abc"));
    QCOMPARE(radios.windowBitmap, std::string("radio"));
    QVERIFY(rowBox("Text1", 5)->text().isEmpty());
    QCOMPARE(m_model.window(5).windowTitle, std::string("beyond the panel"));
    QCOMPARE(box("Text9")->text(), QString("10"));
    QCOMPARE(box("Text12")->text(), QString("200.5"));
    QCOMPARE(m_model.defaultViewSizeY, 200.0);

    // The filled table goes on with the panel's count.
    QTest::keyClicks(rowBox("Text1", 4), "x");
    QCOMPARE(m_dialogs->messages(), QStringList("List must be continuous."));
    QTest::keyClicks(rowBox("Text1", 3), "Overhead");
    QTest::keyClicks(rowBox("Text2", 3), "ovh");
    QCOMPARE(countLabel(), QString("4"));
}

void TemplateWindowTest::fillAgainForgetsTheRowsOfThePreviousPanel() {
    typeRow(0, "A", "a");
    typeRow(1, "B", "b");
    typeRow(2, "C", "c");
    QTest::mouseClick(check("Check3_2"), Qt::LeftButton);

    // A panel whose first window has no title, opened into the same window.
    m_model.clearModel();
    m_model.windowCount = 2;
    m_model.window(0).windowBitmap = "first";
    m_model.window(1).windowTitle = "Second";
    m_model.window(1).windowBitmap = "second";
    m_window->fillFromModel();

    QVERIFY(m_dialogs->messages().isEmpty());
    QCOMPARE(m_model.windowCount, 2);
    QCOMPARE(countLabel(), QString("2"));
    QVERIFY(rowBox("Text1", 0)->text().isEmpty());
    QVERIFY(rowBox("Text1", 2)->text().isEmpty());
    QCOMPARE(check("Check3_2")->text(), QString("Off"));
    QVERIFY(!check("Check3_2")->isChecked());
    // Stale boxes must not count: row 2 needs both fields again.
    QTest::keyClicks(rowBox("Text1", 2), "Third");
    QCOMPARE(m_model.windowCount, 2);
}

void TemplateWindowTest::fillChecksOutOfRangeValuesLikeTyping() {
    m_model.windowCount = 1;
    m_model.window(0).windowTitle = "Main";
    m_model.window(0).windowBitmap = "main";
    m_model.window(0).windowPosition = 15;
    m_model.defaultViewX = 9000;
    m_window->fillFromModel();
    QCOMPARE(m_dialogs->messages(), QStringList({"Out of bound.", "Out of bound."}));
    QCOMPARE(m_model.window(0).windowPosition, 0.0);
    QCOMPARE(m_model.defaultViewX, 0.0);
    QVERIFY(box("Text9")->text().isEmpty());
}

void TemplateWindowTest::oddTextNeverCrashesAndKeepsTheModelSane() {
    typeRow(0, "Main", "main");
    typeCharacters(rowBox("Text1", 0), QString::fromUtf8(" Ω€é"));
    QCOMPARE(m_model.window(0).windowTitle, std::string("Main ?\x80\xE9"));

    // The box caps what it takes; the model holds exactly what the box shows.
    const QString longText(200000, QChar('7'));
    rowBox("Text1", 0)->setText(longText);
    QVERIFY(!m_model.window(0).windowTitle.empty());
    QCOMPARE(QString::fromStdString(m_model.window(0).windowTitle), rowBox("Text1", 0)->text());
    rowBox("Text3", 0)->setText(longText);
    QVERIFY(std::isfinite(m_model.window(0).windowSizeMm));
    QVERIFY(m_dialogs->messages().isEmpty());

    retype(rowBox("Text5", 0), "1e300");
    QCOMPARE(m_dialogs->lastMessage(), QString("Out of bound."));
    QCOMPARE(m_model.window(0).windowPosition, 0.0);
    retype(rowBox("Text3", 0), "-1e300");
    QCOMPARE(m_dialogs->lastMessage(), QString("Incorrect value."));
    QCOMPARE(m_model.window(0).windowSizeMm, 0.0);
    retype(box("Text13"), "-1e300");
    QCOMPARE(m_model.paletteTolerance, INT_MAX);
    retype(box("Text13"), "NaN");
    QCOMPARE(m_model.paletteTolerance, 0);
    typeCharacters(box("Text9"), QString::fromUtf8("１２")); // full-width digits are no number
    QCOMPARE(m_model.defaultViewX, 0.0);
    QCOMPARE(m_model.windowCount, 1);
}

void TemplateWindowTest::templateColorPaintsWindowAndEveryLabel() {
    m_model.templateColor = 0x336699; // blue 33, green 66, red 99
    m_window->applyTemplateColor();
    const QColor expected(0x99, 0x66, 0x33);
    QCOMPARE(m_window->palette().color(QPalette::Window), expected);
    const QList<QLabel*> all = m_window->findChildren<QLabel*>();
    QCOMPARE(all.size(), 17);
    QCOMPARE(m_window->colouredLabels().size(), 17);
    for (QLabel* label : all) {
        QVERIFY2(label->autoFillBackground(), qPrintable(label->objectName()));
        QCOMPARE(label->palette().color(label->backgroundRole()), expected);
    }
    m_model.templateColor = kDefaultTemplateColor;
    m_window->applyTemplateColor();
    QCOMPARE(all.first()->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xE0));
}

void TemplateWindowTest::buttonsEmitTheirRowAndSettersRunTheHandling() {
    QSignalSpy view(m_window.get(), &TemplateWindow::viewWindowRequested);
    QSignalSpy size(m_window.get(), &TemplateWindow::sizeFromBitmapRequested);
    QSignalSpy list(m_window.get(), &TemplateWindow::bitmapListRequested);
    QSignalSpy ratio(m_window.get(), &TemplateWindow::ratioFromBitmapRequested);
    QSignalSpy outside(m_window.get(), &TemplateWindow::outsideViewRequested);
    QSignalSpy optimizer(m_window.get(), &TemplateWindow::paletteOptimizerRequested);
    QTest::mouseClick(m_window->findChild<QPushButton*>("Command1_4"), Qt::LeftButton);
    QTest::mouseClick(m_window->findChild<QPushButton*>("Command3_2"), Qt::LeftButton);
    QTest::mouseClick(m_window->findChild<QPushButton*>("Command4_7"), Qt::LeftButton);
    QTest::mouseClick(m_window->findChild<QPushButton*>("Command6_0"), Qt::LeftButton);
    QTest::mouseClick(m_window->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QTest::mouseClick(m_window->findChild<QPushButton*>("Command5"), Qt::LeftButton);
    QCOMPARE(view.size(), 1);
    QCOMPARE(view.first().first().toInt(), 4);
    QCOMPARE(size.first().first().toInt(), 2);
    QCOMPARE(list.first().first().toInt(), 7);
    QCOMPARE(ratio.first().first().toInt(), 0);
    QCOMPARE(outside.size(), 1);
    QCOMPARE(optimizer.size(), 1);

    typeRow(0, "Main", "main");
    m_window->setSizeText(0, "640");
    QCOMPARE(rowBox("Text3", 0)->text(), QString("640"));
    QCOMPARE(m_model.window(0).windowSizeMm, 640.0);
    m_window->setRatioText(0, ".5");
    QCOMPARE(m_model.window(0).windowSizeRatio, 0.5);
    m_window->setRatioText(0, "-1");
    QCOMPARE(m_dialogs->messages(), QStringList("Incorrect value."));
    QCOMPARE(m_model.window(0).windowSizeRatio, 1.0);
    m_window->setBitmapText(1, "second.");
    QCOMPARE(m_model.window(1).windowBitmap, std::string("second"));
    m_window->setSizeText(9, "1"); // no such row: ignored
    m_window->setAdvisedColorCount(12);
    QCOMPARE(m_window->findChild<QLabel*>("Label17")->text(), QString("12"));
    QCOMPARE(m_model.advisedColorCount, 12);
}

void TemplateWindowTest::fitsA1024By768Screen() {
    // Room for the main window's frame and menu bar around the template.
    const QSize needed = m_window->findChild<QScrollArea*>()->widget()->minimumSizeHint();
    QVERIFY2(needed.width() <= 1000, qPrintable(QString::number(needed.width())));
    QVERIFY2(needed.height() <= 700, qPrintable(QString::number(needed.height())));
    const QSize opening = m_window->sizeHint();
    QVERIFY(opening.width() >= needed.width() && opening.width() <= 1024);
    QVERIFY(opening.height() >= needed.height() && opening.height() <= 768);
}

QTEST_MAIN(TemplateWindowTest)
#include "tst_templatewindow.moc"

// Drives the real template window: typing into its boxes, clicking its check boxes and
// buttons, and filling it from a model. The rules of each box are the core's; here each kind
// of box, message, caption and signal is shown to be wired once. For a panel of FS2000 and
// later: one row per window and virtual cockpit in file order, a typed cell changing its one
// line (or adding the key after the section's last key line) as one undo step, refused values
// with their message, and windows added under the next free number and removed after a
// question.

#include "guisupport/accessibility.h"
#include "guisupport/scripteddialogs.h"
#include "guisupport/testprogram.h"
#include "panel/gui/paneldocuments.h"
#include "state/core/appmodel.h"
#include "template/core/fs2k/windowtable.h"
#include "template/gui/fs2k/windowtable.h"
#include "template/gui/templatewindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>
#include <memory>
#include <tuple>

using namespace cockpix;

namespace {

const std::string kText = "// hand-written\n"
                          "[Window Titles]\nWindow00=Main\nWindow05=Overhead\n\n"
                          "[Window05]\nBackground_color=16,16,16\nsize_mm=300, 120\n"
                          "gauge00=Overhead!Lights, 10, 12\n\n"
                          "[Window00]\nfile=main.bmp\nSIZE_MM=640\nVISIBLE=1\n\n"
                          "[Vcockpit01]\nfile=vc.bmp\ntexture=$VC01\n\n"
                          "[Panel Sounds]\nSound00=click.wav\n";

} // namespace

class TemplateWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_app = AppModel();
        m_app.paletteTolerance = 0;
        m_documents = std::make_unique<PanelDocuments>();
        m_dialogs.clear();
        m_window = std::make_unique<TemplateWindow>(*m_documents, m_app, m_dialogs);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup() {
        QVERIFY(m_dialogs.verifyAllAnswersUsed());
        m_window.reset();
        QVERIFY(m_dialogs.errors().isEmpty());
    }

    // A different value in each box, so that a box wired to another field's handler shows; a
    // refused value shows its message and empties the box (an emptied ratio box keeps the 1).
    void everyBoxReachesTheModelOrShowsItsMessage() {
        QCOMPARE(m_app.paletteTolerance, 5); // the threshold box starts at 5 through its handling
        typeRow(0, "Main", "main.");
        QTest::keyClicks(rowBox("Text7", 0), "1a");
        const fs98::PanelWindow& main = panel().window(0);
        QCOMPARE(main.windowTitle + "|" + main.windowBitmap + "|" + main.windowIdent.text,
                 std::string("Main|main|1a"));
        QCOMPARE(countLabel(), QString("1"));
        // clang-format off
        const std::tuple<const char*, const char*, const char*, const double*, double> typed[] = {
            {"Text3_0", "640.8", "", &main.windowSizeMm, 640}, {"Text4_0", ".75", "", &main.windowSizeRatio, .75},
            {"Text5_0", "11", "", &main.windowPosition, 11}, {"Text9", "10", "", &panel().defaultViewX, 10},
            {"Text10", "20", "", &panel().defaultViewY, 20}, {"Text11", "30.5", "", &panel().defaultViewSizeX, 30},
            {"Text12", "40", "", &panel().defaultViewSizeY, 40},
            {"Text4_0", "-2", "Incorrect value.", &main.windowSizeRatio, 1},
            {"Text10", "6154", "Out of bound.", &panel().defaultViewY, 0}};
        // clang-format on
        for (const auto& [name, text, message, stored, value] : typed) {
            m_dialogs.clear();
            child(name)->clear();
            QTest::keyClicks(child(name), text);
            QCOMPARE(m_dialogs.messages().join("|"), QString(message));
            QCOMPARE(child(name)->text(), *message ? QString() : QString(text));
            QCOMPARE(*stored, value);
        }
        child("Text13")->setText("-40");
        QCOMPARE(m_app.paletteTolerance, 40);
        rowBox("Text2", 0)->clear(); // the last row leaves the table
        QCOMPARE(countLabel(), QString("0"));
        // A row beyond the first free one refuses each keystroke and a click on its visible box.
        m_dialogs.clear();
        QTest::keyClicks(rowBox("Text1", 2), "Ovh");
        QCOMPARE(m_dialogs.messages(), QStringList(3, "List must be continuous."));
        QVERIFY(rowBox("Text1", 2)->text().isEmpty());
        QCheckBox* far = child<QCheckBox>("Check3_4");
        QTest::mouseClick(far, Qt::LeftButton);
        QCOMPARE(m_dialogs.messages().size(), 4);
        // Its caption and the model's value stay as they were.
        QCOMPARE(far->text(), QString("Off"));
        QCOMPARE(panel().window(4).windowVisible, 0.0);
    }

    // The boxes were typed for one panel; then a panel of two windows is opened into them.
    void fillWritesThePanelAndForgetsThePreviousOne() {
        for (int row = 0; row < 3; ++row)
            typeRow(row, "typed", "typed");
        QTest::mouseClick(child<QCheckBox>("Check3_2"), Qt::LeftButton);
        fs98::Panel opened = panel(); // the rows beyond the panel keep what they held
        opened.windowCount = 2;
        fs98::PanelWindow& main = opened.window(0);
        main.windowTitle = "Tableau de bord \xE9t\xE9 \x80\x81\t"; // Windows-1252 bytes
        main.windowSizeRatio = 0; // missing from the file: full size
        main.windowPosition = 15;
        main.windowIdent = fs98::WindowIdent::fromNumber(3);
        fs98::PanelWindow& radios = opened.window(1);
        radios.windowTitle.clear(); // a window without title still counts
        radios.windowBitmap = "radio.";
        radios.windowSizeRatio = 0.5;
        radios.windowIdent = fs98::WindowIdent::fromText("abc");
        opened.defaultViewX = 9000;

        m_documents->replaceWithFs98(opened, {});
        m_window->fillFromModel();

        // Out-of-range values are checked as if typed.
        QCOMPARE(m_dialogs.messages(), QStringList(2, "Out of bound."));
        QCOMPARE(panel().window(0).windowPosition + panel().defaultViewX, 0.0);
        QCOMPARE(countLabel(), QString("2"));
        QCOMPARE(rowBox("Text1", 0)->text(), QString::fromUtf8("Tableau de bord été €\u0081\t"));
        QCOMPARE(panel().window(0).windowTitle,
                 std::string("Tableau de bord \xE9t\xE9 \x80\x81\t"));
        QCOMPARE(rowBox("Text4", 0)->text() + "|" + rowBox("Text4", 1)->text(), QString("1|.5"));
        QCOMPARE(panel().window(0).windowSizeRatio, 1.0);
        QCOMPARE(rowBox("Text7", 0)->text() + rowBox("Text7", 1)->text(), QString("3abc"));
        QCOMPARE(panel().window(1).windowBitmap, std::string("radio"));
        // The row beyond the panel is emptied on screen only; its stale boxes do not count.
        QVERIFY(rowBox("Text1", 2)->text().isEmpty() && !child<QCheckBox>("Check3_2")->isChecked());
        QCOMPARE(child<QCheckBox>("Check3_2")->text(), QString("Off"));
        QCOMPARE(panel().window(2).windowTitle, std::string("typed"));
        QTest::keyClicks(rowBox("Text1", 2), "Third");
        QCOMPARE(countLabel(), QString("2"));
        QTest::keyClicks(rowBox("Text2", 2), "third");
        QCOMPARE(countLabel(), QString("3"));
    }

    void oddTextKeepsTheModelSane() {
        typeRow(0, "Main", "main");
        // Characters without a key of their own, as a keyboard layout or input method sends them;
        // a full-width digit is no number.
        for (QLineEdit* edit : {rowBox("Text1", 0), child("Text9")}) {
            for (const QChar character : QString::fromUtf8("１Ω€é"))
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, character, Qt::NoModifier);
        }
        // Windows-1252 has no "１" and no "Ω": each is refused with its name, and only "€é"
        // reach the model.
        QCOMPARE(panel().window(0).windowTitle, std::string("Main\x80\xE9"));
        QCOMPARE(panel().defaultViewX, 0.0);
        QCOMPARE(m_dialogs.messages().size(), 4);
        QVERIFY(m_dialogs.messages().at(1).contains(QString::fromUtf8("Ω (U+03A9)")));
        m_dialogs.clear();
        // The box caps what it takes; the model holds exactly what the box shows.
        const QString longText(200000, QChar('7'));
        rowBox("Text1", 0)->setText(longText);
        QCOMPARE(QString::fromStdString(panel().window(0).windowTitle), rowBox("Text1", 0)->text());
        QVERIFY(m_dialogs.messages().isEmpty());
        rowBox("Text3", 0)->setText(longText); // beyond what FS98 places
        QCOMPARE(panel().window(0).windowSizeMm, 0.0);
        QCOMPARE(m_dialogs.messages(),
                 QStringList{"Window size must be a number from 0 to 32767."});
    }

    void colourOfWindowAndLabelsAndSizeFor1024By768() {
        m_app.templateColor = 0x336699; // blue 33, green 66, red 99
        m_window->applyTemplateColor();
        const QColor expected(0x99, 0x66, 0x33);
        QCOMPARE(m_window->palette().color(QPalette::Window), expected);
        const QList<QLabel*> all = m_window->findChildren<QLabel*>();
        for (QLabel* label : all) {
            QVERIFY2(label->autoFillBackground(), qPrintable(label->objectName()));
            QCOMPARE(label->palette().color(label->backgroundRole()), expected);
        }
        // Room for the main window's frame and menu bar around the template.
        const QSize needed = m_window->findChild<QScrollArea*>()->widget()->minimumSizeHint();
        QVERIFY(needed.width() <= 1000 && needed.height() <= 700);
        const QSize opening = m_window->sizeHint();
        QVERIFY(opening.width() >= needed.width() && opening.width() <= 1024);
        QVERIFY(opening.height() >= needed.height() && opening.height() <= 768);
    }

    // What the signals start is tested with the row commands; the bitmap chooser and the
    // optimizer come back through these setters.
    void buttonsCheckBoxesAndSetters() {
        typeRow(0, "Main", "main");
        // clang-format off
        const std::tuple<const char*, const char*, int> buttons[] = {
            {"Command1_4", SIGNAL(viewWindowRequested(int)), 4}, {"Command3_2", SIGNAL(sizeFromBitmapRequested(int)), 2},
            {"Command4_7", SIGNAL(bitmapListRequested(int)), 7}, {"Command6_0", SIGNAL(ratioFromBitmapRequested(int)), 0},
            {"Command2", SIGNAL(outsideViewRequested()), -1}, {"Command5", SIGNAL(paletteOptimizerRequested()), -1}};
        // clang-format on
        for (const auto& [name, signal, row] : buttons) {
            QSignalSpy spy(m_window.get(), signal);
            QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton);
            QCOMPARE(spy.size(), 1);
            QCOMPARE(spy.first().value(0).toInt(), qMax(row, 0));
        }
        // clang-format off
        const std::tuple<const char*, const char*, bool, bool, double> clicks[] = {
            {"Check3_0", "ON", true, true, 1}, {"Check3_0", "OFF", true, true, 0},
            {"Check1", "Don't save", false, true, 0}, {"Check2", "Erase all", false, false, 0},
            {"Check1", "Save", true, false, 0}, {"Check2", "Keep all", true, true, 0}};
        // clang-format on
        for (const auto& [name, caption, save, keep, visible] : clicks) {
            QTest::mouseClick(child<QCheckBox>(name), Qt::LeftButton);
            QCOMPARE(child<QCheckBox>(name)->text(), QString(caption));
            QCOMPARE(m_documents->fs98().paletteOptions().saveNewPalette, save);
            QCOMPARE(m_documents->fs98().paletteOptions().keepColors, keep);
            QCOMPARE(panel().window(0).windowVisible, visible);
        }
        m_window->setBitmapText(1, "second.");
        QCOMPARE(panel().window(1).windowBitmap, std::string("second"));
        m_window->setBitmapText(9, "x"); // no such row: ignored
        m_documents->fs98().setPaletteProposal({12, "result.txt", {}});
        QCOMPARE(child<QLabel>("Label17")->text(), QString("12"));
    }

    // A screen reader names each box after its column and row, or each cell of an fs2k panel.
    void rowsFollowTheFileAndTheNineRowsGiveWay() {
        QCOMPARE(unnamedControls(m_window.get()), QStringList());
        openFs2k();
        QCOMPARE(unnamedControls(m_window.get()), QStringList());
        QVERIFY(m_window->fs2kTable()->isVisible());
        QVERIFY(!m_window->findChild<QScrollArea*>()->isVisible());
        QCOMPARE(table()->rowCount(), 3);
        QCOMPARE(table()->verticalHeaderItem(0)->text(), QStringLiteral("[Window05]"));
        QCOMPARE(table()->verticalHeaderItem(2)->text(), QStringLiteral("[Vcockpit01]"));
        QCOMPARE(cell(0, fs2k::Column::Title), QStringLiteral("Overhead"));
        QCOMPARE(cell(1, fs2k::Column::SizeW), QStringLiteral("640"));
        QVERIFY(!(table()->item(2, int(fs2k::Column::Title))->flags() & Qt::ItemIsEditable));

        // An FS98 panel opened afterwards brings the nine rows back.
        m_documents->replaceWithFs98(fs98::Panel{}, {});
        QVERIFY(!m_window->fs2kTable()->isVisible());
        QVERIFY(m_window->findChild<QScrollArea*>()->isVisible());
    }

    // A refused value is named and leaves the line; a good one changes it as one step.
    void aTypedCellChangesItsLineAsOneStep() {
        openFs2k();
        type(1, fs2k::Column::SizeW, QStringLiteral("-5"));
        QCOMPARE(m_dialogs.messages(), QStringList{"Incorrect value."});
        QCOMPARE(bytes(), kText);
        QCOMPARE(m_documents->current().undoStack()->count(), 0);
        QCOMPARE(cell(1, fs2k::Column::SizeW), QStringLiteral("640")); // the line's value again
        // Where each typed key goes in the lines is the core tests'.
        type(1, fs2k::Column::SizeW, QStringLiteral("800"));
        QCOMPARE(m_documents->current().undoStack()->count(), 1);
        QVERIFY(bytes().find("SIZE_MM=800") != std::string::npos);
        type(0, fs2k::Column::Position, QStringLiteral("7"));
        QCOMPARE(cell(0, fs2k::Column::Position), QStringLiteral("7"));
        type(0, fs2k::Column::Title, QStringLiteral("Roof"));
        QVERIFY(bytes().find("Window05=Roof") != std::string::npos);
        type(2, fs2k::Column::PixelSize, QStringLiteral("512,256"));
        QVERIFY(bytes().find("texture=$VC01\npixel_size=512,256\n") != std::string::npos);
        QCOMPARE(m_documents->current().undoStack()->count(), 4);
        QCOMPARE(cell(0, fs2k::Column::Instruments), QStringLiteral("1"));
        QVERIFY(!(table()->item(0, int(fs2k::Column::Instruments))->flags() & Qt::ItemIsEditable));

        // Undone, the cells show the opened file again.
        for (int step = 0; step < 4; ++step)
            m_documents->current().undo();
        QCOMPARE(bytes(), kText);
        QCOMPARE(cell(1, fs2k::Column::SizeW), QStringLiteral("640"));
        QCOMPARE(cell(0, fs2k::Column::Position), QString());
        QVERIFY(!m_documents->current().isModified());
    }

    void windowsAreAddedAndRemovedAfterAQuestion() {
        openFs2k();
        QTest::mouseClick(m_window->findChild<QPushButton*>("laterAddWindow"), Qt::LeftButton);
        QCOMPARE(table()->rowCount(), 4);
        QCOMPARE(m_documents->current().undoStack()->count(), 1);
        QCOMPARE(table()->verticalHeaderItem(3)->text(), QStringLiteral("[Window01]"));
        QVERIFY(m_documents->fs2k().panel().titleOf(1) != nullptr);
        QCOMPARE(table()->currentRow(), 3);

        table()->setCurrentCell(0, 0);
        m_dialogs.queueQuestionAnswer(false);
        QTest::mouseClick(m_window->findChild<QPushButton*>("laterRemoveWindow"), Qt::LeftButton);
        QCOMPARE(table()->rowCount(), 4);
        m_dialogs.queueQuestionAnswer(true);
        QTest::mouseClick(m_window->findChild<QPushButton*>("laterRemoveWindow"), Qt::LeftButton);
        QCOMPARE(table()->rowCount(), 3);
        QCOMPARE(table()->verticalHeaderItem(0)->text(), QStringLiteral("[Window00]"));
        QVERIFY(m_documents->fs2k().panel().titleOf(5) == nullptr);
        QCOMPARE(m_documents->current().undoStack()->count(), 2);

        m_documents->current().undo();
        m_documents->current().undo();
        QCOMPARE(bytes(), kText);
        QCOMPARE(table()->rowCount(), 3);
        QCOMPARE(table()->verticalHeaderItem(0)->text(), QStringLiteral("[Window05]"));
    }

    void aUtf8PanelShowsAndTakesItsTitlesAsUtf8() {
        openFs2k();
        const std::string utf8 = "[Window Titles]\r\nWindow00=Haupt\xC3\xBC"
                                 "bersicht\r\n"
                                 "[Window00]\r\nfile=main.bmp\r\n";
        m_documents->replaceWithFs2k(fs2k::PanelLines(utf8), "panel.cfg");
        QCOMPARE(cell(0, fs2k::Column::Title), QString::fromUtf8("Haupt\u00fcbersicht"));
        type(0, fs2k::Column::Title, QString::fromUtf8("M\u00e9t\u00e9o"));
        QVERIFY(bytes().find("Window00=M\xC3\xA9t\xC3\xA9o") != std::string::npos);

        // A Windows-1252 panel refuses what it cannot hold, rather than writing "?".
        m_documents->replaceWithFs2k(fs2k::PanelLines(kText), "panel.cfg");
        type(0, fs2k::Column::Title, QString::fromUtf8("été ✈"));
        QCOMPARE(bytes(), kText);
        QCOMPARE(m_dialogs.messages().size(), 1);
    }

private:
    template <typename T = QLineEdit> T* child(const QString& name) const {
        auto* found = m_window->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit* rowBox(const char* name, int row) const {
        return child(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(row));
    }
    QString countLabel() const { return child<QLabel>("Label15")->text(); }
    void typeRow(int row, const QString& title, const QString& bitmap) {
        QTest::keyClicks(rowBox("Text1", row), title);
        QTest::keyClicks(rowBox("Text2", row), bitmap);
    }

    const fs98::Panel& panel() const { return m_documents->fs98().panel(); }

    void openFs2k() {
        m_documents->replaceWithFs2k(fs2k::PanelLines(kText), "panel.cfg");
        m_dialogs.clear();
    }
    QTableWidget* table() const { return m_window->fs2kTable()->table(); }
    QString cell(int row, fs2k::Column column) const {
        return table()->item(row, int(column))->text();
    }
    std::string bytes() const { return m_documents->fs2k().lines().bytes(); }
    // Types into a cell as a user does: the editor opened, the text typed, Enter.
    void type(int row, fs2k::Column column, const QString& text) {
        QTableWidgetItem* item = table()->item(row, int(column));
        table()->setCurrentItem(item);
        table()->editItem(item);
        auto* editor = table()->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr);
        editor->selectAll();
        editor->insert(text); // as a keyboard or an input method types it, any character
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the view commits the editor's text queued
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // and drops it
    }

    AppModel m_app;
    std::unique_ptr<PanelDocuments> m_documents;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<TemplateWindow> m_window;
};

COCKPIX_TEST_CLASS(TemplateWindowTest)
#include "tst_templatewindow.moc"

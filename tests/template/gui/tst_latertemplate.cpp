// The template of a panel of FS2000 and later, driven offscreen: one row per window and
// virtual cockpit in file order, a typed cell changing its one line (or adding the key
// after the section's last key line) as one undo step, refused values with their message,
// and windows added under the next free number and removed after a question.

#include "app/core/appmodel.h"
#include "guisupport/accessibility.h"
#include "guisupport/scripteddialogs.h"
#include "panel/gui/paneldocument.h"
#include "template/core/latertable.h"
#include "template/gui/laterwindowtable.h"
#include "template/gui/templatewindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>
#include <memory>

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

class LaterTemplateTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_document = std::make_unique<PanelDocument>();
        m_window = std::make_unique<TemplateWindow>(*m_document, m_app, m_dialogs);
        m_window->show();
        m_document->replaceLaterPanel(PanelLines(kText), "panel.cfg");
        m_dialogs.clear();
    }
    void cleanup() {
        QVERIFY(m_dialogs.verifyAllAnswersUsed());
        m_window.reset();
        m_document.reset();
    }

    void rowsFollowTheFileAndTheNineRowsGiveWay() {
        QVERIFY(m_window->laterTable()->isVisible());
        QVERIFY(!m_window->findChild<QScrollArea*>()->isVisible());
        QCOMPARE(table()->rowCount(), 3);
        QCOMPARE(table()->verticalHeaderItem(0)->text(), QStringLiteral("[Window05]"));
        QCOMPARE(table()->verticalHeaderItem(2)->text(), QStringLiteral("[Vcockpit01]"));
        QCOMPARE(cell(0, LaterColumn::Title), QStringLiteral("Overhead"));
        QCOMPARE(cell(0, LaterColumn::Bitmap), QStringLiteral("16,16,16"));
        QCOMPARE(cell(0, LaterColumn::SizeH), QStringLiteral("120"));
        QCOMPARE(cell(1, LaterColumn::SizeW), QStringLiteral("640"));
        QCOMPARE(cell(1, LaterColumn::Visible), QStringLiteral("1"));
        QCOMPARE(cell(1, LaterColumn::Position), QString());
        QVERIFY(!(table()->item(2, int(LaterColumn::Title))->flags() & Qt::ItemIsEditable));

        // An FS98 panel opened afterwards brings the nine rows back.
        m_document->replacePanel(Panel{}, {});
        QVERIFY(!m_window->laterTable()->isVisible());
        QVERIFY(m_window->findChild<QScrollArea*>()->isVisible());
    }

    void aTypedCellChangesItsLineAsOneStep() {
        type(1, LaterColumn::SizeW, QStringLiteral("800"));
        QCOMPARE(m_document->undoStack()->count(), 1);
        std::string expected = kText;
        expected.replace(expected.find("SIZE_MM=640"), 11, "SIZE_MM=800");
        QCOMPARE(bytes(), expected);

        // A key the section lacks comes after its last key line, the gauge's.
        type(0, LaterColumn::Position, QStringLiteral("7"));
        expected.insert(expected.find("\n", expected.find("gauge00=")) + 1, "position=7\n");
        QCOMPARE(bytes(), expected);
        QCOMPARE(cell(0, LaterColumn::Position), QStringLiteral("7"));

        type(0, LaterColumn::Title, QStringLiteral("Roof"));
        expected.replace(expected.find("Window05=Overhead"), 17, "Window05=Roof");
        QCOMPARE(bytes(), expected);
        QCOMPARE(m_document->undoStack()->count(), 3);

        // Undone, the cells show the opened file again.
        m_document->undo();
        m_document->undo();
        m_document->undo();
        QCOMPARE(bytes(), kText);
        QCOMPARE(cell(1, LaterColumn::SizeW), QStringLiteral("640"));
        QCOMPARE(cell(0, LaterColumn::Position), QString());
        QVERIFY(!m_document->isModified());
    }

    void badValuesAreRefusedWithTheirMessage() {
        type(1, LaterColumn::SizeW, QStringLiteral("-5"));
        QCOMPARE(m_dialogs.messages(), QStringList{"Incorrect value."});
        QCOMPARE(bytes(), kText);
        QCOMPARE(m_document->undoStack()->count(), 0);
        QCOMPARE(cell(1, LaterColumn::SizeW), QStringLiteral("640")); // the line's value again
    }

    void windowsAreAddedAndRemovedAfterAQuestion() {
        QTest::mouseClick(m_window->findChild<QPushButton*>("laterAddWindow"), Qt::LeftButton);
        QCOMPARE(table()->rowCount(), 4);
        QCOMPARE(m_document->undoStack()->count(), 1);
        QCOMPARE(table()->verticalHeaderItem(3)->text(), QStringLiteral("[Window01]"));
        QVERIFY(m_document->laterPanel().titleOf(1) != nullptr);
        QCOMPARE(table()->currentRow(), 3);

        table()->setCurrentCell(0, 0);
        m_dialogs.queueQuestionAnswer(false);
        QTest::mouseClick(m_window->findChild<QPushButton*>("laterRemoveWindow"), Qt::LeftButton);
        QCOMPARE(table()->rowCount(), 4);
        m_dialogs.queueQuestionAnswer(true);
        QTest::mouseClick(m_window->findChild<QPushButton*>("laterRemoveWindow"), Qt::LeftButton);
        QCOMPARE(table()->rowCount(), 3);
        QCOMPARE(table()->verticalHeaderItem(0)->text(), QStringLiteral("[Window00]"));
        QVERIFY(m_document->laterPanel().titleOf(5) == nullptr);
        QCOMPARE(m_document->undoStack()->count(), 2);

        m_document->undo();
        m_document->undo();
        QCOMPARE(bytes(), kText);
        QCOMPARE(table()->rowCount(), 3);
        QCOMPARE(table()->verticalHeaderItem(0)->text(), QStringLiteral("[Window05]"));
    }

    void aUtf8PanelShowsAndTakesItsTitlesAsUtf8() {
        const std::string utf8 = "[Window Titles]\r\nWindow00=Haupt\xC3\xBC"
                                 "bersicht\r\n"
                                 "[Window00]\r\nfile=main.bmp\r\n";
        m_document->replaceLaterPanel(PanelLines(utf8), "panel.cfg");
        QCOMPARE(cell(0, LaterColumn::Title), QString::fromUtf8("Haupt\u00fcbersicht"));
        type(0, LaterColumn::Title, QString::fromUtf8("M\u00e9t\u00e9o"));
        std::string expected = utf8;
        expected.replace(expected.find("Haupt"), 15, "M\xC3\xA9t\xC3\xA9o");
        QCOMPARE(bytes(), expected);

        // A Windows-1252 panel keeps its one byte a character.
        m_document->replaceLaterPanel(PanelLines(kText), "panel.cfg");
        type(0, LaterColumn::Title, QString::fromUtf8("M\u00e9t\u00e9o"));
        QVERIFY(bytes().find("Window05=M\xE9t\xE9o\n") != std::string::npos);
    }

    void everyControlHasAnAccessibleName() {
        QCOMPARE(unnamedControls(m_window.get()), QStringList());
    }

private:
    QTableWidget* table() const { return m_window->laterTable()->table(); }
    QString cell(int row, LaterColumn column) const {
        return table()->item(row, int(column))->text();
    }
    std::string bytes() const { return m_document->laterLines().bytes(); }
    // Types into a cell as a user does: the editor opened, the text typed, Enter.
    void type(int row, LaterColumn column, const QString& text) {
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
    std::unique_ptr<PanelDocument> m_document;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<TemplateWindow> m_window;
};

QTEST_MAIN(LaterTemplateTest)
#include "tst_latertemplate.moc"

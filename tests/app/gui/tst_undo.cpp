// Undo and redo as a user meets them in the main window: one step per box typed into, the
// boxes put back with the panel, the Edit menu's captions and keys, the modified mark of
// the caption, and the question that keeps unsaved changes from being lost.

#include "gaugedialogs/gui/gaugedialogs.h"
#include "gaugedialogs/gui/movezoomdialog.h"
#include "panelwindows/gui/demopanel.h"
#include "panelwindows/gui/fs98/panelwindow.h"
#include "panelwindows/gui/panelview.h"
#include "panelwindows/gui/panelwindowregistry.h"
#include "shellfixture.h"
#include "template/gui/templaterowcommands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHash>
#include <QPointer>
#include <QUndoView>

using namespace cockpix;

namespace {

const QString kUnsaved = QStringLiteral("The panel has changes that are not saved.");

} // namespace

class TestUndo : public QObject {
    Q_OBJECT

    std::unique_ptr<ShellFixture> f;
    QString panelFile;

    void typeInto(const char* name, const QString& text) const {
        QLineEdit* edit = f->box(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab); // leaving the box ends its step
    }
    // "&Zoom..." of panel window 0 (Ctrl+Z), then OK as it opened.
    void zoomWithoutChange() const {
        QPointer<fs98::PanelWindowForm> form = f->window->rowCommands().panelForms().at(0);
        QVERIFY(form != nullptr);
        form->findChild<QAction*>("mnumove")->trigger();
        MoveZoomDialog* zoom = f->window->gaugeDialogs().moveZoomDialog();
        QVERIFY(zoom != nullptr);
        zoom->findChild<QPushButton*>("Command4")->click();
        // Drawn again as a new window.
        QVERIFY(form.isNull() && f->window->rowCommands().panelForms().at(0) != nullptr);
    }
    QByteArray fileBytes() const { return test::bytesOf(panelFile); }
    // Every key of the commands reachable now (the window's own, the menu bar's, those of
    // the panel window with the focus and of its frame) belongs to one command.
    void verifyNoKeyClash(QWidget* focused) const {
        QList<QAction*> actions = f->window->actions();
        QList<QMenu*> menus;
        for (QAction* item : f->window->menuBar()->actions())
            if (item->menu())
                menus.append(item->menu());
        while (!menus.isEmpty()) {
            for (QAction* item : menus.takeFirst()->actions()) {
                actions.append(item);
                if (item->menu())
                    menus.append(item->menu());
            }
        }
        if (focused)
            actions += focused->actions();
        // The frame's own menu too (its Close has a key on most desktops).
        if (QMdiSubWindow* active = f->window->mdiArea()->activeSubWindow())
            actions += active->systemMenu()->actions();
        QHash<QString, QAction*> owner;
        for (QAction* action : actions) {
            for (const QKeySequence& key : action->shortcuts()) {
                QAction*& first = owner[key.toString()];
                if (first && first != action)
                    QFAIL(qPrintable(key.toString() + " is " + first->objectName() + " and " +
                                     action->objectName()));
                first = action;
            }
        }
    }

    // Opens the demo panel with its directories in the settings file, which Open reads again.
    bool openWithItsDirectories(const DemoPanel& demo) {
        Directories dirs;
        demo.setDirectories(dirs);
        f->writeSettingsLines(
            {QString::fromStdString(dirs.gaugesDir), QString::fromStdString(dirs.bmpDir),
             QString::fromStdString(dirs.paletteDir), QString::fromStdString(dirs.panelDir),
             QString::fromStdString(dirs.programDir)});
        return f->window->panelCommands().openPath(demo.panelFile()) &&
               f->app.dirs.gaugesDir == dirs.gaugesDir;
    }

private slots:
    void init() {
        f = std::make_unique<ShellFixture>();
        f->writeUsualSettings();
        panelFile = f->copySample("c182");
        f->start();
        QVERIFY(f->window->panelCommands().openPath(panelFile));
        f->dialogs.clear();
        f->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->window.get()));
    }
    void cleanup() {
        f->verifyNoDialogErrors();
        f.reset();
    }

    // "640" is three keys and one step; Undo puts the box and the panel back, Redo again.
    void typingIntoABoxIsOneStepAndUndoPutsTheBoxBack() {
        QCOMPARE(f->box("Text3_1")->text(), QStringLiteral("200"));
        typeInto("Text3_1", "640");
        QCOMPARE(f->document.panel().window(1).windowSizeMm, 640.0);
        QCOMPARE(f->document.undoStack()->count(), 1);
        QCOMPARE(f->action("mnuundo")->text(), QStringLiteral("&Undo Window 01 size"));
        QVERIFY(f->action("mnuundo")->isEnabled() && !f->action("mnuredo")->isEnabled());
        f->trigger("mnuundo");
        QCOMPARE(f->box("Text3_1")->text(), QStringLiteral("200"));
        QCOMPARE(f->document.panel().window(1).windowSizeMm, 200.0);
        QCOMPARE(f->action("mnuredo")->text(), QStringLiteral("&Redo Window 01 size"));
        f->trigger("mnuredo");
        QCOMPARE(f->box("Text3_1")->text(), QStringLiteral("640"));

        // A second visit to the same box is a step of its own.
        typeInto("Text3_1", "641");
        QCOMPARE(f->document.undoStack()->count(), 2);
        // An undone title takes its row out of the panel again, and the count label follows.
        typeInto("Text1_3", "Overhead");
        typeInto("Text2_3", "overhead");
        QCOMPARE(f->document.panel().windowCount, 4);
        f->trigger("mnuundo");
        QCOMPARE(f->document.panel().windowCount, 3);
        QVERIFY(f->box("Text2_3")->text().isEmpty());
        QCOMPARE(f->box("Text1_3")->text(), QStringLiteral("Overhead"));
        QCOMPARE(f->window->templateWindow()->findChild<QLabel*>("Label15")->text(),
                 QStringLiteral("3"));
        QVERIFY(f->dialogs.messages().isEmpty()); // the boxes were set without their checks
    }

    void viewBoxesPaletteOptionsAndTheEditKeys() {
        typeInto("Text9", "100");
        QTest::mouseClick(f->window->templateWindow()->findChild<QCheckBox*>("Check2"),
                          Qt::LeftButton);
        QVERIFY(!f->document.paletteOptions().keepColors);
        QCOMPARE(f->document.undoStack()->count(), 2);
        QWidget* focus = f->box("Text10");
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Backspace, Qt::AltModifier);
        auto* keep = f->window->templateWindow()->findChild<QCheckBox*>("Check2");
        QVERIFY(!keep->isChecked() && keep->text() == QStringLiteral("Keep all"));
        QVERIFY(f->document.paletteOptions().keepColors);
        QTest::keyClick(focus, Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(f->box("Text9")->text(), QStringLiteral("0"));
        QTest::keyClick(focus, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f->box("Text9")->text(), QStringLiteral("100"));
        QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(keep->isChecked() && keep->text() == QStringLiteral("Erase all"));

        f->trigger("mnuhistory");
        QVERIFY(f->window->historyView() && f->window->historyView()->isVisible());
        QCOMPARE(f->window->historyView()->stack(), f->document.undoStack());
    }

    // The caption says "*" while the panel differs from the file, and reads as before when
    // it does not: after an undo back to the start and after Save; a panel window rebuilt by
    // the Zoom dialog (OK with nothing changed) leaves the mark as the panel has it.
    void theModifiedMarkFollowsEditsUndoSaveAndZoom() {
        DemoPanel demo;
        QVERIFY2(demo.isValid(), "the demo installation was not generated into the build");
        QVERIFY(openWithItsDirectories(demo));
        const QString caption = kCaptionPrefix + demo.panelDir();
        QCOMPARE(f->window->shownCaption(), caption);
        f->window->showPanelWindow(0);
        f->document.moveGauge(0, 0, 12, 34); // as a drag on the panel window does
        QVERIFY(f->window->isWindowModified());
        f->trigger("mnuundo");
        QCOMPARE(f->window->shownCaption(), caption);
        f->trigger("mnuredo");
        zoomWithoutChange();
        QCOMPARE(f->window->shownCaption(), caption + "*");
        f->dialogs.queueSaveFile(demo.panelFile());
        f->trigger("mnusave");
        QCOMPARE(f->window->shownCaption(), caption);
        zoomWithoutChange();
        QCOMPARE(f->window->shownCaption(), caption);
        f->document.moveGauge(0, 0, 56, 78);
        QCOMPARE(f->window->shownCaption(), caption + "*");
    }

    // Options > "Standard desktop keys": Ctrl+Z undoes (from a box too), Ctrl+C copies the
    // selected gauges, Ctrl+W closes, Zoom moves to Ctrl+Shift+M; the menus show the keys in
    // force and, with either set, no two commands reachable at once share a key. The choice
    // survives a restart; off, the keys are COCKPIX's own.
    void standardDesktopKeysUndoCopyAndCloseWithoutClashing() {
        DemoPanel demo;
        QVERIFY2(demo.isValid(), "the demo installation was not generated into the build");
        QVERIFY(openWithItsDirectories(demo));
        const auto keysOf = [this](const char* name) {
            return f->action(name)->shortcut().toString();
        };
        const auto form = [this] { return f->window->rowCommands().panelForms().at(0); };
        QVERIFY(!f->action("mnustandardkeys")->isChecked());
        for (const bool standard : {false, true}) {
            if (standard)
                f->trigger("mnustandardkeys");
            f->window->showPanelWindow(0);
            QVERIFY(form());
            QCOMPARE(form()->findChild<QAction*>("mnumove")->shortcut().toString(),
                     standard ? "Ctrl+Shift+M" : "Ctrl+Z");
            QCOMPARE(form()->findChild<QAction*>("mnuclose")->shortcut().toString(),
                     standard ? "Ctrl+W" : "Ctrl+C");
            const QStringList shown = {keysOf("mnuclose"), keysOf("mnuundo"), keysOf("mnuredo"),
                                       keysOf("mnucut"),   keysOf("mnucopy"), keysOf("mnupaste")};
            const QStringList expected =
                standard
                    ? QStringList{"Ctrl+W", "Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+X", "Ctrl+C", "Ctrl+V"}
                    : QStringList{"Ctrl+C",    "Alt+Backspace", "Ctrl+Y",
                                  "Shift+Del", "Ctrl+Ins",      "Shift+Ins"};
            QCOMPARE(shown, expected);
            verifyNoKeyClash(form()); // the panel window's menus shown
            f->window->mdiArea()->setActiveSubWindow(f->window->templateSubWindow());
            verifyNoKeyClash(nullptr); // the template's
            f->window->showPanelWindow(0);
        }

        // Ctrl+C copies, Ctrl+Z undoes, Ctrl+W closes the panel window.
        QPointer<fs98::PanelWindowForm> shown = form();
        shown->view()->selectGauge(0);
        shown->view()->setFocus();
        QTest::keyClick(shown->view(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(shown && QGuiApplication::clipboard()->text().startsWith("gauge00="));
        f->document.moveGauge(0, 0, 12, 34);
        QTest::keyClick(shown->view(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!f->document.undoStack()->canUndo());
        QTest::keyClick(shown->view(), Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY(shown.isNull() || !shown->isVisible());

        f->window.reset();
        f->start();
        QVERIFY(f->action("mnustandardkeys")->isChecked());
        QCOMPARE(keysOf("mnuundo"), QStringLiteral("Ctrl+Z"));
        f->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->window.get()));
        const std::string title = f->document.panel().window(0).windowTitle;
        typeInto("Text1_0", "Edited");
        QCOMPARE(f->document.panel().window(0).windowTitle, std::string("Edited"));
        QTest::keyClick(f->box("Text1_0"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->document.panel().window(0).windowTitle, title);
        f->trigger("mnustandardkeys"); // off again, for the tests after this one
        QCOMPARE(keysOf("mnuundo"), QStringLiteral("Alt+Backspace"));
    }

    // Quit, New, Open, Close Template and the frame's close box ask first; Cancel ends the
    // command with the panel as it was; Discard goes on as without changes; Save saves first.
    void unsavedChangesAreNeverLostSilently() {
        typeInto("Text1_0", "Edited");
        const fs98::Panel edited = f->document.panel();
        QSignalSpy ending(f->window.get(), &MainWindow::programEnding);
        const struct {
            const char* command; // nullptr: the frame's close box
        } rows[] = {{"mnuquit"}, {"mnunew"}, {"mnuopen"}, {"mnuclose"}, {nullptr}};
        for (const auto& row : rows) {
            f->dialogs.queueSaveChoice(SaveChoice::Cancel);
            if (row.command)
                f->trigger(row.command);
            else
                QVERIFY(!f->window->close());
            QCOMPARE(f->dialogs.saveQuestions().last(), kUnsaved);
            QVERIFY(f->dialogs.questions().isEmpty());
            QVERIFY(f->document.panel() == edited);
            QVERIFY(f->window->isVisible() && f->window->templateWindow());
        }
        QCOMPARE(ending.count(), 0);

        // Discard is an answer too: Quit ends at once, asking nothing more and saving nothing.
        f->dialogs.queueSaveChoice(SaveChoice::Discard);
        f->trigger("mnuquit");
        QCOMPARE(ending.count(), 1);
        QVERIFY(!fileBytes().contains("window00=Edited"));
        // Save, then Quit ends without asking a second time; the file holds the edit.
        f->window->show();
        f->dialogs.queueSaveChoice(SaveChoice::Save);
        f->dialogs.queueSaveFile(panelFile);
        f->trigger("mnuquit");
        QVERIFY(f->dialogs.questions().isEmpty());
        QCOMPARE(ending.count(), 2);
        QVERIFY(fileBytes().contains("window00=Edited"));
        QVERIFY(f->dialogs.verifyAllAnswersUsed());
    }

    // A save that does not happen (cancelled dialog) keeps the command from going on.
    void aCancelledSaveKeepsTheChanges() {
        typeInto("Text1_0", "Edited");
        f->dialogs.queueSaveChoice(SaveChoice::Save);
        f->dialogs.queueSaveFile(std::nullopt);
        f->trigger("mnunew");
        QCOMPARE(f->document.panel().window(0).windowTitle, std::string("Edited"));
        QVERIFY(f->dialogs.questions().isEmpty());
        // Without changes nothing new is asked.
        f->trigger("mnuundo");
        f->dialogs.queueQuestionAnswer(true);
        f->trigger("mnunew");
        QVERIFY(f->dialogs.saveQuestions().size() == 1);
        QCOMPARE(f->document.panel().windowCount, 0);
        QVERIFY(!f->document.undoStack()->canUndo()); // New leaves nothing to undo
    }
};

COCKPIX_TEST_CLASS(TestUndo)
#include "tst_undo.moc"

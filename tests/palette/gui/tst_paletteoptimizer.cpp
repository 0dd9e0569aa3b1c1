// The palette optimizer from the template's "PALETTE OPTIMIZER 2": the dialog's list,
// snapshot and refusals, a run that reaches the template, the preview and the saved file.

#include "app/gui/shellfixture.h"
#include "base/gui/modeltext.h"
#include "gaugefiles/core/bmpwriter.h"
#include "outview/gui/outsideviewtool.h"
#include "palette/core/colorproposal.h"
#include "palette/core/palettebitmaps.h"
#include "palette/core/windowbitmapchoice.h"
#include "palette/gui/paletteoptimizerdialog.h"
#include "template/gui/templatetoolcommands.h"

using namespace cockpix;

using test::bytesOf;

class TestPaletteOptimizer : public QObject {
    Q_OBJECT

private slots:
    // Three windows; bg0 and bg1 lie in the panel directory, bg2 does not.
    void init() {
        m_shell = std::make_unique<ShellFixture>();
        m_shell->startOnPanelOf(3);
        QDir(paletteDir()).removeRecursively();
        QDir().mkpath(panelDir());
        writeBitmap("bg0.bmp", bmpFileBytes(test::fourColours(), 4));
        writeBitmap("BG1.BMP", bmpFileBytes(IndexedImage(32, 8, 3)));
    }

    void cleanup() {
        m_shell->verifyNoDialogErrors();
        m_shell.reset();
    }

    void theListChoosesAWindowOrNamesAMissingBitmap() {
        AppModel& app = m_shell->app;
        app.currentWindow = 2;
        PaletteOptimizerDialog* dialog = openDialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(app.currentWindow, 0);
        QVERIFY(QDir(paletteDir()).exists());
        QStringList entries;
        for (int i = 0; i < dialog->list()->count(); ++i)
            entries << dialog->list()->item(i)->text();
        QCOMPARE(entries, QStringList({"bg0", "bg1", "bg2"}));

        clickListEntry(dialog->list(), 1); // found whatever its case
        QCOMPARE(app.currentWindow, 1);
        QCOMPARE(QString::fromStdString(app.chosenBitmapPath), panelDir() + "bg1.bmp");
        QVERIFY(!dialog->snapshot()->pixmap().isNull());

        clickListEntry(dialog->list(), 2);
        QCOMPARE(app.bitmapMissing, 1);
        QVERIFY(dialog->snapshot()->pixmap().isNull());
        QCOMPARE(m_shell->dialogs.messages(),
                 QStringList(toQString(cantFindBitmapMessage("bg2", panelDir().toStdString()))));
        clickButton(dialog, "Command1"); // refused: nothing runs, the dialog stays
        QVERIFY(dialog->isVisible());
        QVERIFY(!QFile::exists(paletteDir() + "result_bg2.txt"));

        // The bitmap is put in place: choosing the same entry again shows it.
        writeBitmap("bg2.bmp", bmpFileBytes(IndexedImage(8, 8)));
        clickListEntry(dialog->list(), 2);
        QCOMPARE(app.bitmapMissing, 0);
        QCOMPARE(m_shell->dialogs.messages().size(), 1);

        clickButton(dialog, "Command2"); // Cancel: no run, no proposal
        QTRY_VERIFY(m_shell->window->toolCommands().optimizerDialog() == nullptr);
        QVERIFY(QDir(paletteDir()).isEmpty());
        QCOMPARE(addedColors(), QString("0"));
    }

    // "-3" in the threshold box is stored as 3 for the template, but the optimizer takes -3,
    // which refuses nothing but black: the grey of FS98's palette is proposed too.
    void okRunsTheOptimizerOnTheThresholdAsTyped() {
        auto* threshold = m_shell->window->templateWindow()->findChild<QLineEdit*>("Text13");
        const struct {
            const char* threshold;
            int advised;
        } cases[] = {{"5", 2}, {"-3", 3}};
        for (const auto& c : cases) {
            threshold->setText(c.threshold);
            PaletteOptimizerDialog* dialog = openDialog();
            const int steps = m_shell->document.undoStack()->count();
            runOnWindowZero(dialog);
            QTRY_VERIFY(m_shell->window->toolCommands().optimizerDialog() == nullptr);
            QCOMPARE(m_shell->dialogs.lastMessage(),
                     QString::fromStdString(scannedMessage(c.advised)));
            QCOMPARE(addedColors(), QString::number(c.advised));
            QCOMPARE(m_shell->document.undoStack()->count(), steps + 1);
            QCOMPARE(QString::fromStdString(m_shell->document.paletteProposal().resultFile),
                     paletteDir() + "result_bg0.txt");
        }
        QCOMPARE(m_shell->app.paletteTolerance, 3);
        QVERIFY(QFile::exists(paletteDir() + "palette_bg0.txt"));

        // The preview of the last run stands beside the template.
        auto previews = m_shell->window->findChildren<PalettePreviewWindow*>();
        QVERIFY(!previews.isEmpty());
        QVERIFY(previews.last()->offShareLabel()->text().startsWith(
            "Pixels farther than the tolerance (-3) from what FS98 shows:"));
        QVERIFY(!previews.last()->findChild<QLabel*>("pictureProposal")->pixmap().isNull());

        m_shell->document.undo();
        QCOMPARE(addedColors(), QString("2"));
    }

    void aSaveWritesTheProposalUnlessEraseAllIsChecked() {
        m_shell->document.setColorLines({"c00=1,2,3"});
        runOnWindowZero(openDialog());
        const QString saved = panelDir() + "panel.cfg";
        m_shell->dialogs.queueSaveFile(saved);
        QVERIFY(m_shell->window->panelCommands().save());
        const QByteArray text = bytesOf(saved);
        QVERIFY2(text.contains("\r\n\r\n[8 bit colors]\r\n\r\ncolor00= 200, 16, 8\r\n"
                               "color01= 10, 200, 30\r\n\r\n[Default View]"),
                 text.constData());
        QVERIFY(!text.contains("c00=1,2,3"));

        m_shell->window->templateWindow()->findChild<QCheckBox*>("Check2")->click(); // "Erase all"
        m_shell->dialogs.queueSaveFile(saved);
        QVERIFY(m_shell->window->panelCommands().save());
        const QByteArray erased = bytesOf(saved);
        QVERIFY(!erased.contains("colors]") && !erased.contains("Colors]") &&
                !erased.contains("c00"));
    }

    void aBitmapTheOptimizerCannotUseIsNamedAndTheDialogStays() {
        QVERIFY(QImage(20, 10, QImage::Format_RGB32).save(panelDir() + "bg0.bmp", "BMP"));
        PaletteOptimizerDialog* dialog = openDialog();
        runOnWindowZero(dialog);
        QVERIFY(m_shell->dialogs.lastMessage().startsWith("The palette optimizer cannot use '" +
                                                          panelDir() + "bg0.bmp':\n"));
        QVERIFY(dialog->isVisible());
        QCOMPARE(addedColors(), QString("0"));
        QCOMPARE(m_shell->document.undoStack()->count(), 0);
        QVERIFY(QDir(paletteDir()).isEmpty());
        clickButton(dialog, "Command2");
        QTRY_VERIFY(m_shell->window->toolCommands().optimizerDialog() == nullptr);

        // Both tool buttons: nothing while the panel has no window.
        m_shell->openPanelOf(0);
        QCOMPARE(openDialog(), nullptr);
        clickButton(m_shell->window->templateWindow(), "Command2");
        QCOMPARE(m_shell->window->toolCommands().outsideView().chooser(), nullptr);
    }

private:
    PaletteOptimizerDialog* openDialog() {
        clickButton(m_shell->window->templateWindow(), "Command5");
        return m_shell->window->toolCommands().optimizerDialog();
    }
    QString panelDir() const { return m_shell->path("fs98/aircraft/"); }
    QString paletteDir() const { return m_shell->path("fs98/gauges/palette/"); }
    QString addedColors() const {
        return m_shell->window->templateWindow()->findChild<QLabel*>("Label17")->text();
    }
    void writeBitmap(const QString& name, const std::string& bytes) const {
        QVERIFY(test::writeBytes(panelDir() + name, QByteArray::fromStdString(bytes)));
    }
    // Chooses entry 0 and presses OK.
    void runOnWindowZero(PaletteOptimizerDialog* dialog) {
        clickListEntry(dialog->list(), 0);
        clickButton(dialog, "Command1");
    }

    std::unique_ptr<ShellFixture> m_shell;
};

COCKPIX_TEST_CLASS(TestPaletteOptimizer)
#include "tst_paletteoptimizer.moc"

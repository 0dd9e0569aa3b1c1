// The add gauge dialog (Form5) on the demo: the module list, the refusal of a module the
// panel uses already, the recompute option, and the add, on the panel window at once; the
// size and reuse rules of a pick are the core tests'.

#include "guisupport/accessibility.h"
#include "guisupport/testprogram.h"
#include "panelwindows/gui/gaugewindows.h"
#include "support/testfiles.h"

#include "base/core/filelookup.h"
#include "gaugedialogs/core/gaugeaddition.h"
#include "gaugedialogs/gui/addgaugedialog.h"
#include "gaugefiles/core/gaugeextraction.h"
#include "gaugefiles/core/gaugemodule.h"
#include "gaugefiles/gui/progresswindow.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>

using namespace cockpix;

namespace {

// The captions of the progress windows that came up while it watched.
class ShownProgress : public QObject {
public:
    ShownProgress() { qApp->installEventFilter(this); }
    QStringList captions;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* progress = qobject_cast<ProgressWindow*>(watched))
                captions << progress->caption();
        return false;
    }
};

} // namespace

class TestAddGauge : public QObject {
    Q_OBJECT

    std::unique_ptr<GaugeWindows> f;
    fs98::PanelWindowForm* form = nullptr;

    AddGaugeDialog* dialog() const { return f->gaugeDialogs->addDialog(); }
    QListWidget* list() const { return dialog()->findChild<QListWidget*>("File1"); }
    QListWidgetItem* item(const QString& name) const {
        const auto found = list()->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
    void clickItem(const QString& name) const {
        QListWidgetItem* it = item(name);
        QVERIFY2(it, qPrintable(name));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(it).center());
    }
    void openFor(int w) {
        form = f->show(w);
        GaugeWindows::action(form, "mnuadd")->trigger();
        QVERIFY(dialog() != nullptr);
        QCOMPARE(dialog()->windowSlot(), w);
    }
    QString gauges() const { return f->demo->gaugesDir(); }
    // A module that reads as the demo airspeed, under another name.
    void copyModule(const QString& name) const {
        QVERIFY(QFile::copy(gauges() + "CESSNA_182.AIRSPEED.GAU", gauges() + name));
    }
    static void writeFile(const QString& path, const QByteArray& bytes) {
        QVERIFY(test::writeBytes(path, bytes));
    }

private slots:
    void init() {
        f = std::make_unique<GaugeWindows>();
        QVERIFY2(f->start(), "the demo installation was not generated into the build");
    }
    void cleanup() {
        QVERIFY2(f->dialogs.errors().isEmpty(), qPrintable(f->dialogs.errors().join("\n")));
        f.reset();
    }

    void listsTheModulesWhateverTheCaseOfTheirExtension() {
        writeFile(gauges() + "notes.txt", "x");
        copyModule("Extra.Gau");
        openFor(0);
        QStringList shown;
        for (int i = 0; i < list()->count(); ++i)
            shown << list()->item(i)->text();
        QVERIFY(shown.contains("CESSNA_182.AIRSPEED.GAU") && shown.contains("Extra.Gau"));
        QVERIFY(!shown.contains("notes.txt"));
        QCOMPARE(unnamedControls(dialog()), QStringList());
    }

    // A module used in another window is named with its place; OK then adds nothing and
    // the dialog stays.
    void aModuleThePanelUsesIsRefused() {
        openFor(1);
        clickItem("CESSNA_182.AIRSPEED.GAU");
        QCOMPARE(f->dialogs.messages(),
                 QStringList(QString::fromStdString(duplicateGaugeMessage({0, 2}).bytes())));
        QVERIFY(dialog()->pick().cancelled);
        dialog()->findChild<QPushButton*>("Command1")->click();
        QCOMPARE(f->steps(), 0);
        QVERIFY(dialog() != nullptr);
        // A double click on it adds nothing either.
        GaugeWindows::doubleClick(list(),
                                  list()->visualItemRect(item("CESSNA_182.AIRSPEED.GAU")).center());
        QCOMPARE(f->steps(), 0);
    }

    // A gauge added in one step, drawn on the panel window and selected, at the size its
    // picture gives (which size is the core tests').
    void theNewGaugeHasItsNaturalSize() {
        QVERIFY(QImage(300, 100, QImage::Format_RGB32).save(f->demo->panelDir() + "bg15.bmp"));
        fs98::Panel panel = f->document.panel();
        panel.window(0).windowBitmap = "bg15";
        panel.window(0).windowSizeMm = 200;
        f->replace(panel);
        writeFile(gauges() + "Wide.Gauge.GAU", "a module whose picture is already cut out");
        QImage wide(120, 60, QImage::Format_Indexed8);
        wide.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        wide.fill(1);
        QVERIFY(wide.save(gauges() + "bmp/Wide.Gauge.bmp", "BMP"));
        openFor(0);
        QCOMPARE(f->app.display.window(0).windowScale, 1.5);
        const int n = f->document.panel().window(0).gaugeCount;
        clickItem("Wide.Gauge.GAU");
        QVERIFY(f->dialogs.messages().isEmpty());
        QCOMPARE(dialog()->findChild<QLabel*>("Picture1")->pixmap().size(), QSize(120, 60));
        dialog()->findChild<QPushButton*>("Command1")->click();
        QTRY_VERIFY(dialog() == nullptr);

        QCOMPARE(f->document.panel().window(0).gaugeCount, n + 1);
        QCOMPARE(f->document.panel().gauge(0, n).gaugeSize, 80.0);
        QCOMPARE(f->lastStep(), QStringLiteral("Add gauge Wide.Gauge"));
        // The keys and the blinker act on the gauge just added.
        QCOMPARE(form->selectedGauge(), n);
        QCOMPARE(f->app.currentGauge, n);
        const PanelPicture picture = form->gaugePicture(n);
        QVERIFY(picture.visible && picture.enabled && picture.framed);
        QCOMPARE(picture.picture.size(), QSize(120, 60));
        QCOMPARE(picture.geometry.topLeft(), form->backgroundPicture().geometry.topLeft());
    }

    // A module added, taken away and picked again with "Always recompute bitmap" has its
    // bitmap cut out anew: the panel window draws that picture, not the one it drew before,
    // at the size and aspect that picture gives.
    void aModulePickedAgainIsDrawnFromItsNewBitmap() {
        copyModule("Swap.GAU");
        QImage old(120, 60, QImage::Format_Indexed8);
        old.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        old.fill(1);
        QVERIFY(old.save(gauges() + "bmp/Swap.bmp", "BMP"));
        openFor(0);
        const int n = f->document.panel().window(0).gaugeCount;
        clickItem("Swap.GAU");
        dialog()->addGauge();
        QCOMPARE(form->gaugePicture(n).picture.size(), QSize(120, 60));
        f->document.undoStack()->undo();

        GaugeWindows::action(form, "mnuadd")->trigger();
        dialog()->findChild<QCheckBox*>("Check1")->click();
        clickItem("Swap.GAU");
        dialog()->addGauge();
        const QImage cut = loadBitmapImage((gauges() + "bmp/Swap.bmp").toStdString());
        QVERIFY(!cut.isNull() && cut.size() != old.size());
        const PanelPicture picture = form->gaugePicture(n);
        QCOMPARE(picture.picture.size(), cut.size());
        QCOMPARE(f->app.display.gauge(0, n).gaugeAspect, double(cut.height()) / cut.width());
    }

    // Adding to an empty window opens "Go to gauge..."; the 64th gauge closes "Add...".
    void addingFollowsTheMenus() {
        QFETCH(int, count);
        fs98::Panel panel = f->document.panel();
        fs98::PanelWindow& window = panel.window(2);
        for (int i = window.gaugeCount; i < count; ++i)
            window.gauges[i] = {"filler" + std::to_string(i), double(i), 0, 10, 0};
        window.gaugeCount = count;
        f->replace(panel);
        copyModule("New.One.GAU");
        openFor(2);
        QCOMPARE(GaugeWindows::action(form, "mnugo")->isEnabled(), count > 0);
        GaugeWindows::doubleClick(list(), list()->visualItemRect(item("New.One.GAU")).center());
        QCOMPARE(f->document.panel().window(2).gaugeCount, count + 1);
        QCOMPARE(f->document.panel().gauge(2, count).gaugeName, std::string("New.One"));
        QVERIFY(GaugeWindows::action(form, "mnugo")->isEnabled());
        QCOMPARE(GaugeWindows::action(form, "mnuadd")->isEnabled(), count + 1 < fs98::kGaugeSlots);
        QVERIFY(form->gaugePicture(count).enabled);
    }
    void addingFollowsTheMenus_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("empty window") << 0;
        QTest::newRow("63 gauges") << 63;
    }

    // The check box is the main window's option.
    void thePickHasItsOwnReuseRuleAndTheOption() {
        openFor(0);
        auto* recompute = dialog()->findChild<QCheckBox*>("Check1");
        QVERIFY(!recompute->isChecked());
        QSignalSpy option(dialog(), &AddGaugeDialog::recomputeOptionChanged);
        recompute->click();
        QVERIFY(f->app.options.alwaysRecomputeBitmaps);
        QCOMPARE(recompute->text(), QStringLiteral("Always recompute bitmap"));
        QCOMPARE(option.count(), 1);
        recompute->click();
        QVERIFY(!f->app.options.alwaysRecomputeBitmaps);
    }

    // A pick whose reading takes longer than the progress window waits shows "Please wait,
    // processing gauge..." before it ends.
    void aSlowPickShowsItsProgressWindow() {
        copyModule("Slow.GAU");
        openFor(0);
        ShownProgress shown;
        bool slept = false;
        dialog()->setPickStepHook([&slept] {
            if (!std::exchange(slept, true))
                QThread::msleep(ProgressWindow::kShowAfterMs + 100);
        });
        clickItem("Slow.GAU");
        QVERIFY(slept);
        QCOMPARE(shown.captions, QStringList(QString::fromLatin1(kPickProgressCaption)));
    }

    // A module that holds no picture gets the default one with its message, and can still
    // be added, shown with the default.
    void aBrokenModuleIsAddedWithTheDefaultPicture() {
        writeFile(gauges() + "Broken.GAU", QByteArray(6000, '\x11'));
        openFor(0);
        const int n = f->document.panel().window(0).gaugeCount;
        clickItem("Broken.GAU");
        QCOMPARE(f->dialogs.messages(),
                 QStringList("Can not read gauge : [" + gauges() +
                             "Broken.GAU].\nIt will be replaced by a default bitmap."));
        dialog()->addGauge();
        const QImage fallback(DemoPanel::programDir() + kDefaultGaugeBitmapName);
        QCOMPARE(form->gaugePicture(n).picture.size(), fallback.size());
        QCOMPARE(f->document.panel().gauge(0, n).gaugeName, std::string("Broken"));
    }
};

COCKPIX_TEST_CLASS(TestAddGauge)
#include "tst_addgauge.moc"

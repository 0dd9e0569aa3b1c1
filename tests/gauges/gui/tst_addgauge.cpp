// The add gauge dialog (Form5) on the demo: the module list, the refusal of a module the
// panel uses already, the recompute option, and the add, on the panel window at once; the
// size and reuse rules of a pick are the core tests'.

#include "gauges/gui/gaugewindows.h"
#include "guisupport/accessibility.h"
#include "support/testfiles.h"

#include "base/core/filelookup.h"
#include "gauges/core/gaugeaddition.h"
#include "gauges/core/gaugeextraction.h"
#include "gauges/core/gaugemodule.h"
#include "gauges/core/panellayout.h"
#include "gauges/gui/addgaugedialog.h"
#include "gauges/gui/panelrenderer.h"
#include "panel/core/panelwriter.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

using namespace cockpix;

class TestAddGauge : public QObject {
    Q_OBJECT

    std::unique_ptr<GaugeWindows> f;
    PanelWindowForm* form = nullptr;

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

    // The last use in window order is named; OK then adds nothing and the dialog stays.
    void aModuleThePanelUsesIsRefused() {
        openFor(1);
        clickItem("CESSNA_182.AIRSPEED.GAU");
        QCOMPARE(f->dialogs.messages(),
                 QStringList(QString::fromStdString(duplicateGaugeMessage({3, 0}).bytes())));
        QVERIFY(dialog()->pick().cancelled);
        dialog()->findChild<QPushButton*>("Command1")->click();
        QCOMPARE(f->steps(), 0);
        QVERIFY(dialog() != nullptr);
        // A double click on it adds nothing either.
        GaugeWindows::doubleClick(list(),
                                  list()->visualItemRect(item("CESSNA_182.AIRSPEED.GAU")).center());
        QCOMPARE(f->steps(), 0);
    }

    // Adding to an empty window opens "Go to gauge..."; the 64th gauge closes "Add...".
    void addingFollowsTheMenus() {
        QFETCH(int, count);
        Panel panel = f->document.panel();
        PanelWindow& window = panel.window(2);
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
        QCOMPARE(GaugeWindows::action(form, "mnuadd")->isEnabled(), count + 1 < kGaugeSlots);
        QCOMPARE(form->gaugePicture(count).toolTip,
                 QStringLiteral("gauge #%1 : New.One").arg(count));
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

QTEST_MAIN(TestAddGauge)
#include "tst_addgauge.moc"

// A random walk of a few hundred gauge edits made as a user makes them (add from the list,
// remove by Delete or by the properties button, the arrow keys, numbers typed into X, undo
// and redo), checking after each that the window's gauge list, its pictures, their tooltips
// and the menus agree with a plain list kept beside the program. COCKPIX_WALK_SEED picks
// another walk.

#include "gauges/gui/gaugewindows.h"

#include "gauges/gui/addgaugedialog.h"
#include "gauges/gui/gaugepropertiesdialog.h"
#include "panel/core/panelreader.h"
#include "panel/core/panelwriter.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>

#include <random>
#include <vector>

using namespace cockpix;

namespace {

struct Entry {
    std::string name;
    double x = 0;
    double y = 0;
    double size = 0;
};
using List = std::vector<Entry>;

} // namespace

class TestGaugeListWalk : public QObject {
    Q_OBJECT

    std::unique_ptr<GaugeWindows> f;
    PanelWindowForm* form = nullptr;
    const int w = 1;
    std::mt19937 random;
    // The plain list at each index of the undo stack.
    std::vector<List> states;
    double naturalSize = -1;

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    QUndoStack* stack() const { return f->document.undoStack(); }
    List& list() { return states[stack()->index()]; }

    List documentList() const {
        const PanelWindow& window = f->document.panel().window(w);
        List out;
        for (int g = 0; g < window.gaugeCount; ++g) {
            const Gauge& gauge = window.gauges[g];
            out.push_back({gauge.gaugeName, gauge.gaugeX, gauge.gaugeY, gauge.gaugeSize});
        }
        return out;
    }
    // An edit was made: the redo states go, the new one is the list changed by edit.
    template <typename Edit> void expectOneStep(int before, Edit edit) {
        QCOMPARE(stack()->index(), before + 1);
        List next = states[before];
        edit(next);
        states.resize(before + 1);
        states.push_back(std::move(next));
    }
    void expectNoStep(int before) { QCOMPARE(stack()->index(), before); }

    int selectByTab(int g) {
        form->selectGauge(-1);
        form->view()->setFocus();
        for (int i = 0; i <= g; ++i)
            QTest::keyClick(form->view(), Qt::Key_Tab);
        return form->selectedGauge();
    }

    void addOne() {
        const int before = stack()->index();
        const int count = int(list().size());
        QAction* add = GaugeWindows::action(form, "mnuadd");
        QCOMPARE(add->isEnabled(), count < kGaugeSlots);
        if (!add->isEnabled())
            return;
        add->trigger();
        AddGaugeDialog* dialog = f->gaugeDialogs->addDialog();
        QVERIFY(dialog);
        auto* files = dialog->findChild<QListWidget*>("File1");
        std::vector<QString> unused;
        for (int i = 0; i < files->count(); ++i) {
            const QString name = files->item(i)->text();
            const std::string module = name.left(name.size() - 4).toStdString();
            bool used = false;
            for (int v = 0; v < f->document.panel().windowCount; ++v)
                for (int g = 0; g < f->document.panel().window(v).gaugeCount; ++g)
                    used = used || f->document.panel().gauge(v, g).gaugeName == module;
            if (!used && name.startsWith("Walk"))
                unused.push_back(name);
        }
        QVERIFY(!unused.empty());
        const QString chosen = unused[pick(int(unused.size()))];
        QListWidgetItem* item = files->findItems(chosen, Qt::MatchExactly).first();
        files->scrollToItem(item);
        GaugeWindows::doubleClick(files, files->visualItemRect(item).center());
        QTRY_VERIFY(f->gaugeDialogs->addDialog() == nullptr);
        const double size = f->document.panel().gauge(w, count).gaugeSize;
        if (naturalSize < 0)
            naturalSize = size;
        QCOMPARE(size, naturalSize);
        expectOneStep(before, [&](List& l) {
            l.push_back({chosen.left(chosen.size() - 4).toStdString(), 0, 0, naturalSize});
        });
    }

    void removeOne(bool byKey) {
        const int before = stack()->index();
        const int count = int(list().size());
        if (count == 0)
            return;
        const int g = pick(count);
        const QString name = QString::fromStdString(list()[g].name);
        const bool yes = pick(4) != 0;
        f->dialogs.queueQuestionAnswer(yes);
        if (byKey) {
            QCOMPARE(selectByTab(g), g);
            QTest::keyClick(form->view(), Qt::Key_Delete);
        } else {
            f->gaugeDialogs->openGaugeProperties(w, g);
            GaugePropertiesDialog* dialog = f->gaugeDialogs->propertiesDialog();
            QVERIFY(dialog);
            dialog->findChild<QPushButton*>("Command1")->click();
        }
        QCOMPARE(f->dialogs.questions().constLast(),
                 "Are you sure to remove gauge\n" + name + " ?");
        if (!yes)
            return expectNoStep(before);
        // Both ways leave the gauge before it selected.
        QCOMPARE(form->selectedGauge(), g - 1);
        QCOMPARE(f->app.currentGauge, g - 1);
        expectOneStep(before, [g](List& l) { l.erase(l.begin() + g); });
    }

    void moveByKey() {
        const int before = stack()->index();
        const int count = int(list().size());
        if (count == 0)
            return;
        const int g = pick(count);
        QCOMPARE(selectByTab(g), g);
        static const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
        const Qt::Key key = keys[pick(4)];
        const bool far = pick(2) == 0;
        QTest::keyClick(form->view(), key, far ? Qt::ShiftModifier : Qt::NoModifier);
        const double step = far ? 10 : 1;
        expectOneStep(before, [&](List& l) {
            if (key == Qt::Key_Left)
                l[g].x -= step;
            else if (key == Qt::Key_Right)
                l[g].x += step;
            else if (key == Qt::Key_Up)
                l[g].y -= step;
            else
                l[g].y += step;
        });
    }

    void typeX() {
        const int before = stack()->index();
        const int count = int(list().size());
        if (count == 0)
            return;
        const int g = pick(count);
        f->gaugeDialogs->openGaugeProperties(w, g);
        GaugePropertiesDialog* dialog = f->gaugeDialogs->propertiesDialog();
        QVERIFY(dialog);
        const int x = pick(500);
        const double was = list()[g].x;
        GaugeWindows::typeInto(dialog->findChild<QLineEdit*>("Text1"), QString::number(x));
        f->document.breakMerge();
        if (was == x)
            return expectNoStep(before);
        expectOneStep(before, [&](List& l) { l[g].x = x; });
    }

    void undoOrRedo() {
        if (pick(2) == 0 && stack()->canUndo())
            f->document.undo();
        else if (stack()->canRedo())
            f->document.redo();
    }

    void walk(int steps) {
        for (int step = 0; step < steps; ++step) {
            const int kind = pick(10);
            if (kind < 3)
                addOne();
            else if (kind < 4)
                removeOne(true);
            else if (kind < 5)
                removeOne(false);
            else if (kind < 7)
                moveByKey();
            else if (kind < 8)
                typeX();
            else
                undoOrRedo();
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("at step %1 (kind %2)").arg(step).arg(kind)));
            check();
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("after step %1 (kind %2)").arg(step).arg(kind)));
        }
    }

    // The program and the plain list agree, and so do the pictures and menus.
    void check() {
        const List expected = list();
        const List actual = documentList();
        QCOMPARE(actual.size(), expected.size());
        for (size_t g = 0; g < expected.size(); ++g) {
            QCOMPARE(actual[g].name, expected[g].name);
            QCOMPARE(actual[g].x, expected[g].x);
            QCOMPARE(actual[g].y, expected[g].y);
            QCOMPARE(actual[g].size, expected[g].size);
            const PanelPicture picture = form->gaugePicture(int(g));
            QVERIFY(picture.enabled);
            QCOMPARE(picture.toolTip, QStringLiteral("gauge #%1 : %2")
                                          .arg(g)
                                          .arg(QString::fromStdString(expected[g].name)));
        }
        const int count = int(expected.size());
        if (count < kGaugeSlots)
            QVERIFY(!form->gaugePicture(count).enabled);
        QCOMPARE(GaugeWindows::action(form, "mnugo")->isEnabled(), count > 0);
        QCOMPARE(GaugeWindows::action(form, "mnuadd")->isEnabled(), count < kGaugeSlots);
    }

private slots:
    void init() {
        f = std::make_unique<GaugeWindows>();
        QVERIFY2(f->start(), "the demo installation was not generated into the build");
        const QString gauges = f->demo->gaugesDir();
        for (int i = 0; i < 70; ++i) {
            const QString copy = gauges + QStringLiteral("Walk%1.GAU").arg(i, 2, 10, QChar('0'));
            QVERIFY(QFile::copy(gauges + "CESSNA_182.AIRSPEED.GAU", copy));
        }
        form = f->show(w);
        states = {documentList()};
        random.seed(qEnvironmentVariableIntValue("COCKPIX_WALK_SEED") + 1);
    }
    void cleanup() {
        QVERIFY2(f->dialogs.errors().isEmpty(), qPrintable(f->dialogs.errors().join("\n")));
        f.reset();
    }

    void aRandomWalkKeepsTheListInStep() {
        walk(300);
        qInfo("walk: %d steps on the stack, %d gauges", int(stack()->count()), int(list().size()));
        // Undoing everything gives back the opened panel.
        while (stack()->canUndo())
            f->document.undo();
        QCOMPARE(stack()->index(), 0);
        check();
    }

    // What the walk left is what Save writes and the reader reads back; undoing it all
    // writes the bytes of the panel as it was opened.
    void theEditsAreSavedAndUndoneExactly() {
        const std::string opened = panelFileText(f->document.panel(), {}, 0, nullptr);
        walk(150);
        std::string dir = f->demo->panelDir().toStdString();
        const SaveResult saved =
            savePanel(f->document.panel(), {dir, f->demo->panelFile().toStdString(), {}, {}});
        QVERIFY(saved.written);
        Panel back;
        QVERIFY(!readPanelFile(back, dir, f->demo->panelFile().toStdString()));
        // The reader gives names in lower case, and a size-less line whose size was never
        // changed comes back size-less.
        for (int v = 0; v < kWindowSlots; ++v) {
            QCOMPARE(back.window(v).gaugeCount, f->document.panel().window(v).gaugeCount);
            for (int g = 0; g < back.window(v).gaugeCount; ++g) {
                const Gauge& read = back.gauge(v, g);
                const Gauge& edited = f->document.panel().gauge(v, g);
                QCOMPARE(read.gaugeName,
                         QString::fromStdString(edited.gaugeName).toLower().toStdString());
                QCOMPARE(read.gaugeX, edited.gaugeX);
                QCOMPARE(read.gaugeY, edited.gaugeY);
                if (read.gaugeRefSize == -1)
                    QVERIFY(edited.gaugeRefSize == -1 || edited.gaugeRefSize == edited.gaugeSize);
                else
                    QCOMPARE(read.gaugeSize, edited.gaugeSize);
            }
        }
        QCOMPARE(int(back.window(w).gaugeCount), int(list().size()));

        while (stack()->canUndo())
            f->document.undo();
        QCOMPARE(panelFileText(f->document.panel(), {}, 0, nullptr), opened);
    }
};

QTEST_MAIN(TestGaugeListWalk)
#include "tst_gaugelistwalk.moc"

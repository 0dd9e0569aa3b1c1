// A monkey at the keyboard and the mouse: on the demo panel, thousands of random events reach
// every window the program opens (the template, panel windows, every dialog), through its
// menus, buttons, boxes, lists, bars and keys, with odd text in every box and undo and redo
// in between. Nothing may crash, hang or leave a panel the writer cannot write and the reader
// cannot read back. Each seed starts from a fresh copy of the demo and a new main window, so
// that a seed replays the same run on its own: COCKPIX_MONKEY_SEEDS=11,12 runs those seeds
// (default: a fixed list, so that a green run means the same every time), COCKPIX_MONKEY_EVENTS
// the number of events of each (default 1500). scripts/monkey.sh runs new seeds for as long as
// asked. Every third seed (3, 6, ...) runs on the demo's panel of FS2000 and later, the
// demo jet, with its own windows; the others on the FS98 demo panel.

#include "app/gui/panelcommands.h"
#include "panel/core/fs98/reader.h"
#include "panel/core/fs98/writer.h"
#include "panelwindows/gui/demopanel.h"
#include "panelwindows/gui/panelview.h"
#include "shellfixture.h"
#include "template/gui/templatewindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <ctime>

using namespace cockpix;

namespace {

// An event must be handled within a second of work. AddressSanitizer makes every allocation
// and memory access of the same work several times dearer (Qt's widgets allocate a lot), so
// the sanitized build of this test allows three.
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 kWorkLimitMs = 3000;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr qint64 kWorkLimitMs = 3000;
#else
constexpr qint64 kWorkLimitMs = 1000;
#endif
#else
constexpr qint64 kWorkLimitMs = 1000;
#endif
// However loaded the machine, an event that has not returned after this long never will.
constexpr qint64 kStuckMs = 20000;

// Texts a user, a paste or another program may put into a box.
// clang-format off
const QStringList kTexts = {
    "", "0", "-", "-1", "12.5", "640", "1e999", "-1e999", "nan", "inf", "&H7F", "1D+3",
    "99999999999999999999", "2147483648", " 7 ", "8191", "6154", "-0.5", "\u00E9t\u00E9 \u20AC",
    "\u03A9\u4E2D", "a=b,c", "..", "x.bmp", "\t", "0.7", "1001", "60", "0.4"};
// clang-format on

// Answers every dialog at random, as a user clicking anything would.
class MonkeyDialogs final : public UserDialogs {
public:
    explicit MonkeyDialogs(const QString& scratch) : m_scratch(scratch) {}
    QRandomGenerator random;
    int shown = 0;
    bool quitting = false; // Quit runs: its question about unsaved changes ends it unless Cancel

    void message(const QString&) override { ++shown; }
    bool question(const QString& text) override {
        ++shown;
        // The program must go on: Quit is never confirmed.
        return !text.contains("leave COCKPIX") && random.bounded(2) == 0;
    }
    SaveChoice askToSave(const QString&) override {
        ++shown;
        if (quitting)
            return SaveChoice::Cancel;
        return random.bounded(2) ? SaveChoice::Discard : SaveChoice::Cancel;
    }
    std::optional<QString> openFileName(const FileDialogRequest&) override { return {}; }
    std::optional<QString> saveFileName(const FileDialogRequest&) override {
        if (random.bounded(2))
            return {};
        return m_scratch + "/saved" + QString::number(random.bounded(3)) + ".cfg";
    }
    std::optional<QColor> chooseColor(const QColor&) override {
        if (random.bounded(2))
            return {};
        return QColor::fromRgb(random.generate());
    }
    bool showHelp(const QString&) override { return true; }
    std::optional<int> chooseFromList(const ListChoiceRequest& request) override {
        ++shown;
        if (request.items.isEmpty() || random.bounded(2))
            return {};
        return int(random.bounded(qsizetype(request.items.size())));
    }
    bool confirmChanges(const ChangesRequest&) override {
        ++shown;
        return random.bounded(2) == 0;
    }

private:
    QString m_scratch;
};

// Types text as a keyboard (and, for characters without a key, an input method) sends it.
void typeText(QWidget* box, const QString& text) {
    for (const QChar character : text) {
        if (character.unicode() >= 0x20 && character.unicode() < 0x7F)
            QTest::keyClick(box, char(character.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, character, Qt::NoModifier);
    }
}

template <class T> T* pickOne(const QList<T*>& items, QRandomGenerator& random) {
    return items.isEmpty() ? nullptr : items.at(int(random.bounded(qsizetype(items.size()))));
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

    std::unique_ptr<DemoPanel> m_demo;
    std::unique_ptr<ShellFixture> f;
    std::unique_ptr<MonkeyDialogs> m_dialogs;
    std::unique_ptr<MainWindow> m_window;
    QRandomGenerator m_random;

    // The windows a user can reach now: the main window and every dialog or tool window.
    QList<QWidget*> reachableWindows() const {
        QList<QWidget*> windows;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && !qobject_cast<QMenu*>(top))
                windows << top;
        }
        // Qt lists its top-level widgets in no fixed order (a set of pointers): sorted by
        // name, a seed picks the same window every run.
        const auto key = [](const QWidget* window) {
            return window->objectName() + QLatin1Char(' ') + window->metaObject()->className();
        };
        std::stable_sort(windows.begin(), windows.end(),
                         [&key](const QWidget* a, const QWidget* b) { return key(a) < key(b); });
        return windows;
    }
    QStringList openWindowNames() const {
        QStringList names;
        for (const QWidget* window : reachableWindows())
            names << window->objectName();
        return names;
    }
    // Menu commands of the menu bar as it stands (a panel window's when one is active), those
    // of its submenus too (Align, Show panel window, Open Recent).
    QList<QAction*> menuCommands() const {
        QList<QAction*> commands;
        const auto collect = [&commands](const QList<QAction*>& items, const auto& self) -> void {
            for (QAction* item : items) {
                if (item->isSeparator() || !item->isEnabled())
                    continue;
                if (item->menu())
                    self(item->menu()->actions(), self);
                else
                    commands << item;
            }
        };
        collect(m_window->menuBar()->actions(), collect);
        return commands;
    }

    // Mostly none; Ctrl adds to a selection, Shift keeps a gauge's shape, Alt drags freely.
    Qt::KeyboardModifiers someModifiers() {
        static const Qt::KeyboardModifiers choices[] = {
            Qt::NoModifier,      Qt::NoModifier,    Qt::NoModifier, Qt::NoModifier,
            Qt::ControlModifier, Qt::ShiftModifier, Qt::AltModifier};
        return choices[m_random.bounded(int(std::size(choices)))];
    }

    // What the next event does, kept for the failure message and printed at once with
    // COCKPIX_MONKEY_TRACE=1 (a crash then shows the event that caused it).
    QString m_last;
    void note(const QString& what, const QObject* target) {
        m_last = what + " " +
                 (target ? target->objectName() + " (" + target->metaObject()->className() + ")"
                         : QString());
        if (qEnvironmentVariableIsSet("COCKPIX_MONKEY_TRACE"))
            fprintf(stderr, "%s\n", qPrintable(m_last));
    }

    void oneEvent() {
        QWidget* window = pickOne(reachableWindows(), m_random);
        if (window == nullptr)
            return;
        switch (m_random.bounded(10)) {
        case 0:
            if (QAction* command = pickOne(menuCommands(), m_random)) {
                note("menu", command);
                m_dialogs->quitting = command->objectName() == QStringLiteral("mnuquit");
                command->trigger();
                m_dialogs->quitting = false;
            }
            break;
        case 1:
            if (auto* button = pickOne(window->findChildren<QAbstractButton*>(), m_random);
                button && button->isVisible() && button->isEnabled()) {
                note("click", button);
                QTest::mouseClick(button, Qt::LeftButton);
            }
            break;
        case 2:
        case 3:
            if (auto* box = pickOne(window->findChildren<QLineEdit*>(), m_random);
                box && box->isVisible() && box->isEnabled()) {
                const QString text = kTexts.at(int(m_random.bounded(kTexts.size())));
                note("type '" + text + "' into", box);
                box->setFocus();
                box->selectAll();
                typeText(box, text);
                if (m_random.bounded(2))
                    QTest::keyClick(box, Qt::Key_Return);
            }
            break;
        case 4:
            if (auto* bar = pickOne(window->findChildren<QAbstractSlider*>(), m_random);
                bar && bar->isVisible() && bar->isEnabled()) {
                const int value =
                    bar->minimum() +
                    int(m_random.bounded(quint32(bar->maximum() - bar->minimum() + 1)));
                note("bar to " + QString::number(value), bar);
                bar->setValue(value);
            }
            break;
        case 5:
            if (auto* list = pickOne(window->findChildren<QAbstractItemView*>(), m_random);
                list && list->isVisible() && list->model() && list->model()->rowCount() > 0) {
                const QModelIndex row =
                    list->model()->index(int(m_random.bounded(list->model()->rowCount())), 0);
                const QRect place = list->visualRect(row);
                if (place.isValid()) {
                    note("row " + QString::number(row.row()) + " of", list);
                    if (m_random.bounded(3) == 0)
                        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, place.center());
                    else
                        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
                }
            }
            break;
        case 6: {
            // A click or a drag anywhere in a window: gauge pictures, backgrounds, frames.
            // Half of them on a panel picture, half of those on a gauge: selections, bands,
            // drags of one gauge and of several.
            QList<PanelView*> views = m_window->findChildren<PanelView*>();
            views.removeIf([](const PanelView* view) { return !view->isVisible(); });
            QWidget* part = !views.isEmpty() && m_random.bounded(2)
                                ? pickOne(views, m_random)
                                : pickOne(window->findChildren<QWidget*>(), m_random);
            if (part && part->isVisible() && part->width() > 0 && part->height() > 0) {
                QPoint at(int(m_random.bounded(part->width())),
                          int(m_random.bounded(part->height())));
                if (auto* view = qobject_cast<PanelView*>(part);
                    view && view->gaugeCount() > 0 && m_random.bounded(2)) {
                    const QRect gauge =
                        view->gauge(int(m_random.bounded(view->gaugeCount())))->rect;
                    if (gauge.isValid())
                        at = gauge.center();
                }
                const Qt::KeyboardModifiers modifiers = someModifiers();
                note(QStringLiteral("press at %1,%2 (modifiers %3) in")
                         .arg(at.x())
                         .arg(at.y())
                         .arg(int(modifiers), 0, 16),
                     part);
                if (m_random.bounded(2)) {
                    QTest::mouseClick(part, Qt::LeftButton, modifiers, at);
                } else {
                    QTest::mousePress(part, Qt::LeftButton, modifiers, at);
                    QTest::mouseMove(part, at + QPoint(int(m_random.bounded(41)) - 20,
                                                       int(m_random.bounded(41)) - 20));
                    QTest::mouseRelease(part, Qt::LeftButton, modifiers, at + QPoint(5, 3));
                }
            }
            break;
        }
        case 7: {
            // With Shift and Ctrl: the clipboard's keys (Shift+Delete, Ctrl+Insert,
            // Shift+Insert) in the panel windows and the boxes.
            static const Qt::Key keys[] = {
                Qt::Key_Left,    Qt::Key_Right,     Qt::Key_Up,     Qt::Key_Down,   Qt::Key_Tab,
                Qt::Key_Backtab, Qt::Key_Delete,    Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space,
                Qt::Key_PageUp,  Qt::Key_Backspace, Qt::Key_Insert};
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
            note("key to", target);
            const quint32 roll = m_random.bounded(6);
            const Qt::KeyboardModifiers modifiers = roll < 2    ? Qt::ShiftModifier
                                                    : roll == 2 ? Qt::ControlModifier
                                                                : Qt::NoModifier;
            QTest::keyClick(target, keys[m_random.bounded(int(std::size(keys)))], modifiers);
            break;
        }
        case 8:
            note("undo or redo", nullptr);
            m_window->findChild<QAction*>(m_random.bounded(2) ? "mnuundo" : "mnuredo")->trigger();
            break;
        default:
            // A row of the template shows its panel window now and then.
            if (QTableWidget* sections = m_window->findChild<QTableWidget*>("laterWindowTable");
                sections && sections->isVisible() && sections->rowCount() > 0) {
                if (m_random.bounded(3) != 0)
                    break;
                sections->selectRow(int(m_random.bounded(sections->rowCount())));
                if (auto* show = m_window->findChild<QAbstractButton*>("laterShowWindow");
                    show && show->isEnabled()) {
                    note("show the section of row " + QString::number(sections->currentRow()),
                         show);
                    QTest::mouseClick(show, Qt::LeftButton);
                }
            } else if (TemplateWindow* table = m_window->templateWindow()) {
                const int w = int(m_random.bounded(f->document.panel().windowCount + 1));
                if (auto* view =
                        table->findChild<QAbstractButton*>(QStringLiteral("Command1_%1").arg(w))) {
                    note("view", view);
                    QTest::mouseClick(view, Qt::LeftButton);
                }
            } else {
                m_window->createTemplateWindow();
            }
            break;
        }
    }

    // CPU time of the GUI thread, which handles the events: the work of Qt's own threads
    // (the file system model's directory scanning under the directories dialog) does not
    // keep an event waiting and is not counted.
    static qint64 eventThreadCpuMilliseconds() {
#if defined(CLOCK_THREAD_CPUTIME_ID)
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
#else
        return qint64(std::clock()) * 1000 / CLOCKS_PER_SEC;
#endif
    }

    // A fresh demo, settings and main window for one seed; what the seed before left open
    // goes with the old main window.
    bool start(bool fs2kPanel) {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && top != m_window.get())
                top->close();
        }
        m_window.reset();
        f.reset();
        m_demo = std::make_unique<DemoPanel>();
        if (!m_demo->isValid())
            return false;
        f = std::make_unique<ShellFixture>();
        m_demo->setDirectories(f->app.dirs);
        if (!writeSettings(f->app.dirs, f->settingsPath().toStdString()))
            return false;
        m_dialogs = std::make_unique<MonkeyDialogs>(f->path("saves"));
        QDir().mkpath(f->path("saves"));
        m_window = std::make_unique<MainWindow>(f->documents, f->app, *m_dialogs);
        f->window.reset();
        m_window->show();
        m_window->createTemplateWindow();
        return m_window->panelCommands().openPath(
            fs2kPanel ? m_demo->root() + "/fs98/aircraft/demo_jet/panel/panel.cfg"
                      : m_demo->panelFile());
    }

private slots:
    void thousandsOfRandomEventsLeaveAWritablePanel_data() {
        QTest::addColumn<quint32>("seed");
        QList<quint32> seeds = {1, 2, 3, 4, 5, 6};
        if (qEnvironmentVariableIsSet("COCKPIX_MONKEY_SEEDS")) {
            seeds.clear();
            for (const QString& text :
                 qEnvironmentVariable("COCKPIX_MONKEY_SEEDS").split(',', Qt::SkipEmptyParts))
                seeds << text.trimmed().toUInt();
        }
        for (const quint32 seed : seeds)
            QTest::addRow("seed %u", seed) << seed;
    }

    void thousandsOfRandomEventsLeaveAWritablePanel() {
        QFETCH(const quint32, seed);
        const int events = qEnvironmentVariableIsSet("COCKPIX_MONKEY_EVENTS")
                               ? qEnvironmentVariableIntValue("COCKPIX_MONKEY_EVENTS")
                               : 1500;
        const bool fs2kPanel = seed % 3 == 0;
        QVERIFY2(start(fs2kPanel), "the demo installation was not generated into the build");
        QVERIFY(f->fs2kDocument.hasContent() == fs2kPanel);
        m_random.seed(seed);
        m_dialogs->random.seed(seed + 1);
        const QString replay =
            QStringLiteral("replay: COCKPIX_MONKEY_SEEDS=%1 COCKPIX_MONKEY_EVENTS=%2 %3")
                .arg(seed)
                .arg(events)
                .arg(QCoreApplication::applicationFilePath());
        // The limit on each event's work counts the CPU time of the GUI thread, so that a loaded
        // machine does not fail the test; a wait that never ends (a modal loop nobody
        // answers) still fails it through the much longer wall-clock limit.
        qint64 longest = 0;
        QString slowest;
        QElapsedTimer wall;
        int event = 0;
        // An event that never returns (a modal loop no one answers) still lets timers run:
        // this one names it, where Qt Test's own limit would only say that the function took
        // too long, which a starved machine also makes happen.
        QTimer stuck;
        stuck.setInterval(1000);
        connect(&stuck, &QTimer::timeout, this, [&] {
            if (wall.elapsed() >= kStuckMs)
                qFatal("event %d (%s) has not returned after %lld ms; open: %s; %s", event,
                       qPrintable(m_last), wall.elapsed(), qPrintable(openWindowNames().join(", ")),
                       qPrintable(replay));
        });
        stuck.start();
        for (; event < events; ++event) {
            wall.start();
            const qint64 cpuBefore = eventThreadCpuMilliseconds();
            oneEvent();
            QCoreApplication::processEvents();
            const qint64 cpu = eventThreadCpuMilliseconds() - cpuBefore;
            if (cpu > longest) {
                longest = cpu;
                slowest = m_last;
            }
            // The message is made only for a failure: listing the windows after every event
            // would cost more than many of the events.
            if (cpu >= kWorkLimitMs || wall.elapsed() >= kStuckMs)
                QFAIL(qPrintable(QStringLiteral("event %1 (%2) took %3 ms of work, %4 ms in all; "
                                                "open: %5; %6")
                                     .arg(event)
                                     .arg(m_last)
                                     .arg(cpu)
                                     .arg(wall.elapsed())
                                     .arg(openWindowNames().join(", "), replay)));
            QVERIFY2(m_window->isVisible(), qPrintable("the program ended; " + replay));
        }
        qInfo("seed %u: %d events, %d dialogs answered, slowest event %lld ms of work (%s)", seed,
              events, m_dialogs->shown, longest, qPrintable(slowest));

        // Whatever happened, the panel is one the writer writes and the reader reads back
        // (a panel without windows is never saved); an fs2k panel's lines read back as the
        // same bytes.
        if (f->fs2kDocument.hasContent()) {
            const std::string bytes = f->fs2kDocument.lines().bytes();
            QVERIFY2(fs2k::PanelLines(bytes).bytes() == bytes, qPrintable(replay));
            return;
        }
        const fs98::Panel& panel = f->document.panel();
        if (panel.windowCount == 0)
            return;
        const std::string text = fs98::panelFileText(panel, {}, 0, nullptr);
        fs98::Panel again;
        std::string panelDir = "/nowhere/";
        const auto error = fs98::readPanelText(again, panelDir, text, "panel.cfg");
        QVERIFY2(!error, qPrintable(QString::fromStdString(error ? error->describe() : "") + "; " +
                                    replay));
        QCOMPARE(again.windowCount, panel.windowCount);
    }

    void cleanupTestCase() {
        m_window.reset();
        f.reset();
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"

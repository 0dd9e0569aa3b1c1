// The panel documents: every operation is one undo step that gives back exactly the panel
// before it, emits its change signal once per step, and merges a run of edits of one field;
// a long random run of edits undone to the start writes the opened file's bytes again.

#include "base/core/filelookup.h"
#include "guisupport/testprogram.h"
#include "panel/core/fs98/reader.h"
#include "panel/core/fs98/writer.h"
#include "panel/gui/paneldocuments.h"
#include "support/testfiles.h"

#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <cmath>
#include <functional>
#include <random>

using namespace cockpix;

namespace {

using test::kSamplePanel;

fs98::Panel readText(const std::string& text) {
    fs98::Panel panel;
    std::string panelDir = "/nowhere/";
    if (fs98::readPanelText(panel, panelDir, text, "panel.cfg"))
        qFatal("the sample cannot be read");
    fs98::applyOpenedRatioRule(panel);
    return panel;
}

// The sample as COCKPIX writes it, so that writing the opened panel gives its bytes back.
std::string writtenSample() {
    fs98::Panel panel;
    std::string panelDir = "/nowhere/";
    if (fs98::readPanelFile(panel, panelDir, kSamplePanel))
        qFatal("the sample cannot be read");
    fs98::applyOpenedRatioRule(panel);
    return fs98::panelFileText(panel, {}, 0, nullptr);
}

fs98::Gauge gauge(const char* name, double x, double y, double size) {
    return {name, x, y, size, 0};
}

} // namespace

class TestPanelDocument : public QObject {
    Q_OBJECT

    PanelDocuments m_documents;
    fs98::Document& m_document = m_documents.fs98();
    fs2k::Document& m_fs2k = m_documents.fs2k();
    std::string m_text = writtenSample();
    fs98::Panel m_opened = readText(m_text);

    struct Spies {
        explicit Spies(fs98::Document& d)
            : window(&d, &fs98::Document::windowChanged), gauge(&d, &fs98::Document::gaugeChanged),
              gauges(&d, &fs98::Document::gaugesChanged), placed(&d, &fs98::Document::gaugesPlaced),
              view(&d, &fs98::Document::defaultViewChanged),
              colours(&d, &fs98::Document::colorLinesChanged),
              palette(&d, &fs98::Document::paletteChanged) {}
        int total() const {
            return int(window.count() + gauge.count() + gauges.count() + placed.count() +
                       view.count() + colours.count() + palette.count());
        }
        QSignalSpy window, gauge, gauges, placed, view, colours, palette;
    };

    // Runs op and checks: one step, the expected panel after it, the panel before it after
    // undo, the one after it again after redo, and one signal (of `which`) for each.
    void checkStep(const char* what, const std::function<void()>& op,
                   const std::function<void(fs98::Panel&)>& expected, QSignalSpy Spies::*which) {
        m_document.replacePanel(m_opened, "panel.cfg");
        const fs98::Panel before = m_document.panel();
        fs98::Panel after = before;
        expected(after);
        Spies spies(m_document);
        op();
        QVERIFY2(m_document.panel() == after, what);
        QCOMPARE(m_document.undoStack()->count(), 1);
        QVERIFY(m_document.isModified());
        m_document.undo();
        QVERIFY2(m_document.panel() == before, what);
        QVERIFY(!m_document.isModified());
        m_document.redo();
        QVERIFY2(m_document.panel() == after, what);
        QCOMPARE((spies.*which).count(), 3);
        QCOMPARE(spies.total(), 3);
    }

private slots:
    void everyOperationIsOneStepThatUndoesExactly() {
        checkStep(
            "window field",
            [&] {
                m_document.setWindowField({1, fs98::WindowField::SizeMm, 320.0, 3});
            },
            [](fs98::Panel& p) { p.window(1).windowSizeMm = 320; }, &Spies::window);
        checkStep(
            "a title that takes a row into the panel",
            [&] {
                m_document.setWindowField({3, fs98::WindowField::Title, std::string("Ovh"), 4});
            },
            [](fs98::Panel& p) {
                p.window(3).windowTitle = "Ovh";
                p.windowCount = 4;
            },
            &Spies::window);
        checkStep(
            "gauge field", [&] { m_document.setGaugeField(0, 2, fs98::GaugeField::Size, 77); },
            [](fs98::Panel& p) { p.gauge(0, 2).gaugeSize = 77; }, &Spies::gauge);
        checkStep(
            "move", [&] { m_document.moveGauge(0, 3, -5, 12.5); },
            [](fs98::Panel& p) {
                p.gauge(0, 3).gaugeX = -5;
                p.gauge(0, 3).gaugeY = 12.5;
            },
            &Spies::gauge);
        checkStep(
            "resize", [&] { m_document.resizeGauge(0, 3, 41); },
            [](fs98::Panel& p) { p.gauge(0, 3).gaugeSize = 41; }, &Spies::gauge);
        QCOMPARE(m_document.undoStack()->undoText(), QStringLiteral("Resize gauge #3"));
        checkStep(
            "add", [&] { m_document.addGauge(1, gauge("cessna_182.clock", 0, 0, 64)); },
            [](fs98::Panel& p) { fs98::appendGauge(p, 1, gauge("cessna_182.clock", 0, 0, 64)); },
            &Spies::gauges);
        checkStep(
            "remove", [&] { m_document.removeGauge(0, 2); },
            [](fs98::Panel& p) { fs98::removeGaugeAt(p, 0, 2); }, &Spies::gauges);
        // Several gauges at once; a placement that changes nothing, or names no gauge, is
        // left out of the step.
        checkStep(
            "place several",
            [&] {
                m_document.placeGauges(0,
                                       {{4, 192, 220, 100},
                                        {1, 7, 8, 9},
                                        {5, 300, 1, 90},
                                        {6, 1, 1, 1},
                                        {2, std::nan(""), 0, 0}},
                                       QStringLiteral("Align top"));
            },
            [](fs98::Panel& p) {
                p.gauge(0, 1) = gauge("cessna_182.attitude", 7, 8, 9);
                p.gauge(0, 5).gaugeY = 1;
            },
            &Spies::placed);
        QCOMPARE(m_document.undoStack()->undoText(), QStringLiteral("Align top"));
        checkStep(
            "paste",
            [&] {
                QVERIFY(m_document.pasteGauges(
                    1, {gauge("cessna_182.clock", 0, 0, 64), gauge("cessna_182.fuel", 5, 5, 0)}));
            },
            [](fs98::Panel& p) {
                fs98::appendGauge(p, 1, gauge("cessna_182.clock", 0, 0, 64));
                fs98::appendGauge(p, 1, gauge("cessna_182.fuel", 5, 5, 0));
            },
            &Spies::gauges);
        QCOMPARE(m_document.undoStack()->undoText(), QStringLiteral("Paste 2 gauges"));
        checkStep(
            "cut, the rest in their order",
            [&] {
                m_document.cutGauges(0, {4, 1, 4, 9});
            },
            [](fs98::Panel& p) {
                fs98::removeGaugeAt(p, 0, 4);
                fs98::removeGaugeAt(p, 0, 1);
            },
            &Spies::gauges);
        QCOMPARE(m_document.undoStack()->undoText(), QStringLiteral("Cut 2 gauges"));
        QCOMPARE(m_document.panel().gauge(0, 3).gaugeName,
                 std::string("cessna_182.vertical_speed"));
        checkStep(
            "module", [&] { m_document.setGaugeModule(0, 1, "cessna_182.clock"); },
            [](fs98::Panel& p) { p.gauge(0, 1).gaugeName = "cessna_182.clock"; }, &Spies::gauges);
        checkStep(
            "default view",
            [&] {
                m_document.setDefaultView({1, 2, 3, 4});
            },
            [](fs98::Panel& p) {
                p.setDefaultView({1, 2, 3, 4});
            },
            &Spies::view);
        checkStep(
            "colour lines", [&] { m_document.setColorLines({"c00=1,2,3"}); },
            [](fs98::Panel& p) {
                p.colorLine[2] = p.colorLine[3] = {};
                p.colorLine[1] = "c00=1,2,3";
                p.colorLineCount = 1;
            },
            &Spies::colours);
        checkStep(
            "palette options",
            [&] {
                m_document.setPaletteOptions({false, true});
            },
            [](fs98::Panel&) {}, &Spies::palette);
        QCOMPARE(m_document.paletteOptions().saveNewPalette, false);
        m_document.undo();
        QCOMPARE(m_document.paletteOptions().saveNewPalette, true);
    }

    // Closing a gap of the window table moves whole sections in one step; the titles stay
    // in their rows, and every slot that changed says so once per do, undo and redo.
    void windowSectionsMoveAsOneStepAndTheTitlesStay() {
        m_document.replacePanel(m_opened, "panel.cfg");
        Spies spies(m_document);
        const fs98::WindowOrder swap{0, 2, 1, 3, 4, 5, 6, 7, 8};
        m_document.moveWindowSections(swap, QStringLiteral("Close window gaps"));
        QCOMPARE(m_document.undoStack()->count(), 1);
        QCOMPARE(m_document.undoStack()->undoText(), QStringLiteral("Close window gaps"));
        const fs98::Panel& moved = m_document.panel();
        QCOMPARE(moved.window(1).windowTitle, m_opened.window(1).windowTitle);
        QCOMPARE(moved.window(1).windowBitmap, m_opened.window(2).windowBitmap);
        QCOMPARE(moved.window(2).gaugeCount, m_opened.window(1).gaugeCount);
        QVERIFY(moved.window(1).gauges == m_opened.window(2).gauges);
        m_document.undo();
        QVERIFY(m_document.panel() == m_opened);
        m_document.redo();
        QCOMPARE(spies.window.count(), 6);
        QCOMPARE(spies.gauges.count(), 6);
        QCOMPARE(spies.total(), 12);

        // An order that is no permutation, or that moves nothing, makes no step.
        m_document.replacePanel(m_opened, "panel.cfg");
        m_document.moveWindowSections({0, 0, 1, 3, 4, 5, 6, 7, 8}, QStringLiteral("x"));
        m_document.moveWindowSections({0, 1, 2, 3, 4, 5, 6, 7, 8}, QStringLiteral("x"));
        // Two empty slots swapped change nothing either.
        m_document.moveWindowSections({0, 1, 2, 3, 4, 5, 6, 8, 7}, QStringLiteral("x"));
        m_document.setGaugeModule(0, 0, m_opened.gauge(0, 0).gaugeName);
        m_document.setGaugeModule(0, 40, "beyond.the.gauges");
        QCOMPARE(m_document.undoStack()->count(), 0);
    }

    // Nothing that would not change the panel makes a step; nothing outside the panel's
    // windows and gauges does anything; what a window cannot hold is not pasted at all.
    void editsThatChangeNothingMakeNoStep() {
        m_document.replacePanel(m_opened, "panel.cfg");
        m_document.setWindowField({0, fs98::WindowField::Title, std::string("Main Panel"), 3});
        m_document.setGaugeField(0, 0, fs98::GaugeField::X, 92);
        m_document.setGaugeField(0, 9, fs98::GaugeField::X, 1); // beyond the window's 6 gauges
        m_document.setGaugeField(9, 0, fs98::GaugeField::X, 1);
        m_document.removeGauge(2, 1);
        m_document.resizeGauge(0, 0, m_opened.gauge(0, 0).gaugeSize);
        m_document.resizeGauge(0, 9, 5);
        m_document.setWindowField({12, fs98::WindowField::Title, std::string("x"), 3});
        m_document.setDefaultView(m_opened.defaultView());
        QCOMPARE(m_document.undoStack()->count(), 0);
        QVERIFY(m_document.panel() == m_opened);
        QVERIFY(!m_document.pasteGauges(0, std::vector<fs98::Gauge>(59, gauge("m", 0, 0, 1))));
        QVERIFY(!m_document.pasteGauges(0, {}));
        m_document.cutGauges(0, {-1, 6});
        m_document.placeGauges(0, {{0, 92, 120, 0}}, QStringLiteral("Align left"));
        QCOMPARE(m_document.undoStack()->count(), 0);

        fs98::Panel full = m_opened;
        for (int g = full.window(2).gaugeCount; g < fs98::kGaugeSlots; ++g)
            fs98::appendGauge(full, 2, gauge("x", g, g, 1));
        m_document.replacePanel(full, {});
        m_document.addGauge(2, gauge("one.too.many", 0, 0, 1));
        QCOMPARE(m_document.undoStack()->count(), 0);
    }

    // Typing into one box is one step; leaving it (breakMerge), or undo, starts a new one;
    // typing back to the starting value leaves no step at all.
    void editsOfOneFieldMergeUntilTheRunEnds() {
        m_document.replacePanel(m_opened, "panel.cfg");
        for (const double size : {8.0, 80.0, 800.0})
            m_document.setWindowField({0, fs98::WindowField::SizeMm, size, 3});
        QCOMPARE(m_document.undoStack()->count(), 1);
        QCOMPARE(m_document.undoStack()->undoText(), QStringLiteral("Window 00 size"));
        m_document.setWindowField({0, fs98::WindowField::Position, 2.0, 3});
        QCOMPARE(m_document.undoStack()->count(), 2);
        m_document.breakMerge();
        m_document.setWindowField({0, fs98::WindowField::Position, 3.0, 3});
        QCOMPARE(m_document.undoStack()->count(), 3);
        m_document.undo();
        m_document.setWindowField({0, fs98::WindowField::Position, 4.0, 3});
        QCOMPARE(m_document.undoStack()->count(), 3);

        m_document.replacePanel(m_opened, "panel.cfg");
        m_document.setGaugeField(0, 1, fs98::GaugeField::X, 1);
        m_document.setGaugeField(0, 1, fs98::GaugeField::X, 192); // back where it was
        QCOMPARE(m_document.undoStack()->count(), 0);
        QVERIFY(!m_document.isModified());
        for (const double x : {10.0, 20.0})
            m_document.setDefaultView({x, 0, 8191, 4096});
        m_document.setDefaultView({20, 5, 8191, 4096});
        QCOMPARE(m_document.undoStack()->count(), 2); // X merged, then Y
    }

    void theCleanStateFollowsSaveAndReplaceClearsTheHistory() {
        m_document.replacePanel(m_opened, "panel.cfg");
        QSignalSpy modified(&m_document, &fs98::Document::modifiedChanged);
        m_document.setGaugeField(0, 1, fs98::GaugeField::Y, 1);
        m_document.markSaved("panel.cfg");
        QVERIFY(!m_document.isModified());
        m_document.setGaugeField(0, 1, fs98::GaugeField::Y, 2); // not merged into the saved step
        QCOMPARE(m_document.undoStack()->count(), 2);
        m_document.undo();
        QVERIFY(!m_document.isModified());
        m_document.undo();
        QVERIFY(m_document.isModified()); // before the save, the file holds something else
        QCOMPARE(modified.count(), 5);

        // A measured size is no edit: no step, and the file would say the same.
        m_document.replacePanel(m_opened, "panel.cfg");
        m_document.recordFoundGaugeSize(0, 0, 96);
        QCOMPARE(m_document.panel().gauge(0, 0).gaugeRefSize, 96.0);
        QVERIFY(!m_document.undoStack()->canUndo() && !m_document.isModified());
        QCOMPARE(fs98::panelFileText(m_document.panel(), {}, 0, nullptr), m_text);
        m_document.recordFoundGaugeSize(0, 1, 5); // a line with its own size keeps it
        QCOMPARE(m_document.panel().gauge(0, 1).gaugeSize, 100.0);
    }

    // A few hundred random edits of every kind; undone to the start they give the opened
    // panel and its bytes back, and redone they give the edited panel again.
    void aLongRandomRunUndoesToTheOpenedFile() {
        std::mt19937 random(20261207);
        m_document.replacePanel(m_opened, "panel.cfg");
        const auto pick = [&](int n) { return int(random() % unsigned(n)); };
        const auto number = [&] { return double(pick(4001) - 2000) / (pick(2) ? 1 : 4); };
        for (int step = 0; step < 400; ++step) {
            const fs98::Panel& panel = m_document.panel();
            const int w = pick(4);
            const int count = panel.window(w).gaugeCount;
            switch (pick(8)) {
            case 0:
                m_document.setWindowField(
                    {w, fs98::WindowField(pick(7)), number(), panel.windowCount});
                break;
            case 1:
                m_document.setWindowField(
                    {w, pick(2) ? fs98::WindowField::Title : fs98::WindowField::Bitmap,
                     std::string(pick(3), char('a' + pick(26))), pick(fs98::kWindowSlots + 1)});
                break;
            case 2:
                if (count > 0)
                    m_document.setGaugeField(w, pick(count), fs98::GaugeField(pick(3)), number());
                break;
            case 3:
                if (count > 0)
                    m_document.moveGauge(w, pick(count), number(), number());
                break;
            case 4:
                if (pick(3) == 0 && count > 0)
                    m_document.resizeGauge(w, pick(count), pick(200));
                else
                    m_document.addGauge(w, gauge("added", number(), number(), pick(200)));
                break;
            case 5:
                if (count > 0)
                    m_document.removeGauge(w, pick(count));
                break;
            case 6:
                if (pick(2))
                    m_document.setDefaultView({number(), number(), double(pick(8192)), 0});
                else
                    m_document.setRatioAndDefaultView(w, pick(2), {0, 0, 2000, double(pick(2))},
                                                      QStringLiteral("corrections"));
                break;
            default:
                if (pick(4) == 0)
                    m_document.breakMerge();
                else if (m_document.undoStack()->canUndo() && pick(3) == 0)
                    m_document.undo();
                break;
            }
        }
        while (m_document.undoStack()->canRedo())
            m_document.redo();
        const fs98::Panel edited = m_document.panel();
        QVERIFY(!(edited == m_opened));
        const int steps = m_document.undoStack()->index();
        QVERIFY(steps > 100);
        while (m_document.undoStack()->canUndo())
            m_document.undo();
        QVERIFY(m_document.panel() == m_opened);
        QCOMPARE(fs98::panelFileText(m_document.panel(), {}, 0, nullptr), m_text);
        while (m_document.undoStack()->canRedo())
            m_document.redo();
        QVERIFY(m_document.panel() == edited);
    }

    // A panel of FS2000 and later: each edit is one step with one linesChanged, what the
    // lines set is read again, undo gives back the opened bytes and redo the edited ones,
    // and an edit that changes nothing makes no step.
    void fs2kEditsAreStepsOfTheirLines() {
        const std::optional<std::string> bytes =
            readWholeFile(COCKPIX_FIXTURES_DIR "/fs2k/mixed_sections.cfg");
        QVERIFY(bytes);
        m_documents.replaceWithFs2k(fs2k::PanelLines(*bytes), "panel.cfg");
        QVERIFY(&m_documents.current() == &m_fs2k && m_fs2k.hasContent() && !m_fs2k.isModified());
        QSignalSpy later(&m_fs2k, &fs2k::Document::linesChanged);
        const fs2k::Window& overhead = m_fs2k.panel().windows.front();
        QCOMPARE(overhead.number, 5L);
        const std::size_t section = overhead.section;

        m_fs2k.setKey(section, "visible", "0"); // as it is
        m_fs2k.removeKey(section, "position");  // not there
        QCOMPARE(m_fs2k.undoStack()->count(), 0);

        m_fs2k.setKey(section, "visible", "1");
        m_fs2k.setKey(section, "position", "4");
        m_fs2k.setTitle(5, "Roof");
        // Each edit reads the lines again: what overhead referred to is gone.
        m_fs2k.setGaugeField(m_fs2k.panel().windows.front().gauges.at(1).line, 2, "33");
        const long added = m_fs2k.addWindow({"New", {{"size_mm", "100"}}});
        m_fs2k.removeWindow(m_fs2k.panel().windowOf(1)->section);
        // The ratio is one key, however it is spelt.
        m_fs2k.removeKey(m_fs2k.panel().windowOf(0)->section, "windowsize_ratio");
        QCOMPARE(later.count(), 7);
        QCOMPARE(m_fs2k.undoStack()->count(), 7);
        QVERIFY(m_fs2k.isModified());

        QVERIFY(m_fs2k.panel().windowOf(added) != nullptr);
        const std::string editedBytes = m_fs2k.lines().bytes();

        while (m_fs2k.undoStack()->canUndo())
            m_fs2k.undo();
        QCOMPARE(m_fs2k.lines().bytes(), *bytes);
        QVERIFY(!m_fs2k.isModified());
        QCOMPARE(m_fs2k.panel().windows.size(), std::size_t(5));
        while (m_fs2k.undoStack()->canRedo())
            m_fs2k.redo();
        QCOMPARE(m_fs2k.lines().bytes(), editedBytes);
        QCOMPARE(later.count(), 21);

        // Opening an FS98 panel afterwards leaves nothing of the fs2k one.
        m_documents.replaceWithFs98(m_opened, "panel.cfg");
        QVERIFY(!m_fs2k.hasContent() && m_fs2k.panel().windows.empty());
        QVERIFY(&m_documents.current() == &m_document);
        m_fs2k.setKey(0, "visible", "1");
        QCOMPARE(m_fs2k.undoStack()->count(), 0);
    }

    // Gauge edits of an fs2k panel: two drops of the same gauge are two steps, each undo
    // gives back the bytes before it exactly, and edits that change nothing (or name no
    // gauge line) make no step.
    void fs2kGaugeEditsAreOneStepEach() {
        const std::string bytes = "[Window00]\r\nsize_mm=640\r\ngauge00=a!b, 10, 20\r\n"
                                  "gauge01=a!c, 30, 40, 50 // note\r\ngauge02=a!d, 0, 0\r\n";
        m_documents.replaceWithFs2k(fs2k::PanelLines(bytes), "panel.cfg");
        QSignalSpy later(&m_fs2k, &fs2k::Document::linesChanged);
        const auto gaugeLine = [this](std::size_t g) {
            return m_fs2k.panel().windows.front().gauges.at(g).line;
        };
        m_fs2k.moveGauge(gaugeLine(0), 10, 20);         // where it is
        m_fs2k.moveGauge(1, 5, 5);                      // size_mm
        m_fs2k.resizeGauge(gaugeLine(1), 50, {});       // its size, before the comment
        m_fs2k.setGaugeLine(gaugeLine(0), "a!b, 1\nx"); // a line break
        m_fs2k.removeGauge(0);                          // the header
        QCOMPARE(m_fs2k.addGauge(0, "a!e, 1", 0, 0), fs2k::PanelLines::npos);
        m_fs2k.moveGauges({{gaugeLine(2), 0, 0}, {1, 3, 3}});
        m_fs2k.moveGauge(gaugeLine(0), std::nan(""), 1);
        m_fs2k.setGaugeField(gaugeLine(0), 0, "1\r\ngauge05=x!y");
        m_fs2k.placeGauges({{gaugeLine(1), 30, 40, 50, {}}}, QStringLiteral("Align"));
        const std::size_t section = m_fs2k.panel().windows.front().section;
        QVERIFY(m_fs2k.pasteGauges(section, {{"x!y", "x!y, 1\ngauge09=z", false, 0, 0}}).empty());
        m_fs2k.cutGauges({0, 1}); // the header, size_mm
        QCOMPARE(m_fs2k.undoStack()->count(), 0);

        std::vector<std::string> states = {bytes};
        const auto step = [&](const QString& text, const std::function<void()>& edit) {
            edit();
            QCOMPARE(m_fs2k.undoStack()->count(), int(states.size()));
            QCOMPARE(m_fs2k.undoStack()->text(int(states.size()) - 1), text);
            QVERIFY(m_fs2k.lines().bytes() != states.back());
            states.push_back(m_fs2k.lines().bytes());
        };
        step("Move gauge", [&] { m_fs2k.moveGauge(gaugeLine(0), 11, 20); });
        step("Move gauge", [&] { m_fs2k.moveGauge(gaugeLine(0), 12, 20); });
        step("Resize gauge", [&] { m_fs2k.resizeGauge(gaugeLine(1), 60, 70); });
        step("Move gauges", [&] {
            m_fs2k.moveGauges({{gaugeLine(0), 1, 2}, {gaugeLine(2), 3, 4}});
        });
        step("Gauge properties", [&] { m_fs2k.setGaugeLine(gaugeLine(2), "a!f, 5, 6"); });
        step("Add gauge", [&] { m_fs2k.addGauge(0, "a!g", 7, 8, 9); });
        step("Remove gauge", [&] { m_fs2k.removeGauge(gaugeLine(0)); });
        QCOMPARE(later.count(), 7);

        for (std::size_t i = states.size() - 1; i-- > 0;) {
            m_fs2k.undo();
            QCOMPARE(m_fs2k.lines().bytes(), states[i]);
        }
        QVERIFY(!m_fs2k.isModified());
        for (std::size_t i = 1; i < states.size(); ++i) {
            m_fs2k.redo();
            QCOMPARE(m_fs2k.lines().bytes(), states[i]);
        }
    }
};

COCKPIX_TEST_CLASS(TestPanelDocument)
#include "tst_paneldocument.moc"

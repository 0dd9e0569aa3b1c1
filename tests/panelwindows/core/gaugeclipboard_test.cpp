#include "panelwindows/core/gaugeclipboard.h"

#include "gaugedialogs/core/gaugeaddition.h"

#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

fs98::Panel fs98Panel() {
    fs98::Panel panel;
    panel.windowCount = 2;
    panel.window(0).gaugeCount = 3;
    panel.gauge(0, 0) = {"clock", 10, 20, 96, 0};
    panel.gauge(0, 1) = {"airspeed", 100, 20, 80, -1}; // no size in its line
    panel.gauge(0, 2) = {"fuel", 200.5, 40, 50, 0};
    panel.window(1).gaugeCount = 1;
    panel.gauge(1, 0) = {"radio", 0, 0, 0, -1};
    return panel;
}

TEST(GaugeClipboard, CopiesAsTheFileWritesThemFromGauge00InSelectionOrder) {
    const fs98::Panel panel = fs98Panel();
    const std::vector<int> selection = {2, 0, 1, 7};
    EXPECT_EQ(copyFs98Gauges(panel, 0, selection),
              "gauge00=fuel, 200.5, 40, 50\r\ngauge01=clock, 10, 20, 96\r\n"
              "gauge02=airspeed, 100, 20\r\n");
    EXPECT_EQ(copyFs98Gauges(panel, 9, selection), "");

    // An fs2k panel's lines keep everything after "=".
    const fs2k::PanelLines lines("[Window00]\nfile=a.bmp\ngauge07=  A!b,1 ,2,,ON // left\n"
                                 "Gauge08=C!d, 3, 4\r\n");
    const std::vector<std::size_t> chosen = {3, 1, 2};
    EXPECT_EQ(copyFs2kGauges(lines, chosen),
              "gauge00=C!d, 3, 4\r\ngauge01=  A!b,1 ,2,,ON // left\r\n");
}

TEST(GaugeClipboard, ReadsGaugeLinesOfAnyTextAndReportsTheBadOnes) {
    const std::string text =
        test::fileText(fs::path(COCKPIX_FIXTURES_DIR) / "clipboard/mixed_lines.txt");
    const ClipboardGauges read = readClipboardGauges(text);
    std::ostringstream seen;
    const auto size = [](std::optional<double> v) {
        return v ? (std::ostringstream() << *v).str() : "-";
    };
    for (const ClipboardGauge& g : read.gauges)
        seen << "gauge: " << g.text << " | " << g.name << " | " << g.x << " | " << g.y << " | "
             << size(g.width) << " | " << size(g.height) << "\n";
    for (const UserText& problem : read.problems)
        seen << "not pasted: " << problem.bytes() << "\n";
    EXPECT_EQ(seen.str(),
              test::fileText(fs::path(COCKPIX_FIXTURES_DIR) / "clipboard/mixed_lines.expect"));
    ASSERT_EQ(read.problems.size(), 5u);

    // A paste tells the lines left out in one message, or that there was nothing to paste.
    const std::string some = clipboardProblemsMessage(read).bytes();
    EXPECT_TRUE(some.starts_with(read.problems[0].bytes() + "\n")) << some;
    EXPECT_TRUE(some.ends_with(read.problems[4].bytes())) << some; // four lines were pasted
    EXPECT_EQ(clipboardProblemsMessage(readClipboardGauges("gauge00=a, 1, 2\n")).bytes(), "");
    EXPECT_EQ(clipboardProblemsMessage(readClipboardGauges("hello\n[Window00]\n")).bytes(),
              "The clipboard holds no gauge lines.");
    std::string bad;
    for (std::size_t i = 0; i < kListedProblems + 2; ++i)
        bad += "gauge00=x\n";
    const std::string many = clipboardProblemsMessage(readClipboardGauges(bad)).bytes();
    EXPECT_TRUE(many.starts_with("Pasted line 1 (gauge00=x) has no name")) << many;
    EXPECT_TRUE(many.ends_with("not pasted.\n... and 2 more lines not pasted.\nNothing was "
                               "pasted."))
        << many;

    // What a copy writes, a paste reads back.
    const fs98::Panel panel = fs98Panel();
    const std::vector<int> all = {0, 1, 2};
    const ClipboardGauges back = readClipboardGauges(copyFs98Gauges(panel, 0, all));
    ASSERT_EQ(back.gauges.size(), 3u);
    EXPECT_TRUE(back.problems.empty());
    EXPECT_EQ(back.gauges[2].x, 200.5);
    EXPECT_EQ(back.gauges[0].width, 96);
    EXPECT_EQ(back.gauges[1].width, std::nullopt);
}

TEST(GaugeClipboard, PasteShiftsUntilNoGaugeStandsOnAnother) {
    const std::vector<ClipboardGauge> pasted = {{"", "a", 10, 20, {}, {}},
                                                {"", "b", 50, 50, {}, {}}};
    struct Case {
        std::vector<GaugeSpot> window;
        double shift;
    };
    const std::vector<Case> cases = {
        {{}, 0},
        {{{10, 21}, {11, 20}}, 0},
        {{{50, 50}}, 10},
        {{{10, 20}, {60, 60}, {30, 40}}, 30},
    };
    for (const Case& c : cases) {
        const PasteShift shift = pasteShift(c.window, pasted);
        EXPECT_EQ(shift.dx, c.shift);
        EXPECT_EQ(shift.dy, c.shift);
    }
    // Bounded: a window full of gauges down the diagonal stops the search.
    std::vector<GaugeSpot> diagonal;
    for (int i = 0; i < 500; ++i)
        diagonal.push_back({10.0 + 10 * i, 20.0 + 10 * i});
    EXPECT_EQ(pasteShift(diagonal, pasted).dx, kPasteShift * kMaxPasteShifts);
}

TEST(GaugeClipboard, Fs98PasteRefusesWhatAddGaugeRefuses) {
    const fs98::Panel panel = fs98Panel();
    const auto gauges = [](std::string_view text) { return readClipboardGauges(text).gauges; };
    // Appended where they were, or shifted off the gauge at 10,20; a size only when given.
    const Fs98Paste ok = planFs98Paste(panel, 0,
                                       gauges("gauge00=Compass, 10, 20, 64\n"
                                              "gauge01=vor, 300, 300\n"));
    ASSERT_FALSE(ok.refused());
    ASSERT_EQ(ok.gauges.size(), 2u);
    EXPECT_EQ(ok.gauges[0], (fs98::Gauge{"compass", 20, 30, 64, 0}));
    EXPECT_EQ(ok.gauges[1], (fs98::Gauge{"vor", 310, 310, 0, -1}));

    struct Refusal {
        std::string text;
        std::string message;
    };
    const std::vector<Refusal> refusals = {
        {"gauge00=vor, 1, 1\ngauge01=Cessna!Clock, 1, 1\n",
         "The gauge Cessna!Clock is a gauge of a module of several (module!gauge), as panels "
         "of FS2000 and later name them.\nFS98 modules hold one gauge each and have no gauge "
         "names.\nPaste cancelled."},
        {"gauge00=vor, 1, 1\ngauge01=RADIO, 5, 5\n",
         duplicateGaugeMessage({1, 0}, "Paste cancelled.").bytes()},
        {"gauge00=vor, 1, 1\ngauge01=Vor, 5, 5\n",
         "The pasted lines name the gauge vor twice.\nFS98 does not support a gauge used "
         "twice in the same panel.\nPaste cancelled."},
        {"gauge00=vor, 1, 1\nHtmlGauge00=A/B.html, 5, 5\n",
         "The pasted lines hold MSFS instruments (htmlgaugeNN lines).\nFS98 windows hold gauges "
         "only.\nPaste cancelled."},
    };
    for (const Refusal& r : refusals) {
        const Fs98Paste paste = planFs98Paste(panel, 0, gauges(r.text));
        EXPECT_TRUE(paste.refused());
        EXPECT_TRUE(paste.gauges.empty());
        EXPECT_EQ(paste.refusal.bytes(), r.message);
    }

    // 61 more fit into window 0 beside its 3, 62 do not.
    std::string many;
    for (int i = 0; i < 62; ++i)
        many += "gauge00=m" + std::to_string(i) + ", " + std::to_string(i) + ", 0\n";
    const std::vector<ClipboardGauge> sixtyTwo = gauges(many);
    const std::vector<ClipboardGauge> sixtyOne(sixtyTwo.begin(), sixtyTwo.end() - 1);
    EXPECT_EQ(planFs98Paste(panel, 0, sixtyOne).gauges.size(), 61u);
    const Fs98Paste full = planFs98Paste(panel, 0, sixtyTwo);
    EXPECT_EQ(full.refusal.bytes(), "Window #0 cannot take 62 more gauges: it has 3, and FS98 "
                                    "reads 64 gauges a window at most.\nPaste cancelled.");
}

// MSFS's instruments are copied under their own keys, each kind numbered from 00, and are
// pasted only into a section MSFS reads them in.
TEST(GaugeClipboard, InstrumentsKeepTheirKindFromCopyToPaste) {
    const fs2k::PanelLines lines("[VCockpit01]\nhtmlgauge00=A/PFD.html?Index=1, 0,0,10,10\n"
                                 "gauge00=C!d, 3, 4\nHTMLGAUGE01=B/MFD.html\n"
                                 "[VPainting01]\npainting00=Reg/Reg.html?font=1, 1, 2, 3, 4\n");
    const std::vector<std::size_t> chosen = {3, 1, 2, 5};
    const std::string copied = copyFs2kGauges(lines, chosen);
    EXPECT_EQ(copied, "htmlgauge00=B/MFD.html\r\nhtmlgauge01=A/PFD.html?Index=1, 0,0,10,10\r\n"
                      "gauge00=C!d, 3, 4\r\npainting00=Reg/Reg.html?font=1, 1, 2, 3, 4\r\n");
    // A line without a place cannot be pasted (it names no x and y); the others keep their kind.
    const ClipboardGauges read = readClipboardGauges(copied);
    ASSERT_EQ(read.gauges.size(), 3u);
    EXPECT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(read.gauges[0].kind, fs2k::GaugeLineKind::HtmlGauge);
    EXPECT_EQ(read.gauges[1].kind, fs2k::GaugeLineKind::Gauge);
    EXPECT_EQ(read.gauges[2].kind, fs2k::GaugeLineKind::Painting);

    struct Case {
        std::string section;
        std::vector<ClipboardGauge> pasted;
        std::string refusal;
    };
    const std::vector<ClipboardGauge> html(read.gauges.begin(), read.gauges.begin() + 2);
    const std::vector<ClipboardGauge> painting(read.gauges.begin() + 2, read.gauges.end());
    const std::vector<Case> cases = {
        {"[VCockpit03]", html, ""},
        {"[Window01]", html,
         "[Window01] cannot hold htmlgauge lines: MSFS reads them in [VCockpitNN] sections "
         "only.\nPaste cancelled."},
        {"[VPainting02]", painting, ""},
        {"[vcockpit02]", painting,
         "[vcockpit02] cannot hold painting lines: MSFS reads them in [VPaintingNN] sections "
         "only.\nPaste cancelled."},
        {"[VPainting02]", html,
         "[VPainting02] cannot hold htmlgauge lines: MSFS reads them in [VCockpitNN] sections "
         "only.\nPaste cancelled."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        const fs2k::Panel panel = fs2k::readPanel(fs2k::PanelLines(c.section + "\nsize_mm=9\n"));
        ASSERT_EQ(panel.windows.size(), 1u);
        EXPECT_EQ(fs2kPasteRefusal(panel.windows[0], c.pasted).bytes(), c.refusal);
        if (c.refusal.empty()) {
            const auto planned = planFs2kPaste(panel.windows[0], c.pasted);
            ASSERT_EQ(planned.size(), c.pasted.size());
            EXPECT_EQ(planned.back().kind, c.pasted.back().kind);
        }
    }
}

TEST(GaugeClipboard, Fs2kPasteKeepsTheTextAndShiftsOffTakenPlaces) {
    fs2k::Window window;
    window.gauges.push_back({0, 3, 10, 20, {}, {}, 5});
    const std::vector<ClipboardGauge> pasted =
        readClipboardGauges("gauge00=A!b, 10, 20, 5 // x\ngauge01=A!c, 0, 0\n").gauges;
    const std::vector<fs2k::PastedGauge> lines = planFs2kPaste(window, pasted);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "A!b, 10, 20, 5 // x");
    EXPECT_TRUE(lines[0].shifted);
    EXPECT_EQ(lines[0].x, 20);
    EXPECT_EQ(lines[1].y, 10);
    window.gauges.clear();
    EXPECT_FALSE(planFs2kPaste(window, pasted)[0].shifted);
}

// Five main-panel gauges pasted into a 300 x 160 window: the group keeps its layout and
// goes to the nearest place inside; one larger than the window stays and is told.
TEST(GaugeClipboard, APasteThatDoesNotFitMovesInsideTheWindow) {
    const auto gauges = [](std::string_view text) { return readClipboardGauges(text).gauges; };
    const PasteArea area{300, 160};
    struct Case {
        std::string text;
        double dx, dy;
        bool fits;
    };
    const std::vector<Case> cases = {
        {"gauge00=A!a, 10, 10, 100, 100\n", 0, 0, true},
        // 150..420 x 40..150: back 120 across, down stays.
        {"gauge00=A!a, 150, 40, 110, 110\ngauge01=A!b, 310, 40, 110\n", -120, 0, true},
        // Above and left of the corner.
        {"gauge00=A!a, -30, -5, 40, 20\ngauge01=A!b, 20, 10\n", 30, 5, true},
        // No height: as high as wide.
        {"gauge00=A!a, 0, 100, 80\n", 0, -20, true},
        {"gauge00=A!a, 0, 0, 100\ngauge01=A!b, 250, 0, 100, 50\n", 0, 0, false},
    };
    for (const Case& c : cases) {
        const std::vector<ClipboardGauge> pasted = gauges(c.text);
        EXPECT_EQ(pasteFits(pasted, area), c.fits) << c.text;
        const PasteShift shift = fitPaste(pasted, {}, area);
        EXPECT_EQ(shift.dx, c.dx) << c.text;
        EXPECT_EQ(shift.dy, c.dy) << c.text;
    }
    EXPECT_EQ(pasteTooLargeMessage(gauges(cases.back().text), area).bytes(),
              "The 2 pasted gauges take 350 x 100 units, the window 300 x 160: they were "
              "pasted where they were copied, and FS does not show what lies outside the "
              "window.");

    // Both windows apply it after the shift off taken places.
    fs2k::Window window;
    window.gauges.push_back({0, 3, 255, 100, {}, {}, 5});
    const std::vector<fs2k::PastedGauge> lines =
        planFs2kPaste(window, gauges("gauge00=A!b, 255, 100, 40, 40\n"), area);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].shifted);
    EXPECT_EQ(lines[0].x, 260);
    EXPECT_EQ(lines[0].y, 110);
    const Fs98Paste fs98 =
        planFs98Paste(fs98Panel(), 0, gauges("gauge00=vor, 280, 10, 64\n"), area);
    ASSERT_EQ(fs98.gauges.size(), 1u);
    EXPECT_EQ(fs98.gauges[0].gaugeX, 236);
    EXPECT_EQ(fs98.gauges[0].gaugeY, 10);
}

} // namespace
} // namespace cockpix

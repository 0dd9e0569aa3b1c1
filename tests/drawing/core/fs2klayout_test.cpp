#include "drawing/core/fs2k/layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace cockpix {
namespace {

// The first window or virtual cockpit of a panel made of these lines.
fs2k::Window windowOf(const std::string& text) {
    const fs2k::Panel panel = fs2k::readPanel(fs2k::PanelLines(text));
    EXPECT_FALSE(panel.windows.empty());
    return panel.windows.empty() ? fs2k::Window{} : panel.windows.front();
}

void expectRect(const fs98::RectF& rect, double left, double top, double width, double height) {
    EXPECT_DOUBLE_EQ(rect.left, left);
    EXPECT_DOUBLE_EQ(rect.top, top);
    EXPECT_DOUBLE_EQ(rect.width, width);
    EXPECT_DOUBLE_EQ(rect.height, height);
}

fs2k::Gauge gaugeAt(std::optional<double> x, std::optional<double> y, std::optional<double> w = {},
                    std::optional<double> h = {}) {
    fs2k::Gauge gauge;
    gauge.x = x;
    gauge.y = y;
    gauge.width = w;
    gauge.height = h;
    return gauge;
}

constexpr ScreenSize kScreen{1000, 800};
constexpr ScreenSize kSvga{800, 600};
constexpr ScreenSize kXga{1024, 768};

struct WindowCase {
    std::string keys; // of [Window00], unless they start with a header
    ScreenSize screen;
    std::optional<BmpSize> bitmap;
    fs98::RectF rect;
    fs98::PointF pixelsPerUnit;
};

// Fractions of the screen; else FS98's rule (bitmap size times the ratio at the position
// code, size_mm's aspect when it has a height, square or pixel_size's aspect without a
// bitmap); a virtual cockpit as its texture at the corner, shrunk only to fit the screen.
// Gauges are in pixel_size's units where it is set, else in size_mm's.
TEST(Fs2kLayout, WindowsArePlacedAsFsPlacesThem) {
    const std::optional<BmpSize> vga = BmpSize{640, 480};
    // One case a line:
    // clang-format off
    const WindowCase cases[] = {
        {"size_mm=300,120\nwindow_size= 0.4, 0.25\nwindow_pos=0.3,0\nposition=8", kScreen, vga,
         {300, 0, 400, 200}, {400.0 / 300, 200.0 / 120}},
        {"size_mm=300,150\nwindow_size=0.5\nposition=8", kScreen, {}, {500, 550, 500, 250},
         {500.0 / 300, 250.0 / 150}},
        {"size_mm=640\nposition=4", kSvga, vga, {80, 60, 640, 480}, {1, 1}},
        {"size_mm=320\nposition=8", kSvga, vga, {160, 120, 640, 480}, {2, 2}},
        {"size_mm=640\nposition=9", kSvga, vga, {0, 0, 640, 480}, {1, 1}},
        {"size_mm=640\nposition=4\nwindowsize_ratio=.5", kSvga, vga, {240, 180, 320, 240},
         {.5, .5}},
        {"size_mm=640,240", kSvga, vga, {0, 0, 640, 240}, {1, 1}},
        {"size_mm=200,100\nposition=2", kSvga, {}, {600, 0, 200, 100}, {1, 1}},
        {"size_mm=200", kSvga, BmpSize{0, 0}, {0, 0, 200, 200}, {1, 1}},
        {"size_mm=200\npixel_size=400,100", kSvga, {}, {0, 0, 200, 50}, {.5, .5}},
        {"size_mm=640,480\npixel_size=1024,768", kXga, BmpSize{1024, 768}, {0, 0, 1024, 768},
         {1, 1}},
        {"[Vcockpit01]\nsize_mm=256\npixel_size=512,512", kXga, {}, {0, 0, 512, 512}, {2, 2}},
        // MSFS: instruments in size_mm stretched over the texture; a painting may have
        // size_mm alone; size_mm=0,0 is no size.
        {"[VCockpit04]\nsize_mm=1024,768\npixel_size=512,512", kXga, {}, {0, 0, 512, 512},
         {.5, 512.0 / 768}},
        {"[VPainting01]\nsize_mm=400,200", kXga, {}, {0, 0, 400, 200}, {1, 1}},
        {"[VPainting02]\nsize_mm=0,0\npixel_size=0,0", kXga, {}, {0, 0, 512, 512}, {1, 1}},
        {"[Vcockpit02]\npixel_size=2048,1024\nposition=8", kXga, vga, {0, 0, 1024, 512}, {.5, .5}},
        {"[Vcockpit03]", kXga, {}, {0, 0, 512, 512}, {1, 1}},
    };
    // clang-format on
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.keys);
        const std::string section = (c.keys[0] == '[' ? "" : "[Window00]\n") + c.keys + "\n";
        const fs2k::WindowLayout layout = fs2k::windowLayout(windowOf(section), c.screen, c.bitmap);
        expectRect(layout.rect, c.rect.left, c.rect.top, c.rect.width, c.rect.height);
        EXPECT_DOUBLE_EQ(layout.pixelsPerUnitX, c.pixelsPerUnit.x);
        EXPECT_DOUBLE_EQ(layout.pixelsPerUnitY, c.pixelsPerUnit.y);
    }
}

struct ZoomCase {
    std::string keys;
    fs98::ViewPlacement view;
    fs98::RectF rect;
    fs98::PointF pixelsPerUnit;
};

// Zoomed as an FS98 window: the size times the zoom, placed again by its position code
// (window_pos and a virtual cockpit keep their corner), then shifted; gauges stay in their
// units, so they grow with the window. A zoom that is no zoom counts as 1.
TEST(Fs2kLayout, TheMoveZoomDialogZoomsAndShiftsTheWindow) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // clang-format off
    const ZoomCase cases[] = {
        {"size_mm=320\nposition=4", {2, 0, 0}, {-240, -180, 1280, 960}, {4, 4}},
        {"size_mm=320\nposition=4", {.5, 10, -20}, {250, 160, 320, 240}, {1, 1}},
        {"size_mm=320\nposition=8", {2, 0, 0}, {-480, -360, 1280, 960}, {4, 4}},
        {"size_mm=300,150\nwindow_size=0.5\nwindow_pos=0.25,0.5", {2, 5, 5}, {205, 305, 800, 400},
         {800.0 / 300, 400.0 / 150}},
        {"[Vcockpit01]\npixel_size=256,128", {3, -1, 2}, {-1, 2, 768, 384}, {3, 3}},
        {"size_mm=320\nposition=4", {0, 0, 0}, {80, 60, 640, 480}, {2, 2}},
        {"size_mm=320\nposition=4", {nan, nan, nan}, {80, 60, 640, 480}, {2, 2}},
    };
    // clang-format on
    for (const ZoomCase& c : cases) {
        SCOPED_TRACE(c.keys);
        const std::string section = (c.keys[0] == '[' ? "" : "[Window00]\n") + c.keys + "\n";
        const fs2k::WindowLayout layout =
            fs2k::windowLayout(windowOf(section), kSvga, BmpSize{640, 480}, c.view);
        expectRect(layout.rect, c.rect.left, c.rect.top, c.rect.width, c.rect.height);
        EXPECT_DOUBLE_EQ(layout.pixelsPerUnitX, c.pixelsPerUnit.x);
        EXPECT_DOUBLE_EQ(layout.pixelsPerUnitY, c.pixelsPerUnit.y);
    }
    // A drag at zoom 2 moves the gauge half as many units as the pixels it went.
    const fs2k::WindowLayout zoomed = fs2k::windowLayout(windowOf("[Window00]\nsize_mm=640\n"),
                                                         kSvga, BmpSize{640, 480}, {2, 7, 9});
    expectRect(fs2k::rectOfGauge(gaugeAt(10, 20, 30, 40), zoomed, {}), 27, 49, 60, 80);
    EXPECT_EQ(fs2k::draggedPlace(gaugeAt(10, 20), zoomed, 8, -8).x, 14);
}

TEST(Fs2kLayout, AGaugeWithoutAFullSizeTakesItFromItsPicture) {
    const fs2k::WindowLayout layout =
        fs2k::windowLayout(windowOf("[Window00]\nsize_mm=500\n"), kScreen, BmpSize{1000, 1000});
    ASSERT_DOUBLE_EQ(layout.pixelsPerUnitX, 2);
    const std::optional<BmpSize> picture = BmpSize{100, 50};
    expectRect(fs2k::rectOfGauge(gaugeAt(5, 6, 40), layout, picture), 10, 12, 80, 40);
    expectRect(fs2k::rectOfGauge(gaugeAt(5, 6, {}, 10), layout, picture), 10, 12, 40, 20);
    expectRect(fs2k::rectOfGauge(gaugeAt(5, {}), layout, picture), 10, 0, 200, 100);
    expectRect(fs2k::rectOfGauge(gaugeAt(5, 6, 0), layout, picture), 10, 12, 200, 100);
    expectRect(fs2k::rectOfGauge(gaugeAt(5, 6, 40), layout, {}), 10, 12, 80, 80);
    expectRect(fs2k::rectOfGauge(gaugeAt({}, {}), layout, BmpSize{0, 7}), 0, 0, 64, 64);
}

// Back from pixels: whole numbers stay whole, others go to hundredths, and what did not
// move keeps the line's number.
TEST(Fs2kLayout, DraggedPixelsGoBackToPanelUnits) {
    const fs2k::WindowLayout layout = fs2k::windowLayout(
        windowOf("[Window00]\nsize_mm=400,300\nposition=4\n"), kScreen, BmpSize{800, 600});
    const fs2k::Gauge gauge = gaugeAt(10, 20.25, 30);
    const std::optional<BmpSize> picture = BmpSize{60, 90};
    const fs98::RectF shown = fs2k::rectOfGauge(gauge, layout, picture);
    const fs2k::GaugePlace same = fs2k::placeOfRect(gauge, layout, picture, shown);
    EXPECT_EQ(same.x, 10);
    EXPECT_EQ(same.y, 20.25);
    EXPECT_EQ(same.width, 30);
    EXPECT_EQ(same.height, 45);

    fs98::RectF moved = shown;
    moved.left += 11; // 5.5 units: half to even
    moved.top += 3;   // 1.5 units
    moved.width += 21;
    const fs2k::GaugePlace place = fs2k::placeOfRect(gauge, layout, picture, moved);
    EXPECT_EQ(place.x, 16);
    EXPECT_DOUBLE_EQ(place.y, 21.75);
    EXPECT_EQ(place.width, 40);
    EXPECT_EQ(place.height, 45);
    moved.width = -50;
    EXPECT_EQ(fs2k::placeOfRect(gauge, layout, picture, moved).width, 1);

    const fs98::PointF dragged = fs2k::draggedPlace(gauge, layout, 11, 0);
    EXPECT_EQ(dragged.x, 16);
    EXPECT_EQ(dragged.y, 20.25);
    EXPECT_EQ(fs2k::draggedPlace(gaugeAt({}, {}), layout, -4, 1).x, -2);
}

TEST(Fs2kLayout, AbsurdNumbersAreHeldWithinAFewScreens) {
    const double huge = 1e300;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const fs2k::WindowLayout layout =
        fs2k::windowLayout(windowOf("[Window00]\nsize_mm=1e300,1e-300\nwindow_size=1e300,nan\n"
                                    "window_pos=-1e300,1e300\nwindowsize_ratio=1e300\n"),
                           kScreen, BmpSize{1, 100000});
    for (double value : {layout.rect.left, layout.rect.top, layout.rect.width, layout.rect.height})
        EXPECT_TRUE(std::isfinite(value) && std::abs(value) <= 8000);
    EXPECT_TRUE(std::isfinite(layout.pixelsPerUnitX) && layout.pixelsPerUnitX > 0);
    EXPECT_TRUE(std::isfinite(layout.pixelsPerUnitY) && layout.pixelsPerUnitY > 0);

    const fs2k::WindowLayout plain =
        fs2k::windowLayout(windowOf("[Window00]\nsize_mm=100\n"), kScreen, BmpSize{100, 100});
    for (const fs2k::Gauge& gauge : {gaugeAt(huge, -huge, huge, huge), gaugeAt(nan, nan, nan),
                                     gaugeAt(0, 0, 100000), gaugeAt(1, 1, 5)}) {
        const fs98::RectF rect = fs2k::rectOfGauge(gauge, plain, BmpSize{1, 100000});
        EXPECT_LE(std::abs(rect.left), 8000);
        EXPECT_LE(std::abs(rect.top), 6400);
        EXPECT_LE(rect.width, 8000);
        EXPECT_LE(rect.height, 6400);
        EXPECT_GE(rect.height, 0);
    }
}

// An MSFS instrument without a place covers its section; one of a pixel or none still shows.
TEST(Fs2kLayout, InstrumentsCoverTheirSectionOrStayLargeEnoughToTake) {
    const fs2k::WindowLayout layout = fs2k::windowLayout(
        windowOf("[VCockpit01]\nsize_mm=2048,2048\npixel_size=1024,1024\n"), kScreen, {});
    const auto instrument = [](fs2k::Gauge gauge) {
        gauge.kind = fs2k::GaugeLineKind::HtmlGauge;
        return gauge;
    };
    EXPECT_TRUE(fs2k::coversSection(instrument(gaugeAt({}, {}))));
    EXPECT_FALSE(fs2k::coversSection(gaugeAt({}, {})));
    expectRect(fs2k::rectOfGauge(instrument(gaugeAt({}, {})), layout, {}), 0, 0, 800, 800);
    expectRect(fs2k::rectOfGauge(instrument(gaugeAt(100, 200, 1, 1)), layout, {}), 39.0625, 78.125,
               8, 8);
    expectRect(fs2k::rectOfGauge(gaugeAt(100, 200, 1, 1), layout, {}), 39.0625, 78.125, 0.390625,
               0.390625);
    expectRect(fs2k::rectOfGauge(instrument(gaugeAt(0, 0, 0, 0)), layout, {}), 0, 0, 12.5, 12.5);
}

TEST(Fs2kLayout, InstrumentsAreNamedByTheirFile) {
    const std::string longPath = std::string(10000, 'a') + "/x.html";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Airliners/WTB748/PFD/WTB748_PFD.html?Index=1", "WTB748_PFD"},
        {"WasmInstrument/WasmInstrument.html?wasm_module=sys.wasm&wasm_gauge=terronnd",
         "terronnd (sys.wasm)"},
        {"wasminstrument/WASMINSTRUMENT.HTML?wasm_gauge=g", "g"},
        {"nd.html?Index=2?duID=4", "nd"},
        {"Folder\\Sub\\Screen.htm", "Screen"},
        {"", ""},
        {longPath, "x"},
        {std::string(10000, 'b'), std::string(78, 'b') + "..." + std::string(78, 'b')},
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(fs2k::instrumentName(path), name) << path.substr(0, 60);
    EXPECT_EQ(fs2k::gaugeLabel(fs2k::GaugeLineKind::HtmlGauge, 3, "A/B.html?x=1"),
              "htmlgauge #3 : A/B.html?x=1");
    EXPECT_EQ(fs2k::gaugeLabel(fs2k::GaugeLineKind::Painting, 0, longPath).size(),
              std::string("painting #0 : ").size() + fs2k::kLongestShownName - 1);
}

TEST(Fs2kLayout, BackgroundCaptionAndTooltip) {
    const std::string text = "[Window Titles]\nWindow00=Main Panel\nWindow01=\n\n"
                             "[Window00]\nfile=main.bmp\nFILE_1024=main_1024.bmp\nfile_800=\n"
                             "Background_color= 16 , 32,48 \n"
                             "[Window01]\nbackground_color=300,0,0\n[Vcockpit01]\nfile=vc.bmp\n";
    const fs2k::PanelLines lines(text);
    const fs2k::Panel panel = fs2k::readPanel(lines);
    const fs2k::Window& main = panel.windows[0];
    EXPECT_EQ(fs2k::backgroundFile(main, 1024), "main_1024.bmp");
    EXPECT_EQ(fs2k::backgroundFile(main, 800), "main.bmp");
    EXPECT_EQ(fs2k::backgroundFile(main, 1280), "main.bmp");
    EXPECT_EQ(fs2k::backgroundFile(panel.windows[1], 1024), "");
    EXPECT_EQ(fs2k::backgroundColorOf(main), (fs2k::RgbColor{16, 32, 48}));
    EXPECT_EQ(fs2k::backgroundColorOf(panel.windows[1]), std::nullopt);
    EXPECT_EQ(fs2k::backgroundColorOf(panel.windows[2]), std::nullopt);

    EXPECT_EQ(fs2k::windowCaption(panel, main), "Main Panel");
    EXPECT_EQ(fs2k::windowCaption(panel, panel.windows[1]), "Window01");
    EXPECT_EQ(fs2k::windowCaption(panel, panel.windows[2]), "Vcockpit01");
    EXPECT_EQ(fs2k::tooltipOfGauge("Cessna!Clock", 3), "gauge #3 : Cessna!Clock");
    EXPECT_EQ(fs2k::tooltipOfGauge("a!b", 12, "no picture in the module"),
              "gauge #12 : a!b\nno picture in the module");
}

} // namespace
} // namespace cockpix

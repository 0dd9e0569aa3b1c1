#include "gauges/core/laterlayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace cockpix {
namespace {

// The first window or virtual cockpit of a panel made of these lines.
LaterWindow windowOf(const std::string& text) {
    const LaterPanel panel = readLaterPanel(PanelLines(text));
    EXPECT_FALSE(panel.windows.empty());
    return panel.windows.empty() ? LaterWindow{} : panel.windows.front();
}

void expectRect(const RectF& rect, double left, double top, double width, double height) {
    EXPECT_DOUBLE_EQ(rect.left, left);
    EXPECT_DOUBLE_EQ(rect.top, top);
    EXPECT_DOUBLE_EQ(rect.width, width);
    EXPECT_DOUBLE_EQ(rect.height, height);
}

LaterGauge gaugeAt(std::optional<double> x, std::optional<double> y, std::optional<double> w = {},
                   std::optional<double> h = {}) {
    LaterGauge gauge;
    gauge.x = x;
    gauge.y = y;
    gauge.width = w;
    gauge.height = h;
    return gauge;
}

constexpr ScreenSize kScreen{1000, 800};

TEST(LaterLayout, FractionsOfTheScreenPlaceAndSizeAWindow) {
    const LaterWindow window = windowOf("[Window05]\nsize_mm=300,120\n"
                                        "window_size= 0.400, 0.250\nwindow_pos=0.300,0.000\n"
                                        "position=8\n");
    const LaterWindowLayout layout = laterWindowLayout(window, kScreen, BmpSize{64, 64});
    EXPECT_TRUE(layout.byFractions);
    expectRect(layout.rect, 300, 0, 400, 200);
    EXPECT_DOUBLE_EQ(layout.pixelsPerUnitX, 400.0 / 300);
    EXPECT_DOUBLE_EQ(layout.pixelsPerUnitY, 200.0 / 120);

    // A width alone takes the height from size_mm's aspect; no window_pos: the position code.
    const LaterWindowLayout wide = laterWindowLayout(
        windowOf("[Window00]\nsize_mm=300,150\nwindow_size=0.5\nposition=8\n"), kScreen, {});
    expectRect(wide.rect, 500, 550, 500, 250);
}

TEST(LaterLayout, OtherWindowsArePlacedAsFs98PlacesThem) {
    const std::optional<BmpSize> bitmap = BmpSize{640, 480};
    const auto rectOf = [&](const std::string& keys, std::optional<BmpSize> background) {
        return laterWindowLayout(windowOf("[Window00]\n" + keys), {800, 600}, background).rect;
    };
    expectRect(rectOf("size_mm=640\nposition=4\n", bitmap), 80, 60, 640, 480);
    expectRect(rectOf("size_mm=640\nposition=8\n", bitmap), 160, 120, 640, 480);
    expectRect(rectOf("size_mm=640\nposition=9\n", bitmap), 0, 0, 640, 480);
    expectRect(rectOf("size_mm=640\nposition=4\nwindowsize_ratio=0.5\n", bitmap), 240, 180, 320,
               240);
    // size_mm=w,h gives the aspect, the bitmap is stretched to it.
    expectRect(rectOf("size_mm=640,240\n", bitmap), 0, 0, 640, 240);
    // No bitmap: size_mm's own numbers; no height: square, or pixel_size's aspect.
    expectRect(rectOf("size_mm=200,100\nposition=2\n", {}), 600, 0, 200, 100);
    expectRect(rectOf("size_mm=200\n", {}), 0, 0, 200, 200);
    expectRect(rectOf("size_mm=200\npixel_size=400,100\n", {}), 0, 0, 200, 50);
    expectRect(rectOf("size_mm=200\n", BmpSize{0, 0}), 0, 0, 200, 200); // unreadable
}

// Gauges are in size_mm's units, or pixel_size's where the section sets it.
TEST(LaterLayout, GaugeUnitsFollowSizeMmOrPixelSize) {
    const LaterWindowLayout half =
        laterWindowLayout(windowOf("[Window00]\nsize_mm=320\n"), {800, 600}, BmpSize{640, 480});
    EXPECT_DOUBLE_EQ(half.pixelsPerUnitX, 2);
    EXPECT_DOUBLE_EQ(half.pixelsPerUnitY, 2);
    EXPECT_DOUBLE_EQ(half.unitHeight, 240);
    expectRect(laterGaugeRect(gaugeAt(10, 20, 30, 40), half, {}), 20, 40, 60, 80);

    const LaterWindowLayout pixels = laterWindowLayout(
        windowOf("[Window00]\nsize_mm=640,480\npixel_size=1024,768\nposition=0\n"), {1024, 768},
        BmpSize{1024, 768});
    EXPECT_DOUBLE_EQ(pixels.pixelsPerUnitX, 1);
    EXPECT_DOUBLE_EQ(pixels.pixelsPerUnitY, 1);

    // A virtual cockpit is its texture at the corner, 1:1 unless larger than the screen.
    const LaterWindowLayout vc = laterWindowLayout(
        windowOf("[Vcockpit01]\nsize_mm=512,512\npixel_size=512,512\n"), {1024, 768}, {});
    expectRect(vc.rect, 0, 0, 512, 512);
    EXPECT_DOUBLE_EQ(vc.pixelsPerUnitX, 1);
    const LaterWindowLayout big = laterWindowLayout(
        windowOf("[Vcockpit02]\npixel_size=2048,1024\nposition=8\n"), {1024, 768}, BmpSize{16, 16});
    expectRect(big.rect, 0, 0, 1024, 512);
    EXPECT_DOUBLE_EQ(big.pixelsPerUnitY, 0.5);
    expectRect(laterWindowLayout(windowOf("[Vcockpit03]\n"), {1024, 768}, {}).rect, 0, 0, 512, 512);
}

TEST(LaterLayout, AGaugeWithoutAFullSizeTakesItFromItsPicture) {
    const LaterWindowLayout layout =
        laterWindowLayout(windowOf("[Window00]\nsize_mm=500\n"), kScreen, BmpSize{1000, 1000});
    ASSERT_DOUBLE_EQ(layout.pixelsPerUnitX, 2);
    const std::optional<BmpSize> picture = BmpSize{100, 50};
    expectRect(laterGaugeRect(gaugeAt(5, 6, 40), layout, picture), 10, 12, 80, 40);
    expectRect(laterGaugeRect(gaugeAt(5, 6, {}, 10), layout, picture), 10, 12, 40, 20);
    expectRect(laterGaugeRect(gaugeAt(5, {}), layout, picture), 10, 0, 200, 100);
    expectRect(laterGaugeRect(gaugeAt(5, 6, 0), layout, picture), 10, 12, 200, 100);
    expectRect(laterGaugeRect(gaugeAt(5, 6, 40), layout, {}), 10, 12, 80, 80);
    expectRect(laterGaugeRect(gaugeAt({}, {}), layout, BmpSize{0, 7}), 0, 0, 64, 64);
}

// Back from pixels: whole numbers stay whole, others go to hundredths, and what did not
// move keeps the line's number.
TEST(LaterLayout, DraggedPixelsGoBackToPanelUnits) {
    const LaterWindowLayout layout = laterWindowLayout(
        windowOf("[Window00]\nsize_mm=400,300\nposition=4\n"), kScreen, BmpSize{800, 600});
    const LaterGauge gauge = gaugeAt(10, 20.25, 30);
    const std::optional<BmpSize> picture = BmpSize{60, 90};
    const RectF shown = laterGaugeRect(gauge, layout, picture);
    const LaterGaugePlace same = laterPlaceOfRect(gauge, layout, picture, shown);
    EXPECT_EQ(same.x, 10);
    EXPECT_EQ(same.y, 20.25);
    EXPECT_EQ(same.width, 30);
    EXPECT_EQ(same.height, 45);

    RectF moved = shown;
    moved.left += 11; // 5.5 units: half to even
    moved.top += 3;   // 1.5 units
    moved.width += 21;
    const LaterGaugePlace place = laterPlaceOfRect(gauge, layout, picture, moved);
    EXPECT_EQ(place.x, 16);
    EXPECT_DOUBLE_EQ(place.y, 21.75);
    EXPECT_EQ(place.width, 40);
    EXPECT_EQ(place.height, 45);
    moved.width = -50;
    EXPECT_EQ(laterPlaceOfRect(gauge, layout, picture, moved).width, 1);

    const PointF dragged = laterDraggedPlace(gauge, layout, 11, 0);
    EXPECT_EQ(dragged.x, 16);
    EXPECT_EQ(dragged.y, 20.25);
    EXPECT_EQ(laterDraggedPlace(gaugeAt({}, {}), layout, -4, 1).x, -2);
}

TEST(LaterLayout, AbsurdNumbersAreHeldWithinAFewScreens) {
    const double huge = 1e300;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const LaterWindowLayout layout =
        laterWindowLayout(windowOf("[Window00]\nsize_mm=1e300,1e-300\nwindow_size=1e300,nan\n"
                                   "window_pos=-1e300,1e300\nwindowsize_ratio=1e300\n"),
                          kScreen, BmpSize{1, 100000});
    for (double value : {layout.rect.left, layout.rect.top, layout.rect.width, layout.rect.height})
        EXPECT_TRUE(std::isfinite(value) && std::abs(value) <= 8000);
    EXPECT_TRUE(std::isfinite(layout.pixelsPerUnitX) && layout.pixelsPerUnitX > 0);
    EXPECT_TRUE(std::isfinite(layout.pixelsPerUnitY) && layout.pixelsPerUnitY > 0);

    const LaterWindowLayout plain =
        laterWindowLayout(windowOf("[Window00]\nsize_mm=100\n"), kScreen, BmpSize{100, 100});
    for (const LaterGauge& gauge : {gaugeAt(huge, -huge, huge, huge), gaugeAt(nan, nan, nan),
                                    gaugeAt(0, 0, 100000), gaugeAt(1, 1, 5)}) {
        const RectF rect = laterGaugeRect(gauge, plain, BmpSize{1, 100000});
        EXPECT_LE(std::abs(rect.left), 8000);
        EXPECT_LE(std::abs(rect.top), 6400);
        EXPECT_LE(rect.width, 8000);
        EXPECT_LE(rect.height, 6400);
        EXPECT_GE(rect.height, 0);
    }
}

TEST(LaterLayout, BackgroundCaptionAndTooltip) {
    const std::string text = "[Window Titles]\nWindow00=Main Panel\nWindow01=\n\n"
                             "[Window00]\nfile=main.bmp\nFILE_1024=main_1024.bmp\nfile_800=\n"
                             "Background_color= 16 , 32,48 \n"
                             "[Window01]\nbackground_color=300,0,0\n[Vcockpit01]\nfile=vc.bmp\n";
    const PanelLines lines(text);
    const LaterPanel panel = readLaterPanel(lines);
    const LaterWindow& main = panel.windows[0];
    EXPECT_EQ(laterBackgroundFile(main, 1024), "main_1024.bmp");
    EXPECT_EQ(laterBackgroundFile(main, 800), "main.bmp");
    EXPECT_EQ(laterBackgroundFile(main, 1280), "main.bmp");
    EXPECT_EQ(laterBackgroundFile(panel.windows[1], 1024), "");
    EXPECT_EQ(laterBackgroundColor(main), (RgbColor{16, 32, 48}));
    EXPECT_EQ(laterBackgroundColor(panel.windows[1]), std::nullopt);
    EXPECT_EQ(laterBackgroundColor(panel.windows[2]), std::nullopt);

    EXPECT_EQ(laterWindowCaption(panel, main), "Main Panel");
    EXPECT_EQ(laterWindowCaption(panel, panel.windows[1]), "Window01");
    EXPECT_EQ(laterWindowCaption(panel, panel.windows[2]), "Vcockpit01");
    EXPECT_EQ(laterGaugeTooltip("Cessna!Clock", 3), "gauge #3 : Cessna!Clock");
    EXPECT_EQ(laterGaugeTooltip("a!b", 12, "no picture in the module"),
              "gauge #12 : a!b\nno picture in the module");
}

} // namespace
} // namespace cockpix

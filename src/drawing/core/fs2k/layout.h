#pragma once

// Where FS puts a window of a panel of FS2000 and later on a screen, and its gauges in it.
// Everything is in screen pixels, the screen's top-left corner at (0, 0); a view that shows
// the screen smaller or zoomed multiplies by its own factor (and divides drags by it before
// they come back here).
//
// A window placed by fractions (window_pos, window_size) takes them of the screen; any
// other window is placed as FS98 places one: its background at its pixel size times
// window_size_ratio, at the position code 0..8, size_mm giving the aspect when it has a
// height. A [VcockpitNN] or [VPaintingNN] is its texture (pixel_size, else size_mm) at the
// top-left corner, 1:1 unless it is larger than the screen, its gauges in the units of
// size_mm stretched over it (else in texture pixels). In a [WindowNN] gauge coordinates are
// in the units of pixel_size where the section sets it, else of size_mm. Absurd numbers (NaN,
// 1e300, a gauge a hundred screens wide) are clamped so that nothing drawn from these rectangles
// can ask for a huge picture.

#include "base/core/bmpheader.h"
#include "base/core/screensize.h"
#include "drawing/core/fs98/layout.h"
#include "panel/core/fs2k/panel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cockpix::fs2k {

// No rectangle of a window or a gauge reaches further than this many screens (widths
// across, heights down) from the screen's corner, nor is larger.
inline constexpr double kMaxScreens = 8;
// The size in panel units of a gauge with no size of its own and no picture.
inline constexpr double kOutlineUnits = 32;
// A virtual cockpit's texture when its section says no size and it has no bitmap.
inline constexpr double kTextureSize = 512;
// The least width and height of an MSFS instrument's rectangle on the screen: one of a
// pixel or none still shows and can be taken.
inline constexpr double kSmallestInstrumentPixels = 8;

// The background bitmap for a screen width: file_640 / file_800 / file_1024 / file_1280 /
// file_1600 (any width, in fact) when the section has that key, else file=. Empty when it
// has neither.
std::string backgroundFile(const Window& window, int screenWidth);

struct RgbColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const RgbColor&, const RgbColor&) = default;
};
// Background_color=r,g,b (blanks anywhere around the numbers); nullopt when the key is
// missing or is not three numbers 0..255.
std::optional<RgbColor> backgroundColorOf(const Window& window);

struct WindowLayout {
    fs98::RectF rect;     // the window on the screen
    double unitWidth = 1; // the window's width and height in gauge units
    double unitHeight = 1;
    double pixelsPerUnitX = 1; // rect.width / unitWidth, always finite and > 0
    double pixelsPerUnitY = 1;
    bool byFractions = false; // placed by window_pos / window_size
    double screenWidth = 1;   // the screen it was laid out for, in pixels
    double screenHeight = 1;
    // How many screens from the corner its gauges may reach: kMaxScreens, times the
    // zoom when it is larger than 1.
    double reach = kMaxScreens;
};

// The layout of window on a screen; background is the pixel size of its bitmap
// (backgroundFile), nullopt when it has none or it cannot be read. view zooms and
// shifts it as the move/zoom dialog asks, as an FS98 window is zoomed: the window's size
// times the zoom, placed again by its position code (by window_pos, a virtual cockpit at
// the corner: its top-left corner stays), then moved by the shift; the gauge units stay.
// A zoom that is not a number above zero counts as 1; it is held within 1/1000..50.
WindowLayout windowLayout(const Window& window, ScreenSize screen,
                          std::optional<BmpSize> background, const fs98::ViewPlacement& view = {});

// The gauge's rectangle on the screen. x, y, w, h as the line gives them (x, y missing: 0);
// w alone keeps the picture's aspect; h alone too, the other way; neither gives the
// picture's own size in panel units (one unit a picture pixel). Without a picture a gauge
// with one size is square, and one with none is kOutlineUnits square. A size of 0 or
// less counts as missing, so the gauge can still be seen and taken.
fs98::RectF rectOfGauge(const Gauge& gauge, const WindowLayout& layout,
                        std::optional<BmpSize> picture);

// What a gauge line says in panel units.
struct GaugePlace {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// The inverse for drags: the place in panel units of a gauge whose rectangle became
// `pixels` (from rectOfGauge, moved or resized). A value is rounded to whole units when
// the line's number was whole (or missing), else to hundredths; a value whose pixels did
// not change keeps the line's number as it is. Sizes are at least one rounding step.
GaugePlace placeOfRect(const Gauge& gauge, const WindowLayout& layout,
                       std::optional<BmpSize> picture, const fs98::RectF& pixels);

// Where dragging a gauge by (dx, dy) screen pixels puts it, by the same rounding: x and y.
fs98::PointF draggedPlace(const Gauge& gauge, const WindowLayout& layout, double dx, double dy);
// The same for a move of (dx, dy) panel units (a drag after snapping).
fs98::PointF placeAfterMove(const Gauge& gauge, double dx, double dy);

// The window's caption: its title in [Window Titles], else the section's name as written.
std::string windowCaption(const Panel& panel, const Window& window);

// An MSFS instrument (htmlgaugeNN, paintingNN) whose line gives no place, neither x nor y:
// MSFS stretches it over the whole section, and rectOfGauge lays it out so.
bool coversSection(const Gauge& gauge);
// What an instrument's outline says when its line gives no place.
inline constexpr std::string_view kCoversSectionNote = "(no place given: covers the section)";

// The name an instrument goes by: its file's name without extension ("WTB748_PFD" for
// "Airliners/WTB748/PFD/WTB748_PFD.html?Index=1"), for MSFS's WASM host the gauge and its
// module ("terronnd (terronnd.wasm)" for "WasmInstrument/WasmInstrument.html?
// wasm_module=terronnd.wasm&wasm_gauge=terronnd"). Cut as elidedName cuts.
std::string instrumentName(std::string_view name);

// A name longer than kLongestShownName cut in its middle with "...": labels, tooltips and
// lists stay readable with a path of ten thousand characters.
inline constexpr std::size_t kLongestShownName = 160;
std::string elidedName(std::string_view name);

// "gauge #3 : Cessna!Clock", "htmlgauge #0 : NavSystems/GPS/PFD/PFD.html?Index=1",
// "painting #1 : Registration/Registration.html": the key's prefix, number and name (cut).
std::string gaugeLabel(GaugeLineKind kind, long number, std::string_view name);

// "gauge #3 : Cessna!Clock", and the reason on a line of its own when there is one
// ("no picture: the module has none").
std::string tooltipOfGauge(std::string_view name, long number, std::string_view reason = {});

} // namespace cockpix::fs2k

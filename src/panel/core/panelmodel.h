#pragma once

// The one in-memory copy of the panel.cfg being edited, plus the program state that every
// window of COCKPIX shares. Plain data with fixed tables: FS98 allows 9 panel windows of
// 64 gauges each, and the reader keeps at most 20 preamble lines and 33 colour lines.
// There is exactly one instance, owned by the application and passed by reference.

#include <array>
#include <cstdint>
#include <string>

namespace cockpix {

inline constexpr int kWindowSlots = 9;
inline constexpr int kGaugeSlots = 64;
inline constexpr int kPreambleSlots = 20;
inline constexpr int kColorSlots = 33;

// 0x00BBGGRR, as a Windows COLORREF: red in the lowest byte.
using ColorRef = std::uint32_t;
inline constexpr ColorRef kDefaultTemplateColor = 0xE0FFFF; // light yellow

struct Gauge {
    std::string gaugeName; // module name, lower case, without ".gau"
    double gaugeX = 0;
    double gaugeY = 0;
    double gaugeSize = 0;
    // -1: the gauge line had no size; 0: it had one; once the panel window has measured a
    // size-less gauge, that measured size (so the writer leaves an unchanged size out).
    double gaugeRefSize = 0;

    // Display data, derived by the panel window; never read from or written to the file.
    double gaugeBitmapWidth = 0;
    double gaugeBitmapHeight = 0;
    double gaugeAspect = 0;
};

// The ident of a window: a number after reading, the text as typed after an edit in the
// template. The writer writes it only when it reads as a number.
struct WindowIdent {
    bool isText = false;
    double number = 0;
    std::string text;

    static WindowIdent fromNumber(double value) { return {false, value, {}}; }
    static WindowIdent fromText(std::string typed) { return {true, 0, std::move(typed)}; }
};

struct PanelWindow {
    std::string windowTitle;
    std::string windowBitmap; // background bitmap name without ".bmp"; empty = none
    double windowSizeMm = 0;
    double windowSizeRatio = 0;
    double windowPosition = 0; // 0 = top-left .. 8 = bottom-right, row by row
    double windowVisible = 0;
    WindowIdent windowIdent;
    int gaugeCount = 0;
    double windowZoom = 1; // display zoom, 1 = 100 %; not written to the file

    // Display data, derived by the panel window and the move/zoom dialog.
    double windowPixelWidth = 0;
    double windowPixelHeight = 0;
    double windowScale = 0;
    double windowOffsetX = 0;
    double windowOffsetY = 0;
    double windowShiftX = 0;
    double windowShiftY = 0;
    double savedOffsetX = 0;
    double savedOffsetY = 0;

    std::array<Gauge, kGaugeSlots> gauges;
};

// The five directories of the settings file, each ending with "/" (or empty when unset),
// so that every path is the plain concatenation of directory, name and extension.
struct Directories {
    std::string gaugesDir;
    std::string bmpDir;
    std::string paletteDir;
    std::string panelDir;
    std::string programDir;
};

// The four two-way switches of the Options menu; they start at their defaults every run.
struct Options {
    bool alwaysRecomputeBitmaps = false;  // "Always &recompute bitmaps"
    bool frameAroundGauges = true;        // "&Frame around gauges"
    bool eraseBitmapsOnQuit = false;      // "Erase b&itmaps after quitting"
    bool erasePaletteFilesOnQuit = false; // "Erase p&alette files after quitting"
};

struct PanelModel {
    // --- The panel (what panel.cfg holds) ---
    int windowCount = 0;
    std::array<PanelWindow, kWindowSlots> windows;

    int preambleLineCount = 0;
    std::array<std::string, kPreambleSlots + 1> preambleLine; // slots 1..20 used
    int colorLineCount = 0;
    std::array<std::string, kColorSlots + 1> colorLine; // slots 1..33 used

    double defaultViewX = 0;
    double defaultViewY = 0;
    double defaultViewSizeX = 0;
    double defaultViewSizeY = 0;

    // --- Shared program state ---
    Directories dirs;
    Options options;
    int currentWindow = 0;
    int currentGauge = 0;
    ColorRef templateColor = kDefaultTemplateColor;
    int paletteTolerance = 0;

    // Panel window display.
    double screenWidthPx = 0;
    double screenHeightPx = 0;
    double frameRatioX = 0;
    double frameRatioY = 0;
    ColorRef panelBackColor = 0; // black until the user picks another
    int blinkState = 0;
    double blinkInterval = 1;

    // Add-gauge dialog.
    std::string addSelectedFile;
    std::string addSelectedBitmap;
    int addCancelled = 0;

    // Move/zoom dialog.
    double previewScaleX = 0;
    double previewScaleY = 0;
    double zoomSliderValue = 0;
    int zoomSliderGuard = 0;

    // Bitmap choosers, palette optimizer, outside view, directories dialog.
    std::string chosenBitmapPath;
    int bitmapMissing = 0;
    std::string paletteResultFile;
    int advisedColorCount = 0;
    double outsideViewScale = 0;
    std::string dirDialogTarget;
    std::string dirDialogPath;

    PanelWindow& window(int w) { return windows.at(static_cast<std::size_t>(w)); }
    const PanelWindow& window(int w) const { return windows.at(static_cast<std::size_t>(w)); }
    Gauge& gauge(int w, int g) { return window(w).gauges.at(static_cast<std::size_t>(g)); }
    const Gauge& gauge(int w, int g) const {
        return window(w).gauges.at(static_cast<std::size_t>(g));
    }

    // Empties the model for a new or freshly opened panel. Keeps templateColor,
    // panelBackColor, the directories and the option switches. Closing the panel windows is
    // the GUI's half of this and happens around the call.
    void clearModel();
};

} // namespace cockpix

#pragma once

// Where a panel window puts its background and gauges. The panel window's client area
// stands for the whole FS98 screen, shrunk by a child window's border (4 pixels) and its
// caption and menu bar (43 pixels); the background sits at one of nine positions, and every
// gauge is placed by one rule that the gauge dialogs, the move/zoom dialog and the outside
// view frame share. Pure arithmetic on the model, in double precision, multiplied in one
// fixed order so that every window and dialog gets the same pixel to the last digit.

#include "base/core/bmpheader.h"
#include "panel/core/fs98/panel.h"
#include "panel/core/fs98/paneldisplay.h"

#include <string>

namespace cockpix::fs98 {

struct RectF {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

inline constexpr double kFrameMarginX = 4;  // a child window's left and right borders
inline constexpr double kFrameMarginY = 43; // its caption, menu bar and bottom border

// (screenWidthPx - 4) / screenWidthPx and (screenHeightPx - 43) / screenHeightPx.
double frameRatioX(double screenWidthPx);
double frameRatioY(double screenHeightPx);

// Stores screenWidthPx, screenHeightPx, frameRatioX and frameRatioY of a screen of that
// size in pixels.
void storeScreen(PanelDisplay& display, int screenWidthPx, int screenHeightPx);

// windowZoom * windowSizeRatio: how much the background is enlarged.
double windowMagnification(const Panel& panel, const PanelDisplay& display, int w);

struct PointF {
    double x = 0;
    double y = 0;
};
// The origin of the picture for a position code 0..8 (row by row from the top-left
// corner) given the free space dx, dy; any other code puts it at the top-left corner.
PointF positionOffset(double position, double dx, double dy);

// After the background of window w has been measured: stores windowPixelWidth/Height,
// windowScale (left unchanged when windowSizeMm is 0, as FS98 panels without a size keep
// the previous scale), windowOffsetX/Y from the position code. Needs storeScreen first.
void storeBackgroundLayout(const Panel& panel, PanelDisplay& display, int w, BmpSize background);

// The background rectangle from the stored values (shift + offset, pixel size * k * frame).
RectF backgroundRect(const Panel& panel, const PanelDisplay& display, int w);

// After a gauge bitmap has been measured: stores gaugeBitmapWidth/Height and gaugeAspect
// (left unchanged when the width is 0).
void storeGaugeBitmapSize(GaugeDisplay& gauge, BmpSize bitmap);

// The rectangle of gauge at its X, Y and size in window w: value * windowScale * zoom *
// ratio * frameRatio plus shift and offset; the height follows the bitmap's aspect.
RectF gaugeRect(const Panel& panel, const PanelDisplay& display, int w, const Gauge& gauge,
                const GaugeDisplay& bitmap);
// The same for gauge g of window w.
RectF gaugeRect(const Panel& panel, const PanelDisplay& display, int w, int g);

// "Window 2: Main panel - Zoom : 1 - Size: 640 - Position: 7 - size ratio: 1"
std::string panelWindowCaption(const Panel& panel, const PanelDisplay& display, int w);

// "gauge #3 : cessna_182.airspeed"
std::string gaugeTooltip(const Panel& panel, int w, int g);

} // namespace cockpix::fs98

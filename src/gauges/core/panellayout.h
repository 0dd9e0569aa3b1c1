#pragma once

// Where a panel window puts its background and gauges. The panel window's client area
// stands for the whole FS98 screen, shrunk by a child window's border (4 pixels) and its
// caption and menu bar (43 pixels); the background sits at one of nine positions, and every
// gauge is placed by one rule that the gauge dialogs, the move/zoom dialog and the outside
// view frame share. Pure arithmetic on the model, in double precision, multiplied in one
// fixed order so that every window and dialog gets the same pixel to the last digit.

#include "gauges/core/bmpheader.h"
#include "panel/core/panelmodel.h"

#include <string>

namespace cockpix {

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
void storeScreen(PanelModel& model, int screenWidthPx, int screenHeightPx);

// windowZoom * windowSizeRatio: how much the background is enlarged.
double windowMagnification(const PanelModel& model, int w);

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
void storeBackgroundLayout(PanelModel& model, int w, BmpSize background);

// The background rectangle from the stored values (shift + offset, pixel size * k * frame).
RectF backgroundRect(const PanelModel& model, int w);

// After gauge g's bitmap has been measured: stores gaugeBitmapWidth/Height and
// gaugeAspect (left unchanged when the width is 0).
void storeGaugeBitmapSize(PanelModel& model, int w, int g, BmpSize bitmap);

// The gauge rectangle: gaugeX/Y/Size * windowScale * zoom * ratio * frameRatio plus shift
// and offset; the height follows the bitmap's aspect.
RectF gaugeRect(const PanelModel& model, int w, int g);

// "Window 2: Main panel - Zoom : 1 - Size: 640 - Position: 7 - size ratio: 1"
std::string panelWindowCaption(const PanelModel& model, int w);

// "gauge #3 : cessna_182.airspeed"
std::string gaugeTooltip(const PanelModel& model, int w, int g);

} // namespace cockpix

#pragma once

// Where FS98 puts a panel window and its outside (3D) view window on the user's screen, as
// the external view frame draws them: the background at its position code and size ratio,
// the whole screen wide at ratio 1, and the [Default View] rectangle in FS98's view units
// (8192 across the screen). Positions and sizes are in twips (15 per pixel), from the
// screen's top-left corner, as FS98's tools measured them; the frame is drawn with FS98's
// "Hide menu-bar" option on, which leaves a 20-pixel band at the bottom.

#include "base/core/bmpheader.h"
#include "base/core/screensize.h"
#include "drawing/core/fs98/layout.h"
#include "panel/core/fs98/panel.h"

#include <optional>
#include <string>

namespace cockpix {

// A default view of size 0 would show no frame; FS98 panels without one get 2000.
inline constexpr double kDefaultViewSizeWhenZero = 2000;

// Twips of the screen per FS98 view unit, for the screen widths FS98 supported (800, 1024,
// 1280 and 1600 pixels: 1.465, 1.875, 2.344, 2.93); every other width gets 1.172, the
// factor of a 640-pixel screen.
double outsideViewScaleFactor(double screenWidthTwips);

struct ExternalViewInput {
    int screenWidthPx = 0;
    int screenHeightPx = 0;
    std::optional<BmpSize> bitmap; // nullopt when the picture could not be measured
    double sizeRatio = 0;          // windowSizeRatio
    double position = 0;           // windowPosition
    fs98::DefaultView view;
};

struct ExternalViewLayout {
    double frameRatioY = 0; // (screen height - 20) / screen height
    double zoom = 0;        // screen width / bitmap width; 0 without a bitmap
    double sizeRatio = 0;   // the window's ratio, 1 in place of 0
    fs98::DefaultView view; // the default view, 2000 in place of a size of 0
    double scale = 0;       // outsideViewScaleFactor
    fs98::RectF picture;    // twips
    fs98::RectF frame;      // twips, in single precision as the frame takes them
};

ExternalViewLayout layoutExternalView(const ExternalViewInput& input);

// The name of the one undo step that keeps the corrections the layout made to window w
// (ratio and view as the panel holds them): "Outside-view frame: Window 00 size ratio 0 to
// 1, view size Y 0 to 2000". Empty when the layout corrected nothing.
std::string externalViewCorrectionsName(int w, double ratio, const fs98::DefaultView& view,
                                        const ExternalViewLayout& layout);

// "Window 2: main - Position: 7 - size ratio: 1 - Shown with 'Hide menu-bar' on."
std::string externalViewTitle(int w, const std::string& bitmap, double position, double ratio);

} // namespace cockpix

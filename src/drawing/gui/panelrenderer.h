#pragma once

// The whole load of a panel window as pictures and rectangles, with Qt Gui only (no
// widgets): extraction of every gauge bitmap, measuring, size search for gauges without a
// size, the fallback repairs, and the layout. The panel window places its images from a
// PanelScene; the command-line "render" paints the same scene into a QImage, so both show
// a window the same way.

#include "base/core/usertext.h"
#include "drawing/core/fs98/layout.h"
#include "panel/core/fs98/panel.h"
#include "state/core/appmodel.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

namespace cockpix {

struct PanelSceneGauge {
    int index = 0;
    QImage picture; // null when not even the default gauge bitmap could be loaded
    fs98::RectF rect;
};

// A gauge line without a size whose module's own size the load found: the caller records
// it in the panel (the panel document's recordFoundGaugeSize).
struct FoundGaugeSize {
    int gauge = 0;
    double size = 0;
};

struct PanelScene {
    int window = 0;
    QSize frame;       // the screen the window stands for, in pixels
    QColor backColor;  // panelBackColor
    QImage background; // null when no background could be loaded
    fs98::RectF backgroundRect;
    std::vector<PanelSceneGauge> gauges; // gauges 0..gaugeCount-1 in order
    bool frameAroundGauges = true;
    std::vector<FoundGaugeSize> foundSizes;
};

struct PanelSceneCallbacks {
    // Each warning text (lines joined by "\n"), in order; the caller shows it.
    std::function<void(const UserText& text)> warn;
    // Progress caption and bar value 0..100 while the gauges are processed.
    std::function<void(const std::string& caption, int percent)> progress;
};

// Runs the load sequence of panel window w on a screen of screenPixels, storing every
// derived value in app.display (screen, frame ratios, background size, scale, offsets,
// gauge bitmap sizes and aspects). The sizes found for gauge lines without one are placed
// with and returned in foundSizes. A missing background is replaced by the default
// background in the panel directory, a gauge bitmap that will not load by the default gauge
// bitmap, each once.
PanelScene loadPanelScene(const fs98::Panel& panel, AppModel& app, int w, QSize screenPixels,
                          const PanelSceneCallbacks& callbacks = {});

// A gauge picture from its bitmap file; null when the file is missing, cut off or not a
// bitmap (FS98's picture loader drew a cut-off bitmap half black).
QImage loadBitmapImage(const std::string& path);
// The same from the file's bytes.
QImage bitmapImage(std::string_view bytes);

// A picture stretched to size as a panel window shows it, premultiplied for fast drawing;
// null when size is empty or so large that a copy would not pay (the picture is then drawn
// stretched straight onto the window). Pixels are repeated or dropped, not blended: FS98
// stretches its bitmaps that way, so the panel looks here as it will in the simulator.
QImage stretchedPicture(const QImage& picture, QSize size);
// Only the part (in the stretched picture's pixels) of the same, clipped to it.
QImage stretchedPicture(const QImage& picture, QSize size, const QRect& part);

// The stretched copy of the part of a picture that showed when it was last drawn.
struct StretchedPart {
    QImage image;
    QSize size; // the whole picture's stretched size
    QRect part; // image's place in it
};

// Draws picture stretched to rect where it lies inside clip (the window or the screen), and
// its frame when framed: only the visible part is stretched, so a gauge zoomed far past the
// screen costs no more than one the screen's size. cache keeps that part between calls. The
// panel window and paintPanelScene draw every picture through here, so both look the same.
void paintClippedPicture(QPainter& painter, const QRect& clip, const QRect& rect,
                         const QImage& picture, bool framed, StretchedPart& cache);

// Paints the scene as the panel window shows it: the frame filled with the back colour,
// the background and each gauge stretched to its rectangle, 1-pixel frames around the
// gauges when asked.
void paintPanelScene(QPainter& painter, const PanelScene& scene);

// The scene painted into a new image of the frame's size.
QImage renderPanelScene(const PanelScene& scene);

// The image's rectangle in whole pixels, as the image controls take it.
QRect pixelRect(const fs98::RectF& rect);

} // namespace cockpix

#pragma once

// The whole load of a panel window as pictures and rectangles, with Qt Gui only (no
// widgets): extraction of every gauge bitmap, measuring, size search for gauges without a
// size, the fallback repairs, and the layout. The panel window places its images from a
// PanelScene; the command-line "render" paints the same scene into a QImage, so both show
// a window the same way.

#include "gauges/core/panellayout.h"
#include "panel/core/panelmodel.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QPainter;

namespace cockpix {

struct PanelSceneGauge {
    int index = 0;
    QImage picture; // null when not even the default gauge bitmap could be loaded
    RectF rect;
};

struct PanelScene {
    int window = 0;
    QSize frame;       // the screen the window stands for, in pixels
    QColor backColor;  // panelBackColor
    QImage background; // null when no background could be loaded
    RectF backgroundRect;
    std::vector<PanelSceneGauge> gauges; // gauges 0..gaugeCount-1 in order
    bool frameAroundGauges = true;
};

struct PanelSceneCallbacks {
    // Each warning text (lines joined by "\n"), in order; the caller shows it.
    std::function<void(const std::string& text)> warn;
    // Progress caption and bar value 0..100 while the gauges are processed.
    std::function<void(const std::string& caption, int percent)> progress;
};

// Runs the load sequence of panel window w on a screen of screenPixels, storing every
// derived value in the model (screen, frame ratios, background size, scale, offsets,
// gauge bitmap sizes and aspects, found sizes and their references). A missing background
// is replaced by the default background in the panel directory, a gauge bitmap that will
// not load by the default gauge bitmap, each once.
PanelScene loadPanelScene(PanelModel& model, int w, QSize screenPixels,
                          const PanelSceneCallbacks& callbacks = {});

// Paints the scene as the panel window shows it: the frame filled with the back colour,
// the background and each gauge stretched to its rectangle, 1-pixel frames around the
// gauges when asked.
void paintPanelScene(QPainter& painter, const PanelScene& scene);

// The scene painted into a new image of the frame's size.
QImage renderPanelScene(const PanelScene& scene);

// The image's rectangle in whole pixels, as the image controls take it.
QRect pixelRect(const RectF& rect);

// 0x00BBGGRR to QColor.
QColor colorFromColorRef(ColorRef color);

} // namespace cockpix

#pragma once

// One window or virtual cockpit of a panel of FS2000 and later as pictures and rectangles,
// with Qt Gui only (no widgets): where the window goes on the chosen screen, its background
// bitmap or colour, and every gauge at its place with its picture, or without one and the
// reason why. The later panel window draws it; it is computed again after each edit.

#include "base/core/textencoding.h"
#include "gauges/core/panellayout.h"
#include "panel/core/laterpanel.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

// A gauge's picture, or the reason there is none (for its tooltip).
struct LaterScenePicture {
    QImage picture;
    QString reason;
};
// The picture of "module!gauge" as FS would find it.
using LaterPictureLookup = std::function<LaterScenePicture(std::string_view name)>;

struct LaterSceneGauge {
    std::size_t line = 0; // the gauge's line in the panel's lines
    long number = 0;      // NN of gaugeNN
    QString name;         // "module!gauge"
    QImage picture;       // null: drawn as an outline
    QString reason;       // why there is no picture
    RectF rect;           // in the frame's pixels
};

struct LaterWindowScene {
    QSize frame;                     // the screen (or the texture of a virtual cockpit), in pixels
    QString caption;                 // the window's title, or its section's name
    QImage background;               // null: the window is filled with backColor
    std::optional<QColor> backColor; // Background_color
    RectF windowRect;                // where the window lies in the frame
    double unitX = 1;                // frame pixels per gauge unit, across and down
    double unitY = 1;
    std::vector<LaterSceneGauge> gauges; // in the section's order
};

struct LaterSceneSource {
    const LaterPanel* panel = nullptr;
    const PanelLines* lines = nullptr;
    TextEncoding encoding = TextEncoding::Windows1252;
    std::string panelDir; // with its trailing separator
};

// The scene of panel.windows[window] on a screen of that size; an empty scene (no gauges,
// null frame) when there is no such window.
LaterWindowScene laterWindowScene(const LaterSceneSource& source, std::size_t window, QSize screen,
                                  const LaterPictureLookup& pictures);

// "gauge #3 : module!gauge", what screen readers call a gauge; the tooltip adds the reason
// a picture is missing on a second line.
QString laterGaugeLabel(const LaterSceneGauge& gauge);
QString laterGaugeToolTip(const LaterSceneGauge& gauge);

// A gauge dragged by a pixel delta, in the units of its line: whole units when the line
// held whole numbers.
struct LaterUnits {
    double x = 0;
    double y = 0;
};
LaterUnits laterDraggedPlace(const LaterWindowScene& scene, const LaterGauge& gauge,
                             double dxPixels, double dyPixels);
// A gauge's picture resized to pixels, in the units of its line (whole as above).
LaterUnits laterResizedSize(const LaterWindowScene& scene, const LaterGauge& gauge,
                            double widthPixels, double heightPixels);

} // namespace cockpix

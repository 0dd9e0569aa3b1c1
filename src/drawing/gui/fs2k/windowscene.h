#pragma once

// One window or virtual cockpit of a panel of FS2000 and later as pictures and rectangles,
// with Qt Gui only (no widgets): where the window goes on the chosen screen (fs2k/layout.h),
// its background bitmap or colour, and every gauge at its place with its picture, or
// without one and the reason why. The fs2k panel window draws it, again after each edit.

#include "base/core/filelookup.h"
#include "base/core/textencoding.h"
#include "drawing/core/fs2k/layout.h"
#include "drawing/gui/fs2k/gaugepictures.h"
#include "panel/core/fs2k/panel.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include <QPainter>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix::fs2k {

// The pictures of a window's gauges by their names ("module!gauge"), in that order, as FS
// would find them. MSFS's instruments (htmlgaugeNN, paintingNN) are HTML pages, not looked
// up: each is its outline with its name (instrumentName), its path and query in the
// tooltip, and one whose line gives no place covers the section and says so.
using PictureLookup =
    std::function<std::vector<GaugePicture>(const std::vector<std::string_view>& names)>;

struct SceneGauge {
    std::size_t line = 0; // the gauge's line in the panel's lines
    long number = 0;      // NN of gaugeNN, htmlgaugeNN or paintingNN
    GaugeLineKind kind = GaugeLineKind::Gauge;
    QString label;    // "gauge #3 : module!gauge", "htmlgauge #0 : PATH?QUERY"
    QString outline;  // what its outline says: the label, or an instrument's name
    QImage picture;   // null: drawn as an outline
    QString reason;   // why there is no picture; an instrument's note
    fs98::RectF rect; // in the frame's pixels
    // Covers the section for want of a place of its own: the gauges it lies over still take
    // the mouse first.
    bool underneath = false;
};

struct WindowScene {
    QSize frame;                     // the screen, or a virtual cockpit's texture, in pixels
    QString caption;                 // the window's title, or its section's name
    QImage background;               // null: the window is filled with backColor
    std::optional<QColor> backColor; // Background_color
    WindowLayout layout;             // where the window lies in the frame, its units
    std::vector<SceneGauge> gauges;  // in the section's order
};

// The background bitmap last read, kept while its file stays the same: a window drawn
// again after each edit does not read its bitmap again.
class BackgroundCache {
public:
    // The picture of the bitmap at path (null when it cannot be read).
    QImage picture(const std::string& path);

private:
    std::string m_path;
    std::optional<FileStamp> m_stamp;
    QImage m_picture;
};

struct SceneSource {
    const Panel* panel = nullptr;
    const PanelLines* lines = nullptr;
    TextEncoding encoding = TextEncoding::Windows1252;
    std::string panelDir;                   // with its trailing separator
    BackgroundCache* backgrounds = nullptr; // may be null: the bitmap is read each time
    fs98::ViewPlacement view;               // the move/zoom dialog's zoom and shift
};

// The scene of panel.windows[window] on a screen of that size; an empty scene (no gauges,
// null frame) when there is no such window.
WindowScene windowScene(const SceneSource& source, std::size_t window, QSize screen,
                        const PictureLookup& pictures);

// Paints the scene as the fs2k panel window shows it, into a picture of the frame's size:
// the frame in frameColor, the window's background bitmap (or its colour) stretched to the
// window, and each gauge's picture at its place, or its outline with its label where it has
// none. The screen-size previews and the command line's render draw with it.
void paintWindowScene(QPainter& painter, const WindowScene& scene,
                      const QColor& frameColor = Qt::black);
QImage renderWindowScene(const WindowScene& scene, const QColor& frameColor = Qt::black);

// Whether the window reaches past the frame (the screen cuts it off there).
bool windowOutsideFrame(const WindowScene& scene);

// The gauge's tooltip: its label, and the reason a picture is missing on a line of its own.
QString gaugeToolTip(const SceneGauge& gauge);

// Where gauge i of the scene goes, in the units of its line, when its picture is dragged
// by a pixel delta, or resized to size pixels (x and y then stay).
fs98::PointF draggedUnits(const WindowScene& scene, const Gauge& gauge, double dx, double dy);
GaugePlace resizedUnits(const WindowScene& scene, std::size_t i, const Gauge& gauge, double width,
                        double height);

} // namespace cockpix::fs2k

#pragma once

// The arithmetic of the move/zoom dialog (Form15): the zoom slider's scale, the ranges of the
// shift sliders and what a typed value does to them, and the preview, a scaled-down screen
// with the panel picture placed in it. The preview is measured in twips of the dialog (15 per
// pixel): the whole screen maps onto 4815 x 3615 twips, whatever its size.

#include "base/core/screensize.h"
#include "drawing/core/fs98/layout.h"
#include "panel/core/fs98/panel.h"
#include "panel/core/fs98/paneldisplay.h"

#include <optional>
#include <string>

namespace cockpix {

inline constexpr double kPreviewWidthTwips = 4815;
inline constexpr double kPreviewHeightTwips = 3615;
// The screen rectangle shows 3375 twips of the 3615 the height maps onto; the rest of the
// picture is masked, as by the dialog's lower edge.
inline constexpr double kPreviewVisibleHeightTwips = 3375;

inline constexpr int kZoomSliderMinimum = -40; // a fifth
inline constexpr int kZoomSliderMaximum = 40;  // five times
inline constexpr int kZoomSliderPageStep = 10;
inline constexpr double kMaximumZoom = 50;

// The shift sliders stay within 16-bit coordinates, the range X11 places windows in; a shift
// beyond it would put the picture where no window system can draw it.
inline constexpr int kShiftSliderLimit = 32767;

struct PreviewScale {
    double x = 0; // screen pixels per preview twip across: screenWidthPx / 4815
    double y = 0; // and down: screenHeightPx / 3615
};
PreviewScale previewScale(double screenWidthPx, double screenHeightPx);

// Slider position v to zoom: 1 + v / 10 from 0 up, 1 / (1 + |v| / 10) below, so -40..40
// spans a fifth to five times.
double zoomForSlider(int v);
// The zoom text a slider move writes: "1" at 0, "3" at 20, ".333333333333333" at -20.
std::string zoomTextForSlider(int v);
// The slider position for zoom z: (z - 1) * 10 above 1, 0 at 1, 10 - 10 / z below;
// nullopt for z <= 0 (the slider keeps its place).
std::optional<double> sliderForZoom(double z);
// The zoom slider takes a position only while it lies strictly between -41 and 41, rounded
// half to even.
std::optional<int> zoomSliderPosition(double sliderValue);
// A typed zoom is kept for 0 <= z <= 50; otherwise the zoom text is cleared.
bool zoomAccepted(double z);

// The shift slider range is +-(32767 * preview scale) rounded, held to the 16-bit limit.
int shiftSliderBound(double scale);
// A typed shift t: the slider position (t rounded half to even, held to the slider's
// range), or nullopt when |t| lies beyond the bound: the text is then cleared.
std::optional<int> shiftSliderForTyped(double t, double scale);

// The placement offset (savedOffsetX/Y) of window w at zoom z: the position rule of the
// panel window with k = z * windowSizeRatio.
fs98::PointF placementOffsetForZoom(const fs98::Panel& panel, const fs98::PanelDisplay& display,
                                    int w, double z);

// The panel picture in the preview, in dialog twips relative to the screen rectangle's
// top-left corner, for zoom z, placement offset and shift (screen pixels).
fs98::RectF previewPictureRect(const fs98::Panel& panel, const fs98::PanelDisplay& display, int w,
                               double z, fs98::PointF offset, fs98::PointF shift,
                               const PreviewScale& scale);

// "AUTO ADJUST": the zoom that makes the picture as wide as the screen, as FS98 shows it;
// nullopt while the picture has no width.
std::optional<double> autoAdjustZoom(double screenWidthPx, double windowPixelWidth);

} // namespace cockpix

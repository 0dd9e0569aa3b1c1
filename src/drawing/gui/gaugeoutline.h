#pragma once

// A gauge whose picture could not be found is shown as the outline of its rectangle with
// its name inside, so the user still sees where FS will put it and can move it.

#include <QRect>
#include <QString>

class QPainter;

namespace cockpix {

// The text size of an outline's name in pixels: a tenth of the smaller side of the
// rectangle, but never smaller than a screen font can be read at nor larger than a label.
int gaugeOutlineFontPixels(const QRect& rect);

// Draws rect's outline (light and dark, so that it shows on any background) and name in
// it, elided to the width and clipped to the rectangle.
void paintGaugeOutline(QPainter& painter, const QRect& rect, const QString& name);

} // namespace cockpix

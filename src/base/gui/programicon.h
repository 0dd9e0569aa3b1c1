#pragma once

// COCKPIX's icon: a panel board with two round gauges and a radio strip. One table of shapes
// gives both the SVG the desktop shows and the pictures the windows carry, so they never
// drift apart; the build writes the SVG and PNG files the installation ships.

#include <QIcon>
#include <QImage>
#include <QString>

namespace cockpix {

// The icon as an SVG document on a 64 x 64 canvas.
QString programIconSvg();

// The icon drawn at size x size pixels, on a transparent ground.
QImage programIconImage(int size);

// The icon at the sizes desktops ask for, for the windows' captions and task bars.
QIcon programIcon();

} // namespace cockpix

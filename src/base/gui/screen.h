#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace cockpix {

// The screen, in pixels, that every panel window and layout computation works with: the
// primary screen, unless COCKPIX_SCREEN=WIDTHxHEIGHT says otherwise. The one place that
// asks for it.
QSize screenSizePixels();

// Where a window may stand, its frame included: the part of its screen that panels and task
// bars leave free, no larger than screenSizePixels() from that part's top-left corner.
QRect windowArea(const QWidget& window);

} // namespace cockpix

#pragma once

#include <QSize>

namespace cockpix {

// The screen, in pixels, that every panel window and layout computation works with: the
// primary screen, unless COCKPIX_SCREEN=WIDTHxHEIGHT says otherwise. The one place that
// asks for it.
QSize screenSizePixels();

} // namespace cockpix

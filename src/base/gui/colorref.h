#pragma once

// Colours between the COLORREF values the program keeps (0x00BBGGRR) and Qt.

#include "base/core/colorref.h"

#include <QColor>

namespace cockpix {

inline QColor toQColor(ColorRef color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

inline ColorRef toColorRef(const QColor& color) {
    return ColorRef(color.red()) | (ColorRef(color.green()) << 8) | (ColorRef(color.blue()) << 16);
}

} // namespace cockpix

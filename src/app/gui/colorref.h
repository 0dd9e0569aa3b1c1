#pragma once

// The model keeps colours as Windows COLORREF values (0x00BBGGRR), as FS98-era code did.

#include "panel/core/panelmodel.h"

#include <QColor>

namespace cockpix {

inline QColor toQColor(ColorRef color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

inline ColorRef toColorRef(const QColor& color) {
    return ColorRef(color.red()) | (ColorRef(color.green()) << 8) | (ColorRef(color.blue()) << 16);
}

} // namespace cockpix

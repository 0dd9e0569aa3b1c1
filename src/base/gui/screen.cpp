#include "base/gui/screen.h"

#include "base/core/screensize.h"

#include <QGuiApplication>
#include <QScreen>

namespace cockpix {

QSize screenSizePixels() {
    if (const auto size = screenSizeOverride())
        return {size->width, size->height};
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->size();
    return {1024, 768};
}

} // namespace cockpix

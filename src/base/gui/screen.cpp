#include "base/gui/screen.h"

#include "base/core/screensize.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace cockpix {

QSize screenSizePixels() {
    if (const auto size = screenSizeOverride())
        return {size->width, size->height};
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->size();
    return {1024, 768};
}

QRect windowArea(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect free =
        screen ? screen->availableGeometry() : QRect(QPoint(0, 0), screenSizePixels());
    return free & QRect(free.topLeft(), screenSizePixels());
}

} // namespace cockpix

#include "drawing/gui/screenscenes.h"

#include "drawing/core/fs98/layout.h"

#include <algorithm>

namespace cockpix {

PanelScene sceneForScreen(const fs98::Panel& panel, const fs98::PanelDisplay& measured,
                          const PanelScene& loaded, QSize screenPixels) {
    const int w = loaded.window;
    PanelScene scene = loaded;
    scene.frame = screenPixels;
    fs98::PanelDisplay display = measured;
    // The move/zoom dialog's zoom and shift are COCKPIX's own display: FS98 shows neither.
    display.window(w).windowZoom = 1;
    display.window(w).windowShiftX = 0;
    display.window(w).windowShiftY = 0;
    fs98::storeScreen(display, screenPixels.width(), screenPixels.height());
    // As the load does: without a background the window keeps its previous measurements.
    if (!loaded.background.isNull())
        fs98::storeBackgroundLayout(panel, display, w,
                                    {loaded.background.width(), loaded.background.height()});
    scene.backgroundRect = fs98::backgroundRect(panel, display, w);
    for (PanelSceneGauge& item : scene.gauges) {
        fs98::Gauge gauge = panel.gauge(w, item.index);
        const auto found =
            std::find_if(loaded.foundSizes.begin(), loaded.foundSizes.end(),
                         [&](const FoundGaugeSize& size) { return size.gauge == item.index; });
        if (found != loaded.foundSizes.end())
            gauge.gaugeSize = found->size;
        item.rect = fs98::gaugeRect(panel, display, w, gauge, display.gauge(w, item.index));
    }
    return scene;
}

std::vector<PanelScene> scenesForScreens(const fs98::Panel& panel,
                                         const fs98::PanelDisplay& measured,
                                         const PanelScene& loaded,
                                         const std::vector<ScreenSize>& screens) {
    std::vector<PanelScene> scenes;
    scenes.reserve(screens.size());
    for (const ScreenSize& screen : screens)
        scenes.push_back(sceneForScreen(panel, measured, loaded, {screen.width, screen.height}));
    return scenes;
}

bool backgroundOutsideFrame(const PanelScene& scene) {
    if (scene.background.isNull())
        return false;
    // Half a pixel of slack: the rectangle is in fractions, the screen in whole pixels.
    const fs98::RectF& rect = scene.backgroundRect;
    return rect.left < -0.5 || rect.top < -0.5 ||
           rect.left + rect.width > scene.frame.width() + 0.5 ||
           rect.top + rect.height > scene.frame.height() + 0.5;
}

} // namespace cockpix

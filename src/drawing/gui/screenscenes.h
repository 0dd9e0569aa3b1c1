#pragma once

// A panel window as it appears on other screens than the one it was loaded for. FS98 lays a
// window out for the screen it runs on, so one panel looks different at 640 x 480 and at
// 1600 x 1200; the pictures stay the same and only the layout rule's screen changes. Qt Gui
// only, like the renderer, so that the command line shares it.

#include "base/core/screensize.h"
#include "drawing/gui/panelrenderer.h"
#include "panel/core/fs98/panel.h"
#include "panel/core/fs98/paneldisplay.h"

#include <QSize>
#include <vector>

namespace cockpix {

// The loaded scene laid out again for a screen of screenPixels: the same pictures, the
// background and every gauge placed by the layout rule on that screen, at zoom 1 and without
// shift as FS98 places them. measured holds the display values of the load (the bitmaps'
// sizes); it is not changed. Gauges whose size the load found are placed with that size.
PanelScene sceneForScreen(const fs98::Panel& panel, const fs98::PanelDisplay& measured,
                          const PanelScene& loaded, QSize screenPixels);

// The same for each screen in order.
std::vector<PanelScene> scenesForScreens(const fs98::Panel& panel,
                                         const fs98::PanelDisplay& measured,
                                         const PanelScene& loaded,
                                         const std::vector<ScreenSize>& screens);

// Whether the background reaches past the screen's frame (FS98 then cuts it off).
bool backgroundOutsideFrame(const PanelScene& scene);

} // namespace cockpix

#include "gauges/core/windowbitmapchoice.h"

#include "base/core/filelookup.h"
#include "gauges/core/gaugeextraction.h"

namespace cockpix {

UserText cantFindBitmapMessage(const std::string& bitmapName, const std::string& panelDir) {
    return "Can't find '" + UserText::panelText(bitmapName) + ".bmp' in " +
           UserText::path(panelDir) + "\n" +
           "Please move it to this directory, or change panel directory before continuing.";
}

std::string chooseWindowBitmap(const Panel& panel, AppModel& app, int w) {
    app.bitmapMissing = 0;
    app.currentWindow = w;
    app.chosenBitmapPath = backgroundBitmapPath(panel, app.dirs, w).path;
    return resolvePathIgnoringCase(app.chosenBitmapPath);
}

UserText refuseChosenBitmap(const Panel& panel, AppModel& app) {
    app.bitmapMissing = 1;
    const std::string& name = panel.window(app.currentWindow).windowBitmap;
    return name.empty() ? UserText() : cantFindBitmapMessage(name, app.dirs.panelDir);
}

} // namespace cockpix

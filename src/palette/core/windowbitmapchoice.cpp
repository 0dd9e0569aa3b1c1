#include "palette/core/windowbitmapchoice.h"

#include "base/core/filelookup.h"
#include "gaugefiles/core/gaugeextraction.h"

namespace cockpix {

UserText cantFindBitmapMessage(const std::string& bitmapName, const std::string& panelDir) {
    return "Can't find '" + UserText::panelText(bitmapName) + ".bmp' in " +
           UserText::path(panelDir) + "\n" +
           "Please move it to this directory, or change panel directory before continuing.";
}

std::string chooseWindowBitmap(const fs98::Panel& panel, const Directories& dirs, int w,
                               int& currentWindow, std::string& chosenBitmapPath,
                               int& bitmapMissing) {
    bitmapMissing = 0;
    currentWindow = w;
    chosenBitmapPath = backgroundBitmapPath(panel, dirs, w).path;
    return resolvePathIgnoringCase(chosenBitmapPath);
}

UserText refuseChosenBitmap(const fs98::Panel& panel, const std::string& panelDir,
                            int currentWindow, int& bitmapMissing) {
    bitmapMissing = 1;
    const std::string& name = panel.window(currentWindow).windowBitmap;
    return name.empty() ? UserText() : cantFindBitmapMessage(name, panelDir);
}

} // namespace cockpix

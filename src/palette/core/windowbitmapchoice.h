#pragma once

// The bitmap choosers that list a panel's window backgrounds (the palette optimizer's and
// the outside-view tool's): a click makes that window the current one and its background
// the chosen bitmap, which the chooser's OK then works on.

#include "base/core/usertext.h"
#include "panel/core/fs98/panel.h"
#include "settings/core/settings.h"

#include <string>

namespace cockpix {

// "Can't find 'name.bmp' in panelDir", a line feed, "Please move it to this directory, or
// change panel directory before continuing."
UserText cantFindBitmapMessage(const std::string& bitmapName, const std::string& panelDir);

// Entry w was clicked: currentWindow = w, bitmapMissing = 0, chosenBitmapPath = panelDir
// + windowBitmap[w] + ".bmp". Returns that file as it lies on disk, whatever its case.
std::string chooseWindowBitmap(const fs98::Panel& panel, const Directories& dirs, int w,
                               int& currentWindow, std::string& chosenBitmapPath,
                               int& bitmapMissing);

// The bitmap chosen for currentWindow could not be shown: bitmapMissing = 1, so that OK
// does nothing until another choice. Returns the message to show, empty when the window
// has no bitmap name.
UserText refuseChosenBitmap(const fs98::Panel& panel, const std::string& panelDir,
                            int currentWindow, int& bitmapMissing);

} // namespace cockpix

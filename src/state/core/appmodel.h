#pragma once

// The program's own state, shared by its windows: the directories and options, the window
// and gauge the dialogs work on, the colours, the blinker, the chooser values, and the
// display data the panel windows derive. Windows hand requests to each other through it
// (set currentWindow, then open the next window, which reads it). The panel itself is not
// here: it lives in the panel document, and only its operations change it.

#include "base/core/colorref.h"
#include "panel/core/fs98/paneldisplay.h"
#include "settings/core/desktopstate.h"
#include "settings/core/installation.h"
#include "settings/core/settings.h"
#include "settings/core/shippedfiles.h"

#include <string>

namespace cockpix {

inline constexpr ColorRef kDefaultTemplateColor = 0xE0FFFF; // light yellow
inline constexpr double kDesignedBlinkInterval = 1;         // the blink timer's designed period
inline constexpr int kDefaultPaletteTolerance = 5;

struct AppModel {
    Directories dirs;
    Options options;
    // How dragged gauges snap (the Options menu, kept in cockpix-desktop.ini); the panel
    // windows read it on every move and draw the grid from it when told it changed.
    SnapOptions snap;
    // The directory of the running program, ending with "/": where the shipped files are
    // found while the COCKPIX directory is unset or wrong.
    std::string installedDir;

    int currentWindow = 0; // the window the window-level dialogs work on
    int currentGauge = 0;  // the gauge the gauge dialogs work on; -1 after removing gauge 0

    ColorRef templateColor = kDefaultTemplateColor;
    ColorRef panelBackColor = 0; // black until the user picks another; kept by New and Open

    int blinkState = 0; // 1 while the selected gauge blinks
    double blinkInterval = kDesignedBlinkInterval;

    int paletteTolerance = kDefaultPaletteTolerance; // "Threshold of colorimetric tolerance ="

    // The bitmap choosers: the path last chosen, and 1 while it could not be shown.
    std::string chosenBitmapPath;
    int bitmapMissing = 0;

    fs98::PanelDisplay display;

    // The simulator installation the open panel of FS2000 and later lies in: where its gauges
    // and instruments are looked up. Not found for an FS98 panel, which keeps the settings'.
    Installation installation;

    // The path of a file shipped with the program (see shippedFilePath).
    std::string shippedFile(std::string_view name) const {
        return shippedFilePath(dirs.programDir, installedDir, name);
    }

    // The program state's part of clearing the model for a new or opened panel: keeps the
    // directories, the options, templateColor and panelBackColor.
    void clearPanelState() {
        currentWindow = 0;
        currentGauge = 0;
        blinkState = 0;
        blinkInterval = kDesignedBlinkInterval;
        paletteTolerance = kDefaultPaletteTolerance;
        chosenBitmapPath.clear();
        bitmapMissing = 0;
        display = fs98::PanelDisplay{};
        installation = Installation{};
    }
};

} // namespace cockpix

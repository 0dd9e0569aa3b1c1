#include "panel/core/panelmodel.h"

namespace cockpix {

void PanelModel::clearModel() {
    windowCount = 0;
    defaultViewX = defaultViewY = defaultViewSizeX = defaultViewSizeY = 0;
    currentWindow = 0;
    currentGauge = 0;
    colorLineCount = 0;
    preambleLineCount = 0;
    screenWidthPx = screenHeightPx = 0;
    frameRatioX = frameRatioY = 0;
    blinkState = 0;
    previewScaleX = previewScaleY = 0;
    zoomSliderValue = 0;
    zoomSliderGuard = 0;
    bitmapMissing = 0;
    advisedColorCount = 0;
    outsideViewScale = 0;
    addCancelled = 0;
    blinkInterval = 1;
    paletteTolerance = 5;

    addSelectedFile.clear();
    addSelectedBitmap.clear();
    chosenBitmapPath.clear();
    paletteResultFile.clear();
    dirDialogTarget.clear();
    dirDialogPath.clear();

    colorLine.fill({});
    preambleLine.fill({});

    // A fresh window record is exactly the reset state: empty texts, zoom 1, zeros elsewhere.
    windows.fill(PanelWindow{});
}

} // namespace cockpix

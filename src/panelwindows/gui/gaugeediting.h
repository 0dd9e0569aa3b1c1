#pragma once

// The operations of the gauge properties, each one call without any dialog: the position and
// size of a gauge, the blinker and its period, the removal. Panel edits go to the panel
// document (whose signals move the pictures); the blinker is program state, and the panel
// windows are told at once.

#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"

namespace cockpix {

class PanelWindowRegistry;

class GaugeEditing {
public:
    // registry may be null (no panel window to tell).
    GaugeEditing(fs98::Document& document, AppModel& app, const PanelWindowRegistry* registry);

    void setGaugeX(int w, int g, double x);
    void setGaugeY(int w, int g, double y);
    void setGaugeSize(int w, int g, double size);
    // blinkInterval = v; the blink timers take v rounded to whole milliseconds.
    void setBlinkInterval(double v);
    // Switches blinkState, shows every gauge picture of window w again (the blinker may have
    // left one hidden) and returns the new state.
    int toggleBlinker(int w);
    // Removes gauge g of window w (after the user confirmed): the later gauges move down one
    // slot, gauge g - 1 becomes the selected gauge and panel window w comes to the front.
    void removeGauge(int w, int g);
    // Makes (w, g) the current window and gauge and gives gauge g the selection frame in
    // panel window w (g = -1: none), so that the keys and the blinker act on the gauge the
    // dialogs name.
    void selectGauge(int w, int g);
    // Every gauge picture of panel window w visible.
    void showAllGauges(int w);
    void bringToFront(int w);
    // The user left a box or let go of a bar: the next edit is an undo step of its own.
    void endStep();

private:
    void refreshBlinkers();

    fs98::Document& m_document;
    AppModel& m_app;
    const PanelWindowRegistry* m_registry;
};

} // namespace cockpix

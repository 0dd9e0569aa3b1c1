#pragma once

// The edits a user makes to a panel, as plain functions on a Panel: what the panel document's
// undo steps apply and take back. Each edit that can be undone has its inverse here, so
// that doing and undoing are the same code in the document and in the tests.

#include "panel/core/fs98/panel.h"

#include <array>
#include <string>
#include <variant>

namespace cockpix::fs98 {

// The fields of a window row of the template.
enum class WindowField { Title, Bitmap, SizeMm, SizeRatio, Position, Visible, Ident };

// A text (title, bitmap), a number (size, ratio, position, visible) or an ident.
using WindowFieldValue = std::variant<std::string, double, WindowIdent>;

WindowFieldValue windowField(const PanelWindow& window, WindowField field);
// Stores value into the field; a value of the wrong kind for the field is ignored.
void setWindowField(PanelWindow& window, WindowField field, const WindowFieldValue& value);

// One field of one window row to store, with the window count it leaves (a title or a
// bitmap name can add the row to the panel or take it out).
struct WindowEdit {
    int row = 0;
    WindowField field = WindowField::Title;
    WindowFieldValue value;
    int windowCount = 0;
};

// Stores the field and the count (0..9); a row outside 0..8 changes nothing.
void applyWindowEdit(Panel& panel, const WindowEdit& edit);

// How an undo step names the edit: "Window 00 size", "Window 03 title".
std::string windowFieldStepName(int w, WindowField field);

// The three numbers of a gauge line a user moves and resizes.
enum class GaugeField { X, Y, Size };

double gaugeField(const Gauge& gauge, GaugeField field);
void setGaugeField(Gauge& gauge, GaugeField field, double value);
// "Gauge #3 X", "Gauge #3 size".
std::string gaugeFieldStepName(int g, GaugeField field);

// Where a gauge of an FS98 window goes, and its size: a move, an alignment or a resize of
// several gauges at once.
struct GaugePlacement {
    int g = 0;
    double x = 0;
    double y = 0;
    double size = 0;
    friend bool operator==(const GaugePlacement&, const GaugePlacement&) = default;
};
// What gauge g of window w has now, as a placement.
GaugePlacement gaugePlacement(const Panel& panel, int w, int g);
// Sets X, Y and size of the gauge the placement names (setGaugeField).
void placeGauge(Panel& panel, int w, const GaugePlacement& placement);

// Appends gauge to window w (which holds fewer than 64) and returns what its slot held
// before, for the undo.
Gauge appendGauge(Panel& panel, int w, const Gauge& gauge);
// Takes the last gauge of window w away again and puts back what its slot held.
void unappendGauge(Panel& panel, int w, const Gauge& previousSlot);

// Removes gauge g of window w and closes the gap: gauges g+1..count-1 move down one slot,
// the slot that falls free keeps its old values (it lies beyond the new count), the count
// goes down by one. Returns the removed gauge. Nothing happens for a g outside the gauges.
Gauge removeGaugeAt(Panel& panel, int w, int g);
// Puts a removed gauge back at g, moving the later ones up again: the exact inverse of
// removeGaugeAt.
void insertGaugeAt(Panel& panel, int w, int g, const Gauge& gauge);

// Gauge g of window w takes another module; returns the name it had.
std::string setGaugeModule(Panel& panel, int w, int g, const std::string& name);

// The order of the window sections after a move: slot i takes the section of slot from[i].
using WindowOrder = std::array<int, kWindowSlots>;

// True when order holds each slot 0..8 once.
bool isWindowOrder(const WindowOrder& order);
// The order that puts every section back: inverse(order)[order[i]] = i.
WindowOrder inverseWindowOrder(const WindowOrder& order);

// Moves the window sections (background, size, ratio, position, visible, ident and gauges)
// to the slots order gives them; the titles and the window count stay, as the reader gives
// the titles to the rows in their order whatever the numbers of the sections. An order
// that is not a permutation changes nothing.
void moveWindowSections(Panel& panel, const WindowOrder& order);

// A panel window found the module's own size for a gauge line that had none: the size and
// the reference become that size, so the writer still leaves the size out. False when the
// gauge already had a reference (nothing changes).
bool applyFoundGaugeSize(Panel& panel, int w, int g, double size);

// Whether the gauge's size is one of its own: false for a line read without a size, and
// for one whose size a panel window found and nobody changed since (the file still gives
// none).
bool hasOwnGaugeSize(const Gauge& gauge);

} // namespace cockpix::fs98

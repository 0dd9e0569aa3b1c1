#pragma once

// The rules of the template's table of panel windows: what each box stores in the panel,
// which entries are refused with which message, and how the window count follows the rows.
// The template window feeds every text change and check box click in here and only carries
// out the outcome (hand the edit to the panel document, show the message, empty the box).

#include "panel/core/fs98/edits.h"
#include "panel/core/fs98/panel.h"
#include "panel/core/fs98/writer.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace cockpix::fs98 {

inline constexpr std::string_view kListMustBeContinuousMessage = "List must be continuous.";
inline constexpr std::string_view kIncorrectValueMessage = "Incorrect value.";
inline constexpr std::string_view kOutOfBoundMessage = "Out of bound.";

// The largest accepted position code. FS98 knows 0..8, but the table has always let 9..11
// through and panels in the wild carry them, so they are kept.
inline constexpr double kMaxWindowPosition = 11;

// What the template window does after a box changed.
struct EditOutcome {
    std::optional<WindowEdit> edit; // stored first
    std::string message;            // then shown in an OK message box when not empty
    bool clearBox = false; // then the box is emptied, which runs its handling again with ""
};

// What the template window does after a visible check box was clicked.
struct VisibleOutcome {
    std::optional<WindowEdit> edit;
    std::string message;                // shown when not empty
    std::optional<std::string> caption; // the box's new caption, when it changes
};

enum class DefaultViewField { X, Y, SizeX, SizeY };

// The largest value a [Default View] field accepts (8191 across, 6153 down): the 3D view
// window is placed in FS98's own screen units, not in pixels.
double defaultViewBound(DefaultViewField field);

// What the template window does after a [Default View] box changed.
struct ViewOutcome {
    std::optional<double> value; // stored first into the box's field
    std::string message;
    bool clearBox = false;
};

// The default view with one field changed.
DefaultView withViewField(DefaultView view, DefaultViewField field, double value);

// The threshold box's value: the whole part of the absolute value of its number.
int thresholdValue(std::string_view text);

// The table's handling of the boxes of the template, on the panel as it is when a box
// changes. The table itself only remembers what the boxes hold.
class WindowTable {
public:
    // Row handlers, row = 0..8. Each runs the continuity check first: a row beyond the
    // first free one refuses any non-empty text.
    EditOutcome titleChanged(const Panel& panel, int row, std::string_view text);
    EditOutcome bitmapChanged(const Panel& panel, int row, std::string_view text);
    EditOutcome sizeChanged(const Panel& panel, int row, std::string_view text);
    EditOutcome ratioChanged(const Panel& panel, int row, std::string_view text);
    EditOutcome positionChanged(const Panel& panel, int row, std::string_view text);
    EditOutcome identChanged(const Panel& panel, int row, std::string_view text);
    VisibleOutcome visibleToggled(const Panel& panel, int row, bool checked);

    ViewOutcome defaultViewChanged(DefaultViewField field, std::string_view text) const;

    // The boxes were emptied without running their handling (the window reset itself):
    // forget what they held so the count rule sees empty boxes.
    void forgetBoxes();
    // The title and bitmap boxes of row were set without running their handling (an undo
    // showed the panel again): the count rule sees what they hold now.
    void noteBoxes(int row, bool titleFilled, bool bitmapFilled);

private:
    static bool breaksContinuity(const Panel& panel, int row, std::string_view text);
    static int countAfter(const Panel& panel, int row, bool editedBoxFilled, bool otherBoxFilled);

    // Whether the title and bitmap boxes of each row hold text: the count rule looks at the
    // boxes, and a bitmap box holding only "." stores an empty name yet counts as filled.
    std::array<bool, kWindowSlots> m_titleFilled{};
    std::array<bool, kWindowSlots> m_bitmapFilled{};
    // A refused ratio set the ratio to 1 and asked for the box to be emptied; that emptying
    // must not store 0 over the 1.
    std::array<bool, kWindowSlots> m_ratioKeepsReset{};
};

// Captions of the two palette option check boxes.
std::string_view paletteSaveCaption(bool checked);  // "Save" / "Don't save"
std::string_view paletteEraseCaption(bool checked); // "Keep all" / "Erase all"

// The options the writer uses, from the two check boxes (unchecked = the defaults).
PaletteSaveOptions paletteOptionsFromChecks(bool dontSaveChecked, bool eraseAllChecked);

} // namespace cockpix::fs98

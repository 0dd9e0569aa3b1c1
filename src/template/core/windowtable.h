#pragma once

// The rules of the template's table of panel windows: what each box stores in the panel
// model, which entries are refused with which message, and how the window count follows
// the rows. The template window feeds every text change and check box click in here and
// only carries out the outcome (show the message, empty the box, update the count label).

#include "panel/core/panelmodel.h"
#include "panel/core/panelwriter.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace cockpix {

inline constexpr std::string_view kListMustBeContinuousMessage = "List must be continuous.";
inline constexpr std::string_view kIncorrectValueMessage = "Incorrect value.";
inline constexpr std::string_view kOutOfBoundMessage = "Out of bound.";

// The largest accepted position code. FS98 knows 0..8, but the table has always let 9..11
// through and panels in the wild carry them, so they are kept.
inline constexpr double kMaxWindowPosition = 11;

// What the template window does after a box changed.
struct EditOutcome {
    std::string message;   // shown in an OK message box when not empty
    bool clearBox = false; // empty the box, which runs the box's handling again with ""
};

// What the template window does after a visible check box was clicked.
struct VisibleOutcome {
    std::string message;                // shown when not empty
    std::optional<std::string> caption; // the box's new caption, when it changes
};

enum class DefaultViewField { X, Y, SizeX, SizeY };

// The largest value a [Default View] field accepts (8191 across, 6153 down): the 3D view
// window is placed in FS98's own screen units, not in pixels.
double defaultViewBound(DefaultViewField field);

class WindowTable {
public:
    explicit WindowTable(PanelModel& model) : m_model(model) {}

    // Row handlers, row = 0..8. Each runs the continuity check first: a row beyond the
    // first free one refuses any non-empty text.
    EditOutcome titleChanged(int row, std::string_view text);
    EditOutcome bitmapChanged(int row, std::string_view text);
    EditOutcome sizeChanged(int row, std::string_view text);
    EditOutcome ratioChanged(int row, std::string_view text);
    EditOutcome positionChanged(int row, std::string_view text);
    EditOutcome identChanged(int row, std::string_view text);
    VisibleOutcome visibleToggled(int row, bool checked);

    EditOutcome defaultViewChanged(DefaultViewField field, std::string_view text);
    void thresholdChanged(std::string_view text);

    // The boxes were emptied without running their handling (the window reset itself):
    // forget what they held so the count rule sees empty boxes.
    void forgetBoxes();

private:
    PanelWindow& rowWindow(int row);
    bool breaksContinuity(int row, std::string_view text) const;
    void followCountRule(int row, bool editedBoxFilled, bool otherBoxFilled);

    PanelModel& m_model;
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

} // namespace cockpix

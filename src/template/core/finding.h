#pragma once

// One fault the panel checker found: where it stands in panel.cfg, how bad it is, a code
// that stays the same from one version to the next (for scripts and for the help), the
// text for the user, the part of the panel it is about and, where the repair is obvious, the
// fix that the checker window offers.

#include "base/core/usertext.h"
#include "panel/core/fs98/edits.h"
#include "panel/core/fs98/panel.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

enum class Severity {
    Error,   // FS98 or COCKPIX will not show the panel as meant, or Save loses something
    Warning, // most likely a mistake, though the panel still works
    Note,    // something the check could not look at, said once; no fault of the panel
};

// "error", "warning", "note"
std::string_view severityName(Severity severity);

enum class FixKind {
    RemoveGauge,     // window, gauge
    MoveGauge,       // window, gauge to x, y
    SetGaugeSize,    // window, gauge to value
    SetBitmapName,   // window to name
    ChooseBitmap,    // window: the user picks one of the bitmaps in the panel directory
    ChooseModule,    // window, gauge: the user picks one of the modules in the gauges directory
    CloseWindowGaps, // slot i takes the section of slot order[i]
    SetSizeRatio,    // window to value
    SetWindowSize,   // window to value
    RenumberGauges,  // window (of an fs2k panel): its gauge lines numbered 00, 01, ... in order
    QueryAmpersand,  // window, gauge (an MSFS instrument): the second '?' of its query made '&'
};

struct Fix {
    FixKind kind = FixKind::RemoveGauge;
    int window = -1;
    int gauge = -1;
    double x = 0;
    double y = 0;
    double value = 0;
    std::string name;
    std::array<int, fs98::kWindowSlots> order{};
    std::string label; // what the "Fix" button does, e.g. "Move it back inside"
};

struct Finding {
    int line = 0; // 1-based line of the panel.cfg read; 0 for the file as a whole or no line
    Severity severity = Severity::Error;
    std::string code;
    UserText text;
    int window = -1;                              // the window row it is about, or -1
    int gauge = -1;                               // the gauge of that window it is about, or -1
    std::optional<fs98::WindowField> windowField; // the template box that holds the fault
    int viewField = -1;                           // 0..3: X, Y, SIZE_X, SIZE_Y of [Default View]
    std::optional<Fix> fix;
};

// A finding without a box, view field or fix yet.
Finding makeFinding(int line, Severity severity, std::string code, UserText text, int window = -1,
                    int gauge = -1);

// The form compilers use: "FILE:LINE: error: TEXT [code]", or "FILE: warning: TEXT [code]"
// for a finding without a line.
UserText findingText(const UserText& file, const Finding& finding);
// The same line in UTF-8 with its line end, added to out, for a file named in UTF-8; the
// text's control bytes are written as \xNN.
void appendFindingLine(std::string& out, std::string_view fileUtf8, const Finding& finding);

// Line order, the findings about the whole file first; findings of one line keep the order
// in which they were found.
void sortFindings(std::vector<Finding>& findings);

} // namespace cockpix

#pragma once

// The lines that differ between two texts, as a reader of a comparison expects them: the
// shortest edit script (Myers' O(ND) algorithm in linear space), so that a change of one
// gauge line shows as that line removed and its new form added, and an unchanged text shows
// nothing. Lines are compared without their line ends.

#include <cstddef>
#include <string_view>
#include <vector>

namespace cockpix {

enum class DiffKind { Same, Removed, Added };

// One line of the edit script; line numbers are 1-based, 0 on the side the line is not on.
struct DiffLine {
    DiffKind kind = DiffKind::Same;
    int oldLine = 0;
    int newLine = 0;
    friend bool operator==(const DiffLine&, const DiffLine&) = default;
};

// The lines of a text without their line ends (CR LF, LF or CR), as views into it.
std::vector<std::string_view> splitTextLines(std::string_view text);

// Every line of both texts in order: the old text's lines are Same or Removed, the new
// text's Same or Added; within a change the removed lines come before the added ones. The
// script is as short as possible, except for inputs so large and so different that finding
// the shortest would take minutes: their differing middle is then given as removed and
// added whole.
std::vector<DiffLine> diffLines(const std::vector<std::string_view>& oldLines,
                                const std::vector<std::string_view>& newLines);

// A run of changes with up to `context` unchanged lines around it; runs whose context would
// touch are one hunk. oldStart and newStart are the first line of each side in the hunk
// (for an empty side, the line before it, as unified diffs count).
struct DiffHunk {
    int oldStart = 0;
    int oldCount = 0;
    int newStart = 0;
    int newCount = 0;
    std::vector<DiffLine> lines;
};
std::vector<DiffHunk> diffHunks(const std::vector<DiffLine>& script, int context);

// One row of a side-by-side comparison: a line on both sides (Same), a changed line with
// its old and new form (Changed), or a line on one side only.
enum class RowKind { Same, Changed, Removed, Added };
struct SideBySideRow {
    RowKind kind = RowKind::Same;
    int oldLine = 0; // 0 when the row has no old line
    int newLine = 0;
    friend bool operator==(const SideBySideRow&, const SideBySideRow&) = default;
};
// The rows of lines (a hunk or a whole script): within each change the k-th removed line
// stands beside the k-th added one.
std::vector<SideBySideRow> sideBySideRows(const std::vector<DiffLine>& lines);

// How many lines the script removes and adds.
struct DiffCounts {
    int removed = 0;
    int added = 0;
    bool identical() const { return removed == 0 && added == 0; }
};
DiffCounts countChanges(const std::vector<DiffLine>& script);

} // namespace cockpix

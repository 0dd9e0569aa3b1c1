#pragma once

// Copy, cut and paste of gauges as panel.cfg lines, the text a text editor takes and gives:
// "gaugeNN=..." lines (MSFS's instruments "htmlgaugeNN=", "paintingNN=") numbered from 00 in
// the order the gauges were selected, each
// ending CR LF as panel.cfg does. An FS98 window copies its gauges as the file writes them; a
// panel of FS2000 and later copies each line's own text after "=" (fields, blanks, comment).
// A paste reads every gauge line of a text (any line ends, any case of the key; headers,
// comments and other lines are passed over), numbers the gauges after the window's own and
// puts them where they were, or 10 units further down and right while a gauge of the window
// already stands at the place of one of them. The texts are bytes in the panel's encoding.

#include "base/core/usertext.h"
#include "panel/core/fs2k/edits.h"
#include "panel/core/fs2k/lines.h"
#include "panel/core/fs2k/panel.h"
#include "panel/core/fs98/panel.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

// How far a paste moves the gauges each time one of them would land on a gauge of the
// window, across and down, and how often at most.
inline constexpr double kPasteShift = 10;
inline constexpr int kMaxPasteShifts = 100;

// Gauges gauges (indices, in the selection's order) of FS98 window w, as lines.
std::string copyFs98Gauges(const fs98::Panel& panel, int w, std::span<const int> gauges);
// The gauge lines gaugeLines of an fs2k panel (fs2k::Gauge::line), as lines, each kind under
// its own key and numbers: "gauge00=", "htmlgauge00=", "painting00=".
std::string copyFs2kGauges(const fs2k::PanelLines& lines, std::span<const std::size_t> gaugeLines);

struct ClipboardGauge {
    std::string text; // after "=", as written
    std::string name; // the first field, trimmed
    double x = 0;
    double y = 0;
    std::optional<double> width;  // the third field, when there is one
    std::optional<double> height; // the fourth
    // The key it was copied under: gaugeNN, or MSFS's htmlgaugeNN or paintingNN.
    fs2k::GaugeLineKind kind = fs2k::GaugeLineKind::Gauge;
    friend bool operator==(const ClipboardGauge&, const ClipboardGauge&) = default;
};

struct ClipboardGauges {
    std::vector<ClipboardGauge> gauges;
    // One for each gauge line left out: no name, x and y separated by commas, or a position
    // or size that is not a number.
    std::vector<UserText> problems;
};

// The gauge lines of a pasted text. The numbers after "gauge" are not kept: a paste numbers
// the gauges itself.
// encoding is the panel's, for the messages.
ClipboardGauges readClipboardGauges(std::string_view text,
                                    TextEncoding encoding = TextEncoding::Windows1252);

// What a paste tells of the text it read, in one message: "The clipboard holds no gauge
// lines." when there is neither a gauge nor a line left out; otherwise the lines left out,
// one a line (the first kListedProblems of them, then how many more), and "Nothing was
// pasted." when no gauge remains. Empty when every gauge line was read.
inline constexpr std::size_t kListedProblems = 20;
UserText clipboardProblemsMessage(const ClipboardGauges& read);

// The move that puts the pasted gauges where none of them stands on a gauge of the window
// (the same x and y): (0, 0), or kPasteShift across and down as often as needed, at most
// kMaxPasteShifts times.
struct PasteShift {
    double dx = 0;
    double dy = 0;
};
struct GaugeSpot {
    double x = 0;
    double y = 0;
};
PasteShift pasteShift(std::span<const GaugeSpot> window, std::span<const ClipboardGauge> pasted);

// Where a window shows gauges, in panel units from its corner (0, 0): FS shows nothing of a
// gauge outside it.
struct PasteArea {
    double width = 0;
    double height = 0;
};

// The move that brings the pasted gauges, moved by shift first, inside area, keeping their
// layout: none when they are inside already, else the shortest to the nearest edges. A
// gauge counts with its width (none: 0) and its height (none: its width). When the group
// is larger than the area the shift stays as it was (pasteFits tells).
PasteShift fitPaste(std::span<const ClipboardGauge> pasted, PasteShift shift, PasteArea area);
bool pasteFits(std::span<const ClipboardGauge> pasted, PasteArea area);
// "The 5 pasted gauges take 420 x 130 units, the window 300 x 160: they were pasted where
// they were copied, and FS does not show what lies outside the window."
UserText pasteTooLargeMessage(std::span<const ClipboardGauge> pasted, PasteArea area);

// What a paste into FS98 window w appends, or why it appends nothing: a module!gauge name
// (FS98 modules hold one gauge and have no gauge names), more gauges than the window holds,
// or a module the panel (or the paste itself) already uses, which FS98 does not load twice.
struct Fs98Paste {
    std::vector<fs98::Gauge> gauges;
    UserText refusal; // empty when the gauges may be appended
    bool refused() const { return !refusal.empty(); }
};
// With an area (the window's background), a group that does not fit where it was is
// moved inside it (fitPaste).
Fs98Paste planFs98Paste(const fs98::Panel& panel, int w, std::span<const ClipboardGauge> pasted,
                        std::optional<PasteArea> area = std::nullopt);

// "Window #1 cannot hold 3 more gauges: it has 62, FS98 reads 64 at most. Paste cancelled."
UserText fullWindowMessage(int w, int count, int adding);

// Why window cannot take the pasted lines: a kind of line its section does not hold
// ("[Window01] cannot hold htmlgauge lines: MSFS reads them in [VCockpitNN] sections only.
// Paste cancelled."). Empty when it takes them all.
UserText fs2kPasteRefusal(const fs2k::Window& window, std::span<const ClipboardGauge> pasted);

// The lines a paste into the fs2k window `window` adds: each gauge's own text, moved by
// pasteShift when one of them would land on a gauge of the window, and into area (the
// window's size in its gauge units) when it is given, as fitPaste moves them.
std::vector<fs2k::PastedGauge> planFs2kPaste(const fs2k::Window& window,
                                             std::span<const ClipboardGauge> pasted,
                                             std::optional<PasteArea> area = std::nullopt);

} // namespace cockpix

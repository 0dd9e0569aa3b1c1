#pragma once

// The edits of a panel.cfg of FS2000 and later, as changes of whole lines: a value is
// replaced inside its own line (the key's spelling, the spacing and the line end stay), a
// key the section lacks is inserted after the section's last key line, a key or a window
// is removed with its lines. Every other line keeps its bytes.

#include "panel/core/fs2k/lines.h"
#include "panel/core/fs2k/panel.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cockpix::fs2k {

// Sets key to value in section: the value of the section's first line of that key is
// replaced (a comment after it stays), or "key=value" is inserted after the section's last
// key line. Returns the line.
std::size_t setSectionKey(PanelLines& lines, std::size_t section, std::string_view key,
                          std::string_view value);

// Removes every line of key in section; false when it had none.
bool removeSectionKey(PanelLines& lines, std::size_t section, std::string_view key);

// Replaces the field `index` of a gauge line (0 = x, 1 = y, 2 = width, ...) with text,
// keeping the blanks around it; missing fields up to it are added, empty. A ";" or "//"
// comment at the end of the line stays after the last field.
void setGaugeField(PanelLines& lines, std::size_t line, std::size_t index, std::string_view text);

// --- Gauge lines: gaugeNN=module!gauge, htmlgaugeNN=PATH?QUERY, paintingNN=PATH?QUERY, each
// followed by x, y[, w[, h]][, more fields] ---

// The fields of a gauge line after the name as the edits see them: trimmed, up to a ";" or
// "//" comment at the end of the line.
std::vector<std::string_view> gaugeEditFields(const PanelLines& lines, std::size_t line);

// A number as the gauge edits write it: a whole number as "123", else the shortest decimal
// that reads back as the same double; never an exponent; "-0" and non-finite values give "0".
std::string valueText(double value);

// Whether line is a gauge line of any kind its window section holds (gaugeNN= in every
// window, htmlgaugeNN= in a [VCockpitNN], paintingNN= in a [VPaintingNN]).
bool isGaugeLine(const PanelLines& lines, std::size_t line);
// The kind of a gauge line (Gauge for any other line).
GaugeLineKind gaugeLineKind(const PanelLines& lines, std::size_t line);
// Whether section is a [WindowNN], [VcockpitNN] or [VPaintingNN] section.
bool isWindowSection(const PanelLines& lines, std::size_t section);
// Whether section is a window section that holds gauge lines of kind.
bool holdsGaugeKind(const PanelLines& lines, std::size_t section, GaugeLineKind kind);

// Moves a gauge: fields x and y replaced (see setGaugeField), the rest of the line kept.
void moveGauge(PanelLines& lines, std::size_t line, double x, double y);

struct GaugeMove {
    std::size_t line = 0;
    double x = 0;
    double y = 0;
};
// Several gauges moved at once; lines that are not gauge lines are left alone.
void moveGauges(PanelLines& lines, std::span<const GaugeMove> moves);

// Resizes a gauge: the width (field 2) and, when given, the height (field 3).
void resizeGauge(PanelLines& lines, std::size_t line, double width, std::optional<double> height);

// Replaces the value FS reads, all after "=" up to a comment (blanks around it and the
// comment kept), with text. False, and no edit, when text holds a line break.
bool setGaugeText(PanelLines& lines, std::size_t line, std::string_view text);

struct NewGauge {
    std::string name; // module!gauge, or an instrument's PATH?QUERY
    double x = 0;
    double y = 0;
    std::optional<double> width;
    std::optional<double> height; // written only with a width
    GaugeLineKind kind = GaugeLineKind::Gauge;
};

// The number a new gauge of kind in section takes: the lowest one none of its lines of that
// kind uses, so that the run FS reads from gauge00 (htmlgauge00, painting00) on goes on
// without a gap.
long nextGaugeNumber(const PanelLines& lines, std::size_t section,
                     GaugeLineKind kind = GaugeLineKind::Gauge);

// "gauge" + number with two digits at least; prefix keeps the spelling of the lines
// around ("Gauge").
std::string keyOfGauge(long number, std::string_view prefix = "gauge");

// Whether addGauge takes name for section: a window section that holds that kind of line,
// and a name that is not empty and holds no comma or line break.
bool canAddGauge(const PanelLines& lines, std::size_t section, std::string_view name,
                 GaugeLineKind kind = GaugeLineKind::Gauge);

// Adds "gaugeNN=name, x, y[, w[, h]]" (or htmlgaugeNN=, paintingNN=) after the section's last
// line of that kind (else its last gauge line, else its last key line), with the key's case
// of the lines of that kind already there. Returns the new line, or npos (no edit) when the
// section holds no such lines or the name is empty or holds a comma or a line break.
std::size_t addGauge(PanelLines& lines, std::size_t section, const NewGauge& gauge);

// Removes a gauge line; the lines of its kind in its section numbered above it take the number
// below theirs (only the digits change), so the run FS reads has no gap. False when line is
// no gauge line.
bool removeGauge(PanelLines& lines, std::size_t line);

// --- Several gauge lines at once: the designer's tools ---

// Where a gauge goes: x and y, and the width and height when given. A field whose number
// the line already says (as text or as the same value) keeps its text.
struct GaugePlacement {
    std::size_t line = 0;
    double x = 0;
    double y = 0;
    std::optional<double> width;
    std::optional<double> height;
};
// Whether placing would change the line's text.
bool changesGauge(const PanelLines& lines, const GaugePlacement& placement);
// Places each gauge line (moveGauge, resizeGauge field by field); lines that are
// not gauge lines are left alone.
void placeGauges(PanelLines& lines, std::span<const GaugePlacement> placements);

// A gauge line to add as it was copied: the text after "=" (fields, blanks and a comment as
// written) and its name; when shifted, its x and y are then set to x and y.
struct PastedGauge {
    std::string name; // the first field, module!gauge or an instrument's PATH?QUERY
    std::string text;
    bool shifted = false;
    double x = 0;
    double y = 0;
    GaugeLineKind kind = GaugeLineKind::Gauge;
};
// Adds the gauges one after the other as addGauge does (the next free numbers on, after
// the section's last gauge line), each line then given its copied text. Returns the new
// lines; a gauge whose name or text addGauge refuses is left out (npos in its place).
std::vector<std::size_t> addGaugeLines(PanelLines& lines, std::size_t section,
                                       std::span<const PastedGauge> gauges);

// Removes the gauge lines as removeGauge does, the last line first, so that every
// section's gauges are again numbered without a gap. Lines that are not gauge lines, and
// lines named twice, are removed once or not at all.
void removeGauges(PanelLines& lines, std::span<const std::size_t> gaugeLines);

// The lowest window number that neither a title nor a [WindowNN] section uses.
long nextFreeWindowNumber(const Panel& panel);

struct NewWindow {
    std::string title;
    std::vector<std::pair<std::string, std::string>> keys; // in the order written
};

// Adds a window under the next free number: its title line at the end of [Window Titles]
// (made at the top when there is none) and its section after the last window or virtual
// cockpit section, after a blank line. Returns the number.
long addWindow(PanelLines& lines, const NewWindow& window);

// Removes the [WindowNN], [VcockpitNN] or [VPaintingNN] section `section` with all its lines, and
// for a window its title lines.
void removeWindow(PanelLines& lines, std::size_t section);

// The title of window number in [Window Titles]: its line's value replaced, or a new line.
void setTitle(PanelLines& lines, long number, std::string_view title);

// "Window" + number, two digits at least: Window05, Window17, Window123.
std::string nameOfWindow(long number);

} // namespace cockpix::fs2k

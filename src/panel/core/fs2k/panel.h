#pragma once

// What a panel.cfg of FS2000 and later sets, read from its lines (PanelLines): the window
// titles, the [WindowNN], [VcockpitNN] and MSFS's [VPaintingNN] sections in file order with
// their keys and gauge lines, [Color], [VIEWS], [Default View], [fltsim] and every other section.
// Each entry names the line it came from, so an edit can change that line and nothing else. Nothing
// here is ever written back: the lines are the file; this is what they mean.

#include "panel/core/fs2k/lines.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix::fs2k {

struct Key {
    std::string key; // as written
    std::string value;
    std::size_t line = 0;
};

enum class WindowKind { Window, Vcockpit, Vpainting };

// The lines of a window section that place something on it, each kind numbered on its own:
// gaugeNN=module!gauge (every window; MSFS's XML gauges in a [VCockpitNN]),
// htmlgaugeNN=PATH[?QUERY] (MSFS's HTML and WASM instruments, in a [VCockpitNN]) and
// paintingNN=PATH?QUERY (a [VPaintingNN]'s pictures). All three read "name, x, y, w, h[, more
// fields]", and the program handles them alike as gauges.
enum class GaugeLineKind { Gauge, HtmlGauge, Painting };

// "gauge", "htmlgauge" or "painting": the key's prefix.
std::string_view gaugeKeyPrefix(GaugeLineKind kind);

// The number of a key that places something on a window section of that kind ("gauge07",
// "HtmlGauge00" in a [VCockpitNN]), with its kind; -1 for any other key.
long gaugeKeyNumber(WindowKind window, std::string_view key, GaugeLineKind& kind);

// The kind of window section a section name is ("Window03", "VCockpit05", "vpainting02"),
// with its number; -1 when it is none.
long windowSectionNumber(std::string_view name, WindowKind& kind);

// A gauge line: name, x, y[, w[, h]][, more fields]. A panel may hold hundreds of
// thousands of them: the texts stay in the line (gaugeLineName, gaugeFields), the
// gauge holds only what FS takes from it as numbers.
struct Gauge {
    long number = 0;                           // NN
    std::size_t fieldCount = 0;                // after the name; empty ones count
    std::optional<double> x, y, width, height; // the first four fields, when numbers
    std::size_t line = 0;
    GaugeLineKind kind = GaugeLineKind::Gauge;
};

// The first field of a gauge line, trimmed: "module!gauge", an instrument's PATH?QUERY (a folder
// may lead: "LVLD\B767main!EADI").
std::string_view gaugeLineName(const PanelLines& lines, std::size_t line);
// The fields of a gauge line after the name, each trimmed; empty ones stay empty.
std::vector<std::string_view> gaugeFields(const PanelLines& lines, std::size_t line);
// The same into fields, whose room is kept for the next line.
void gaugeFields(const PanelLines& lines, std::size_t line, std::vector<std::string_view>& fields);

struct Window {
    WindowKind kind = WindowKind::Window;
    long number = 0;    // NN of [WindowNN] / [VcockpitNN] / [VPaintingNN]
    std::string header; // the section's name as written
    std::size_t section = 0;
    std::size_t headerLine = 0;
    std::vector<Key> keys; // every key line but the gauges, in file order
    std::vector<Gauge> gauges;

    // The first key of that name (case ignored; windowsize_ratio and window_size_ratio are
    // one key), or nullptr.
    const Key* find(std::string_view key) const;
};

struct Title {
    long number = 0; // NN of WindowNN=: names the section [WindowNN]
    std::string title;
    std::size_t line = 0;
};

struct Section {
    std::string name; // as written
    std::size_t section = 0;
    std::size_t headerLine = 0;
    std::vector<Key> keys;

    const Key* find(std::string_view key) const;
};

struct Panel {
    std::vector<Title> titles;   // in file order
    std::vector<Window> windows; // windows and virtual cockpits, in file order
    std::optional<Section> color, views, defaultView, fltsim;
    std::vector<Section> otherSections; // unknown ones, in file order

    const Title* titleOf(long number) const;
    const Window* windowOf(long number) const; // the first [WindowNN]
};

// What the lines set. Without gauges, the windows' gauge lists stay empty (eachGauge
// reads them when they are wanted): a dump of a panel of millions of gauge lines need not
// hold them all.
enum class Gauges { Kept, Left };
Panel readPanel(const PanelLines& lines, Gauges gauges = Gauges::Kept);

// The place in window.gauges of the gauge of that line, or nullopt.
std::optional<std::size_t> gaugeIndexOfLine(const Window& window, std::size_t line);

// Calls take(gauge) for each gauge line of window's section, in file order: the gauges
// readPanel keeps, one at a time.
void eachGauge(const PanelLines& lines, const Window& window,
               const std::function<void(const Gauge&)>& take);

// The numbers of a value ("847,860", "0.184, 0.485") as FS reads them: each comma-separated
// field's leading number, nullopt for a field without one.
std::vector<std::optional<double>> numbersOf(std::string_view value);

// Key names compare ignoring case; window_size_ratio is also written windowsize_ratio.
bool sameKey(std::string_view a, std::string_view b);

// The number after prefix in a name such as "Window12" or "gauge07" (case ignored), or -1
// when the rest of the name is not all digits; very long numbers saturate.
long numberAfterPrefix(std::string_view name, std::string_view prefix);

} // namespace cockpix::fs2k

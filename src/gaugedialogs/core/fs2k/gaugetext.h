#pragma once

// The boxes of an fs2k panel's gauge properties and the gauge line they make: x, y, width
// and height each in a box of its own, the fields after them (FS's flags, a gauge's own
// settings) as one text, and the line's value built back from them.

#include "panel/core/fs2k/panel.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cockpix::fs2k {

struct GaugeBoxes {
    std::string x, y, width, height;
    std::string more; // the fields after the height, as written, joined by ", "
    friend bool operator==(const GaugeBoxes&, const GaugeBoxes&) = default;
};

// The boxes of a gauge line from its fields after the name (gaugeFields).
GaugeBoxes gaugeBoxes(std::span<const std::string_view> fields);

// The extent of a window in its gauges' units where the lines alone tell it: pixel_size=,
// else size_mm= for a window without a bitmap (with one, the bitmap's pixels, not read here);
// size_mm=, else pixel_size=, for a [VcockpitNN] or [VPaintingNN].
struct GaugeUnits {
    std::optional<double> width, height;
};
GaugeUnits gaugeUnits(const Window& window);

// What is wrong with the boxes, for the user; nullopt when FS can read them: x and y are
// numbers, width and height numbers or empty, each written as FS reads it and within
// placeRange (for the window's units, where known).
std::optional<std::string> gaugeBoxesProblem(const GaugeBoxes& boxes, const GaugeUnits& units = {});

// "name, x, y[, w[, h]][, more]": the boxes trimmed, the empty ones at the end left out
// (an empty box before a filled one stays, as an empty field).
std::string gaugeValue(std::string_view name, const GaugeBoxes& boxes);

// An MSFS instrument's name (htmlgaugeNN, paintingNN) in its two boxes: the path up to the
// first "?" and the query the instrument reads after it (a second "?" stays in the query, as
// MSFS reads it).
struct InstrumentName {
    std::string path, query;
    friend bool operator==(const InstrumentName&, const InstrumentName&) = default;
};
InstrumentName splitInstrumentName(std::string_view name);
// "path?query", or the path alone when the query is empty; blanks around each dropped.
std::string joinInstrumentName(const InstrumentName& name);
// What is wrong with the boxes for the user; nullopt when a line can hold them: a path,
// and no comma (the line's fields), ";" or "//" (a comment) or control character in either.
std::optional<std::string> instrumentNameProblem(const InstrumentName& name);

} // namespace cockpix::fs2k

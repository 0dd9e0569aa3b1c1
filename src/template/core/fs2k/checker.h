#pragma once

// The checker for panels of FS2000 and later, beside the FS98 one: what FS will not show as
// the designer meant, read from the file's lines (PanelLines) and what they set
// (Panel). Windows and virtual cockpits are told apart by their place in
// Panel::windows (Finding::window) and gauges by their place in the section's gauge
// lines (Finding::gauge); every finding names its line.

#include "base/core/textencoding.h"
#include "panel/core/fs2k/lines.h"
#include "panel/core/fs2k/panel.h"
#include "settings/core/installation.h"
#include "settings/core/settings.h"
#include "template/core/checkfacts.h"
#include "template/core/finding.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace cockpix::fs2k {

// Every finding, sorted by line. dirs.panelDir is the folder of the panel.cfg (the first
// place FS looks for bitmaps and gauges), dirs.gaugesDir the simulator's gauges folder
// (empty when unknown: only the panel folder is searched). Names are quoted in encoding,
// the panel's own (panelTextEncoding) when not given. gaugesDirs, when given, are the
// gauges folders of the installation the panel lies in, searched in order in place of
// dirs.gaugesDir (none at all for an MSFS package, whose modules lie beside its panel).
// installation, when given, is where the panel lies: an MSFS package's or project's
// instruments and WASM modules are looked up there (instrumentchecks.h).
std::vector<Finding>
checkPanel(const PanelLines& lines, const Panel& panel, const Directories& dirs, CheckFacts& facts,
           std::optional<TextEncoding> encoding = std::nullopt,
           std::optional<std::span<const std::string>> gaugesDirs = std::nullopt,
           const Installation* installation = nullptr);

// Applies a fix the fs2k checker offered (RenumberGauges, MoveGauge, QueryAmpersand) to the
// lines; false when it no longer fits them (the window or gauge has gone).
bool applyFix(PanelLines& lines, const Fix& fix);

} // namespace cockpix::fs2k

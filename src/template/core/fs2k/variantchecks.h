#pragma once

// The check of an MSFS variant panel with its base container's: a variant with
// override_base_container=0 is checked as the panel MSFS builds from both (variant.h), its own
// lines keeping their numbers and findings on a base's lines naming that file; a variant that
// replaces a base says so in a note; a chain of bases that loops or cannot be read is a
// finding.

#include "base/core/smallfilecache.h"
#include "panel/core/fs2k/lines.h"
#include "panel/core/fs2k/panel.h"
#include "template/core/finding.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cockpix::fs2k {

// Checks a panel's lines and what they set.
using PanelCheckFunction = std::function<std::vector<Finding>(const PanelLines&, const Panel&)>;

// The findings of the panel in panelDir with these lines (setting panel) when it builds on a base
// container (check run on the merged panel, plus the variant's own findings), else nullopt: the
// panel is checked alone.
std::optional<std::vector<Finding>> checkVariant(const std::string& panelDir,
                                                 const PanelLines& lines, const Panel& panel,
                                                 const PanelCheckFunction& check,
                                                 SmallFileCache& files);

} // namespace cockpix::fs2k

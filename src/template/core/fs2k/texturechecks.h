#pragma once

// MSFS draws a [VCockpitNN] or [VPaintingNN] on the materials of the aircraft's 3D models
// that its texture= names (several, separated by commas; NO_TEXTURE names none, for
// instruments that draw nothing), matched exactly, a leading "$" included. A name that is no
// material of the models leaves the section's instruments drawn on nothing.

#include "base/core/textencoding.h"
#include "panel/core/fs2k/panel.h"
#include "settings/core/installation.h"
#include "template/core/checkfacts.h"
#include "template/core/finding.h"

#include <string>
#include <vector>

namespace cockpix::fs2k {

// Adds to findings an error for each texture name that is no material of the models of the
// aircraft whose panel folder is panelDir (the aircraft's folder is the one above it), or,
// when no model is found or one cannot be read, notes saying so and no error. Only a panel
// of an MSFS package or project (installation) is looked at: the models of earlier
// simulators are not read, and nothing is said of them.
void checkTextures(const Panel& panel, const std::string& panelDir,
                   const Installation* installation, CheckFacts& facts, TextEncoding encoding,
                   std::vector<Finding>& findings);

} // namespace cockpix::fs2k

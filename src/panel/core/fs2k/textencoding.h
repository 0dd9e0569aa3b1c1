#pragma once

// The encoding of a panel.cfg of FS2000 and later, from all its lines: the titles, names
// and comments of one file are written by one tool, in one encoding.

#include "base/core/textencoding.h"
#include "panel/core/fs2k/lines.h"

namespace cockpix::fs2k {

TextEncoding panelTextEncoding(const PanelLines& lines);

} // namespace cockpix::fs2k

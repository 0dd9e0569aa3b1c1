#pragma once

// The demo FS98 installation: gauge modules, an aircraft with a four-window panel, and a
// second aircraft whose panel.cfg is an alias of the first. Everything is drawn and laid
// out here; nothing comes from a simulator.

#include <string>

namespace cockpix::demo {

// Writes OUTDIR/program/ (the default pictures), OUTDIR/fs98/gauges/ and
// OUTDIR/fs98/aircraft/. Returns an empty text on success, otherwise what went wrong.
std::string writeDemoInstallation(const std::string& outDir);

} // namespace cockpix::demo

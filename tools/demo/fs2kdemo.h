#pragma once

// The demo aircraft in the format of FS2000 and later: a jet with a dozen panel windows (one
// placed by window_pos/window_size, one of a background colour only, one with a bitmap for
// each screen width), a virtual cockpit, XML gauges in a folder of the gauges directory and
// in a cabinet beside the panel, a C-gauge module of several gauges and FS98 modules named by
// their file. Everything is drawn
// here; the cabinet is packed by the build from the files written into its staging folder.

#include <string>

namespace cockpix::demo {

// Writes OUTDIR/fs98/aircraft/demo_jet/panel/, OUTDIR/fs98/gauges/DemoJet/ and the files of
// the cabinet into cabStagingDir(OUTDIR). Returns an empty text on success, otherwise what
// went wrong.
std::string writeFs2kDemoAircraft(const std::string& outDir);

// Where the files of the panel's cabinet are written for the build to pack into
// fs2kDemoCabPath(outDir).
std::string cabStagingDir(const std::string& outDir);
std::string fs2kDemoCabPath(const std::string& outDir);

} // namespace cockpix::demo

#pragma once

// The demo's MSFS package: a Community folder package of a small jet whose panel.cfg has
// glass displays drawn by HTML instruments of the package, a WASM instrument with its module
// in the panel folder, FSX-style XML gauges, a registration painting and a variant panel
// folder. The instruments, models and pictures are all written here.

#include <string>

namespace cockpix::demo {

// Where the package lies below OUTDIR: msfs/Community/cockpix-demo-msfs.
std::string msfsDemoPackageDir(const std::string& outDir);

// Writes the package into msfsDemoPackageDir(OUTDIR). Returns an empty text on success,
// otherwise what went wrong.
std::string writeMsfsDemoPackage(const std::string& outDir);

} // namespace cockpix::demo

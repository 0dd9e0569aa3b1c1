#pragma once

// `cockpix --demo`: the program on the demo FS98 installation that the build generates,
// with a settings file of its own inside the demo folder, so that trying the demo never
// touches the user's own settings.

#include "app/core/settings.h"

#include <optional>
#include <string>

namespace cockpix {

struct DemoInstall {
    std::string demoDir;   // ends with "/"
    std::string configDir; // where the demo's cockpix.ini lives (COCKPIX_CONFIG_DIR)
    std::string panelPath; // the demo aircraft's panel.cfg
    Directories dirs;      // the five directories the demo starts with
};

// The demo folder: $COCKPIX_DEMO_DIR when set, otherwise "../demo" beside the program
// directory (a build puts the program in <build>/bin and the demo in <build>/demo).
// nullopt when there is no demo installation there.
std::optional<std::string> findDemoDir(const std::string& programDir);

// The paths and directories of the demo in demoDir for a program in programDir.
DemoInstall demoInstall(const std::string& demoDir, const std::string& programDir);

// Writes the demo's settings file and creates the work directories. Returns an empty text
// on success, otherwise what went wrong.
std::string prepareDemo(const DemoInstall& demo);

} // namespace cockpix

#pragma once

// `cockpix --demo`: the program on the demo FS98 installation that the build generates,
// with a settings file of its own inside the demo folder, so that trying the demo never
// touches the user's own settings.

#include "settings/core/settings.h"

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
// directory (a build puts the program in <build>/bin and the demo in <build>/demo),
// otherwise the installed data directory's demo/ (<prefix>/share/cockpix/demo/). nullopt
// when there is no demo installation there.
std::optional<std::string> findDemoDir(const std::string& programDir);

// Where a user's own copy of an installed demo lives: $XDG_DATA_HOME/cockpix/demo/, by
// default ~/.local/share/cockpix/demo/.
std::string userDemoDir();

struct DemoPlace {
    std::string dir;     // the demo folder to run on, ending with "/"
    std::string problem; // empty on success, otherwise what went wrong
};

// The demo runs where it may write its settings and work files: in demoDir itself when that
// is writable and not the installed demo of a program in programDir (a build's demo),
// otherwise in a copy in userDir made the first time. A copy already there is kept, with
// whatever the user saved into it.
DemoPlace writableDemoDir(const std::string& demoDir, const std::string& programDir,
                          const std::string& userDir);

// The paths and directories of the demo in demoDir for a program in programDir.
DemoInstall demoInstall(const std::string& demoDir, const std::string& programDir);

// Writes the demo's settings file and creates the work directories. Returns an empty text
// on success, otherwise what went wrong.
std::string prepareDemo(const DemoInstall& demo);

} // namespace cockpix

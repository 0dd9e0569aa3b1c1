#pragma once

// The directories the gauge commands of cockpix-cli work with: those of the settings file
// (never written by the tool), overridden by --gauges-dir, --bmp-dir and --program-dir.

#include "settings/core/settings.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace cockpix::cli {

struct GaugeCommandLine {
    Directories dirs;
    std::string installedDir;            // the directory of cockpix-cli itself, ending with "/"
    std::vector<std::string> positional; // the arguments that are not options
    std::vector<std::pair<std::string, std::string>> options; // other "--name value" pairs
    std::string error;           // a usage error, empty when the line is fine
    bool gaugesDirGiven = false; // --gauges-dir was on the line
    bool bmpDirGiven = false;    // --bmp-dir was on the line
};

// Reads the settings file, then the options. Names listed in valueOptions (for example
// "--window") are kept in options with their value. A build's program directory (the
// directory of cockpix-cli itself) stands in when neither gives one, and bmpDir is the
// gauges directory's "bmp/" when the settings give none or --gauges-dir is given without
// --bmp-dir, as the directories dialog sets it.
GaugeCommandLine parseGaugeCommandLine(std::span<const std::string> args,
                                       std::span<const std::string_view> valueOptions = {});

// The directories for the panel at panelPath. Unless --gauges-dir names one, a panel that
// lies in an FS98 installation uses that installation's gauges folder, the one FS98 loads
// its gauges from, whatever the settings file says (it may name another installation's, or
// none); the work directories then follow it unless --bmp-dir names one.
void settleDirectoriesForPanel(GaugeCommandLine& line, const std::string& panelPath);

// Where a panel of FS2000 and later in panelDir has its gauges looked up after its own
// folder: --gauges-dir when given, else the folders of the installation it lies in (as
// "&Open" finds it), else the settings' gauges directory.
std::vector<std::string> fs2kGaugesDirs(const GaugeCommandLine& line, const std::string& panelDir);

// The bitmap work directory a run writes the extracted gauge bitmaps in: bmpDir, made when
// it is missing as the directories dialog makes it, or, when it cannot be written (the
// demo of an installed package), a temporary one that goes away with this object.
class BitmapWorkDir {
public:
    explicit BitmapWorkDir(const std::string& bmpDir);
    ~BitmapWorkDir();
    BitmapWorkDir(const BitmapWorkDir&) = delete;
    BitmapWorkDir& operator=(const BitmapWorkDir&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    bool m_temporary = false;
};

// The value of an option kept by parseGaugeCommandLine, or nullopt.
std::optional<std::string> optionValue(const GaugeCommandLine& line, std::string_view name);

// A directory as the model holds it: ending with "/".
std::string asDirectory(std::string path);

} // namespace cockpix::cli

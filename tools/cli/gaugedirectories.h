#pragma once

// The directories the gauge commands of cockpix-cli work with: those of the settings file
// (never written by the tool), overridden by --gauges-dir, --bmp-dir and --program-dir.

#include "app/core/settings.h"

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
    std::string error; // a usage error, empty when the line is fine
};

// Reads the settings file, then the options. Names listed in valueOptions (for example
// "--window") are kept in options with their value. A build's program directory (the
// directory of cockpix-cli itself) stands in when neither gives one, and bmpDir defaults
// to the gauges directory's "bmp/", as the directories dialog sets it.
GaugeCommandLine parseGaugeCommandLine(std::span<const std::string> args,
                                       std::span<const std::string_view> valueOptions = {});

// The value of an option kept by parseGaugeCommandLine, or nullopt.
std::optional<std::string> optionValue(const GaugeCommandLine& line, std::string_view name);

// A directory as the model holds it: ending with "/".
std::string asDirectory(std::string path);

} // namespace cockpix::cli

#include "gaugedirectories.h"

#include "clidirectory.h"

#include "panel/core/fs98/reader.h"
#include "settings/core/directoryrules.h"
#include "settings/core/installation.h"
#include "settings/core/settings.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace cockpix::cli {
namespace {} // namespace

std::string asDirectory(std::string path) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

GaugeCommandLine parseGaugeCommandLine(std::span<const std::string> args,
                                       std::span<const std::string_view> valueOptions) {
    GaugeCommandLine line;
    readSettings(line.dirs);
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        const bool isDirOption =
            arg == "--gauges-dir" || arg == "--bmp-dir" || arg == "--program-dir";
        const bool isValueOption =
            std::find(valueOptions.begin(), valueOptions.end(), arg) != valueOptions.end();
        if (!isDirOption && !isValueOption) {
            if (arg.size() > 1 && arg[0] == '-') {
                line.error = "unknown option '" + arg + "'";
                return line;
            }
            line.positional.push_back(arg);
            continue;
        }
        if (k + 1 >= args.size()) {
            line.error = "option '" + arg + "' needs a value";
            return line;
        }
        const std::string& value = args[++k];
        if (arg == "--gauges-dir") {
            line.dirs.gaugesDir = asDirectory(value);
            line.gaugesDirGiven = true;
        } else if (arg == "--bmp-dir") {
            line.dirs.bmpDir = asDirectory(value);
            line.bmpDirGiven = true;
        } else if (arg == "--program-dir") {
            line.dirs.programDir = asDirectory(value);
        } else {
            line.options.emplace_back(arg, value);
        }
    }
    line.installedDir = cliDirectory();
    if (line.dirs.programDir.empty())
        line.dirs.programDir = line.installedDir;
    // The work directories follow a gauges directory given here, as browsing to one in the
    // directories dialog makes them follow; the settings' own stay with the settings'.
    // A later simulator's gauges folder keeps no work directory: they go to the user's cache.
    const std::string workBase = line.gaugesDirGiven
                                     ? workDirectoryBase(line.dirs.gaugesDir, userCacheDir())
                                     : line.dirs.gaugesDir;
    if (line.gaugesDirGiven)
        line.dirs.paletteDir = workBase + "palette/";
    if (!line.bmpDirGiven && !line.dirs.gaugesDir.empty() &&
        (line.gaugesDirGiven || line.dirs.bmpDir.empty()))
        line.dirs.bmpDir = workBase + "bmp/";
    return line;
}

void settleDirectoriesForPanel(GaugeCommandLine& line, const std::string& panelPath) {
    if (line.gaugesDirGiven)
        return;
    const std::string own = installationGaugesDir(fs98::panelDirFromChosenPath(panelPath));
    if (own.empty() || own == line.dirs.gaugesDir)
        return;
    line.dirs.gaugesDir = own;
    line.dirs.paletteDir = own + "palette/";
    if (!line.bmpDirGiven)
        line.dirs.bmpDir = own + "bmp/";
}

std::vector<std::string> fs2kGaugesDirs(const GaugeCommandLine& line, const std::string& panelDir) {
    if (line.gaugesDirGiven)
        return {line.dirs.gaugesDir};
    return gaugeFoldersFor(findInstallation(panelDir, line.dirs.gaugesDir, false), line.dirs);
}

BitmapWorkDir::BitmapWorkDir(const std::string& bmpDir) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!bmpDir.empty()) {
        fs::create_directories(bmpDir, error);
        if (fs::is_directory(bmpDir, error) && ::access(bmpDir.c_str(), W_OK | X_OK) == 0) {
            m_path = bmpDir;
            return;
        }
    }
    std::string pattern = (fs::temp_directory_path(error) / "cockpix-bmp-XXXXXX").string();
    if (::mkdtemp(pattern.data())) {
        m_path = asDirectory(pattern);
        m_temporary = true;
    } else {
        m_path = bmpDir; // the extraction then warns about each bitmap it cannot write
    }
}

BitmapWorkDir::~BitmapWorkDir() {
    std::error_code error;
    if (m_temporary)
        std::filesystem::remove_all(m_path, error);
}

std::optional<std::string> optionValue(const GaugeCommandLine& line, std::string_view name) {
    for (const auto& [key, value] : line.options)
        if (key == name)
            return value;
    return std::nullopt;
}

} // namespace cockpix::cli

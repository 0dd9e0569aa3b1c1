#include "gaugedirectories.h"

#include "app/core/settings.h"

#include <algorithm>
#include <filesystem>

namespace cockpix::cli {
namespace {

std::string executableDirectory() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : asDirectory(path.parent_path().string());
}

} // namespace

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
        if (arg == "--gauges-dir")
            line.dirs.gaugesDir = asDirectory(value);
        else if (arg == "--bmp-dir")
            line.dirs.bmpDir = asDirectory(value);
        else if (arg == "--program-dir")
            line.dirs.programDir = asDirectory(value);
        else
            line.options.emplace_back(arg, value);
    }
    line.installedDir = executableDirectory();
    if (line.dirs.programDir.empty())
        line.dirs.programDir = line.installedDir;
    if (line.dirs.bmpDir.empty() && !line.dirs.gaugesDir.empty())
        line.dirs.bmpDir = line.dirs.gaugesDir + "bmp/";
    return line;
}

std::optional<std::string> optionValue(const GaugeCommandLine& line, std::string_view name) {
    for (const auto& [key, value] : line.options)
        if (key == name)
            return value;
    return std::nullopt;
}

} // namespace cockpix::cli

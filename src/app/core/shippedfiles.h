#pragma once

// The files COCKPIX ships beside the program (the default pictures, the reference colours,
// the help): they are taken from the COCKPIX directory of the settings, and from beside the
// running program when that directory is unset or does not hold them.

#include <string>
#include <string_view>

namespace cockpix {

// The path of shipped file name: programDir + name when that file exists, otherwise
// installedDir + name when that one does; when neither exists, the path that was tried first
// (programDir's, or installedDir's while programDir is unset), so that a message names it.
std::string shippedFilePath(const std::string& programDir, const std::string& installedDir,
                            std::string_view name);

} // namespace cockpix

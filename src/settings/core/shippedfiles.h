#pragma once

// The files COCKPIX ships beside the program (the default pictures, the reference colours,
// the help): they are taken from the COCKPIX directory of the settings, and from where the
// running program's own copy lies when that directory is unset or does not hold them. A
// build keeps them beside the program (build/bin); an installed program keeps them in its
// prefix's data directory (<prefix>/bin/cockpix reads <prefix>/share/cockpix/).

#include <string>
#include <string_view>

namespace cockpix {

// The data directory of a program installed in installedDir (which ends with "/"):
// installedDir + "../share/cockpix/", written without the "..". Empty for an empty dir.
std::string installedDataDir(const std::string& installedDir);

// The path of shipped file name: programDir + name when that file exists, otherwise
// installedDir + name, otherwise installedDataDir(installedDir) + name, the first that
// exists; when none does, the path that was tried first (programDir's, or installedDir's
// while programDir is unset), so that a message names it.
std::string shippedFilePath(const std::string& programDir, const std::string& installedDir,
                            std::string_view name);

} // namespace cockpix

#pragma once

// The work directories under the gauges directory (bmp/ and palette/) fill up with extracted
// gauge bitmaps and palette analysis files; "Quit" can empty them.

#include "settings/core/settings.h"

#include <string>

namespace cockpix {

// Deletes the plain files of dir (never a subdirectory, nor anything below one) and returns
// how many went. An empty dir deletes nothing: an unset work directory must never stand for
// the process's current directory. Files that cannot be deleted are skipped; a missing
// directory is not an error.
int deleteFilesIn(const std::string& dir);

// What the main window's status bar says while an option erases work files at "Quit", for
// example "Quit will erase the files of the bitmap work directory (/fs98/gauges/bmp/)."; empty
// while both work directories are kept.
std::string eraseAtQuitNotice(const Options& options, const Directories& dirs);

} // namespace cockpix

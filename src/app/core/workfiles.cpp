#include "app/core/workfiles.h"

#include <filesystem>
#include <system_error>

namespace cockpix {

namespace fs = std::filesystem;

int deleteFilesIn(const std::string& dir) {
    if (dir.empty())
        return 0;
    std::error_code error;
    fs::directory_iterator it(fs::path(dir), error);
    if (error)
        return 0;
    int deleted = 0;
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error)
            break;
        // is_directory follows links, so a link to a directory is left alone as well.
        std::error_code kindError;
        if (it->is_directory(kindError) || kindError)
            continue;
        std::error_code removeError;
        if (fs::remove(it->path(), removeError))
            ++deleted;
    }
    return deleted;
}

namespace {

std::string workDirectory(const char* what, const std::string& dir) {
    // Quit erases nothing while the directory is unset; say so rather than name no folder.
    return std::string("the ") + what + " work directory (" +
           (dir.empty() ? std::string("not set yet: nothing is erased") : dir) + ")";
}

} // namespace

std::string eraseAtQuitNotice(const Options& options, const Directories& dirs) {
    std::string which;
    if (options.eraseBitmapsOnQuit)
        which = workDirectory("bitmap", dirs.bmpDir);
    if (options.erasePaletteFilesOnQuit)
        which += (which.empty() ? "" : " and ") + workDirectory("palette", dirs.paletteDir);
    return which.empty() ? std::string() : "Quit will erase the files of " + which + ".";
}

} // namespace cockpix

#include "panelwalk.h"

#include "base/core/asciicase.h"

#include <algorithm>
#include <cerrno>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace cockpix::cli {
namespace {

struct FoundPanel {
    std::string path;
    std::vector<FolderEntry> folder;
};

// What the walk needs to know of an entry: whether it is a folder (a link to one counts,
// as the look-ups follow links) and whether it is one to walk into (links are not).
struct EntryType {
    bool directory = false;
    bool walked = false;
    bool regular = false;
};

// The listing gives the type of most entries; a link, or an entry of a file system that
// does not tell, costs a look at it.
EntryType typeOf(DIR* handle, const dirent& entry) {
    EntryType type;
    unsigned char kind = entry.d_type;
    struct stat status {};
    if (kind == DT_UNKNOWN &&
        ::fstatat(::dirfd(handle), entry.d_name, &status, AT_SYMLINK_NOFOLLOW) == 0)
        kind = S_ISLNK(status.st_mode)   ? DT_LNK
               : S_ISDIR(status.st_mode) ? DT_DIR
               : S_ISREG(status.st_mode) ? DT_REG
                                         : DT_UNKNOWN;
    if (kind == DT_DIR)
        return {true, true, false};
    if (kind == DT_REG)
        return {false, false, true};
    if (kind == DT_LNK && ::fstatat(::dirfd(handle), entry.d_name, &status, 0) == 0)
        return {S_ISDIR(status.st_mode), false, S_ISREG(status.st_mode)};
    return type;
}

bool holds(const std::vector<FolderEntry>& entries, std::string_view file) {
    return std::any_of(entries.begin(), entries.end(), [&](const FolderEntry& entry) {
        return !entry.directory && equalsIgnoringCase(entry.name, file);
    });
}

// Which folders below a listed one hold no panel, so the walk need not list them: an MSFS
// package (manifest.json) keeps its panels under SimObjects, 2024's attachments and presets,
// beside html_ui, scenery and model libraries of thousands of files; an aircraft folder
// (aircraft.cfg) has its panels beside its models, textures and sounds.
using Skipped = bool (*)(std::string_view);
Skipped skippedFolders(const std::vector<FolderEntry>& entries) {
    if (holds(entries, "manifest.json"))
        return [](std::string_view name) {
            return !equalsIgnoringCase(name, "simobjects") &&
                   !equalsIgnoringCase(name, "attachments") && !equalsIgnoringCase(name, "presets");
        };
    if (holds(entries, "aircraft.cfg"))
        return [](std::string_view name) {
            return startsWithIgnoringCase(name, "model") ||
                   startsWithIgnoringCase(name, "texture") || startsWithIgnoringCase(name, "sound");
        };
    return [](std::string_view) { return false; };
}

// opendir and readdir rather than std::filesystem, whose listing of a folder takes three
// more system calls: a tree of aircraft is thousands of small folders.
void walk(const std::string& dir, std::vector<FoundPanel>& panels, PanelWalk& found) {
    DIR* handle = ::opendir(dir.c_str());
    if (handle == nullptr) {
        found.unreadable.push_back(dir);
        return;
    }
    const std::string prefix = dir.empty() || dir.back() == '/' ? dir : dir + "/";
    std::vector<FolderEntry> entries;
    std::vector<std::string> folders;
    std::vector<std::string> panelFiles;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(handle);
        if (entry == nullptr) {
            if (errno != 0) // what was listed before is still walked
                found.unreadable.push_back(dir);
            break;
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const EntryType type = typeOf(handle, *entry);
        entries.push_back({std::string(name), type.directory});
        if (type.walked)
            folders.push_back(prefix + entries.back().name);
        else if (type.regular && equalsIgnoringCase(name, "panel.cfg"))
            panelFiles.push_back(prefix + entries.back().name);
    }
    ::closedir(handle);
    // The checks take the listing with the panel: the folder is not listed again.
    for (std::string& panel : panelFiles)
        panels.push_back({std::move(panel), entries});
    const Skipped skipped = skippedFolders(entries);
    for (const std::string& folder : folders) {
        if (!skipped(std::string_view(folder).substr(prefix.size())))
            walk(folder, panels, found);
    }
}

} // namespace

PanelWalk findPanelFiles(const std::string& dir) {
    PanelWalk found;
    std::vector<FoundPanel> panels;
    walk(dir, panels, found);
    std::sort(panels.begin(), panels.end(),
              [](const FoundPanel& a, const FoundPanel& b) { return a.path < b.path; });
    for (FoundPanel& panel : panels) {
        found.panels.push_back(std::move(panel.path));
        found.folders.push_back(std::move(panel.folder));
    }
    return found;
}

} // namespace cockpix::cli

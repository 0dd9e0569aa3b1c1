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
    std::optional<std::vector<FolderEntry>> folder;
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

// What the walk does with a folder below a listed one.
enum class Visit {
    Walk,      // list it and every folder below it
    PanelOnly, // a panel folder: a simulator reads its panel.cfg and nothing below it
    Skip       // it holds no panel
};

// An MSFS package (manifest.json) keeps its panels under SimObjects, 2024's attachments and
// presets, beside html_ui, scenery and model libraries of thousands of files; an aircraft
// folder (aircraft.cfg) has its panels in panel and panel.NAME, beside its models, textures
// and sounds.
using VisitRule = Visit (*)(std::string_view);
VisitRule visitRule(const std::vector<FolderEntry>& entries) {
    if (holds(entries, "manifest.json"))
        return [](std::string_view name) {
            return equalsIgnoringCase(name, "simobjects") ||
                           equalsIgnoringCase(name, "attachments") ||
                           equalsIgnoringCase(name, "presets")
                       ? Visit::Walk
                       : Visit::Skip;
        };
    if (holds(entries, "aircraft.cfg"))
        return [](std::string_view name) {
            if (equalsIgnoringCase(name, "panel") || startsWithIgnoringCase(name, "panel."))
                return Visit::PanelOnly;
            return startsWithIgnoringCase(name, "model") ||
                           startsWithIgnoringCase(name, "texture") ||
                           startsWithIgnoringCase(name, "sound")
                       ? Visit::Skip
                       : Visit::Walk;
        };
    return [](std::string_view) { return Visit::Walk; };
}

bool isRegularFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// opendir and readdir rather than std::filesystem, whose listing of a folder takes three
// more system calls: a tree of aircraft is thousands of small folders.
void walk(const std::string& dir, Visit visit, std::vector<FoundPanel>& panels, PanelWalk& found) {
    // A panel folder's panel.cfg named as written needs one look, where a listing takes four
    // calls; the checks list the folder only if they look for a name written otherwise.
    if (visit == Visit::PanelOnly && isRegularFile(dir + "/panel.cfg")) {
        panels.push_back({dir + "/panel.cfg", std::nullopt});
        return;
    }
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
    if (visit == Visit::PanelOnly)
        return;
    const VisitRule rule = visitRule(entries);
    for (const std::string& folder : folders) {
        const Visit inner = rule(std::string_view(folder).substr(prefix.size()));
        if (inner != Visit::Skip)
            walk(folder, inner, panels, found);
    }
}

} // namespace

PanelWalk findPanelFiles(const std::string& dir) {
    PanelWalk found;
    std::vector<FoundPanel> panels;
    walk(dir, Visit::Walk, panels, found);
    std::sort(panels.begin(), panels.end(),
              [](const FoundPanel& a, const FoundPanel& b) { return a.path < b.path; });
    for (FoundPanel& panel : panels) {
        found.panels.push_back(std::move(panel.path));
        found.folders.push_back(std::move(panel.folder));
    }
    return found;
}

} // namespace cockpix::cli

#include "gaugefiles/core/fs2k/gaugelist.h"

#include "base/core/asciicase.h"
#include "base/core/filelookup.h"
#include "gaugefiles/core/gaugetables.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

namespace cockpix::fs2k {
namespace {

namespace fs = std::filesystem;

struct Item {
    std::string name;
    bool directory = false;
    std::string lower; // the sort key
};

bool endsWithIgnoringCase(std::string_view name, std::string_view ending) {
    return name.size() > ending.size() &&
           equalsIgnoringCase(name.substr(name.size() - ending.size()), ending);
}

std::string stemOf(std::string_view name) {
    return std::string(name.substr(0, name.rfind('.')));
}

// What a gauge line can hold as a module or gauge name: the line splits its fields at
// commas and the name at "!", and drops blanks around it.
bool writable(std::string_view part) {
    if (part.empty() || part.front() == ' ' || part.back() == ' ' || part.front() == '\t' ||
        part.back() == '\t')
        return false;
    return std::none_of(part.begin(), part.end(), [](char c) {
        return c == ',' || c == '!' || c == ';' || static_cast<unsigned char>(c) < 0x20;
    });
}

// The names in dir, sorted ignoring case, at most limit of them (cut is set when there are
// more). Empty when dir cannot be listed.
std::vector<Item> sortedItems(const std::string& dir, std::size_t limit, bool& cut) {
    std::vector<Item> items;
    std::error_code error;
    fs::directory_iterator it(dir, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        if (items.size() >= limit) {
            cut = true;
            break;
        }
        std::error_code typeError;
        std::string name = it->path().filename().string();
        std::string lower = asciiLowered(name);
        items.push_back({std::move(name), it->is_directory(typeError), std::move(lower)});
    }
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return a.lower != b.lower ? a.lower < b.lower : a.name < b.name;
    });
    return items;
}

std::string asFolder(std::string dir) {
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\')
        dir += '/';
    return dir;
}

class Lister {
public:
    Lister(const std::string& panelDir, std::span<const std::string> gaugesDirs, GaugeFiles& files,
           const GaugeListLimits& limits)
        : m_panelDir(asFolder(panelDir)), m_files(files), m_limits(limits) {
        for (const std::string& dir : gaugesDirs)
            m_gaugesDirs.push_back(asFolder(dir));
    }

    GaugeList run() {
        m_files.beginRound();
        if (!m_panelDir.empty())
            scanFolder(m_panelDir, GaugeFolder::PanelFolder);
        for (const std::string& dir : m_gaugesDirs)
            if (!dir.empty() && dir != m_panelDir)
                scanFolder(dir, GaugeFolder::GaugesFolder);
        sortEntries();
        return std::move(m_list);
    }

private:
    bool stopped() const { return m_stopped; }
    void stop() { m_stopped = m_list.cut = true; }
    // One more file or folder read; false (and the listing stops) past the budget.
    bool mayRead() {
        if (m_reads >= m_limits.modulesRead) {
            stop();
            return false;
        }
        ++m_reads;
        return true;
    }

    void scanFolder(const std::string& dir, GaugeFolder place) {
        const std::vector<Item> items = sortedItems(dir, m_limits.folderItems, m_list.cut);
        for (const Item& item : items) {
            if (stopped())
                return;
            if (item.directory)
                xmlFolder(dir, item.name, place);
            else if (endsWithIgnoringCase(item.name, ".gau"))
                module(dir, item.name, GaugeKind::Gau, place);
            else if (endsWithIgnoringCase(item.name, ".dll"))
                module(dir, item.name, GaugeKind::Dll, place);
            else if (endsWithIgnoringCase(item.name, ".cab"))
                cab(dir, item.name, place);
        }
    }

    void module(const std::string& dir, const std::string& file, GaugeKind kind,
                GaugeFolder place) {
        const std::string stem = stemOf(file);
        if (!writable(stem) || !mayRead())
            return;
        const std::string path = dir + file;
        std::error_code error;
        const std::uintmax_t size = fs::file_size(path, error);
        std::vector<std::string> gauges;
        if (!error && size <= m_limits.moduleBytes && readWholeFileInto(path, m_bytes))
            gauges = moduleGaugeNames(m_bytes);
        if (gauges.empty())
            add(stem, kind, place, path);
        for (const std::string& gauge : gauges) {
            if (writable(gauge))
                add(stem + "!" + gauge, kind, place, path);
        }
    }

    void xmlFolder(const std::string& dir, const std::string& folder, GaugeFolder place) {
        if (!writable(folder) || !mayRead())
            return;
        const std::string path = dir + folder;
        for (const Item& item : sortedItems(path, m_limits.folderItems, m_list.cut)) {
            if (stopped())
                return;
            if (!item.directory && endsWithIgnoringCase(item.name, ".xml") &&
                writable(stemOf(item.name)))
                add(folder + "!" + stemOf(item.name), GaugeKind::XmlFolder, place, path);
        }
    }

    void cab(const std::string& dir, const std::string& file, GaugeFolder place) {
        const std::string stem = stemOf(file);
        if (!writable(stem) || !mayRead())
            return;
        const std::string path = dir + file;
        const std::optional<std::vector<std::string>>& names = m_files.cabNames(path);
        if (!names) {
            m_list.unreadable.push_back(path);
            return;
        }
        for (const std::string& stored : *names) {
            if (stopped())
                return;
            const std::size_t slash = stored.find_last_of("\\/");
            const std::string_view name = slash == std::string::npos
                                              ? std::string_view(stored)
                                              : std::string_view(stored).substr(slash + 1);
            if (endsWithIgnoringCase(name, ".xml") && writable(stemOf(name)))
                add(stem + "!" + stemOf(name), GaugeKind::Cab, place, path);
        }
    }

    // Listed only when FS's look-up of the name ends at this very file, once per name.
    void add(std::string name, GaugeKind kind, GaugeFolder place, const std::string& path) {
        if (m_list.entries.size() >= m_limits.entries) {
            stop();
            return;
        }
        std::string lower = asciiLowered(name);
        if (m_seen.count(lower) > 0)
            return;
        const GaugeLookup found = findGauge(name, m_panelDir, m_gaugesDirs, m_files);
        if (found.kind != kind || found.path != path)
            return;
        m_seen.insert(std::move(lower));
        m_list.entries.push_back({std::move(name), kind, place});
    }

    void sortEntries() {
        std::vector<std::pair<std::string, GaugeEntry>> keyed;
        keyed.reserve(m_list.entries.size());
        for (GaugeEntry& entry : m_list.entries)
            keyed.emplace_back(asciiLowered(entry.name), std::move(entry));
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : a.second.name < b.second.name;
        });
        m_list.entries.clear();
        for (auto& [key, entry] : keyed)
            m_list.entries.push_back(std::move(entry));
    }

    const std::string m_panelDir;
    std::vector<std::string> m_gaugesDirs;
    GaugeFiles& m_files;
    const GaugeListLimits m_limits;
    GaugeList m_list;
    std::unordered_set<std::string> m_seen; // names listed, in lower case
    std::string m_bytes;                    // the module being read, its room reused
    std::size_t m_reads = 0;
    bool m_stopped = false;
};

} // namespace

GaugeList listGauges(const std::string& panelDir, const std::string& gaugesDir, GaugeFiles& files,
                     const GaugeListLimits& limits) {
    return Lister(panelDir, std::span<const std::string>(&gaugesDir, 1), files, limits).run();
}

GaugeList listGauges(const std::string& panelDir, std::span<const std::string> gaugesDirs,
                     GaugeFiles& files, const GaugeListLimits& limits) {
    return Lister(panelDir, gaugesDirs, files, limits).run();
}

std::string describeGaugeEntry(const GaugeEntry& entry) {
    std::string what;
    switch (entry.kind) {
    case GaugeKind::Gau:
        what = "a gauge module (.gau)";
        break;
    case GaugeKind::Dll:
        what = "a gauge module (.dll)";
        break;
    case GaugeKind::XmlFolder:
        what = "an XML gauge in a folder";
        break;
    case GaugeKind::Cab:
        what = "an XML gauge in a cabinet (.cab)";
        break;
    default:
        what = "a gauge";
        break;
    }
    return what + (entry.place == GaugeFolder::PanelFolder ? " of the panel folder"
                                                           : " of the gauges folder");
}

} // namespace cockpix::fs2k

#include "gaugefiles/core/folderindex.h"

#include "base/core/asciicase.h"
#include "base/core/filelookup.h"

#include <algorithm>

namespace cockpix {

namespace fs = std::filesystem;

namespace {

// A plain loop: names are short, and each gauge line asks for several.
std::size_t separatorFrom(std::string_view text, std::size_t start) {
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] == '/' || text[i] == '\\')
            return i;
    }
    return std::string_view::npos;
}

// A module file, as a gauge line names it without its extension.
bool namesModule(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string_view extension = name.substr(dot);
    return equalsIgnoringCase(extension, ".gau") || equalsIgnoringCase(extension, ".dll") ||
           equalsIgnoringCase(extension, ".cab");
}

} // namespace

void FolderIndex::remember(const std::string& dir, const Listing* listing) {
    m_newestRecent = 1 - m_newestRecent;
    m_recent[m_newestRecent].dir = dir;
    m_recent[m_newestRecent].listing = listing;
}

const FolderIndex::Listing* FolderIndex::listing(const std::string& dir) {
    for (const Recent& recent : m_recent) {
        if (recent.listing != nullptr && recent.listing->round == m_round && dir == recent.dir)
            return recent.listing;
    }
    const auto known = m_listings.find(dir);
    if (known != m_listings.end() && known->second.round == m_round) {
        remember(dir, &known->second);
        return &known->second;
    }
    std::error_code error;
    const fs::file_time_type modified = fs::last_write_time(dir.empty() ? "." : dir, error);
    if (error) {
        if (known != m_listings.end()) {
            for (Recent& recent : m_recent) {
                if (recent.listing == &known->second)
                    recent.listing = nullptr;
            }
            m_listings.erase(known);
        }
        return nullptr;
    }
    if (known != m_listings.end() && known->second.modified == modified) {
        known->second.round = m_round;
        remember(dir, &known->second);
        return &known->second;
    }
    Listing fresh;
    fresh.modified = modified;
    fresh.round = m_round;
    fs::directory_iterator it(dir.empty() ? "." : dir, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        add(fresh, Entry{it->path().filename().string(), it->is_directory(typeError)});
    }
    const Listing* listed = &(m_listings[dir] = std::move(fresh));
    remember(dir, listed);
    return listed;
}

void FolderIndex::add(Listing& listing, Entry entry) {
    listing.mayHoldModules = listing.mayHoldModules || entry.directory || namesModule(entry.name);
    listing.stems.insert(entry.name.substr(0, entry.name.rfind('.')));
    listing.stems.insert(entry.name);
    // Names that differ only in case (possible here, never on Windows) in name order, so
    // that the one taken is the same on every run.
    std::vector<Entry>& variants = listing.byName[entry.name];
    const auto before = std::upper_bound(
        variants.begin(), variants.end(), entry.name,
        [](const std::string& name, const Entry& other) { return name < other.name; });
    variants.insert(before, std::move(entry));
}

void FolderIndex::adopt(const std::string& dir, std::span<const FolderEntry> entries) {
    Listing fresh;
    // No time of its own: the next round's look at the folder's time lists it again.
    fresh.modified = fs::file_time_type::min();
    fresh.round = m_round;
    for (const FolderEntry& entry : entries)
        add(fresh, entry);
    Listing& kept = m_listings[dir];
    kept = std::move(fresh);
    remember(dir, &kept);
}

const FolderIndex::Entry* FolderIndex::entry(const std::string& dir, std::string_view name) {
    const Listing* files = listing(dir);
    if (files == nullptr)
        return nullptr;
    const auto match = files->byName.find(name);
    if (match == files->byName.end())
        return nullptr;
    for (const Entry& candidate : match->second) {
        if (candidate.name == name)
            return &candidate;
    }
    return &match->second.front();
}

bool FolderIndex::mayHold(const std::string& dir, std::string_view stem) {
    const Listing* files = listing(dir);
    if (files == nullptr || !files->mayHoldModules)
        return false;
    const std::size_t separator = separatorFrom(stem, 0);
    if (separator == std::string_view::npos)
        return files->stems.find(stem) != files->stems.end();
    // find passes over empty parts and walks "." and ".." as they are: only a plain first
    // folder is looked for here.
    std::size_t start = 0;
    std::size_t end = separator;
    while (end == start && end != std::string_view::npos) {
        start = end + 1;
        end = separatorFrom(stem, start);
    }
    const std::string_view first = stem.substr(start, end - start);
    if (end == std::string_view::npos || first == "." || first == "..")
        return true;
    const auto match = files->byName.find(first);
    return match != files->byName.end() &&
           std::any_of(match->second.begin(), match->second.end(),
                       [](const Entry& entry) { return entry.directory; });
}

bool FolderIndex::contains(const std::string& dir, std::string_view relative) {
    // A name as it is written is nearly always as it is on disk: in a folder not listed yet
    // this round, one look at that path spares listing every folder on the way (a check of
    // a Community folder asks once or twice in each package's own folders).
    if (!listedThisRound(dir) && existsAsWritten(dir, relative))
        return true;
    if (separatorFrom(relative, 0) == std::string_view::npos)
        return !relative.empty() && entry(dir, relative) != nullptr;
    return find(dir, relative).has_value();
}

bool FolderIndex::listedThisRound(const std::string& dir) const {
    const auto known = m_listings.find(dir);
    return known != m_listings.end() && known->second.round == m_round;
}

bool FolderIndex::existsAsWritten(const std::string& dir, std::string_view relative) {
    if (relative.empty())
        return false;
    std::string path = dir;
    for (std::size_t start = 0; start <= relative.size();) {
        std::size_t end = separatorFrom(relative, start);
        if (end == std::string_view::npos)
            end = relative.size();
        const std::string_view part = relative.substr(start, end - start);
        // "." and ".." and empty parts are walked as find walks them, not here.
        if (part.empty() || part == "." || part == "..")
            return false;
        path += part;
        if (end != relative.size())
            path += '/';
        start = end + 1;
    }
    if (m_seenRound != m_round) {
        m_seen.clear();
        m_seenRound = m_round;
    }
    if (m_seen.count(path) != 0)
        return true;
    std::error_code error;
    if (!fs::exists(path, error))
        return false;
    m_seen.insert(std::move(path));
    return true;
}

std::optional<std::string> FolderIndex::find(const std::string& dir, std::string_view relative) {
    if (separatorFrom(relative, 0) == std::string_view::npos) {
        const Entry* found = relative.empty() ? nullptr : entry(dir, relative);
        return found ? std::optional<std::string>(dir + found->name) : std::nullopt;
    }
    std::string path = dir;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = separatorFrom(relative, start);
        if (end == std::string_view::npos)
            end = relative.size();
        const std::string_view part = relative.substr(start, end - start);
        const bool last = end == relative.size();
        start = end + 1;
        if (part.empty() && !last)
            continue;
        if (part == "." || part == "..") {
            path += std::string(part) + "/";
            continue;
        }
        const Entry* found = part.empty() ? nullptr : entry(path, part);
        if (found == nullptr || (!last && !found->directory))
            return std::nullopt;
        path += found->name;
        if (!last)
            path += "/";
    }
    return path;
}

} // namespace cockpix

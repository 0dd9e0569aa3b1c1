#include "gauges/core/folderindex.h"

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

} // namespace

const FolderIndex::Listing* FolderIndex::listing(const std::string& dir) {
    if (m_last != nullptr && m_last->round == m_round && dir == m_lastDir)
        return m_last;
    m_last = nullptr;
    const auto known = m_listings.find(dir);
    if (known != m_listings.end() && known->second.round == m_round) {
        m_lastDir = dir;
        return m_last = &known->second;
    }
    std::error_code error;
    const fs::file_time_type modified = fs::last_write_time(dir.empty() ? "." : dir, error);
    if (error) {
        m_listings.erase(dir);
        return nullptr;
    }
    if (known != m_listings.end() && known->second.modified == modified) {
        known->second.round = m_round;
        m_lastDir = dir;
        return m_last = &known->second;
    }
    Listing fresh;
    fresh.modified = modified;
    fresh.round = m_round;
    fs::directory_iterator it(dir.empty() ? "." : dir, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        Entry entry{it->path().filename().string(), it->is_directory(typeError)};
        std::string lower = asciiLowered(entry.name);
        fresh.lowerStems.insert(lower.substr(0, lower.rfind('.')));
        fresh.lowerStems.insert(lower);
        // Names that differ only in case (possible here, never on Windows) in name order,
        // so that the one taken is the same on every run.
        std::vector<Entry>& variants = fresh.byLowerName[std::move(lower)];
        const auto before = std::upper_bound(
            variants.begin(), variants.end(), entry.name,
            [](const std::string& name, const Entry& other) { return name < other.name; });
        variants.insert(before, std::move(entry));
    }
    m_lastDir = dir;
    return m_last = &(m_listings[dir] = std::move(fresh));
}

const FolderIndex::Entry* FolderIndex::entry(const std::string& dir, std::string_view name) {
    const Listing* files = listing(dir);
    if (files == nullptr)
        return nullptr;
    const auto match = files->byLowerName.find(lowered(name));
    if (match == files->byLowerName.end())
        return nullptr;
    for (const Entry& candidate : match->second) {
        if (candidate.name == name)
            return &candidate;
    }
    return &match->second.front();
}

const std::string& FolderIndex::lowered(std::string_view name) {
    m_lowered.assign(name);
    for (char& c : m_lowered)
        c = asciiLower(c);
    return m_lowered;
}

bool FolderIndex::mayHold(const std::string& dir, std::string_view stem) {
    if (separatorFrom(stem, 0) != std::string_view::npos)
        return true;
    const Listing* files = listing(dir);
    return files != nullptr && files->lowerStems.count(lowered(stem)) > 0;
}

bool FolderIndex::contains(const std::string& dir, std::string_view relative) {
    if (separatorFrom(relative, 0) == std::string_view::npos)
        return !relative.empty() && entry(dir, relative) != nullptr;
    return find(dir, relative).has_value();
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

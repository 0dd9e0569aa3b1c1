#include "template/core/folderindex.h"

#include "base/core/filelookup.h"

namespace cockpix {

namespace fs = std::filesystem;

const FolderIndex::Listing* FolderIndex::listing(const std::string& dir) {
    std::error_code error;
    const fs::file_time_type modified = fs::last_write_time(dir.empty() ? "." : dir, error);
    if (error) {
        m_listings.erase(dir);
        return nullptr;
    }
    if (const auto known = m_listings.find(dir);
        known != m_listings.end() && known->second.modified == modified)
        return &known->second;
    Listing fresh;
    fresh.modified = modified;
    fs::directory_iterator it(dir.empty() ? "." : dir, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        Entry entry{it->path().filename().string(), it->is_directory(typeError)};
        fresh.byLowerName[asciiLowered(entry.name)].push_back(std::move(entry));
    }
    return &(m_listings[dir] = std::move(fresh));
}

const FolderIndex::Entry* FolderIndex::entry(const std::string& dir, std::string_view name) {
    const Listing* files = listing(dir);
    if (files == nullptr)
        return nullptr;
    const auto match = files->byLowerName.find(asciiLowered(name));
    if (match == files->byLowerName.end())
        return nullptr;
    for (const Entry& candidate : match->second) {
        if (candidate.name == name)
            return &candidate;
    }
    return &match->second.front();
}

std::optional<std::string> FolderIndex::find(const std::string& dir, std::string_view relative) {
    std::string path = dir;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find_first_of("/\\", start);
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

#pragma once

// Files named by a panel, found whatever the case of their names (as FS finds them on
// Windows), for many look-ups in the same few folders: checking a tree of aircraft asks the
// gauges folder thousands of times. Each folder is listed once, and again only when its
// modification time says it changed.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace cockpix {

class FolderIndex {
public:
    // The existing path dir + relative (parts separated by "/" or "\"), each part matched
    // ignoring ASCII case, an exact match first; nullopt when there is none. dir ends with
    // "/" and is taken as it is.
    std::optional<std::string> find(const std::string& dir, std::string_view relative);

private:
    struct Entry {
        std::string name;
        bool directory = false;
    };
    struct Listing {
        std::filesystem::file_time_type modified;
        std::unordered_map<std::string, std::vector<Entry>> byLowerName;
    };
    const Listing* listing(const std::string& dir);
    const Entry* entry(const std::string& dir, std::string_view name);

    std::unordered_map<std::string, Listing> m_listings;
};

} // namespace cockpix

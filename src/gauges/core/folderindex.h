#pragma once

// Files named by a panel, found whatever the case of their names (as FS finds them on
// Windows), for many look-ups in the same few folders: checking a tree of aircraft asks the
// gauges folder thousands of times. Each folder is listed once, and again only when its
// modification time says it changed; that time is looked at once in each round of look-ups
// (one round for one check of a panel).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace cockpix {

class FolderIndex {
public:
    // The existing path dir + relative (parts separated by "/" or "\"), each part matched
    // ignoring ASCII case, an exact match first; nullopt when there is none. dir ends with
    // "/" and is taken as it is.
    std::optional<std::string> find(const std::string& dir, std::string_view relative);

    // False when no file or folder of dir has that name before its extension (case
    // ignored), so that nothing named stem.* or stem/... can be there: a gauge line's module
    // is looked for under four names, mostly in a panel folder that holds none of them.
    bool mayHold(const std::string& dir, std::string_view stem);

    // Whether find would give a path, without making it.
    bool contains(const std::string& dir, std::string_view relative);

    // Starts a round: a folder listed before is looked at again at its next look-up.
    void beginRound() { ++m_round; }
    unsigned round() const { return m_round; }

private:
    struct Entry {
        std::string name;
        bool directory = false;
    };
    struct Listing {
        std::filesystem::file_time_type modified;
        unsigned round = 0; // the round its time was last looked at in
        std::unordered_map<std::string, std::vector<Entry>> byLowerName;
        std::unordered_set<std::string> lowerStems; // each name less its extension, and as is
    };
    const Listing* listing(const std::string& dir);
    const Entry* entry(const std::string& dir, std::string_view name);
    const std::string& lowered(std::string_view name);

    std::unordered_map<std::string, Listing> m_listings;
    // The folder asked for last: a panel's gauges are looked for in the same two folders in
    // turn, so most look-ups skip the table.
    std::string m_lastDir;
    const Listing* m_last = nullptr;
    std::string m_lowered; // the name being looked for, in lower case
    unsigned m_round = 1;
};

} // namespace cockpix

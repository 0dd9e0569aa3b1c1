#pragma once

// Files named by a panel, found whatever the case of their names (as FS finds them on
// Windows), for many look-ups in the same few folders: checking a tree of aircraft asks the
// gauges folder thousands of times. Each folder is listed once, and again only when its
// modification time says it changed; that time is looked at once in each round of look-ups
// (one round for one check of a panel).

#include "base/core/asciicase.h"

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace cockpix {

// A file or folder of a listing.
struct FolderEntry {
    std::string name;
    bool directory = false;
};

class FolderIndex {
public:
    // The existing path dir + relative (parts separated by "/" or "\"), each part matched
    // ignoring ASCII case, an exact match first; nullopt when there is none. dir ends with
    // "/" and is taken as it is.
    std::optional<std::string> find(const std::string& dir, std::string_view relative);

    // False when no file or folder of dir has that name before its extension (case
    // ignored), so that nothing named stem.* or stem/... can be there: a gauge line's module
    // is looked for under four names, mostly in a panel folder that holds none of them. A
    // stem below a folder ("Fleet\Module") needs that folder in dir. Also false when dir
    // holds no folder and no .gau, .dll or .cab file at all.
    bool mayHold(const std::string& dir, std::string_view stem);

    // False when dir holds no folder and no .gau, .dll or .cab file.
    bool mayHoldModules(const std::string& dir) {
        const Listing* files = listing(dir);
        return files != nullptr && files->mayHoldModules;
    }

    // Whether find would give a path, without making it.
    bool contains(const std::string& dir, std::string_view relative);

    // Takes the entries of dir as listed elsewhere (by a walk of the tree that found a panel
    // there) for this round, as if dir had been listed now; the next round lists it again.
    void adopt(const std::string& dir, std::span<const FolderEntry> entries);

    // Starts a round: a folder listed before is looked at again at its next look-up.
    void beginRound() { ++m_round; }
    unsigned round() const { return m_round; }

private:
    using Entry = FolderEntry;
    struct Listing {
        std::filesystem::file_time_type modified;
        unsigned round = 0; // the round its time was last looked at in
        // The entries by name, case ignored (names that differ only in case share one).
        std::unordered_map<std::string, std::vector<Entry>, CaseBlindHash, CaseBlindEqual> byName;
        // Each name less its extension, and as is, case ignored.
        std::unordered_set<std::string, CaseBlindHash, CaseBlindEqual> stems;
        // Whether it holds a folder, or a file a gauge line can name (.gau, .dll, .cab): an
        // aircraft's panel folder mostly holds only its panel.cfg and bitmaps.
        bool mayHoldModules = false;
    };
    const Listing* listing(const std::string& dir);
    bool listedThisRound(const std::string& dir) const;
    // Whether dir + relative exists with every name as written ("/" or "\" between them);
    // each path found so is known for the rest of the round (m_seen).
    bool existsAsWritten(const std::string& dir, std::string_view relative);
    static void add(Listing& listing, Entry entry);
    const Entry* entry(const std::string& dir, std::string_view name);

    std::unordered_map<std::string, Listing> m_listings;
    std::unordered_set<std::string> m_seen;
    unsigned m_seenRound = 0;
    // The two folders asked for last: a panel's gauges are looked for in the same two
    // folders (its own and the gauges folder) in turn, so most look-ups skip the table.
    struct Recent {
        std::string dir;
        const Listing* listing = nullptr;
    };
    void remember(const std::string& dir, const Listing* listing);
    std::array<Recent, 2> m_recent;
    std::size_t m_newestRecent = 0;
    unsigned m_round = 1;
};

} // namespace cockpix

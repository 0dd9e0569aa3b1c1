#pragma once

// The few small files the checks of one panel each read: an MSFS aircraft's aircraft.cfg
// tells the variant check its base container and the texture check its model folders. Each
// is read once while it is kept; a checker empties the cache whenever it looks at the disk
// afresh, so a file changed since is read again.

#include "base/core/filelookup.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <utility>

namespace cockpix {

class SmallFileCache {
public:
    // Files longer than this are not read (no aircraft.cfg or model.cfg comes near it).
    static constexpr std::uint64_t kLimit = std::uint64_t{16} << 20;

    // The file at path (as written), read now or kept from before.
    std::shared_ptr<const FileRead> read(const std::string& path);
    void clear() { m_files.clear(); }

private:
    // A handful is enough: the checks of a panel ask for the same file one after the other.
    static constexpr std::size_t kKept = 8;
    std::deque<std::pair<std::string, std::shared_ptr<const FileRead>>> m_files; // newest last
};

} // namespace cockpix

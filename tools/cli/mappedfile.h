#pragma once

// A file's bytes seen in place, mapped from the system's file cache instead of copied into
// a buffer of the program: for a panel.cfg of 100 MB that is read once from start to end,
// the copy and the fresh memory it needs cost several times the reading itself. (A file cut
// short by another program while it is mapped would end this one: only for files that are
// read at once and let go.)

#include <cstddef>
#include <string>
#include <string_view>

namespace cockpix::cli {

class MappedFile {
public:
    // Maps the regular file at path; ok() is false when it cannot be opened or mapped.
    explicit MappedFile(const std::string& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool ok() const { return m_ok; }
    // Valid while this object lives; empty for an empty file.
    std::string_view bytes() const { return {m_data, m_size}; }

private:
    const char* m_data = nullptr;
    std::size_t m_size = 0;
    bool m_ok = false;
};

} // namespace cockpix::cli

#include "base/core/smallfilecache.h"

#include <algorithm>

namespace cockpix {

std::shared_ptr<const FileRead> SmallFileCache::read(const std::string& path) {
    const auto kept = std::find_if(m_files.begin(), m_files.end(),
                                   [&](const auto& file) { return file.first == path; });
    if (kept != m_files.end())
        return kept->second;
    if (m_files.size() == kKept)
        m_files.pop_front();
    m_files.emplace_back(path, std::make_shared<const FileRead>(readRegularFile(path, kLimit)));
    return m_files.back().second;
}

} // namespace cockpix

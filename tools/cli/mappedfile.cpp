#include "mappedfile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cockpix::cli {

MappedFile::MappedFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        m_size = static_cast<std::size_t>(status.st_size);
        if (m_size == 0) {
            m_ok = true;
        } else if (void* data = ::mmap(nullptr, m_size, PROT_READ, MAP_PRIVATE, fd, 0);
                   data != MAP_FAILED) {
            // Read from start to end soon: the system may read ahead as far as it likes.
            ::madvise(data, m_size, MADV_WILLNEED);
            m_data = static_cast<const char*>(data);
            m_ok = true;
        } else {
            m_size = 0;
        }
    }
    ::close(fd);
}

MappedFile::~MappedFile() {
    if (m_data != nullptr)
        ::munmap(const_cast<char*>(m_data), m_size);
}

} // namespace cockpix::cli

#include "gaugefiles/core/cabfile.h"

#include "base/core/asciicase.h"

#include <mspack.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <new>

namespace cockpix {
namespace {

// libmspack reads and writes through a table of file functions: these serve one cabinet
// held in memory and unpack into one string at a time, so the cabinet is read from bytes
// as every other reader here does, and no temporary file is written.
struct MemorySystem {
    mspack_system functions; // first, so that libmspack's pointer is also ours
    std::string_view bytes;
    std::string* output = nullptr; // where the file being unpacked goes
    std::size_t room = 0;          // how many bytes it may take: its checked length
};

struct MemoryFile {
    std::string_view bytes;
    std::size_t position = 0;
    std::string* output = nullptr;
    std::size_t room = 0;
};

MemoryFile* asFile(mspack_file* file) {
    return reinterpret_cast<MemoryFile*>(file);
}

mspack_file* openFile(mspack_system* self, const char*, int mode) {
    MemorySystem* system = reinterpret_cast<MemorySystem*>(self);
    if (mode == MSPACK_SYS_OPEN_READ)
        return reinterpret_cast<mspack_file*>(new (std::nothrow) MemoryFile{system->bytes});
    if (mode != MSPACK_SYS_OPEN_WRITE || system->output == nullptr)
        return nullptr;
    return reinterpret_cast<mspack_file*>(new (std::nothrow)
                                              MemoryFile{{}, 0, system->output, system->room});
}

void closeFile(mspack_file* file) {
    delete asFile(file);
}

int readFile(mspack_file* file, void* buffer, int bytes) {
    MemoryFile* memory = asFile(file);
    if (bytes < 0 || memory->output != nullptr)
        return -1;
    const std::size_t count =
        std::min(static_cast<std::size_t>(bytes), memory->bytes.size() - memory->position);
    std::memcpy(buffer, memory->bytes.data() + memory->position, count);
    memory->position += count;
    return static_cast<int>(count);
}

// A write past the file's declared length fails the unpacking: the output never grows
// beyond what was checked before it began.
int writeFile(mspack_file* file, void* buffer, int bytes) {
    MemoryFile* memory = asFile(file);
    if (bytes < 0 || memory->output == nullptr || static_cast<std::size_t>(bytes) > memory->room)
        return -1;
    try {
        memory->output->append(static_cast<const char*>(buffer), static_cast<std::size_t>(bytes));
    } catch (const std::exception&) {
        return -1;
    }
    memory->room -= static_cast<std::size_t>(bytes);
    return bytes;
}

int seekFile(mspack_file* file, off_t offset, int mode) {
    MemoryFile* memory = asFile(file);
    const off_t base = mode == MSPACK_SYS_SEEK_START ? 0
                       : mode == MSPACK_SYS_SEEK_CUR ? static_cast<off_t>(memory->position)
                       : mode == MSPACK_SYS_SEEK_END ? static_cast<off_t>(memory->bytes.size())
                                                     : -1;
    if (base < 0 || offset < -base || base + offset > static_cast<off_t>(memory->bytes.size()))
        return -1;
    memory->position = static_cast<std::size_t>(base + offset);
    return 0;
}

off_t tellFile(mspack_file* file) {
    return static_cast<off_t>(asFile(file)->position);
}

void message(mspack_file*, const char*, ...) {}

void* allocate(mspack_system*, std::size_t bytes) {
    return std::malloc(bytes);
}

void release(void* pointer) {
    std::free(pointer);
}

void copy(void* source, void* destination, std::size_t bytes) {
    std::memmove(destination, source, bytes);
}

struct DecompressorDeleter {
    void operator()(mscab_decompressor* cabd) const { mspack_destroy_cab_decompressor(cabd); }
};

// One cabinet opened from memory; closed with it.
class OpenCabinet {
public:
    explicit OpenCabinet(std::string_view bytes)
        : m_system{{openFile, closeFile, readFile, writeFile, seekFile, tellFile, message, allocate,
                    release, copy, nullptr},
                   bytes},
          m_cabd(mspack_create_cab_decompressor(&m_system.functions)) {
        char name[] = "module.cab";
        if (m_cabd)
            m_cabinet = m_cabd->open(m_cabd.get(), name);
    }
    ~OpenCabinet() {
        if (m_cabinet)
            m_cabd->close(m_cabd.get(), m_cabinet);
    }
    OpenCabinet(const OpenCabinet&) = delete;
    OpenCabinet& operator=(const OpenCabinet&) = delete;

    const mscabd_cabinet* cabinet() const { return m_cabinet; }

    // The file unpacked, its length checked first; nullopt when it cannot be.
    std::optional<std::string> unpack(mscabd_file* file) {
        std::string bytes;
        try {
            bytes.reserve(file->length);
        } catch (const std::exception&) {
            return std::nullopt;
        }
        m_system.output = &bytes;
        m_system.room = file->length;
        char name[] = "unpacked";
        const int error = m_cabd->extract(m_cabd.get(), file, name);
        m_system.output = nullptr;
        if (error != MSPACK_ERR_OK || bytes.size() != file->length)
            return std::nullopt;
        return bytes;
    }

private:
    MemorySystem m_system;
    std::unique_ptr<mscab_decompressor, DecompressorDeleter> m_cabd;
    mscabd_cabinet* m_cabinet = nullptr;
};

// The files in the order their data is stored: libmspack then unpacks each folder's
// stream once, going on from one file to the next instead of starting the folder again.
std::vector<mscabd_file*> storageOrder(const mscabd_cabinet& cabinet) {
    std::map<const mscabd_folder*, int> folderIndex;
    int index = 0;
    for (const mscabd_folder* folder = cabinet.folders; folder != nullptr; folder = folder->next)
        folderIndex.emplace(folder, index++);
    std::vector<mscabd_file*> files;
    for (mscabd_file* file = cabinet.files; file != nullptr; file = file->next)
        files.push_back(file);
    std::stable_sort(files.begin(), files.end(), [&](const mscabd_file* a, const mscabd_file* b) {
        const int folderA = folderIndex[a->folder];
        const int folderB = folderIndex[b->folder];
        return folderA != folderB ? folderA < folderB : a->offset < b->offset;
    });
    return files;
}

bool sameStoredName(std::string_view stored, std::string_view wanted, bool ignoringCase) {
    if (stored.size() != wanted.size())
        return false;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const auto normal = [ignoringCase](char c) {
            return c == '/' ? '\\' : ignoringCase ? asciiLower(c) : c;
        };
        if (normal(stored[i]) != normal(wanted[i]))
            return false;
    }
    return true;
}

} // namespace

std::optional<std::vector<std::string>> cabFileNames(std::string_view bytes) {
    const OpenCabinet cab(bytes);
    if (!cab.cabinet())
        return std::nullopt;
    std::vector<std::string> names;
    for (const mscabd_file* file = cab.cabinet()->files; file != nullptr; file = file->next)
        names.emplace_back(file->filename ? file->filename : "");
    return names;
}

std::optional<std::vector<CabEntry>> readCabFiles(std::string_view bytes, std::size_t limit) {
    OpenCabinet cab(bytes);
    if (!cab.cabinet())
        return std::nullopt;
    const std::vector<mscabd_file*> files = storageOrder(*cab.cabinet());
    std::uint64_t declared = 0;
    for (const mscabd_file* file : files)
        declared += file->length;
    if (declared > limit)
        return std::nullopt;
    std::vector<CabEntry> entries;
    entries.reserve(files.size());
    for (mscabd_file* file : files) {
        std::optional<std::string> unpacked = cab.unpack(file);
        if (!unpacked)
            return std::nullopt;
        entries.push_back({file->filename ? file->filename : "", std::move(*unpacked)});
    }
    return entries;
}

std::optional<std::string> readCabFile(std::string_view cabBytes, std::string_view nameInCab,
                                       std::size_t limit) {
    OpenCabinet cab(cabBytes);
    if (!cab.cabinet())
        return std::nullopt;
    mscabd_file* match = nullptr;
    for (const bool ignoringCase : {false, true}) {
        for (mscabd_file* file = cab.cabinet()->files; file != nullptr && !match;
             file = file->next) {
            if (file->filename && sameStoredName(file->filename, nameInCab, ignoringCase))
                match = file;
        }
    }
    if (!match || match->length > limit)
        return std::nullopt;
    return cab.unpack(match);
}

std::optional<std::string> readCabinet(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kCabSizeLimit)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in || (size > 0 && !in.read(bytes.data(), static_cast<std::streamsize>(size))))
        return std::nullopt;
    return bytes;
}

std::optional<std::string> readCabFileAt(const std::string& path, std::string_view nameInCab) {
    const std::optional<std::string> bytes = readCabinet(path);
    return bytes ? readCabFile(*bytes, nameInCab) : std::nullopt;
}

} // namespace cockpix

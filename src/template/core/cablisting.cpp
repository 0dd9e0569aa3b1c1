#include "template/core/cablisting.h"

#include <mspack.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace cockpix {
namespace {

// libmspack reads through a table of file functions: these serve one cabinet held in
// memory, so the lookup works on bytes as every other reader here does.
struct MemorySystem {
    mspack_system functions; // first, so that libmspack's pointer is also ours
    std::string_view bytes;
};

struct MemoryFile {
    std::string_view bytes;
    std::size_t position = 0;
};

MemoryFile* asFile(mspack_file* file) {
    return reinterpret_cast<MemoryFile*>(file);
}

mspack_file* openFile(mspack_system* self, const char*, int mode) {
    if (mode != MSPACK_SYS_OPEN_READ)
        return nullptr;
    return reinterpret_cast<mspack_file*>(
        new MemoryFile{reinterpret_cast<MemorySystem*>(self)->bytes, 0});
}

void closeFile(mspack_file* file) {
    delete asFile(file);
}

int readFile(mspack_file* file, void* buffer, int bytes) {
    MemoryFile* memory = asFile(file);
    if (bytes < 0)
        return -1;
    const std::size_t count =
        std::min(static_cast<std::size_t>(bytes), memory->bytes.size() - memory->position);
    std::memcpy(buffer, memory->bytes.data() + memory->position, count);
    memory->position += count;
    return static_cast<int>(count);
}

int writeFile(mspack_file*, void*, int) {
    return -1;
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

} // namespace

std::optional<std::vector<std::string>> cabFileNames(std::string_view bytes) {
    MemorySystem system{{openFile, closeFile, readFile, writeFile, seekFile, tellFile, message,
                         allocate, release, copy, nullptr},
                        bytes};
    const std::unique_ptr<mscab_decompressor, DecompressorDeleter> cabd(
        mspack_create_cab_decompressor(&system.functions));
    if (!cabd)
        return std::nullopt;
    char name[] = "module.cab";
    mscabd_cabinet* cabinet = cabd->open(cabd.get(), name);
    if (!cabinet)
        return std::nullopt;
    std::vector<std::string> names;
    for (const mscabd_file* file = cabinet->files; file != nullptr; file = file->next)
        names.emplace_back(file->filename ? file->filename : "");
    cabd->close(cabd.get(), cabinet);
    return names;
}

} // namespace cockpix

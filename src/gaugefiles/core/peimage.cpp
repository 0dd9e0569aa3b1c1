#include "gaugefiles/core/peimage.h"

#include "base/core/asciicase.h"
#include "base/core/textencoding.h"

#include <algorithm>

namespace cockpix {
namespace {

constexpr std::string_view kNotLibrary = "the module is not a 32-bit Windows library";

std::optional<std::uint32_t> readU32(std::string_view bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 4)
        return std::nullopt;
    std::uint32_t value = 0;
    for (int k = 3; k >= 0; --k)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
    return value;
}

std::optional<std::uint16_t> readU16(std::string_view bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 2)
        return std::nullopt;
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t u32Or0(std::string_view bytes, std::size_t at) {
    return readU32(bytes, at).value_or(0);
}

std::uint16_t u16Or0(std::string_view bytes, std::size_t at) {
    return readU16(bytes, at).value_or(0);
}

// A resource name: a 16-bit count of UTF-16 units, then the units. Unpaired surrogates
// become U+FFFD.
std::string utf16Name(std::string_view units) {
    std::string out;
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        std::uint32_t code = u16Or0(units, i);
        if (code >= 0xD800 && code < 0xDC00 && i + 3 < units.size()) {
            const std::uint32_t low = u16Or0(units, i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            } else {
                code = 0xFFFD;
            }
        } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;
        }
        appendUtf8(out, static_cast<char32_t>(code));
    }
    return out;
}

} // namespace

// Fills a PeImage from the bytes; one function per directory, each bounded.
struct PeReader {
    std::string_view bytes;
    PeImage image;
    // Rows of resource directories read so far: directories that share their entries could
    // otherwise make the three levels cost millions of steps.
    std::size_t resourceRows = 0;

    explicit PeReader(std::string_view module) : bytes(module) { image.bytes_ = module; }

    std::optional<std::string> readHeaders();
    void readSections(std::size_t at, std::size_t count);
    void readExports(std::uint32_t rva, std::uint32_t size);
    void readResources(std::uint32_t rva);
    bool readResourceDirectory(std::uint32_t base, std::uint32_t offset, int depth,
                               PeResource entry);
    void fault(std::string text) {
        if (image.directoryFault_.empty())
            image.directoryFault_ = std::move(text);
    }
};

std::optional<std::string> PeReader::readHeaders() {
    const auto fail = [](std::string_view why) {
        return std::string(kNotLibrary) + " (" + std::string(why) + ")";
    };
    if (bytes.size() < 64 || bytes.substr(0, 2) != "MZ")
        return fail("no MZ header");
    const std::size_t pe = u32Or0(bytes, 0x3C);
    if (pe < 4 || pe > bytes.size() || bytes.size() - pe < 24 ||
        bytes.substr(pe, 4) != std::string_view("PE\0\0", 4))
        return fail("no PE header");
    const std::size_t sectionCount = u16Or0(bytes, pe + 6);
    const std::size_t optionalSize = u16Or0(bytes, pe + 20);
    const std::size_t optional = pe + 24;
    const auto magic = readU16(bytes, optional);
    if (magic == 0x20B)
        return fail("a 64-bit library");
    // The fields read below end with the resource directory's entry at offset 112 + 8.
    if (magic != 0x10B || optionalSize < 120 || bytes.size() - optional < optionalSize)
        return fail("no 32-bit optional header");
    if (sectionCount == 0 || sectionCount > kMaxPeSections)
        return fail("an impossible number of sections");
    const std::size_t table = optional + optionalSize;
    if ((bytes.size() - table) / 40 < sectionCount)
        return fail("its section table is cut off");
    image.imageBase_ = u32Or0(bytes, optional + 28);
    image.sizeOfHeaders_ = u32Or0(bytes, optional + 60);
    const std::uint32_t directories = u32Or0(bytes, optional + 92);
    readSections(table, sectionCount);
    if (directories > 0)
        readExports(u32Or0(bytes, optional + 96), u32Or0(bytes, optional + 100));
    if (directories > 2)
        readResources(u32Or0(bytes, optional + 112));
    return std::nullopt;
}

void PeReader::readSections(std::size_t at, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i, at += 40) {
        PeSection section;
        const std::string_view name = bytes.substr(at, 8);
        section.name = std::string(name.substr(0, std::min(name.find('\0'), name.size())));
        section.virtualSize = u32Or0(bytes, at + 8);
        section.virtualAddress = u32Or0(bytes, at + 12);
        section.rawSize = u32Or0(bytes, at + 16);
        section.rawOffset = u32Or0(bytes, at + 20);
        image.sections_.push_back(std::move(section));
    }
}

void PeReader::readExports(std::uint32_t rva, std::uint32_t size) {
    if (rva == 0)
        return;
    const auto directory = image.bytesAt(rva, 40);
    if (!directory)
        return fault("the export directory lies outside the file");
    const std::uint32_t functionCount = u32Or0(*directory, 20);
    const std::uint32_t nameCount = u32Or0(*directory, 24);
    if (nameCount > kMaxPeExports || functionCount > kMaxPeExports)
        return fault("the export directory lists too many names");
    const std::uint32_t functions = u32Or0(*directory, 28);
    const std::uint32_t names = u32Or0(*directory, 32);
    const std::uint32_t ordinals = u32Or0(*directory, 36);
    for (std::uint32_t i = 0; i < nameCount; ++i) {
        const auto nameRva = image.u32At(std::uint64_t{names} + 4 * i);
        const auto ordinal = image.bytesAt(std::uint64_t{ordinals} + 2 * i, 2);
        const auto name = nameRva ? image.cStringAt(*nameRva) : std::nullopt;
        if (!name || !ordinal)
            return fault("an exported name lies outside the file");
        const std::uint16_t index = u16Or0(*ordinal, 0);
        const auto target = index < functionCount
                                ? image.u32At(std::uint64_t{functions} + 4 * index)
                                : std::nullopt;
        if (!target)
            return fault("an exported address lies outside the file");
        // A forwarder names another library's export: it holds no data of this module.
        if (*target >= rva && *target - rva < size)
            continue;
        image.exports_.push_back({std::string(*name), *target});
    }
}

void PeReader::readResources(std::uint32_t rva) {
    if (rva != 0)
        readResourceDirectory(rva, 0, 0, {});
}

// The resource tree is three directories deep: types, then names or numbers, then
// languages, whose entries lead to the data. Entries of a directory point below it by
// offsets from the tree's start; a deeper level, or more entries than the limit, ends the
// reading as damaged (that also ends any loop of directories).
bool PeReader::readResourceDirectory(std::uint32_t base, std::uint32_t offset, int depth,
                                     PeResource entry) {
    const auto header = image.bytesAt(std::uint64_t{base} + offset, 16);
    if (!header) {
        fault("a resource directory lies outside the file");
        return false;
    }
    const std::size_t count = std::size_t{u16Or0(*header, 12)} + u16Or0(*header, 14);
    for (std::size_t i = 0; i < count; ++i) {
        if (++resourceRows > 4 * kMaxPeResources) {
            fault("the resource directories hold too many entries");
            return false;
        }
        const auto row = image.bytesAt(std::uint64_t{base} + offset + 16 + 8 * i, 8);
        if (!row) {
            fault("a resource directory lies outside the file");
            return false;
        }
        const std::uint32_t key = u32Or0(*row, 0);
        const std::uint32_t target = u32Or0(*row, 4);
        PeResource next = entry;
        if (depth == 0) {
            next.type = key;
        } else if (depth == 1) {
            if (key & 0x80000000u) {
                const std::uint64_t at = std::uint64_t{base} + (key & 0x7FFFFFFFu);
                const auto length = image.bytesAt(at, 2);
                const auto units =
                    length ? image.bytesAt(at + 2, 2u * u16Or0(*length, 0)) : std::nullopt;
                if (!units || units->size() > 2 * kMaxPeNameLength) {
                    fault("a resource name lies outside the file");
                    continue;
                }
                next.name = utf16Name(*units);
            } else if (key <= 0xFFFF) {
                next.id = static_cast<std::uint16_t>(key);
            }
        } else {
            next.language = key & 0xFFFF;
        }
        const bool isDirectory = (target & 0x80000000u) != 0;
        if (isDirectory != (depth < 2)) {
            fault("the resource tree is not three levels deep");
            return false;
        }
        if (isDirectory) {
            if (!readResourceDirectory(base, target & 0x7FFFFFFFu, depth + 1, next))
                return false;
            continue;
        }
        const auto data = image.bytesAt(std::uint64_t{base} + (target & 0x7FFFFFFFu), 16);
        if (!data) {
            fault("a resource's data entry lies outside the file");
            continue;
        }
        if (image.resources_.size() >= kMaxPeResources) {
            fault("the module holds too many resources");
            return false;
        }
        next.dataRva = u32Or0(*data, 0);
        next.size = u32Or0(*data, 4);
        image.resources_.push_back(std::move(next));
    }
    return true;
}

std::string_view PeImage::runAt(std::uint64_t rva) const {
    const auto clipped = [&](std::uint64_t at, std::uint64_t end) {
        end = std::min<std::uint64_t>(end, bytes_.size());
        return at < end
                   ? bytes_.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(end - at))
                   : std::string_view();
    };
    if (rva > 0xFFFFFFFFu)
        return {};
    if (rva < sizeOfHeaders_)
        return clipped(rva, sizeOfHeaders_);
    for (const PeSection& section : sections_) {
        if (rva < section.virtualAddress || rva - section.virtualAddress >= section.rawSize)
            continue;
        const std::uint64_t start = section.rawOffset;
        return clipped(start + (rva - section.virtualAddress), start + section.rawSize);
    }
    return {};
}

std::optional<std::size_t> PeImage::fileOffset(std::uint64_t rva, std::size_t length) const {
    const std::string_view run = runAt(rva);
    if (run.empty() || run.size() < length)
        return std::nullopt;
    return static_cast<std::size_t>(run.data() - bytes_.data());
}

std::optional<std::string_view> PeImage::bytesAt(std::uint64_t rva, std::size_t length) const {
    const std::string_view run = runAt(rva);
    if (run.empty() || run.size() < length)
        return std::nullopt;
    return run.substr(0, length);
}

std::optional<std::uint32_t> PeImage::u32At(std::uint64_t rva) const {
    if (const auto view = bytesAt(rva, 4))
        return readU32(*view, 0);
    return std::nullopt;
}

std::optional<std::string_view> PeImage::cStringAt(std::uint64_t rva, std::size_t maxLength) const {
    // The string must end inside the stretch of readable bytes it starts in.
    const std::string_view run = runAt(rva).substr(0, maxLength + 1);
    const std::size_t end = run.find('\0');
    if (end == std::string_view::npos)
        return std::nullopt;
    return run.substr(0, end);
}

std::optional<std::uint32_t> PeImage::rvaFromAddress(std::uint32_t address) const {
    if (address < imageBase_)
        return std::nullopt;
    return address - imageBase_;
}

std::optional<std::uint32_t> PeImage::exportRva(std::string_view name) const {
    for (const PeExport& entry : exports_) {
        if (entry.name == name)
            return entry.rva;
    }
    return std::nullopt;
}

std::optional<std::string_view> PeImage::bitmapDib(std::uint16_t id) const {
    for (const PeResource& resource : resources_) {
        if (resource.type == kResourceTypeBitmap && resource.id == id)
            return bytesAt(resource.dataRva, resource.size);
    }
    return std::nullopt;
}

std::optional<std::string_view> PeImage::bitmapDib(std::string_view name) const {
    for (const PeResource& resource : resources_) {
        if (resource.type == kResourceTypeBitmap && !resource.id &&
            equalsIgnoringCase(resource.name, name))
            return bytesAt(resource.dataRva, resource.size);
    }
    return std::nullopt;
}

std::size_t PeImage::bitmapCount() const {
    return static_cast<std::size_t>(
        std::count_if(resources_.begin(), resources_.end(), [](const PeResource& resource) {
            return resource.type == kResourceTypeBitmap;
        }));
}

PeReadResult readPeImage(std::string_view bytes) {
    PeReader reader(bytes);
    if (auto reason = reader.readHeaders())
        return {std::nullopt, std::move(*reason)};
    return {std::move(reader.image), {}};
}

namespace {

// The info header sizes of Windows (40, 52 and 56 with masks, 108, 124) and OS/2 (64).
bool infoHeaderSize(std::uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

} // namespace

std::optional<std::string> bmpFileFromDib(std::string_view dib) {
    const auto headerSize = readU32(dib, 0);
    if (!headerSize || dib.size() < *headerSize)
        return std::nullopt;
    std::uint64_t paletteBytes = 0;
    if (*headerSize == 12) {
        const std::uint16_t bits = u16Or0(dib, 10);
        if (bits == 0 || bits > 32)
            return std::nullopt;
        paletteBytes = bits <= 8 ? 3u << bits : 0;
    } else if (infoHeaderSize(*headerSize)) {
        const std::uint16_t bits = u16Or0(dib, 14);
        const std::uint32_t compression = u32Or0(dib, 16);
        const std::uint32_t colorsUsed = u32Or0(dib, 32);
        if (bits == 0 || bits > 32)
            return std::nullopt;
        paletteBytes = 4ull * (colorsUsed != 0 ? colorsUsed : bits <= 8 ? 1u << bits : 0);
        // Colour masks follow a plain info header; later headers hold them inside.
        if (*headerSize == 40 && compression == 3)
            paletteBytes += 12;
        if (*headerSize == 40 && compression == 6)
            paletteBytes += 16;
    } else {
        return std::nullopt;
    }
    const std::uint64_t pixelOffset = 14 + std::uint64_t{*headerSize} + paletteBytes;
    const std::uint64_t fileLength = 14 + std::uint64_t{dib.size()};
    if (pixelOffset > fileLength || fileLength > 0xFFFFFFFFu)
        return std::nullopt;
    std::string file = "BM";
    const auto put32 = [&file](std::uint64_t value) {
        for (int k = 0; k < 4; ++k)
            file.push_back(static_cast<char>(value >> (8 * k) & 0xFF));
    };
    put32(fileLength);
    put32(0);
    put32(pixelOffset);
    file.append(dib);
    return file;
}

} // namespace cockpix

#include "gaugemodulewriter.h"

#include <algorithm>
#include <string_view>

namespace cockpix::demo {
namespace {

constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kPeHeaderAt = 0x80;
constexpr std::uint32_t kOptionalHeaderSize = 224;
constexpr std::uint32_t kSectionCount = 2;
constexpr std::uint32_t kHeadersSize = 0x200;
constexpr std::uint32_t kFirstSectionRva = 0x1000;
constexpr std::uint32_t kEnglishUs = 0x409;
constexpr std::uint32_t kBitmapType = 2;
constexpr std::uint32_t kGaugeHeaderVersion = 0x0900;

std::uint32_t alignUp(std::uint32_t value, std::uint32_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

// Bytes of one section, with little-endian numbers written or patched at offsets.
class Bytes {
public:
    std::uint32_t size() const { return static_cast<std::uint32_t>(data_.size()); }
    const std::string& data() const { return data_; }
    std::uint32_t put16(std::uint32_t value) { return put(value, 2); }
    std::uint32_t put32(std::uint32_t value) { return put(value, 4); }
    std::uint32_t putText(std::string_view text) {
        const std::uint32_t at = size();
        data_.append(text);
        data_.push_back('\0');
        return at;
    }
    std::uint32_t putRaw(std::string_view raw) {
        const std::uint32_t at = size();
        data_.append(raw);
        return at;
    }
    void set16(std::uint32_t at, std::uint32_t value) { set(at, value, 2); }
    void set32(std::uint32_t at, std::uint32_t value) { set(at, value, 4); }
    void align(std::uint32_t alignment) { data_.resize(alignUp(size(), alignment), '\0'); }
    void padTo(std::uint32_t length) { data_.resize(std::max(size(), length), '\0'); }

private:
    std::uint32_t put(std::uint32_t value, int width) {
        const std::uint32_t at = size();
        data_.append(static_cast<std::size_t>(width), '\0');
        set(at, value, width);
        return at;
    }
    void set(std::uint32_t at, std::uint32_t value, int width) {
        for (int k = 0; k < width; ++k)
            data_[at + static_cast<std::uint32_t>(k)] = static_cast<char>(value >> (8 * k) & 0xFF);
    }
    std::string data_;
};

// The read-only data: export directory, the Linkage table, gauge headers, names and element
// lists. Pointers are addresses at the image base, as the loaded module holds them.
class DataSection {
public:
    DataSection(std::uint32_t rva, std::uint32_t imageBase) : rva_(rva), imageBase_(imageBase) {}

    // Returns the size of the export directory and its tables, which come first.
    std::uint32_t write(const GaugeModuleContents& contents) {
        for (int k = 0; k < 10; ++k)
            out_.put32(0);
        if (!contents.exportLinkage)
            return 0;
        const std::uint32_t function = writeExports(contents.libraryName);
        const std::uint32_t exportSize = out_.size();
        out_.set32(function, rva_ + writeLinkage(contents.gauges));
        return exportSize;
    }
    const std::string& bytes() const { return out_.data(); }

private:
    std::uint32_t address(std::uint32_t offset) const { return imageBase_ + rva_ + offset; }

    std::uint32_t writeLinkage(const std::vector<ModuleGauge>& gauges) {
        out_.align(4);
        const std::uint32_t linkage = out_.size();
        out_.put32(0x0000C0C0); // module id
        out_.put32(0);          // start-up and end functions: this module has no code
        out_.put32(0);
        out_.put32(0);      // flags
        out_.put32(0x0900); // version
        std::vector<std::uint32_t> slots;
        for (std::size_t i = 0; i < gauges.size(); ++i)
            slots.push_back(out_.put32(0));
        out_.put32(0);
        for (std::size_t i = 0; i < gauges.size(); ++i)
            out_.set32(slots[i], address(writeGauge(gauges[i])));
        return linkage;
    }

    std::uint32_t writeGauge(const ModuleGauge& gauge) {
        const std::uint32_t header = out_.size();
        out_.put32(kGaugeHeaderVersion);
        const std::uint32_t nameSlot = out_.put32(0);
        const std::uint32_t elementsSlot = out_.put32(0);
        out_.set32(nameSlot, address(out_.putText(gauge.name)));
        out_.align(4);
        if (!gauge.elements.empty())
            out_.set32(elementsSlot, address(writeList(gauge.elements)));
        return header;
    }

    std::uint32_t writeList(const std::vector<ModuleElement>& elements) {
        const std::uint32_t list = out_.size();
        for (std::size_t i = 0; i <= elements.size(); ++i)
            out_.put32(0);
        for (std::size_t i = 0; i < elements.size(); ++i) {
            const std::uint32_t at = writeElement(elements[i]);
            out_.set32(list + 4 * static_cast<std::uint32_t>(i), address(at));
        }
        return list;
    }

    std::uint32_t writeElement(const ModuleElement& element) {
        const std::uint32_t at = out_.put32(static_cast<std::uint32_t>(element.kind));
        out_.put32(element.bitmapId);
        out_.put32(static_cast<std::uint32_t>(element.x));
        out_.put32(static_cast<std::uint32_t>(element.y));
        const std::uint32_t childrenSlot = out_.put32(0);
        if (!element.drawnOver.empty())
            out_.set32(childrenSlot, address(writeList(element.drawnOver)));
        return at;
    }

    // One export, "Linkage", the data the simulator looks up by name. Returns the slot of
    // its address.
    std::uint32_t writeExports(std::string_view libraryName) {
        const std::uint32_t function = out_.put32(0);
        const std::uint32_t names = out_.put32(0);
        const std::uint32_t ordinals = out_.put16(0);
        out_.set32(names, rva_ + out_.putText("Linkage"));
        const std::uint32_t library = out_.putText(libraryName);
        out_.align(4);
        out_.set32(12, rva_ + library);
        out_.set32(16, 1); // ordinal base
        out_.set32(20, 1); // functions
        out_.set32(24, 1); // names
        out_.set32(28, rva_ + function);
        out_.set32(32, rva_ + names);
        out_.set32(36, rva_ + ordinals);
        return function;
    }

    std::uint32_t rva_;
    std::uint32_t imageBase_;
    Bytes out_;
};

// The resource tree: the bitmap type, its bitmaps by name or number, one language each;
// then the data entries, the names and the bitmaps' bytes. Offsets inside the tree count
// from its start; a data entry gives its bytes' RVA.
class ResourceTree {
public:
    ResourceTree(const std::vector<ModuleBitmap>& bitmaps, std::uint32_t rva) : rva_(rva) {
        for (const ModuleBitmap& bitmap : bitmaps)
            order_.push_back(&bitmap);
        // Named entries come first, sorted, then numbered ones in ascending order.
        std::stable_sort(order_.begin(), order_.end(), [](auto* a, auto* b) {
            if (a->name.empty() != b->name.empty())
                return !a->name.empty();
            return a->name.empty() ? a->id < b->id : a->name < b->name;
        });
    }

    std::string bytes() {
        writeDirectories();
        writeDataEntries();
        writeNames();
        for (std::size_t i = 0; i < order_.size(); ++i) {
            out_.align(8);
            out_.set32(dataRvaSlots_[i], rva_ + out_.putRaw(order_[i]->dib));
        }
        return out_.data();
    }

private:
    void directoryHeader(std::size_t namedEntries, std::size_t idEntries) {
        for (int k = 0; k < 3; ++k)
            out_.put32(0); // characteristics, time stamp, version
        out_.put16(static_cast<std::uint32_t>(namedEntries));
        out_.put16(static_cast<std::uint32_t>(idEntries));
    }

    void writeDirectories() {
        directoryHeader(0, 1);
        out_.put32(kBitmapType);
        const std::uint32_t typeSlot = out_.put32(0);
        out_.set32(typeSlot, 0x80000000u | out_.size());
        const auto named = static_cast<std::size_t>(std::count_if(
            order_.begin(), order_.end(), [](auto* bitmap) { return !bitmap->name.empty(); }));
        directoryHeader(named, order_.size() - named);
        for (const ModuleBitmap* bitmap : order_) {
            entrySlots_.push_back(out_.put32(bitmap->id));
            out_.put32(0);
        }
        for (std::size_t i = 0; i < order_.size(); ++i) {
            out_.set32(entrySlots_[i] + 4, 0x80000000u | out_.size());
            directoryHeader(0, 1);
            out_.put32(kEnglishUs);
            languageSlots_.push_back(out_.put32(0));
        }
    }

    void writeDataEntries() {
        for (std::size_t i = 0; i < order_.size(); ++i) {
            out_.set32(languageSlots_[i], out_.size());
            dataRvaSlots_.push_back(out_.put32(0));
            out_.put32(static_cast<std::uint32_t>(order_[i]->dib.size()));
            out_.put32(0); // code page
            out_.put32(0);
        }
    }

    // A name: its count of UTF-16 units, then the units.
    void writeNames() {
        for (std::size_t i = 0; i < order_.size(); ++i) {
            if (order_[i]->name.empty())
                continue;
            out_.align(2);
            out_.set32(entrySlots_[i], 0x80000000u | out_.size());
            out_.put16(static_cast<std::uint32_t>(order_[i]->name.size()));
            for (const char c : order_[i]->name)
                out_.put16(static_cast<unsigned char>(c));
        }
    }

    std::uint32_t rva_;
    std::vector<const ModuleBitmap*> order_;
    std::vector<std::uint32_t> entrySlots_, languageSlots_, dataRvaSlots_;
    Bytes out_;
};

struct SectionPlan {
    const char* name;
    std::string bytes;
    std::uint32_t rva = 0;
    std::uint32_t fileOffset = 0;
    std::uint32_t rawSize = 0;
};

void writeSectionHeader(Bytes& out, const SectionPlan& section) {
    std::string name(section.name);
    name.resize(8, '\0');
    out.putRaw(name);
    out.put32(static_cast<std::uint32_t>(section.bytes.size()));
    out.put32(section.rva);
    out.put32(section.rawSize);
    out.put32(section.fileOffset);
    out.put32(0); // relocations, line numbers and their counts
    out.put32(0);
    out.put32(0);
    out.put32(0x40000040); // initialised data, readable
}

void writeHeaders(Bytes& out, const SectionPlan& data, const SectionPlan& resources,
                  const GaugeModuleContents& contents, std::uint32_t imageSize,
                  std::uint32_t exportSize) {
    out.putRaw("MZ");
    out.padTo(0x3C);
    out.put32(kPeHeaderAt);
    out.putRaw("This module holds gauges; it runs inside a flight simulator.");
    out.padTo(kPeHeaderAt);
    out.putRaw(std::string_view("PE\0\0", 4));
    out.put16(0x14C); // i386
    out.put16(kSectionCount);
    out.put32(0); // time stamp: none, so the bytes stay the same
    out.put32(0);
    out.put32(0);
    out.put16(kOptionalHeaderSize);
    out.put16(0x210F); // a DLL of 32-bit code, without relocations, symbols or line numbers
    const std::uint32_t optional = out.size();
    out.put16(0x10B);
    out.put16(6); // linker version
    out.put32(0); // code
    out.put32(data.rawSize + resources.rawSize);
    out.put32(0);
    out.put32(0); // entry point: none
    out.put32(kFirstSectionRva);
    out.put32(kFirstSectionRva);
    out.put32(contents.imageBase);
    out.put32(kSectionAlignment);
    out.put32(kFileAlignment);
    out.put16(4); // Windows 95 and later
    out.put16(0);
    out.put32(0);
    out.put16(4);
    out.put16(0);
    out.put32(0);
    out.put32(imageSize);
    out.put32(kHeadersSize);
    out.put32(0); // checksum
    out.put16(2); // a Windows GUI subsystem library
    out.put16(0);
    out.put32(0x100000); // stack and heap, reserved and committed
    out.put32(0x1000);
    out.put32(0x100000);
    out.put32(0x1000);
    out.put32(0);
    out.put32(16); // data directories
    out.put32(contents.exportLinkage ? data.rva : 0);
    out.put32(contents.exportLinkage ? exportSize : 0);
    out.put32(0); // imports
    out.put32(0);
    out.put32(resources.bytes.empty() ? 0 : resources.rva);
    out.put32(static_cast<std::uint32_t>(resources.bytes.size()));
    out.padTo(optional + kOptionalHeaderSize);
    writeSectionHeader(out, data);
    writeSectionHeader(out, resources);
    out.padTo(kHeadersSize);
}

} // namespace

ModuleBitmap bitmapResource(std::uint16_t id, const IndexedImage& picture) {
    return {id, {}, bmpInfoAndPixels(picture, 256)};
}

std::string gaugeLibraryBytes(const GaugeModuleContents& contents) {
    SectionPlan data{".rdata", {}, kFirstSectionRva, kHeadersSize};
    DataSection tables(data.rva, contents.imageBase);
    const std::uint32_t exportSize = tables.write(contents);
    data.bytes = tables.bytes();
    data.rawSize = alignUp(static_cast<std::uint32_t>(data.bytes.size()), kFileAlignment);

    SectionPlan resources{".rsrc", {}, 0, data.fileOffset + data.rawSize};
    resources.rva = data.rva + alignUp(std::max<std::uint32_t>(data.rawSize, 1), kSectionAlignment);
    if (!contents.bitmaps.empty())
        resources.bytes = ResourceTree(contents.bitmaps, resources.rva).bytes();
    resources.rawSize = alignUp(static_cast<std::uint32_t>(resources.bytes.size()), kFileAlignment);
    const std::uint32_t imageSize =
        resources.rva + alignUp(std::max<std::uint32_t>(resources.rawSize, 1), kSectionAlignment);

    Bytes out;
    writeHeaders(out, data, resources, contents, imageSize, exportSize);
    out.putRaw(data.bytes);
    out.padTo(resources.fileOffset);
    out.putRaw(resources.bytes);
    out.padTo(resources.fileOffset + resources.rawSize);
    return out.data();
}

} // namespace cockpix::demo

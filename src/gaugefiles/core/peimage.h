#pragma once

// Reading a 32-bit Windows library (the .gau or .dll module of C gauges of FS2000 and later)
// as data: its headers, sections, exported names and bitmap resources. Nothing in it is run
// and no offset in it is trusted: every read is checked against the bytes, every count
// against a limit, so a damaged or hostile module gives a reason, never a read outside it or
// a huge allocation. A PeImage keeps views into the bytes it was read from: they must
// outlive it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

// Limits far above what gauge modules hold; past them the module is taken as damaged.
inline constexpr std::size_t kMaxPeSections = 96;
inline constexpr std::size_t kMaxPeExports = 4096;
inline constexpr std::size_t kMaxPeResources = 4096;
inline constexpr std::size_t kMaxPeNameLength = 256;

// The resource type of device-independent bitmaps.
inline constexpr std::uint32_t kResourceTypeBitmap = 2;

struct PeSection {
    std::string name;
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawOffset = 0;
};

struct PeExport {
    std::string name;
    std::uint32_t rva = 0;
};

// One resource's data; `id` is set for a numbered resource, `name` for a named one (its
// UTF-16 name in UTF-8).
struct PeResource {
    std::uint32_t type = 0;
    std::optional<std::uint16_t> id;
    std::string name;
    std::uint32_t language = 0;
    std::uint32_t dataRva = 0;
    std::uint32_t size = 0;
};

class PeImage {
public:
    // The image base the module was linked for: pointers inside its data are addresses
    // relative to it.
    std::uint32_t imageBase() const { return imageBase_; }
    const std::vector<PeSection>& sections() const { return sections_; }
    const std::vector<PeExport>& exports() const { return exports_; }
    const std::vector<PeResource>& resources() const { return resources_; }
    // What was wrong in the export or resource directory (what was read before stays).
    const std::string& directoryFault() const { return directoryFault_; }

    // The file offset of `length` bytes at `rva`, when they lie inside the file within the
    // headers or one section's raw data.
    std::optional<std::size_t> fileOffset(std::uint64_t rva, std::size_t length = 1) const;
    std::optional<std::string_view> bytesAt(std::uint64_t rva, std::size_t length) const;
    std::optional<std::uint32_t> u32At(std::uint64_t rva) const;
    // A NUL-terminated string of at most maxLength bytes at `rva`.
    std::optional<std::string_view> cStringAt(std::uint64_t rva,
                                              std::size_t maxLength = kMaxPeNameLength) const;
    // An address inside the module as its RVA; nullopt below the image base.
    std::optional<std::uint32_t> rvaFromAddress(std::uint32_t address) const;

    // The RVA of an exported name (compared exactly, as Windows does).
    std::optional<std::uint32_t> exportRva(std::string_view name) const;
    // The DIB (info header, palette, pixels) of the bitmap resource with this number or
    // name (names ignore ASCII case, as Windows does); the first language found.
    std::optional<std::string_view> bitmapDib(std::uint16_t id) const;
    std::optional<std::string_view> bitmapDib(std::string_view name) const;
    std::size_t bitmapCount() const;

private:
    friend struct PeReader;
    // The readable bytes from `rva` to the end of the headers or of the section's raw data
    // that hold it (clipped to the file); empty when none.
    std::string_view runAt(std::uint64_t rva) const;

    std::string_view bytes_;
    std::uint32_t imageBase_ = 0;
    std::uint32_t sizeOfHeaders_ = 0;
    std::vector<PeSection> sections_;
    std::vector<PeExport> exports_;
    std::vector<PeResource> resources_;
    std::string directoryFault_;
};

struct PeReadResult {
    std::optional<PeImage> image;
    std::string reason; // why there is no image
};

// The module's headers, sections, exports and resources. A module that is not a PE32
// library (no MZ or PE header, a 64-bit PE32+ one, headers or section table cut off) gives
// a reason that begins "the module is not a 32-bit Windows library". A damaged export or
// resource directory still gives an image, with what could be read and directoryFault().
PeReadResult readPeImage(std::string_view bytes);

// A whole .bmp file for a DIB taken from a resource: the 14-byte file header with the file's
// length and the offset of the pixels, which follow the info header, its colour masks and
// the palette (biClrUsed entries, or 2^bits for 8 bits or fewer when that is 0). nullopt
// when the DIB's header is not one a bitmap can have or its palette does not fit in it.
std::optional<std::string> bmpFileFromDib(std::string_view dib);

} // namespace cockpix

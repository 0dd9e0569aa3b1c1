#include "gaugefiles/core/gaugetables.h"

#include "base/core/asciicase.h"
#include "base/core/bmpheader.h"
#include "gaugefiles/core/peimage.h"

#include <cstdint>
#include <optional>
#include <unordered_set>

namespace cockpix {
namespace {

constexpr std::uint32_t kGaugeListOffset = 20;
constexpr std::uint32_t kStaticPicture = 0;
// List entries read while looking for a gauge's picture, revisits included.
constexpr std::size_t kElementReadBudget = 4 * kMaxGaugeElements;

struct GaugeEntry {
    std::string name;
    std::uint32_t elementList = 0; // address; 0 when the gauge has none
};

struct GaugeTable {
    std::vector<GaugeEntry> gauges;
    std::string fault; // the first thing in the table that could not be read
};

// The RVA of an address inside the module, and the u32 found there.
std::optional<std::uint32_t> u32AtAddress(const PeImage& image, std::uint64_t address) {
    if (address > 0xFFFFFFFFu)
        return std::nullopt;
    const auto rva = image.rvaFromAddress(static_cast<std::uint32_t>(address));
    return rva ? image.u32At(*rva) : std::nullopt;
}

std::optional<GaugeEntry> readGaugeHeader(const PeImage& image, std::uint32_t address) {
    const auto nameAddress = u32AtAddress(image, std::uint64_t{address} + 4);
    const auto elementList = u32AtAddress(image, std::uint64_t{address} + 8);
    const auto nameRva = nameAddress ? image.rvaFromAddress(*nameAddress) : std::nullopt;
    const auto name = nameRva ? image.cStringAt(*nameRva) : std::nullopt;
    if (!name || !elementList)
        return std::nullopt;
    return GaugeEntry{std::string(*name), *elementList};
}

GaugeTable readGaugeTable(const PeImage& image) {
    GaugeTable table;
    const auto linkage = image.exportRva("Linkage");
    if (!linkage) {
        table.fault = "the module exports no table of gauges";
        return table;
    }
    for (std::size_t i = 0; i < kMaxModuleGauges; ++i) {
        const auto address = image.u32At(std::uint64_t{*linkage} + kGaugeListOffset + 4 * i);
        if (!address) {
            table.fault = "the table of gauges runs out of the file";
            return table;
        }
        if (*address == 0)
            return table;
        if (auto entry = readGaugeHeader(image, *address))
            table.gauges.push_back(std::move(*entry));
        else if (table.fault.empty())
            table.fault =
                "gauge " + std::to_string(i + 1) + " of the table points outside the file";
    }
    if (table.fault.empty())
        table.fault = "the table lists more than " + std::to_string(kMaxModuleGauges) + " gauges";
    return table;
}

struct PictureSearch {
    std::optional<std::uint32_t> bitmapId;
    std::string fault;
};

// The first static picture in drawing order: a depth-first walk with its own stack, each
// element once, within a budget of list entries.
PictureSearch firstStaticPicture(const PeImage& image, std::uint32_t elementList) {
    struct Level {
        std::uint32_t list;
        std::uint32_t next = 0;
    };
    std::vector<Level> stack;
    if (elementList != 0)
        stack.push_back({elementList});
    std::unordered_set<std::uint32_t> seen;
    std::size_t reads = 0;
    while (!stack.empty()) {
        if (++reads > kElementReadBudget || seen.size() > kMaxGaugeElements)
            return {std::nullopt, "its elements are too many"};
        Level& level = stack.back();
        const auto element = u32AtAddress(image, std::uint64_t{level.list} + 4 * level.next++);
        if (!element)
            return {std::nullopt, "a list of its elements lies outside the file"};
        if (*element == 0) {
            stack.pop_back();
            continue;
        }
        if (!seen.insert(*element).second)
            continue; // a list leading back to an element already seen
        const auto kind = u32AtAddress(image, *element);
        const auto bitmap = u32AtAddress(image, std::uint64_t{*element} + 4);
        const auto children = u32AtAddress(image, std::uint64_t{*element} + 16);
        if (!kind || !bitmap || !children)
            return {std::nullopt, "one of its elements lies outside the file"};
        if (*kind == kStaticPicture)
            return {*bitmap, {}};
        if (*children != 0)
            stack.push_back({*children});
    }
    return {};
}

const GaugeEntry* findGauge(const GaugeTable& table, std::string_view name) {
    for (const GaugeEntry& entry : table.gauges) {
        if (equalsIgnoringCase(entry.name, name))
            return &entry;
    }
    return nullptr;
}

CGaugePicture onlyReason(std::string reason) {
    return {{}, std::move(reason), {}};
}

// The bitmap resource as a .bmp file whose pixels are all there.
std::optional<std::string> completeBitmap(std::optional<std::string_view> dib) {
    auto file = dib ? bmpFileFromDib(*dib) : std::nullopt;
    if (!file || !bmpPixelsComplete(*file))
        return std::nullopt;
    return file;
}

// Why a bitmap resource gives no picture: a header no picture loader takes (a side over
// 32767 pixels, an odd bit count), or a palette or pixels the resource does not hold.
std::string bitmapFault(std::string_view dib) {
    const auto file = bmpFileFromDib(dib);
    if (file && !readBmpSize(*file))
        return "is too large or of an unknown kind";
    return "is damaged";
}

CGaugePicture pictureOfGauge(const PeImage& image, const GaugeEntry& gauge,
                             std::string_view gaugeName) {
    const std::string quoted(gaugeName);
    const PictureSearch search = firstStaticPicture(image, gauge.elementList);
    if (!search.fault.empty())
        return onlyReason("the elements of gauge " + quoted + " cannot be followed (" +
                          search.fault + ")");
    if (!search.bitmapId)
        return onlyReason("gauge " + quoted + " has no static picture");
    const std::string bitmap = "bitmap " + std::to_string(*search.bitmapId) + " of gauge " + quoted;
    const auto dib = *search.bitmapId > 0 && *search.bitmapId <= 0xFFFF
                         ? image.bitmapDib(static_cast<std::uint16_t>(*search.bitmapId))
                         : std::nullopt;
    if (!dib)
        return onlyReason(bitmap + " is not in the module");
    auto file = completeBitmap(dib);
    if (!file)
        return onlyReason(bitmap + " " + bitmapFault(*dib));
    return {std::move(*file), {}, {}};
}

// Tables that cannot be followed at all say nothing about the gauge; a module with a single
// bitmap then most likely draws it as that gauge's face, and showing it (marked as a guess)
// helps more than an outline. Tables that can be read are never second-guessed.
std::optional<CGaugePicture> soleBitmapGuess(const PeImage& image, const GaugeTable& table) {
    if (!table.gauges.empty() || image.bitmapCount() != 1)
        return std::nullopt;
    for (const PeResource& resource : image.resources()) {
        if (resource.type != kResourceTypeBitmap)
            continue;
        auto file = completeBitmap(image.bytesAt(resource.dataRva, resource.size));
        if (!file)
            return std::nullopt;
        return CGaugePicture{std::move(*file),
                             {},
                             "the module's only bitmap: its table of gauges cannot be read (" +
                                 table.fault + ")"};
    }
    return std::nullopt;
}

} // namespace

std::vector<std::string> moduleGaugeNames(std::string_view module) {
    const PeReadResult read = readPeImage(module);
    if (!read.image)
        return {};
    std::vector<std::string> names;
    for (GaugeEntry& entry : readGaugeTable(*read.image).gauges)
        names.push_back(std::move(entry.name));
    return names;
}

CGaugePicture cGaugePicture(std::string_view module, std::string_view gaugeName) {
    const PeReadResult read = readPeImage(module);
    if (!read.image)
        return onlyReason(read.reason);
    const GaugeTable table = readGaugeTable(*read.image);
    if (const GaugeEntry* gauge = findGauge(table, gaugeName))
        return pictureOfGauge(*read.image, *gauge, gaugeName);
    if (auto guess = soleBitmapGuess(*read.image, table))
        return std::move(*guess);
    std::string reason = "no gauge named " + std::string(gaugeName) + " in module";
    if (!table.fault.empty())
        reason += " (" + table.fault + ")";
    return onlyReason(std::move(reason));
}

} // namespace cockpix

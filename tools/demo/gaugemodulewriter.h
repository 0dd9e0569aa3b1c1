#pragma once

// Writing C-gauge modules of FS2000 and later for the demo and the tests: a 32-bit Windows
// library (PE32 DLL) with no code, whose exported "Linkage" table lists several gauges, each
// with its name and its drawing elements, and whose bitmaps are bitmap resources. The
// tables have the layout gauges/core/gaugetables.h reads. The bytes depend only on the
// contents (no time stamps), so a build always writes the same files.

#include "gaugefiles/core/bmpwriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cockpix::demo {

// The kinds of drawing elements; only static pictures matter to COCKPIX.
enum class ElementKind : std::uint32_t {
    StaticPicture = 0,
    Needle = 1,
    String = 2,
    Slider = 3,
    Icon = 4,
    MovingPicture = 5,
};

struct ModuleElement {
    ElementKind kind = ElementKind::StaticPicture;
    std::uint32_t bitmapId = 0; // resource number of its picture; 0 for none
    int x = 0;
    int y = 0;
    std::vector<ModuleElement> drawnOver; // the elements drawn over this one
};

struct ModuleGauge {
    std::string name;
    std::vector<ModuleElement> elements;
};

struct ModuleBitmap {
    std::uint16_t id = 0; // the resource's number, used when name is empty
    std::string name;     // the resource's name (ASCII), for a named resource
    std::string dib;      // info header, palette and pixels, as in a .bmp after its file header
};

struct GaugeModuleContents {
    std::string libraryName = "gauges.gau"; // the name the export table gives itself
    std::vector<ModuleGauge> gauges;
    std::vector<ModuleBitmap> bitmaps;
    bool exportLinkage = true; // false: a library that declares no gauges
    std::uint32_t imageBase = 0x10000000;
};

// A numbered bitmap resource holding an 8-bit picture.
ModuleBitmap bitmapResource(std::uint16_t id, const IndexedImage& picture);

// The module's bytes: headers, a read-only data section with the export and gauge tables
// and a resource section with the bitmaps.
std::string gaugeLibraryBytes(const GaugeModuleContents& contents);

} // namespace cockpix::demo

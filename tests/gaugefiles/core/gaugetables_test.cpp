#include "gaugefiles/core/gaugetables.h"

#include "base/core/bmpheader.h"
#include "demo/gaugemodulewriter.h"
#include "gaugefiles/core/peimage.h"

#include "gaugefiles/core/modulebuilder.h"

#include <gtest/gtest.h>

#include <random>

namespace cockpix {
namespace {

using demo::ElementKind;
using demo::ModuleElement;

using test::le32;
using test::put32;

// A picture whose every pixel and palette entry tells where it came from.
IndexedImage patternPicture(int width, int height, int seed) {
    IndexedImage picture(width, height);
    for (int i = 0; i < 256; ++i)
        picture.palette[static_cast<std::size_t>(i)] =
            static_cast<std::uint32_t>(i * 0x010203 + seed * 0x100) & 0xFFFFFF;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.at(x, y) = static_cast<std::uint8_t>(x * 7 + y * 13 + seed);
    return picture;
}

// An 8-bit .bmp file's size and pixels compared with the picture it should hold.
void expectSamePicture(const std::string& file, const IndexedImage& picture) {
    ASSERT_EQ(readBmpSize(file), (BmpSize{picture.width, picture.height}));
    ASSERT_TRUE(bmpPixelsComplete(file));
    EXPECT_EQ(le32(file, 2), file.size());
    const std::size_t pixels = le32(file, 10);
    EXPECT_EQ(le32(file, 54 + 4 * 200), picture.palette[200]);
    const std::size_t stride = (static_cast<std::size_t>(picture.width) + 3) / 4 * 4;
    for (int y = 0; y < picture.height; ++y) {
        const std::size_t row = pixels + static_cast<std::size_t>(picture.height - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x)
            ASSERT_EQ(static_cast<unsigned char>(file[row + static_cast<std::size_t>(x)]),
                      picture.at(x, y))
                << "pixel " << x << "," << y;
    }
}

// Four gauges of a module: a face under a needle; a face drawn over a needle's hub, before
// a later picture; needles only; a face whose bitmap the module lacks.
struct SampleModule {
    IndexedImage airspeed = patternPicture(40, 30, 1);
    IndexedImage altimeter = patternPicture(33, 17, 2);
    IndexedImage unused = patternPicture(8, 8, 3);
    IndexedImage light = patternPicture(5, 3, 4);
    std::string bytes;

    SampleModule() {
        demo::GaugeModuleContents contents;
        const ModuleElement needle{ElementKind::Needle, 0, 10, 10, {}};
        contents.gauges = {
            {"Airspeed", {{ElementKind::StaticPicture, 101, 0, 0, {needle}}}},
            {"Altimeter",
             {{ElementKind::Needle, 0, 0, 0, {{ElementKind::StaticPicture, 102, 0, 0, {}}}},
              {ElementKind::StaticPicture, 103, 0, 0, {}}}},
            {"Clock", {needle, needle}},
            {"Compass", {{ElementKind::StaticPicture, 999, 0, 0, {}}}},
        };
        contents.bitmaps = {demo::bitmapResource(103, unused), demo::bitmapResource(101, airspeed),
                            demo::bitmapResource(102, altimeter)};
        contents.bitmaps.push_back({0, "PANEL_LIGHT", bmpInfoAndPixels(light, 256)});
        bytes = demo::gaugeLibraryBytes(contents);
    }
};

const SampleModule& sample() {
    static const SampleModule module;
    return module;
}

// Where things are in a module, found by following its tables, for tests that damage them.
struct ModuleMap {
    PeImage image;
    explicit ModuleMap(const std::string& bytes) : image(*readPeImage(bytes).image) {}
    std::size_t offsetOfAddress(std::uint32_t address) const {
        return *image.fileOffset(*image.rvaFromAddress(address), 4);
    }
    std::size_t linkage() const { return *image.fileOffset(*image.exportRva("Linkage"), 24); }
    std::size_t gaugeSlot(std::size_t gauge) const { return linkage() + 20 + 4 * gauge; }
    std::size_t gaugeHeader(const std::string& bytes, std::size_t gauge) const {
        return offsetOfAddress(le32(bytes, gaugeSlot(gauge)));
    }
    // The file offset of the first element of a gauge's list.
    std::size_t firstElement(const std::string& bytes, std::size_t gauge) const {
        const std::size_t list = offsetOfAddress(le32(bytes, gaugeHeader(bytes, gauge) + 8));
        return offsetOfAddress(le32(bytes, list));
    }
};

TEST(GaugeTables, NamesAndPicturesOfEveryGauge) {
    const SampleModule& module = sample();
    EXPECT_EQ(moduleGaugeNames(module.bytes),
              (std::vector<std::string>{"Airspeed", "Altimeter", "Clock", "Compass"}));

    const CGaugePicture airspeed = cGaugePicture(module.bytes, "Airspeed");
    EXPECT_EQ(airspeed.reason, "");
    EXPECT_EQ(airspeed.guessNote, "");
    expectSamePicture(airspeed.bitmapBytes, module.airspeed);
    // The first picture in drawing order is the one under the needle, not the later one.
    expectSamePicture(cGaugePicture(module.bytes, "Altimeter").bitmapBytes, module.altimeter);
    // Names are matched whatever their case, as FS matches them.
    EXPECT_EQ(cGaugePicture(module.bytes, "aIRSPEED").bitmapBytes, airspeed.bitmapBytes);

    EXPECT_EQ(cGaugePicture(module.bytes, "Clock").reason, "gauge Clock has no static picture");
    EXPECT_EQ(cGaugePicture(module.bytes, "Compass").reason,
              "bitmap 999 of gauge Compass is not in the module");
    const CGaugePicture unknown = cGaugePicture(module.bytes, "Fuel");
    EXPECT_EQ(unknown.reason, "no gauge named Fuel in module");
    EXPECT_TRUE(unknown.bitmapBytes.empty());
}

TEST(GaugeTables, ModulesThatAreNotThirtyTwoBitLibraries) {
    const std::string prefix = "the module is not a 32-bit Windows library";
    std::string wide = sample().bytes;
    const std::size_t optional = le32(wide, 0x3C) + 24;
    wide[optional + 1] = 0x02; // the optional header's magic 0x20B: a 64-bit library
    const CGaugePicture refused = cGaugePicture(wide, "Airspeed");
    EXPECT_EQ(refused.reason, prefix + " (a 64-bit library)");
    EXPECT_TRUE(moduleGaugeNames(wide).empty());

    std::string fs98 = "MZ" + std::string(5000, '\x11'); // an FS98 module has no PE header
    EXPECT_EQ(cGaugePicture(fs98, "Airspeed").reason, prefix + " (no PE header)");
    EXPECT_EQ(cGaugePicture("", "Airspeed").reason, prefix + " (no MZ header)");
}

// Cut anywhere, the module gives a reason or the very picture of the whole file.
TEST(GaugeTables, TruncatedModulesGiveReasons) {
    const std::string& whole = sample().bytes;
    const std::string full = cGaugePicture(whole, "Airspeed").bitmapBytes;
    for (std::size_t length = 0; length < whole.size(); length += 64) {
        const std::string cut = whole.substr(0, length);
        const CGaugePicture picture = cGaugePicture(cut, "Airspeed");
        if (picture.bitmapBytes.empty())
            EXPECT_FALSE(picture.reason.empty()) << length;
        else
            EXPECT_EQ(picture.bitmapBytes, full) << length;
        EXPECT_LE(moduleGaugeNames(cut).size(), 4u);
    }
}

TEST(GaugeTables, TablesPointingOutsideTheFile) {
    const std::string& whole = sample().bytes;
    const ModuleMap map(whole);

    std::string damaged = whole; // the first gauge's header far past the end
    put32(damaged, map.gaugeSlot(0), 0x7FFFFFF0);
    EXPECT_EQ(moduleGaugeNames(damaged),
              (std::vector<std::string>{"Altimeter", "Clock", "Compass"}));
    EXPECT_EQ(cGaugePicture(damaged, "Airspeed").reason,
              "no gauge named Airspeed in module (gauge 1 of the table points outside the file)");
    EXPECT_EQ(cGaugePicture(damaged, "Altimeter").reason, "");

    damaged = whole; // a name below the image base
    put32(damaged, map.gaugeHeader(whole, 1) + 4, 0x1000);
    EXPECT_EQ(moduleGaugeNames(damaged).size(), 3u);

    damaged = whole; // an element list in no section
    put32(damaged, map.gaugeHeader(whole, 0) + 8, map.image.imageBase() + 0x00F00000);
    EXPECT_EQ(cGaugePicture(damaged, "Airspeed").reason,
              "the elements of gauge Airspeed cannot be followed (a list of its elements lies "
              "outside the file)");

    damaged = whole; // the Linkage export itself past the end
    const std::size_t exportDirectory =
        *map.image.fileOffset(map.image.sections()[0].virtualAddress);
    const std::size_t functions = *map.image.fileOffset(le32(whole, exportDirectory + 28));
    put32(damaged, functions, 0x00FFFFF0);
    EXPECT_EQ(cGaugePicture(damaged, "Airspeed").reason,
              "no gauge named Airspeed in module (the table of gauges runs out of the file)");
}

TEST(GaugeTables, DamagedBitmapResources) {
    const std::string& whole = sample().bytes;
    const ModuleMap map(whole);
    const auto resourceOf = [&](std::uint16_t id) {
        for (const PeResource& resource : map.image.resources())
            if (resource.id == id)
                return resource;
        return PeResource{};
    };
    std::string damaged = whole; // a palette larger than the bitmap
    put32(damaged, *map.image.fileOffset(resourceOf(101).dataRva) + 32, 0x10000000);
    EXPECT_EQ(cGaugePicture(damaged, "Airspeed").reason, "bitmap 101 of gauge Airspeed is damaged");

    damaged = whole; // pixel rows the resource does not hold
    put32(damaged, *map.image.fileOffset(resourceOf(102).dataRva) + 8, 5000);
    EXPECT_EQ(cGaugePicture(damaged, "Altimeter").reason,
              "bitmap 102 of gauge Altimeter is damaged");

    // A whole 1 x 100000 picture is refused before anyone allocates for it.
    demo::GaugeModuleContents contents;
    contents.gauges = {{"Strip", {{ElementKind::StaticPicture, 1, 0, 0, {}}}}};
    contents.bitmaps = {demo::bitmapResource(1, IndexedImage(1, 100000))};
    EXPECT_EQ(cGaugePicture(demo::gaugeLibraryBytes(contents), "Strip").reason,
              "bitmap 1 of gauge Strip is too large or of an unknown kind");
}

// Lists that lead back to elements already seen end the walk instead of looping.
TEST(GaugeTables, LoopsInElementLists) {
    demo::GaugeModuleContents contents;
    const ModuleElement inner{ElementKind::Needle, 0, 0, 0, {}};
    contents.gauges = {{"Loop", {{ElementKind::Needle, 0, 0, 0, {inner}}}},
                       {"Face", {{ElementKind::StaticPicture, 7, 0, 0, {}}}}};
    contents.bitmaps = {demo::bitmapResource(7, patternPicture(4, 4, 9))};
    std::string module = demo::gaugeLibraryBytes(contents);
    const ModuleMap map(module);
    const std::size_t outer = map.firstElement(module, 0);
    const std::uint32_t topList = le32(module, map.gaugeHeader(module, 0) + 8);
    const std::size_t innerAt =
        map.offsetOfAddress(le32(module, map.offsetOfAddress(le32(module, outer + 16))));
    put32(module, innerAt + 16, topList); // the inner needle is drawn under the outer again
    EXPECT_EQ(cGaugePicture(module, "Loop").reason, "gauge Loop has no static picture");

    // The gauge table pointing at the same gauge again and again is read once per entry.
    put32(module, map.gaugeSlot(1), le32(module, map.gaugeSlot(0)));
    EXPECT_EQ(moduleGaugeNames(module), (std::vector<std::string>{"Loop", "Loop"}));
}

// Without a table the module's only bitmap stands for the gauge, marked as a guess; with
// two bitmaps nothing is guessed.
TEST(GaugeTables, OnlyBitmapOfAModuleWithoutTables) {
    demo::GaugeModuleContents contents;
    contents.exportLinkage = false;
    const IndexedImage face = patternPicture(12, 9, 5);
    contents.bitmaps = {demo::bitmapResource(1, face)};
    const CGaugePicture guess = cGaugePicture(demo::gaugeLibraryBytes(contents), "Any");
    expectSamePicture(guess.bitmapBytes, face);
    EXPECT_EQ(guess.reason, "");
    EXPECT_EQ(guess.guessNote, "the module's only bitmap: its table of gauges cannot be read "
                               "(the module exports no table of gauges)");

    contents.bitmaps.push_back(demo::bitmapResource(2, face));
    const CGaugePicture none = cGaugePicture(demo::gaugeLibraryBytes(contents), "Any");
    EXPECT_TRUE(none.bitmapBytes.empty());
    EXPECT_EQ(none.reason, "no gauge named Any in module (the module exports no table of gauges)");
}

// Random damage anywhere: a picture or a reason, never a crash (the sanitizer build checks
// every read), and a picture is always a whole bitmap.
TEST(GaugeTables, RandomDamageNeverCrashes) {
    std::mt19937 random(20261208);
    const std::string& whole = sample().bytes;
    for (int round = 0; round < 400; ++round) {
        std::string damaged = whole;
        const int flips = 1 + round % 8;
        for (int k = 0; k < flips; ++k)
            damaged[random() % damaged.size()] = static_cast<char>(random());
        for (const char* name : {"Airspeed", "Altimeter", "Clock"}) {
            const CGaugePicture picture = cGaugePicture(damaged, name);
            EXPECT_NE(picture.bitmapBytes.empty(), picture.reason.empty());
            if (!picture.bitmapBytes.empty()) {
                EXPECT_TRUE(bmpPixelsComplete(picture.bitmapBytes));
            }
        }
    }
}

} // namespace
} // namespace cockpix

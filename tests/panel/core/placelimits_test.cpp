// How far FS places a gauge or window, the number texts it reads as written, and how the
// FS98 writer puts a place and a size of 0 in panel.cfg.

#include "panel/core/placelimits.h"

#include "panel/core/fs98/writer.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

TEST(PlaceLimits, RangesFollowSixteenBitsAndAHundredWindows) {
    const PlaceRange position = placeRange(PlaceKind::Position);
    const PlaceRange size = placeRange(PlaceKind::Size);
    EXPECT_TRUE(position.holds(-32767) && position.holds(32767) && size.holds(0));
    EXPECT_FALSE(position.holds(32768) || position.holds(1e20) || size.holds(-1));
    // An fs2k window 200 units wide: a hundred of it; a big one stays within 16 bits.
    EXPECT_EQ(placeRange(PlaceKind::Position, 200).minimum, -20000);
    EXPECT_EQ(placeRange(PlaceKind::Size, 200).maximum, 20000);
    EXPECT_EQ(placeRange(PlaceKind::Size, 1000).maximum, 32767);
    EXPECT_EQ(placeRangeMessage("X", position), "X must be a number from -32767 to 32767.");
}

TEST(PlaceLimits, OnlyPlainDigitsAreReadAsWritten) {
    for (const char* text : {"12", " -3.25 ", "+.5", "7.", "99999999999999", "000000000000001"})
        EXPECT_TRUE(isPlainFsNumber(text)) << text;
    for (const char* text :
         {"1E+20", "1e3", "2d1", "1234567890123456", "", "-", ".", "1.2.3", "&H10", "12abc", "1 0"})
        EXPECT_FALSE(isPlainFsNumber(text)) << text;
    // What an FS98 line's field starts with: text after the number is no matter there.
    for (const char* text : {"1e3", " 2D1", "&H10", "99999999999999999999"})
        EXPECT_TRUE(readsOtherwiseInFs(text)) << text;
    for (const char* text : {" 12.5mm", " 96 // comment", " -3", "", "e5", " .5"})
        EXPECT_FALSE(readsOtherwiseInFs(text)) << text;
    const PlaceRange size = placeRange(PlaceKind::Size);
    EXPECT_EQ(placeTextProblem("The width", "99999999999999", size),
              "The width must be a number from 0 to 32767.");
    EXPECT_EQ(placeTextProblem("x", "1e3", size),
              "x must be written as FS reads it: digits (at most 15) with at most one point, "
              "and no exponent.");
    EXPECT_EQ(placeTextProblem("x", " 32767 ", size), std::nullopt);
}

// FS98 reads "1E-17" as 1 and a line without a size at the module's size.
TEST(PlaceLimits, TheFs98WriterNeverWritesAnExponentAndKeepsASizeOfZero) {
    EXPECT_EQ(placeNumberText(1e-17), "0");
    EXPECT_EQ(placeNumberText(-1.0 / 3), "-.3333333333");
    EXPECT_EQ(placeNumberText(12.5), "12.5");
    const fs98::Gauge tiny{.gaugeName = "clock", .gaugeX = 1e-17, .gaugeY = -4e-20};
    EXPECT_EQ(fs98::fs98GaugeLine(3, tiny), "gauge03=clock, 0, 0, 0");
    const fs98::Gauge measured{.gaugeName = "clock", .gaugeSize = 96, .gaugeRefSize = 96};
    EXPECT_EQ(fs98::fs98GaugeLine(0, measured), "gauge00=clock, 0, 0");
    const fs98::Gauge sizeless{.gaugeName = "clock", .gaugeSize = 0, .gaugeRefSize = -1};
    EXPECT_EQ(fs98::fs98GaugeLine(0, sizeless), "gauge00=clock, 0, 0");
}

} // namespace
} // namespace cockpix

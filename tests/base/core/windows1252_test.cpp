#include "base/core/windows1252.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

TEST(Windows1252, EveryByteRoundTrips) {
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t character = unicodeFromWindows1252(static_cast<unsigned char>(byte));
        const auto back = windows1252FromUnicode(character);
        ASSERT_TRUE(back.has_value()) << byte;
        EXPECT_EQ(*back, byte);
    }
}

TEST(Windows1252, MapsTheCodePageSpecialsAndRefusesTheRest) {
    EXPECT_EQ(unicodeFromWindows1252(0x80), U'\u20AC'); // euro sign
    EXPECT_EQ(unicodeFromWindows1252(0x9F), U'\u0178');
    EXPECT_EQ(unicodeFromWindows1252(0xE9), U'\u00E9');
    EXPECT_EQ(windows1252FromUnicode(U'\u2019'), 0x92);
    EXPECT_FALSE(windows1252FromUnicode(U'\u0080').has_value()); // 80 is the euro sign
    EXPECT_FALSE(windows1252FromUnicode(U'\u0100').has_value());
    EXPECT_FALSE(windows1252FromUnicode(U'\U0001F600').has_value());
}

} // namespace
} // namespace cockpix

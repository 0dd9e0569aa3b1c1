#include "base/core/textencoding.h"
#include "base/core/windows1252.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

TextEncoding detect(std::initializer_list<std::string_view> lines) {
    TextEncodingDetector detector;
    for (const std::string_view line : lines)
        detector.feed(line);
    return detector.result();
}

TEST(TextEncoding, AFileIsUtf8OnlyWhenEveryHighByteIsPartOfAUtf8Sequence) {
    EXPECT_EQ(detect({"[Window Titles]", "Window00=Main"}), TextEncoding::Windows1252);
    EXPECT_EQ(detect({"Window00=Haupt\xC3\xBC"
                      "bersicht",
                      "x=\xE2\x82\xAC"}),
              TextEncoding::Utf8);
    EXPECT_EQ(detect({"\xEF\xBB\xBF[Window Titles]", "Window00=Main"}), TextEncoding::Utf8);
    // One Windows-1252 byte anywhere decides, even after UTF-8 lines and a mark.
    EXPECT_EQ(detect({"\xEF\xBB\xBFWindow00=\xC3\xBC", "Window01=M\xE9t\xE9o"}),
              TextEncoding::Windows1252);
    // A mark further down is no mark; truncated and overlong sequences are not UTF-8.
    EXPECT_EQ(detect({"a", "\xEF\xBB\xBF"}), TextEncoding::Utf8); // valid UTF-8 all the same
    EXPECT_EQ(detect({"Window00=\xC3"}), TextEncoding::Windows1252);
    EXPECT_EQ(detect({"Window00=\xC0\xAF"}), TextEncoding::Windows1252);
    EXPECT_EQ(detect({"Window00=\xF0\x9F\x98"}), TextEncoding::Windows1252);
}

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

// Typed "été ✈ 漢" in an FS98 title, "3é漢٣x" in a number box.
TEST(TextEncoding, TypedCharactersAPanelCannotHoldAreNamedOnce) {
    const struct {
        std::u32string typed;
        TextEncoding encoding;
        std::u32string refused;
    } rows[] = {{U"été ✈ 漢 ✈", TextEncoding::Windows1252, U"✈漢"},
                {U"3é漢٣x", TextEncoding::Windows1252, U"漢٣"},
                {U"€‰ ÿ", TextEncoding::Windows1252, U""},
                {U"été ✈ 漢", TextEncoding::Utf8, U""},
                {U"a\nb\r\0", TextEncoding::Utf8, U"\n\r\0"},
                {std::u32string(1, char32_t(0xD800)), TextEncoding::Utf8, U"\xD800"}};
    for (const auto& row : rows)
        EXPECT_EQ(charactersNotHeld(row.typed, row.encoding), row.refused);
    EXPECT_EQ(notHeldMessage(U"✈漢\n", TextEncoding::Windows1252),
              "This panel's texts are Windows-1252, which has no ✈ (U+2708), 漢 (U+6F22), "
              "U+000A: nothing was changed.");
}

} // namespace
} // namespace cockpix

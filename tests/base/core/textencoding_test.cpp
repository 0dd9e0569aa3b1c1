#include "base/core/textencoding.h"

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

} // namespace
} // namespace cockpix

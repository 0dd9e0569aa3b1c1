#include "base/core/pictureformat.h"
#include "base/core/screensize.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

TEST(PictureFormat, TheExtensionNamesTheFormat) {
    const struct {
        std::string path;
        std::optional<PictureFormat> format;
    } rows[] = {
        {"window.png", PictureFormat::Png},
        {"out/WINDOW.PNG", PictureFormat::Png},
        {"w.bmp", PictureFormat::Bmp},
        {"w.Bmp", PictureFormat::Bmp},
        {"w.jpg", PictureFormat::Jpeg},
        {"w.JPEG", PictureFormat::Jpeg},
        {"w.gif", std::nullopt},
        {"w.png.txt", std::nullopt},
        {"window", std::nullopt},
        {"renders.png/window", std::nullopt}, // a folder's dot is no extension
        {".png", std::nullopt},               // a hidden file without extension
        {"out/.png", std::nullopt},
        {"w.", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(pictureFormatForPath(row.path), row.format);
    }
    EXPECT_STREQ(pictureFormatName(PictureFormat::Jpeg), "JPEG");
}

TEST(PictureFormat, OneFileNamePerScreen) {
    const struct {
        std::string path, expected;
    } rows[] = {
        {"out/w0.png", "out/w0-800x600.png"},
        {"w0.tar.png", "w0.tar-800x600.png"},
        {"renders.d/w0", "renders.d/w0-800x600"},
        {"w0", "w0-800x600"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(pathForScreen(row.path, {800, 600}), row.expected);
}

TEST(ScreenSize, ListsOfScreens) {
    const auto all = parseScreenSizeList("all");
    ASSERT_TRUE(all);
    EXPECT_EQ(all->size(), 5u);
    EXPECT_EQ(all->front(), (ScreenSize{640, 480}));
    EXPECT_EQ(all->back(), (ScreenSize{1600, 1200}));
    EXPECT_EQ(parseScreenSizeList("800x600,1024X768"),
              (std::vector<ScreenSize>{{800, 600}, {1024, 768}}));
    EXPECT_EQ(parseScreenSizeList("800x600"), (std::vector<ScreenSize>{{800, 600}}));
    for (const char* bad : {"", "ALL", "800x600,", ",800x600", "800x600,all", "800x600;640x480"})
        EXPECT_EQ(parseScreenSizeList(bad), std::nullopt) << bad;
    EXPECT_EQ(screenSizeText({1280, 1024}), "1280x1024");
}

} // namespace
} // namespace cockpix

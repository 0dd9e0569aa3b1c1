#include "palette/core/palettepreview.h"

#include "palette/core/palettebitmaps.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

using test::put32At;

const std::vector<Rgb> kPreviewReference = {{0, 0, 0}, {255, 255, 255}, {200, 0, 0}};

Rgb pixel(const PreviewPicture& picture, int x, int y) {
    const auto at = (static_cast<std::size_t>(y) * picture.width + x) * 3;
    return {picture.rgb[at], picture.rgb[at + 1], picture.rgb[at + 2]};
}

// Left half reddish (close to the reference red), right half blue (far from everything),
// top-left pixel white.
IndexedImage halves() {
    IndexedImage image(8, 4, 1);
    image.palette[1] = 0xD20A0A; // 210, 10, 10: 10 from the reference red
    image.palette[2] = 0x0000FF;
    image.palette[3] = 0xFFFFFF;
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            image.at(x, y) = 2;
    image.at(0, 0) = 3;
    return image;
}

TEST(PalettePreview, EachPixelTakesTheNearestColourFS98Has) {
    const std::vector<Rgb> proposed = {{0, 0, 255}};
    const PalettePreviewResult result =
        makePalettePreview(bmpFileBytes(halves(), 4), "/p/main.bmp", kPreviewReference, proposed, 5, 100);
    ASSERT_TRUE(result.preview) << result.problem.toUtf8();
    const PalettePreview& preview = *result.preview;
    EXPECT_EQ(pixel(preview.now, 0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(pixel(preview.now, 1, 0), (Rgb{210, 10, 10}));
    EXPECT_EQ(pixel(preview.now, 7, 3), (Rgb{0, 0, 255}));
    EXPECT_EQ(pixel(preview.referenceOnly, 1, 0), (Rgb{200, 0, 0}));
    EXPECT_EQ(pixel(preview.referenceOnly, 7, 3), (Rgb{0, 0, 0})); // 85 from black and red
    EXPECT_EQ(pixel(preview.withProposal, 7, 3), (Rgb{0, 0, 255}));
    EXPECT_EQ(pixel(preview.withProposal, 0, 0), (Rgb{255, 255, 255}));
    // 15 reddish pixels lie 10 away, 16 blue ones 85 and then 0.
    EXPECT_DOUBLE_EQ(preview.offShareBefore, 31.0 / 32);
    EXPECT_DOUBLE_EQ(preview.offShareAfter, 15.0 / 32);
    EXPECT_EQ(offShareText(preview, 10), "Pixels farther than the tolerance (10) from what FS98 "
                                         "shows: 96.9 % with its reference colours alone, 46.9 % "
                                         "with the proposed colours added.");
}

TEST(PalettePreview, PicturesShrinkToTheirLimitAndStandSideBySide) {
    const PalettePreviewResult result =
        makePalettePreview(bmpFileBytes(halves(), 4), "/p/main.bmp", kPreviewReference, {}, 5, 4);
    ASSERT_TRUE(result.preview);
    const PalettePreview& preview = *result.preview;
    EXPECT_EQ(preview.now.width, 4);
    EXPECT_EQ(preview.now.height, 2);
    EXPECT_EQ(pixel(preview.now, 0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(pixel(preview.now, 3, 0), (Rgb{0, 0, 255}));
    EXPECT_EQ(pixel(preview.now, 1, 1), (Rgb{210, 10, 10}));

    const PreviewPicture row = sideBySide(preview, 2);
    EXPECT_EQ(row.width, 4 * 3 + 2 * 2);
    EXPECT_EQ(row.height, 2);
    EXPECT_EQ(pixel(row, 4, 0), (Rgb{255, 255, 255})); // the gap
    EXPECT_EQ(pixel(row, 6, 0), pixel(preview.referenceOnly, 0, 0));
    EXPECT_EQ(pixel(row, 15, 1), pixel(preview.withProposal, 3, 1));
}

TEST(PalettePreview, ATopDownBitmapStartsWithItsTopRow) {
    std::string topDown = bmpFileBytes(halves(), 4);
    put32At(topDown, 22, std::uint32_t(-4)); // the rows written bottom-up, now read from the top
    const PalettePreviewResult result =
        makePalettePreview(topDown, "/p/main.bmp", kPreviewReference, {}, 5, 100);
    ASSERT_TRUE(result.preview);
    EXPECT_EQ(pixel(result.preview->now, 0, 3), (Rgb{255, 255, 255}));
    EXPECT_EQ(pixel(result.preview->now, 0, 0), (Rgb{210, 10, 10}));
}

} // namespace
} // namespace cockpix

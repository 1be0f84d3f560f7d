// Image variants: the mirror, flip and halve transforms, and the cache keys they make.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/files/QxImage.h"
#include "engine/files/QxImageVariant.h"

namespace {

QxImage Numbered(int w, int h, int bits) {
    QxImage image;
    image.Create(w, h, bits);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = static_cast<uint8_t>(i);
    return image;
}

} // namespace

TEST(ImageVariant, MirrorAndFlipMovePixelsAtEveryDepth) {
    struct Case {
        int w, h, bits;
        std::uint32_t variant;
        std::vector<uint8_t> pixels;
    };
    const Case cases[] = {
        {3, 2, 16, kImageMirror, {4, 5, 2, 3, 0, 1, 10, 11, 8, 9, 6, 7}},
        {2, 3, 8, kImageFlip, {4, 5, 2, 3, 0, 1}},
        {2, 2, 24, kImageFlip | kImageMirror, {9, 10, 11, 6, 7, 8, 3, 4, 5, 0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant);
        QxImage image = Numbered(c.w, c.h, c.bits);
        QxApplyImageVariant(image, c.variant);
        EXPECT_EQ(image.pixels, c.pixels);
    }
}

// Halving touches every palette byte of an 8-bit image and nothing of a deeper one.
TEST(ImageVariant, HalvingTouchesEveryPaletteByteOfEightBitImagesOnly) {
    QxImage image = Numbered(1, 1, 8);
    image.palette[0] = QxColour(255, 3, 128, 255);
    image.palette[9] = QxColour(1, 2, 7, 200);
    QxApplyImageVariant(image, kImageHalvePalette);
    EXPECT_EQ(image.palette[0], QxColour(127, 1, 64, 127));
    EXPECT_EQ(image.palette[9], QxColour(0, 1, 3, 100));
    EXPECT_EQ(image.palette[1], QxColour(0, 0, 0, 127));

    QxImage deep = Numbered(2, 1, 24);
    QxApplyImageVariant(deep, kImageHalvePalette);
    EXPECT_EQ(deep.pixels, Numbered(2, 1, 24).pixels);
}

// Every variant is cached apart; dithering sets image lists apart only.
TEST(ImageVariant, CacheKeysNameEveryVariant) {
    const std::uint32_t all = kImageMirror | kImageFlip | kImageHalvePalette | kImageDither;
    EXPECT_EQ(QxImageCacheKey("gfx/a.bmp", all, true), "GFX/A.BMP_H_V_HB_D");
    EXPECT_EQ(QxImageCacheKey("gfx/a.bmp", all, false), "GFX/A.BMP_H_V_HB");
}

// Drawing balls: the glass ball rendered from the screen behind it, the sprite and
// animated balls.
#include <gtest/gtest.h>

#include "game/objects/BallTestSupport.h"

namespace balltest {
namespace {

class BallRenderTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        Define("class PyxRenderedBall\ntype glass\n");
        Board(6, 6);
    }

    void Fill(const QxRect& rect, std::uint16_t colour) {
        QxSurfaceDesc desc;
        ASSERT_TRUE(screen_.LockBackBuffer(&desc));
        for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, desc.height); ++y) {
            for (int x = std::max(rect.left, 0); x < std::min(rect.right, desc.width); ++x)
                std::memcpy(desc.pixels + y * desc.pitch + 2 * x, &colour, 2);
        }
        screen_.UnlockBackBuffer();
    }
    static std::uint16_t ImagePixel(const QxSurface& image, int x, int y) {
        return image.Row(y)[x];
    }
    // screen + (shade - screen) x (255 - alpha) / 256 on each channel, as RGB555.
    static std::uint16_t Blended(int r, int g, int b, int shade, int alpha) {
        const int w = 255 - alpha;
        return QxPixelFormat::Rgb555().Pack(std::uint8_t(r + (shade - r) * w / 256),
                                            std::uint8_t(g + (shade - g) * w / 256),
                                            std::uint8_t(b + (shade - b) * w / 256));
    }
};

// ---- rendering --------------------------------------------------------------------

TEST_F(BallRenderTest, TheGlassBlendsTheScreenBehindItTowardsItsShade) {
    Fill({0, 640, 0, 480}, Rgb555(QxColour(80, 160, 240)));
    auto* ball = Place<PyxEntityRenderedBall>("PyxRenderedBall", "glass", 128, 128);
    ball->Update(0.0f);
    EXPECT_EQ(ball->DrawX(), 100);
    EXPECT_EQ(ball->DrawY(), 100);
    ASSERT_TRUE(ball->RenderImage());
    const QxSurface& image = *ball->Image();
    EXPECT_EQ(ImagePixel(image, 28, 28), Blended(80, 160, 240, 170, 115));
    EXPECT_EQ(ImagePixel(image, 10, 10), Blended(80, 160, 240, 242, 79));
    EXPECT_EQ(ImagePixel(image, 0, 0), 0);   // outside the rim
    EXPECT_EQ(ImagePixel(image, 56, 28), 0); // the image's last column is never drawn

    // Drawn, the image goes onto the screen keyed.
    ball->Draw();
    EXPECT_EQ(Pixel(128, 128), Blended(80, 160, 240, 170, 115));
    EXPECT_EQ(Pixel(100, 100), Rgb555(QxColour(80, 160, 240))); // transparent corner
    EXPECT_EQ(ball->GetImage(), ball->RenderedType()->ImageHandle());
}

// ---- the other balls --------------------------------------------------------------

TEST_F(BallRenderTest, AnimatedBallsDrawTheirFrameAndFadeWithTheirAlpha) {
    WriteFrames("gfx/two.ims", 20, 20, {QxColour(248, 0, 0), QxColour(0, 248, 0)});
    Define("class PyxAnimSpriteBall\ntype blinker\nImage gfx/two.ims\nFrameRate 4\nRadius 10\n");
    Fill({0, 640, 0, 480}, Rgb555(QxColour(0, 0, 0)));
    auto* ball = Place<PyxEntityAnimSpriteBall>("PyxAnimSpriteBall", "blinker", 100, 100);
    ball->Update(0.0f);
    EXPECT_EQ(ball->DrawX(), 90);
    ball->Draw();
    EXPECT_EQ(Pixel(100, 100), Rgb555(QxColour(248, 0, 0)));
    ball->Update(250.0f); // a quarter second at 4 frames a second
    EXPECT_EQ(ball->CurrentFrame(), 1);
    ball->SetAlpha(128);
    ball->Draw();
    EXPECT_EQ(Pixel(100, 100), Rgb555(QxColour(120, 120, 0))); // half way from red to green
}

} // namespace
} // namespace balltest

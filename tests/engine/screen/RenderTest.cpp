// A full frame drawn with most operations, presented and written as "frame.png" in
// the test folder for a person to look at. The checks are on a few landmarks.

#include <cmath>

#include "engine/screen/ScreenTestSupport.h"
#include "engine/screen/QxPng.h"

namespace {

using screentest::Rgb;

class ScreenRender : public screentest::ScreenTest {
protected:
    void SetUp() override { ASSERT_TRUE(Create(640, 480)); }

    // A disc of radius r in a (2r) square, 0 outside; shaded from the top left.
    QxSurfaceHandle Ball(int r, int red, int green, int blue) {
        const int n = 2 * r;
        std::vector<uint16_t> px(size_t(n * n), 0);
        for (int y = 0; y < n; ++y) {
            for (int x = 0; x < n; ++x) {
                const double dx = x + 0.5 - r;
                const double dy = y + 0.5 - r;
                if (dx * dx + dy * dy > double(r * r)) {
                    continue;
                }
                const double lit = 1.0 - 0.6 *
                                             std::sqrt((dx + r / 3.0) * (dx + r / 3.0) +
                                                       (dy + r / 3.0) * (dy + r / 3.0)) /
                                             (1.5 * r);
                px[size_t(y * n + x)] =
                    Rgb(int(red * lit), int(green * lit), std::max(1, int(blue * lit)));
            }
        }
        return AddSurface(n, n, px, r, r);
    }
};

TEST_F(ScreenRender, FrameWithManyOperations) {
    screen.SetManualDirty(true);
    screen.MarkDirty(QxRect{0, 640, 0, 480}, true);

    // Background: a checker tile, tiled over the whole frame.
    std::vector<uint16_t> tile(32 * 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            tile[size_t(y * 32 + x)] = ((x / 16) ^ (y / 16)) ? Rgb(4, 6, 10) : Rgb(6, 9, 14);
        }
    }
    const auto bg = AddSurface(32, 32, tile);
    ASSERT_TRUE(screen.TileSurface(bg, 0, 0, 640, 480, 8, 8, false));

    // Panels.
    ASSERT_TRUE(screen.DrawFrame3D(QxRect{20, 300, 20, 200}, QxColour(60, 60, 90),
                                   QxColour(220, 220, 255), QxColour(20, 20, 40)));
    ASSERT_TRUE(screen.FillRect(QxRect{340, 620, 20, 200}, QxColour(255, 200, 0, 96)));
    ASSERT_TRUE(screen.DrawRect(QxRect{340, 619, 20, 199}, QxColour(255, 230, 120)));

    // Sprites: keyed, blended, tinted, brightened, additive, flipped, scaled.
    const auto ball = Ball(28, 31, 10, 4);
    ASSERT_TRUE(screen.DrawSurface(ball, 80, 110, 0, 0, -1, -1, true));
    ASSERT_TRUE(screen.DrawSurfaceBlended(ball, 160, 110, 0, 0, -1, -1, 128, true));
    ASSERT_TRUE(
        screen.DrawSurfaceTinted(ball, 240, 110, 0, 0, -1, -1, true, QxColour(80, 160, 255)));
    ASSERT_TRUE(
        screen.DrawSurfaceBrightened(ball, 400, 110, 0, 0, -1, -1, true, QxColour(0, 120, 0)));
    ASSERT_TRUE(screen.DrawSurfaceAdditive(ball, 480, 110, 0, 0, -1, -1, 200));
    ASSERT_TRUE(screen.DrawSurfaceBlended(ball, 560, 110, 0, 0, -1, -1, 65535, true));
    ASSERT_TRUE(screen.DrawSurfaceFlipped(ball, 52, 252, 0, 0, -1, -1, true));
    ASSERT_TRUE(screen.DrawSurfaceScaled(ball, 120, 220, 112, 64, 0, 0, -1, -1, true));

    // Alpha-mapped glow: a radial alpha over a white square.
    const int g = 64;
    std::vector<uint8_t> alpha(size_t(g * g));
    for (int y = 0; y < g; ++y) {
        for (int x = 0; x < g; ++x) {
            const double d = std::hypot(x + 0.5 - g / 2.0, y + 0.5 - g / 2.0) / (g / 2.0);
            alpha[size_t(y * g + x)] = uint8_t(std::clamp(255.0 * (1.0 - d), 0.0, 255.0));
        }
    }
    const QxImage am = screentest::AlphaImage(g, g, alpha);
    const auto glow = AddFilled(g, g, 0x7FFF);
    ASSERT_TRUE(screen.DrawSurfaceAlphaMapped(glow, 260, 220, 0, 0, -1, -1, am));
    ASSERT_TRUE(screen.DrawSurfaceAlphaMappedFaded(glow, 340, 220, 0, 0, -1, -1, am, 128));
    ASSERT_TRUE(screen.DrawSurfaceAlphaMappedTinted(glow, 420, 220, 0, 0, -1, -1, am,
                                                    QxColour(255, 80, 80)));
    ASSERT_TRUE(
        screen.DrawColourAlphaMapped(glow, 500, 220, 0, 0, -1, -1, am, QxColour(80, 255, 120)));

    // Lines: a fan of DDA lines and a blended horizontal band.
    for (int i = 0; i <= 16; ++i) {
        ASSERT_TRUE(screen.DrawLine({320, 470}, {20 + i * 37, 320},
                                    QxColour(uint8_t(255 - i * 12), uint8_t(i * 15), 200)));
    }
    for (int y = 300; y < 310; ++y) {
        ASSERT_TRUE(screen.DrawHLine(y, 0, 639, QxColour(255, 255, 255, uint8_t(y - 290) * 8)));
    }
    ASSERT_TRUE(screen.TintRect(20, 400, 200, 60, QxColour(255, 128, 64)));

    ASSERT_TRUE(screen.Present());
    const std::string path = screentest::TempPath("frame.png");
    ASSERT_TRUE(screen.SavePresentationPng(path));
    std::vector<uint16_t> px;
    int w = 0;
    int h = 0;
    ASSERT_TRUE(LoadPng(path, &px, &w, &h));
    ASSERT_EQ(w, 640);
    ASSERT_EQ(h, 480);
    std::vector<uint16_t> client;
    ASSERT_TRUE(screen.Window()->CaptureClient(&client));
    EXPECT_EQ(px, client);
    EXPECT_EQ(px[size_t(20 * 640 + 20)], Rgb(27, 27, 31)); // frame's light corner
    EXPECT_EQ(px[size_t(110 * 640 + 80)], Px(80, 110));    // ball centre
}

} // namespace

// Drawing operations through a headless screen: placement, clipping, keys and the
// arithmetic on chosen pixels.

#include "engine/screen/QxBlit.h"
#include "engine/screen/ScreenTestSupport.h"

namespace {

using screentest::Rgb;

class ScreenDraw : public screentest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        FillBack(Rgb(2, 2, 2));
        AllDirty();
    }
};

TEST_F(ScreenDraw, KeyedCopySkipsZeroAndAppliesOrigin) {
    const auto h = AddSurface(3, 2, {0x7FFF, 0, 0x0421, 0, 0x7C00, 0}, 1, 1);
    ASSERT_TRUE(screen.DrawSurface(h, 11, 21, 0, 0, -1, -1, true));
    EXPECT_EQ(Px(10, 20), 0x7FFF);
    EXPECT_EQ(Px(11, 20), Rgb(2, 2, 2));
    EXPECT_EQ(Px(12, 20), 0x0421);
    EXPECT_EQ(Px(11, 21), 0x7C00);
    EXPECT_EQ(Px(12, 21), Rgb(2, 2, 2));
    ASSERT_TRUE(screen.DrawSurface(h, 11, 21, 0, 0, -1, -1, false));
    EXPECT_EQ(Px(11, 20), 0);
    // A source start before the picture moves the drawing along; one past it draws nothing.
    ASSERT_TRUE(screen.DrawSurface(h, 11, 31, -1, 0, 3, 1, false));
    EXPECT_EQ(Px(10, 30), Rgb(2, 2, 2));
    EXPECT_EQ(Px(11, 30), 0x7FFF);
    const auto before = Snapshot();
    EXPECT_TRUE(screen.DrawSurface(h, 0, 0, 3, 0, 1, 1, false));
    EXPECT_TRUE(screen.DrawSurface(h, 0, 0, -5, 0, 3, 1, false));
    EXPECT_EQ(Snapshot(), before);
}

// Brightening adds the colour channel by channel and wraps past full; keyed, zeros stay out.
TEST_F(ScreenDraw, BrightenedColourMappedAndBlendedTiles) {
    std::vector<uint16_t> px(16, 0);
    px[0] = Rgb(31, 1, 0);
    px[3] = Rgb(2, 2, 2);
    const auto h = AddSurface(16, 1, px);
    ASSERT_TRUE(screen.DrawSurfaceBrightened(h, 0, 0, 0, 0, -1, -1, true, QxColour(8, 16, 255)));
    EXPECT_EQ(Px(0, 0), Rgb(0, 3, 31));
    EXPECT_EQ(Px(3, 0), Rgb(3, 4, 1));
    EXPECT_EQ(Px(12, 0), Rgb(2, 2, 2));
    ASSERT_TRUE(screen.DrawSurfaceBrightened(h, 0, 1, 0, 0, -1, -1, false, QxColour(8, 0, 0)));
    EXPECT_EQ(Px(12, 1), Rgb(1, 0, 0));

    // The colour goes through the map wherever the picture is not transparent.
    const QxImage am = screentest::AlphaImage(16, 1, std::vector<uint8_t>(16, 255));
    ASSERT_TRUE(screen.DrawColourAlphaMapped(h, 0, 2, 0, 0, -1, -1, am, QxColour(0, 255, 0)));
    EXPECT_EQ(Px(0, 2), Rgb(0, 30, 0));
    EXPECT_EQ(Px(3, 2), Rgb(0, 30, 0));
    EXPECT_EQ(Px(12, 2), Rgb(2, 2, 2));
    EXPECT_FALSE(screen.DrawColourAlphaMapped(h, 0, 2, 0, 0, -1, -1,
                                              screentest::AlphaImage(2, 1, {1, 1}), QxColour()));

    // Blended tiles: copies starting left of the buffer keep their places.
    const auto pair = AddSurface(2, 1, {5, 6});
    ASSERT_TRUE(screen.TileSurfaceBlended(pair, -3, 3, 7, 1, 65535, false));
    EXPECT_EQ(Px(0, 3), 6);
    EXPECT_EQ(Px(3, 3), 5);
    EXPECT_EQ(Px(4, 3), Rgb(2, 2, 2));
    const auto white = AddFilled(10, 1, 0x7FFF);
    ASSERT_TRUE(screen.TileSurfaceBlended(white, 0, 4, 20, 1, 128, false));
    for (int x = 0; x < 20; ++x) {
        ASSERT_EQ(Px(x, 4), Rgb(16, 16, 16)) << x;
    }
    EXPECT_EQ(Px(20, 4), Rgb(2, 2, 2));

    // A freed surface draws nothing in any of these ways.
    ASSERT_TRUE(screen.FreeSurface(h));
    EXPECT_FALSE(screen.DrawSurfaceBrightened(h, 0, 0, 0, 0, -1, -1, true, QxColour()));
    EXPECT_FALSE(screen.DrawSurfaceAdditive(h, 0, 0, 0, 0, -1, -1, 128));
    EXPECT_FALSE(screen.DrawColourAlphaMapped(h, 0, 0, 0, 0, -1, -1, am, QxColour()));
    EXPECT_FALSE(screen.TileSurfaceBlended(h, 0, 0, 4, 4, 128, false));
}

TEST_F(ScreenDraw, ClipIsTheBoundingBoxOfDirtyOverlaps) {
    screen.ClearDirty();
    screen.MarkDirty(QxRect{2, 4, 2, 4}, false);
    screen.MarkDirty(QxRect{10, 12, 8, 10}, false);
    const auto h = AddFilled(20, 20, 0x7FFF);
    ASSERT_TRUE(screen.DrawSurface(h, 0, 0, 0, 0, -1, -1, false));
    // Inside the box spanning both rectangles, even between them.
    EXPECT_EQ(Px(2, 2), 0x7FFF);
    EXPECT_EQ(Px(7, 5), 0x7FFF);
    EXPECT_EQ(Px(11, 9), 0x7FFF);
    EXPECT_EQ(Px(1, 2), Rgb(2, 2, 2));
    EXPECT_EQ(Px(5, 10), Rgb(2, 2, 2));
    // With nothing dirty and manual tracking on, nothing is drawn.
    EXPECT_TRUE(screen.IsManualDirty());
    screen.ClearDirty();
    const auto before = Snapshot();
    EXPECT_TRUE(screen.FillRect(QxRect{0, kW, 0, kH}, QxColour(255, 0, 0)));
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(ScreenDraw, BlendedAlphaZeroFullAndAdditive) {
    const auto h = AddSurface(2, 1, {0x7C10, 0});
    Px(0, 0) = Px(1, 0) = 0x4210;
    ASSERT_TRUE(screen.DrawSurfaceBlended(h, 0, 0, 0, 0, -1, -1, 0, false));
    EXPECT_EQ(Px(0, 0), 0x4210);
    ASSERT_TRUE(screen.DrawSurfaceBlended(h, 0, 0, 0, 0, -1, -1, 65535, true));
    EXPECT_EQ(Px(0, 0), 0x7E1F);
    EXPECT_EQ(Px(1, 0), 0x4210);
    // Unkeyed, 65535 is just full strength; so is anything from 256 up.
    ASSERT_TRUE(screen.DrawSurfaceBlended(h, 0, 0, 0, 0, -1, -1, 65535, false));
    EXPECT_EQ(Px(0, 0), 0x7C10);
    EXPECT_EQ(Px(1, 0), 0);
    Px(0, 0) = Px(1, 0) = 0x7FFF;
    ASSERT_TRUE(screen.DrawSurfaceBlended(h, 0, 0, 0, 0, -1, -1, 128, true));
    // red 31 -> 31, green 31 -> 15, blue 31 toward 16 -> 23
    EXPECT_EQ(Px(0, 0), Rgb(31, 15, 23));
    EXPECT_EQ(Px(1, 0), 0x7FFF);
}

TEST_F(ScreenDraw, TintedAndAdditive) {
    const auto h = AddSurface(2, 1, {0x7FFF, 0});
    ASSERT_TRUE(screen.DrawSurfaceTinted(h, 0, 0, 0, 0, -1, -1, true, QxColour(255, 128, 0)));
    EXPECT_EQ(Px(0, 0), 0x79E0);
    EXPECT_EQ(Px(1, 0), Rgb(2, 2, 2));
    // Alpha scales the colour first: 255 * 128 / 255 = 128 on every channel.
    ASSERT_TRUE(
        screen.DrawSurfaceTinted(h, 0, 1, 0, 0, -1, -1, false, QxColour(255, 255, 255, 128)));
    EXPECT_EQ(Px(0, 1), Rgb(15, 15, 15));
    EXPECT_EQ(Px(1, 1), 0);

    Px(0, 4) = Rgb(2, 2, 2);
    ASSERT_TRUE(screen.DrawSurfaceAdditive(h, 0, 4, 0, 0, -1, -1, 128));
    EXPECT_EQ(Px(0, 4), Rgb(17, 17, 17));
    EXPECT_EQ(Px(1, 4), Rgb(2, 2, 2));
}

TEST_F(ScreenDraw, AlphaMappedFamily) {
    const auto h = AddSurface(3, 1, {0x7FFF, 0x7FFF, 0});
    const QxImage am = screentest::AlphaImage(3, 1, {128, 255, 255});
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 3; ++x) {
            Px(x, y) = 0;
        }
    }
    ASSERT_TRUE(screen.DrawSurfaceAlphaMapped(h, 0, 0, 0, 0, -1, -1, am));
    EXPECT_EQ(Px(0, 0), 0x3DEF);
    EXPECT_EQ(Px(1, 0), Rgb(30, 30, 30));
    EXPECT_EQ(Px(2, 0), 0);
    // Faded: a = (128 * 128) >> 8 = 64.
    ASSERT_TRUE(screen.DrawSurfaceAlphaMappedFaded(h, 0, 1, 0, 0, -1, -1, am, 128));
    EXPECT_EQ(Px(0, 1), Rgb(7, 7, 7));
    // Tinted: the source first becomes red 30, then blends at p.
    ASSERT_TRUE(
        screen.DrawSurfaceAlphaMappedTinted(h, 0, 2, 0, 0, -1, -1, am, QxColour(255, 0, 0)));
    EXPECT_EQ(Px(0, 2), Rgb(15, 0, 0));
    EXPECT_EQ(Px(1, 2), Rgb(29, 0, 0));
}

TEST_F(ScreenDraw, AlphaMapFollowsTheClippedSourcePosition) {
    const auto h = AddFilled(4, 2, 0x7FFF);
    const QxImage am = screentest::AlphaImage(4, 2, {0, 0, 0, 0, 0, 0, 255, 128});
    for (int x = 0; x < 4; ++x) {
        Px(x, 0) = 0;
    }
    // Only row 1, columns 2 and 3 of the source are drawn, onto row 0 of the screen.
    ASSERT_TRUE(screen.DrawSurfaceAlphaMapped(h, 0, 0, 2, 1, 2, 1, am));
    EXPECT_EQ(Px(0, 0), Rgb(30, 30, 30));
    EXPECT_EQ(Px(1, 0), 0x3DEF);
}

TEST_F(ScreenDraw, FlippedDrawsUpsideDown) {
    const auto h = AddSurface(2, 3, {1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(screen.DrawSurfaceFlipped(h, 0, 0, 0, 0, -1, -1, false));
    EXPECT_EQ(Px(0, 0), 5);
    EXPECT_EQ(Px(1, 1), 4);
    EXPECT_EQ(Px(0, 2), 1);
    // Clipped at the top, the remaining rows keep their places.
    ASSERT_TRUE(screen.DrawSurfaceFlipped(h, 10, -1, 0, 0, -1, -1, false));
    EXPECT_EQ(Px(10, 0), 3);
    EXPECT_EQ(Px(11, 1), 2);
}

TEST_F(ScreenDraw, ScaledNearestNeighbour) {
    const auto h = AddSurface(2, 2, {1, 2, 3, 0}, 5, 5);
    // Twice the size: 2 x 2 blocks, origin not applied, key honoured.
    ASSERT_TRUE(screen.DrawSurfaceScaled(h, 0, 0, 4, 4, 0, 0, -1, -1, true));
    EXPECT_EQ(Px(0, 0), 1);
    EXPECT_EQ(Px(2, 0), 2);
    EXPECT_EQ(Px(1, 3), 3);
    EXPECT_EQ(Px(3, 3), Rgb(2, 2, 2));
    // Three columns from two: steps of 2/3 give columns 0, 0, 1.
    ASSERT_TRUE(screen.DrawSurfaceScaled(h, 10, 0, 3, 1, 0, 0, 2, 1, false));
    EXPECT_EQ(Px(10, 0), 1);
    EXPECT_EQ(Px(12, 0), 2);
    // Clipping on the left does not shift which column a pixel shows.
    ASSERT_TRUE(screen.DrawSurfaceScaled(h, -1, 10, 3, 1, 0, 0, 2, 1, false));
    EXPECT_EQ(Px(0, 10), 1);
    EXPECT_EQ(Px(1, 10), 2);
    // Same size is DrawSurface, which does apply the origin.
    ASSERT_TRUE(screen.DrawSurfaceScaled(h, 25, 25, 2, 2, 0, 0, 2, 2, false));
    EXPECT_EQ(Px(20, 20), 1);
    EXPECT_EQ(Px(21, 21), 0);
}

TEST_F(ScreenDraw, TilesCoverTheRectangleCuttingTheLastCopies) {
    const auto h = AddSurface(3, 2, {1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(screen.TileSurface(h, 0, 0, 7, 3, 1, 1, false));
    // First row of copies starts at source row 1, first column of each row at column 1.
    const uint16_t want[3][7] = {
        {5, 6, 4, 5, 6, 4, 5}, {2, 3, 1, 2, 3, 1, 2}, {5, 6, 4, 5, 6, 4, 5}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x) {
            EXPECT_EQ(Px(x, y), want[y][x]) << x << "," << y;
        }
    }
    EXPECT_EQ(Px(7, 0), Rgb(2, 2, 2));
    EXPECT_EQ(Px(0, 3), Rgb(2, 2, 2));
    EXPECT_FALSE(screen.TileSurface(h + 100, 0, 0, 4, 4, false));
}

TEST_F(ScreenDraw, HorizontalAndVerticalLines) {
    const QxColour red(255, 0, 0);
    ASSERT_TRUE(screen.DrawHLine(5, 10, 3, red));
    for (int x = 0; x < kW; ++x) {
        ASSERT_EQ(Px(x, 5), Rgb(2, 2, 2));
    }
    ASSERT_TRUE(screen.DrawHLine(5, -4, 2000, red));
    for (int x = 0; x < kW; ++x) {
        ASSERT_EQ(Px(x, 5), Rgb(31, 0, 0));
    }
    ASSERT_TRUE(screen.DrawVLine(7, 2, 4, QxColour(0, 255, 0)));
    EXPECT_EQ(Px(7, 1), Rgb(2, 2, 2));
    EXPECT_EQ(Px(7, 2), Rgb(0, 31, 0));
    EXPECT_EQ(Px(7, 4), Rgb(0, 31, 0));
    EXPECT_EQ(Px(7, 5), Rgb(31, 0, 0));
    // Lines wholly off the buffer, and a line of no length, draw nothing.
    const auto before = Snapshot();
    EXPECT_TRUE(screen.DrawHLine(-1, 0, 5, red));
    EXPECT_TRUE(screen.DrawVLine(kW, 0, 5, red));
    EXPECT_TRUE(screen.DrawLine(QxPoint{3, 3}, QxPoint{3, 3}, red));
    EXPECT_EQ(Snapshot(), before);
    // Below alpha 255 lines blend.
    Px(20, 20) = 0;
    ASSERT_TRUE(screen.DrawVLine(20, 20, 20, QxColour(255, 255, 255, 128)));
    EXPECT_EQ(Px(20, 20), 0x3DEF);
}

TEST_F(ScreenDraw, InPlaceRowsWiderThanAChunkTintAndBlendEveryPixel) {
    // 19 columns: two chunks of eight and a tail, with zeros inside chunks and the tail.
    std::vector<uint16_t> row(19);
    for (int x = 0; x < 19; ++x) {
        row[size_t(x)] = x % 5 == 2 ? 0 : uint16_t(0x7FFF - x * 0x421);
        Px(x, 0) = Px(x, 1) = row[size_t(x)];
    }
    ASSERT_TRUE(screen.TintRect(0, 0, 19, 1, QxColour(255, 128, 0)));
    ASSERT_TRUE(screen.FillRect(QxRect{0, 19, 1, 2}, QxColour(0, 0, 255, 100)));
    const qxblit::Fmt555 f{};
    for (int x = 0; x < 19; ++x) {
        const uint16_t d = row[size_t(x)];
        EXPECT_EQ(Px(x, 0), d == 0 ? 0 : qxblit::Scale(f, d, 255, 128, 0)) << x;
        EXPECT_EQ(Px(x, 1), qxblit::Blend(f, 0x001F, d, 100)) << x;
    }
    EXPECT_EQ(Px(0, 0), 0x79E0);
    EXPECT_EQ(Px(19, 0), Rgb(2, 2, 2));
    EXPECT_EQ(Px(0, 2), Rgb(2, 2, 2));
}

TEST_F(ScreenDraw, Frame3DCorners) {
    const QxColour fill(0, 0, 255), light(255, 255, 255), shadow(255, 0, 0);
    ASSERT_TRUE(screen.DrawFrame3D(QxRect{0, 4, 0, 4}, fill, light, shadow));
    EXPECT_EQ(Px(0, 0), 0x7FFF);
    EXPECT_EQ(Px(2, 0), 0x7FFF);
    // The top-right and bottom-left corners belong to neither edge.
    EXPECT_EQ(Px(3, 0), Rgb(0, 0, 31));
    EXPECT_EQ(Px(0, 3), Rgb(0, 0, 31));
    EXPECT_EQ(Px(0, 2), 0x7FFF);
    EXPECT_EQ(Px(3, 3), Rgb(31, 0, 0));
    EXPECT_EQ(Px(1, 3), Rgb(31, 0, 0));
    EXPECT_EQ(Px(1, 1), Rgb(0, 0, 31));
    EXPECT_EQ(Px(4, 4), Rgb(2, 2, 2));

    // One colour for both: light takes the top row and left column in full.
    ASSERT_TRUE(screen.DrawFrame3D(QxRect{10, 14, 0, 4}, fill, light, light));
    EXPECT_EQ(Px(13, 0), 0x7FFF);
    EXPECT_EQ(Px(10, 3), 0x7FFF);
    EXPECT_EQ(Px(12, 2), Rgb(0, 0, 31));
}

TEST_F(ScreenDraw, DrawImage16CopiesWordsAsTheyStand) {
    QxImage img;
    img.Create(2, 1, 16);
    img.pixels = {0x34, 0x12, 0x00, 0x00};
    ASSERT_TRUE(screen.DrawImage16(img, 3, 3, 0, 0, -1, -1, true));
    EXPECT_EQ(Px(3, 3), 0x1234);
    EXPECT_EQ(Px(4, 3), Rgb(2, 2, 2));
    QxImage eight;
    eight.Create(2, 1, 8);
    EXPECT_FALSE(screen.DrawImage16(eight, 0, 0, 0, 0, -1, -1, false));
    EXPECT_FALSE(screen.DrawImage16(QxImage{}, 0, 0, 0, 0, -1, -1, false));
}

TEST(ScreenDrawNoBuffer, EveryOperationFailsWithoutBackBuffer) {
    QxWin32Screen2D screen;
    QxImage img;
    img.Create(1, 1, 16);
    EXPECT_FALSE(screen.FillRect(QxRect{0, 1, 0, 1}, QxColour()));
    EXPECT_FALSE(screen.TintRect(0, 0, 1, 1, QxColour()));
    EXPECT_FALSE(screen.DrawImage16(img, 0, 0, 0, 0, -1, -1, false));
    EXPECT_FALSE(screen.DrawHLine(0, 0, 1, QxColour()));
    EXPECT_FALSE(screen.DrawVLine(0, 0, 1, QxColour()));
    EXPECT_FALSE(screen.DrawLine(QxPoint{0, 0}, QxPoint{1, 1}, QxColour()));
    QxSurface s;
    s.Resize(1, 1);
    EXPECT_FALSE(screen.DrawSurface(s, 0, 0, 0, 0, -1, -1, false));
}

} // namespace

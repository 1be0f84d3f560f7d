// Drawing operations through a headless screen: placement, clipping, keys and the
// arithmetic on chosen pixels.

#include "engine/screen/ScreenTestSupport.h"
#include "engine/screen/QxBlit.h"

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
}

TEST_F(ScreenDraw, AllZeroKeyedSurfaceChangesNothing) {
    const auto before = Snapshot();
    const auto h = AddFilled(40, 30, 0);
    ASSERT_TRUE(screen.DrawSurface(h, 5, 5, 0, 0, -1, -1, true));
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(ScreenDraw, SourceRectangleIsCutToThePicture) {
    std::vector<uint16_t> px(16);
    for (int i = 0; i < 16; ++i) {
        px[size_t(i)] = uint16_t(i + 1);
    }
    const auto h = AddSurface(4, 4, px);
    // Width 100 is cut to the two columns right of sx 2; -2 also reaches the edge.
    ASSERT_TRUE(screen.DrawSurface(h, 0, 0, 2, 1, 100, -2, false));
    EXPECT_EQ(Px(0, 0), 7);
    EXPECT_EQ(Px(1, 0), 8);
    EXPECT_EQ(Px(2, 0), Rgb(2, 2, 2));
    EXPECT_EQ(Px(1, 2), 16);
    EXPECT_EQ(Px(0, 3), Rgb(2, 2, 2));
    // A start left of the picture moves the drawing instead of reading outside it.
    ASSERT_TRUE(screen.DrawSurface(h, 20, 0, -2, 0, 3, 1, false));
    EXPECT_EQ(Px(21, 0), Rgb(2, 2, 2));
    EXPECT_EQ(Px(22, 0), 1);
    EXPECT_EQ(Px(23, 0), Rgb(2, 2, 2));
    // Starting past the picture draws nothing but is no failure.
    EXPECT_TRUE(screen.DrawSurface(h, 0, 0, 4, 0, -1, -1, false));
}

TEST_F(ScreenDraw, ClippedAtBackBufferEdges) {
    const auto h = AddFilled(10, 10, 0x7FFF);
    ASSERT_TRUE(screen.DrawSurface(h, -5, kH - 3, 0, 0, -1, -1, false));
    EXPECT_EQ(Px(0, kH - 3), 0x7FFF);
    EXPECT_EQ(Px(4, kH - 1), 0x7FFF);
    EXPECT_EQ(Px(5, kH - 1), Rgb(2, 2, 2));
    EXPECT_EQ(Px(0, kH - 4), Rgb(2, 2, 2));
    EXPECT_TRUE(screen.DrawSurface(h, -1000000, 1 << 30, 0, 0, -1, -1, false));
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
    EXPECT_EQ(Px(12, 9), Rgb(2, 2, 2));
    EXPECT_EQ(Px(5, 10), Rgb(2, 2, 2));
    // With nothing dirty and manual tracking on, nothing is drawn.
    screen.ClearDirty();
    const auto before = Snapshot();
    EXPECT_TRUE(screen.FillRect(QxRect{0, kW, 0, kH}, QxColour(255, 0, 0)));
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(ScreenDraw, UntrackedDrawsMarkEverythingDirtyFirst) {
    screen.ClearDirty();
    screen.SetManualDirty(false);
    const auto h = AddFilled(2, 2, 0x7FFF);
    ASSERT_TRUE(screen.DrawSurface(h, 30, 30, 0, 0, -1, -1, false));
    EXPECT_EQ(Px(31, 31), 0x7FFF);
    ASSERT_EQ(screen.GetDirtyList().size(), 1u);
    EXPECT_EQ(screen.GetDirtyList()[0], (QxRect{0, kW, 0, kH}));
    // FillRect is not one of them: with nothing dirty it still draws nothing.
    screen.ClearDirty();
    ASSERT_TRUE(screen.FillRect(QxRect{0, 4, 0, 4}, QxColour(255, 0, 0)));
    EXPECT_EQ(Px(0, 0), Rgb(2, 2, 2));
    ASSERT_TRUE(screen.TintRect(0, 0, 4, 4, QxColour(0, 0, 0)));
    EXPECT_EQ(Px(0, 0), 0);
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

TEST_F(ScreenDraw, BlendedRowsWiderThanAChunkMatchPixelByPixel) {
    std::vector<uint16_t> px(37 * 3);
    for (size_t i = 0; i < px.size(); ++i) {
        px[i] = uint16_t((i * 2654435761u) & 0x7FFF);
    }
    px[5] = px[40] = 0;
    const auto h = AddSurface(37, 3, px);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 37; ++x) {
            Px(x + 1, y + 1) = uint16_t((x * 977 + y * 131) & 0x7FFF);
        }
    }
    std::vector<uint16_t> want;
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 37; ++x) {
            const uint16_t s = px[size_t(y * 37 + x)];
            const uint16_t d = Px(x + 1, y + 1);
            want.push_back(s == 0 ? d : qxblit::Blend(qxblit::Fmt555{}, s, d, 93));
        }
    }
    ASSERT_TRUE(screen.DrawSurfaceBlended(h, 1, 1, 0, 0, -1, -1, 93, true));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 37; ++x) {
            ASSERT_EQ(Px(x + 1, y + 1), want[size_t(y * 37 + x)]) << x << "," << y;
        }
    }
}

TEST_F(ScreenDraw, TintedBrightenedAndAdditive) {
    const auto h = AddSurface(2, 1, {0x7FFF, 0});
    ASSERT_TRUE(screen.DrawSurfaceTinted(h, 0, 0, 0, 0, -1, -1, true, QxColour(255, 128, 0)));
    EXPECT_EQ(Px(0, 0), 0x79E0);
    EXPECT_EQ(Px(1, 0), Rgb(2, 2, 2));
    // Alpha scales the colour first: 255 * 128 / 255 = 128 on every channel.
    ASSERT_TRUE(
        screen.DrawSurfaceTinted(h, 0, 1, 0, 0, -1, -1, false, QxColour(255, 255, 255, 128)));
    EXPECT_EQ(Px(0, 1), Rgb(15, 15, 15));
    EXPECT_EQ(Px(1, 1), 0);

    const auto b = AddSurface(1, 1, {0x7C1F});
    ASSERT_TRUE(screen.DrawSurfaceBrightened(b, 0, 2, 0, 0, -1, -1, true, QxColour(8, 16, 24)));
    EXPECT_EQ(Px(0, 2), 0x0042);
    // Half alpha halves the colour before packing: 255 * 128 / 255 = 128 -> 16.
    ASSERT_TRUE(
        screen.DrawSurfaceBrightened(b, 0, 3, 0, 0, -1, -1, true, QxColour(0, 255, 0, 128)));
    EXPECT_EQ(Px(0, 3), Rgb(31, 16, 31));

    Px(0, 4) = Rgb(2, 2, 2);
    ASSERT_TRUE(screen.DrawSurfaceAdditive(h, 0, 4, 0, 0, -1, -1, 128));
    EXPECT_EQ(Px(0, 4), Rgb(17, 17, 17));
    EXPECT_EQ(Px(1, 4), Rgb(2, 2, 2));
    // Alpha is clamped: 1000 acts as 256, -5 as 0.
    ASSERT_TRUE(screen.DrawSurfaceAdditive(h, 0, 5, 0, 0, -1, -1, 1000));
    EXPECT_EQ(Px(0, 5), 0x7FFF);
    ASSERT_TRUE(screen.DrawSurfaceAdditive(h, 0, 6, 0, 0, -1, -1, -5));
    EXPECT_EQ(Px(0, 6), Rgb(2, 2, 2));
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
    // Colour: the packed colour blends where the source is not 0.
    ASSERT_TRUE(screen.DrawColourAlphaMapped(h, 0, 3, 0, 0, -1, -1, am, QxColour(0, 0, 255)));
    EXPECT_EQ(Px(0, 3), Rgb(0, 0, 15));
    EXPECT_EQ(Px(2, 3), 0);
    // The alpha image must have the surface's exact size and 8 bits.
    EXPECT_FALSE(
        screen.DrawSurfaceAlphaMapped(h, 0, 0, 0, 0, -1, -1, screentest::AlphaImage(2, 1, {1, 2})));
    QxImage deep;
    deep.Create(3, 1, 16);
    EXPECT_FALSE(screen.DrawSurfaceAlphaMapped(h, 0, 0, 0, 0, -1, -1, deep));
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
    // A sub-rectangle flips within itself: rows 1..2 drawn as 2, 1.
    ASSERT_TRUE(screen.DrawSurfaceFlipped(h, 20, 0, 1, 1, 1, 2, false));
    EXPECT_EQ(Px(20, 0), 6);
    EXPECT_EQ(Px(20, 1), 4);
}

TEST_F(ScreenDraw, ScaledNearestNeighbour) {
    const auto h = AddSurface(2, 2, {1, 2, 3, 0}, 5, 5);
    // Twice the size: 2 x 2 blocks, origin not applied, key honoured.
    ASSERT_TRUE(screen.DrawSurfaceScaled(h, 0, 0, 4, 4, 0, 0, -1, -1, true));
    EXPECT_EQ(Px(0, 0), 1);
    EXPECT_EQ(Px(1, 1), 1);
    EXPECT_EQ(Px(2, 0), 2);
    EXPECT_EQ(Px(1, 3), 3);
    EXPECT_EQ(Px(3, 3), Rgb(2, 2, 2));
    // Three columns from two: steps of 2/3 give columns 0, 0, 1.
    ASSERT_TRUE(screen.DrawSurfaceScaled(h, 10, 0, 3, 1, 0, 0, 2, 1, false));
    EXPECT_EQ(Px(10, 0), 1);
    EXPECT_EQ(Px(11, 0), 1);
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
    ASSERT_TRUE(screen.TileSurface(h, 0, 10, 4, 2, false));
    EXPECT_EQ(Px(0, 10), 1);
    EXPECT_EQ(Px(3, 11), 4);
    ASSERT_TRUE(screen.TileSurfaceBlended(h, 0, 20, 4, 1, 0, false));
    EXPECT_EQ(Px(0, 20), Rgb(2, 2, 2));
    EXPECT_FALSE(screen.TileSurface(h + 100, 0, 0, 4, 4, false));
}

TEST_F(ScreenDraw, TilesStartingOffTheBufferKeepTheirPhase) {
    const auto h = AddSurface(3, 2, {1, 2, 3, 4, 5, 6}, 1, 0);
    // Origin 1: the rectangle starts at screen column -8, its first copy at column 1.
    ASSERT_TRUE(screen.TileSurface(h, -7, -3, 20, 6, 1, 0, false));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 12; ++x) {
            const int col = (1 + x + 8) % 3;
            const int row = (y + 3) % 2;
            ASSERT_EQ(Px(x, y), 1 + col + 3 * row) << x << "," << y;
        }
    }
    EXPECT_EQ(Px(12, 0), Rgb(2, 2, 2));
    EXPECT_EQ(Px(0, 3), Rgb(2, 2, 2));
    // A rectangle of two billion pixels a side costs only what meets the buffer.
    const auto dot = AddFilled(1, 1, 0x7FFF);
    ASSERT_TRUE(screen.TileSurface(dot, -1000000000, 40, 2000000000, 2000000000, false));
    EXPECT_EQ(Px(0, 40), 0x7FFF);
    EXPECT_EQ(Px(kW - 1, kH - 1), 0x7FFF);
    EXPECT_EQ(Px(kW - 1, 39), Rgb(2, 2, 2));
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
    ASSERT_TRUE(screen.DrawHLine(-1, 0, 10, red));
    ASSERT_TRUE(screen.DrawHLine(6, -9, -2, red));
    EXPECT_EQ(Px(0, 6), Rgb(2, 2, 2));
    ASSERT_TRUE(screen.DrawVLine(7, 2, 4, QxColour(0, 255, 0)));
    EXPECT_EQ(Px(7, 1), Rgb(2, 2, 2));
    EXPECT_EQ(Px(7, 2), Rgb(0, 31, 0));
    EXPECT_EQ(Px(7, 4), Rgb(0, 31, 0));
    EXPECT_EQ(Px(7, 5), Rgb(31, 0, 0));
    // Below alpha 255 lines blend.
    Px(20, 20) = 0;
    ASSERT_TRUE(screen.DrawVLine(20, 20, 20, QxColour(255, 255, 255, 128)));
    EXPECT_EQ(Px(20, 20), 0x3DEF);
}

TEST_F(ScreenDraw, LinesIgnoreTheDirtyList) {
    screen.ClearDirty();
    ASSERT_TRUE(screen.DrawHLine(1, 0, 3, QxColour(255, 255, 255)));
    EXPECT_EQ(Px(3, 1), 0x7FFF);
}

TEST_F(ScreenDraw, DdaLinePlotsFromStartExcludingEnd) {
    const QxColour white(255, 255, 255, 10); // solid whatever the alpha
    ASSERT_TRUE(screen.DrawLine({0, 0}, {3, 0}, white));
    EXPECT_EQ(Px(0, 0), 0x7FFF);
    EXPECT_EQ(Px(2, 0), 0x7FFF);
    EXPECT_EQ(Px(3, 0), Rgb(2, 2, 2));
    // (10,10) to (13,12): n 3, steps 256 and 170 -> y 10, 10, 11.
    ASSERT_TRUE(screen.DrawLine({10, 10}, {13, 12}, white));
    EXPECT_EQ(Px(10, 10), 0x7FFF);
    EXPECT_EQ(Px(11, 10), 0x7FFF);
    EXPECT_EQ(Px(12, 11), 0x7FFF);
    EXPECT_EQ(Px(12, 10), Rgb(2, 2, 2));
    // Going left and up, the flooring shift steps by whole pixels.
    ASSERT_TRUE(screen.DrawLine({30, 30}, {28, 29}, white));
    EXPECT_EQ(Px(30, 30), 0x7FFF);
    EXPECT_EQ(Px(29, 29), 0x7FFF);
    const auto before = Snapshot();
    ASSERT_TRUE(screen.DrawLine({4, 4}, {4, 4}, white));
    ASSERT_TRUE(screen.DrawLine({-50, -50}, {-10, -40}, white));
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(ScreenDraw, RectOutlineIncludesRightAndBottom) {
    ASSERT_TRUE(screen.DrawRect(QxRect{2, 5, 2, 4}, QxColour(255, 255, 255)));
    EXPECT_EQ(Px(2, 2), 0x7FFF);
    EXPECT_EQ(Px(5, 2), 0x7FFF);
    EXPECT_EQ(Px(5, 4), 0x7FFF);
    EXPECT_EQ(Px(3, 4), 0x7FFF);
    EXPECT_EQ(Px(3, 3), Rgb(2, 2, 2));
}

TEST_F(ScreenDraw, FillRectSolidAndBlended) {
    ASSERT_TRUE(screen.FillRect(QxRect{0, 2, 0, 2}, QxColour(255, 255, 255)));
    EXPECT_EQ(Px(1, 1), 0x7FFF);
    EXPECT_EQ(Px(2, 1), Rgb(2, 2, 2));
    ASSERT_TRUE(screen.FillRect(QxRect{0, 2, 0, 2}, QxColour(0, 0, 0, 128)));
    EXPECT_EQ(Px(0, 0), 0x3DEF);
    ASSERT_TRUE(screen.FillRect(QxRect{0, 2, 0, 2}, QxColour(255, 0, 0, 0)));
    EXPECT_EQ(Px(0, 0), 0x3DEF);
    ASSERT_TRUE(screen.FillRect(QxRect{5, 3, 0, 2}, QxColour(255, 0, 0)));
    EXPECT_EQ(Px(4, 0), Rgb(2, 2, 2));
}

TEST_F(ScreenDraw, TintRectSkipsZeroPixels) {
    Px(0, 0) = 0x7FFF;
    Px(1, 0) = 0;
    ASSERT_TRUE(screen.TintRect(0, 0, 2, 1, QxColour(255, 128, 0)));
    EXPECT_EQ(Px(0, 0), 0x79E0);
    EXPECT_EQ(Px(1, 0), 0);
    EXPECT_EQ(Px(2, 0), Rgb(2, 2, 2));
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
    EXPECT_FALSE(screen.DrawHLine(0, 0, 1, QxColour()));
    EXPECT_FALSE(screen.DrawLine({0, 0}, {1, 1}, QxColour()));
    EXPECT_FALSE(screen.TintRect(0, 0, 1, 1, QxColour()));
    EXPECT_FALSE(screen.DrawImage16(img, 0, 0, 0, 0, -1, -1, false));
    QxSurface s;
    s.Resize(1, 1);
    EXPECT_FALSE(screen.DrawSurface(s, 0, 0, 0, 0, -1, -1, false));
    EXPECT_FALSE(screen.DrawSurface(QxSurfaceHandle{1}, 0, 0, 0, 0, -1, -1, false));
}

} // namespace

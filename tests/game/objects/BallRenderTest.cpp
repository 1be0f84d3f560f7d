// Drawing balls: the glass ball's lens tables and its rendering from the screen behind
// it, the sprite and animated balls, kinds and heights of the ball types, and a picture
// of a small board (written as a PNG when RONDELIX_BOARD_PNG names a file).
#include <gtest/gtest.h>

#include <cstdlib>

#include "game/objects/BallTestSupport.h"
#include "engine/screen/QxPng.h"

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
    std::uint16_t Pixel(int x, int y) {
        QxSurfaceDesc desc;
        EXPECT_TRUE(screen_.LockBackBuffer(&desc));
        std::uint16_t value = 0;
        std::memcpy(&value, desc.pixels + y * desc.pitch + 2 * x, 2);
        screen_.UnlockBackBuffer();
        return value;
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

// ---- lens tables ------------------------------------------------------------------

TEST_F(BallRenderTest, LensEntriesOnChosenPixels) {
    struct Case {
        int i, j;
        int dx, dy, shade, alpha;
    };
    const Case cases[] = {
        {28, 28, 1, 1, 170, 115},   // just right of and below the centre
        {27, 27, -1, -1, 177, 112}, // towards the light
        {10, 10, -32, -32, 242, 79}, {45, 45, 32, 32, 124, 138}, {28, 5, 1, -53, 198, 101},
        {20, 40, -25, 42, 145, 128}, {50, 28, 53, 1, 128, 136},
    };
    for (const Case& c : cases) {
        const PyxLensEntry e = PyxEntityRenderedBallType::MakeLensEntry(c.i, c.j, 0);
        EXPECT_EQ(e.dx, c.dx) << c.i << "," << c.j;
        EXPECT_EQ(e.dy, c.dy) << c.i << "," << c.j;
        EXPECT_EQ(e.red, c.shade) << c.i << "," << c.j;
        EXPECT_EQ(e.green, c.shade);
        EXPECT_EQ(e.blue, c.shade);
        EXPECT_EQ(e.alpha, c.alpha) << c.i << "," << c.j;
    }
    const PyxLensEntry corner = PyxEntityRenderedBallType::MakeLensEntry(0, 0, 0);
    EXPECT_EQ(corner.alpha, 0); // beyond the rim
    EXPECT_EQ(corner.dx, 0);
    EXPECT_EQ(corner.dy, 0);
}

TEST_F(BallRenderTest, TheTypeBuildsFourTablesWhenItLoads) {
    auto* type =
        static_cast<PyxEntityRenderedBallType*>(registry_->FindType("PyxRenderedBall", "glass"));
    EXPECT_TRUE(type->Lens(0).empty());
    type->Load(false);
    for (int tint = 0; tint < PyxEntityRenderedBallType::kTints; ++tint)
        ASSERT_EQ(type->Lens(tint).size(), 56u * 56u);
    const PyxLensEntry& e = type->Lens(0)[28 * 56 + 28];
    EXPECT_EQ(e.alpha, 115);
    const PyxLensEntry& cyan = type->Lens(2)[10 * 56 + 10]; // tint (0, 1, 1)
    EXPECT_EQ(cyan.red, 0);
    EXPECT_EQ(cyan.green, 242);
    EXPECT_EQ(cyan.alpha, 79);
    EXPECT_FLOAT_EQ(type->Radius(), 28.0f);
    EXPECT_TRUE(type->IsKind(QxKindTag("RNBL")));
    EXPECT_TRUE(type->IsKind(QxKindTag("BALL")));
    EXPECT_FALSE(type->IsKind(QxKindTag("ASBL")));
    ASSERT_NE(type->Image(), nullptr);
    EXPECT_EQ(type->Image()->width, 57);
}

// ---- rendering --------------------------------------------------------------------

TEST_F(BallRenderTest, TheGlassBlendsTheScreenBehindItTowardsItsShade) {
    Fill({0, 640, 0, 480}, Rgb(80, 160, 240));
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
}

TEST_F(BallRenderTest, TheGlassRefractsWhatLiesBesideIt) {
    Fill({0, 640, 0, 480}, Rgb(0, 0, 0));
    Fill({100 + 50 + 53, 100 + 50 + 54, 100 + 28 + 1, 100 + 28 + 2}, Rgb(248, 0, 0));
    auto* ball = Place<PyxEntityRenderedBall>("PyxRenderedBall", "glass", 128, 128);
    ball->Update(0.0f);
    ASSERT_TRUE(ball->RenderImage());
    // Pixel (50, 28) looks 53 to the right and 1 down.
    EXPECT_EQ(ImagePixel(*ball->Image(), 50, 28), Blended(248, 0, 0, 128, 136));
    EXPECT_EQ(ImagePixel(*ball->Image(), 49, 28), Blended(0, 0, 0, 128, 136) | 0);
}

TEST_F(BallRenderTest, OffTheScreenTheGlassShowsGreyAndBeyondTheLeftEdgeNothing) {
    Fill({0, 640, 0, 480}, Rgb(0, 0, 248));
    auto* right = Place<PyxEntityRenderedBall>("PyxRenderedBall", "glass", 100, 100);
    right->SetDrawPosition(600, 100);
    ASSERT_TRUE(right->RenderImage());
    // (50, 28) reads column 653: beyond the screen.
    EXPECT_EQ(ImagePixel(*right->Image(), 50, 28), Blended(50, 50, 50, 128, 136));

    right->SetDrawPosition(-10, 100);
    ASSERT_TRUE(right->RenderImage());
    EXPECT_EQ(ImagePixel(*right->Image(), 5, 28), 0); // screen column -5: skipped
    EXPECT_NE(ImagePixel(*right->Image(), 10, 28), 0);
}

TEST_F(BallRenderTest, DrawingPutsTheRenderedImageOnTheScreenKeyed) {
    Fill({0, 640, 0, 480}, Rgb(80, 160, 240));
    auto* ball = Place<PyxEntityRenderedBall>("PyxRenderedBall", "glass", 128, 128);
    ball->Update(0.0f);
    ball->Draw();
    EXPECT_EQ(Pixel(128, 128), Blended(80, 160, 240, 170, 115));
    EXPECT_EQ(Pixel(100, 100), Rgb(80, 160, 240)); // transparent corner
    EXPECT_EQ(ball->GetImage(), ball->RenderedType()->ImageHandle());
}

// ---- the other balls --------------------------------------------------------------

TEST_F(BallRenderTest, BallTypesAnswerTheirKindsAndDefaultHeight) {
    AddList("gfx/ball.ims", {Disc(20, Rgb(0, 0, 255))});
    Define("class PyxCharacterBall\ntype face\nImage gfx/ball.ims\n");
    Define("class PyxPickupBall\ntype special\nImage gfx/ball.ims\nHeight 0.7\n");
    Define("class PyxAnimSpriteBall\ntype spiky\nImage gfx/ball.ims\n");
    auto kinds = [&](const std::string& cls, const std::string& type) {
        const QxEntityBaseType* t = registry_->FindType(cls, type);
        std::string answer;
        for (const char* k : {"BALL", "ASBL", "CHBL", "PKBL", "RNBL", "POST", "UNKN"}) {
            if (t->IsKind(QxKindTag({k[0], k[1], k[2], k[3], 0})))
                answer += std::string(k) + " ";
        }
        return answer;
    };
    EXPECT_EQ(kinds("PyxCharacterBall", "face"), "BALL ASBL CHBL UNKN ");
    EXPECT_EQ(kinds("PyxPickupBall", "special"), "BALL PKBL UNKN ");
    EXPECT_EQ(kinds("PyxAnimSpriteBall", "spiky"), "BALL ASBL UNKN ");
    EXPECT_EQ(kinds("PyxRenderedBall", "glass"), "BALL RNBL UNKN ");
    const auto* face = static_cast<const PyxEntityGameObjectType*>(
        registry_->FindType("PyxCharacterBall", "face"));
    EXPECT_FLOAT_EQ(face->Height(), 0.4f);
    EXPECT_TRUE(face->HasTypeFlags(kTypeBall));
    EXPECT_FLOAT_EQ(
        static_cast<const PyxEntityGameObjectType*>(registry_->FindType("PyxPickupBall", "special"))
            ->Height(),
        0.7f);
}

TEST_F(BallRenderTest, AnimatedBallsDrawTheirFrameAndFadeWithTheirAlpha) {
    AddList("gfx/two.ims", {Picture(20, 20, Rgb(248, 0, 0)), Picture(20, 20, Rgb(0, 248, 0))});
    Define("class PyxAnimSpriteBall\ntype blinker\nImage gfx/two.ims\nFrameRate 4\nRadius 10\n");
    Fill({0, 640, 0, 480}, Rgb(0, 0, 0));
    auto* ball = Place<PyxEntityAnimSpriteBall>("PyxAnimSpriteBall", "blinker", 100, 100);
    ball->Update(0.0f);
    EXPECT_EQ(ball->DrawX(), 90);
    ball->Draw();
    EXPECT_EQ(Pixel(100, 100), Rgb(248, 0, 0));
    ball->Update(250.0f); // a quarter second at 4 frames a second
    EXPECT_EQ(ball->CurrentFrame(), 1);
    ball->SetAlpha(128);
    ball->Draw();
    EXPECT_EQ(Pixel(100, 100), Rgb(120, 120, 0)); // half way from red to green
}

TEST_F(BallRenderTest, ASpriteBallDrawsItsTypesSprite) {
    AddBitmap("gfx/plain.bmp", Disc(24, Rgb(200, 200, 0)));
    Define("class sprite\ntype plainball\nimage gfx/plain.bmp\ntransparent 1\n");
    Define("class PyxSpriteBall\ntype plain\nImageEntType plainball\nRadius 12\n");
    Fill({0, 640, 0, 480}, Rgb(0, 0, 0));
    auto* ball = Place<PyxEntitySpriteBall>("PyxSpriteBall", "plain", 200, 100);
    ball->Update(0.0f);
    EXPECT_EQ(ball->DrawnRect(), (QxRect{188, 212, 88, 112}));
    ball->Draw();
    EXPECT_EQ(Pixel(200, 100), Rgb(200, 200, 0));
    EXPECT_EQ(Pixel(188, 88), 0);
    EXPECT_NE(ball->GetImage(), PyxEntityGameObject::kNoImage);
}

// ---- a board ----------------------------------------------------------------------

TEST_F(BallRenderTest, ASmallBoardWithBallsAndPosts) {
    level_ = std::make_unique<PyxLevel>();
    events_.level = level_.get();
    Board(8, 6, 40);
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 8; ++col) {
            const bool dark = (row + col) % 2 == 0;
            Fill({40 + col * kCell, 40 + (col + 1) * kCell, 40 + row * kCell,
                  40 + (row + 1) * kCell},
                 dark ? Rgb(40, 70, 40) : Rgb(70, 110, 60));
        }
    }
    Fill({40 + 3 * kCell, 40 + 4 * kCell, 40, 40 + 6 * kCell}, Rgb(200, 60, 40)); // a stripe
    AddBitmap("gfx/up.bmp", Disc(36, Rgb(230, 230, 230)));
    AddBitmap("gfx/down.bmp", Disc(36, Rgb(90, 90, 90)));
    AddBitmap("gfx/glow.bmp", Picture(36, 36, Rgb(255, 255, 0), 0));
    Define("class sprite\ntype up\nimage gfx/up.bmp\ntransparent 1\n");
    Define("class sprite\ntype down\nimage gfx/down.bmp\ntransparent 1\n");
    Define("class PyxBasicPost\ntype up\nUpImageEntType up\nDownImageEntType down\nDefaultUp 1\n");
    Define("class PyxBasicPost\ntype down\nUpImageEntType up\nDownImageEntType down\n");
    AddList("gfx/gear.ims", {Disc(30, Rgb(240, 160, 0)), Disc(30, Rgb(200, 120, 0))});
    Define("class PyxAnimPost\ntype gear\nImage gfx/gear.ims\nGear 1\nRadius 15\n");
    AddList("gfx/wall.ims", {Picture(40, 12, Rgb(160, 160, 200))});
    Define("class PyxAnimPost\ntype wall\nImage gfx/wall.ims\nShape Rect\nNormX -1\nNormY -1\n");
    AddList("gfx/red.ims", {Disc(40, Rgb(220, 30, 30)), Disc(40, Rgb(190, 20, 20))});
    AddList("gfx/eyes.ims", std::vector<QxImage>(15, Picture(16, 8, Rgb(255, 255, 255), 2)));
    Define("class PyxCharacterBall\ntype face\nImage gfx/red.ims\nEyes gfx/eyes.ims\nRadius 20\n"
           "OffsetRight 18, 8\n");
    Define("class PyxPickupBall\ntype special\nImage gfx/red.ims\nRadius 20\n");

    Place("PyxBasicPost", "up", 1 * kCell, 1 * kCell);
    Place("PyxBasicPost", "down", 2 * kCell, 1 * kCell);
    Place("PyxAnimPost", "gear", 5 * kCell, 2 * kCell);
    Place("PyxAnimPost", "wall", 6 * kCell + 28, 4 * kCell + 28);
    Roll<PyxEntityCharacterBall>("PyxCharacterBall", "face", 28, 2 * kCell + 28, 1, 0, 0.1f);
    Roll<PyxEntityPickupBall>("PyxPickupBall", "special", 4 * kCell + 28, 5 * kCell + 28, -1, 0,
                              0.1f);
    Roll<PyxEntityRenderedBall>("PyxRenderedBall", "glass", 3 * kCell + 28, 2 * kCell + 28, 0, 1,
                                0.1f);
    level_->Update(16.0f);
    level_->Draw();

    // The glass ball sits over the stripe: its middle is tinted, its corner untouched.
    const int gx = 40 + 3 * kCell + 28;
    const int gy = 40 + 2 * kCell + 28 + 1;
    EXPECT_NE(Pixel(gx, gy), Rgb(200, 60, 40));
    EXPECT_EQ(Pixel(40 + 1 * kCell, 40 + 1 * kCell), Rgb(230, 230, 230)); // up post
    EXPECT_EQ(Pixel(40 + 2 * kCell, 40 + 1 * kCell), Rgb(90, 90, 90));    // down post

    if (const char* path = std::getenv("RONDELIX_BOARD_PNG")) {
        QxSurfaceDesc desc;
        ASSERT_TRUE(screen_.LockBackBuffer(&desc));
        EXPECT_TRUE(SavePng(path, reinterpret_cast<const std::uint16_t*>(desc.pixels), desc.width,
                            desc.height, desc.pitch));
        // The glass ball four times as large, to look at the lens.
        constexpr int kZoom = 4;
        constexpr int kSide = 80;
        std::vector<std::uint16_t> zoom(std::size_t(kSide * kZoom) * kSide * kZoom);
        for (int y = 0; y < kSide * kZoom; ++y) {
            for (int x = 0; x < kSide * kZoom; ++x) {
                const int sx = gx - kSide / 2 + x / kZoom;
                const int sy = gy - kSide / 2 + y / kZoom;
                std::memcpy(&zoom[std::size_t(y) * kSide * kZoom + x],
                            desc.pixels + sy * desc.pitch + 2 * sx, 2);
            }
        }
        screen_.UnlockBackBuffer();
        EXPECT_TRUE(SavePng(std::string(path) + ".zoom.png", zoom.data(), kSide * kZoom,
                            kSide * kZoom, kSide * kZoom * 2));
    }
}

} // namespace
} // namespace balltest

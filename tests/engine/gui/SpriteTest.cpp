// Sprites and animated sprites drawn into the headless screen from bitmaps and image
// lists written by the test.

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/gui/GuiFixture.h"
#include "engine/gui/QxEntity2DGUIAnimSprite.h"
#include "engine/gui/QxEntity2DGUIScrollingSprite.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/gui/QxEntity2DScene.h"
#include "engine/gui/WidgetTestSupport.h"

namespace {

const QxColour kRed(255, 0, 0);
const QxColour kGreen(0, 255, 0);
const QxColour kBlue(0, 0, 255);
const QxColour kWhite(255, 255, 255);
const QxColour kYellow(255, 255, 0);

constexpr std::uint16_t kHalfWhite = (15 << 10) | (15 << 5) | 15;

class SpriteTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        WriteBitmap("red.bmp", SolidImage(4, 3, kRed));
        WriteBitmap("blue.bmp", SolidImage(5, 5, kBlue));
        WriteBitmap("white.bmp", SolidImage(4, 4, kWhite));
        ClearScreen();
    }

    std::unique_ptr<QxEntity2DGUISprite> MakeSprite(const std::string& type,
                                                    const std::string& keys) {
        if (!Define("class sprite\ntype " + type + "\n" + keys)) {
            return nullptr;
        }
        return CreateElement<QxEntity2DGUISprite>("sprite", type);
    }
};

TEST_F(SpriteTest, DrawsItsImageAtThePositionPlusTheOffset) {
    auto sprite = MakeSprite("red", "image red.bmp\nxoffset 2\nyoffset 1\n");
    ASSERT_NE(sprite, nullptr);
    sprite->SetPosition(QxPoint{10, 20});
    sprite->Draw();
    EXPECT_EQ(Pixel(12, 21), Rgb555(kRed));
    EXPECT_EQ(Pixel(15, 23), Rgb555(kRed));
    EXPECT_EQ(Pixel(11, 21), 0);
    EXPECT_EQ(Pixel(16, 23), 0);
    EXPECT_EQ(Pixel(12, 24), 0);
    EXPECT_EQ(sprite->GetRect(), (QxRect{10, 14, 20, 23}));
    std::int32_t width = 0;
    std::int32_t height = 0;
    EXPECT_TRUE(sprite->GetInt(769, width));
    EXPECT_TRUE(sprite->GetInt(770, height));
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 3);
}

TEST_F(SpriteTest, TransparentImagesKeepTheirBlackPixelsOut) {
    QxImage picture = SolidImage(2, 1, kGreen);
    widgettest::Put(picture, 1, 0, QxColour(0, 0, 0));
    WriteBitmap("holed.bmp", picture);
    auto keyed = MakeSprite("keyed", "image holed.bmp\ntransparent 1\n");
    auto solid = MakeSprite("solid", "image holed.bmp\n");
    Screen().FillRect(QxRect{0, 10, 0, 10}, kWhite);
    keyed->Draw();
    solid->SetPosition(QxPoint{0, 5});
    solid->Draw();
    EXPECT_EQ(Pixel(0, 0), Rgb555(kGreen));
    EXPECT_EQ(Pixel(1, 0), Rgb555(kWhite));
    EXPECT_EQ(Pixel(1, 5), 0);
}

TEST_F(SpriteTest, MaskBlendsEachPixelByItsGreyLevelButAlphaBelowOpaqueDrawsEvenly) {
    QxImage mask = AlphaMaskImage(4, 4, 255);
    mask.pixels[1] = 0;   // (1, 0) transparent
    mask.pixels[2] = 128; // (2, 0) half
    WriteBitmap("mask.bmp", mask);
    auto sprite = MakeSprite("masked", "image white.bmp\nalphaimage mask.bmp\n");
    ASSERT_NE(sprite, nullptr);
    sprite->Draw();
    EXPECT_EQ(Pixel(0, 0), Blend555(kWhite, QxColour(0, 0, 0), 255));
    EXPECT_EQ(Pixel(1, 0), 0);
    EXPECT_EQ(Pixel(2, 0), kHalfWhite);
    ASSERT_NE(sprite->SpriteType()->AlphaMask(), nullptr);
    ClearScreen();
    sprite->SetAlpha(128); // the constant alpha draw, not the mask
    sprite->Draw();
    EXPECT_EQ(Pixel(1, 0), kHalfWhite);
}

TEST_F(SpriteTest, RenamingTheImageChangesEveryInstanceAndFallsBackWhenMissing) {
    auto first = MakeSprite("swap", "image red.bmp\n");
    auto second = CreateElement<QxEntity2DGUISprite>("sprite", "swap");
    first->Draw();
    EXPECT_TRUE(first->SetString(771, "blue.bmp"));
    second->SetPosition(QxPoint{20, 0});
    second->Draw();
    EXPECT_EQ(Pixel(20, 0), Rgb555(kBlue));
    EXPECT_TRUE(first->SetString(771, "nothing.bmp"));
    second->SetPosition(QxPoint{40, 0});
    second->Draw();
    EXPECT_EQ(Pixel(40, 0), Rgb555(kRed));
}

TEST_F(SpriteTest, FailedDrawIsRetriedOnceAfterReloading) {
    auto sprite = MakeSprite("red", "image red.bmp\n");
    sprite->Draw();
    // The display lost every surface (a mode change): the first draw fails, the type
    // reloads its image and the second attempt draws.
    Screen().FreeAllSurfaces();
    ClearScreen();
    sprite->Draw();
    EXPECT_EQ(Pixel(0, 0), Rgb555(kRed));
    EXPECT_EQ(Cache().ImageCount(), 1u);
}

// Drawn the other way, the sprite adds its colour to what is below; a click counts on
// its picture's edges too. Hidden or without a picture it draws nothing.
TEST_F(SpriteTest, AdditiveSpriteAddsItsColourAndTakesClicksOnItsPicture) {
    auto sprite = MakeSprite("glow", "image red.bmp\n");
    auto blank = MakeSprite("blank", "");
    Screen().FillRect(QxRect{0, 10, 0, 10}, kBlue);
    EXPECT_TRUE(sprite->SetInt(773, 1) && sprite->SetInt(772, 0) && blank->SetInt(772, 0));
    std::int32_t alternate = 0;
    EXPECT_TRUE(sprite->GetInt(773, alternate));
    EXPECT_EQ(alternate, 1);
    sprite->Draw();
    blank->Draw();
    EXPECT_EQ(Pixel(3, 2), Rgb555(QxColour(255, 0, 255)));
    EXPECT_EQ(Pixel(4, 2), Rgb555(kBlue));
    EXPECT_TRUE(sprite->Click(QxPoint{4, 3}));
    EXPECT_FALSE(sprite->Click(QxPoint{5, 3}));
    sprite->SetVisible(false);
    ClearScreen();
    sprite->Draw();
    EXPECT_EQ(Pixel(0, 0), 0);
}

// ---- animated sprites ------------------------------------------------------------------

class AnimSpriteTest : public SpriteTest {
protected:
    void SetUp() override {
        SpriteTest::SetUp();
        WriteImageList("walk.img",
                       {SolidImage8(4, 4, kRed, "a"), SolidImage8(4, 4, kGreen, "b"),
                        SolidImage8(4, 4, kBlue, "c"), SolidImage8(6, 2, kYellow, "d")});
    }

    std::unique_ptr<QxEntity2DGUIAnimSprite> MakeAnim(const std::string& type,
                                                      const std::string& keys) {
        if (!Define("class animsprite\ntype " + type + "\n" + keys)) {
            return nullptr;
        }
        return CreateElement<QxEntity2DGUIAnimSprite>("animsprite", type);
    }
};

TEST_F(AnimSpriteTest, MaskListGivesEachFrameItsMask) {
    WriteImageList("walkmask.img", {AlphaMaskImage(4, 4, 255), AlphaMaskImage(4, 4, 0)});
    auto anim = MakeAnim("masked", "image walk.img\nalphaimage walkmask.img\n");
    const std::uint16_t red = Blend555(kRed, QxColour(0, 0, 0), 255);
    anim->Draw();
    EXPECT_EQ(Pixel(0, 0), red);
    anim->SetInt(774, 1);
    anim->Draw();
    EXPECT_EQ(Pixel(0, 0), red); // frame 1's mask is clear: nothing drawn
    anim->SetInt(774, 2);
    anim->Draw(); // frames past the list use its last mask
    EXPECT_EQ(Pixel(0, 0), red);
    EXPECT_EQ(anim->AnimType()->AlphaMask(3), anim->AnimType()->AlphaMask(1));
}

// A negative rate plays backwards from the last frame; paused, the frame stays. A single
// mask file masks every frame; a sprite without masks has none.
TEST_F(AnimSpriteTest, BackwardsPausedAndSingleMaskedAnimations) {
    WriteBitmap("clear.bmp", AlphaMaskImage(4, 4, 0));
    auto back = MakeAnim("back", "image walk.img\nFrameRate -10\nxoffset 3\n");
    auto masked = MakeAnim("clear", "image walk.img\nalphaimage clear.bmp\n");
    back->Draw();
    back->Update(16.0f);
    back->SetInt(897, 0);
    back->Update(500.0f);
    std::int32_t frame = 0, width = 0, height = 0;
    EXPECT_TRUE(back->GetInt(774, frame) && back->GetInt(769, width) && back->GetInt(770, height));
    EXPECT_EQ((std::vector{frame, width, height}), (std::vector{3, 6, 2}));
    EXPECT_EQ(back->Frame(), 3u);
    EXPECT_EQ(back->AnimType()->AlphaMask(0), nullptr);
    masked->SetPosition(QxPoint{0, 10});
    masked->Draw();
    EXPECT_EQ(Pixel(0, 10), 0);
    Screen().FreeAllSurfaces(); // a mode change: the draw reloads and tries again
    ClearScreen();
    back->Draw();
    EXPECT_EQ(Pixel(3, 0), Rgb555(kYellow));
    EXPECT_EQ(Pixel(2, 0), 0);
}

// A scrolling sprite repeats its image across its box and moves the pattern through it.
TEST_F(SpriteTest, AScrollingSpriteTilesItsBoxAndWrapsTheImageAsItMoves) {
    QxImage stripes = SolidImage(4, 2, kRed);
    widgettest::Put(stripes, 0, 0, kBlue);
    widgettest::Put(stripes, 0, 1, kBlue);
    WriteBitmap("stripes.bmp", stripes);
    ASSERT_NE(Define("class scrollingsprite\ntype band\nimage stripes.bmp\nBoxWidth 10\n"
                     "BoxHeight 3\nHorizScrollSpeed 1000\n"),
              nullptr);
    auto band = CreateElement<QxEntity2DGUIScrollingSprite>("scrollingsprite", "band");
    ASSERT_NE(band, nullptr);
    band->SetPosition(QxPoint{20, 20});
    band->Draw();
    for (const auto& [x, y] : {std::pair{20, 20}, {24, 20}, {28, 22}})
        EXPECT_EQ(Pixel(x, y), Rgb555(kBlue)) << x << "," << y;
    EXPECT_EQ(Pixel(21, 21), Rgb555(kRed));
    EXPECT_EQ(Pixel(30, 20), 0) << "the box ends";
    EXPECT_EQ(Pixel(20, 23), 0);
    band->Update(1.0f);
    band->Draw();
    EXPECT_EQ(Pixel(23, 20), Rgb555(kBlue)) << "one pixel on at 1000 a second";
    EXPECT_EQ(Pixel(20, 20), Rgb555(kRed));
}

// ---- in a scene ------------------------------------------------------------------------

} // namespace

// Sprites, animated sprites and scrolling sprites drawn into the headless screen from
// bitmaps and image lists written by the test.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/gui/GuiFixture.h"
#include "engine/gui/QxEntity2DGUIAnimSprite.h"
#include "engine/gui/QxEntity2DGUIScrollingSprite.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/gui/QxEntity2DScene.h"

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

TEST_F(SpriteTest, ClickIncludesTheEdgesOfTheImage) {
    auto sprite = MakeSprite("red", "image red.bmp\nxoffset 2\nyoffset 1\n");
    sprite->SetPosition(QxPoint{10, 20});
    sprite->Draw(); // learns its size
    EXPECT_TRUE(sprite->Click(QxPoint{12, 21}));
    EXPECT_TRUE(sprite->Click(QxPoint{16, 24}));
    EXPECT_FALSE(sprite->Click(QxPoint{17, 24}));
    EXPECT_FALSE(sprite->Click(QxPoint{11, 21}));
    EXPECT_FALSE(sprite->Click(QxPoint{12, 25}));
}

TEST_F(SpriteTest, TransparentImagesKeepTheirBlackPixelsOut) {
    QxImage picture = SolidImage(2, 1, kGreen);
    SetImagePixel(picture, 1, 0, QxColour(0, 0, 0));
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

TEST_F(SpriteTest, MissingImageDrawsNothingAndCountsAsLoaded) {
    auto sprite = MakeSprite("missing", "image missing.bmp\n");
    ASSERT_NE(sprite, nullptr);
    EXPECT_TRUE(sprite->Draw());
    EXPECT_TRUE(sprite->Type()->IsLoaded());
    EXPECT_EQ(sprite->SpriteType()->Image(), nullptr);
    EXPECT_EQ(Pixel(0, 0), 0);
    EXPECT_NE(ReadLog().find("Unable to open image: missing.bmp"), std::string::npos);
}

TEST_F(SpriteTest, HiddenSpritesAreNotDrawn) {
    auto sprite = MakeSprite("red", "image red.bmp\n");
    sprite->SetVisible(false);
    sprite->Draw();
    EXPECT_EQ(Pixel(0, 0), 0);
}

TEST_F(SpriteTest, AlphaBelowOpaqueTakesTheConstantAlphaDrawNotTheMask) {
    WriteBitmap("clear.bmp", AlphaMaskImage(4, 4, 0));
    auto sprite = MakeSprite("masked", "image white.bmp\nalphaimage clear.bmp\n");
    ASSERT_NE(sprite, nullptr);
    sprite->Draw();
    EXPECT_EQ(Pixel(1, 1), 0); // the mask is fully transparent
    ASSERT_NE(sprite->SpriteType()->AlphaMask(), nullptr);
    sprite->SetAlpha(128);
    sprite->Draw();
    EXPECT_EQ(Pixel(1, 1), kHalfWhite);
}

TEST_F(SpriteTest, MaskBlendsEachPixelByItsGreyLevel) {
    QxImage mask = AlphaMaskImage(4, 4, 255);
    mask.pixels[1] = 0;   // (1, 0) transparent
    mask.pixels[2] = 128; // (2, 0) half
    WriteBitmap("mask.bmp", mask);
    auto sprite = MakeSprite("masked", "image white.bmp\nalphaimage mask.bmp\n");
    sprite->Draw();
    EXPECT_EQ(Pixel(0, 0), Blend555(kWhite, QxColour(0, 0, 0), 255));
    EXPECT_EQ(Pixel(1, 0), 0);
    EXPECT_EQ(Pixel(2, 0), kHalfWhite);
}

TEST_F(SpriteTest, MissingOrMisfittingMasksAreIgnored) {
    WriteBitmap("small.bmp", AlphaMaskImage(2, 2, 0));
    auto misfit = MakeSprite("misfit", "image white.bmp\nalphaimage small.bmp\n");
    misfit->Draw();
    EXPECT_EQ(Pixel(3, 3), Rgb555(kWhite));
    auto absent = MakeSprite("absent", "image red.bmp\nalphaimage nothere.bmp\n");
    absent->SetPosition(QxPoint{20, 0});
    absent->Draw();
    EXPECT_EQ(absent->SpriteType()->AlphaMask(), nullptr);
    EXPECT_EQ(Pixel(20, 0), Rgb555(kRed));
}

TEST_F(SpriteTest, AlternateDrawAddsToTheScreen) {
    auto sprite = MakeSprite("red", "image red.bmp\n");
    Screen().FillRect(QxRect{0, 10, 0, 10}, QxColour(0, 0, 255));
    EXPECT_TRUE(sprite->SetInt(773, 5));
    std::int32_t flag = 0;
    EXPECT_TRUE(sprite->GetInt(773, flag));
    EXPECT_EQ(flag, 1);
    sprite->Draw();
    EXPECT_EQ(Pixel(0, 0), Rgb555(QxColour(255, 0, 255)));
}

TEST_F(SpriteTest, RenamingTheImageChangesEveryInstanceAndFallsBackWhenMissing) {
    auto first = MakeSprite("swap", "image red.bmp\n");
    auto second = CreateElement<QxEntity2DGUISprite>("sprite", "swap");
    first->Draw();
    EXPECT_TRUE(first->SetString(771, "blue.bmp"));
    second->SetPosition(QxPoint{20, 0});
    second->Draw();
    EXPECT_EQ(Pixel(20, 0), Rgb555(kBlue));
    EXPECT_EQ(Cache().ImageCount(), 1u); // the red image was given back

    EXPECT_TRUE(first->SetString(771, "nothing.bmp"));
    EXPECT_EQ(first->SpriteType()->m_image, "red.bmp");
    second->SetPosition(QxPoint{40, 0});
    second->Draw();
    EXPECT_EQ(Pixel(40, 0), Rgb555(kRed));
}

TEST_F(SpriteTest, RedrawRequestMarksTheImage) {
    auto sprite = MakeSprite("red", "image red.bmp\n");
    sprite->SetPosition(QxPoint{100, 50});
    sprite->Type()->Load(false);
    Screen().ClearDirty();
    EXPECT_TRUE(sprite->SetInt(772, 0));
    const auto dirty = Screen().GetDirtyList();
    ASSERT_EQ(dirty.size(), 1u);
    EXPECT_EQ(dirty[0], (QxRect{100, 104, 50, 53}));
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

TEST_F(SpriteTest, DitherRequestReachesTheCache) {
    auto sprite = MakeSprite("dithered", "image red.bmp\ndither 1\n");
    sprite->Draw();
    ASSERT_NE(sprite->SpriteType()->Image(), nullptr);
    EXPECT_EQ(sprite->SpriteType()->Image()->flags & 16u, 16u);
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

TEST_F(AnimSpriteTest, SettingAFrameClampsToTheLastFrame) {
    auto anim = MakeAnim("walk", "image walk.img\n");
    ASSERT_NE(anim, nullptr);
    EXPECT_TRUE(anim->SetInt(774, 10));
    std::int32_t frame = 0;
    EXPECT_TRUE(anim->GetInt(774, frame));
    EXPECT_EQ(frame, 3);
    EXPECT_FLOAT_EQ(anim->FramePosition(), 3.0f);
    std::int32_t width = 0;
    EXPECT_TRUE(anim->GetInt(769, width));
    EXPECT_EQ(width, 6);
}

TEST_F(AnimSpriteTest, TenFramesPerSecondAdvanceEvery100MsAndWrap) {
    auto anim = MakeAnim("walk", "image walk.img\nFrameRate 10\n");
    std::vector<std::uint32_t> frames;
    for (int i = 0; i < 26; ++i) {
        anim->Update(16.0f);
        frames.push_back(anim->Frame());
    }
    EXPECT_EQ(frames[5], 0u);  // 96 ms
    EXPECT_EQ(frames[6], 1u);  // 112 ms
    EXPECT_EQ(frames[12], 2u); // 208 ms
    EXPECT_EQ(frames[23], 3u); // 384 ms
    EXPECT_EQ(frames[25], 0u); // 416 ms: wrapped
}

TEST_F(AnimSpriteTest, PausedDisabledOrHiddenAnimationsStand) {
    auto anim = MakeAnim("walk", "image walk.img\nFrameRate 10\n");
    anim->SetInt(897, 0);
    anim->Update(250.0f);
    EXPECT_EQ(anim->Frame(), 0u);
    anim->SetInt(897, 1);
    anim->SetDisabled(true);
    anim->Update(250.0f);
    EXPECT_EQ(anim->Frame(), 0u);
    anim->SetDisabled(false);
    anim->SetVisible(false);
    anim->Update(250.0f);
    EXPECT_EQ(anim->Frame(), 0u);
    anim->SetVisible(true);
    anim->Update(250.0f);
    EXPECT_EQ(anim->Frame(), 2u);
}

TEST_F(AnimSpriteTest, NegativeFrameRatePlaysBackwards) {
    auto anim = MakeAnim("back", "image walk.img\nFrameRate -10\n");
    anim->Update(0.0f); // loads the list
    anim->Update(50.0f);
    EXPECT_EQ(anim->Frame(), 3u);
    anim->Update(100.0f);
    EXPECT_EQ(anim->Frame(), 2u);
}

TEST_F(AnimSpriteTest, DrawsTheCurrentFrameAndTakesItsSize) {
    auto anim = MakeAnim("walk", "image walk.img\nxoffset 1\n");
    anim->SetPosition(QxPoint{10, 10});
    anim->SetInt(774, 1);
    anim->Draw();
    EXPECT_EQ(Pixel(11, 10), Rgb555(kGreen));
    EXPECT_EQ(anim->GetRect(), (QxRect{10, 14, 10, 14}));
    anim->SetInt(774, 3);
    anim->Draw();
    EXPECT_EQ(Pixel(16, 10), Rgb555(kYellow));
    EXPECT_EQ(anim->GetRect(), (QxRect{10, 16, 10, 12}));
}

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

TEST_F(AnimSpriteTest, OneMaskFileServesEveryFrame) {
    WriteBitmap("half.bmp", AlphaMaskImage(4, 4, 128));
    auto anim = MakeAnim("half", "image walk.img\nalphaimage half.bmp\n");
    anim->SetInt(774, 2);
    anim->Draw();
    EXPECT_EQ(Pixel(0, 0), 15); // blue blended half over black
}

TEST_F(AnimSpriteTest, FailedDrawIsRetriedOnceAfterReloading) {
    auto anim = MakeAnim("walk", "image walk.img\n");
    anim->Draw();
    Screen().FreeAllSurfaces();
    ClearScreen();
    anim->Draw();
    EXPECT_EQ(Pixel(0, 0), Rgb555(kRed));
}

// ---- scrolling sprites -----------------------------------------------------------------

class ScrollingSpriteTest : public SpriteTest {
protected:
    void SetUp() override {
        SpriteTest::SetUp();
        // Eight columns: red, green, blue, white, then again.
        QxImage stripes = SolidImage(8, 2, kRed);
        const QxColour columns[4] = {kRed, kGreen, kBlue, kWhite};
        for (int x = 0; x < 8; ++x) {
            for (int y = 0; y < 2; ++y) {
                SetImagePixel(stripes, x, y, columns[x % 4]);
            }
        }
        WriteBitmap("stripes.bmp", stripes);
    }

    std::unique_ptr<QxEntity2DGUIScrollingSprite> MakeScroller(const std::string& keys) {
        if (!Define("class scrollingsprite\ntype scroll\nimage stripes.bmp\nBoxWidth 4\n"
                    "BoxHeight 2\n" +
                    keys)) {
            return nullptr;
        }
        return CreateElement<QxEntity2DGUIScrollingSprite>("scrollingsprite", "scroll");
    }
};

TEST_F(ScrollingSpriteTest, NegativeSpeedWrapsToTheFarEdge) {
    auto scroller = MakeScroller("HorizScrollSpeed -100\nVertScrollSpeed 100\n");
    ASSERT_NE(scroller, nullptr);
    scroller->Update(0.0f);
    scroller->Update(10.0f);
    EXPECT_FLOAT_EQ(scroller->ScrollX(), 7.0f);
    EXPECT_FLOAT_EQ(scroller->ScrollY(), 1.0f);
    scroller->Update(20.0f);
    EXPECT_FLOAT_EQ(scroller->ScrollX(), 5.0f);
    EXPECT_FLOAT_EQ(scroller->ScrollY(), 1.0f); // 3 wraps to 1 on an image 2 high
}

TEST_F(ScrollingSpriteTest, DrawsOnlyTheWindowWrappingAroundTheImage) {
    auto scroller = MakeScroller("HorizScrollSpeed 100\n");
    scroller->SetPosition(QxPoint{10, 10});
    scroller->Update(0.0f);
    scroller->Update(60.0f); // scrolled by 6
    scroller->Draw();
    EXPECT_EQ(Pixel(10, 10), Rgb555(kBlue));  // column 6
    EXPECT_EQ(Pixel(11, 10), Rgb555(kWhite)); // column 7
    EXPECT_EQ(Pixel(12, 10), Rgb555(kRed));   // column 0
    EXPECT_EQ(Pixel(13, 11), Rgb555(kGreen)); // column 1
    EXPECT_EQ(Pixel(14, 10), 0);              // outside the window
}

TEST_F(ScrollingSpriteTest, MarksTheWindowWhenTheScrollMovesAWholePixel) {
    auto scroller = MakeScroller("HorizScrollSpeed 10\n");
    scroller->SetPosition(QxPoint{10, 10});
    scroller->Update(0.0f);
    Screen().ClearDirty();
    scroller->Update(50.0f); // half a pixel
    EXPECT_TRUE(Screen().GetDirtyList().empty());
    scroller->Update(50.0f);
    ASSERT_EQ(Screen().GetDirtyList().size(), 1u);
    EXPECT_EQ(Screen().GetDirtyList()[0], (QxRect{10, 14, 10, 12}));
}

// ---- in a scene ------------------------------------------------------------------------

TEST_F(SpriteTest, SceneCursorIsRedrawnWhereItMovesTo) {
    ASSERT_NE(Define("class sprite\ntype arrow\nimage red.bmp\n"), nullptr);
    ASSERT_NE(Define("class 2DScene\ntype pointer\nCursorEnt sprite, arrow\n"), nullptr);
    auto scene = Create<QxEntity2DScene>("2DScene", "pointer");
    SetMouse(10, 10);
    scene->Update(16.0f);
    ClearScreen();
    Screen().ClearDirty();
    SetMouse(300, 200);
    scene->Update(16.0f);
    scene->Draw();
    EXPECT_EQ(Pixel(300, 200), Rgb555(kRed));
    EXPECT_EQ(Pixel(303, 202), Rgb555(kRed));
}

TEST_F(SpriteTest, RendersASceneToPng) {
    WriteBitmap("backdrop.bmp", SolidImage(640, 480, QxColour(24, 40, 88)));
    WriteBitmap("panel.bmp", SolidImage(200, 120, QxColour(200, 180, 60)));
    QxImage ring = AlphaMaskImage(200, 120, 0);
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 200; ++x) {
            const int dx = x - 100;
            const int dy = (y - 60) * 5 / 3;
            const int d2 = dx * dx + dy * dy;
            ring.pixels[static_cast<std::size_t>(y) * 200 + static_cast<std::size_t>(x)] =
                static_cast<std::uint8_t>(d2 < 90 * 90 ? 255 - d2 * 255 / (90 * 90) : 0);
        }
    }
    WriteBitmap("panelmask.bmp", ring);
    WriteImageList("lights.img", {SolidImage8(40, 40, kRed, "r"), SolidImage8(40, 40, kGreen, "g"),
                                  SolidImage8(40, 40, kBlue, "b")});
    QxImage stripes = SolidImage(64, 32, kWhite);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 64; ++x) {
            if ((x / 8 + y / 8) % 2 == 0) {
                SetImagePixel(stripes, x, y, QxColour(90, 20, 120));
            }
        }
    }
    WriteBitmap("checks.bmp", stripes);
    ASSERT_NE(Define("class sprite\ntype backdrop\nimage backdrop.bmp\n"), nullptr);
    ASSERT_NE(Define("class sprite\ntype panel\nimage panel.bmp\nalphaimage panelmask.bmp\n"),
              nullptr);
    ASSERT_NE(Define("class sprite\ntype ghost\nimage panel.bmp\n"), nullptr);
    ASSERT_NE(Define("class animsprite\ntype lights\nimage lights.img\nFrameRate 4\n"), nullptr);
    ASSERT_NE(Define("class scrollingsprite\ntype band\nimage checks.bmp\nBoxWidth 600\n"
                     "BoxHeight 32\nHorizScrollSpeed 40\n"),
              nullptr);
    ASSERT_NE(Define("class 2DScene\ntype showcase\nCursorEnt sprite, arrow\n"
                     "NumGUIElements 6\n"
                     "GUIElement1Ent sprite, backdrop\nGUIElement1Priority 0\n"
                     "GUIElement2Ent sprite, panel\nGUIElement2Pos 40, 60\nGUIElement2Priority 10\n"
                     "GUIElement3Ent sprite, ghost\nGUIElement3Pos 300, 60\n"
                     "GUIElement3Priority 10\n"
                     "GUIElement4Ent animsprite, lights\nGUIElement4Pos 80, 260\n"
                     "GUIElement4Priority 20\n"
                     "GUIElement5Ent scrollingsprite, band\nGUIElement5Pos 20, 400\n"
                     "GUIElement5Priority 600\n"
                     "GUIElement6Ent animsprite, lights\nGUIElement6Pos 140, 260\n"
                     "GUIElement6Priority 20\n"),
              nullptr);
    ASSERT_NE(Define("class sprite\ntype arrow\nimage red.bmp\n"), nullptr);
    auto scene = Create<QxEntity2DScene>("2DScene", "showcase");
    ASSERT_NE(scene, nullptr);
    SetMouse(500, 300);
    scene->Update(0.0f);
    auto& records = scene->SceneType()->Elements();
    auto it = records.begin();
    std::advance(it, 2);
    it->element->SetAlpha(128); // the ghost panel, half transparent
    std::advance(it, 2);
    it->element->SetInt(774, 1);
    scene->Update(100.0f);
    ClearScreen();
    scene->Draw();
    const std::string path = SaveScreenPng("showcase.png");
    ASSERT_FALSE(path.empty());
    std::printf("rendered %s\n", path.c_str());
    EXPECT_EQ(Pixel(0, 0), Rgb555(QxColour(24, 40, 88)));
    EXPECT_EQ(Pixel(140, 120), Blend555(QxColour(200, 180, 60), QxColour(24, 40, 88), 255));
    EXPECT_EQ(Pixel(41, 61), Rgb555(QxColour(24, 40, 88))); // masked corner
    EXPECT_EQ(Pixel(500, 300), Rgb555(kRed));               // the cursor
}

} // namespace

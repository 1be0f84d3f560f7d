// Posts: keys and shapes, normals, blocking, the mouse over a post, a post the player
// holds up, drawing by state, and the animated post's frames and shared loop.
#include <gtest/gtest.h>

#include <cmath>

#include "game/objects/BallTestSupport.h"

namespace balltest {
namespace {

class PostTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        AddBitmap("gfx/up.bmp", Picture(40, 40, Rgb(0, 200, 0)));
        AddBitmap("gfx/down.bmp", Picture(40, 40, Rgb(96, 96, 96)));
        AddBitmap("gfx/glow.bmp", Picture(40, 40, Rgb(255, 255, 0), 0));
        Define("class sprite\ntype postup\nimage gfx/up.bmp\ntransparent 1\n");
        Define("class sprite\ntype postdown\nimage gfx/down.bmp\ntransparent 1\n");
        // A highlight ring: only the centre square is transparent.
        QxImage ring = Picture(40, 40, Rgb(255, 255, 0));
        for (int y = 10; y < 30; ++y)
            std::memset(ring.Row(y) + 2 * 10, 0, 2 * 20);
        AddBitmap("gfx/ring.bmp", ring);
        Define("class sprite\ntype postglow\nimage gfx/ring.bmp\ntransparent 1\n");
        const std::string sprites = "UpImageEntType postup\nDownImageEntType postdown\n"
                                    "HighlightImageEntType postglow\nMouseRadius 5\n";
        Define("class PyxBasicPost\ntype gate\nUserChange 1\n" + sprites);
        Define("class PyxBasicPost\ntype sticky\nUserChange 1\nDefaultUp 1\n" + sprites);
        Define("class PyxBasicPost\ntype fixed\nDefaultUp 1\n" + sprites);
        Define("class PyxBasicPost\ntype lowered\n" + sprites);
        Define("class PyxBasicPost\ntype wide\nRadius 7.5\n" + sprites);
        Define("class PyxBasicPost\ntype slab\nShape Rect\nNormX 3\nNormY 4\n" + sprites);
        Define("class PyxBasicPost\ntype odd\nShape Triangle\nNormX 1\n" + sprites);
        AddList("gfx/spin.ims", {Picture(30, 20, Rgb(255, 0, 0)), Picture(30, 20, Rgb(0, 255, 0)),
                                 Picture(30, 20, Rgb(0, 0, 255))});
        Define("class PyxAnimPost\ntype spinner\nImage gfx/spin.ims\nFrameRate 10\n"
               "Sound sfx/hum.wav\nGear 1\nRadius 12\nHeight 0.3\n");
        Define("class PyxSpriteBall\ntype plain\nRadius 10\n");
        Board(6, 6);
    }

    PyxEntityBasicPost* Basic(const std::string& type, float x = 120, float y = 70) {
        return Place<PyxEntityBasicPost>("PyxBasicPost", type, x, y);
    }
    void Mouse(int x, int y, bool held) {
        g_mouseState.x = x;
        g_mouseState.y = y;
        g_mouseState.leftButton = held ? 1 : 0;
    }
    std::uint16_t Pixel(int x, int y) {
        QxSurfaceDesc desc;
        EXPECT_TRUE(screen_.LockBackBuffer(&desc));
        std::uint16_t value = 0;
        std::memcpy(&value, desc.pixels + y * desc.pitch + 2 * x, 2);
        screen_.UnlockBackBuffer();
        return value;
    }
    const PyxEntityGameObjectType* BallType() {
        return static_cast<const PyxEntityGameObjectType*>(
            registry_->FindType("PyxSpriteBall", "plain"));
    }
    const PyxEntityGameObjectType* PostType(const std::string& type) {
        return static_cast<const PyxEntityGameObjectType*>(
            registry_->FindType("PyxBasicPost", type));
    }
};

// ---- keys, shapes and normals ------------------------------------------------------

TEST_F(PostTest, PostTypesArePostsOfHeightPointTwoUnlessTold) {
    const auto* gate = PostType("gate");
    EXPECT_TRUE(gate->IsKind(QxKindTag("POST")));
    EXPECT_FALSE(gate->IsKind(QxKindTag("BALL")));
    EXPECT_TRUE(gate->HasTypeFlags(kTypePost));
    EXPECT_FLOAT_EQ(gate->Height(), 0.2f);
    const auto* spinner =
        static_cast<const PyxEntityAnimPostType*>(registry_->FindType("PyxAnimPost", "spinner"));
    EXPECT_TRUE(spinner->IsKind(QxKindTag("POST")));
    EXPECT_FLOAT_EQ(spinner->Height(), 0.3f);
    EXPECT_TRUE(spinner->IsGear());
    EXPECT_FALSE(static_cast<const PyxEntityPostBaseType*>(gate)->IsGear());
}

TEST_F(PostTest, ACircleWithoutRadiusTakesHalfTheUpSpritesWidth) {
    auto* gate = Basic("gate");
    const auto* circle = dynamic_cast<const PyxBlockCircle*>(gate->GetShape());
    ASSERT_NE(circle, nullptr);
    EXPECT_FLOAT_EQ(circle->Radius(), 20.0f);
    EXPECT_FLOAT_EQ(circle->X(), 120.0f);

    auto* wide = Basic("wide", 200, 200);
    EXPECT_FLOAT_EQ(static_cast<const PyxBlockCircle*>(wide->GetShape())->Radius(), 7.5f);
}

TEST_F(PostTest, ARectangularPostIsTheSizeOfItsUpSpriteWithAUnitNormal) {
    auto* slab = Basic("slab", 100, 60);
    const auto* rect = dynamic_cast<const PyxBlockRect*>(slab->GetShape());
    ASSERT_NE(rect, nullptr);
    EXPECT_FLOAT_EQ(rect->Left(), 80.0f);
    EXPECT_FLOAT_EQ(rect->Right(), 120.0f);
    EXPECT_FLOAT_EQ(rect->Top(), 40.0f);
    EXPECT_FLOAT_EQ(rect->Bottom(), 80.0f);
    const PyxVector normal = slab->CollisionNormal(slab);
    EXPECT_FLOAT_EQ(normal.x, 0.6f);
    EXPECT_FLOAT_EQ(normal.y, 0.8f);

    slab->SetPosition(200, 100); // the rectangle follows the post
    EXPECT_FLOAT_EQ(rect->Left(), 180.0f);
    EXPECT_FLOAT_EQ(rect->Bottom(), 120.0f);
}

TEST_F(PostTest, AnUnknownShapeKeepsTheCircleAndItsNormalPointsAtTheBall) {
    auto* odd = Basic("odd", 100, 100);
    ASSERT_NE(dynamic_cast<const PyxBlockCircle*>(odd->GetShape()), nullptr);
    auto* ball = Roll("PyxSpriteBall", "plain", 100, 50, 0, 1, 0.0f);
    const PyxVector normal = odd->CollisionNormal(ball);
    EXPECT_FLOAT_EQ(normal.x, 0.0f);
    EXPECT_FLOAT_EQ(normal.y, -1.0f);
    ball->SetPosition(100, 100);
    EXPECT_EQ(odd->CollisionNormal(ball), (PyxVector{0, 0}));
}

// ---- blocking ---------------------------------------------------------------------

TEST_F(PostTest, ABasicPostBlocksBallsOnlyWhileUpAndNeverPosts) {
    auto* lowered = Basic("lowered");
    auto* fixed = Basic("fixed", 200, 200);
    EXPECT_FALSE(lowered->Blocks(BallType()));
    EXPECT_TRUE(fixed->Blocks(BallType()));
    EXPECT_FALSE(fixed->Blocks(PostType("gate")));
    auto* spinner = Place<PyxEntityAnimPost>("PyxAnimPost", "spinner", 250, 250);
    EXPECT_TRUE(spinner->Blocks(BallType()));
    EXPECT_FALSE(spinner->Blocks(PostType("gate")));
}

TEST_F(PostTest, ABallRollsOverADownPostAndBouncesOffAnUpOne) {
    Basic("lowered", 60, 28);
    auto* ball = Roll("PyxSpriteBall", "plain", 28, 28, 1, 0, 0.1f);
    ball->Update(10.0f);
    EXPECT_EQ(ball->Direction(), (PyxVector{1, 0}));

    Basic("fixed", 200, 140);
    auto* other = Roll("PyxSpriteBall", "plain", 170, 140, 1, 0, 0.1f);
    other->Update(10.0f);
    EXPECT_EQ(other->Direction(), (PyxVector{-1, 0}));
}

// ---- the mouse --------------------------------------------------------------------

TEST_F(PostTest, HoverIsStrictlyInsideTheDrawnRectangleWidenedByTheMouseRadius) {
    auto* gate = Basic("gate"); // drawn 100 to 140, 50 to 90
    Mouse(0, 0, false);
    gate->Update(0.0f);
    EXPECT_EQ(gate->DrawnRect(), (QxRect{100, 140, 50, 90}));
    EXPECT_EQ(gate->MouseRect(), (QxRect{95, 145, 45, 95}));
    const struct {
        int x, y;
        bool inside;
    } cases[] = {{95, 70, false},  {96, 70, true},  {144, 70, true}, {145, 70, false},
                 {120, 45, false}, {120, 46, true}, {120, 94, true}, {120, 95, false}};
    for (const auto& c : cases) {
        Mouse(c.x, c.y, false);
        gate->Update(0.0f);
        EXPECT_EQ(gate->IsHovered(), c.inside) << c.x << ", " << c.y;
    }
}

TEST_F(PostTest, ThePlayerHoldsAPostUpWhileTheButtonIsDownOverIt) {
    auto* gate = Basic("gate");
    EXPECT_FALSE(gate->IsUp());
    Mouse(120, 70, true);
    gate->Update(0.0f); // hover is learnt in this update; the post follows in the next
    EXPECT_FALSE(gate->IsUp());
    gate->Update(0.0f);
    EXPECT_TRUE(gate->IsUp());
    EXPECT_TRUE(gate->Blocks(BallType()));

    Mouse(120, 70, false);
    gate->Update(0.0f);
    EXPECT_FALSE(gate->IsUp());

    Mouse(120, 70, true);
    gate->Update(0.0f);
    EXPECT_TRUE(gate->IsUp());
    Mouse(300, 300, true); // dragged off: down one update later
    gate->Update(0.0f);
    EXPECT_TRUE(gate->IsUp());
    gate->Update(0.0f);
    EXPECT_FALSE(gate->IsUp());
}

TEST_F(PostTest, APostThatStartsUpGoesDownOnItsFirstUpdateUnlessHeld) {
    auto* sticky = Basic("sticky");
    EXPECT_TRUE(sticky->IsUp());
    Mouse(300, 300, false);
    sticky->Update(0.0f);
    EXPECT_FALSE(sticky->IsUp());
}

TEST_F(PostTest, APostThePlayerMayNotChangeKeepsItsState) {
    auto* fixed = Basic("fixed");
    auto* lowered = Basic("lowered", 300, 300);
    for (int i = 0; i < 3; ++i) {
        Mouse(120, 70, i != 1);
        fixed->Update(0.0f);
        Mouse(300, 300, i != 1);
        lowered->Update(0.0f);
    }
    EXPECT_TRUE(fixed->IsUp());
    EXPECT_FALSE(lowered->IsUp());
    EXPECT_TRUE(lowered->IsHovered());
}

// ---- drawing ----------------------------------------------------------------------

TEST_F(PostTest, DrawsTheSpriteOfItsStateAndTheHighlightOnTop) {
    auto* gate = Basic("gate");
    const std::uint16_t up = Rgb(0, 200, 0);
    const std::uint16_t down = Rgb(96, 96, 96);
    const std::uint16_t glow = Rgb(255, 255, 0);

    Mouse(0, 0, false);
    gate->Update(0.0f);
    gate->Draw();
    EXPECT_EQ(Pixel(101, 51), down);
    EXPECT_EQ(Pixel(120, 70), down);

    Mouse(120, 70, true);
    gate->Update(0.0f);
    gate->Update(0.0f);
    ASSERT_TRUE(gate->IsUp());
    gate->Draw();
    EXPECT_EQ(Pixel(101, 51), glow); // the ring covers the edge
    EXPECT_EQ(Pixel(120, 70), up);   // the up sprite shows through its middle
    EXPECT_EQ(Pixel(99, 51), 0);
}

// ---- the animated post ------------------------------------------------------------

TEST_F(PostTest, AnAnimatedPostRunsItsFramesAndWraps) {
    auto* spinner = Place<PyxEntityAnimPost>("PyxAnimPost", "spinner", 100, 100);
    spinner->Update(250.0f); // 10 frames a second
    EXPECT_FLOAT_EQ(spinner->FramePosition(), 2.5f);
    spinner->Update(100.0f);
    EXPECT_NEAR(spinner->FramePosition(), 0.5f, 1e-5f);
    std::int32_t w = 0;
    std::int32_t h = 0;
    spinner->GetSize(w, h);
    EXPECT_EQ(w, 30);
    EXPECT_EQ(h, 20);
    spinner->Draw();
    EXPECT_EQ(Pixel(100, 100), Rgb(255, 0, 0));
}

TEST_F(PostTest, TheSharedLoopSoundsOnlyWhenTheRulesAskAndEasesToTheirLevel) {
    auto* first = Place<PyxEntityAnimPost>("PyxAnimPost", "spinner", 100, 100);
    auto* second = Place<PyxEntityAnimPost>("PyxAnimPost", "spinner", 200, 200);
    const auto* type = first->AnimType();
    events_.postLevel = 0.5f;
    first->Update(10.0f);
    EXPECT_TRUE(sound_.played.empty());

    events_.postRequest = true;
    first->Update(10.0f);
    second->Update(10.0f); // the request was taken: the loop moves once a frame
    EXPECT_EQ(sound_.played, (std::vector<std::string>{"hum (loop)"}));
    EXPECT_FLOAT_EQ(sound_.volumes.back(), 0.1f);
    EXPECT_NEAR(type->LoopVolume(), 0.11f, 1e-6f);

    for (int i = 0; i < 30; ++i) {
        events_.postRequest = true;
        second->Update(10.0f);
    }
    EXPECT_FLOAT_EQ(type->LoopVolume(), 0.5f);
    EXPECT_EQ(sound_.Playing("hum"), 1);

    events_.level = nullptr;
    level_.reset(); // the posts go: the loop ends
    EXPECT_EQ(sound_.Playing("hum"), 0);
}

} // namespace
} // namespace balltest

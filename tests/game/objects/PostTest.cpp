// Posts: blocking, the mouse over a post, a post the player holds up, and the animated
// post's shared loop.
#include <gtest/gtest.h>

#include "game/objects/BallTestSupport.h"

namespace balltest {
namespace {

class PostTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        WriteBitmap("gfx/up.bmp", SolidImage(40, 40, QxColour(0, 200, 0)));
        WriteBitmap("gfx/down.bmp", SolidImage(40, 40, QxColour(96, 96, 96)));
        Define("class sprite\ntype postup\nimage gfx/up.bmp\ntransparent 1\n");
        Define("class sprite\ntype postdown\nimage gfx/down.bmp\ntransparent 1\n");
        const std::string sprites = "UpImageEntType postup\nDownImageEntType postdown\n"
                                    "MouseRadius 5\n";
        Define("class PyxBasicPost\ntype gate\nUserChange 1\n" + sprites);
        Define("class PyxBasicPost\ntype fixed\nDefaultUp 1\n" + sprites);
        Define("class PyxBasicPost\ntype lowered\n" + sprites);
        WriteFrames("gfx/spin.ims", 30, 20,
                    {QxColour(255, 0, 0), QxColour(0, 255, 0), QxColour(0, 0, 255)});
        Define("class PyxAnimPost\ntype spinner\nImage gfx/spin.ims\nFrameRate 10\n"
               "Sound sfx/hum.wav\nGear 1\nRadius 12\nHeight 0.3\n");
        Define("class PyxSpriteBall\ntype plain\nRadius 10\n");
        Board(6, 6);
    }

    PyxEntityBasicPost* Basic(const std::string& type, float x = 120, float y = 70) {
        return Place<PyxEntityBasicPost>("PyxBasicPost", type, x, y);
    }
    const PyxEntityGameObjectType* BallType() {
        return static_cast<const PyxEntityGameObjectType*>(
            Registry().FindType("PyxSpriteBall", "plain"));
    }
};

// ---- blocking ---------------------------------------------------------------------

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
    SetMouse(0, 0, false);
    gate->Update(0.0f);
    EXPECT_EQ(gate->DrawnRect(), (QxRect{100, 140, 50, 90}));
    EXPECT_EQ(gate->MouseRect(), (QxRect{95, 145, 45, 95}));
    const struct {
        int x, y;
        bool inside;
    } cases[] = {{95, 70, false},  {96, 70, true},  {144, 70, true}, {145, 70, false},
                 {120, 45, false}, {120, 46, true}, {120, 94, true}, {120, 95, false}};
    for (const auto& c : cases) {
        SetMouse(c.x, c.y, false);
        gate->Update(0.0f);
        EXPECT_EQ(gate->IsHovered(), c.inside) << c.x << ", " << c.y;
    }
}

TEST_F(PostTest, ThePlayerHoldsAPostUpWhileTheButtonIsDownOverIt) {
    auto* gate = Basic("gate");
    EXPECT_FALSE(gate->IsUp());
    SetMouse(120, 70, true);
    gate->Update(0.0f); // hover is learnt in this update; the post follows in the next
    EXPECT_FALSE(gate->IsUp());
    gate->Update(0.0f);
    EXPECT_TRUE(gate->IsUp());
    EXPECT_TRUE(gate->Blocks(BallType()));

    SetMouse(120, 70, false);
    gate->Update(0.0f);
    EXPECT_FALSE(gate->IsUp());

    SetMouse(120, 70, true);
    gate->Update(0.0f);
    EXPECT_TRUE(gate->IsUp());
    SetMouse(300, 300, true); // dragged off: down one update later
    gate->Update(0.0f);
    EXPECT_TRUE(gate->IsUp());
    gate->Update(0.0f);
    EXPECT_FALSE(gate->IsUp());
}

// ---- the animated post ------------------------------------------------------------

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
    EXPECT_EQ(sound_.PlayingLoops("hum"), 1);

    events_.level = nullptr;
    level_.reset(); // the posts go: the loop ends
    EXPECT_EQ(sound_.PlayingLoops("hum"), 0);
}

} // namespace
} // namespace balltest

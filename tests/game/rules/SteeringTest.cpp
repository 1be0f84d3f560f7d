// Steering the player's ball: the mouse's dead zones, turn requests that wait for the
// lane, speeding up and slowing down, and the cursor frames.

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "game/rules/RulesTestSupport.h"
#include "app/QxInputEvent.h"
#include "app/QxMouseState.h"
#include "game/rules/PyxSteering.h"

namespace {

using rulestest::RulesTest;
using rulestest::TinyLevel;

PyxSteerDirection AtAngle(double radians, double distance = 100.0) {
    return PyxSteering::MouseDirection(float(distance * std::cos(radians)),
                                       float(distance * std::sin(radians)));
}

TEST(MouseSteeringTest, NothingWithinThirtyPixels) {
    EXPECT_EQ(PyxSteering::MouseDirection(29.0f, 0.0f), kSteerNone);
    EXPECT_EQ(PyxSteering::MouseDirection(0.0f, -29.9f), kSteerNone);
    EXPECT_EQ(PyxSteering::MouseDirection(30.0f, 0.0f), kSteerRight);
    EXPECT_EQ(PyxSteering::MouseDirection(0.0f, 30.0f), kSteerUp);
}

TEST(MouseSteeringTest, TheFourSectorsWithYUpwards) {
    EXPECT_EQ(AtAngle(0.0), kSteerRight);
    EXPECT_EQ(AtAngle(std::numbers::pi / 2), kSteerUp);
    EXPECT_EQ(AtAngle(std::numbers::pi), kSteerLeft);
    EXPECT_EQ(AtAngle(3 * std::numbers::pi / 2), kSteerDown);
    EXPECT_EQ(AtAngle(-0.5), kSteerRight);
}

TEST(MouseSteeringTest, DiagonalsAreDeadZonesOfPointZeroEightRadians) {
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const double diagonal = std::numbers::pi / 4 + quadrant * std::numbers::pi / 2;
        EXPECT_EQ(AtAngle(diagonal, 200.0), kSteerNone) << quadrant;
        EXPECT_EQ(AtAngle(diagonal - 0.079), kSteerNone) << quadrant;
        EXPECT_EQ(AtAngle(diagonal + 0.079), kSteerNone) << quadrant;
        EXPECT_NE(AtAngle(diagonal - 0.081), kSteerNone) << quadrant;
        EXPECT_NE(AtAngle(diagonal + 0.081), kSteerNone) << quadrant;
    }
}

TEST(MouseSteeringTest, MeasuredFromTheBallCentreToTheCursorHotSpot) {
    // Ball drawn at (100, 100): centre (125, 125). Cursor at (x, y): point (x + 16, y + 16).
    EXPECT_EQ(PyxSteering::MouseDirectionFrom(100, 100, 125 - 16 + 40, 125 - 16), kSteerRight);
    EXPECT_EQ(PyxSteering::MouseDirectionFrom(100, 100, 125 - 16, 125 - 16 + 40), kSteerDown);
    EXPECT_EQ(PyxSteering::MouseDirectionFrom(100, 100, 125 - 16 + 29, 125 - 16), kSteerNone);
}

TEST(HeldArrowsTest, NewTurnTakesTheFirstNewlyHeldInTheOrderLeftRightUpDown) {
    PyxHeldArrows previous;
    PyxHeldArrows now;
    now.down = true;
    now.up = true;
    EXPECT_EQ(now.NewTurn(previous), (PyxVector{0.0f, -1.0f}));
    previous.up = true;
    EXPECT_EQ(now.NewTurn(previous), (PyxVector{0.0f, 1.0f}));
    now.left = true;
    now.right = true;
    EXPECT_EQ(now.NewTurn(previous), (PyxVector{-1.0f, 0.0f}));
    EXPECT_EQ(now.NewTurn(now), (PyxVector{0.0f, 0.0f}));
}

class SteeringTest : public RulesTest {
protected:
    void SetUp() override {
        RulesTest::SetUp();
        WriteGame({TinyLevel{}});
    }

    // Holds the mouse `dx`, `dy` (screen pixels) from the player's ball centre.
    static void MouseFromBall(PyxEntityGameObject* ball, int dx, int dy, bool held) {
        SetMouse(ball->DrawX() + 25 - 16 + dx, ball->DrawY() + 25 - 16 + dy, held);
    }
};

TEST_F(SteeringTest, MouseHeldTwentyNinePixelsAwayNeitherTurnsNorSpeeds) {
    auto game = StartGame();
    PyxEntityGameObject* ball = game->PlayerBall();
    ASSERT_NE(ball, nullptr);
    game->Update(0.0f);
    MouseFromBall(ball, 0, -29, true);
    Ball(ball)->SetSpeed(0.2f);
    game->Update(0.0f);
    EXPECT_EQ(game->MouseDirection(), kSteerNone);
    EXPECT_EQ(game->RequestedTurn(), (PyxVector{0.0f, 0.0f}));
    EXPECT_EQ(Ball(ball)->Direction(), (PyxVector{1.0f, 0.0f}));
    EXPECT_FLOAT_EQ(Ball(ball)->Speed(), 0.2f * 0.98f);
}

TEST_F(SteeringTest, MouseHeldAtFortyFiveDegreesDoesNothing) {
    auto game = StartGame();
    PyxEntityGameObject* ball = game->PlayerBall();
    game->Update(0.0f);
    MouseFromBall(ball, 60, -60, true);
    game->Update(0.0f);
    EXPECT_EQ(game->MouseDirection(), kSteerNone);
    EXPECT_EQ(Ball(ball)->Direction(), (PyxVector{1.0f, 0.0f}));
    EXPECT_EQ(Scene().cursorFrame, 0);
}

TEST_F(SteeringTest, MouseHeldAboveTurnsTheBallUpAndShowsTheHeldCursor) {
    auto game = StartGame();
    PyxEntityGameObject* ball = game->PlayerBall();
    game->Update(0.0f);
    MouseFromBall(ball, 0, -60, false);
    game->Update(0.0f);
    EXPECT_EQ(game->MouseDirection(), kSteerUp);
    EXPECT_EQ(Scene().cursorFrame, kSteerUp + 4);
    EXPECT_EQ(Ball(ball)->Direction(), (PyxVector{1.0f, 0.0f}));

    MouseFromBall(ball, 0, -60, true);
    game->Update(0.0f);
    EXPECT_EQ(Scene().cursorFrame, kSteerUp);
    EXPECT_EQ(Ball(ball)->Direction(), (PyxVector{0.0f, -1.0f}));
}

TEST_F(SteeringTest, TurnWaitsUntilTheBallIsWithinSixteenPixelsOfTheLane) {
    auto game = StartGame();
    PyxEntityGameObject* ball = game->PlayerBall();
    game->Update(0.0f);
    // Cell (1, 1) spans x 56 to 112; its column lane is x = 84. Moving right, 20 short.
    PlaceBall(*game, ball, 64.0f, 84.0f);
    game->OnKeyDown(QxKey::Up);
    game->Update(0.0f);
    EXPECT_EQ(game->RequestedTurn(), (PyxVector{0.0f, -1.0f}));
    EXPECT_EQ(Ball(ball)->Direction(), (PyxVector{1.0f, 0.0f}));
    EXPECT_EQ(ball->X(), 64.0f);

    // Still 17 away: waits.
    PlaceBall(*game, ball, 67.0f, 84.0f);
    game->Update(0.0f);
    EXPECT_EQ(Ball(ball)->Direction(), (PyxVector{1.0f, 0.0f}));

    // 16 away: snaps onto the lane and turns.
    PlaceBall(*game, ball, 68.0f, 84.0f);
    game->Update(0.0f);
    EXPECT_EQ(Ball(ball)->Direction(), (PyxVector{0.0f, -1.0f}));
    EXPECT_EQ(ball->X(), 84.0f);
    EXPECT_EQ(game->RequestedTurn(), (PyxVector{0.0f, 0.0f}));
}

TEST_F(SteeringTest, AKeyStillHeldAsksForNoSecondTurn) {
    auto game = StartGame();
    PyxEntityGameObject* ball = game->PlayerBall();
    game->Update(0.0f);
    game->OnKeyDown(QxKey::Down);
    game->Update(0.0f);
    EXPECT_EQ(Ball(ball)->Direction(), (PyxVector{0.0f, 1.0f}));
    Ball(ball)->SetDirection({1.0f, 0.0f});
    game->Update(0.0f);
    EXPECT_EQ(Ball(ball)->Direction(), (PyxVector{1.0f, 0.0f}));
    game->OnKeyUp(QxKey::Down);
    game->Update(0.0f);
    game->OnKeyDown(QxKey::Down);
    game->Update(0.0f);
    EXPECT_EQ(Ball(ball)->Direction(), (PyxVector{0.0f, 1.0f}));
}

TEST_F(SteeringTest, HoldingTheArrowOfTheDirectionSpeedsUpToTheTopAndReleasingSlowsDown) {
    auto game = StartGame();
    PyxEntityBallBase* ball = Ball(game->PlayerBall());
    ASSERT_NE(ball, nullptr);
    ball->SetSpeed(PyxGameplay::kPlayerTargetSpeed);
    game->OnKeyDown(QxKey::Right);
    game->Update(0.0f);
    EXPECT_FLOAT_EQ(ball->Speed(), PyxGameplay::kPlayerTargetSpeed * 1.03f);
    Run(*game, 100, 0.0f);
    EXPECT_FLOAT_EQ(ball->Speed(), PyxEntityBallBase::kTopSpeed);

    game->OnKeyUp(QxKey::Right);
    game->Update(0.0f);
    EXPECT_FLOAT_EQ(ball->Speed(), PyxEntityBallBase::kTopSpeed * 0.98f);
    Run(*game, 200, 0.0f);
    EXPECT_FLOAT_EQ(ball->Speed(), PyxEntityBallBase::kLowSpeed);
}

TEST_F(SteeringTest, OnlyTheArrowKeyOfTheBallsOwnDirectionSpeedsItUp) {
    auto game = StartGame();
    PyxEntityBallBase* ball = Ball(game->PlayerBall());
    game->Update(0.0f);
    ball->SetSpeed(0.2f);
    // Up is held, but the ball is too far from the lane to turn: it keeps going right.
    PlaceBall(*game, ball, 64.0f, 84.0f);
    game->OnKeyDown(QxKey::Up);
    game->Update(0.0f);
    EXPECT_EQ(ball->Direction(), (PyxVector{1.0f, 0.0f}));
    EXPECT_FLOAT_EQ(ball->Speed(), 0.2f * 0.98f);
    // The held mouse to the right steers but does not speed.
    game->OnKeyUp(QxKey::Up);
    MouseFromBall(ball, 60, 0, true);
    game->Update(0.0f);
    EXPECT_EQ(game->MouseDirection(), kSteerRight);
    EXPECT_FLOAT_EQ(ball->Speed(), 0.2f * 0.98f * 0.98f);
}

TEST_F(SteeringTest, KeysAreIgnoredWhileTheHintBlockRuns) {
    auto game = StartGame();
    game->SetHintBlockTimer(100.0f);
    game->OnKeyDown(QxKey::Down);
    EXPECT_FALSE(game->HeldKeys().down);
    game->Update(60.0f);
    game->Update(60.0f);
    EXPECT_EQ(game->HintBlockTimer(), 0.0f);
    game->OnKeyDown(QxKey::Down);
    EXPECT_TRUE(game->HeldKeys().down);
    game->OnKeyUp(300); // outside the key range: ignored
    EXPECT_TRUE(game->HeldKeys().down);
    game->OnKeyUp(QxKey::Down);
    EXPECT_FALSE(game->HeldKeys().down);
}

} // namespace

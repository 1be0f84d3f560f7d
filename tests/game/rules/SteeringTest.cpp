// Steering the player's ball: the mouse's dead zones, turn requests that wait for the
// lane, speeding up and slowing down, and the cursor frames.

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "app/QxInputEvent.h"
#include "app/QxMouseState.h"
#include "game/rules/PyxSteering.h"
#include "game/rules/RulesTestSupport.h"

namespace {

using rulestest::RulesTest;
using rulestest::TinyLevel;

PyxSteerDirection AtAngle(double radians, double distance = 100.0) {
    return PyxSteering::MouseDirection(float(distance * std::cos(radians)),
                                       float(distance * std::sin(radians)));
}

TEST(MouseSteeringTest, FourSectorsWithYUpwardsAndDeadZones) {
    // Nothing within thirty pixels, nor within 0.08 radians of a diagonal.
    EXPECT_EQ(PyxSteering::MouseDirection(29.0f, 0.0f), kSteerNone);
    EXPECT_EQ(PyxSteering::MouseDirection(0.0f, -29.9f), kSteerNone);
    EXPECT_EQ(PyxSteering::MouseDirection(30.0f, 0.0f), kSteerRight);
    EXPECT_EQ(PyxSteering::MouseDirection(0.0f, 30.0f), kSteerUp);
    const PyxSteerDirection sectors[] = {kSteerRight, kSteerUp, kSteerLeft, kSteerDown};
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        SCOPED_TRACE(quadrant);
        const double axis = quadrant * std::numbers::pi / 2;
        EXPECT_EQ(AtAngle(axis), sectors[quadrant]);
        EXPECT_EQ(AtAngle(axis + std::numbers::pi / 4 - 0.081), sectors[quadrant]);
        EXPECT_EQ(AtAngle(axis - std::numbers::pi / 4 + 0.081), sectors[quadrant]);
        for (const double off : {-0.079, 0.0, 0.079})
            EXPECT_EQ(AtAngle(axis + std::numbers::pi / 4 + off, 200.0), kSteerNone);
    }
    // Measured from the ball's centre (drawn at 100, 100) to the cursor's hot spot.
    EXPECT_EQ(PyxSteering::MouseDirectionFrom(100, 100, 125 - 16 + 40, 125 - 16), kSteerRight);
    EXPECT_EQ(PyxSteering::MouseDirectionFrom(100, 100, 125 - 16, 125 - 16 + 40), kSteerDown);
    EXPECT_EQ(PyxSteering::MouseDirectionFrom(100, 100, 125 - 16 + 29, 125 - 16), kSteerNone);
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

TEST_F(SteeringTest, MouseHeldTooCloseOrOnADiagonalNeitherTurnsNorSpeeds) {
    for (const auto& [dx, dy] : {std::pair{0, -29}, std::pair{60, -60}}) {
        SCOPED_TRACE(dx);
        auto game = StartGame();
        PyxEntityGameObject* ball = game->PlayerBall();
        ASSERT_NE(ball, nullptr);
        game->Update(0.0f);
        MouseFromBall(ball, dx, dy, true);
        Ball(ball)->SetSpeed(0.2f);
        game->Update(0.0f);
        EXPECT_EQ(game->MouseDirection(), kSteerNone);
        EXPECT_EQ(game->RequestedTurn(), (PyxVector{0.0f, 0.0f}));
        EXPECT_EQ(Ball(ball)->Direction(), (PyxVector{1.0f, 0.0f}));
        EXPECT_FLOAT_EQ(Ball(ball)->Speed(), 0.2f * 0.98f);
        EXPECT_EQ(Scene().cursorFrame, 0);
    }
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

} // namespace

// The rules with the board's own classes: coins placed on free cells, balls released
// through vortexes, the claw that lowers the player's ball, the special ball and power
// awards.

#include <cmath>

#include <gtest/gtest.h>

#include "app/QxRandom.h"
#include "game/objects/PyxEntityAwardBase.h"
#include "game/objects/PyxEntityPickupBall.h"
#include "game/rules/RulesTestSupport.h"

namespace {

using rulestest::RulesTest;
using rulestest::TinyLevel;

class BoardObjectsTest : public RulesTest {
protected:
    // The level's objects of a type.
    static std::vector<PyxEntityGameObject*> ObjectsOf(PyxGameplay& game,
                                                       const std::string& typeName) {
        std::vector<PyxEntityGameObject*> found;
        for (const auto& record : game.Level()->Objects()) {
            if (record.entity && record.typeName == typeName)
                found.push_back(record.entity.get());
        }
        return found;
    }
};

TEST_F(BoardObjectsTest, CoinsArePlacedOneAFrameOnTheFiftySixPixelGridUntilTheExitOpens) {
    Define("class PyxAnimAward\ntype coinsilver\n");
    TinyLevel level;
    level.coinsOnBoard = 3;
    level.coinsNeeded = 1;
    WriteGame({level});
    auto game = StartGame();
    game->Update(16.0f);
    EXPECT_EQ(game->CoinsPlaced(), 1);
    game->Update(16.0f);
    game->Update(16.0f);
    game->Update(16.0f);
    EXPECT_EQ(game->CoinsPlaced(), 3);
    const auto coins = ObjectsOf(*game, "coinsilver");
    ASSERT_EQ(coins.size(), 3u);
    for (PyxEntityGameObject* coin : coins) {
        auto* award = dynamic_cast<PyxEntityAwardBase*>(coin);
        ASSERT_NE(award, nullptr);
        EXPECT_EQ(award->Armed(), 1);
        EXPECT_EQ(std::fmod(coin->X() - 28.0f, 56.0f), 0.0f);
        EXPECT_EQ(std::fmod(coin->Y() - 28.0f, 56.0f), 0.0f);
        // Never on the player's own cell, where a ball stands.
        EXPECT_FALSE(coin->X() == 84.0f && coin->Y() == 84.0f);
    }

    // Taking one makes room for another (placed before the exit opens in the same
    // frame); once the exit is open no more come.
    EXPECT_TRUE(game->OnAwardTaken(coins[0], game->PlayerBall()));
    EXPECT_EQ(game->CoinsPlaced(), 2);
    game->Update(16.0f);
    EXPECT_EQ(game->CoinsPlaced(), 3);
    EXPECT_TRUE(game->IsExitOpen());
    EXPECT_TRUE(game->OnAwardTaken(coins[1], game->PlayerBall()));
    Run(*game, 5);
    EXPECT_EQ(game->CoinsPlaced(), 2);
}

TEST_F(BoardObjectsTest, ReleasedBallWaitsInItsVortexUntilFormed) {
    Define("class PyxVortex\ntype vortex\n");
    TinyLevel level;
    level.ballsReleased = 2; // the player's ball and one more
    WriteGame({level});
    auto game = StartGame();
    game->Update(16.0f);
    ASSERT_EQ(game->BallsReleased(), 1);
    const auto balls = ObjectsOf(*game, "enemy");
    ASSERT_EQ(balls.size(), 1u);
    PyxEntityGameObject* ball = balls[0];
    EXPECT_FALSE(ball->HasFlags(kObjectInFrame | kObjectActive));
    ASSERT_EQ(ObjectsOf(*game, "vortex").size(), 1u);

    ASSERT_TRUE(RunUntil(
        *game, [&] { return ball->HasFlags(kObjectActive); }, 300));
    EXPECT_FALSE(ball->HasFlags(kObjectReleased));
    // The vortex fades, lets the ball roll, and goes.
    ASSERT_TRUE(RunUntil(
        *game, [&] { return ball->HasFlags(kObjectReleased); }, 300));
    EXPECT_TRUE(ball->HasFlags(kObjectInFrame));
    EXPECT_TRUE(Ball(ball)->IsRolling());
    Run(*game, 2);
    EXPECT_TRUE(ObjectsOf(*game, "vortex").empty());
}

TEST_F(BoardObjectsTest, TheClawLowersThePlayersBallAtTheStartAndAfterALostLife) {
    Define("class PyxBallCarrier\ntype carrier\n");
    TinyLevel level;
    level.traps = {1 * 6 + 3};
    WriteGame({level});
    auto game = StartGame();
    PyxEntityGameObject* ball = game->PlayerBall();
    EXPECT_FALSE(ball->HasFlags(kObjectActive));
    ASSERT_EQ(ObjectsOf(*game, "carrier").size(), 1u);
    // The release countdown is held while the claw carries.
    Run(*game, 10);
    EXPECT_GT(game->ReleaseCountdown(), 900);

    ASSERT_TRUE(RunUntil(*game, [&] { return ball->HasFlags(kObjectActive); }));
    EXPECT_TRUE(Ball(ball)->IsRolling());
    EXPECT_EQ(ball->X(), 84.0f);

    // The ball rolls into the trap: the claw (on its way out, or a new one) brings it
    // back.
    ASSERT_TRUE(RunUntil(*game, [&] { return game->Lives() == 2; }));
    EXPECT_FALSE(ball->HasFlags(kObjectActive));
    EXPECT_EQ(ObjectsOf(*game, "carrier").size(), 1u);
    ASSERT_TRUE(RunUntil(*game, [&] { return ball->HasFlags(kObjectActive); }));
    EXPECT_EQ(game->Lives(), 2);
    EXPECT_EQ(ball->Y(), 84.0f);
    EXPECT_LT(ball->X(), 84.0f + PyxEntityBallBase::kMaxSubStep);
}

TEST_F(BoardObjectsTest, TheSpecialBallIsArmedByCoinsAndTakenForItsPoints) {
    Define("class PyxPickupBall\ntype special\nPoints 500\nRadius 20\n");
    Define("class PyxGrabPickup\ntype defaultgrab\n");
    TinyLevel level;
    level.coinsNeeded = 14; // armed at 10 or 11 coins
    level.objects = {{"PyxPickupBall", "special", 252.0f, 140.0f}};
    WriteGame({level});
    SeedRandom(3);
    auto game = StartGame();
    auto* special = dynamic_cast<PyxEntityPickupBall*>(game->SpecialObject());
    ASSERT_NE(special, nullptr);
    EXPECT_GE(game->SpecialArmCount(), 10);
    EXPECT_LE(game->SpecialArmCount(), 11);
    EXPECT_FALSE(special->IsArmed());
    // Before it is armed it is an ordinary touch.
    EXPECT_TRUE(game->OnBallsTouch(game->PlayerBall(), special));

    game->SetCoinsHeld(game->SpecialArmCount() - 1);
    game->Update(16.0f);
    EXPECT_FALSE(special->IsArmed());
    game->SetCoinsHeld(game->SpecialArmCount());
    game->Update(16.0f);
    EXPECT_TRUE(special->IsArmed());
    EXPECT_TRUE(game->IsSpecialArmed());

    const std::int32_t score = game->Score();
    EXPECT_FALSE(game->OnBallsTouch(game->PlayerBall(), special));
    EXPECT_EQ(game->Score(), score + 500);
    EXPECT_FALSE(special->HasFlags(kObjectActive));
    EXPECT_EQ(ObjectsOf(*game, "defaultgrab").size(), 1u);
}

TEST_F(BoardObjectsTest, APowerAwardPowersUpAndShowsItsHint) {
    Define("class PyxAnimAward\ntype star\nTurnKiller 1\n");
    Define("class PyxHintBox\ntype hint8\n");
    WriteGame({TinyLevel{}});
    g_gameSettings.showHints = 1;
    auto game = StartGame();
    PyxEntityGameObject* star =
        game->Level()->AddObjectAt(200.0f, 84.0f, "PyxAnimAward", "star", true);
    ASSERT_NE(star, nullptr);
    EXPECT_TRUE(game->OnAwardTaken(star, game->PlayerBall()));
    EXPECT_TRUE(game->IsPowered());
    EXPECT_EQ(game->CoinsHeld(), 0);
    EXPECT_FALSE(game->HintPending(8));
    EXPECT_EQ(Scene().DialogCount(), 1u);
}

} // namespace

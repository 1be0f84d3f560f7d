// Scoring: coins lost to hits, balls eaten while powered, coins taken, and the
// roll-up of the displayed score.

#include <set>

#include <gtest/gtest.h>

#include "app/QxRandom.h"
#include "game/rules/RulesTestSupport.h"

namespace {

using rulestest::RulesTest;
using rulestest::TinyLevel;

TEST(ScoreArithmeticTest, DisplayedScoreRollsUpInFiftiesTwentiesAndFives) {
    EXPECT_EQ(PyxGameplay::RollScore(0, 1000), 50);
    EXPECT_EQ(PyxGameplay::RollScore(399, 1000), 449); // 601 below
    EXPECT_EQ(PyxGameplay::RollScore(400, 1000), 420); // 600 below
    EXPECT_EQ(PyxGameplay::RollScore(699, 1000), 719); // 301 below
    EXPECT_EQ(PyxGameplay::RollScore(700, 1000), 705); // 300 below
    EXPECT_EQ(PyxGameplay::RollScore(1000, 1000), 1000);
    EXPECT_EQ(PyxGameplay::RollScore(1200, 1000), 1200);
    // A gap smaller than a step lands on the score instead of passing it.
    EXPECT_EQ(PyxGameplay::RollScore(998, 1000), 1000);
}

class ScoringTest : public RulesTest {
protected:
    void SetUp() override {
        RulesTest::SetUp();
        WriteGame({TinyLevel{}});
        game_ = StartGame();
        game_->Update(0.0f);
        player_ = game_->PlayerBall();
        ASSERT_NE(player_, nullptr);
    }
    void TearDown() override {
        game_.reset();
        RulesTest::TearDown();
    }

    // A released ball of the level, rolling on the board.
    PyxEntityGameObject* Enemy(float x, float y) {
        PyxEntityGameObject* ball =
            game_->Level()->SpawnBall(0, 4, 1, -1.0f, 0.0f, 1.0f, "PyxSpriteBall", "enemy", true);
        EXPECT_NE(ball, nullptr);
        ball->AddFlags(kObjectReleased);
        PlaceBall(*game_, ball, x, y);
        return ball;
    }

    std::unique_ptr<PyxGameplay> game_;
    PyxEntityGameObject* player_ = nullptr;
};

TEST_F(ScoringTest, AHitCostsOneToFourCoinsButNeverMoreThanHeld) {
    PyxEntityGameObject* enemy = Enemy(250.0f, 84.0f);
    for (const std::int32_t held : {1, 10}) {
        std::set<std::int32_t> losses;
        for (std::uint32_t seed = 1; seed <= 200; ++seed) {
            SeedRandom(seed);
            game_->SetCoinsHeld(held);
            game_->SetHits(0);
            // Either ball may report the touch.
            EXPECT_TRUE(seed % 2 ? game_->OnBallsTouch(enemy, player_)
                                 : game_->OnBallsTouch(player_, enemy));
            EXPECT_EQ(game_->Hits(), 1);
            losses.insert(held - game_->CoinsHeld());
        }
        const std::set<std::int32_t> expected =
            held == 1 ? std::set<std::int32_t>{1} : std::set<std::int32_t>{1, 2, 3, 4};
        EXPECT_EQ(losses, expected) << held;
    }
}

TEST_F(ScoringTest, ThreeBallsEatenInOnePowerPeriodScoreTwoFourAndEightHundred) {
    game_->PowerUp();
    ASSERT_TRUE(game_->IsPowered());
    PyxEntityGameObject* powered = game_->PlayerBall();
    EXPECT_EQ(powered, game_->PoweredBall());
    EXPECT_TRUE(powered->HasFlags(kObjectActive));
    EXPECT_FALSE(game_->NormalBall()->HasFlags(kObjectActive));
    EXPECT_EQ(powered->X(), game_->NormalBall()->X());

    const std::int32_t expected[] = {200, 600, 1400};
    for (int i = 0; i < 3; ++i) {
        PyxEntityGameObject* enemy = Enemy(200.0f + 10.0f * float(i), 84.0f);
        EXPECT_FALSE(game_->OnBallsTouch(enemy, powered));
        EXPECT_TRUE(enemy->HasFlags(kObjectRemoved));
        EXPECT_EQ(game_->Score(), expected[i]);
    }
    EXPECT_EQ(game_->EatenInARow(), 3);
    // A long streak stops doubling instead of overflowing.
    EXPECT_EQ(PyxGameplay::PointsForEaten(1000), PyxGameplay::PointsForEaten(20));
    EXPECT_GT(PyxGameplay::PointsForEaten(20), 0);
    // A ball the vortex has not let go of yet is not eaten.
    PyxEntityGameObject* fresh = Enemy(320.0f, 84.0f);
    fresh->ClearFlags(kObjectReleased);
    EXPECT_TRUE(game_->OnBallsTouch(powered, fresh));
    EXPECT_FALSE(fresh->HasFlags(kObjectRemoved));

    // The eaten balls leave the board at the end of the frame.
    game_->Update(0.0f);
    std::size_t enemies = 0;
    for (const auto& record : game_->Level()->Objects())
        enemies += record.typeName == "enemy" ? 1 : 0;
    EXPECT_EQ(enemies, 1u);
}

TEST_F(ScoringTest, PowerLastsFiveSecondsThenTheNormalBallComesBack) {
    game_->PowerUp();
    Run(*game_, 10, 100.0f);
    game_->PowerUp(); // again: the timer starts over
    EXPECT_EQ(game_->PowerTimer(), 5000.0f);
    Run(*game_, 49, 100.0f);
    EXPECT_TRUE(game_->IsPowered());
    Run(*game_, 1, 100.0f);
    EXPECT_FALSE(game_->IsPowered());
    EXPECT_EQ(game_->PlayerBall(), game_->NormalBall());
    EXPECT_TRUE(game_->NormalBall()->HasFlags(kObjectActive));
    EXPECT_FALSE(game_->PoweredBall()->HasFlags(kObjectActive));
    EXPECT_EQ(game_->NormalBall()->X(), game_->PoweredBall()->X());
}

} // namespace

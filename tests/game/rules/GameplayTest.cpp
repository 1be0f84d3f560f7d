// One game on tiny levels: start, coins, the exit, winning a level, the next level,
// traps and lives, the end of the game and its hand-over to the high scores, pause,
// hints, and levels that cannot be read.

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "app/QxInputEvent.h"
#include "app/QxRandom.h"
#include "engine/gui/PyxHighScore.h"
#include "game/field/PyxEntitySinkTile.h"
#include "game/rules/PyxBoardLink.h"
#include "game/rules/RulesTestSupport.h"

namespace {

using rulestest::RulesTest;
using rulestest::TinyLevel;

// An award as the board would hand it over: a plain board object.
struct Award {
    PyxEntityGameObjectType type{nullptr};
    PyxEntityGameObject object{&type};
};

class GameplayTest : public RulesTest {
protected:
    static constexpr std::uint32_t kMissingSeed = 1;

    // Gives the player coins the way the board does.
    static void CollectCoins(PyxGameplay& game, int count) {
        Award award;
        for (int i = 0; i < count; ++i)
            EXPECT_TRUE(game.OnAwardTaken(&award.object, game.PlayerBall()));
    }

    static PyxEntityTileBase* ExitTile(PyxGameplay& game) {
        PyxLevel* level = game.Level();
        for (std::int32_t i = 0; i < level->CellCount(); ++i) {
            PyxEntityTileBase* tile = level->TileAt(i);
            if (tile && tile->KindBits() == kTileSink)
                return tile;
        }
        return nullptr;
    }
};

TEST_F(GameplayTest, MissingLevelListOrLevelStartsNoGame) {
    auto noList = StartGame(false);
    EXPECT_NE(ReadLog().find("Level list levels.lst - file not found."), std::string::npos);
    noList.reset();

    WriteGame({TinyLevel{}});
    std::filesystem::remove(DataFolder() + "level1.lvl");
    auto noLevel = StartGame(false);
    EXPECT_NE(ReadLog().find("Level level1.lvl - file not found."), std::string::npos);
    EXPECT_EQ(noLevel->Level(), nullptr);
}

TEST_F(GameplayTest, ExitOpensAtCoinsNeededOnAFreeFloorCell) {
    TinyLevel level;
    level.rows = 2;
    level.traps = {0, 2, 3, 5, 6, 8, 9, 10, 11};
    WriteGame({level});
    auto game = StartGame();
    CollectCoins(*game, 2);
    game->Update(0.0f);
    EXPECT_FALSE(game->IsExitOpen());
    EXPECT_EQ(ExitTile(*game), nullptr);
    EXPECT_EQ(game->HudText(5), "Coins: 2 / 3");

    CollectCoins(*game, 1);
    game->Update(0.0f);
    EXPECT_TRUE(game->IsExitOpen());
    // The floor cells are 1, 4 and 7, and the player's ball stands on 7.
    PyxEntityTileBase* exit = ExitTile(*game);
    ASSERT_NE(exit, nullptr);
    EXPECT_TRUE(exit->CellIndex() == 1 || exit->CellIndex() == 4) << exit->CellIndex();
}

TEST_F(GameplayTest, ExitAtTheStartTileTakesTheBallStandingThere) {
    TinyLevel level;
    level.exitAtRandom = false;
    WriteGame({level, TinyLevel{}});
    auto game = StartGame();
    game->Update(0.0f);
    CollectCoins(*game, 3);
    game->Update(0.0f);
    PyxEntityTileBase* exit = ExitTile(*game);
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->CellIndex(), 1 * 6 + 1);
    // The ball on the cell entered it: the level is won.
    game->Update(0.0f);
    EXPECT_EQ(game->State(), PyxGameState::LevelWon);
}

TEST_F(GameplayTest, LevelWonCashesCoinsAndGoesOnToTheNextLevel) {
    WriteGame({TinyLevel{}, TinyLevel{}});
    auto game = StartGame();
    CollectCoins(*game, 5);
    game->SetHits(1);
    game->Update(16.0f);
    PyxEntityTileBase* exit = ExitTile(*game);
    ASSERT_NE(exit, nullptr);
    PyxEntityGameObject* ball = game->PlayerBall();
    game->OnBallAtExitOrSink(ball, exit);
    EXPECT_FALSE(ball->HasFlags(kObjectActive));

    game->Update(16.0f);
    EXPECT_EQ(game->State(), PyxGameState::LevelWon);
    EXPECT_EQ(game->HintBlockTimer(), 500.0f - 16.0f);
    // One coin at once, then one every 200 ms; the crossed-out one stays.
    EXPECT_EQ(game->Score(), 100);
    Run(*game, 12, 16.0f); // 192 ms
    EXPECT_EQ(game->Score(), 100);
    Run(*game, 1, 16.0f);
    EXPECT_EQ(game->Score(), 200);
    ASSERT_TRUE(RunUntil(*game, [&] { return game->State() != PyxGameState::LevelWon; }));
    EXPECT_EQ(game->State(), PyxGameState::LevelWonWait);
    EXPECT_EQ(game->Score(), 400);
    EXPECT_EQ(game->CoinsHeld(), 1);
    EXPECT_EQ(game->DisplayedScore(), 400);

    // Two seconds later the next level starts (no jaws in this scene).
    Run(*game, 120, 16.0f);
    EXPECT_EQ(game->State(), PyxGameState::LevelWonWait);
    ASSERT_TRUE(RunUntil(
        *game, [&] { return game->State() == PyxGameState::NextLevel; }, 10));
    game->Update(16.0f);
    EXPECT_EQ(game->State(), PyxGameState::Playing);
    EXPECT_EQ(game->LevelIndex(), 1);
    EXPECT_EQ(game->CoinsHeld() + game->Hits(), 0);
    EXPECT_FALSE(game->IsExitOpen());
    EXPECT_TRUE(game->PlayerBall()->HasFlags(kObjectActive));
}

TEST_F(GameplayTest, ADamagedNextLevelEndsTheGameWithItsReason) {
    WriteGame({TinyLevel{}, TinyLevel{}});
    WriteFile("level2.lvl", "not a level");
    auto game = StartGame();
    game->SetState(PyxGameState::LevelWonWait);
    game->SetStateTimer(0.0f);
    ASSERT_TRUE(RunUntil(*game, [&] { return game->State() == PyxGameState::GameEnding; }));
    EXPECT_NE(ReadLog().find("Level level2.lvl - not loaded: "), std::string::npos);
    EXPECT_NE(ReadLog().find("Level 2 could not be started; the game ends."), std::string::npos);
}

TEST_F(GameplayTest, TheNextLevelLoadsBehindClosedJaws) {
    WriteGame({TinyLevel{}, TinyLevel{}});
    auto game = StartGame();
    game->SetState(PyxGameState::LevelWonWait);
    game->SetStateTimer(0.0f);
    Scene().jaws = {PyxGameplayOwner::kJawsMoving, PyxGameplayOwner::kJawsMoving,
                    PyxGameplayOwner::kJawsClosed, PyxGameplayOwner::kJawsMoving};
    Run(*game, 3);
    EXPECT_EQ(game->State(), PyxGameState::NextLevel);
    EXPECT_EQ(game->LevelIndex(), 0);
    EXPECT_FALSE(Services().fullScreenKeyAllowed);
    Run(*game, 1);
    EXPECT_EQ(game->LevelIndex(), 1);
    EXPECT_EQ(game->State(), PyxGameState::NextLevel);
    Run(*game, 2);
    EXPECT_EQ(game->State(), PyxGameState::Playing);
    EXPECT_EQ(game->LevelIndex(), 1);
    game->Update(16.0f);
    EXPECT_TRUE(Services().fullScreenKeyAllowed);
}

TEST_F(GameplayTest, BallRollingIntoATrapCostsALifeAndStartsAgain) {
    TinyLevel level;
    level.traps = {1 * 6 + 3}; // two cells right of the start
    WriteGame({level});
    auto game = StartGame();
    CollectCoins(*game, 2);
    game->SetHits(1);
    PyxEntityGameObject* ball = game->PlayerBall();
    ASSERT_TRUE(RunUntil(*game, [&] { return game->Lives() < 3; }));
    EXPECT_EQ(game->Lives(), 2);
    EXPECT_EQ(game->State(), PyxGameState::Playing);
    EXPECT_EQ(game->CoinsHeld(), 0);
    EXPECT_EQ(game->Hits(), 0);
    EXPECT_EQ(game->PlayerBall(), ball);
    // Back on the start cell (the rest of the frame's step may carry it a little on).
    EXPECT_GE(ball->X(), 84.0f);
    EXPECT_LT(ball->X(), 84.0f + PyxEntityBallBase::kMaxSubStep);
    EXPECT_EQ(ball->Y(), 84.0f);
    EXPECT_EQ(Ball(ball)->Direction(), (PyxVector{1.0f, 0.0f}));
    EXPECT_TRUE(ball->HasFlags(kObjectActive));
    EXPECT_EQ(game->HudText(6), "Lives: 2");
    // The next frame lists it in the start cell's tile, once.
    game->Update(16.0f);
    const auto& listed = game->Level()->TileAtCell(1, 1)->Objects();
    EXPECT_EQ(std::count(listed.begin(), listed.end(), ball), 1);
    EXPECT_EQ(ball->Cell(), 1 * 6 + 1);
}

TEST_F(GameplayTest, LastLifeEndsTheGameAndHandsTheScoreOver) {
    TinyLevel level;
    level.traps = {1 * 6 + 3};
    WriteGame({level, TinyLevel{}});
    auto game = StartGame();
    game->SetLives(1);
    game->SetScore(1234);
    ASSERT_TRUE(RunUntil(*game, [&] { return game->State() != PyxGameState::Playing; }));
    EXPECT_EQ(game->State(), PyxGameState::GameEnding);
    EXPECT_EQ(game->Outcome(), PyxGameOutcome::GameOver);
    EXPECT_EQ(game->Lives(), 0);
    EXPECT_GT(game->HintBlockTimer(), 2900.0f);
    EXPECT_FALSE(game->NormalBall()->HasFlags(kObjectActive));
    EXPECT_EQ(Services().handOvers, 0);

    // Keys wait for the hint block; after two seconds, with no box to show, the game
    // goes on to the high scores by itself.
    game->OnKeyDown('a');
    EXPECT_EQ(Services().handOvers, 0);
    Run(*game, 130);
    ASSERT_EQ(Services().handOvers, 1);
    EXPECT_EQ(Services().first, "Congratulations! You scored 1234 points!");
    auto* entry = dynamic_cast<PyxHighScore*>(Services().entry.get());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->score, 1234u);
    EXPECT_EQ(entry->level, 1u);
    EXPECT_EQ(Services().scenes.back(), "PyxHighScores");
    Run(*game, 10);
    EXPECT_EQ(Services().handOvers, 1);
}

TEST_F(GameplayTest, ExitOfTheLastLevelCompletesTheGame) {
    WriteGame({TinyLevel{}});
    auto game = StartGame();
    CollectCoins(*game, 3);
    game->Update(16.0f);
    game->OnBallAtExitOrSink(game->PlayerBall(), ExitTile(*game));
    EXPECT_TRUE(game->GameEnds());
    EXPECT_EQ(game->Outcome(), PyxGameOutcome::Completed);
    EXPECT_EQ(game->MessageTitle(), "GAME");
    EXPECT_EQ(game->MessageText(), "COMPLETED");
    ASSERT_TRUE(RunUntil(*game, [&] { return game->State() == PyxGameState::GameEnding; }));
    EXPECT_EQ(game->Score(), 300);
    // Two seconds on, with no box to show, the game goes on to the high scores.
    Run(*game, 200);
    ASSERT_GE(Services().handOvers, 1);
    auto* entry = dynamic_cast<PyxHighScore*>(Services().entry.get());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->level, PyxHighScore::kCompletedLevel);
    EXPECT_EQ(Services().first,
              "Congratulations! You've completed the game and scored 300 points!");
}

TEST_F(GameplayTest, KeyDuringCashingInPaysTheRestAtOnceButNotTheCrossedOutCoins) {
    WriteGame({TinyLevel{}, TinyLevel{}});
    auto game = StartGame();
    CollectCoins(*game, 6);
    game->SetHits(2);
    game->Update(16.0f);
    game->OnBallAtExitOrSink(game->PlayerBall(), ExitTile(*game));
    game->Update(16.0f);
    EXPECT_EQ(game->Score(), 100);
    game->SetHintBlockTimer(0.0f);
    game->OnKeyDown('x');
    EXPECT_EQ(game->Score(), 400);
    EXPECT_EQ(game->CoinsHeld(), 2);
    EXPECT_EQ(game->DisplayedScore(), 395);
    EXPECT_EQ(game->State(), PyxGameState::NextLevel);
}

TEST_F(GameplayTest, ClickEndsAShortMessageAndSkipsTheCashingIn) {
    WriteGame({TinyLevel{}});
    auto game = StartGame();
    game->ShowMessage("Hello", "World", 5.0f);
    game->OnClick();
    EXPECT_EQ(game->MessageTitle(), "Hello");
    game->ShowMessage("Hello", "World", 3.0f);
    game->OnClick();
    EXPECT_EQ(game->MessageTitle(), "");
    // A message times out on its own.
    game->ShowMessage("Hello", "World", 0.1f);
    Run(*game, 7);
    EXPECT_EQ(game->MessageText(), "");
}

TEST_F(GameplayTest, HintsShowOnceAndOnlyWhenSwitchedOn) {
    WriteGame({TinyLevel{}});
    Define("class PyxHintBox\ntype hint3\n");
    Define("class PyxHintBox\ntype hint8\n");
    auto game = StartGame();
    game->ShowHint(3);
    EXPECT_TRUE(game->HintPending(3));
    EXPECT_EQ(Scene().DialogCount(), 0u);

    g_gameSettings.showHints = 1;
    game->ShowHint(3);
    EXPECT_FALSE(game->HintPending(3));
    ASSERT_EQ(Scene().DialogCount(), 1u);
    EXPECT_EQ(Scene().Dialog(0)->Type()->TypeName(), "hint3");
    // Another hint waits while a box is open, and then until play has run four seconds
    // (never back to back); hint 3 never comes again.
    game->ShowHint(8);
    EXPECT_TRUE(game->HintPending(8));
    Scene().CloseDialog(Scene().Dialog(0));
    Scene().Update(0.0f);
    EXPECT_EQ(Scene().DialogCount(), 0u);
    game->ShowHint(3);
    Run(*game, 240);
    EXPECT_EQ(Scene().DialogCount(), 0u);
    EXPECT_TRUE(game->HintPending(8));
    Run(*game, 10);
    EXPECT_FALSE(game->HintPending(8));
    ASSERT_EQ(Scene().DialogCount(), 1u);
    EXPECT_EQ(Scene().Dialog(0)->Type()->TypeName(), "hint8");
}

TEST_F(GameplayTest, ReleasedBallsComeEveryIntervalUpToTheLevelsCount) {
    TinyLevel level;
    level.ballsReleased = 3; // the spawned player ball is counted too
    level.releaseInterval = 1;
    WriteGame({level});
    auto game = StartGame();
    game->Update(16.0f);
    EXPECT_EQ(game->BallsReleased(), 1);
    EXPECT_EQ(game->Level()->BallsSpawned(), 2);
    Run(*game, 60);
    EXPECT_EQ(game->BallsReleased(), 1);
    ASSERT_TRUE(RunUntil(
        *game, [&] { return game->BallsReleased() == 2; }, 10));
    Run(*game, 200);
    EXPECT_EQ(game->BallsReleased(), 2);
    EXPECT_EQ(game->Level()->BallsSpawned(), 3);
}

TEST_F(GameplayTest, AnotherBallInTheExitIsSavedAndOneInATrapIsJustGone) {
    Define("class PyxAnimExplosion\ntype bigsmoke\n");
    TinyLevel level;
    level.traps = {2 * 6 + 4};
    WriteGame({level});
    auto game = StartGame();
    CollectCoins(*game, 3);
    game->Update(0.0f);
    PyxEntityTileBase* exit = ExitTile(*game);
    ASSERT_NE(exit, nullptr);
    const std::int32_t col = exit->CellIndex() % 6;
    const std::int32_t row = exit->CellIndex() / 6;
    // Balls released onto a sink fall in as they are listed there.
    PyxLevel* board = game->Level();
    PyxEntityGameObject* saved =
        board->SpawnBall(0, col, row, 1.0f, 0.0f, 1.0f, "PyxSpriteBall", "enemy", true);
    PyxEntityGameObject* lost =
        board->SpawnBall(0, 4, 2, 1.0f, 0.0f, 1.0f, "PyxSpriteBall", "enemy", true);
    ASSERT_NE(saved, nullptr);
    ASSERT_NE(lost, nullptr);
    EXPECT_TRUE(saved->HasFlags(kObjectRemoved));
    EXPECT_TRUE(lost->HasFlags(kObjectRemoved));
    EXPECT_EQ(game->BallsSaved(), 1);
    EXPECT_EQ(game->Lives(), 3);
    // Smoke rises from the middle of the exit only.
    game->Update(0.0f);
    std::vector<std::pair<float, float>> smoke;
    for (const auto& record : board->Objects()) {
        EXPECT_NE(record.typeName, "enemy");
        if (record.typeName == "bigsmoke")
            smoke.push_back({record.entity->X(), record.entity->Y()});
    }
    EXPECT_EQ(smoke, (std::vector<std::pair<float, float>>{
                         {float(col * kCell + kCell / 2), float(row * kCell + kCell / 2)}}));
}

TEST_F(GameplayTest, APoweredBallInATrapLosesALifeTheGrabFlightsAndThePower) {
    Define("class PyxAnimAward\ntype coinsilver\n");
    Define("class PyxGrabPickup\ntype defaultgrab\n");
    TinyLevel level;
    level.traps = {2 * 6 + 4};
    WriteGame({level});
    auto game = StartGame();
    PyxLevel* board = game->Level();
    auto grabs = [&] {
        int flying = 0;
        for (const auto& record : board->Objects())
            flying += record.typeName == "defaultgrab" && !record.entity->HasFlags(kObjectRemoved);
        return flying;
    };
    for (float x : {252.0f, 308.0f}) {
        PyxEntityGameObject* coin =
            board->AddObjectAt(x, 140.0f, "PyxAnimAward", "coinsilver", true);
        ASSERT_TRUE(game->OnAwardTaken(coin, game->PlayerBall()));
    }
    EXPECT_EQ(grabs(), 2);
    game->PowerUp();
    PyxEntityGameObject* powered = game->PlayerBall();
    ASSERT_EQ(powered, game->PoweredBall());

    PlaceBall(*game, powered, 4 * kCell + 28.0f, 2 * kCell + 28.0f);
    EXPECT_EQ(game->Lives(), 2);
    EXPECT_EQ(grabs(), 0);
    EXPECT_FALSE(game->IsPowered());
    EXPECT_EQ(game->PlayerBall(), game->NormalBall());
    EXPECT_FALSE(powered->HasFlags(kObjectActive));
    game->Update(16.0f);
    EXPECT_EQ(grabs(), 0);
    EXPECT_TRUE(game->NormalBall()->HasFlags(kObjectActive));
    EXPECT_EQ(game->NormalBall()->Cell(), 1 * 6 + 1);
}

// The HUD's cash-in lights and coins pop their points up from where they sit on screen.
TEST_F(GameplayTest, AScoreShownOverTheScreenRisesFromTheBoardPointBeneath) {
    Define("class PyxFloatingScore\ntype floatingscore\n");
    TinyLevel level;
    level.border = 16;
    WriteGame({level});
    auto game = StartGame();
    game->ShowScreenScore(216, 116, "50");
    const auto& objects = game->Level()->Objects();
    const auto score = std::find_if(objects.begin(), objects.end(),
                                    [](const auto& r) { return r.typeName == "floatingscore"; });
    ASSERT_NE(score, objects.end());
    EXPECT_EQ(std::pair(score->entity->X(), score->entity->Y()), std::pair(200.0f, 100.0f));
}

TEST_F(GameplayTest, OnACrowdedBoardTheExitFallsBackToTheFirstFreeFloorCell) {
    Define("class PyxAnimAward\ntype coinsilver\n");
    TinyLevel level;
    level.columns = 40;
    level.rows = 40;
    // Traps all over but the start cell and three floor cells, the first with a coin.
    const std::int32_t start = 1 * 40 + 1, coin = 500, first = 900, last = 1500;
    for (std::int32_t i = 0; i < 40 * 40; ++i) {
        if (i != start && i != coin && i != first && i != last)
            level.traps.push_back(i);
    }
    level.objects = {{"PyxAnimAward", "coinsilver", float((coin % 40) * kCell + kCell / 2),
                      float((coin / 40) * kCell + kCell / 2)}};
    WriteGame({level});
    // A draw that misses both free cells on every frame of the search.
    SeedRandom(kMissingSeed);
    auto game = StartGame();
    CollectCoins(*game, 3);
    for (int frame = 1; frame < PyxGameplay::kExitSearchFrames; ++frame) {
        game->Update(0.0f);
        ASSERT_FALSE(game->IsExitOpen()) << frame;
    }
    game->Update(0.0f);
    ASSERT_TRUE(game->IsExitOpen());
    PyxEntityTileBase* exit = ExitTile(*game);
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->CellIndex(), first);
}

} // namespace

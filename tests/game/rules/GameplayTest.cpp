// One game on tiny levels: start, coins, the exit, winning a level, the next level,
// traps and lives, the end of the game and its hand-over to the high scores, pause,
// hints, and levels that cannot be read.

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "game/rules/RulesTestSupport.h"
#include "app/QxInputEvent.h"
#include "engine/gui/PyxHighScore.h"
#include "engine/sound/QxSoundManager.h"
#include "game/field/PyxEntitySinkTile.h"
#include "game/rules/PyxBoardLink.h"

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

TEST_F(GameplayTest, StartNewGamePlacesThePlayerOnTheFirstLevel) {
    WriteGame({TinyLevel{}, TinyLevel{}});
    auto game = StartGame();
    EXPECT_EQ(game->State(), PyxGameState::Playing);
    EXPECT_EQ(game->LevelIndex(), 0);
    EXPECT_EQ(game->Lives(), 3);
    EXPECT_EQ(game->LevelList().Count(), 2);
    EXPECT_EQ(GameInProgress(), game.get());
    EXPECT_EQ(GameEvents(), game.get());

    PyxEntityBallBase* ball = Ball(game->PlayerBall());
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(ball->Type()->ClassName(), "PyxRenderedBall");
    EXPECT_TRUE(ball->HasFlags(kObjectPlayer));
    EXPECT_TRUE(ball->HasFlags(kObjectActive));
    EXPECT_TRUE(ball->IsRolling());
    EXPECT_FLOAT_EQ(ball->TargetSpeed(), 0.14f);
    EXPECT_EQ(ball->X(), 84.0f);
    EXPECT_EQ(ball->Y(), 84.0f);
    EXPECT_EQ(game->StartCol(), 1);
    EXPECT_EQ(game->StartRow(), 1);

    // The powered ball waits, hidden, at the same place.
    ASSERT_NE(game->PoweredBall(), nullptr);
    EXPECT_EQ(game->PoweredBall()->Type()->TypeName(), "spikedball");
    EXPECT_FALSE(game->PoweredBall()->HasFlags(kObjectInFrame | kObjectActive));
    EXPECT_TRUE(game->PoweredBall()->HasFlags(kObjectPlayer));

    // A transition plays into the first frame of the level, without a new scene.
    ASSERT_EQ(Services().scenes.size(), 1u);
    EXPECT_EQ(Services().scenes[0].className, "");
    EXPECT_EQ(Services().scenes[0].transition, -1);
    EXPECT_EQ(game->HudText(9), "1");
    EXPECT_EQ(game->HudText(6), "Lives: 3");
    EXPECT_EQ(game->HudText(5), "Coins: 0 / 3");
}

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

TEST_F(GameplayTest, FewCoinsNeededStillArmsTheSpecialAtTen) {
    TinyLevel level;
    level.coinsNeeded = 5; // random(5 - 12) draws from nothing
    WriteGame({level});
    auto game = StartGame();
    EXPECT_EQ(game->SpecialArmCount(), 10);
}

TEST_F(GameplayTest, ExitOpensAtCoinsNeededOnAFreeFloorCell) {
    WriteGame({TinyLevel{}});
    auto game = StartGame();
    CollectCoins(*game, 2);
    game->Update(16.0f);
    EXPECT_FALSE(game->IsExitOpen());
    EXPECT_EQ(ExitTile(*game), nullptr);
    EXPECT_EQ(game->HudText(5), "Coins: 2 / 3");

    CollectCoins(*game, 1);
    game->Update(16.0f);
    EXPECT_TRUE(game->IsExitOpen());
    PyxEntityTileBase* exit = ExitTile(*game);
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->Type()->ClassName(), "PyxSinkTile");
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
    EXPECT_EQ(game->CoinsHeld(), 0);
    EXPECT_EQ(game->Hits(), 0);
    EXPECT_FALSE(game->IsExitOpen());
    EXPECT_EQ(game->Score(), 400);
    ASSERT_NE(game->PlayerBall(), nullptr);
    EXPECT_TRUE(game->PlayerBall()->HasFlags(kObjectActive));
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
    EXPECT_EQ(Services().second, "");
    auto* entry = dynamic_cast<PyxHighScore*>(Services().entry.get());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->score, 1234u);
    EXPECT_EQ(entry->level, 1u);
    EXPECT_EQ(entry->name, "Tester");
    EXPECT_EQ(Services().scenes.back().className, "PyxHighScores");
    EXPECT_EQ(Services().scenes.back().typeName, "highscores");
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

TEST_F(GameplayTest, KeyDuringCashingInPaysTheRestAtOnce) {
    WriteGame({TinyLevel{}, TinyLevel{}});
    auto game = StartGame();
    CollectCoins(*game, 6);
    game->Update(16.0f);
    game->OnBallAtExitOrSink(game->PlayerBall(), ExitTile(*game));
    game->Update(16.0f);
    EXPECT_EQ(game->Score(), 100);
    game->SetHintBlockTimer(0.0f);
    game->OnKeyDown('x');
    EXPECT_EQ(game->Score(), 600);
    EXPECT_EQ(game->DisplayedScore(), 595);
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

TEST_F(GameplayTest, PauseFreezesTheBoardAndTheClockAndResumes) {
    WriteGame({TinyLevel{}});
    auto game = StartGame();
    Run(*game, 5);
    PyxEntityGameObject* ball = game->PlayerBall();
    const float x = ball->X();
    EXPECT_EQ(game->TogglePause(), PyxGameState::Paused);
    EXPECT_TRUE(g_soundManager->SoundsDisabled());
    Run(*game, 20);
    EXPECT_EQ(ball->X(), x);
    EXPECT_EQ(game->HudText(7), "Game Paused");
    EXPECT_EQ(Scene().cursorFrame, 0);
    game->PauseOnly();
    EXPECT_EQ(game->State(), PyxGameState::Paused);

    g_gameSettings.musicOn = 1;
    EXPECT_EQ(game->TogglePause(), PyxGameState::Playing);
    EXPECT_FALSE(g_soundManager->SoundsDisabled());
    EXPECT_EQ(game->HudText(7), "");
    Run(*game, 5);
    EXPECT_GT(ball->X(), x);
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
    // Hints without a box type, and numbers out of range, do nothing.
    Scene().CloseDialog(Scene().Dialog(0));
    Scene().Update(0.0f);
    game->ShowHint(5);
    EXPECT_TRUE(game->HintPending(5));
    game->ShowHint(20);
    game->ShowHint(-1);
    EXPECT_EQ(Scene().DialogCount(), 0u);
}

TEST_F(GameplayTest, LevelClockCountsUpAndStartsOverAtTheLevelTime) {
    TinyLevel level;
    level.levelTime = 2;
    WriteGame({level});
    auto game = StartGame();
    Run(*game, 100, 10.0f);
    EXPECT_FLOAT_EQ(game->LevelClockTime(), 1000.0f);
    EXPECT_EQ(game->HudText(2), "Time: 1.000000");
    Run(*game, 99, 10.0f);
    EXPECT_FLOAT_EQ(game->LevelClockTime(), 1990.0f);
    Run(*game, 1, 10.0f);
    EXPECT_EQ(game->LevelClockTime(), 0.0f);
    // Paused, it stands still.
    game->TogglePause();
    Run(*game, 10, 10.0f);
    EXPECT_EQ(game->LevelClockTime(), 0.0f);
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

} // namespace

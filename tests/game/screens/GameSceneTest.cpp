// The game screen over a small board: starting the rules, keys and clicks, pausing,
// the quit question, the end of a game and the jaws.

#include "app/GameTestSupport.h"
#include "engine/gui/QxDialogInterface.h"
#include "engine/gui/QxEntityHighScoreScene.h"
#include "engine/gui/QxEntityMessageBox.h"
#include "game/field/PyxLevel.h"
#include "game/field/PyxLevelText.h"
#include "game/objects/PyxEntityBigTeeth.h"
#include "game/rules/PyxGameplay.h"
#include "game/rules/PyxLevelList.h"
#include "game/screens/PyxEntityStdGameScene.h"

namespace {

using namespace gametest;

class GameSceneTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        g_gameSettings.showHints = 0;
        WriteMenus();
    }

    // Writes the level through the game's registry and a one-entry "levels.lst".
    void WriteGame(const std::string& levelText) {
        PyxLevel level;
        std::string error;
        ASSERT_TRUE(PyxLevelText::Read(levelText, level, error)) << error;
        ASSERT_TRUE(WriteWith(DataFolder() + "level1.lvl",
                              [&](QxFile& file) { return level.SaveLevel(file); }));
        PyxLevelList list;
        list.Entries().push_back({"level1.lvl", "One", "", 0});
        ASSERT_TRUE(
            WriteWith(DataFolder() + "levels.lst", [&](QxFile& file) { return list.Write(file); }));
    }

    // The main menu, then the game screen with its transition over.
    void StartGame(const std::string& levelSet = "levels.lst", bool withTeeth = true) {
        WriteBoardDataSet(DataFolder(), levelSet, withTeeth);
        StartAtMainMenu();
        WriteGame(SmallLevelText());
        Click(ButtonCentre("StandardGame"));
        RunUntilScene("PyxStdGame", 5);
        Settle();
    }

    PyxEntityStdGameScene* Scene() const {
        return dynamic_cast<PyxEntityStdGameScene*>(game_->CurrentScene());
    }
};

TEST_F(GameSceneTest, APlayerStartsSteersPausesMutesAndEndsAGame) {
    StartGame();
    ASSERT_NE(Scene(), nullptr);
    PyxGameplay* rules = Scene()->Gameplay();
    ASSERT_NE(rules, nullptr);
    EXPECT_EQ(GameInProgress(), rules);
    EXPECT_EQ(rules->State(), PyxGameState::Playing);
    EXPECT_EQ(rules->LevelIndex(), 0);
    EXPECT_EQ(rules->Lives(), 3);
    EXPECT_FALSE(game_->IsMusicPlaying());
    std::string levelSet;
    EXPECT_TRUE(Scene()->GetString(kPropLevelSet, levelSet));
    EXPECT_EQ(levelSet, "levels.lst");
    auto* teeth = dynamic_cast<PyxEntityBigTeeth*>(Scene()->NamedElement("Teeth"));
    ASSERT_NE(teeth, nullptr);
    EXPECT_EQ(teeth->Trajectory(), nullptr);
    EXPECT_EQ(Scene()->NamedElement("Clock"), nullptr); // not in this data set

    // Arrows reach the rules; P pauses, any key or a click resumes.
    PressKey(QxKey::Up);
    EXPECT_TRUE(rules->HeldKeys().up);
    RunFrame(10.0f, {QxInputEvent::Make(QxInputKind::KeyUp, QxKey::Up)});
    EXPECT_FALSE(rules->HeldKeys().up);
    PressKey('p');
    EXPECT_EQ(rules->State(), PyxGameState::Paused);
    EXPECT_TRUE(Scene()->IsPausedByKey());
    EXPECT_TRUE(sound_->SoundsDisabled());
    PressKey('x');
    EXPECT_EQ(rules->State(), PyxGameState::Playing);
    EXPECT_FALSE(sound_->SoundsDisabled());
    PressKey('P');
    ASSERT_EQ(rules->State(), PyxGameState::Paused);
    Click(QxPoint{100, 100});
    EXPECT_EQ(rules->State(), PyxGameState::Playing);

    // S and F5 flip the sound and say so.
    QxEntity2DGUIElement* sign = Scene()->NamedElement("SoundOff");
    ASSERT_NE(sign, nullptr);
    EXPECT_FALSE(sign->IsVisible());
    PressKey('s');
    EXPECT_EQ(g_gameSettings.musicOn, 0u);
    EXPECT_TRUE(sound_->SoundsDisabled());
    EXPECT_TRUE(sign->IsVisible());
    EXPECT_EQ(rules->NoticeText(), "Sound off");
    PressKey(PyxEntityStdGameScene::kKeyF5);
    EXPECT_EQ(g_gameSettings.musicOn, 1u);
    EXPECT_FALSE(sound_->SoundsDisabled());
    EXPECT_FALSE(sign->IsVisible());
    EXPECT_EQ(rules->NoticeText(), "Sound on");
    EXPECT_EQ(rules->State(), PyxGameState::Playing);

    // The quit question freezes the clock; No lets it run on.
    PressKey(27);
    ASSERT_EQ(Scene()->DialogCount(), 1u);
    const float clock = rules->LevelClockTime();
    RunFrames(20);
    EXPECT_EQ(rules->LevelClockTime(), clock);
    PressKey('n');
    RunFrames(2);
    EXPECT_GT(rules->LevelClockTime(), clock);

    // The end of the game: its box's OK leads to the high scores.
    rules->SetScore(1234);
    rules->SetDisplayedScore(1234);
    rules->SetState(PyxGameState::GameEnding);
    rules->SetStateTimer(0.0f);
    RunFrame();
    ASSERT_EQ(Scene()->DialogCount(), 1u);
    PressKey(13);
    EXPECT_TRUE(RunUntilScene("PyxHighScores", 2));
    EXPECT_EQ(GameInProgress(), nullptr);
}

TEST_F(GameSceneTest, AGameThatCannotStartLeavesTheMenuSayingWhy) {
    StartGame("nowhere.lst");
    EXPECT_FALSE(game_->IsQuitRequested());
    ASSERT_EQ(SceneClass(), "PyxMainMenu");
    QxEntity2DScene* menu = game_->CurrentScene();
    ASSERT_EQ(menu->DialogCount(), 1u);
    const auto* box = dynamic_cast<QxEntityMessageBox*>(menu->Dialog(0));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Text(), "The game cannot start:\r\nthe level list \"nowhere.lst\" is missing.");
    EXPECT_EQ(GameInProgress(), nullptr);
    EXPECT_TRUE(game_->IsMusicPlaying());

    // OK closes the box; a list whose first level is not there names that level.
    PressKey(13);
    RunFrame();
    EXPECT_EQ(menu->DialogCount(), 0u);
    PyxLevelList list;
    list.Entries().push_back({"gone.lvl", "", "", 0});
    ASSERT_TRUE(
        WriteWith(DataFolder() + "nowhere.lst", [&](QxFile& file) { return list.Write(file); }));
    Click(ButtonCentre("StandardGame"));
    ASSERT_EQ(menu, game_->CurrentScene());
    ASSERT_EQ(menu->DialogCount(), 1u);
    box = dynamic_cast<QxEntityMessageBox*>(menu->Dialog(0));
    ASSERT_NE(box, nullptr);
    EXPECT_NE(box->Text().find("level 1 (\"gone.lvl\") cannot be loaded."), std::string::npos);
    EXPECT_FALSE(game_->IsTransitionActive());
}

TEST_F(GameSceneTest, JawsCloseOnceThenOpenAndHide) {
    StartGame();
    PyxEntityStdGameScene* scene = Scene();
    auto* teeth = dynamic_cast<PyxEntityBigTeeth*>(scene->NamedElement("Teeth"));
    ASSERT_NE(teeth, nullptr);
    EXPECT_EQ(scene->StepJaws(), PyxGameplayOwner::kJawsMoving);
    ASSERT_NE(teeth->Trajectory(), nullptr);
    int closed = 0;
    int steps = 0;
    std::int32_t step = PyxGameplayOwner::kJawsMoving;
    for (; steps < 1000 && step != PyxGameplayOwner::kJawsNone; ++steps) {
        teeth->Update(20.0f);
        step = scene->StepJaws();
        closed += step == PyxGameplayOwner::kJawsClosed ? 1 : 0;
    }
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(step, PyxGameplayOwner::kJawsNone);
    EXPECT_EQ(teeth->Trajectory(), nullptr);
    // 420 pixels each way at 900 per second: about 24 steps of 20 ms.
    EXPECT_GT(steps, 40);
    EXPECT_LT(steps, 60);
}

} // namespace

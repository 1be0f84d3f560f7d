// The game's menus over the small data set: loading, main menu, settings (with the
// full-screen key), instructions, the high-score menu and the hint box.

#include "app/GameTestSupport.h"
#include "engine/gui/PyxHighScore.h"
#include "engine/gui/QxDialogInterface.h"
#include "engine/gui/QxEntity2DGUIButton.h"
#include "engine/gui/QxEntity2DGUIProgressBar.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/QxEntity2DGUIToggleButton.h"
#include "engine/gui/QxEntityHighScoreScene.h"
#include "game/screens/PyxEntityHintBox.h"
#include "game/screens/PyxEntityLoadingScene.h"
#include "game/screens/PyxEntityMainMenuScene.h"
#include "game/screens/PyxEntitySettingsMenuScene.h"
#include "platform/headless/HeadlessSound.h"

namespace {

using namespace gametest;

class MenuSceneTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        WriteMenus();
    }

    // Clicks the named button and runs on until the scene of the class is current and
    // its transition is over.
    void ClickTo(const std::string& button, const std::string& sceneClass) {
        Click(ButtonCentre(button));
        ASSERT_TRUE(RunUntilScene(sceneClass, 10)) << button;
        Settle();
    }

    // The named element of the current scene's type.
    QxEntity2DGUIElement* Named(const std::string& name) {
        for (const auto& record : game_->CurrentScene()->SceneType()->Elements()) {
            if (record.element && record.reference.typeName.size() > 0 &&
                record.position.x == ButtonPlaces().at(name).x &&
                record.position.y == ButtonPlaces().at(name).y) {
                return record.element.get();
            }
        }
        return nullptr;
    }

    std::int32_t ToggleState(const std::string& name) {
        std::int32_t state = -1;
        if (QxEntity2DGUIElement* toggle = Named(name)) {
            toggle->GetBool(kPropToggleState, state);
        }
        return state;
    }
};

// The settings themselves, their storing by OK and their loss by Escape are played
// on the real data set (ContentRunnerTest); here the bar, the version, the help, the
// manual and the full-screen key's part in the settings.
TEST_F(MenuSceneTest, LoadingEndsInTheMainMenuWhoseButtonsLeadOnAndComeBack) {
    g_gameSettings.showHints = 0;
    Start();
    ASSERT_EQ(SceneClass(), "PyxLoadingScene");
    game_->SetFullScreenKeyAllowed(false);
    float shown = 0.0f;
    for (int i = 0; i < 5000 && SceneClass() == "PyxLoadingScene"; ++i) {
        if (auto* loading = dynamic_cast<PyxEntityLoadingScene*>(game_->CurrentScene())) {
            EXPECT_GE(loading->ShownProgress(), shown); // never backwards
            shown = loading->ShownProgress();
        }
        RunFrame();
        if (!game_->IsBackgroundLoadDone()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    EXPECT_GE(shown, 1.0f);
    ASSERT_EQ(SceneClass(), "PyxMainMenu");
    EXPECT_EQ(game_->Transition().kind, 0);
    EXPECT_TRUE(game_->IsFullScreenKeyAllowed());
    EXPECT_TRUE(game_->IsMusicPlaying());
    EXPECT_EQ(game_->CurrentTrack(), 1);
    QxEntity2DGUIElement* version = nullptr;
    for (const auto& record : game_->CurrentScene()->SceneType()->Elements()) {
        if (record.reference.className == "text") {
            version = record.element.get();
        }
    }
    ASSERT_NE(version, nullptr);
    std::string text;
    ASSERT_TRUE(version->GetString(kPropTextGet, text));
    EXPECT_EQ(text, "Ver: 1.1.6");
    Settle();

    ClickTo("Help", "PyxInstructions");
    Click(ButtonCentre("OK"));
    EXPECT_TRUE(RunUntilScene("PyxMainMenu", 2));
    Settle();
    {
        // The game runs in its data folder; the manual is looked for there.
        const std::filesystem::path before = std::filesystem::current_path();
        std::filesystem::current_path(DataFolder());
        Click(ButtonCentre("WebPage"));
        EXPECT_TRUE(platform::headless::OpenedWebPages().empty());
        EXPECT_NE(ReadLog().find("Website - the manual"), std::string::npos);
        WriteFile(DataFolder() + "manual.html", "<!doctype html><title>Manual</title>\n");
        Click(ButtonCentre("WebPage"));
        const std::vector<std::string> pages = platform::headless::OpenedWebPages();
        std::filesystem::current_path(before);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_TRUE(std::filesystem::equivalent(pages[0], DataFolder() + "manual.html"));
        EXPECT_EQ(SceneClass(), "PyxMainMenu");
    }

    ClickTo("Settings", "PyxSettingsMenu");
    EXPECT_FALSE(game_->IsFullScreenKeyAllowed());
    EXPECT_EQ(ToggleState("SoundToggle"), 1);
    EXPECT_EQ(ToggleState("FullScreenToggle"), 0);
    EXPECT_EQ(ToggleState("HintToggle"), 0);
    PressKey(QxKey::F7);
    EXPECT_FALSE(screen_->IsFullScreen());
    Click(ButtonCentre("SoundToggle"));
    Click(ButtonCentre("FullScreenToggle"));
    EXPECT_EQ(g_gameSettings.musicOn, 1u); // nothing stored before OK
    Click(ButtonCentre("OK"));
    EXPECT_TRUE(sound_->SoundsDisabled());
    // The queued key was taken in the same frame: the mode is switched, the menu stays.
    EXPECT_TRUE(screen_->IsFullScreen());
    EXPECT_EQ(g_gameSettings.fullScreen, 1u);
    EXPECT_EQ(SceneClass(), "PyxSettingsMenu");
    EXPECT_TRUE(game_->IsSceneChangePending());
    RunFrame();
    EXPECT_EQ(SceneClass(), "PyxMainMenu");
    EXPECT_TRUE(game_->IsFullScreenKeyAllowed());
}

// The volume keys change what the player hears at once, the music while it plays and
// every effect that starts later; Escape gives the stored volumes back, OK keeps them.
TEST_F(MenuSceneTest, VolumeKeysAreHeardAtOnceAndOnlyOKKeepsThem) {
    g_gameSettings.musicVolume = 50;
    StartAtMainMenu();
    const QxGame::MusicTrack* track = game_->FindTrack(PyxGame::kMusicTrack);
    ASSERT_NE(track, nullptr);
    const std::uint32_t voice = track->voice;
    ASSERT_NE(voice, QxGame::kNoVoice);
    sound_->UpdateSounds(5000.0f); // the fade-in is over
    auto heard = [this](std::uint32_t instance) {
        platform::headless::SoundBufferState state;
        EXPECT_TRUE(
            platform::headless::GetSoundBufferState(sound_->InstanceBuffer(instance), &state));
        return state.volume;
    };
    auto level = [this](const std::string& bar) {
        float value = -1.0f;
        if (QxEntity2DGUIElement* element = Named(bar)) {
            element->GetFloat(kPropProgressValue, value);
        }
        return value;
    };
    EXPECT_NEAR(heard(voice), -2000, 1);

    ClickTo("Settings", "PyxSettingsMenu");
    EXPECT_FLOAT_EQ(level("MusicVolumeBar"), 0.5f);
    EXPECT_FLOAT_EQ(level("EffectsVolumeBar"), 1.0f);
    Click(ButtonCentre("MusicVolumeDown"));
    EXPECT_NEAR(heard(voice), -2400, 1);
    EXPECT_FLOAT_EQ(level("MusicVolumeBar"), 0.4f);
    Click(ButtonCentre("EffectsVolumeDown"));
    Click(ButtonCentre("EffectsVolumeDown"));
    std::uint32_t effect = 0;
    ASSERT_EQ(sound_->PlaySound(track->sound->sound, &effect, false), 1);
    EXPECT_NEAR(heard(effect), -800, 1);
    EXPECT_NEAR(heard(voice), -2400, 1);
    EXPECT_EQ(g_gameSettings.musicVolume, 50u); // nothing stored before OK

    PressKey(27);
    EXPECT_NEAR(heard(voice), -2000, 1);
    EXPECT_EQ(heard(effect), 0);
    ASSERT_TRUE(RunUntilScene("PyxMainMenu", 10));
    Settle();
    EXPECT_EQ(g_gameSettings.effectsVolume, 100u);

    ClickTo("Settings", "PyxSettingsMenu");
    for (int press = 0; press < 7; ++press) { // two more than it takes
        Click(ButtonCentre("MusicVolumeUp"));
    }
    EXPECT_EQ(heard(voice), 0);
    for (int press = 0; press < 12; ++press) {
        Click(ButtonCentre("EffectsVolumeDown"));
    }
    EXPECT_FLOAT_EQ(level("EffectsVolumeBar"), 0.0f);
    EXPECT_EQ(heard(effect), -10000);
    Click(ButtonCentre("OK"));
    EXPECT_EQ(g_gameSettings.musicVolume, 100u);
    EXPECT_EQ(g_gameSettings.effectsVolume, 0u);
    EXPECT_TRUE(RunUntilScene("PyxMainMenu", 10));
}

TEST_F(MenuSceneTest, HighScoreMenuShowsTheTableAndMarksTheNewEntry) {
    g_lastHighscoreName = "Zed";
    StartAtMainMenu();
    g_highScoreTable.Clear();
    g_highScoreTable.Insert(PyxHighScore("Ann", 500, 3), false);
    g_highScoreTable.Insert(PyxHighScore("Cy", 100, 30), false);
    g_pendingHighScore = std::make_unique<PyxHighScore>("Bob", 300, 2);
    g_highScoreMessage1 = "Well done";
    ClickTo("HighScores", "PyxHighScores");
    auto* scene = dynamic_cast<QxEntityHighScoreScene*>(game_->CurrentScene());
    ASSERT_NE(scene, nullptr);
    EXPECT_TRUE(scene->IsEnteringName());
    ASSERT_EQ(scene->DialogCount(), 1u); // the name entry
    PressKey(13);
    RunFrame();
    EXPECT_EQ(scene->DialogCount(), 0u);
    EXPECT_FALSE(scene->IsEnteringName());
    EXPECT_EQ(g_lastHighscoreName, "Bob");

    QxEntityHighScoreSceneType* type = scene->HighScoreType();
    std::string text;
    type->NameElement(1)->GetString(kPropTextGet, text);
    EXPECT_EQ(text, "Bob");
    EXPECT_EQ(type->NameElement(1)->GetPosition().y, 242);
    type->ScoreElement(0)->GetString(kPropTextGet, text);
    EXPECT_EQ(text, "500");
    EXPECT_EQ(type->Arrow()->GetPosition(), (QxPoint{34, 242}));
    type->NameElement(3)->GetString(kPropTextGet, text);
    EXPECT_EQ(text, "");

    Click(ButtonCentre("Done"));
    EXPECT_TRUE(RunUntilScene("PyxMainMenu", 2));
    EXPECT_EQ(g_pendingHighScore, nullptr);
}

// The answer the last hint box closed with.
std::int32_t g_hintAnswer = -1;

bool RecordHintAnswer(QxEntity2DScene*, QxEntity2DGUIElement* dialog) {
    if (const auto* box = dynamic_cast<const QxDialogInterface*>(dialog)) {
        g_hintAnswer = box->Answer();
    }
    return true;
}

class HintBoxTest : public MenuSceneTest {
protected:
    PyxEntityHintBox* OpenHint() {
        std::unique_ptr<QxEntityBase> entity = g_registry->Create("PyxHintBox", "hint3", kKindAny);
        auto* box = dynamic_cast<PyxEntityHintBox*>(entity.get());
        if (box == nullptr) {
            return nullptr;
        }
        entity.release();
        box->SetPosition(QxPoint{100, 100});
        g_hintAnswer = -1;
        game_->CurrentScene()->AddDialog(3, std::unique_ptr<QxEntity2DGUIElement>(box),
                                         &RecordHintAnswer, nullptr, true);
        return box;
    }
};

// The close button keeps the hints, Escape leaves the setting alone whatever the
// toggle says, and Enter with "don't show" checked turns them off.
TEST_F(HintBoxTest, PartsSitAlongTheBottomAndOnlyEnterWithDontShowCheckedTurnsHintsOff) {
    StartAtMainMenu();
    PyxEntityHintBox* box = OpenHint();
    ASSERT_NE(box, nullptr);
    QxPoint origin = box->ContentOrigin();
    Click(QxPoint{origin.x + 260, origin.y + 79}); // the close button
    EXPECT_EQ(g_gameSettings.showHints, 1u);
    EXPECT_EQ(g_hintAnswer, PyxEntityHintBox::kAnswerClosed);
    EXPECT_EQ(game_->CurrentScene()->DialogCount(), 0u);

    box = OpenHint();
    ASSERT_NE(box, nullptr);
    Click(QxPoint{box->ContentOrigin().x + 20, box->ContentOrigin().y + 79});
    PressKey(27);
    EXPECT_EQ(g_hintAnswer, PyxEntityHintBox::kAnswerEscaped);
    EXPECT_EQ(g_gameSettings.showHints, 1u);

    box = OpenHint();
    ASSERT_NE(box, nullptr);
    // The frame takes 34 pixels at the bottom and 20 on the right; the parts are 40 x 20.
    EXPECT_EQ(box->DontShowOffset(), (QxPoint{0, 69}));
    EXPECT_EQ(box->DontShowTextOffset(), (QxPoint{45, 70}));
    EXPECT_EQ(box->CloseOffset(), (QxPoint{240, 69}));
    origin = box->ContentOrigin();
    EXPECT_EQ(box->CloseButton()->GetPosition(), (QxPoint{origin.x + 240, origin.y + 69}));
    Click(QxPoint{origin.x + 20, origin.y + 79}); // the toggle
    EXPECT_EQ(box->DontShowToggle()->State(), 1);
    PressKey(13);
    EXPECT_EQ(g_gameSettings.showHints, 0u);
    EXPECT_EQ(g_hintAnswer, PyxEntityHintBox::kAnswerClosed);
    EXPECT_EQ(game_->CurrentScene()->DialogCount(), 0u);
}

} // namespace

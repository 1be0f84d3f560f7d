// The game object's frame: event consumption, the full-screen key and its conditions,
// activation, the mouse in full screen, scene requests and the page-roll transition.

#include <atomic>
#include <cmath>
#include <numbers>
#include <set>

#include "app/GameTestSupport.h"
#include "app/ProbeScene.h"
#include "app/QxRandom.h"

namespace {

using namespace gametest;

class GameFrameTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        ProbeLogs().clear();
        WriteFile(DataFolder() + "LoadingScene.ent", "class PyxLoadingScene\ntype loadingscene\n");
    }

    // Starts, waits for the loader, defines the probes and makes probe `a` current
    // with its transition over.
    void StartWithProbe() {
        Start();
        WaitForLoader();
        ASSERT_TRUE(DefineProbe("a"));
        ASSERT_TRUE(DefineProbe("b", "Pattern 1\n"));
        ASSERT_TRUE(DefineProbe("c", "Pattern 2\n"));
        ASSERT_TRUE(DefineProbe("asks", "RequestClass TestProbe\nRequestType b\n"));
        SwitchTo("a");
    }

    // Requests the probe type and runs until its transition is over.
    void SwitchTo(const std::string& type, int kind = 0) {
        game_->RequestScene("TestProbe", type, kind);
        RunFrame();
        while (game_->IsTransitionActive()) {
            RunFrame(50.0f);
        }
    }

    static QxInputEvent Key(std::int32_t code) {
        return QxInputEvent::Make(QxInputKind::KeyDown, static_cast<std::uint32_t>(code));
    }

    // The back buffer pixel at (x, y).
    std::uint16_t Pixel(int x, int y) const {
        QxSurfaceDesc desc;
        if (!screen_->LockBackBuffer(&desc)) {
            return 0;
        }
        const auto* row = reinterpret_cast<const std::uint16_t*>(desc.pixels + y * desc.pitch);
        const std::uint16_t value = row[x];
        screen_->UnlockBackBuffer();
        return value;
    }
};

// ---- events -------------------------------------------------------------------------------

TEST_F(GameFrameTest, MouseEventsSetTheSharedStateAndReachTheScene) {
    StartWithProbe();
    RunFrame(10.0f, {QxInputEvent::MouseMove(30, -40), QxInputEvent::Make(QxInputKind::LeftDown)});
    EXPECT_EQ(g_mouseState.x, 30);
    EXPECT_EQ(g_mouseState.y, -40);
    EXPECT_EQ(g_mouseState.leftButton, 1);
    EXPECT_EQ(ProbeLogs()["a"].mouseDowns, 1);
    EXPECT_EQ(ProbeLogs()["a"].lastMouse, (QxPoint{30, -40}));

    RunFrame(10.0f,
             {QxInputEvent::Make(QxInputKind::LeftUp), QxInputEvent::Make(QxInputKind::RightDown),
              QxInputEvent::Make(QxInputKind::MiddleUp)});
    EXPECT_EQ(g_mouseState.leftButton, 0);
    EXPECT_EQ(ProbeLogs()["a"].mouseUps, 1);
    EXPECT_EQ(ProbeLogs()["a"].mouseDowns, 1);
}

TEST_F(GameFrameTest, TheLastTickOfAFrameIsItsFrameTime) {
    StartWithProbe();
    g_inputQueue.Push(QxInputEvent::Make(QxInputKind::Tick, 0));
    g_inputQueue.Push(QxInputEvent::Make(QxInputKind::Tick, 166));
    game_->Frame(g_inputQueue);
    EXPECT_FLOAT_EQ(game_->FrameTime(), 16.6f);
    EXPECT_FLOAT_EQ(ProbeLogs()["a"].lastUpdateMs, 16.6f);
    EXPECT_TRUE(g_inputQueue.Empty());
}

TEST_F(GameFrameTest, KeysReachTheSceneDuringATransitionButClicksDoNot) {
    StartWithProbe();
    game_->RequestScene("TestProbe", "b", 0);
    RunFrame();
    ASSERT_TRUE(game_->IsTransitionActive());
    RunFrame(10.0f,
             {QxInputEvent::Make(QxInputKind::LeftDown), QxInputEvent::Make(QxInputKind::LeftUp),
              Key('x'), QxInputEvent::Make(QxInputKind::KeyUp, QxKey::Left)});
    EXPECT_EQ(ProbeLogs()["b"].mouseDowns, 0);
    EXPECT_EQ(ProbeLogs()["b"].mouseUps, 0);
    EXPECT_EQ(ProbeLogs()["b"].keys, std::vector<int>{'x'});
    EXPECT_EQ(ProbeLogs()["b"].keyUps, std::vector<int>{QxKey::Left});
    // The button state itself follows the events.
    EXPECT_EQ(g_mouseState.leftButton, 0);
}

// ---- the full-screen key ------------------------------------------------------------------

TEST_F(GameFrameTest, FullScreenKeySwitchesTheModeAndNeverReachesTheScene) {
    StartWithProbe();
    g_modeChangeInProgress = 0;
    ASSERT_FALSE(screen_->IsFullScreen());
    RunFrame(10.0f, {Key(QxKey::F7)});
    EXPECT_TRUE(screen_->IsFullScreen());
    EXPECT_EQ(g_gameSettings.fullScreen, 1u);
    EXPECT_EQ(g_modeChangeInProgress, 1);
    EXPECT_TRUE(ProbeLogs()["a"].keys.empty());

    // The deactivation the switch itself causes does not make the game inactive; the
    // activation that follows ends the switch, so the player's next leaving counts.
    const QxInputEvent away = QxInputEvent::Make(QxInputKind::Deactivated);
    const QxInputEvent back = QxInputEvent::Make(QxInputKind::Activated);
    RunFrame(10.0f, {away});
    EXPECT_FALSE(game_->IsInactive());
    RunFrame(10.0f, {back});
    EXPECT_EQ(g_modeChangeInProgress, 0);
    RunFrame(10.0f, {away});
    EXPECT_TRUE(game_->IsInactive());

    // A deactivation during a switch that no activation cancels counts once the switch
    // has settled.
    RunFrame(10.0f, {back, Key(QxKey::F7), away});
    RunFrames(50, 10.0f);
    EXPECT_FALSE(game_->IsInactive());
    RunFrames(60, 10.0f);
    EXPECT_TRUE(game_->IsInactive());
    EXPECT_EQ(g_modeChangeInProgress, 0);
}

TEST_F(GameFrameTest, FullScreenKeyIsIgnoredWhileNotAllowed) {
    StartWithProbe();
    game_->SetFullScreenKeyAllowed(false);
    RunFrame(10.0f, {Key(QxKey::F7)});
    EXPECT_FALSE(screen_->IsFullScreen());
    EXPECT_EQ(g_gameSettings.fullScreen, 0u);
    EXPECT_TRUE(ProbeLogs()["a"].keys.empty());
}

TEST_F(GameFrameTest, FullScreenKeyIsIgnoredDuringAChangeOrATransition) {
    StartWithProbe();
    game_->RequestScene("TestProbe", "b", 0);
    RunFrame(10.0f, {Key(QxKey::F7)}); // the change is still pending while events run
    EXPECT_FALSE(screen_->IsFullScreen());
    ASSERT_TRUE(game_->IsTransitionActive());
    RunFrame(10.0f, {Key(QxKey::F7)});
    EXPECT_FALSE(screen_->IsFullScreen());
    EXPECT_TRUE(ProbeLogs()["b"].keys.empty());
}

// A game whose loading thread waits until the test lets it go.
class HeldLoaderGame : public PyxGame {
public:
    void BackgroundLoad() override {
        while (!release) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        PyxGame::BackgroundLoad();
    }
    std::atomic<bool> release{false};
};

TEST_F(GameFrameTest, FullScreenKeyWaitsForTheBackgroundLoad) {
    auto game = std::make_unique<HeldLoaderGame>();
    HeldLoaderGame* held = game.get();
    Start(std::move(game));
    RunFrame(10.0f, {Key(QxKey::F7)});
    EXPECT_FALSE(screen_->IsFullScreen());
    EXPECT_EQ(g_gameSettings.fullScreen, 0u);
    held->release = true;
    WaitForLoader();
    RunFrame(10.0f, {Key(QxKey::F7)});
    EXPECT_TRUE(screen_->IsFullScreen());
    g_modeChangeInProgress = 0;
}

// ---- activation and the mouse ---------------------------------------------------------------

TEST_F(GameFrameTest, InactiveGameConsumesEventsButNeitherUpdatesNorDraws) {
    StartWithProbe();
    g_modeChangeInProgress = 0;
    const ProbeLog before = ProbeLogs()["a"];
    RunFrame(10.0f, {QxInputEvent::Make(QxInputKind::Deactivated)});
    EXPECT_TRUE(game_->IsInactive());
    EXPECT_FALSE(screen_->IsCursorHidden());
    RunFrame(10.0f, {Key('k')});
    EXPECT_EQ(ProbeLogs()["a"].updates, before.updates);
    EXPECT_EQ(ProbeLogs()["a"].draws, before.draws);
    EXPECT_EQ(ProbeLogs()["a"].keys, std::vector<int>{'k'});
    EXPECT_TRUE(g_inputQueue.Empty());

    RunFrame(10.0f, {QxInputEvent::Make(QxInputKind::Activated)});
    EXPECT_FALSE(game_->IsInactive());
    EXPECT_TRUE(screen_->IsCursorHidden());
    EXPECT_EQ(ProbeLogs()["a"].updates, before.updates + 1);
    EXPECT_EQ(ProbeLogs()["a"].draws, before.draws + 1);
}

TEST_F(GameFrameTest, FullScreenMouseIsKeptOnTheScreen) {
    g_gameSettings.fullScreen = 1;
    Start();
    WaitForLoader();
    ASSERT_TRUE(screen_->IsFullScreen());
    RunFrame(10.0f, {QxInputEvent::MouseMove(-5, 700)});
    EXPECT_EQ(g_mouseState.x, 0);
    EXPECT_EQ(g_mouseState.y, 480);
    int x = -1;
    int y = -1;
    ASSERT_TRUE(screen_->Window()->GetMousePosition(&x, &y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 480);
    // The edges themselves are allowed.
    RunFrame(10.0f, {QxInputEvent::MouseMove(640, 0)});
    EXPECT_EQ(g_mouseState.x, 640);
}

TEST_F(GameFrameTest, WindowedMouseIsLeftAlone) {
    StartWithProbe();
    RunFrame(10.0f, {QxInputEvent::MouseMove(-5, 700)});
    EXPECT_EQ(g_mouseState.x, -5);
    EXPECT_EQ(g_mouseState.y, 700);
}

// ---- scene requests -------------------------------------------------------------------------

TEST_F(GameFrameTest, RequestSwitchesAtTheNextFrameAndDestroysTheOldScene) {
    StartWithProbe();
    game_->RequestScene("TestProbe", "b", 0);
    EXPECT_TRUE(game_->IsSceneChangePending());
    EXPECT_EQ(game_->CurrentScene()->Type()->TypeName(), "a");
    EXPECT_EQ(ProbeLogs()["b"].created, 0);
    RunFrame();
    EXPECT_FALSE(game_->IsSceneChangePending());
    EXPECT_EQ(game_->CurrentScene()->Type()->TypeName(), "b");
    EXPECT_EQ(ProbeLogs()["a"].destroyed, 1);
    // Tooltips now show over the new scene.
    EXPECT_EQ(QxEntity2DGUIElement::TooltipScene(), game_->CurrentScene());
    // Its first frame is drawn for the transition to roll to.
    EXPECT_EQ(ProbeLogs()["b"].zeroUpdates, 1);
    EXPECT_EQ(ProbeLogs()["b"].draws, 1);
}

TEST_F(GameFrameTest, OfTwoRequestsInOneFrameOnlyTheSecondIsMade) {
    StartWithProbe();
    game_->RequestScene("TestProbe", "b", 0);
    game_->RequestScene("TestProbe", "c", 0);
    RunFrame();
    EXPECT_EQ(ProbeLogs()["b"].created, 0);
    EXPECT_EQ(ProbeLogs()["c"].created, 1);
    EXPECT_EQ(game_->CurrentScene()->Type()->TypeName(), "c");
}

TEST_F(GameFrameTest, SceneAskingInItsUpdateIsNotDrawnAndGoesNextFrame) {
    StartWithProbe();
    SwitchTo("asks");
    ProbeLogs()["asks"].askNow = true;
    const int draws = ProbeLogs()["asks"].draws;
    RunFrame();
    EXPECT_EQ(ProbeLogs()["asks"].draws, draws);
    EXPECT_EQ(game_->CurrentScene()->Type()->TypeName(), "asks");
    RunFrame();
    EXPECT_EQ(game_->CurrentScene()->Type()->TypeName(), "b");

    // Asked from the first update, inside the switch that made it: kept all the same.
    ProbeLogs()["asks"].askNow = true;
    SwitchTo("asks");
    EXPECT_EQ(game_->CurrentScene()->Type()->TypeName(), "b");
}

TEST_F(GameFrameTest, UnknownSceneKeepsTheCurrentOneAndSaysWhatIsMissing) {
    StartWithProbe();
    game_->RequestScene("TestProbe", "nosuchtype", 0);
    RunFrame();
    EXPECT_EQ(game_->CurrentScene()->Type()->TypeName(), "a");
    EXPECT_EQ(ProbeLogs()["a"].destroyed, 0);
    EXPECT_NE(ReadLog().find("Scene TestProbe, nosuchtype - not defined or not a scene"),
              std::string::npos);
}

TEST_F(GameFrameTest, EmptyRequestRollsTheCurrentSceneOverItselfQuietly) {
    StartWithProbe();
    const std::string logBefore = ReadLog();
    game_->RequestScene("", "", 1);
    RunFrame();
    EXPECT_EQ(game_->CurrentScene()->Type()->TypeName(), "a");
    EXPECT_TRUE(game_->IsTransitionActive());
    EXPECT_EQ(game_->Transition().kind, 1);
    EXPECT_EQ(ReadLog(), logBefore);
}

// ---- the transition ---------------------------------------------------------------------------

TEST_F(GameFrameTest, TransitionAt16MsSkipsTwoFramesAndCountsSixtyThree) {
    StartWithProbe();
    game_->RequestScene("TestProbe", "b", 0);
    int framesRolled = 0;
    for (int i = 0; i < 100 && ProbeLogs()["b"].updates == 0; ++i) {
        RunFrame(16.0f);
        if (ProbeLogs()["b"].updates == 0) {
            ++framesRolled;
        }
    }
    // Two skipped frames and 62 counted ones are rolled; the 63rd counted frame
    // (1008 ms) ends the transition and updates the scene.
    EXPECT_EQ(framesRolled, 64);
    EXPECT_FALSE(game_->IsTransitionActive());
}

TEST_F(GameFrameTest, RandomTransitionKindsComeFromTheEngineGenerator) {
    StartWithProbe();
    SeedRandom(77);
    std::set<int> kinds;
    for (int i = 0; i < 40; ++i) {
        game_->RequestScene("TestProbe", i % 2 ? "a" : "b", -1);
        RunFrame();
        kinds.insert(game_->Transition().kind);
    }
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3}));
    for (int i = 0; i < 5; ++i) {
        game_->RequestScene("TestProbe", i % 2 ? "a" : "b", 2);
        RunFrame();
        EXPECT_EQ(game_->Transition().kind, 2);
    }
}

// The band line i of a roll at edge e shows the source line e + 2B - trunc(acos(1 -
// 2i/B) / pi * B).
int BandLine(int edge, int i) {
    const double angle = std::acos(1.0 - 2.0 * i / 50.0);
    return edge + 100 - static_cast<int>(angle / std::numbers::pi * 50.0);
}

TEST_F(GameFrameTest, RollFromTheTopShowsNewRowsAboveTheBandAndOldBelow) {
    StartWithProbe();                         // a: all blue
    game_->RequestScene("TestProbe", "b", 0); // b: row + 1
    RunFrame(10.0f);                          // the change, first skipped frame
    RunFrame(10.0f);                          // second skipped frame
    RunFrame(500.0f);                         // halfway: the edge at row 240
    ASSERT_TRUE(game_->IsTransitionActive());
    EXPECT_EQ(Pixel(5, 0), 1);
    EXPECT_EQ(Pixel(5, 239), 240);
    EXPECT_EQ(Pixel(5, 240), BandLine(240, 0) + 1);
    EXPECT_EQ(Pixel(5, 265), BandLine(240, 25) + 1);
    EXPECT_EQ(Pixel(5, 289), BandLine(240, 49) + 1);
    EXPECT_EQ(Pixel(5, 290), 0x001F);
    EXPECT_EQ(Pixel(5, 479), 0x001F);
}

TEST_F(GameFrameTest, OldPageRollingRightShowsItsOwnBackInTheBand) {
    StartWithProbe();
    SwitchTo("c");                            // c: column + 1, now the old page
    game_->RequestScene("TestProbe", "a", 3); // a: all blue
    RunFrame(10.0f);
    RunFrame(10.0f);
    RunFrame(250.0f); // a quarter: the edge at column 160
    ASSERT_TRUE(game_->IsTransitionActive());
    EXPECT_EQ(Pixel(0, 7), 0x001F);
    EXPECT_EQ(Pixel(159, 7), 0x001F);
    EXPECT_EQ(Pixel(160, 7), BandLine(160, 0) + 1);
    EXPECT_EQ(Pixel(209, 7), BandLine(160, 49) + 1);
    EXPECT_EQ(Pixel(210, 7), 211);
    EXPECT_EQ(Pixel(639, 7), 640);
}

TEST_F(GameFrameTest, RollFromTheRightBringsTheNewPageInFromTheRightEdge) {
    StartWithProbe();
    game_->RequestScene("TestProbe", "c", 2); // new page: column + 1
    RunFrame(10.0f);
    RunFrame(10.0f);
    RunFrame(750.0f); // three quarters: the edge at column 640 - 480 = 160
    EXPECT_EQ(Pixel(159, 3), 0x001F);
    EXPECT_EQ(Pixel(160, 3), BandLine(160, 0) + 1);
    EXPECT_EQ(Pixel(210, 3), 211);
}

TEST_F(GameFrameTest, RollFromTheBottomClampsTheBandToTheLastRow) {
    StartWithProbe();
    game_->RequestScene("TestProbe", "b", 1);
    RunFrame(10.0f);
    RunFrame(10.0f);
    RunFrame(100.0f); // the edge at row 480 - 48 = 432; the band reads past the end
    EXPECT_EQ(Pixel(0, 431), 0x001F);
    EXPECT_EQ(Pixel(0, 432), 480); // clamped to row 479
    EXPECT_EQ(Pixel(0, 479), 480);
}

// ---- the loading thread ------------------------------------------------------------------------

TEST_F(GameFrameTest, LoaderFillsTheProgressCountersAndTheRegistry) {
    WriteFile(DataFolder() + "gui/one.ent", "class sprite\ntype one\n");
    WriteFile(DataFolder() + "gui/two.ent", "class sprite\ntype two\n");
    Start();
    WaitForLoader();
    EXPECT_TRUE(game_->IsBackgroundLoadStarted());
    // Three files, each counted once when read and each defined type once when loaded.
    EXPECT_EQ(game_->LoadProgress().total.load(), 6u);
    EXPECT_EQ(game_->LoadProgress().done.load(), 6u);
    EXPECT_NE(g_registry->FindType("sprite", "two"), nullptr);
    EXPECT_TRUE(g_registry->FindType("sprite", "one")->IsLoaded());
}

TEST_F(GameFrameTest, ShutdownWaitsForTheLoaderBeforeTheRegistryGoes) {
    auto game = std::make_unique<HeldLoaderGame>();
    HeldLoaderGame* held = game.get();
    Start(std::move(game));
    EXPECT_TRUE(game_->IsBackgroundLoadStarted());
    EXPECT_FALSE(game_->IsBackgroundLoadDone());
    std::thread releaser([held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        held->release = true;
    });
    game_->Shutdown();
    started_ = false;
    releaser.join();
    EXPECT_TRUE(held->IsBackgroundLoadDone());
    EXPECT_EQ(g_registry, nullptr);
}

TEST_F(GameFrameTest, LoadingSceneWaitsForBothTheBarAndTheLoad) {
    auto game = std::make_unique<HeldLoaderGame>();
    HeldLoaderGame* held = game.get();
    Start(std::move(game));
    ASSERT_EQ(SceneClass(), "PyxLoadingScene");
    // Nothing counted yet, so the bar heads for full, but the load is not done.
    RunFrames(1500);
    EXPECT_EQ(SceneClass(), "PyxLoadingScene");
    EXPECT_FALSE(game_->IsSceneChangePending());
    held->release = true;
    WaitForLoader();
    RunFrames(2);
    // The main menu is not part of this data set: the request stays without a scene.
    EXPECT_NE(ReadLog().find("Scene PyxMainMenu, mainmenu - not defined"), std::string::npos);
}

TEST_F(GameFrameTest, MissingLoadingSceneEndsTheGameWithAClearLine) {
    std::filesystem::remove(DataFolder() + "LoadingScene.ent");
    Start();
    EXPECT_TRUE(game_->IsQuitRequested());
    EXPECT_EQ(game_->CurrentScene(), nullptr);
    EXPECT_FALSE(game_->IsBackgroundLoadStarted());
    EXPECT_NE(ReadLog().find("LoadingScene.ent (class PyxLoadingScene, type loadingscene) is "
                             "missing; quitting."),
              std::string::npos);
}

} // namespace

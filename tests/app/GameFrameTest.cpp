// The game object's frame: event consumption, the full-screen key and its conditions,
// activation, the mouse in full screen, scene requests and the page-roll transition.

#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>

#include "app/GameTestSupport.h"
#include "app/ProbeScene.h"
#include "app/QxRandom.h"
#include "engine/gui/QxEntity2DGUISprite.h"

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
        ASSERT_TRUE(DefineProbe("b", 1));
        ASSERT_TRUE(DefineProbe("c", 2));
        ASSERT_TRUE(DefineProbe("asks", 0, "b"));
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

    // The pixel at (x, y) of the picture the window was last given.
    std::uint16_t Presented(int x, int y) const {
        const std::uint8_t* row = screen_->PresentationPixels() + y * screen_->PresentationPitch();
        return reinterpret_cast<const std::uint16_t*>(row)[x];
    }
};

// ---- events -------------------------------------------------------------------------------

TEST_F(GameFrameTest, MouseEventsSetTheSharedStateAndReachTheScene) {
    StartWithProbe();
    g_inputQueue.Push(QxInputEvent::Make(QxInputKind::Tick, 0));
    RunFrame(16.6f, {QxInputEvent::MouseMove(30, -40), QxInputEvent::Make(QxInputKind::LeftDown)});
    EXPECT_FLOAT_EQ(ProbeLogs()["a"].lastUpdateMs, 16.6f); // the frame's last tick counts
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
    EXPECT_EQ(g_mouseState.leftButton, 0); // the button state itself follows the events
}

// ---- the full-screen key and activation -----------------------------------------------------

TEST_F(GameFrameTest, FullScreenKeySwitchesTheModeAndRemakesEveryPicture) {
    WriteBitmap(DataFolder() + "one.bmp", widgettest::Solid(4, 4, QxColour(200, 0, 0)));
    WriteFile(DataFolder() + "gui/one.ent", "class sprite\ntype one\nimage one.bmp\n");
    StartWithProbe();
    const auto* sprite =
        dynamic_cast<const QxEntity2DGUISpriteType*>(g_registry->FindType("sprite", "one"));
    ASSERT_TRUE(sprite && sprite->Image());
    ASSERT_FALSE(screen_->IsFullScreen());
    RunFrame(10.0f, {Key(QxKey::F7)});
    EXPECT_TRUE(screen_->IsFullScreen());
    EXPECT_EQ(g_gameSettings.fullScreen, 1u);
    EXPECT_EQ(g_modeChangeInProgress, 1);
    EXPECT_TRUE(ProbeLogs()["a"].keys.empty());
    // The new screen has none of the old surfaces: the types made theirs again.
    ASSERT_NE(sprite->Image(), nullptr);
    EXPECT_TRUE(screen_->IsSurfaceValid(sprite->Image()->surface));

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

TEST_F(GameFrameTest, FullScreenKeyIsIgnoredWhileForbiddenOrDuringAChange) {
    StartWithProbe();
    game_->SetFullScreenKeyAllowed(false);
    RunFrame(10.0f, {Key(QxKey::F7)});
    EXPECT_FALSE(screen_->IsFullScreen());
    game_->SetFullScreenKeyAllowed(true);
    game_->RequestScene("TestProbe", "b", 0);
    RunFrame(10.0f, {Key(QxKey::F7)}); // the change is still pending while events run
    EXPECT_FALSE(screen_->IsFullScreen());
    ASSERT_TRUE(game_->IsTransitionActive());
    RunFrame(10.0f, {Key(QxKey::F7)});
    EXPECT_FALSE(screen_->IsFullScreen());
    EXPECT_EQ(g_gameSettings.fullScreen, 0u);
    EXPECT_TRUE(ProbeLogs()["a"].keys.empty());
    EXPECT_TRUE(ProbeLogs()["b"].keys.empty());
}

TEST_F(GameFrameTest, InactiveGameConsumesEventsButNeitherUpdatesNorDrawsAndComesBackWhole) {
    StartWithProbe();
    // From now on the scene draws rows without marking them for copying: the window
    // still shows the blue of its first frame.
    static_cast<ProbeSceneType*>(game_->CurrentScene()->Type())->pattern = 1;
    RunFrame();
    ASSERT_EQ(Presented(5, 9), 0x001F);
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
    // Coming back copies the whole frame, also what was drawn without being marked.
    EXPECT_EQ(Presented(5, 9), 10);
    EXPECT_EQ(Presented(639, 479), 480);
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
    RunFrame(10.0f, {QxInputEvent::MouseMove(640, 0)}); // the edges themselves are allowed
    EXPECT_EQ(g_mouseState.x, 640);
}

// ---- scene requests -------------------------------------------------------------------------

TEST_F(GameFrameTest, RequestSwitchesAtTheNextFrameToTheLastSceneAsked) {
    StartWithProbe();
    game_->RequestScene("TestProbe", "c", 0);
    game_->RequestScene("TestProbe", "b", 0);
    EXPECT_TRUE(game_->IsSceneChangePending());
    EXPECT_EQ(game_->CurrentScene()->Type()->TypeName(), "a");
    EXPECT_EQ(ProbeLogs()["b"].created, 0);
    RunFrame();
    EXPECT_FALSE(game_->IsSceneChangePending());
    EXPECT_EQ(game_->CurrentScene()->Type()->TypeName(), "b");
    EXPECT_EQ(ProbeLogs()["c"].created, 0);
    EXPECT_EQ(ProbeLogs()["a"].destroyed, 1);
    // Tooltips now show over the new scene.
    EXPECT_EQ(QxEntity2DGUIElement::TooltipScene(), game_->CurrentScene());
    // Its first frame is drawn for the transition to roll to.
    EXPECT_EQ(ProbeLogs()["b"].zeroUpdates, 1);
    EXPECT_EQ(ProbeLogs()["b"].draws, 1);
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

TEST_F(GameFrameTest, UnknownSceneKeepsTheCurrentOneAndAnEmptyRequestRollsItQuietly) {
    StartWithProbe();
    game_->RequestScene("TestProbe", "nosuchtype", 0);
    RunFrame();
    EXPECT_EQ(game_->CurrentScene()->Type()->TypeName(), "a");
    EXPECT_EQ(ProbeLogs()["a"].destroyed, 0);
    const std::string log = ReadLog();
    EXPECT_NE(log.find("Scene TestProbe, nosuchtype - not defined or not a scene"),
              std::string::npos);

    game_->RequestScene("", "", 1);
    RunFrame();
    EXPECT_EQ(game_->CurrentScene()->Type()->TypeName(), "a");
    EXPECT_TRUE(game_->IsTransitionActive());
    EXPECT_EQ(game_->Transition().kind, 1);
    EXPECT_EQ(ReadLog(), log);
}

// ---- the transition ---------------------------------------------------------------------------

// The band line i of a roll at edge e shows the source line e + 2B - trunc(acos(1 -
// 2i/B) / pi * B), at most the last line.
int BandLine(int edge, int i, int last) {
    const double angle = std::acos(1.0 - 2.0 * i / 50.0);
    return std::min(last, edge + 100 - static_cast<int>(angle / std::numbers::pi * 50.0)) + 1;
}

// Probe a is all blue (0x001F), b holds row + 1 in each row, c column + 1 in each column.
TEST_F(GameFrameTest, EachKindOfRollShowsTheRightPageOnEachSideOfItsBand) {
    struct Pick {
        int x, y, value;
    };
    const struct {
        const char* from;
        const char* to;
        int kind;
        float ms;
        std::vector<Pick> picks;
    } rolls[] = {
        // The new page rolls down from the top; halfway, the edge is at row 240.
        {"a",
         "b",
         0,
         500.0f,
         {{5, 0, 1},
          {5, 239, 240},
          {5, 240, BandLine(240, 0, 479)},
          {5, 265, BandLine(240, 25, 479)},
          {5, 289, BandLine(240, 49, 479)},
          {5, 290, 0x001F},
          {5, 479, 0x001F}}},
        // Up from the bottom: the edge at row 432, the band reads past the last row.
        {"a", "b", 1, 100.0f, {{0, 431, 0x001F}, {0, 432, 480}, {0, 479, 480}}},
        // In from the right: three quarters in, the edge at column 160.
        {"a", "c", 2, 750.0f, {{159, 3, 0x001F}, {160, 3, BandLine(160, 0, 639)}, {210, 3, 211}}},
        // The old page rolls away to the right and shows its back in the band.
        {"c",
         "a",
         3,
         250.0f,
         {{0, 7, 0x001F},
          {159, 7, 0x001F},
          {160, 7, BandLine(160, 0, 639)},
          {209, 7, BandLine(160, 49, 639)},
          {210, 7, 211},
          {639, 7, 640}}},
    };
    StartWithProbe();
    for (const auto& roll : rolls) {
        SCOPED_TRACE(roll.kind);
        SwitchTo(roll.from);
        game_->RequestScene("TestProbe", roll.to, roll.kind);
        RunFrame(10.0f); // the change and the first skipped frame
        RunFrame(10.0f); // the second skipped frame
        RunFrame(roll.ms);
        ASSERT_TRUE(game_->IsTransitionActive());
        for (const Pick& pick : roll.picks) {
            EXPECT_EQ(Pixel(pick.x, pick.y), pick.value) << pick.x << ", " << pick.y;
        }
    }
}

// ---- the loading thread ------------------------------------------------------------------------

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

TEST_F(GameFrameTest, LoaderReadsTheWorkingFolderButNotResources) {
    WriteFile(DataFolder() + "gui/one.ent", "class sprite\ntype one\n");
    // The same name in "Resources/", which the main thread would find first.
    WriteFile(DataFolder() + "Resources/gui/one.ent", "class sprite\ntype fromresources\n");
    Start();
    WaitForLoader();
    EXPECT_TRUE(game_->IsBackgroundLoadStarted());
    // Three files, each counted once when read and each defined type once when loaded.
    EXPECT_EQ(game_->LoadProgress().total.load(), 6u);
    EXPECT_EQ(game_->LoadProgress().done.load(), 6u);
    ASSERT_NE(g_registry->FindType("sprite", "one"), nullptr);
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

TEST_F(GameFrameTest, LoadingSceneAndTheFullScreenKeyWaitForTheLoad) {
    auto game = std::make_unique<HeldLoaderGame>();
    HeldLoaderGame* held = game.get();
    Start(std::move(game));
    ASSERT_EQ(SceneClass(), "PyxLoadingScene");
    RunFrame(10.0f, {Key(QxKey::F7)});
    EXPECT_FALSE(screen_->IsFullScreen());
    // Nothing counted yet, so the bar heads for full, but the load is not done.
    RunFrames(1500);
    EXPECT_EQ(SceneClass(), "PyxLoadingScene");
    EXPECT_FALSE(game_->IsSceneChangePending());
    held->release = true;
    WaitForLoader();
    RunFrame(10.0f, {Key(QxKey::F7)});
    EXPECT_TRUE(screen_->IsFullScreen());
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

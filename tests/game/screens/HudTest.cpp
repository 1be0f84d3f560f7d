// The game screen's HUD: coin stacks, the lives row with its flare, the clock's
// states and bonus, the mascot's swing and moods, and the board element.

#include <vector>

#include <gtest/gtest.h>

#include "engine/gui/QxEntity2DGUICounter.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/WidgetTestSupport.h"
#include "game/rules/RulesTestSupport.h"
#include "game/screens/PyxEntity2DGUIBoard.h"
#include "game/screens/PyxEntity2DGUIClock.h"
#include "game/screens/PyxEntity2DGUICoins.h"
#include "game/screens/PyxEntity2DGUILives.h"
#include "game/screens/PyxEntity2DGUIMascot.h"

namespace {

using rulestest::RulesTest;
using rulestest::TinyLevel;

const QxColour kGold(250, 200, 0);
const QxColour kCross(200, 0, 0);
const QxColour kDark(80, 80, 80);
const QxColour kGreen(0, 240, 0);
const QxColour kLit(255, 255, 255);
const QxColour kOff(0, 0, 120);

class HudTest : public RulesTest {
protected:
    void SetUp() override {
        RulesTest::SetUp();
        ClearScreen();
    }

    // A sprite type of one colour.
    void SolidSprite(const std::string& type, int w, int h, QxColour colour) {
        WriteBitmap(type + ".bmp", SolidImage(w, h, colour));
        Define("class sprite\ntype " + type + "\nimage " + type + ".bmp\n");
    }

    std::unique_ptr<PyxEntity2DGUICoins> Coins() {
        SolidSprite("coin", 10, 8, kGold);
        SolidSprite("coinx", 10, 8, kCross);
        SolidSprite("darkcoin", 10, 8, kDark);
        Define("class Pyx2DGUICoins\ntype coins\nCoinEnt sprite, coin\nCoinXEnt sprite, coinx\n"
               "DarkCoinEnt sprite, darkcoin\nWidth 100\nHeight 60\nStackSpace 4\n");
        auto coins = CreateElement<PyxEntity2DGUICoins>("Pyx2DGUICoins", "coins");
        EXPECT_NE(coins, nullptr);
        coins->SetPosition(QxPoint{200, 100});
        return coins;
    }

    std::unique_ptr<PyxEntity2DGUILives> Lives(std::int32_t justify) {
        SolidSprite("life", 20, 10, kGreen);
        Define("class Pyx2DGUILives\ntype lives" + std::to_string(justify) +
               "\nLifeEnt sprite, life\nSpacing 4\nJustify " + std::to_string(justify) + "\n");
        auto lives =
            CreateElement<PyxEntity2DGUILives>("Pyx2DGUILives", "lives" + std::to_string(justify));
        EXPECT_NE(lives, nullptr);
        lives->SetPosition(QxPoint{300, 50});
        return lives;
    }

    // A dial of `frames` frames and three lights below it.
    std::unique_ptr<PyxEntity2DGUIClock> Clock(int frames = 3) {
        std::vector<QxImage> dial;
        for (int i = 0; i < frames; ++i)
            dial.push_back(SolidImage8(16, 16, QxColour(0, 0, std::uint8_t(100 + i * 40))));
        WriteImageList("dial.img", dial);
        SolidSprite("lighton", 6, 6, kLit);
        SolidSprite("lightoff", 6, 6, kOff);
        Define("class Pyx2DGUIClock\ntype clock\nClockImage dial.img\nLightOnEnt sprite, lighton\n"
               "LightOffEnt sprite, lightoff\nNumberOfLights 3\nLightPos1 0, 20\n"
               "LightPos2 10, 20\nLightPos3 20, 20\n");
        auto clock = CreateElement<PyxEntity2DGUIClock>("Pyx2DGUIClock", "clock");
        EXPECT_NE(clock, nullptr);
        clock->SetPosition(QxPoint{400, 300});
        return clock;
    }

    static std::vector<bool> LightStates(const PyxEntity2DGUIClock& clock) {
        std::vector<bool> on;
        for (const auto& light : clock.Lights())
            on.push_back(light.on);
        return on;
    }
};

// ---- coins ------------------------------------------------------------------------

std::vector<QxPoint> PlacesOf(const PyxEntity2DGUICoins& coins) {
    std::vector<QxPoint> points;
    for (const auto& place : coins.Places())
        points.push_back(QxPoint{place.x, place.y});
    return points;
}

// Stacks of the given heights from x0, each `step` apart, from the bottom y = 152.
std::vector<QxPoint> Stacks(std::int32_t x0, std::int32_t step, std::vector<int> heights) {
    std::vector<QxPoint> points;
    for (std::size_t s = 0; s < heights.size(); ++s)
        for (int i = 0; i < heights[s]; ++i)
            points.push_back(QxPoint{x0 + std::int32_t(s) * step, 152 - 6 * i});
    return points;
}

TEST_F(HudTest, CoinStacksForSevenEightNineAndFifteenAndAtMostTheLimit) {
    auto coins = Coins();
    const std::pair<int, std::vector<QxPoint>> stacks[] = {
        {7, Stacks(245, 0, {7})},
        {8, Stacks(238, 14, {4, 4})},
        {9, Stacks(238, 14, {5, 4})},
        {15, Stacks(231, 14, {5, 5, 5})},
        {0, {}},
    };
    for (const auto& [count, places] : stacks) {
        coins->SetCoinPlaces(count);
        EXPECT_EQ(PlacesOf(*coins), places) << count;
    }
    coins->SetCoinPlaces(2000000000);
    EXPECT_EQ(coins->Places().size(), std::size_t(PyxEntity2DGUICoins::kMaxPlaces));
    EXPECT_NE(ReadLog().find("Coin stacks"), std::string::npos);

    Define("class Pyx2DGUICoins\ntype bare\nWidth 100\n"); // no coin picture: no places
    auto bare = CreateElement<PyxEntity2DGUICoins>("Pyx2DGUICoins", "bare");
    bare->SetCoinPlaces(5);
    EXPECT_TRUE(bare->Places().empty());
}

TEST_F(HudTest, CoinsShowHeldCrossedAndDarkPlaces) {
    auto coins = Coins();
    coins->SetCoinPlaces(5);
    PyxGameplay game(nullptr);
    game.SetCoinsHeld(3);
    game.SetHits(1);
    coins->Draw();
    // Each coin hides the top rows of the one below it: look at row 5 of each.
    const auto& places = coins->Places();
    EXPECT_EQ(Pixel(places[0].x + 2, places[0].y + 5), Rgb555(kCross));
    EXPECT_EQ(Pixel(places[1].x + 2, places[1].y + 5), Rgb555(kGold));
    EXPECT_EQ(Pixel(places[2].x + 2, places[2].y + 5), Rgb555(kGold));
    EXPECT_EQ(Pixel(places[3].x + 2, places[3].y + 5), Rgb555(kDark));
    EXPECT_EQ(Pixel(places[4].x + 9, places[4].y + 1), Rgb555(kDark));
    EXPECT_TRUE(places[2].lit);
    EXPECT_FALSE(places[3].lit);

    // Spending coins darkens places again.
    game.SetCoinsHeld(1);
    ClearScreen();
    coins->Draw();
    EXPECT_EQ(Pixel(places[1].x + 2, places[1].y + 5), Rgb555(kDark));
    EXPECT_FALSE(places[1].lit);
}

// ---- lives ------------------------------------------------------------------------

TEST_F(HudTest, ThreeCentredLivesStartThirtyFourPixelsLeft) {
    auto lives = Lives(2);
    lives->SetBool(kPropLivesShown, 3);
    EXPECT_EQ(lives->RowStartX(), 300 - 34);
    lives->Draw();
    for (const int x : {266, 285, 290, 309, 314, 333})
        EXPECT_EQ(Pixel(x, 55), Rgb555(kGreen)) << x;
    for (const int x : {265, 286, 289, 334})
        EXPECT_EQ(Pixel(x, 55), 0) << x;

    auto left = Lives(1);
    left->SetBool(kPropLivesShown, 3);
    EXPECT_EQ(left->RowStartX(), 300);
    std::int32_t shown = 0, justify = 0;
    EXPECT_TRUE(left->GetBool(kPropLivesShown, shown) && left->GetBool(kPropLivesJustify, justify));
    EXPECT_EQ(std::pair(shown, justify), std::pair(3, 1));
}

TEST_F(HudTest, TrapsFallingFastWhileFlaresBurnStillEndTheGameOnTheLastLife) {
    Define("class PyxAnimExplosion\ntype lensflare\n"); // the lives row's flare
    WriteGame({TinyLevel{}});
    auto lives = Lives(1);
    Scene().named["Lives"] = lives.get();
    auto game = StartGame();
    Define("class PyxSinkTile\ntype quicktrap\nIsTrap 1\n");
    PyxEntityTileBase* trap = game->Level()->PlaceTile("PyxSinkTile", "quicktrap", 0, 0, 0);
    ASSERT_NE(trap, nullptr);
    // Two traps before any flare has burnt out: the rules count those lives as gone.
    game->OnBallAtExitOrSink(game->PlayerBall(), trap);
    game->OnBallAtExitOrSink(game->PlayerBall(), trap);
    EXPECT_EQ(game->State(), PyxGameState::Playing);
    EXPECT_EQ(lives->LivesToLose(), 2);
    game->OnBallAtExitOrSink(game->PlayerBall(), trap);
    EXPECT_EQ(game->State(), PyxGameState::GameEnding);
    EXPECT_EQ(lives->LivesToLose(), 3);
    // One flare at a time takes the three lives.
    for (int i = 0; i < 3; ++i) {
        lives->Draw();
        ASSERT_NE(lives->Flare(), nullptr);
        lives->Flare()->AddFlags(kObjectRemoved);
        lives->Update(16.0f);
    }
    EXPECT_EQ(game->Lives(), 0);
    EXPECT_EQ(lives->LivesShown(), 0);
}

TEST_F(HudTest, TrapWithTheLivesRowWaitsForTheFlareAndANewGameForgetsIt) {
    Define("class PyxAnimExplosion\ntype lensflare\n"); // the lives row's flare
    TinyLevel level;
    level.traps = {1 * 6 + 3};
    WriteGame({level});
    auto lives = Lives(1);
    Scene().named["Lives"] = lives.get();
    auto game = StartGame();
    ASSERT_TRUE(RunUntil(*game, [&] { return lives->LoseLifeRequested(); }));
    lives->Draw();
    PyxEntityGameObject* flare = lives->Flare();
    ASSERT_NE(flare, nullptr);
    // Over the last life: x 348, y 50, less (6, 7).
    EXPECT_EQ(flare->X(), 342.0f);
    EXPECT_EQ(flare->Y(), 43.0f);
    lives->Update(16.0f);
    game->Update(16.0f);
    EXPECT_EQ(lives->LivesShown(), 3);
    EXPECT_EQ(game->Lives(), 3);
    flare->AddFlags(kObjectRemoved);
    lives->Update(16.0f);
    EXPECT_EQ(lives->Flare(), nullptr);
    EXPECT_EQ(lives->LivesShown(), 2);
    EXPECT_EQ(game->Lives(), 2);

    // A game left while a flare burns: the next one knows nothing of it.
    lives->RequestLoseLife();
    lives->Draw();
    ASSERT_NE(lives->Flare(), nullptr);
    game.reset();
    auto second = StartGame();
    EXPECT_EQ(lives->Flare(), nullptr);
    EXPECT_FALSE(lives->LoseLifeRequested());
    lives->Update(16.0f);
    second->Update(16.0f);
    EXPECT_EQ(second->Lives(), 3);
    EXPECT_EQ(lives->LivesShown(), 3);
}

// ---- clock ------------------------------------------------------------------------

TEST_F(HudTest, RunningClockPutsOutALightPerTurnFinishesAndRewinds) {
    auto clock = Clock();
    EXPECT_EQ(clock->State(), kClockStopped);
    clock->ResetClock();
    EXPECT_EQ(clock->DialFrame(), 2);
    EXPECT_EQ(clock->Bonus(), 200);
    clock->StartRunning(0);
    EXPECT_EQ(clock->FramePeriod(), 100.0f);
    clock->Update(1.0f); // the timer starts at 0: the hand moves at once, wrapping
    EXPECT_EQ(clock->DialFrame(), 0);
    clock->Update(99.0f);
    EXPECT_EQ(clock->DialFrame(), 0);
    clock->Update(1.0f);
    EXPECT_EQ(clock->DialFrame(), 1);
    clock->Update(100.0f);
    EXPECT_EQ(clock->DialFrame(), 2);
    EXPECT_EQ(LightStates(*clock), (std::vector<bool>{false, true, true}));
    clock->Draw();
    EXPECT_EQ(Pixel(408, 308), Rgb555(QxColour(0, 0, 180)));
    EXPECT_EQ(Pixel(402, 322), Rgb555(kOff));
    EXPECT_EQ(Pixel(412, 322), Rgb555(kLit));
    for (int i = 0; i < 3; ++i)
        clock->Update(100.0f);
    EXPECT_EQ(LightStates(*clock), (std::vector<bool>{false, false, true}));
    EXPECT_FALSE(clock->IsFinished());
    for (int i = 0; i < 3; ++i)
        clock->Update(100.0f);
    EXPECT_TRUE(clock->IsFinished());
    EXPECT_EQ(clock->State(), kClockStopped);
    clock->Update(1000.0f);
    EXPECT_EQ(clock->DialFrame(), 2);

    // Rewinding relights from the last light, faster and faster.
    clock->StartRewinding();
    EXPECT_FALSE(clock->IsFinished());
    EXPECT_FLOAT_EQ(clock->RewindPeriod(), 100.0f / 3.0f);
    std::vector<std::vector<bool>> seen;
    float previousPeriod = clock->RewindPeriod();
    for (int i = 0; i < 40 && clock->State() == kClockRewinding; ++i) {
        clock->Update(clock->FrameTimer() > 0.0f ? clock->FrameTimer() : 1.0f);
        EXPECT_LE(clock->RewindPeriod(), previousPeriod);
        previousPeriod = clock->RewindPeriod();
        if (seen.empty() || seen.back() != LightStates(*clock))
            seen.push_back(LightStates(*clock));
    }
    EXPECT_EQ(clock->State(), kClockStopped);
    EXPECT_EQ(clock->DialFrame(), 2);
    const std::vector<std::vector<bool>> expected = {
        {false, false, false}, {false, false, true}, {false, true, true}, {true, true, true}};
    EXPECT_EQ(seen, expected);

    EXPECT_EQ(PyxEntity2DGUIClock::PeriodForLevel(84), 1000.0f);
    EXPECT_EQ(PyxEntity2DGUIClock::PeriodForLevel(5), 100.0f);
}

TEST_F(HudTest, CashingInDoublesTheBonusPerLight) {
    auto clock = Clock();
    PyxGameplay game(nullptr);
    clock->ResetClock();
    clock->StartCashingIn();
    EXPECT_EQ(clock->FramePeriod(), 40.0f);
    for (int i = 0; i < 9 && !clock->IsFinished(); ++i)
        clock->Update(40.0f);
    EXPECT_TRUE(clock->IsFinished());
    EXPECT_EQ(game.Score(), 200 + 400 + 800);
    EXPECT_EQ(clock->Bonus(), 1600);

    clock->ResetClock();
    clock->StartCashingIn();
    for (int i = 0; i < 3; ++i)
        clock->Update(40.0f);
    EXPECT_EQ(game.Score(), 1400 + 200);
    clock->CashAllLights();
    EXPECT_EQ(game.Score(), 1400 + 200 + 400 + 800);
    EXPECT_EQ(clock->LightsOn(), 0);
}

TEST_F(HudTest, LevelStartRewindsThenRunsTheClockAndPauseKeepsWhatItDid) {
    WriteGame({TinyLevel{}});
    auto clock = Clock();
    Scene().named["Clock"] = clock.get();
    auto game = StartGame();
    EXPECT_EQ(clock->State(), kClockRewinding);
    // The scene updates its elements; here the test does.
    for (int i = 0; i < 200 && clock->State() != kClockRunning; ++i) {
        game->Update(16.0f);
        clock->Update(16.0f);
    }
    EXPECT_EQ(clock->State(), kClockRunning);
    EXPECT_EQ(clock->FramePeriod(), 1000.0f);
    EXPECT_EQ(clock->LightsOn(), 3);
    clock->StartCashingIn();
    game->TogglePause();
    EXPECT_EQ(clock->State(), kClockStopped);
    game->TogglePause();
    EXPECT_EQ(clock->State(), kClockCashing);
}

TEST_F(HudTest, KeySkippingTheCashingInCashesTheLightsToo) {
    WriteGame({TinyLevel{}, TinyLevel{}});
    auto clock = Clock();
    Scene().named["Clock"] = clock.get();
    auto game = StartGame();
    clock->ResetClock();
    game->SetState(PyxGameState::LevelWon);
    game->SetCoinsHeld(2);
    game->OnKeyDown('k');
    EXPECT_EQ(game->Score(), 200 + 200 + 400 + 800);
    EXPECT_EQ(game->State(), PyxGameState::NextLevel);
}

// ---- mascot -----------------------------------------------------------------------

TEST_F(HudTest, MascotSwingsBackAndForthWithoutWrapping) {
    std::vector<QxImage> body;
    for (int i = 0; i < 4; ++i)
        body.push_back(SolidImage8(12, 12, QxColour(std::uint8_t(50 * i + 50), 0, 0)));
    WriteImageList("body.img", body);
    Define("class Pyx2DGUIMascot\ntype mascot\nMascotImage body.img\nFrameRate 10\n"
           "EyeOffset 3, 4\n");
    auto mascot = CreateElement<PyxEntity2DGUIMascot>("Pyx2DGUIMascot", "mascot");
    ASSERT_NE(mascot, nullptr);
    mascot->SetPosition(QxPoint{20, 30});
    std::vector<std::int32_t> frames;
    for (int i = 0; i < 14; ++i) {
        mascot->Update(100.0f);
        frames.push_back(mascot->BodyFrame());
    }
    EXPECT_EQ(frames, (std::vector<std::int32_t>{1, 2, 3, 2, 1, 0, 0, 1, 2, 3, 2, 1, 0, 0}));
    EXPECT_EQ(mascot->EyePosition(), (QxPoint{23, 34}));
    mascot->Draw();
    EXPECT_EQ(Pixel(25, 35), Rgb555(QxColour(50, 0, 0)));
}

TEST_F(HudTest, RulesPickTheMascotsMood) {
    Define("class Pyx2DGUIMascot\ntype plain\n");
    auto mascot = CreateElement<PyxEntity2DGUIMascot>("Pyx2DGUIMascot", "plain");
    Scene().named["Mascot"] = mascot.get();
    WriteGame({TinyLevel{}});
    auto game = StartGame();
    game->Update(16.0f);
    EXPECT_EQ(mascot->GetMood(), kMoodCalm);
    auto* ball = Ball(game->PlayerBall());
    ball->SetSpeed(0.3f);
    game->Update(16.0f);
    EXPECT_EQ(mascot->GetMood(), kMoodExcited);

    // A hit shows hurt for a while, whatever the pace.
    PyxEntityGameObject* enemy =
        game->Level()->SpawnBall(0, 4, 1, -1.0f, 0.0f, 1.0f, "PyxSpriteBall", "enemy", true);
    game->SetCoinsHeld(2);
    game->OnBallsTouch(enemy, ball);
    mascot->Update(16.0f);
    EXPECT_EQ(mascot->GetMood(), kMoodHurt);
    game->Update(16.0f);
    EXPECT_EQ(mascot->GetMood(), kMoodHurt);
    mascot->Update(2000.0f);
    game->Update(16.0f);
    mascot->Update(0.0f);
    EXPECT_NE(mascot->GetMood(), kMoodHurt);
}

// ---- texts ------------------------------------------------------------------------

// A text element as the rules see one: it keeps the text, justification and counter
// value it is given.
class RecordingText : public QxEntity2DGUIElement {
public:
    explicit RecordingText(QxEntity2DGUIElementType* type) : QxEntity2DGUIElement(type) {}
    bool SetString(int id, const std::string& value) override {
        if (id != kPropText)
            return QxEntity2DGUIElement::SetString(id, value);
        text = value;
        ++writes;
        return true;
    }
    bool SetBool(int id, std::int32_t value) override {
        if (id == kPropJustify)
            justify = value;
        else if (id == kPropCounterValue)
            counter = value;
        else
            return QxEntity2DGUIElement::SetBool(id, value);
        return true;
    }
    std::string text = "left over";
    std::int32_t justify = 0;
    std::int32_t counter = -1;
    int writes = 0;
};

TEST_F(HudTest, RulesWriteTheTextsAndTheScoreFromTheFirstFrame) {
    QxEntity2DGUIElementType type(nullptr);
    RecordingText time(&type), level(&type), line1(&type), line2(&type), score(&type);
    Scene().named = {{"Time", &time},
                     {"Level", &level},
                     {"DispText1", &line1},
                     {"DispText2", &line2},
                     {"Score", &score}};
    WriteGame({TinyLevel{}});
    auto game = StartGame();
    EXPECT_EQ(time.text, "Time: 0.000000");
    EXPECT_EQ(time.justify, kJustifyLeft);
    EXPECT_EQ(level.text, "1");
    EXPECT_EQ(level.justify, kJustifyCentre);
    // An earlier game's message goes at once.
    EXPECT_EQ(line1.text, "");
    EXPECT_EQ(line2.text, "");
    EXPECT_EQ(score.counter, 0);

    game->ShowMessage("Hello", "There", 10.0f);
    game->SetScore(45);
    game->Update(16.0f);
    EXPECT_EQ(line1.text, "Hello");
    EXPECT_EQ(line2.text, "There");
    EXPECT_EQ(line1.justify, kJustifyCentre);
    EXPECT_EQ(score.counter, 5);
    const int writes = line2.writes;
    game->Update(16.0f);
    EXPECT_EQ(line2.writes, writes); // unchanged texts are not written again
    EXPECT_EQ(score.counter, 10);

    game->TogglePause();
    EXPECT_EQ(line1.text, "Game Paused");
}

// ---- board ------------------------------------------------------------------------

} // namespace

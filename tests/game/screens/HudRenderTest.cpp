// A whole game frame, board and HUD, drawn through the headless screen and written to
// "game-frame.png" in the test's folder (RONDELIX_TEST_TMP), to be looked at.

#include <cmath>
#include <cstdio>
#include <vector>

#include <gtest/gtest.h>

#include "app/QxRandom.h"
#include "game/screens/PyxEntity2DGUIBoard.h"
#include "game/screens/PyxEntity2DGUIClock.h"
#include "game/screens/PyxEntity2DGUICoins.h"
#include "game/screens/PyxEntity2DGUILives.h"
#include "game/screens/PyxEntity2DGUIMascot.h"
#include "game/rules/RulesTestSupport.h"

namespace {

using rulestest::RulesTest;
using rulestest::TinyLevel;

// An 8-bit picture: palette entry 0 is the colour key, the others are set by the
// caller; pixels are painted by a function of (x, y) giving the entry.
template <typename Paint>
QxImage Picture(int width, int height, std::vector<QxColour> colours, Paint paint) {
    QxImage image;
    image.Create(width, height, 8);
    for (std::size_t i = 0; i < colours.size(); ++i)
        image.palette[i + 1] = colours[i];
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.Row(y)[x] = std::uint8_t(paint(x, y));
    image.name = "frame";
    return image;
}

// A shaded disc of the colour (entries 1 to 3: light, mid, dark).
QxImage Disc(int size, QxColour light, QxColour mid, QxColour dark) {
    const float r = float(size) / 2.0f;
    return Picture(size, size, {light, mid, dark}, [=](int x, int y) {
        const float dx = float(x) + 0.5f - r;
        const float dy = float(y) + 0.5f - r;
        const float d = std::sqrt(dx * dx + dy * dy);
        if (d > r - 0.5f)
            return 0;
        if (dx + dy < -r * 0.6f)
            return 1;
        return d > r - 3.0f ? 3 : 2;
    });
}

class HudRenderTest : public RulesTest {
protected:
    void WriteList(const std::string& name, std::vector<QxImage> frames) {
        WriteImageList(name, frames);
    }
    void Bitmap(const std::string& name, const QxImage& image) { WriteBitmap(name, image); }
};

TEST_F(HudRenderTest, GameFrameWithBoardAndHud) {
    const QxColour grass(36, 110, 64);
    const QxColour grassDark(28, 84, 48);
    const QxColour side(40, 40, 70);

    // Board pictures.
    Bitmap("floor.bmp", Picture(56, 56, {grass, grassDark}, [](int x, int y) {
               return (x < 2 || y < 2 || x > 53 || y > 53) ? 2 : 1;
           }));
    Define("class sprite\ntype floorimg\nimage floor.bmp\n");
    Define("class PyxBitmapTile\ntype tiled\nImageEntType floorimg\n");
    std::vector<QxImage> hole;
    for (int f = 0; f < 4; ++f)
        hole.push_back(Picture(56, 56, {grassDark, QxColour(10, 10, 10), QxColour(90, 20, 20)},
                               [f](int x, int y) {
                                   const float d = std::hypot(float(x) - 27.5f, float(y) - 27.5f);
                                   if (d < 14.0f + float(f))
                                       return 2;
                                   return d < 22.0f ? 3 : 1;
                               }));
    WriteList("hole.img", hole);
    Define("class PyxSinkTile\ntype holeimg\nIsTrap 1\nImage hole.img\nFrameRate 8\n");
    Bitmap("postup.bmp",
           Disc(24, QxColour(250, 250, 250), QxColour(180, 180, 190), QxColour(90, 90, 100)));
    Define("class sprite\ntype postup\nimage postup.bmp\ntransparent 1\n");
    Define("class PyxBasicPost\ntype pillar\nUpImageEntType postup\nDownImageEntType postup\n"
           "DefaultUp 1\nRadius 12\n");
    WriteList("red.img",
              {Disc(40, QxColour(255, 160, 160), QxColour(220, 30, 30), QxColour(120, 0, 0))});
    Define("class PyxAnimSpriteBall\ntype redball\nImage red.img\nRadius 20\n");
    WriteList("coin.img",
              {Disc(24, QxColour(255, 250, 180), QxColour(240, 200, 40), QxColour(160, 110, 0))});
    Define("class PyxAnimAward\ntype coinsilver\nImage coin.img\n");
    Define("class PyxVortex\ntype vortex\nNumberParticles 120\n");

    // HUD pictures.
    Bitmap("sidebar.bmp", Picture(160, 480, {side}, [](int, int) { return 1; }));
    Define("class sprite\ntype sidebar\nimage sidebar.bmp\n");
    Bitmap("hudcoin.bmp",
           Disc(14, QxColour(255, 250, 180), QxColour(240, 200, 40), QxColour(160, 110, 0)));
    Bitmap("hudcoinx.bmp",
           Disc(14, QxColour(255, 180, 180), QxColour(200, 40, 40), QxColour(120, 0, 0)));
    Bitmap("hudcoindark.bmp",
           Disc(14, QxColour(120, 120, 130), QxColour(70, 70, 80), QxColour(40, 40, 50)));
    Define("class sprite\ntype hudcoin\nimage hudcoin.bmp\ntransparent 1\n");
    Define("class sprite\ntype hudcoinx\nimage hudcoinx.bmp\ntransparent 1\n");
    Define("class sprite\ntype hudcoindark\nimage hudcoindark.bmp\ntransparent 1\n");
    Define("class Pyx2DGUICoins\ntype coins\nCoinEnt sprite, hudcoin\nCoinXEnt sprite, hudcoinx\n"
           "DarkCoinEnt sprite, hudcoindark\nWidth 140\nHeight 90\nStackSpace 6\n");
    Bitmap("life.bmp",
           Disc(22, QxColour(200, 255, 200), QxColour(40, 200, 80), QxColour(0, 100, 30)));
    Define("class sprite\ntype life\nimage life.bmp\ntransparent 1\n");
    Define("class Pyx2DGUILives\ntype lives\nLifeEnt sprite, life\nSpacing 6\nJustify 2\n");
    std::vector<QxImage> dial;
    for (int f = 0; f < 12; ++f) {
        const float angle = float(f) / 12.0f * 6.2831853f;
        dial.push_back(Picture(
            64, 64, {QxColour(230, 230, 210), QxColour(40, 40, 40), QxColour(150, 150, 140)},
            [angle](int x, int y) {
                const float dx = float(x) - 31.5f;
                const float dy = float(y) - 31.5f;
                const float d = std::hypot(dx, dy);
                if (d > 31.0f)
                    return 0;
                if (d > 28.0f)
                    return 3;
                // The hand: points along the angle from the centre.
                const float along = dx * std::sin(angle) - dy * std::cos(angle);
                const float across = dx * std::cos(angle) + dy * std::sin(angle);
                if (along > 0.0f && along < 24.0f && std::fabs(across) < 2.0f)
                    return 2;
                return 1;
            }));
    }
    WriteList("dial.img", dial);
    Bitmap("lighton.bmp",
           Disc(12, QxColour(255, 255, 200), QxColour(255, 220, 0), QxColour(200, 120, 0)));
    Bitmap("lightoff.bmp",
           Disc(12, QxColour(110, 110, 110), QxColour(60, 60, 60), QxColour(30, 30, 30)));
    Define("class sprite\ntype lighton\nimage lighton.bmp\ntransparent 1\n");
    Define("class sprite\ntype lightoff\nimage lightoff.bmp\ntransparent 1\n");
    Define("class Pyx2DGUIClock\ntype clock\nClockImage dial.img\nLightOnEnt sprite, lighton\n"
           "LightOffEnt sprite, lightoff\nNumberOfLights 7\nLightPos1 -22, 72\n"
           "LightPos2 -6, 72\nLightPos3 10, 72\nLightPos4 26, 72\nLightPos5 42, 72\n"
           "LightPos6 58, 72\nLightPos7 74, 72\n");
    std::vector<QxImage> body;
    for (int f = 0; f < 6; ++f)
        body.push_back(
            Picture(70, 80, {QxColour(120, 90, 200), QxColour(80, 50, 160)}, [f](int x, int y) {
                const float cx = 35.0f + float(f - 3) * 2.0f;
                const float d = std::hypot((float(x) - cx) / 30.0f, (float(y) - 45.0f) / 34.0f);
                if (d > 1.0f)
                    return 0;
                return d > 0.9f ? 2 : 1;
            }));
    WriteList("mascot.img", body);
    std::vector<QxImage> eyes;
    for (int f = 0; f < 30; ++f)
        eyes.push_back(
            Picture(40, 16, {QxColour(255, 255, 255), QxColour(0, 0, 0)}, [f](int x, int y) {
                const int cx = x < 20 ? 10 : 30;
                const float d = std::hypot(float(x - cx), float(y) - 8.0f);
                if (d > 7.5f)
                    return 0;
                const int look = (f % 5) - 2;
                return std::hypot(float(x - cx - look * 2), float(y - 8)) < 3.0f ? 2 : 1;
            }));
    WriteList("eyes.img", eyes);
    Define("class Pyx2DGUIMascot\ntype mascot\nMascotImage mascot.img\nEyes eyes.img\n"
           "EyeOffset 15, 20\nFrameRate 6\n");
    Define("class Pyx2DGUIBoard\ntype board\n");

    TinyLevel level;
    level.columns = 8;
    level.rows = 8;
    level.border = 16;
    level.startCol = 1;
    level.startRow = 6;
    level.floorType = "tiled";
    level.trapType = "holeimg";
    level.traps = {2 * 8 + 5, 5 * 8 + 2};
    level.coinsNeeded = 9;
    level.coinsOnBoard = 4;
    level.ballsReleased = 3;
    level.releaseInterval = 1;
    level.ballClass = "PyxAnimSpriteBall";
    level.ballType = "redball";
    level.objects = {{"PyxBasicPost", "pillar", 112.0f, 112.0f},
                     {"PyxBasicPost", "pillar", 336.0f, 224.0f},
                     {"PyxBasicPost", "pillar", 224.0f, 336.0f}};
    WriteGame({level});

    auto sidebar = CreateElement("sprite", "sidebar");
    sidebar->SetPosition(QxPoint{480, 0});
    auto board = CreateElement<PyxEntity2DGUIBoard>("Pyx2DGUIBoard", "board");
    auto coins = CreateElement<PyxEntity2DGUICoins>("Pyx2DGUICoins", "coins");
    coins->SetPosition(QxPoint{490, 360});
    auto lives = CreateElement<PyxEntity2DGUILives>("Pyx2DGUILives", "lives");
    lives->SetPosition(QxPoint{560, 470 - 22});
    auto clock = CreateElement<PyxEntity2DGUIClock>("Pyx2DGUIClock", "clock");
    clock->SetPosition(QxPoint{528, 20});
    auto mascot = CreateElement<PyxEntity2DGUIMascot>("Pyx2DGUIMascot", "mascot");
    mascot->SetPosition(QxPoint{525, 180});
    ASSERT_TRUE(sidebar && board && coins && lives && clock && mascot);
    Scene().named = {{"Coins", coins.get()},
                     {"Lives", lives.get()},
                     {"Clock", clock.get()},
                     {"Mascot", mascot.get()}};

    SeedRandom(7);
    auto game = StartGame();
    const std::vector<QxEntity2DGUIElement*> hud = {sidebar.get(), board.get(), coins.get(),
                                                    lives.get(),   clock.get(), mascot.get()};
    auto frame = [&](float ms) {
        game->Update(ms);
        for (QxEntity2DGUIElement* element : hud)
            element->Update(ms);
    };
    auto draw = [&] {
        ClearScreen();
        for (QxEntity2DGUIElement* element : hud)
            element->Draw();
    };
    for (int i = 0; i < 110; ++i)
        frame(16.0f);
    // A ball condensing out of its vortex.
    draw();
    std::printf("early frame: %s\n", SaveScreenPng("game-frame-early.png").c_str());
    // A few coins held, one crossed out by a hit, and a few seconds on the clock.
    game->SetCoinsHeld(4);
    game->SetHits(1);
    for (int i = 0; i < 250; ++i)
        frame(16.0f);

    draw();
    const std::string path = SaveScreenPng("game-frame.png");
    ASSERT_FALSE(path.empty());
    std::printf("game frame: %s\n", path.c_str());

    // The side bar, a floor tile's inside and its dark edge, a lit and a dark coin.
    EXPECT_EQ(Pixel(630, 300), Rgb555(side));
    EXPECT_EQ(Pixel(16 + 7 * 56 + 28, 16 + 4), Rgb555(grass));
    EXPECT_EQ(Pixel(16 + 7 * 56 + 28, 16 + 0), Rgb555(grassDark));
    ASSERT_EQ(coins->Places().size(), 9u);
    const auto& places = coins->Places();
    EXPECT_EQ(Pixel(places[1].x + 7, places[1].y + 10), Rgb555(QxColour(240, 200, 40)));
    EXPECT_EQ(Pixel(places[8].x + 7, places[8].y + 7), Rgb555(QxColour(70, 70, 80)));
    // The clock has run: some lights are still on, none has been cashed.
    EXPECT_GE(clock->LightsOn(), 1);
    EXPECT_GE(game->BallsReleased(), 1);
}

} // namespace

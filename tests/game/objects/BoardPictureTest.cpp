// One frame of a board with a vortex forming, coins, smoke, a burst, a dissolve, a
// floating score, flying coins, an exit flight and the jaws, drawn through the level
// on the headless screen and written as a PNG ("objects-board.png" in the test's
// folder) for a person to look at.
#include <cstring>
#include <iostream>

#include <gtest/gtest.h>

#include "game/objects/ObjectTestSupport.h"
#include "game/objects/PyxEntityAnimAward.h"
#include "game/objects/PyxEntityAnimExplosion.h"
#include "game/objects/PyxEntityBallDissolve.h"
#include "game/objects/PyxEntityBigTeeth.h"
#include "game/objects/PyxEntityFloatingScore.h"
#include "game/objects/PyxEntityFlyingCoin.h"
#include "game/objects/PyxEntityParticleExplosion.h"
#include "game/objects/PyxEntityPlayerExit.h"
#include "game/objects/PyxEntityVortex.h"
#include "game/objects/QxTrajectoryLine.h"
#include "game/objects/QxTrajectoryParabola.h"

namespace objecttest {
namespace {

// A coin frame: a disc of gold with a darker rim, transparent outside.
QxImage CoinFrame(int size, int squash) {
    QxImage frame;
    frame.Create(size, size, 15);
    const float r = size / 2.0f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float dx = (x + 0.5f - r) * float(squash) / 4.0f;
            const float dy = y + 0.5f - r;
            const float d2 = dx * dx + dy * dy;
            if (d2 > r * r)
                continue;
            const QxColour c =
                d2 > (r - 2) * (r - 2) ? QxColour(160, 110, 0) : QxColour(248, 208, 40);
            const auto pixel =
                std::uint16_t(((c.red >> 3) << 10) | ((c.green >> 3) << 5) | (c.blue >> 3));
            std::memcpy(frame.Row(y) + 2 * x, &pixel, 2);
        }
    }
    return frame;
}

class BoardPictureTest : public ObjectFixture {
protected:
    void SetUp() override {
        ObjectFixture::SetUp();
        std::vector<QxImage> coin;
        for (int squash : {4, 6, 10, 6})
            coin.push_back(CoinFrame(20, squash));
        WriteImageList("coin.ims", coin);
        WriteFrames("smoke.ims", 30, 30, {QxColour(150, 150, 160), QxColour(120, 120, 130)});
        WriteFrames("ball.ims", 40, 40, {QxColour(40, 200, 90)});
        WriteBitmap("digits.bmp", SolidImage(80, 10, QxColour(255, 255, 255)));
        QxImage jaw = SolidImage(200, 30, QxColour(230, 230, 230));
        for (int x = 0; x < 200; ++x) {
            for (int y = 20 + (x % 20 < 10 ? x % 10 : 10 - x % 10) / 2; y < 30; ++y)
                SetImagePixel(jaw, x, y, QxColour(0, 0, 0));
        }
        WriteBitmap("jaw.bmp", jaw);
        Define("class PyxAnimAward\ntype coinsilver\nImage coin.ims\nFrameRate 8\n");
        Define("class PyxAnimExplosion\ntype bigsmoke\nImage smoke.ims\nFrameRate 10\n");
        Define("class PyxFlyingCoin\ntype flyingcoin\nImage coin.ims\n");
        Define("class PyxVortex\ntype vortex\nNumberParticles 120\n");
        Define("class PyxRenderedBall\ntype renderball\n");
        Define("class PyxAnimSpriteBall\ntype greenball\nImage ball.ims\nRadius 20\n");
        Define("class PyxParticleExplosion\ntype particleexplosion\n");
        Define("class PyxBallDissolve\ntype balldissolve\n");
        Define("class PyxPlayerExit\ntype playerexit\n");
        Define("class font\ntype digits\nimage digits.bmp\nchars 0123456789\ncharwidth 8\n"
               "charheight 10\ntransparent 1\n");
        Define("class PyxFloatingScore\ntype score\nFontEntType digits\n");
        Define("class sprite\ntype jaw\nimage jaw.bmp\ntransparent 1\n");
        Define("class PyxBigTeeth\ntype teeth\nImageEnt sprite, jaw\n");
    }

    // The board under the objects: a chequer of cells inside a dark border.
    void DrawBoard() {
        ClearScreen();
        screen().FillRect({0, 640, 0, 480}, QxColour(30, 30, 60));
        for (int row = 0; row < 6; ++row) {
            for (int col = 0; col < 8; ++col) {
                const int x = kBorder + col * kCell;
                const int y = kBorder + row * kCell;
                const QxColour c =
                    (row + col) % 2 ? QxColour(70, 110, 160) : QxColour(90, 140, 190);
                screen().FillRect({x, x + kCell, y, y + kCell}, c);
            }
        }
    }

    QxScreen2D& screen() { return *g_screen; }
};

TEST_F(BoardPictureTest, BoardWithEveryKindOfEffect) {
    DrawBoard();
    for (int i = 0; i < 4; ++i) {
        auto* coin = Place<PyxEntityAnimAward>("PyxAnimAward", "coinsilver", Centre(i * 2 + 1),
                                               Centre(i % 2 ? 4 : 5));
        coin->SetFramePosition(float(i));
    }
    auto* fading = Place<PyxEntityAnimAward>("PyxAnimAward", "coinsilver", Centre(7), Centre(4));
    fading->SetState(PyxEntityAwardBase::kFadingOut);
    fading->SetAlpha(120);

    // A new ball condensing out of its vortex.
    auto* ball = Place<PyxEntityBallBase>("PyxRenderedBall", "renderball", Centre(2), Centre(1));
    ball->ClearFlags(kObjectActiveBoth);
    auto* vortex = Place<PyxEntityVortex>("PyxVortex", "vortex", Centre(2), Centre(1));
    vortex->SetTarget(ball);

    auto* smoke =
        Place<PyxEntityAnimExplosion>("PyxAnimExplosion", "bigsmoke", Centre(5), Centre(1));
    // A ball bursting and one dissolving, started late so that they show mid-way.
    PyxEntityParticleExplosion* burst = nullptr;
    PyxEntityBallDissolve* dissolve = nullptr;
    auto breakBalls = [&] {
        auto* victim =
            Place<PyxEntityAnimSpriteBall>("PyxAnimSpriteBall", "greenball", Centre(6), Centre(2));
        victim->Update(0);
        burst = Place<PyxEntityParticleExplosion>("PyxParticleExplosion", "particleexplosion",
                                                  victim->X(), victim->Y());
        ASSERT_TRUE(burst->Burst(victim));
        victim->ClearFlags(kObjectActiveBoth);
        auto* melting =
            Place<PyxEntityAnimSpriteBall>("PyxAnimSpriteBall", "greenball", Centre(4), Centre(3));
        melting->Update(0);
        dissolve = Place<PyxEntityBallDissolve>("PyxBallDissolve", "balldissolve", melting->X(),
                                                melting->Y());
        ASSERT_TRUE(dissolve->SetUp(melting));
        melting->ClearFlags(kObjectActiveBoth);
    };

    auto* score = Place<PyxEntityFloatingScore>("PyxFloatingScore", "score", Centre(6), Centre(4));
    score->SetText("400");
    std::unique_ptr<QxTrajectoryBase> rise =
        MakeLineTrajectory(Centre(6), Centre(4), Centre(6), Centre(4) - 60, 2, true);
    rise->SetParameter(QxTrajectoryBase::kSpeed, 60);
    score->SetTrajectory(std::move(rise));

    for (int i = 0; i < 3; ++i) {
        auto* flying =
            Place<PyxEntityFlyingCoin>("PyxFlyingCoin", "flyingcoin", Centre(1), Centre(2));
        auto arc = std::make_unique<QxTrajectoryParabola>();
        arc->SetParameter(QxTrajectoryBase::kSpacing, 2);
        arc->SetParameter(QxTrajectoryBase::kInterpolate, 1);
        arc->SetPoint(QxTrajectoryBase::kStartPoint, Centre(1), Centre(2));
        arc->SetPoint(QxTrajectoryBase::kEndPoint, Centre(1) + 40.0f * float(i - 1),
                      Centre(3) + 20);
        ASSERT_TRUE(arc->Build());
        arc->SetParameter(QxTrajectoryBase::kSpeed, 150.0f + 40.0f * float(i));
        flying->SetTrajectory(std::move(arc));
    }

    auto* saved =
        Place<PyxEntityAnimSpriteBall>("PyxAnimSpriteBall", "greenball", Centre(0), Centre(0));
    saved->Update(0);
    saved->SetSpeed(0.3f);
    auto* exit = Place<PyxEntityPlayerExit>("PyxPlayerExit", "playerexit", saved->X(), saved->Y());
    exit->SetUpTowards(saved, 600.0f, 60.0f);
    saved->ClearFlags(kObjectActiveBoth);

    auto teeth = CreateElement<PyxEntityBigTeeth>("PyxBigTeeth", "teeth");
    ASSERT_NE(teeth, nullptr);
    std::unique_ptr<QxTrajectoryBase> jaws = MakeLineTrajectory(427, 0, 427, 20, 1, true);
    jaws->SetParameter(QxTrajectoryBase::kSpeed, 30);
    teeth->SetTrajectory(std::move(jaws));

    // Forty frames of play, the board redrawn under the objects each time.
    for (int frame = 0; frame < 40; ++frame) {
        if (frame == 36)
            breakBalls();
        DrawBoard();
        level_->Update(16.0f);
        level_->Draw();
        teeth->Update(16.0f);
        teeth->Draw();
    }
    EXPECT_EQ(vortex->State(), PyxEntityVortex::kForming);
    EXPECT_FALSE(smoke->HasFlags(kObjectRemoved));
    ASSERT_NE(burst, nullptr);
    EXPECT_FALSE(burst->HasFlags(kObjectRemoved));
    EXPECT_FALSE(dissolve->HasFlags(kObjectRemoved));
    EXPECT_FALSE(exit->HasFlags(kObjectRemoved));

    const std::string path = SaveScreenPng("objects-board.png");
    ASSERT_FALSE(path.empty());
    std::cout << "board picture: " << path << "\n";
    // The vortex painted over the board around its centre.
    int painted = 0;
    for (int y = vortex->DrawY() - 28; y <= vortex->DrawY() + 28; ++y) {
        for (int x = vortex->DrawX() - 28; x <= vortex->DrawX() + 28; ++x) {
            const bool dark = ((x - kBorder) / kCell + (y - kBorder) / kCell) % 2 != 0;
            const QxColour board = dark ? QxColour(70, 110, 160) : QxColour(90, 140, 190);
            painted += Pixel(x, y) != Rgb555(board) ? 1 : 0;
        }
    }
    EXPECT_GT(painted, 100);
}

} // namespace
} // namespace objecttest

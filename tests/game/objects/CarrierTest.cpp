// The carrier claw, the exit and grab flights, the dissolve and the jaws: flights reach
// their targets, the claw hands the player's ball to the rules, particles come loose.
#include <algorithm>
#include <cmath>
#include <numeric>

#include <gtest/gtest.h>

#include "game/objects/ObjectTestSupport.h"
#include "game/objects/PyxEntityBallCarrier.h"
#include "game/objects/PyxEntityBallDissolve.h"
#include "game/objects/PyxEntityBigTeeth.h"
#include "game/objects/PyxEntityGrabPickup.h"
#include "game/objects/PyxEntityPlayerExit.h"
#include "game/objects/QxTrajectoryLine.h"

namespace objecttest {
namespace {

const QxColour kRed(248, 0, 0);
const QxColour kGreen(0, 248, 0);
const QxColour kBlue(0, 0, 248);
const QxColour kYellow(248, 248, 0);

class CarrierTest : public ObjectFixture {
protected:
    void SetUp() override {
        ObjectFixture::SetUp();
        WriteFrames("claw.ims", 30, 20, {kYellow, kYellow, kYellow, kYellow});
        WriteFrames("ball.ims", 40, 40, {kRed});
        WriteFrames("wide.ims", 50, 20, {kBlue});
        WriteFrames("big.ims", 60, 60, {kGreen});
        WriteFrames("eyes.ims", 8, 8, std::vector<QxColour>(40, kGreen));
        WriteSound("move.wav", 700);
        WriteSound("drop.wav", 710);
        WriteSound("whoosh.wav", 720);
        WriteSound("crumble.wav", 730);
        Define("class PyxBallCarrier\ntype carrier\nImage claw.ims\nFrameRate 20\n"
               "MoveSound move.wav\nDropSound drop.wav\n");
        Define("class PyxAnimSpriteBall\ntype redball\nImage ball.ims\nRadius 20\n");
        Define("class PyxAnimSpriteBall\ntype wideball\nImage wide.ims\nRadius 10\n");
        Define("class PyxAnimSpriteBall\ntype bigball\nImage big.ims\nRadius 30\n");
        Define("class PyxCharacterBall\ntype face\nImage ball.ims\nEyes eyes.ims\n");
        Define("class PyxPlayerExit\ntype playerexit\nSound whoosh.wav\n");
        Define("class PyxGrabPickup\ntype defaultgrab\nSound whoosh.wav\n");
        Define("class PyxBallDissolve\ntype balldissolve\nSound crumble.wav\n");
        ClearScreen();
    }

    PyxEntityAnimSpriteBall* Ball(float x, float y, const std::string& type = "redball") {
        auto* ball = Place<PyxEntityAnimSpriteBall>("PyxAnimSpriteBall", type, x, y);
        ball->Update(0);
        return ball;
    }
};

// ---- carrier ---------------------------------------------------------------------

class ClawTest : public CarrierTest {
protected:
    void SetUp() override {
        CarrierTest::SetUp();
        player_ = Ball(Centre(2), Centre(3));
        player_->ClearFlags(kObjectActiveBoth);
        events_.player = player_;
        claw_ = Place<PyxEntityBallCarrier>("PyxBallCarrier", "carrier", 0, 0);
        ASSERT_TRUE(claw_->SetCargo("PyxAnimSpriteBall", "redball"));
        ASSERT_TRUE(claw_->CarryTo(Centre(2), Centre(3)));
    }

    // Updates until the state changes; answers the number of updates.
    int RunState(float ms = 16) {
        const std::int32_t state = claw_->State();
        int updates = 0;
        while (claw_->State() == state && !claw_->HasFlags(kObjectRemoved) && updates < 2000) {
            claw_->Update(ms);
            ++updates;
        }
        return updates;
    }

    PyxEntityGameObject* Cargo() const {
        return dynamic_cast<PyxEntityGameObject*>(claw_->Cargo());
    }

    PyxEntityAnimSpriteBall* player_ = nullptr;
    PyxEntityBallCarrier* claw_ = nullptr;
};

TEST_F(ClawTest, CargoHangsBelowTheClawOutOfTheFrame) {
    PyxEntityGameObject* cargo = Cargo();
    ASSERT_NE(cargo, nullptr);
    EXPECT_FALSE(cargo->HasFlags(kObjectInFrame));
    EXPECT_TRUE(cargo->HasFlags(kObjectActive));
    claw_->Update(0);
    EXPECT_FLOAT_EQ(claw_->X(), Centre(2));
    EXPECT_FLOAT_EQ(claw_->Y(), PyxEntityBallCarrier::kOffBoardY);
    EXPECT_FLOAT_EQ(cargo->X(), claw_->X());
    EXPECT_FLOAT_EQ(cargo->Y(), claw_->Y() + 221.0f);
    EXPECT_FALSE(claw_->SetCargo("PyxAnimSpriteBall", "nosuchball"));
    EXPECT_EQ(claw_->Cargo(), nullptr);
}

TEST_F(ClawTest, MoveSoundWaitsForAnUpdateWithTime) {
    claw_->Update(0);
    claw_->Update(0);
    EXPECT_EQ(Plays("move.wav"), 0);
    EXPECT_FLOAT_EQ(events_.countdown, 1000.0f);
    claw_->Update(16);
    claw_->Update(16);
    EXPECT_EQ(Plays("move.wav"), 1);
}

TEST_F(ClawTest, ClawLowersTheCargoOntoItsCellDropsThePlayerAndLeaves) {
    RunState();
    ASSERT_EQ(claw_->State(), PyxEntityBallCarrier::kDropping);
    EXPECT_FLOAT_EQ(claw_->X(), Centre(2));
    EXPECT_FLOAT_EQ(claw_->Y(), Centre(3) - 221.0f);
    EXPECT_FLOAT_EQ(Cargo()->Y(), Centre(3));
    EXPECT_GT(events_.countdownCalls, 10);
    EXPECT_FLOAT_EQ(events_.countdown, 1000.0f);
    EXPECT_FALSE(player_->HasFlags(kObjectInFrame));
    EXPECT_EQ(Plays("drop.wav"), 0);

    // The claw opens: four frames at 20 per second.
    const int opening = RunState(16);
    EXPECT_EQ(claw_->State(), PyxEntityBallCarrier::kLeaving);
    EXPECT_GE(opening, 9);
    EXPECT_LE(opening, 11);
    EXPECT_EQ(Plays("drop.wav"), 1);
    EXPECT_TRUE(player_->HasFlags(kObjectInFrame));
    EXPECT_TRUE(player_->HasFlags(kObjectActive));
    EXPECT_TRUE(player_->IsRolling());
    EXPECT_EQ(events_.landed, 1);
    EXPECT_FLOAT_EQ(events_.countdown, 0.0f);
    EXPECT_EQ(events_.hints, std::vector<std::int32_t>{1});

    // It rises out of sight and ends.
    float y = claw_->Y();
    while (!claw_->HasFlags(kObjectRemoved)) {
        claw_->Update(16);
        EXPECT_LE(claw_->Y(), y);
        y = claw_->Y();
    }
    EXPECT_FLOAT_EQ(claw_->Y(), PyxEntityBallCarrier::kOffBoardY);
    EXPECT_EQ(events_.landed, 1);
    EXPECT_EQ(Plays("move.wav"), 1);
}

TEST_F(ClawTest, CargoIsDrawnUntilTheClawLeaves) {
    RunState();
    claw_->Update(16);
    ClearScreen();
    claw_->Draw();
    const PyxEntityGameObject* cargo = Cargo();
    EXPECT_EQ(Pixel(cargo->DrawX() + 20, cargo->DrawY() + 20), Rgb555(kRed));
    // The claw hangs mostly above the screen; its lowest row shows.
    ASSERT_GE(claw_->DrawY() + 19, 0);
    EXPECT_EQ(Pixel(claw_->DrawX() + 15, claw_->DrawY() + 19), Rgb555(kYellow));
    RunState();
    ASSERT_EQ(claw_->State(), PyxEntityBallCarrier::kLeaving);
    ClearScreen();
    claw_->Draw();
    EXPECT_EQ(Pixel(cargo->DrawX() + 20, cargo->DrawY() + 20), kBlack);
}

TEST_F(ClawTest, InGameModeThreeTheLandingShowsHintTen) {
    events_.mode = 3;
    RunState();
    RunState();
    EXPECT_EQ(events_.hints, std::vector<std::int32_t>{10});
}

TEST_F(ClawTest, ClawWithoutAWayHasArrived) {
    claw_->SetTrajectory(nullptr);
    claw_->Update(16);
    EXPECT_EQ(claw_->State(), PyxEntityBallCarrier::kDropping);
}

TEST_F(ClawTest, ClawThatCannotOpenDropsAtOnce) {
    Define("class PyxBallCarrier\ntype stuck\nImage claw.ims\nFrameRate 0\n");
    EXPECT_NE(ReadLog().find("never opens the claw"), std::string::npos);
    auto* stuck = Place<PyxEntityBallCarrier>("PyxBallCarrier", "stuck", 0, 0);
    ASSERT_TRUE(stuck->CarryTo(Centre(2), Centre(3)));
    stuck->SetTrajectory(nullptr);
    stuck->Update(16);
    stuck->Update(16);
    EXPECT_EQ(stuck->State(), PyxEntityBallCarrier::kLeaving);
    EXPECT_TRUE(player_->IsRolling());
}

TEST_F(ClawTest, CharacterCargoPullsAFace) {
    ASSERT_TRUE(claw_->SetCargo("PyxCharacterBall", "face"));
    auto* face = dynamic_cast<PyxEntityCharacterBall*>(claw_->Cargo());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->Expression(), 5);
    EXPECT_FLOAT_EQ(face->ExpressionTimer(), 2000.0f);
}

// ---- exit and grab ---------------------------------------------------------------

TEST_F(CarrierTest, ExitAndGrabAnswerOnlyTheirOwnKinds) {
    QxEntityBaseType* exit = Registry().FindType("PyxPlayerExit", "playerexit");
    QxEntityBaseType* grab = Registry().FindType("PyxGrabPickup", "defaultgrab");
    ASSERT_NE(exit, nullptr);
    ASSERT_NE(grab, nullptr);
    EXPECT_TRUE(exit->IsKind(QxKindTag("PLXT")));
    EXPECT_FALSE(exit->IsKind(QxKindTag("GRAB")));
    EXPECT_TRUE(grab->IsKind(QxKindTag("GRAB")));
    EXPECT_FALSE(grab->IsKind(QxKindTag("PLXT")));
    EXPECT_TRUE(grab->IsKind(kKindAny));
    EXPECT_FLOAT_EQ(static_cast<PyxEntityGameObjectType*>(exit)->Height(), 0.45f);
}

TEST_F(CarrierTest, ExitKeepsItsSizeUntilThirtyPixelsOffThenShrinksAndEnds) {
    PyxEntityAnimSpriteBall* ball = Ball(Centre(1), Centre(1));
    ball->SetSpeed(0.2f);
    auto* exit = Place<PyxEntityPlayerExit>("PyxPlayerExit", "playerexit", ball->X(), ball->Y());
    const float startX = float(ball->DrawX() + 20);
    const float startY = float(ball->DrawY() + 20);
    exit->SetUpTowards(ball, startX + 100.0f, startY);
    EXPECT_FLOAT_EQ(exit->X(), startX);
    EXPECT_FLOAT_EQ(exit->FlightSpeed(), 0.1f);
    EXPECT_EQ(exit->Width(), 40);
    PyxEntityGameObjectType anyBall(nullptr);
    anyBall.SetTypeFlags(kTypeBall);
    EXPECT_FALSE(exit->Blocks(&anyBall));

    int updates = 0;
    std::int32_t width = 40;
    while (!exit->HasFlags(kObjectRemoved) && updates < 500) {
        const float distance = exit->TargetX() - exit->X();
        const float speed = exit->FlightSpeed() + 0.001f;
        exit->Update(10);
        ++updates;
        EXPECT_FLOAT_EQ(exit->FlightSpeed(), speed);
        width = std::min(width, std::int32_t(40.0f * std::min(distance, 30.0f) / 30.0f));
        EXPECT_EQ(exit->Width(), width) << updates;
        EXPECT_EQ(exit->Height(), width) << updates;
        if (distance >= 30.0f) {
            EXPECT_EQ(exit->Width(), 40);
        }
        if (!exit->HasFlags(kObjectRemoved)) {
            EXPECT_EQ(exit->DrawX(), int(exit->X()) - exit->Width() / 2);
            EXPECT_LE(exit->X(), exit->TargetX());
        }
    }
    EXPECT_TRUE(exit->HasFlags(kObjectRemoved));
    EXPECT_GT(exit->X(), startX + 70.0f);
    EXPECT_EQ(Plays("whoosh.wav"), 1);
}

TEST_F(CarrierTest, ExitOvershootingItsTargetEnds) {
    PyxEntityAnimSpriteBall* ball = Ball(Centre(1), Centre(1));
    ball->SetSpeed(0.2f);
    auto* exit = Place<PyxEntityPlayerExit>("PyxPlayerExit", "playerexit", 0, 0);
    exit->SetUpTowards(ball, float(ball->DrawX() + 20 + 5), float(ball->DrawY() + 20));
    exit->Update(100); // 0.101 px/ms for 100 ms: past the target
    EXPECT_TRUE(exit->HasFlags(kObjectRemoved));
}

TEST_F(CarrierTest, ExitAimsAtTheMiddleOfItsElement) {
    Define("class 2DGUIElement\ntype box\n");
    auto box = CreateElement<QxEntity2DGUIElement>("2DGUIElement", "box");
    ASSERT_NE(box, nullptr);
    box->SetRect(500, 10, 41, 21);
    PyxEntityAnimSpriteBall* ball = Ball(Centre(1), Centre(1));
    auto* exit = Place<PyxEntityPlayerExit>("PyxPlayerExit", "playerexit", 0, 0);
    exit->SetUp(ball, box.get());
    EXPECT_FLOAT_EQ(exit->TargetX(), 520.0f);
    EXPECT_FLOAT_EQ(exit->TargetY(), 20.0f);
}

TEST_F(CarrierTest, ExitStartingOnItsTargetEndsAtOnce) {
    PyxEntityAnimSpriteBall* ball = Ball(Centre(1), Centre(1));
    auto* exit = Place<PyxEntityPlayerExit>("PyxPlayerExit", "playerexit", 0, 0);
    exit->SetUpTowards(ball, float(ball->DrawX() + 20), float(ball->DrawY() + 20));
    exit->Update(16);
    EXPECT_TRUE(exit->HasFlags(kObjectRemoved));
}

TEST_F(CarrierTest, ExitFliesOnWithTheLastPictureWhenItsBallIsDeleted) {
    PyxEntityAnimSpriteBall* ball = Ball(Centre(1), Centre(1));
    ball->SetSpeed(0.2f);
    auto* exit = Place<PyxEntityPlayerExit>("PyxPlayerExit", "playerexit", 0, 0);
    exit->SetUpTowards(ball, 600, float(ball->DrawY() + 20));
    exit->Update(16);
    ball->AddFlags(kObjectRemoved);
    level_->DeleteRemovedObjects();
    exit->Update(16);
    EXPECT_EQ(exit->Source(), nullptr);
    std::int32_t w = 0, h = 0;
    exit->GetSize(w, h);
    EXPECT_EQ(w, 40);
    ClearScreen();
    exit->Draw();
    EXPECT_EQ(Pixel(exit->DrawX() + 20, exit->DrawY() + 20), Rgb555(kRed));
}

TEST_F(CarrierTest, ExitDrawsItsBallScaledDown) {
    PyxEntityAnimSpriteBall* ball = Ball(Centre(1), Centre(1));
    ball->SetSpeed(0.2f);
    auto* exit = Place<PyxEntityPlayerExit>("PyxPlayerExit", "playerexit", 0, 0);
    exit->SetUpTowards(ball, float(ball->DrawX() + 20 + 20), float(ball->DrawY() + 20));
    exit->Update(16);
    ASSERT_FALSE(exit->HasFlags(kObjectRemoved));
    ASSERT_LT(exit->Width(), 40);
    ClearScreen();
    exit->Draw();
    EXPECT_EQ(Pixel(exit->DrawX(), exit->DrawY()), Rgb555(kRed));
    EXPECT_EQ(Pixel(exit->DrawX() + exit->Width() - 1, exit->DrawY()), Rgb555(kRed));
    EXPECT_EQ(Pixel(exit->DrawX() + exit->Width(), exit->DrawY()), kBlack);
}

TEST_F(CarrierTest, GrabChasesThePlayersBallWhereverItRolls) {
    PyxEntityAnimSpriteBall* player = Ball(Centre(5), Centre(1));
    player->SetSpeed(0.3f);
    events_.player = player;
    PyxEntityAnimSpriteBall* pickup = Ball(Centre(1), Centre(1), "redball");
    auto* grab = Place<PyxEntityGrabPickup>("PyxGrabPickup", "defaultgrab", 0, 0);
    grab->SetUp(pickup);
    EXPECT_FLOAT_EQ(grab->FlightSpeed(), 0.3f * 0.8f);
    EXPECT_FLOAT_EQ(grab->TargetX(), float(player->DrawX() + 25));
    EXPECT_FLOAT_EQ(grab->TargetY(), float(player->DrawY() + 25));

    grab->Update(10);
    EXPECT_FLOAT_EQ(grab->FlightSpeed(), 0.24f + 0.01f);
    // The player rolls down; the grab follows.
    player->SetPosition(Centre(5), Centre(4));
    player->Update(0);
    int updates = 1;
    while (!grab->HasFlags(kObjectRemoved) && updates < 500) {
        grab->Update(10);
        ++updates;
    }
    EXPECT_TRUE(grab->HasFlags(kObjectRemoved));
    EXPECT_FLOAT_EQ(grab->TargetY(), float(player->DrawY() + 25));
    EXPECT_NEAR(grab->Y(), grab->TargetY(), 30.0f);
    EXPECT_NEAR(grab->X(), grab->TargetX(), 30.0f);
}

TEST_F(CarrierTest, GrabWithoutAPlayersBallEndsWhereItStarts) {
    PyxEntityAnimSpriteBall* pickup = Ball(Centre(1), Centre(1));
    auto* grab = Place<PyxEntityGrabPickup>("PyxGrabPickup", "defaultgrab", 0, 0);
    grab->SetUp(pickup);
    grab->Update(10);
    EXPECT_TRUE(grab->HasFlags(kObjectRemoved));
}

// ---- dissolve --------------------------------------------------------------------

TEST_F(CarrierTest, DissolveOrderIsAShuffleOfEveryPosition) {
    auto* type = dynamic_cast<PyxEntityBallDissolveType*>(
        Registry().FindType("PyxBallDissolve", "balldissolve"));
    ASSERT_NE(type, nullptr);
    type->Load(false);
    std::vector<std::int32_t> order = type->Order();
    ASSERT_EQ(order.size(), 2500u);
    EXPECT_FALSE(std::is_sorted(order.begin(), order.end()));
    std::sort(order.begin(), order.end());
    std::vector<std::int32_t> all(2500);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(order, all);
}

TEST_F(CarrierTest, ThousandPixelsComeLooseInThreeUpdates) {
    PyxEntityAnimSpriteBall* ball = Ball(Centre(2), Centre(2), "wideball"); // 50 x 20
    auto* dissolve =
        Place<PyxEntityBallDissolve>("PyxBallDissolve", "balldissolve", ball->X(), ball->Y());
    ASSERT_TRUE(dissolve->SetUp(ball, 7));
    EXPECT_EQ(dissolve->Argument(), 7);
    ASSERT_EQ(dissolve->Particles().size(), 1000u);
    for (const auto& p : dissolve->Particles()) {
        EXPECT_TRUE(p.attached);
        EXPECT_EQ(p.alpha, 255);
        EXPECT_GE(p.fade, 16);
        EXPECT_LT(p.fade, 64);
        EXPECT_GE(p.x, -25);
        EXPECT_LT(p.x, 25);
        EXPECT_GE(p.y, -10);
        EXPECT_LT(p.y, 10);
        EXPECT_EQ(p.colour, Rgb555(kBlue));
    }
    auto attached = [&] {
        return std::count_if(dissolve->Particles().begin(), dissolve->Particles().end(),
                             [](const auto& p) { return p.attached; });
    };
    const std::int32_t cx = ball->DrawX() + 25;
    const auto first = dissolve->Particles().front();
    dissolve->Update(16);
    EXPECT_EQ(attached(), 600);
    EXPECT_EQ(dissolve->Particles().front().x, first.x + cx);
    EXPECT_EQ(dissolve->Particles().front().alpha, 255 - first.fade);
    dissolve->Update(16);
    EXPECT_EQ(attached(), 200);
    dissolve->Update(16);
    EXPECT_EQ(attached(), 0);
    EXPECT_EQ(Plays("crumble.wav"), 1);

    int updates = 3;
    while (!dissolve->HasFlags(kObjectRemoved) && updates < 100) {
        dissolve->Update(16);
        ++updates;
    }
    EXPECT_TRUE(dissolve->Particles().empty());
    EXPECT_LE(updates, 2 + 16); // the last ones let loose, at the slowest fade
    EXPECT_EQ(Plays("crumble.wav"), 1);
}

TEST_F(CarrierTest, AttachedParticlesRideWithTheBall) {
    PyxEntityAnimSpriteBall* ball = Ball(Centre(2), Centre(2), "wideball");
    auto* dissolve = Place<PyxEntityBallDissolve>("PyxBallDissolve", "balldissolve", 0, 0);
    ASSERT_TRUE(dissolve->SetUp(ball));
    ball->SetPosition(Centre(5), Centre(4));
    ball->Update(0);
    ClearScreen();
    dissolve->Draw();
    EXPECT_NE(Pixel(ball->DrawX() + 25, ball->DrawY() + 10), kBlack);
    EXPECT_EQ(Pixel(int(Centre(2)) + kBorder, int(Centre(2)) + kBorder), kBlack);
}

TEST_F(CarrierTest, DissolveReadsAtMostFiftyPixelsEachWay) {
    PyxEntityAnimSpriteBall* ball = Ball(Centre(2), Centre(2), "bigball"); // 60 x 60
    auto* dissolve = Place<PyxEntityBallDissolve>("PyxBallDissolve", "balldissolve", 0, 0);
    ASSERT_TRUE(dissolve->SetUp(ball));
    EXPECT_EQ(dissolve->Particles().size(), 2500u);
    auto* nothing = Place<PyxEntityBallDissolve>("PyxBallDissolve", "balldissolve", 0, 0);
    EXPECT_FALSE(nothing->SetUp(nullptr));
    nothing->Update(16);
    EXPECT_TRUE(nothing->HasFlags(kObjectRemoved));
}

// ---- jaws ------------------------------------------------------------------------

class TeethTest : public CarrierTest {
protected:
    void SetUp() override {
        CarrierTest::SetUp();
        // Red on the top half, green below, to tell the jaw turned over.
        QxImage jaw = SolidImage(20, 10, kRed);
        for (int y = 5; y < 10; ++y) {
            for (int x = 0; x < 20; ++x)
                SetImagePixel(jaw, x, y, kGreen);
        }
        WriteBitmap("jaw.bmp", jaw);
        Define("class sprite\ntype jaw\nimage jaw.bmp\n");
        Define("class PyxBigTeeth\ntype teeth\nImageEnt sprite, jaw\n");
        teeth_ = CreateElement<PyxEntityBigTeeth>("PyxBigTeeth", "teeth");
        ASSERT_NE(teeth_, nullptr);
    }
    std::unique_ptr<PyxEntityBigTeeth> teeth_;
};

TEST_F(TeethTest, WithoutATrajectoryTheJawsAreNotDrawn) {
    teeth_->Update(16);
    teeth_->Draw();
    for (int y = 0; y < 100; y += 5) {
        for (int x = 0; x < 640; x += 5)
            ASSERT_EQ(Pixel(x, y), kBlack);
    }
}

TEST_F(TeethTest, UpperJawFollowsItsTrajectoryAndTheLowerMirrorsIt) {
    std::unique_ptr<QxTrajectoryBase> way = MakeLineTrajectory(167, 10, 167, 30, 1, true);
    ASSERT_NE(way, nullptr);
    way->SetParameter(QxTrajectoryBase::kSpeed, 1000);
    teeth_->SetTrajectory(std::move(way));
    teeth_->Update(0);
    EXPECT_EQ(teeth_->GetPosition(), (QxPoint{100, 10}));
    teeth_->Draw();
    EXPECT_EQ(Pixel(100, 10), Rgb555(kRed));
    EXPECT_EQ(Pixel(119, 19), Rgb555(kGreen));
    EXPECT_EQ(Pixel(120, 10), kBlack);
    // The lower jaw at (167, 70), upside down.
    EXPECT_EQ(Pixel(167, 70), Rgb555(kGreen));
    EXPECT_EQ(Pixel(186, 79), Rgb555(kRed));
    EXPECT_EQ(Pixel(166, 79), kBlack);

    teeth_->Update(10);
    EXPECT_EQ(teeth_->GetPosition(), (QxPoint{100, 20}));
    ClearScreen();
    teeth_->Draw();
    EXPECT_EQ(Pixel(100, 20), Rgb555(kRed));
    EXPECT_EQ(Pixel(167, 60), Rgb555(kGreen));

    teeth_->SetTrajectory(nullptr);
    ClearScreen();
    teeth_->Draw();
    EXPECT_EQ(Pixel(100, 20), kBlack);
}

} // namespace
} // namespace objecttest

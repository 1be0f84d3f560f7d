// The carrier claw, the exit and grab flights: flights reach their targets, the claw
// hands the player's ball to the rules.
#include <algorithm>

#include <gtest/gtest.h>

#include "game/objects/ObjectTestSupport.h"
#include "game/objects/PyxEntityBallCarrier.h"
#include "game/objects/PyxEntityGrabPickup.h"
#include "game/objects/PyxEntityPlayerExit.h"

namespace objecttest {
namespace {

const QxColour kRed(248, 0, 0);
const QxColour kYellow(248, 248, 0);

class CarrierTest : public ObjectFixture {
protected:
    void SetUp() override {
        ObjectFixture::SetUp();
        WriteFrames("claw.ims", 30, 20, {kYellow, kYellow, kYellow, kYellow});
        WriteFrames("ball.ims", 40, 40, {kRed});
        WriteSound("move.wav", 700);
        WriteSound("drop.wav", 710);
        WriteSound("whoosh.wav", 720);
        Define("class PyxBallCarrier\ntype carrier\nImage claw.ims\nFrameRate 20\n"
               "MoveSound move.wav\nDropSound drop.wav\n");
        Define("class PyxAnimSpriteBall\ntype redball\nImage ball.ims\nRadius 20\n");
        Define("class PyxPlayerExit\ntype playerexit\nSound whoosh.wav\n");
        Define("class PyxGrabPickup\ntype defaultgrab\nSound whoosh.wav\n");
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

// ---- exit and grab ---------------------------------------------------------------

TEST_F(CarrierTest, ExitKeepsItsSizeUntilThirtyPixelsOffThenShrinksAndEnds) {
    PyxEntityAnimSpriteBall* ball = Ball(Centre(1), Centre(1));
    ball->SetSpeed(0.2f);
    auto* exit = Place<PyxEntityPlayerExit>("PyxPlayerExit", "playerexit", ball->X(), ball->Y());
    const float startX = float(ball->DrawX() + 20);
    const float startY = float(ball->DrawY() + 20);
    exit->SetUpTowards(ball, startX + 100.0f, startY);
    EXPECT_FLOAT_EQ(exit->FlightSpeed(), 0.1f);

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
        EXPECT_TRUE(exit->HasFlags(kObjectRemoved) || exit->X() <= exit->TargetX());
    }
    EXPECT_TRUE(exit->HasFlags(kObjectRemoved));
    EXPECT_GT(exit->X(), startX + 70.0f);
    EXPECT_EQ(Plays("whoosh.wav"), 1);

    // A flight that starts where it ends is over at once; one without a target heads for
    // the corner of the screen.
    auto* still = Place<PyxEntityPlayerExit>("PyxPlayerExit", "playerexit", ball->X(), ball->Y());
    still->SetUpTowards(ball, float(ball->DrawX() + 20), float(ball->DrawY() + 20));
    still->Update(10);
    EXPECT_TRUE(still->HasFlags(kObjectRemoved));
    auto* lost = Place<PyxEntityPlayerExit>("PyxPlayerExit", "playerexit", ball->X(), ball->Y());
    lost->SetUp(ball, nullptr);
    EXPECT_EQ(lost->TargetX(), 0.0f);
    EXPECT_EQ(lost->TargetY(), 0.0f);
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

// ---- dissolve --------------------------------------------------------------------

} // namespace
} // namespace objecttest

// The vortex: its tables, the arm and ring particles, the states and the hand-over of
// its ball to the rules, and the colours it paints.
#include <cmath>

#include <gtest/gtest.h>

#include "game/objects/ObjectTestSupport.h"
#include "game/objects/PyxEntityExplosionSupport.h"
#include "game/objects/PyxEntityVortex.h"

namespace objecttest {
namespace {

using Vortex = PyxEntityVortex;
using VortexType = PyxEntityVortexType;

class VortexTest : public ObjectFixture {
protected:
    void SetUp() override {
        ObjectFixture::SetUp();
        Define("class PyxVortex\ntype vortex\n");
        Define("class PyxVortex\ntype many\nNumberParticles 120\n");
        Define("class PyxVortex\ntype few\nNumberParticles 79\n");
        Define("class PyxVortex\ntype ringonly\nNumberParticles 0\n");
        Define("class PyxRenderedBall\ntype renderball\n");
        WriteFrames("red.ims", 57, 57, {QxColour(248, 0, 0)});
        Define("class PyxAnimSpriteBall\ntype redball\nImage red.ims\nRadius 28\n");
        ClearScreen();
    }

    // A new ball waiting for its vortex, as the rules release it: out of the frame.
    PyxEntityBallBase* Ball(const std::string& className = "PyxRenderedBall",
                            const std::string& typeName = "renderball") {
        auto* ball = Place<PyxEntityBallBase>(className, typeName, Centre(3), Centre(2));
        ball->ClearFlags(kObjectActiveBoth);
        return ball;
    }

    Vortex* MakeVortex(PyxEntityGameObject* ball, const std::string& type = "vortex") {
        auto* vortex = Place<Vortex>("PyxVortex", type, Centre(3), Centre(2));
        vortex->SetTarget(ball);
        return vortex;
    }

    static int Busy(const Vortex& vortex) {
        int busy = 0;
        for (const Vortex::ArmParticle& slot : vortex.ArmParticles())
            busy += slot.distance > 0.0f ? 1 : 0;
        return busy;
    }

    // Updates until the ring is complete; answers the number of updates.
    static int Form(Vortex& vortex) {
        int updates = 0;
        while (vortex.State() == Vortex::kForming && updates < 1000) {
            vortex.Update(16);
            ++updates;
        }
        return updates;
    }
};

TEST_F(VortexTest, TypeReadsItsKeysWithDefaultsAndHeight) {
    auto* type = dynamic_cast<VortexType*>(Registry().FindType("PyxVortex", "vortex"));
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->NumberArms(), 10);
    EXPECT_EQ(type->ArmLength(), 50);
    EXPECT_FLOAT_EQ(type->ArmSpacing(), 1.0f);
    EXPECT_EQ(type->NumberParticles(), 10);
    EXPECT_FLOAT_EQ(type->Speed(), 1.0f);
    EXPECT_FLOAT_EQ(type->Height(), 0.45f);
    type->Load(false);
    EXPECT_EQ(type->ArmTable().size(), 500u);
    EXPECT_EQ(type->CircleTable().size(), 50u);
}

TEST_F(VortexTest, AbsurdSizesAreHeldToTheirLimits) {
    auto* type = dynamic_cast<VortexType*>(
        Define("class PyxVortex\ntype huge\nNumberArms 100000\nArmLength 99999999\n"
               "NumberParticles -5\n"));
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->NumberArms(), VortexType::kMaxArms);
    EXPECT_EQ(type->ArmLength(), VortexType::kMaxArmLength);
    EXPECT_EQ(type->NumberParticles(), 0);
    EXPECT_NE(ReadLog().find("held to 256, 256 and 0"), std::string::npos);
    type->Load(false);
    EXPECT_EQ(type->ArmTable().size(),
              std::size_t(VortexType::kMaxArms * VortexType::kMaxArmLength));
}

TEST_F(VortexTest, SpeedThatWouldNeverDrainTheArmsIsReplaced) {
    for (const char* speed : {"0", "-2", "nan"}) {
        auto* type = dynamic_cast<VortexType*>(
            Define(std::string("class PyxVortex\ntype still") + speed + "\nSpeed " + speed + "\n"));
        ASSERT_NE(type, nullptr);
        EXPECT_FLOAT_EQ(type->Speed(), 1.0f) << speed;
    }
    EXPECT_NE(ReadLog().find("is no speed"), std::string::npos);
}

TEST_F(VortexTest, ArmPointsRunOutOnAGrowingSpiralAndFade) {
    const auto table = VortexType::BuildArmTable(2, 60, 1.0f);
    ASSERT_EQ(table.size(), 120u);
    EXPECT_EQ(table[0].x, 0);
    EXPECT_EQ(table[0].y, 0);
    EXPECT_FLOAT_EQ(table[0].radius, 0.1f);
    EXPECT_EQ(table[0].alpha, 254); // 255 - int(1.055^2)
    for (int i = 1; i < 60; ++i)
        EXPECT_NEAR(table[i].radius / table[i - 1].radius, 1.16f, 1e-4) << i;
    for (int i = 1; i < 51; ++i)
        EXPECT_LE(table[i].alpha, table[i - 1].alpha) << i;
    EXPECT_NEAR(table[49].alpha, 255 - 211, 1); // 1.055^100 is about 211
    // Where the brightness first passes 255 after its second step the alpha is a
    // little below 0; beyond it, 0.
    EXPECT_LT(table[51].alpha, 0);
    EXPECT_GT(table[51].alpha, -15);
    for (int i = 52; i < 60; ++i)
        EXPECT_EQ(table[i].alpha, 0) << i;
    // Point i of an arm turns by i radians; the second arm starts half a turn on.
    const float r = table[30].radius;
    EXPECT_EQ(table[30].x, int(r * std::cos(30.0f)));
    EXPECT_EQ(table[30].y, int(r * std::sin(30.0f)));
    const float r2 = table[60 + 40].radius;
    EXPECT_EQ(table[60 + 40].x, int(r2 * std::cos(3.141592f + 40.0f)));
}

TEST_F(VortexTest, CircleTableHoldsFiftyUnitVectors) {
    const auto circle = VortexType::BuildCircleTable();
    ASSERT_EQ(circle.size(), 50u);
    EXPECT_FLOAT_EQ(circle[0].x, 1.0f);
    EXPECT_NEAR(circle[25].x, -1.0f, 1e-5);
    EXPECT_NEAR(circle[12].y, std::sin(12 * 6.283184f / 50), 1e-6);
    for (const auto& d : circle)
        EXPECT_NEAR(d.x * d.x + d.y * d.y, 1.0f, 1e-5);
}

TEST_F(VortexTest, ManySlotsStartSeveralParticlesPerUpdateAndFewStartOne) {
    Vortex* many = MakeVortex(Ball(), "many");
    many->Update(16);
    EXPECT_EQ(Busy(*many), 3);
    many->Update(16);
    EXPECT_EQ(Busy(*many), 6);

    Vortex* few = MakeVortex(Ball(), "few");
    few->Update(16);
    EXPECT_EQ(Busy(*few), 1);
    for (const Vortex::ArmParticle& slot : few->ArmParticles()) {
        if (slot.distance <= 0.0f)
            continue;
        // Never on the last arm, started at the far end of its arm.
        EXPECT_LT(slot.arm, 9);
        EXPECT_FLOAT_EQ(slot.distance, float((slot.arm + 1) * 50));
        EXPECT_GE(slot.speed, 0.8f);
        EXPECT_LE(slot.speed, 1.2f);
    }
}

TEST_F(VortexTest, ArmParticlesRunInwardsAndFreeTheirSlotAtTheCentre) {
    Vortex* vortex = MakeVortex(Ball(), "few");
    vortex->Update(16);
    const Vortex::ArmParticle first = vortex->ArmParticles()[0];
    ASSERT_GT(first.distance, 0.0f);
    vortex->Update(16);
    const Vortex::ArmParticle& moved = vortex->ArmParticles()[0];
    EXPECT_FLOAT_EQ(moved.speed, first.speed * 1.04f);
    EXPECT_FLOAT_EQ(moved.distance, first.distance - moved.speed);
    // Whole arms are at most 50 points long and the speed reaches 5 per update.
    for (int i = 0; i < 60 && vortex->ArmParticles()[0].distance > 0.0f; ++i)
        vortex->Update(16);
    // Free again (a particle of the first arm may end a little below 0).
    EXPECT_LE(vortex->ArmParticles()[0].distance, 0.0f);
    EXPECT_GT(vortex->ArmParticles()[0].distance, -5.0f);
}

TEST_F(VortexTest, RingCompletesAfterEightySevenUpdatesAndWaitsForTheRules) {
    PyxEntityBallBase* ball = Ball();
    Vortex* vortex = MakeVortex(ball);
    EXPECT_EQ(vortex->State(), Vortex::kForming);
    EXPECT_FLOAT_EQ(vortex->RingSize(), 5.0f);
    vortex->Update(16);
    EXPECT_EQ(vortex->RingParticles().size(), 5u);
    EXPECT_FLOAT_EQ(vortex->RingSize(), 5.1f);

    EXPECT_EQ(Form(*vortex) + 1, 87);
    EXPECT_FLOAT_EQ(vortex->RingSize(), 28.0f);
    const std::size_t ring = vortex->RingParticles().size();

    // Formed: the ring stops growing, particles drain and none start; the ball waits.
    int busy = Busy(*vortex);
    for (int i = 0; i < 200; ++i) {
        vortex->Update(16);
        EXPECT_LE(Busy(*vortex), busy);
        busy = Busy(*vortex);
    }
    EXPECT_EQ(busy, 0);
    EXPECT_EQ(vortex->State(), Vortex::kFormed);
    EXPECT_EQ(vortex->RingParticles().size(), ring);
    EXPECT_FALSE(vortex->HasFlags(kObjectRemoved));
    EXPECT_FALSE(ball->HasFlags(kObjectActive | kObjectInFrame));
}

TEST_F(VortexTest, RingParticlesStartOverAtTheEndOfTheCircle) {
    Vortex::RingParticle particle{49.5f, 10.0f, 0.6f};
    Vortex::MoveRingParticle(particle);
    EXPECT_FLOAT_EQ(particle.position, 0.0f);
    EXPECT_FLOAT_EQ(particle.step, 0.624f);
    Vortex::RingParticle fast{10.0f, 10.0f, 2.0f};
    Vortex::MoveRingParticle(fast);
    EXPECT_FLOAT_EQ(fast.step, 2.0f);
    EXPECT_FLOAT_EQ(fast.position, 12.0f);
}

TEST_F(VortexTest, HandOverActivatesTheBallOnlyOnceTheRingIsComplete) {
    PyxEntityBallBase* ball = Ball();
    Vortex* vortex = MakeVortex(ball);
    vortex->Update(16);
    EXPECT_FALSE(vortex->HandOverBall());
    EXPECT_FALSE(ball->HasFlags(kObjectActive));

    Form(*vortex);
    ASSERT_EQ(vortex->State(), Vortex::kFormed);
    EXPECT_TRUE(vortex->HandOverBall());
    EXPECT_EQ(vortex->State(), Vortex::kFading);
    EXPECT_TRUE(ball->HasFlags(kObjectActive));
    EXPECT_FALSE(ball->HasFlags(kObjectInFrame));
    // The update with no time gave the ball its drawing position.
    EXPECT_EQ(ball->DrawX(), kBorder + int(Centre(3)) - 28);
    EXPECT_FALSE(vortex->HandOverBall());
}

TEST_F(VortexTest, FadingEndsOnceTheArmsHaveDrainedAndStartsTheBall) {
    PyxEntityBallBase* ball = Ball();
    Vortex* vortex = MakeVortex(ball, "many");
    Form(*vortex);
    ASSERT_GT(Busy(*vortex), 0);
    vortex->HandOverBall();
    int updates = 0;
    while (!vortex->HasFlags(kObjectRemoved) && updates < 500) {
        const std::int32_t alpha = vortex->Alpha();
        vortex->Update(16);
        ++updates;
        EXPECT_EQ(vortex->Alpha(), std::max(0, alpha - 5));
        if (!vortex->HasFlags(kObjectRemoved)) {
            EXPECT_GT(Busy(*vortex), 0);
        }
    }
    EXPECT_TRUE(vortex->HasFlags(kObjectRemoved));
    EXPECT_EQ(Busy(*vortex), 0);
    EXPECT_TRUE(ball->HasFlags(kObjectInFrame));
    EXPECT_TRUE(ball->HasFlags(kObjectReleased));
    EXPECT_TRUE(ball->IsRolling());
    EXPECT_EQ(vortex->Target(), nullptr);

    // Removed: nothing more happens.
    const float ring = vortex->RingParticles().front().position;
    vortex->Update(16);
    EXPECT_FLOAT_EQ(vortex->RingParticles().front().position, ring);
}

TEST_F(VortexTest, FadingWithNoArmParticleEndsInThatUpdateWhateverTheAlpha) {
    PyxEntityBallBase* ball = Ball();
    Vortex* vortex = MakeVortex(ball, "ringonly");
    vortex->SetState(Vortex::kFading);
    vortex->Update(16);
    EXPECT_TRUE(vortex->HasFlags(kObjectRemoved));
    EXPECT_EQ(vortex->Alpha(), 250);
    EXPECT_TRUE(ball->IsRolling());
}

TEST_F(VortexTest, NeverBlocksAndIsAPointOnScreen) {
    Vortex* vortex = MakeVortex(nullptr);
    PyxEntityGameObjectType ball(nullptr);
    ball.SetTypeFlags(kTypeBall);
    EXPECT_FALSE(vortex->Blocks(&ball));
    std::int32_t w = 0, h = 0;
    vortex->GetSize(w, h);
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);
    vortex->Update(16);
    EXPECT_EQ(vortex->DrawX(), kBorder + int(Centre(3)));
    EXPECT_EQ(vortex->DrawY(), kBorder + int(Centre(2)));
}

TEST_F(VortexTest, BallDeletedByTheRulesIsForgotten) {
    PyxEntityBallBase* ball = Ball();
    Vortex* vortex = MakeVortex(ball, "ringonly");
    vortex->Update(16);
    ball->AddFlags(kObjectRemoved);
    level_->DeleteRemovedObjects();
    vortex->Draw();
    EXPECT_EQ(vortex->Target(), nullptr);
    vortex->SetState(Vortex::kFading);
    vortex->Update(16);
    EXPECT_TRUE(vortex->HasFlags(kObjectRemoved));
}

TEST_F(VortexTest, RingTakesItsColoursFromTheBallsPicture) {
    PyxEntityBallBase* ball = Ball("PyxAnimSpriteBall", "redball");
    Vortex* vortex = MakeVortex(ball, "ringonly");
    for (int i = 0; i < 40; ++i)
        vortex->Update(16);
    DirtyAll();
    vortex->Draw();
    int painted = 0;
    for (int y = vortex->DrawY() - 30; y <= vortex->DrawY() + 30; ++y) {
        for (int x = vortex->DrawX() - 30; x <= vortex->DrawX() + 30; ++x) {
            const std::uint16_t pixel = Pixel(x, y);
            if (pixel == kBlack)
                continue;
            ++painted;
            EXPECT_EQ(pixel & 0x03FF, 0) << x << "," << y; // red only
        }
    }
    EXPECT_GT(painted, 50);
}

TEST_F(VortexTest, ArmParticlesArePaintedWhiteOverTheBoard) {
    Vortex* vortex = MakeVortex(Ball());
    for (int i = 0; i < 20; ++i)
        vortex->Update(16);
    ClearScreen();
    vortex->Draw();
    const auto* type = vortex->VortexType();
    for (const Vortex::ArmParticle& slot : vortex->ArmParticles()) {
        if (slot.distance <= 0.0f)
            continue;
        const auto& point = type->ArmTable()[std::size_t(slot.distance)];
        const std::uint16_t pixel = Pixel(vortex->DrawX() + point.x, vortex->DrawY() + point.y);
        if (point.alpha > 16) {
            EXPECT_NE(pixel, kBlack);
        }
    }
}

TEST_F(VortexTest, PlotBlendsEachChannelAndKeepsANegativeAlpha) {
    const QxPixelFormat format = QxPixelFormat::Rgb555();
    EXPECT_EQ(PyxBlendPixel(format, 0x7FFF, 0x0000, 128), 0x3DEF);
    EXPECT_EQ(PyxBlendPixel(format, 0x0000, 0x7FFF, 256), 0x7FFF);
    EXPECT_EQ(PyxBlendPixel(format, 0x1234, 0x7FFF, 0), 0x1234);
    // (0 * 264 + 31 * -8) >> 8 is -1, which keeps every bit of its channel.
    EXPECT_EQ(PyxBlendPixel(format, 0x0000, 0x001F, -8), 0x001F);

    // A plus sign, skipped on the border.
    ClearScreen();
    {
        PyxLockedScreen screen;
        ASSERT_TRUE(screen.Usable());
        screen.BlendPlus(10, 10, 0x7FFF, 256);
        screen.BlendPlus(0, 5, 0x7FFF, 256);
        screen.BlendPlus(639, 5, 0x7FFF, 256);
    }
    EXPECT_EQ(Pixel(10, 10), 0x7FFF);
    EXPECT_EQ(Pixel(9, 10), 0x7FFF);
    EXPECT_EQ(Pixel(10, 11), 0x7FFF);
    EXPECT_EQ(Pixel(11, 11), kBlack);
    EXPECT_EQ(Pixel(0, 5), kBlack);
    EXPECT_EQ(Pixel(1, 5), kBlack);
    EXPECT_EQ(Pixel(638, 5), kBlack);
}

} // namespace
} // namespace objecttest

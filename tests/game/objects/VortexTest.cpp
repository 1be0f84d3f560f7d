// The vortex: its tables, the arm and ring particles, the states and the hand-over of
// its ball to the rules, and the colours it paints.

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
        Define("class PyxVortex\ntype ringonly\nNumberParticles 0\n");
        Define("class PyxRenderedBall\ntype renderball\n");
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

// What a vortex draws while it forms stays inside the area it marks for redrawing, so
// no particle is left behind on the board.
TEST_F(VortexTest, EverythingDrawnLiesInsideTheRedrawnArea) {
    Vortex* vortex = MakeVortex(Ball(), "many");
    for (int frame = 0; frame < 87; ++frame) {
        vortex->Update(16);
        vortex->Draw();
    }
    Screen().ClearDirty();
    vortex->MarkForRedraw();
    const std::vector<QxRect> dirty = Screen().GetDirtyList();
    ASSERT_EQ(dirty.size(), 1u);
    int drawn = 0;
    for (int y = dirty[0].top - 40; y < dirty[0].bottom + 40; ++y) {
        for (int x = dirty[0].left - 40; x < dirty[0].right + 40; ++x) {
            if (Pixel(x, y) == kBlack)
                continue;
            ++drawn;
            EXPECT_TRUE(x >= dirty[0].left && x < dirty[0].right && y >= dirty[0].top &&
                        y < dirty[0].bottom)
                << x << "," << y;
        }
    }
    EXPECT_GT(drawn, 100);
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

// Awards and effects: exploding and short-lived awards, flying coins, one mask for
// every frame.

#include <gtest/gtest.h>

#include "game/objects/ObjectTestSupport.h"
#include "game/objects/PyxAnimImage.h"
#include "game/objects/PyxEntityAnimAward.h"
#include "game/objects/PyxEntityAnimExplosion.h"
#include "game/objects/PyxEntityFlyingCoin.h"

namespace objecttest {
namespace {

const QxColour kGold(248, 200, 0);
const QxColour kSilver(200, 200, 200);
const QxColour kGrey(120, 120, 120);
const QxColour kRed(248, 0, 0);

class AwardEffectTest : public ObjectFixture {
protected:
    void SetUp() override {
        ObjectFixture::SetUp();
        WriteFrames("coin.ims", 16, 16, {kGold, kSilver, kGold, kSilver});
        WriteFrames("smoke.ims", 24, 24, {kGrey, kGrey, kGrey, kGrey});
        WriteFrames("ball.ims", 4, 3, {kRed, kGold});
        WriteSound("ding.wav");
        WriteSound("puff.wav", 900);
        Define("class PyxAnimAward\ntype coin\nImage coin.ims\nFrameRate 10\nPickupSound "
               "ding.wav\nPoints 100\nTurnKiller 1\nExplodeClass PyxAnimExplosion\nExplodeType "
               "bigsmoke\n");
        Define("class PyxAnimExplosion\ntype bigsmoke\nImage smoke.ims\nFrameRate 20\n"
               "ExplodeSound puff.wav\nLifeSpan 0.5\n");
        Define("class PyxFlyingCoin\ntype flyingcoin\nImage coin.ims\n");
        Define("class PyxAnimSpriteBall\ntype redball\nImage ball.ims\nRadius 2\n");
        ClearScreen();
    }
};

// ---- awards ----------------------------------------------------------------------

TEST_F(AwardEffectTest, ExplodingAwardWaitsThenLeavesSmokeAndFadesFast) {
    auto* coin = Place<PyxEntityAnimAward>("PyxAnimAward", "coin", Centre(2), Centre(1));
    const std::size_t before = level_->Objects().size();
    coin->Explode(50);
    coin->Update(30);
    EXPECT_EQ(coin->State(), PyxEntityAwardBase::kWaitingToExplode);
    EXPECT_EQ(level_->Objects().size(), before);
    coin->Update(30);
    EXPECT_EQ(coin->State(), PyxEntityAwardBase::kExploding);
    ASSERT_EQ(level_->Objects().size(), before + 1);
    const PyxLevelObjectRecord* smoke = nullptr;
    for (const PyxLevelObjectRecord& record : level_->Objects()) {
        if (record.typeName == "bigsmoke")
            smoke = &record;
    }
    ASSERT_NE(smoke, nullptr);
    ASSERT_NE(dynamic_cast<PyxEntityAnimExplosion*>(smoke->entity.get()), nullptr);
    EXPECT_FLOAT_EQ(smoke->entity->X(), coin->X());
    EXPECT_FLOAT_EQ(smoke->entity->Y(), coin->Y());

    int updates = 0;
    while (!coin->HasFlags(kObjectRemoved) && updates < 100) {
        coin->Update(16);
        ++updates;
    }
    EXPECT_EQ(updates, 8); // 255 - 8 * 32 < 0
    EXPECT_EQ(coin->State(), PyxEntityAwardBase::kGone);
}

// An award that lives a while: it fades in, blocks balls only while it can be taken, is
// taken only when the rules say so, and goes when its time is up or it has faded out.
TEST_F(AwardEffectTest, AShortLivedAwardFadesInIsTakenOnlyWhenTheRulesAgreeAndExpires) {
    Define("class PyxAnimAward\ntype brief\nImage coin.ims\nPickupSound ding.wav\nLifeSpan 100\n");
    auto* coin = Place<PyxEntityAnimAward>("PyxAnimAward", "brief", Centre(2), Centre(2));
    auto* ball = Place<PyxEntityAnimSpriteBall>("PyxAnimSpriteBall", "redball", 10, 10);
    const auto* ballType = static_cast<const PyxEntityGameObjectType*>(ball->Type());
    coin->SetState(PyxEntityAwardBase::kFadingIn);
    coin->SetAlpha(250);
    EXPECT_TRUE(coin->Blocks(ballType));
    coin->Update(10);
    EXPECT_EQ(coin->State(), PyxEntityAwardBase::kShown);
    EXPECT_EQ(coin->Alpha(), 255);

    events_.collect = false;
    EXPECT_FALSE(coin->Touched(ball));
    EXPECT_FALSE(coin->HasFlags(kObjectRemoved));
    EXPECT_TRUE(coin->PlayPickupSound());
    EXPECT_EQ(Plays("ding.wav"), 1);
    for (int i = 0; i < 10 && !coin->HasFlags(kObjectRemoved); ++i)
        coin->Update(20);
    EXPECT_TRUE(coin->HasFlags(kObjectRemoved)) << "its life span is over";

    auto* other = Place<PyxEntityAnimAward>("PyxAnimAward", "brief", Centre(3), Centre(2));
    other->SetState(PyxEntityAwardBase::kFadingOut);
    EXPECT_FALSE(other->Blocks(ballType));
    EXPECT_TRUE(other->Blocks(nullptr));
    other->SetAlpha(5);
    other->Update(1);
    EXPECT_EQ(other->State(), PyxEntityAwardBase::kGone);
    other->SetState(PyxEntityAwardBase::kShown);
    events_.collect = true;
    EXPECT_TRUE(other->Touched(ball));
    EXPECT_EQ(other->State(), PyxEntityAwardBase::kGone);
}

// ---- effects ---------------------------------------------------------------------

TEST_F(AwardEffectTest, FlyingCoinGrowsToFullSize) {
    auto* coin = Place<PyxEntityFlyingCoin>("PyxFlyingCoin", "flyingcoin", Centre(3), Centre(3));
    EXPECT_FLOAT_EQ(coin->Scale(), PyxEntityFlyingCoin::kStartScale);
    coin->Update(16);
    EXPECT_FLOAT_EQ(coin->Scale(), PyxEntityFlyingCoin::kStartScale * 1.3f);
    for (int i = 0; i < 10; ++i)
        coin->Update(16);
    EXPECT_FLOAT_EQ(coin->Scale(), 1.0f);

    // Drawn at full size it covers its frame; smaller, only the middle.
    coin->Draw();
    EXPECT_NE(Pixel(coin->DrawX(), coin->DrawY()), kBlack);
    ClearScreen();
    coin->SetScale(0.5f);
    coin->Draw();
    EXPECT_EQ(Pixel(coin->DrawX(), coin->DrawY()), kBlack);
    EXPECT_NE(Pixel(coin->DrawX() + 8, coin->DrawY() + 8), kBlack);
    EXPECT_EQ(Pixel(coin->DrawX() + 13, coin->DrawY() + 8), kBlack);
}

TEST_F(AwardEffectTest, OneMaskServesEveryFrame) {
    QxImage mask;
    mask.Create(16, 16, 8);
    WriteBitmap("coinmask.bmp", mask);
    PyxAnimImage anim;
    anim.image = "coin.ims";
    anim.alphaImage = "coinmask.bmp";
    anim.Load(false);
    ASSERT_EQ(anim.FrameCount(), 4);
    ASSERT_NE(anim.Mask(0), nullptr);
    EXPECT_EQ(anim.Mask(3), anim.Mask(0));
}

} // namespace
} // namespace objecttest

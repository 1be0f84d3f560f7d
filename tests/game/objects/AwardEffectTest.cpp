// Awards and effects: the award states and blocking, collection through the rules,
// animated explosions, floating scores, flying coins and particle bursts.
#include <cmath>

#include <gtest/gtest.h>

#include "game/objects/ObjectTestSupport.h"
#include "game/objects/PyxEntityAnimAward.h"
#include "game/objects/PyxEntityAnimExplosion.h"
#include "game/objects/PyxEntityCharacterExplosion.h"
#include "game/objects/PyxEntityFloatingScore.h"
#include "game/objects/PyxEntityFlyingCoin.h"
#include "game/objects/PyxEntityParticleExplosion.h"
#include "game/objects/QxTrajectoryLine.h"

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
        WriteSound("hum.wav", 1000);
        Define("class PyxAnimAward\ntype coin\nImage coin.ims\nFrameRate 10\nPickupSound "
               "ding.wav\nPoints 100\nTurnKiller 1\nExplodeClass PyxAnimExplosion\nExplodeType "
               "bigsmoke\n");
        Define("class PyxAnimAward\ntype shortcoin\nImage coin.ims\nLifeSpan 100\nHeight 0.7\n");
        Define("class PyxAnimExplosion\ntype bigsmoke\nImage smoke.ims\nFrameRate 20\n"
               "ExplodeSound puff.wav\nLifeSpan 0.5\n");
        Define("class PyxAnimExplosion\ntype puff\nImage smoke.ims\nFrameRate 20\n");
        Define("class PyxAnimExplosion\ntype flare\nImage smoke.ims\nFrameRate 20\nLoop 1\n"
               "ExplodeSound hum.wav\n");
        Define("class PyxAnimExplosion\ntype empty\n");
        Define("class PyxFlyingCoin\ntype flyingcoin\nImage coin.ims\n");
        Define("class PyxAnimSpriteBall\ntype redball\nImage ball.ims\nRadius 2\n");
        Define("class PyxParticleExplosion\ntype particleexplosion\nExplodeSound puff.wav\n");
        Define("class PyxCharacterExplosion\ntype characterexplosion\n");
        ClearScreen();
    }

    PyxEntityAnimAward* Coin(const std::string& type = "coin") {
        return Place<PyxEntityAnimAward>("PyxAnimAward", type, Centre(2), Centre(1));
    }
};

// ---- awards ----------------------------------------------------------------------

TEST_F(AwardEffectTest, AwardTypeReadsItsKeysAndKnowsItsKind) {
    auto* type = dynamic_cast<PyxEntityAwardBaseType*>(Registry().FindType("PyxAnimAward", "coin"));
    ASSERT_NE(type, nullptr);
    EXPECT_FLOAT_EQ(type->Radius(), 16.0f);
    EXPECT_FLOAT_EQ(type->Height(), 0.6f);
    EXPECT_EQ(type->TypeFlags(), kTypeAward);
    EXPECT_TRUE(type->IsKind(QxKindTag("PKUP")));
    EXPECT_FALSE(type->IsKind(QxKindTag("BALL")));
    EXPECT_EQ(type->Points(), 100);
    EXPECT_TRUE(type->TurnKiller());
    EXPECT_EQ(type->ExplodeClass(), "PyxAnimExplosion");
    EXPECT_EQ(type->ExplodeType(), "bigsmoke");
    EXPECT_EQ(type->LifeSpan(), 0);
    auto* shortType =
        dynamic_cast<PyxEntityAwardBaseType*>(Registry().FindType("PyxAnimAward", "shortcoin"));
    ASSERT_NE(shortType, nullptr);
    EXPECT_FLOAT_EQ(shortType->Height(), 0.7f);
    EXPECT_FALSE(shortType->TurnKiller());
}

TEST_F(AwardEffectTest, AwardMeetsBallsOnlyWhileShownOrFadingInAndNeverPosts) {
    PyxEntityAnimAward* coin = Coin();
    PyxEntityGameObjectType post(nullptr);
    post.SetTypeFlags(kTypePost);
    PyxEntityGameObjectType ball(nullptr);
    ball.SetTypeFlags(kTypeBall);
    PyxEntityGameObjectType other(nullptr);

    EXPECT_FALSE(coin->Blocks(&post));
    for (std::int32_t state = 0; state <= 5; ++state) {
        coin->SetState(state);
        EXPECT_EQ(coin->Blocks(&ball), state <= 1) << state;
        EXPECT_TRUE(coin->Blocks(&other)) << state;
    }
}

TEST_F(AwardEffectTest, TouchedAskTheRulesAndAreGoneOnlyWhenCollected) {
    PyxEntityAnimAward* coin = Coin();
    PyxEntityGameObject* ball =
        level_->AddObjectAt(Centre(1), Centre(1), "PyxAnimSpriteBall", "redball", true);
    events_.collect = false;
    EXPECT_FALSE(coin->Touched(ball));
    EXPECT_FALSE(coin->HasFlags(kObjectRemoved));
    EXPECT_EQ(coin->State(), PyxEntityAwardBase::kShown);

    events_.collect = true;
    EXPECT_TRUE(coin->Touched(ball));
    EXPECT_TRUE(coin->HasFlags(kObjectRemoved));
    EXPECT_EQ(coin->State(), PyxEntityAwardBase::kGone);
    ASSERT_EQ(events_.taken.size(), 2u);
    EXPECT_EQ(events_.taken[1].award, coin);
    EXPECT_EQ(events_.taken[1].taker, ball);

    SetGameEvents(nullptr); // no rules: nothing is collected
    PyxEntityAnimAward* other = Coin();
    EXPECT_FALSE(other->Touched(ball));
}

TEST_F(AwardEffectTest, PickupSoundPlaysOnRequest) {
    PyxEntityAnimAward* coin = Coin();
    coin->Update(0);
    EXPECT_EQ(Plays("ding.wav"), 0);
    EXPECT_TRUE(coin->PlayPickupSound());
    EXPECT_EQ(Plays("ding.wav"), 1);
    EXPECT_FALSE(Coin("shortcoin")->PlayPickupSound());
}

TEST_F(AwardEffectTest, AwardWithoutLifeSpanNeverExpires) {
    PyxEntityAnimAward* coin = Coin();
    for (int i = 0; i < 1000; ++i)
        coin->Update(1000.0f);
    EXPECT_FALSE(coin->HasFlags(kObjectRemoved));
    EXPECT_EQ(coin->State(), PyxEntityAwardBase::kShown);
    EXPECT_EQ(coin->Age(), 0);
}

TEST_F(AwardEffectTest, AwardIsRemovedInTheUpdateItsLifeSpanRunsOut) {
    PyxEntityAnimAward* coin = Coin("shortcoin"); // 100 ms
    coin->Update(30);
    EXPECT_FALSE(coin->HasFlags(kObjectRemoved));
    EXPECT_EQ(coin->State(), PyxEntityAwardBase::kShown);
    coin->Update(60);
    EXPECT_TRUE(coin->HasFlags(kObjectRemoved));
}

TEST_F(AwardEffectTest, FadingInReachesFullAlphaAndShows) {
    PyxEntityAnimAward* coin = Coin();
    coin->SetState(PyxEntityAwardBase::kFadingIn);
    coin->SetAlpha(240);
    coin->Update(16);
    EXPECT_EQ(coin->Alpha(), 248);
    EXPECT_EQ(coin->State(), PyxEntityAwardBase::kFadingIn);
    coin->Update(16);
    EXPECT_EQ(coin->Alpha(), 255);
    EXPECT_EQ(coin->State(), PyxEntityAwardBase::kShown);
}

TEST_F(AwardEffectTest, FadingOutIsGoneOnceTheAlphaIsBelowZero) {
    PyxEntityAnimAward* coin = Coin();
    coin->SetState(PyxEntityAwardBase::kFadingOut);
    coin->SetAlpha(10);
    coin->Update(16);
    EXPECT_EQ(coin->Alpha(), 2);
    EXPECT_FALSE(coin->HasFlags(kObjectRemoved));
    coin->Update(16);
    EXPECT_TRUE(coin->HasFlags(kObjectRemoved));
    EXPECT_EQ(coin->State(), PyxEntityAwardBase::kGone);
}

TEST_F(AwardEffectTest, ExplodingAwardWaitsThenLeavesSmokeAndFadesFast) {
    PyxEntityAnimAward* coin = Coin();
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

TEST_F(AwardEffectTest, AnimationWrapsAtTheFrameCount) {
    PyxEntityAnimAward* coin = Coin(); // 4 frames at 10 per second
    coin->Update(350);
    EXPECT_FLOAT_EQ(coin->FramePosition(), 3.5f);
    coin->Update(100);
    EXPECT_NEAR(coin->FramePosition(), 0.5f, 1e-4);
}

TEST_F(AwardEffectTest, AwardDrawsItsFrameCentredOnItsPosition) {
    PyxEntityAnimAward* coin = Coin();
    coin->Update(0);
    EXPECT_EQ(coin->DrawX(), kBorder + int(Centre(2)) - 8);
    EXPECT_EQ(coin->DrawY(), kBorder + int(Centre(1)) - 8);
    EXPECT_EQ(coin->GetImage(), coin->AnimType()->Animation().Frame(0)->surface);
    coin->Draw();
    EXPECT_EQ(Pixel(coin->DrawX(), coin->DrawY()), Rgb555(kGold));
    EXPECT_EQ(Pixel(coin->DrawX() + 15, coin->DrawY() + 15), Rgb555(kGold));
    EXPECT_EQ(Pixel(coin->DrawX() + 16, coin->DrawY()), kBlack);
}

// ---- effects ---------------------------------------------------------------------

TEST_F(AwardEffectTest, EffectNeverBlocksAndEndsAfterItsLifeSpan) {
    auto* smoke = Place<PyxEntityAnimExplosion>("PyxAnimExplosion", "bigsmoke", 10, 10);
    EXPECT_EQ(smoke->TypeFlags(), kTypeEffect);
    EXPECT_FLOAT_EQ(smoke->Height(), 0.8f);
    EXPECT_FLOAT_EQ(smoke->LifeSpan(), 500.0f);
    PyxEntityGameObjectType ball(nullptr);
    ball.SetTypeFlags(kTypeBall);
    EXPECT_FALSE(smoke->Blocks(&ball));
    smoke->Update(300);
    EXPECT_FALSE(smoke->HasFlags(kObjectRemoved));
    smoke->Update(300);
    EXPECT_TRUE(smoke->HasFlags(kObjectRemoved));
}

TEST_F(AwardEffectTest, EffectFollowsItsTrajectory) {
    auto* puff = Place<PyxEntityAnimExplosion>("PyxAnimExplosion", "puff", 0, 0);
    std::unique_ptr<QxTrajectoryBase> line = MakeLineTrajectory(0, 0, 100, 50, 5, true);
    ASSERT_NE(line, nullptr);
    line->SetParameter(QxTrajectoryBase::kSpeed, 1000); // a unit per millisecond
    puff->SetTrajectory(std::move(line));
    puff->Update(0);
    EXPECT_FLOAT_EQ(puff->X(), 0);
    for (int i = 0; i < 20; ++i)
        puff->Update(5);
    float x = 0, y = 0;
    puff->Trajectory()->Position(x, y);
    EXPECT_FLOAT_EQ(puff->X(), x);
    EXPECT_FLOAT_EQ(puff->Y(), y);
    EXPECT_NEAR(puff->X(), 100 * 100 / std::sqrt(12500.0f), 0.01);
    // The drawing position follows too.
    EXPECT_EQ(puff->DrawX(), kBorder + int(puff->X()) - 12);
}

TEST_F(AwardEffectTest, SinglePassAnimationStopsOnItsLastFrameAndStays) {
    auto* puff = Place<PyxEntityAnimExplosion>("PyxAnimExplosion", "puff", 0, 0);
    puff->Update(0);
    EXPECT_EQ(puff->FrameCount(), 4);
    EXPECT_TRUE(puff->IsPlaying());
    puff->Update(100); // 20 frames per second
    EXPECT_FLOAT_EQ(puff->Frame(), 2.0f);
    puff->Update(100);
    EXPECT_FLOAT_EQ(puff->Frame(), 3.0f);
    EXPECT_FALSE(puff->IsPlaying());
    puff->Update(1000);
    EXPECT_FLOAT_EQ(puff->Frame(), 3.0f);
    EXPECT_FALSE(puff->HasFlags(kObjectRemoved));
    puff->StartPlaying();
    EXPECT_TRUE(puff->IsPlaying());
}

TEST_F(AwardEffectTest, LoopingAnimationTakesTheFrameCountOffAtTheLastFrame) {
    auto* flare = Place<PyxEntityAnimExplosion>("PyxAnimExplosion", "flare", 0, 0);
    flare->Update(100);
    EXPECT_FLOAT_EQ(flare->Frame(), 2.0f);
    flare->Update(60); // 3.2 reaches the last frame
    EXPECT_NEAR(flare->Frame(), -0.8f, 1e-5);
    EXPECT_TRUE(flare->IsPlaying());
    flare->StopPlaying();
    flare->Update(100);
    EXPECT_NEAR(flare->Frame(), -0.8f, 1e-5);
}

TEST_F(AwardEffectTest, EffectWithoutImagesHasNoFrameCount) {
    auto* empty = Place<PyxEntityAnimExplosion>("PyxAnimExplosion", "empty", 0, 0);
    empty->Update(16);
    EXPECT_EQ(empty->FrameCount(), -1);
    EXPECT_FALSE(empty->IsPlaying());
    EXPECT_TRUE(empty->Draw());
}

TEST_F(AwardEffectTest, SoundPlaysOnTheFirstUpdateOnlyAndALoopEndsWithTheEffect) {
    auto* smoke = Place<PyxEntityAnimExplosion>("PyxAnimExplosion", "bigsmoke", 0, 0);
    smoke->Update(0);
    smoke->Update(16);
    smoke->Update(16);
    EXPECT_EQ(Plays("puff.wav"), 1);

    auto* flare = Place<PyxEntityAnimExplosion>("PyxAnimExplosion", "flare", 0, 0);
    flare->Update(16);
    flare->Update(16);
    EXPECT_EQ(Plays("hum.wav"), 1);
    ASSERT_EQ(recorder_.loopInstances.size(), 1u);
    const std::uint32_t loop = recorder_.loopInstances[0];
    EXPECT_TRUE(recorder_.IsInstancePlaying(loop));
    flare->AddFlags(kObjectRemoved);
    level_->DeleteRemovedObjects();
    EXPECT_FALSE(recorder_.IsInstancePlaying(loop));
}

TEST_F(AwardEffectTest, FloatingScoreFadesAlongItsWayAndEndsAtItsEnd) {
    WriteBitmap("digits.bmp", SolidImage(80, 10, QxColour(248, 248, 248)));
    Define("class font\ntype digits\nimage digits.bmp\nchars 0123456789\ncharwidth 8\n"
           "charheight 10\ntransparent 1\n");
    Define("class PyxFloatingScore\ntype score\nFontEntType digits\n");
    auto* score = Place<PyxEntityFloatingScore>("PyxFloatingScore", "score", 200, 150);
    score->SetText("200");
    std::unique_ptr<QxTrajectoryBase> rise = MakeLineTrajectory(200, 150, 200, 110, 2, true);
    ASSERT_NE(rise, nullptr);
    rise->SetParameter(QxTrajectoryBase::kSpeed, 1000);
    score->SetTrajectory(std::move(rise));

    score->Update(0);
    EXPECT_EQ(score->Alpha(), 255);
    std::int32_t w = 0, h = 0;
    score->GetSize(w, h);
    EXPECT_EQ(w, 24);
    EXPECT_EQ(h, 10);
    EXPECT_EQ(score->DrawX(), kBorder + 200 - 12);
    score->Draw();
    EXPECT_NE(Pixel(score->DrawX() + 1, score->DrawY() + 1), kBlack);

    score->Update(10); // 10 of 38
    EXPECT_EQ(score->Alpha(), int((1.0f - 10.0f / 38.0f) * 255.0f));
    EXPECT_FLOAT_EQ(score->Y(), 140.0f);
    int updates = 0;
    while (!score->HasFlags(kObjectRemoved) && updates < 100) {
        score->Update(10);
        ++updates;
    }
    EXPECT_EQ(updates, 3);
    EXPECT_EQ(score->Alpha(), 0);
    ClearScreen();
    score->Draw();
    EXPECT_EQ(Pixel(score->DrawX() + 1, score->DrawY() + 1), kBlack);
}

TEST_F(AwardEffectTest, TextWithoutAFontShowsNothing) {
    Define("class PyxFloatingScore\ntype nofont\nFontEntType missing\n");
    auto* score = Place<PyxEntityFloatingScore>("PyxFloatingScore", "nofont", 200, 150);
    score->SetText("5");
    score->Update(16);
    std::int32_t w = -1, h = -1;
    score->GetSize(w, h);
    EXPECT_EQ(w, 0);
    EXPECT_TRUE(score->Draw());
}

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
}

// ---- bursts ----------------------------------------------------------------------

class BurstTest : public AwardEffectTest {
protected:
    PyxEntityAnimSpriteBall* Ball() {
        auto* ball = Place<PyxEntityAnimSpriteBall>("PyxAnimSpriteBall", "redball", 100, 80);
        ball->Update(0);
        return ball;
    }
};

TEST_F(BurstTest, EveryPixelOfTheBallBecomesAParticleWhereItWasDrawn) {
    PyxEntityAnimSpriteBall* ball = Ball();
    auto* burst =
        Place<PyxEntityParticleExplosion>("PyxParticleExplosion", "particleexplosion", 100, 80);
    ASSERT_TRUE(burst->Burst(ball));
    ASSERT_EQ(burst->Particles().size(), 12u); // 4 x 3
    const PyxBurstParticle& last = burst->Particles().back();
    EXPECT_EQ(last.x, ball->DrawX() + 3);
    EXPECT_EQ(last.y, ball->DrawY() + 2);
    EXPECT_EQ(last.colour, Rgb555(kRed));
    for (const PyxBurstParticle& p : burst->Particles()) {
        EXPECT_EQ(p.alpha, 255);
        EXPECT_GE(p.fade, 0.5f);
        EXPECT_LE(p.fade, 1.5f);
        EXPECT_GE(p.speed, 0.2f);
        EXPECT_LE(p.speed, 0.5f);
        EXPECT_FLOAT_EQ(p.directionX, std::cos(float(p.x)));
        EXPECT_FLOAT_EQ(p.directionY, std::sin(float(p.y)));
    }

    // A second burst starts over.
    ASSERT_TRUE(burst->Burst(ball));
    EXPECT_EQ(burst->Particles().size(), 12u);
}

TEST_F(BurstTest, ParticlesFlyFadeAndTheBurstEndsWhenAllAreGone) {
    PyxEntityAnimSpriteBall* ball = Ball();
    auto* burst =
        Place<PyxEntityParticleExplosion>("PyxParticleExplosion", "particleexplosion", 100, 80);
    ASSERT_TRUE(burst->Burst(ball));
    const PyxBurstParticle first = burst->Particles().front();
    burst->Update(10);
    ASSERT_FALSE(burst->Particles().empty());
    const PyxBurstParticle& moved = burst->Particles().front();
    EXPECT_EQ(moved.x, first.x + int(first.directionX * first.speed * 10));
    EXPECT_EQ(moved.alpha, 255 - int(first.fade * 10));
    EXPECT_EQ(Plays("puff.wav"), 1);

    burst->Draw();
    EXPECT_NE(Pixel(moved.x, moved.y), kBlack);

    int updates = 1;
    while (!burst->HasFlags(kObjectRemoved) && updates < 1000) {
        burst->Update(10);
        ++updates;
    }
    EXPECT_TRUE(burst->Particles().empty());
    EXPECT_LE(updates, 52); // the slowest fade, 0.5 per millisecond
    EXPECT_EQ(Plays("puff.wav"), 1);
}

TEST_F(BurstTest, ObjectWithoutAnImageBurstsIntoNothing) {
    auto* burst =
        Place<PyxEntityParticleExplosion>("PyxParticleExplosion", "particleexplosion", 0, 0);
    auto* effect = Place<PyxEntityAnimExplosion>("PyxAnimExplosion", "empty", 0, 0);
    EXPECT_FALSE(burst->Burst(effect));
    EXPECT_FALSE(burst->Burst(nullptr));
    burst->Update(16);
    EXPECT_TRUE(burst->HasFlags(kObjectRemoved));
}

TEST_F(BurstTest, CharacterBurstReadsTheFrameTheBallShows) {
    PyxEntityAnimSpriteBall* ball = Ball();
    ball->SetFramePosition(1.0f);
    auto* burst =
        Place<PyxEntityCharacterExplosion>("PyxCharacterExplosion", "characterexplosion", 100, 80);
    ASSERT_TRUE(burst->Burst(ball));
    ASSERT_EQ(burst->Particles().size(), 12u);
    EXPECT_EQ(burst->Particles().front().colour, Rgb555(kGold));
}

} // namespace
} // namespace objecttest

#include "game/rules/PyxBoardLink.h"

#include <algorithm>

#include <cmath>

#include "app/QxGlobals.h"
#include "app/QxRandom.h"
#include "engine/entity/QxEntityRegistry.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxEntityAnimExplosion.h"
#include "game/objects/PyxEntityAwardBase.h"
#include "game/objects/PyxEntityBallBase.h"
#include "game/objects/PyxEntityBallCarrier.h"
#include "game/objects/PyxEntityBallDissolve.h"
#include "game/objects/PyxEntityCharacterBall.h"
#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/PyxEntityGrabPickup.h"
#include "game/objects/PyxEntityParticleExplosion.h"
#include "game/objects/PyxEntityPickupBall.h"
#include "game/objects/PyxEntityPlayerExit.h"
#include "game/objects/PyxEntityTextExplosion.h"
#include "game/objects/PyxEntityVortex.h"
#include "game/objects/QxTrajectoryLine.h"

namespace {

// How floating scores and knocked-off coins move.
constexpr float kScoreRise = 40.0f;
constexpr float kScoreSpeed = 40.0f;
constexpr float kCoinFlight = 60.0f;
constexpr float kCoinSpeed = 120.0f;
constexpr float kPathSpacing = 1.0f;

// An effect of the class and type where the source is, or null unless it is an Effect.
template <class Effect>
Effect* AddEffectAt(PyxLevel& level, const PyxEntityGameObject& source,
                    const std::string& className, const std::string& typeName) {
    return dynamic_cast<Effect*>(
        PyxBoardLink::AddEffect(level, source.X(), source.Y(), className, typeName));
}

PyxEntityBallBase* AsBall(PyxEntityGameObject* object) {
    return dynamic_cast<PyxEntityBallBase*>(object);
}

// Runs one of a ball's own operations; other objects are left alone.
void OnBall(PyxEntityGameObject* object, void (PyxEntityBallBase::*operation)()) {
    if (PyxEntityBallBase* ball = AsBall(object)) {
        (ball->*operation)();
    }
}

// Sends an effect along a straight line at a speed (path units per second).
void SendAlong(PyxEntityGameObject* effect, float x0, float y0, float x1, float y1, float speed) {
    auto* moving = dynamic_cast<PyxEntityExplosionBase*>(effect);
    if (!moving) {
        return;
    }
    std::unique_ptr<QxTrajectoryBase> path = MakeLineTrajectory(x0, y0, x1, y1, kPathSpacing, true);
    if (!path) {
        return;
    }
    path->SetParameter(QxTrajectoryBase::kSpeed, speed);
    moving->SetTrajectory(std::move(path));
}

} // namespace

// ---- kinds ----------------------------------------------------------------------------

bool PyxBoardLink::IsOfKind(const PyxEntityGameObject* object, std::uint32_t tag) {
    return object && object->Type() && object->Type()->IsKind(tag);
}

bool PyxBoardLink::IsBall(const PyxEntityGameObject* object) {
    return object && (object->TypeFlags() & kTypeBall) != 0;
}

// ---- balls ----------------------------------------------------------------------------

void PyxBoardLink::Start(PyxEntityGameObject* ball) {
    OnBall(ball, &PyxEntityBallBase::Start);
}

void PyxBoardLink::Stop(PyxEntityGameObject* ball) {
    OnBall(ball, &PyxEntityBallBase::Stop);
}

void PyxBoardLink::SpeedUp(PyxEntityGameObject* ball) {
    OnBall(ball, &PyxEntityBallBase::SpeedUp);
}

void PyxBoardLink::SlowDown(PyxEntityGameObject* ball) {
    OnBall(ball, &PyxEntityBallBase::SlowDown);
}

PyxVector PyxBoardLink::Direction(const PyxEntityGameObject* ball) {
    if (const auto* motion = dynamic_cast<const PyxBallMotion*>(ball)) {
        return motion->Direction();
    }
    return {0.0f, 0.0f};
}

void PyxBoardLink::SetDirection(PyxEntityGameObject* ball, PyxVector direction) {
    if (auto* motion = dynamic_cast<PyxBallMotion*>(ball)) {
        motion->SetDirection(direction);
    }
}

float PyxBoardLink::Speed(const PyxEntityGameObject* ball) {
    if (const auto* motion = dynamic_cast<const PyxBallMotion*>(ball)) {
        return motion->Speed();
    }
    return 0.0f;
}

void PyxBoardLink::SetSpeed(PyxEntityGameObject* ball, float speed) {
    if (PyxEntityBallBase* b = AsBall(ball)) {
        b->SetSpeed(speed);
    }
}

void PyxBoardLink::SetTargetSpeed(PyxEntityGameObject* ball, float speed) {
    if (auto* motion = dynamic_cast<PyxBallMotion*>(ball)) {
        motion->SetTargetSpeed(speed);
    }
}

void PyxBoardLink::PlayLoseCoinsSound(PyxEntityGameObject* ball) {
    OnBall(ball, &PyxEntityBallBase::PlayLoseCoinsSound);
}

void PyxBoardLink::TakePlace(PyxEntityGameObject* to, PyxEntityGameObject* from) {
    if (!to || !from) {
        return;
    }
    std::uint32_t flags = kCopyCell | kCopyCentre;
    if (AsBall(to) && AsBall(from)) {
        flags |= PyxEntityBallBase::kCopyMotion;
    }
    to->CopyPlacement(flags, from);
}

void PyxBoardLink::SetExpression(PyxEntityGameObject* ball, std::int32_t expression, float ms) {
    if (auto* face = dynamic_cast<PyxEntityCharacterBall*>(ball)) {
        face->SetExpression(expression, ms);
    }
}

// ---- the special ball -----------------------------------------------------------------

void PyxBoardLink::ResetSpecial(PyxEntityGameObject* special) {
    if (auto* pickup = dynamic_cast<PyxEntityPickupBall*>(special)) {
        pickup->SetState(PyxEntityPickupBall::kWaiting);
        pickup->SetScale(1.0f);
        pickup->SetAngle(0.0f);
    }
}

void PyxBoardLink::ArmSpecial(PyxEntityGameObject* special) {
    if (auto* pickup = dynamic_cast<PyxEntityPickupBall*>(special)) {
        pickup->SetState(PyxEntityPickupBall::kArmed);
    }
}

bool PyxBoardLink::IsSpecialArmed(const PyxEntityGameObject* special) {
    const auto* pickup = dynamic_cast<const PyxEntityPickupBall*>(special);
    return pickup && pickup->IsArmed();
}

bool PyxBoardLink::TouchSpecial(PyxEntityGameObject* special, PyxEntityGameObject* player) {
    auto* pickup = dynamic_cast<PyxEntityPickupBall*>(special);
    return pickup && pickup->OnBallContact(player);
}

// ---- release --------------------------------------------------------------------------

PyxEntityGameObject* PyxBoardLink::CreateVortex(PyxLevel& level, PyxEntityGameObject* ball) {
    if (!ball) {
        return nullptr;
    }
    PyxEntityGameObject* created =
        AddEffect(level, ball->X(), ball->Y(), kVortexClass, kVortexType);
    auto* vortex = dynamic_cast<PyxEntityVortex*>(created);
    if (!vortex) {
        // Something else under the vortex's name could never hand the ball over.
        if (created) {
            created->AddFlags(kObjectRemoved);
        }
        return nullptr;
    }
    vortex->SetTarget(ball);
    return vortex;
}

bool PyxBoardLink::HandOverWhenFormed(PyxEntityGameObject* vortex) {
    auto* swirl = dynamic_cast<PyxEntityVortex*>(vortex);
    if (!swirl || swirl->HasFlags(kObjectRemoved)) {
        return true;
    }
    return swirl->State() == PyxEntityVortex::kFormed && swirl->HandOverBall();
}

// ---- awards ---------------------------------------------------------------------------

void PyxBoardLink::ArmCoin(PyxEntityGameObject* award) {
    if (auto* coin = dynamic_cast<PyxEntityAwardBase*>(award)) {
        coin->SetArmed(1);
        coin->SetValue(0);
    }
    if (award) {
        award->Update(0.0f);
    }
}

bool PyxBoardLink::IsPowerAward(const PyxEntityGameObject* award) {
    const auto* pickup = dynamic_cast<const PyxEntityAwardBase*>(award);
    return pickup && pickup->AwardType() && pickup->AwardType()->TurnKiller();
}

void PyxBoardLink::PlayPickupSound(PyxEntityGameObject* award) {
    if (auto* pickup = dynamic_cast<PyxEntityAwardBase*>(award)) {
        pickup->PlayPickupSound();
    }
}

// ---- effects --------------------------------------------------------------------------

PyxEntityGameObject* PyxBoardLink::AddEffect(PyxLevel& level, float x, float y,
                                             const std::string& className,
                                             const std::string& typeName) {
    // Asking first keeps a missing type from leaving an empty record behind each time.
    if (!g_registry || !g_registry->FindType(className, typeName)) {
        return nullptr;
    }
    return level.AddObjectAt(x, y, className, typeName, true);
}

void PyxBoardLink::FloatingScore(PyxLevel& level, float x, float y, const std::string& text) {
    PyxEntityGameObject* score = AddEffect(level, x, y, kFloatingScoreClass, kFloatingScoreType);
    if (auto* words = dynamic_cast<PyxEntityTextExplosion*>(score)) {
        words->SetText(text);
    }
    SendAlong(score, x, y, x, y - kScoreRise, kScoreSpeed);
}

void PyxBoardLink::FlyingCoins(PyxLevel& level, PyxEntityGameObject* from, std::int32_t count) {
    if (!from) {
        return;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        PyxEntityGameObject* coin =
            AddEffect(level, from->X(), from->Y(), kFlyingCoinClass, kFlyingCoinType);
        // Each coin leaves in its own direction.
        const float angle = RandomFloat(3.14159265f);
        SendAlong(coin, from->X(), from->Y(), from->X() + kCoinFlight * std::cos(angle),
                  from->Y() + kCoinFlight * std::sin(angle), kCoinSpeed);
    }
}

void PyxBoardLink::ParticleBurst(PyxLevel& level, PyxEntityGameObject* ball) {
    if (!ball) {
        return;
    }
    if (auto* burst =
            AddEffectAt<PyxEntityParticleExplosion>(level, *ball, kParticleClass, kParticleType)) {
        burst->Burst(ball);
    }
}

void PyxBoardLink::CharacterBurst(PyxLevel& level, float x, float y, PyxEntityGameObject* ball) {
    auto* burst = dynamic_cast<PyxEntityParticleExplosion*>(
        AddEffect(level, x, y, kCharacterBurstClass, kCharacterBurstType));
    if (burst && ball) {
        burst->Burst(ball);
    }
}

void PyxBoardLink::Grab(PyxLevel& level, PyxEntityGameObject* source) {
    if (!source) {
        return;
    }
    if (auto* grab = AddEffectAt<PyxEntityGrabPickup>(level, *source, kGrabClass, kGrabType)) {
        grab->SetUp(source);
    }
}

void PyxBoardLink::PlayerExit(PyxLevel& level, PyxEntityGameObject* ball, std::int32_t targetX,
                              std::int32_t targetY) {
    if (!ball) {
        return;
    }
    if (auto* exit =
            AddEffectAt<PyxEntityPlayerExit>(level, *ball, kPlayerExitClass, kPlayerExitType)) {
        exit->SetUpTowards(ball, float(targetX), float(targetY));
    }
}

void PyxBoardLink::Dissolve(PyxLevel& level, PyxEntityGameObject* ball) {
    if (!ball) {
        return;
    }
    if (auto* dissolve =
            AddEffectAt<PyxEntityBallDissolve>(level, *ball, kDissolveClass, kDissolveType)) {
        dissolve->SetUp(ball);
    }
}

bool PyxBoardLink::EffectFinished(const PyxEntityGameObject* effect) {
    if (!effect || effect->HasFlags(kObjectRemoved)) {
        return true;
    }
    const auto* animation = dynamic_cast<const PyxEntityAnimExplosion*>(effect);
    return animation && !animation->IsPlaying();
}

// ---- the carrier ----------------------------------------------------------------------

PyxEntityGameObject* PyxBoardLink::FindCarrier(const PyxLevel& level) {
    for (const PyxLevelObjectRecord& record : level.Objects()) {
        if (record.entity && record.className == kCarrierClass &&
            !record.entity->HasFlags(kObjectRemoved)) {
            return record.entity.get();
        }
    }
    return nullptr;
}

std::string PyxBoardLink::CarrierType(const PyxLevel& level) {
    for (const PyxLevelObjectRecord& record : level.Objects()) {
        if (record.className == kCarrierClass) {
            return record.typeName;
        }
    }
    return kCarrierType;
}

bool PyxBoardLink::SendCarrier(PyxLevel& level, const std::string& typeName,
                               PyxEntityGameObject* player) {
    if (!player || !player->Type()) {
        return false;
    }
    // A claw still on its way is sent again; one that is gone is replaced.
    auto* claw = dynamic_cast<PyxEntityBallCarrier*>(FindCarrier(level));
    if (!claw) {
        claw = dynamic_cast<PyxEntityBallCarrier*>(AddEffect(
            level, player->X(), PyxEntityBallCarrier::kOffBoardY, kCarrierClass, typeName));
    }
    if (!claw) {
        return false;
    }
    claw->SetCargo(player->Type()->ClassName(), player->Type()->TypeName());
    return claw->CarryTo(player->X(), player->Y());
}

// ---- the level ------------------------------------------------------------------------

bool PyxBoardLink::Holds(const PyxLevel* level, const PyxEntityGameObject* object) {
    if (!level || !object) {
        return false;
    }
    const auto& objects = level->Objects();
    return std::any_of(objects.begin(), objects.end(), [object](const PyxLevelObjectRecord& r) {
        return r.entity.get() == object;
    });
}

bool PyxBoardLink::StandsOnItsCell(const PyxEntityGameObject* object) {
    if (!object) {
        return false;
    }
    if (object->TypeFlags() & (kTypePost | kTypeAward)) {
        return true;
    }
    const auto* picture = dynamic_cast<const PyxEntityExplosionBase*>(object);
    return picture && !picture->Trajectory() && !(picture->LifeSpan() > 0.0f) &&
           picture->EffectType() && picture->EffectType()->Loop();
}

void PyxBoardLink::ClearCell(PyxLevel& level, std::int32_t col, std::int32_t row) {
    const float width = float(level.TileWidth());
    const float height = float(level.TileHeight());
    if (!(width > 0.0f) || !(height > 0.0f)) {
        return;
    }
    for (PyxLevelObjectRecord& record : level.Objects()) {
        PyxEntityGameObject* object = record.entity.get();
        if (!object || object->HasFlags(kObjectRemoved) || !StandsOnItsCell(object)) {
            continue;
        }
        // Both coordinates: a point beyond the last column has no cell, whatever its
        // index would be.
        if (std::floor(object->X() / width) == float(col) &&
            std::floor(object->Y() / height) == float(row)) {
            object->AddFlags(kObjectRemoved);
        }
    }
}

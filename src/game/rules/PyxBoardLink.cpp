#include "game/rules/PyxBoardLink.h"

#include <algorithm>

#include "app/QxGlobals.h"
#include "engine/entity/QxEntityRegistry.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxEntityBallBase.h"
#include "game/objects/PyxEntityCharacterBall.h"
#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/PyxEntityPickupBall.h"

namespace {

PyxEntityBallBase* AsBall(PyxEntityGameObject* object) {
    return dynamic_cast<PyxEntityBallBase*>(object);
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
    if (PyxEntityBallBase* b = AsBall(ball))
        b->Start();
}

void PyxBoardLink::Stop(PyxEntityGameObject* ball) {
    if (PyxEntityBallBase* b = AsBall(ball))
        b->Stop();
}

void PyxBoardLink::SpeedUp(PyxEntityGameObject* ball) {
    if (PyxEntityBallBase* b = AsBall(ball))
        b->SpeedUp();
}

void PyxBoardLink::SlowDown(PyxEntityGameObject* ball) {
    if (PyxEntityBallBase* b = AsBall(ball))
        b->SlowDown();
}

PyxVector PyxBoardLink::Direction(const PyxEntityGameObject* ball) {
    if (const auto* motion = dynamic_cast<const PyxBallMotion*>(ball))
        return motion->Direction();
    return {0.0f, 0.0f};
}

void PyxBoardLink::SetDirection(PyxEntityGameObject* ball, PyxVector direction) {
    if (auto* motion = dynamic_cast<PyxBallMotion*>(ball))
        motion->SetDirection(direction);
}

float PyxBoardLink::Speed(const PyxEntityGameObject* ball) {
    if (const auto* motion = dynamic_cast<const PyxBallMotion*>(ball))
        return motion->Speed();
    return 0.0f;
}

void PyxBoardLink::SetSpeed(PyxEntityGameObject* ball, float speed) {
    if (PyxEntityBallBase* b = AsBall(ball))
        b->SetSpeed(speed);
}

void PyxBoardLink::SetTargetSpeed(PyxEntityGameObject* ball, float speed) {
    if (auto* motion = dynamic_cast<PyxBallMotion*>(ball))
        motion->SetTargetSpeed(speed);
}

void PyxBoardLink::PlayLoseCoinsSound(PyxEntityGameObject* ball) {
    if (PyxEntityBallBase* b = AsBall(ball))
        b->PlayLoseCoinsSound();
}

void PyxBoardLink::TakePlace(PyxEntityGameObject* to, PyxEntityGameObject* from) {
    if (!to || !from)
        return;
    std::uint32_t flags = kCopyCell | kCopyCentre;
    if (AsBall(to) && AsBall(from))
        flags |= PyxEntityBallBase::kCopyMotion;
    to->CopyPlacement(flags, from);
}

void PyxBoardLink::SetExpression(PyxEntityGameObject* ball, std::int32_t expression, float ms) {
    if (auto* face = dynamic_cast<PyxEntityCharacterBall*>(ball))
        face->SetExpression(expression, ms);
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
    if (auto* pickup = dynamic_cast<PyxEntityPickupBall*>(special))
        pickup->SetState(PyxEntityPickupBall::kArmed);
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
    if (!ball)
        return nullptr;
    return AddEffect(level, ball->X(), ball->Y(), kVortexClass, kVortexType);
}

std::int32_t PyxBoardLink::VortexState(const PyxEntityGameObject* vortex) {
    // A vortex that is gone has handed its ball over.
    if (!vortex || vortex->HasFlags(kObjectRemoved))
        return kVortexFading;
    return kVortexFormed;
}

void PyxBoardLink::SetVortexState(PyxEntityGameObject* /*vortex*/, std::int32_t /*state*/) {}

// ---- awards ---------------------------------------------------------------------------

void PyxBoardLink::ArmCoin(PyxEntityGameObject* award) {
    if (award)
        award->Update(0.0f);
}

bool PyxBoardLink::IsPowerAward(const PyxEntityGameObject* /*award*/) {
    return false;
}

void PyxBoardLink::PlayPickupSound(PyxEntityGameObject* /*award*/) {}

// ---- effects --------------------------------------------------------------------------

PyxEntityGameObject* PyxBoardLink::AddEffect(PyxLevel& level, float x, float y,
                                             const std::string& className,
                                             const std::string& typeName) {
    // Asking first keeps a missing type from leaving an empty record behind each time.
    if (!g_registry || !g_registry->FindType(className, typeName))
        return nullptr;
    return level.AddObjectAt(x, y, className, typeName, true);
}

void PyxBoardLink::FloatingScore(PyxLevel& level, float x, float y, const std::string& /*text*/) {
    AddEffect(level, x, y, kFloatingScoreClass, kFloatingScoreType);
}

void PyxBoardLink::FlyingCoins(PyxLevel& level, PyxEntityGameObject* from, std::int32_t count) {
    if (!from)
        return;
    for (std::int32_t i = 0; i < count; ++i)
        AddEffect(level, from->X(), from->Y(), kFlyingCoinClass, kFlyingCoinType);
}

void PyxBoardLink::ParticleBurst(PyxLevel& level, PyxEntityGameObject* ball) {
    if (ball)
        AddEffect(level, ball->X(), ball->Y(), kParticleClass, kParticleType);
}

void PyxBoardLink::CharacterBurst(PyxLevel& level, float x, float y,
                                  PyxEntityGameObject* /*ball*/) {
    AddEffect(level, x, y, kCharacterBurstClass, kCharacterBurstType);
}

void PyxBoardLink::Grab(PyxLevel& level, PyxEntityGameObject* source) {
    if (source)
        AddEffect(level, source->X(), source->Y(), kGrabClass, kGrabType);
}

void PyxBoardLink::PlayerExit(PyxLevel& level, PyxEntityGameObject* ball, std::int32_t /*targetX*/,
                              std::int32_t /*targetY*/) {
    if (ball)
        AddEffect(level, ball->X(), ball->Y(), kPlayerExitClass, kPlayerExitType);
}

void PyxBoardLink::Dissolve(PyxLevel& level, PyxEntityGameObject* ball) {
    if (ball)
        AddEffect(level, ball->X(), ball->Y(), kDissolveClass, kDissolveType);
}

bool PyxBoardLink::EffectFinished(const PyxEntityGameObject* effect) {
    return !effect || effect->HasFlags(kObjectRemoved);
}

// ---- the carrier ----------------------------------------------------------------------

PyxEntityGameObject* PyxBoardLink::FindCarrier(const PyxLevel& level) {
    for (const PyxLevelObjectRecord& record : level.Objects()) {
        if (record.entity && record.className == kCarrierClass &&
            !record.entity->HasFlags(kObjectRemoved))
            return record.entity.get();
    }
    return nullptr;
}

bool PyxBoardLink::SendCarrier(PyxEntityGameObject* /*carrier*/, PyxEntityGameObject* /*player*/) {
    return false;
}

// ---- the level ------------------------------------------------------------------------

bool PyxBoardLink::Holds(const PyxLevel* level, const PyxEntityGameObject* object) {
    if (!level || !object)
        return false;
    const auto& objects = level->Objects();
    return std::any_of(objects.begin(), objects.end(), [object](const PyxLevelObjectRecord& r) {
        return r.entity.get() == object;
    });
}

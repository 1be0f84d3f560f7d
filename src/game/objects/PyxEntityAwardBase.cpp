#include "game/objects/PyxEntityAwardBase.h"

#include <algorithm>
#include <limits>

#include "engine/entity/QxDefinition.h"
#include "game/objects/PyxGameEvents.h"

PyxEntityAwardBaseType::PyxEntityAwardBaseType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_pickupSound});
    SetTypeFlags(kTypeAward);
    SetRadius(kRadius);
    SetDefaultHeight(kDefaultHeight);
    if (!definition) {
        return;
    }
    m_pickupSound.ReadName(*definition, "PickupSound");
    definition->ReadKey("Points", m_points);
    definition->ReadKey("LifeSpan", m_lifeSpan);
    definition->ReadKey("ExplodeClass", m_explodeClass);
    definition->ReadKey("ExplodeType", m_explodeType);
    definition->ReadKey("TurnKiller", m_turnKiller);
}

std::int32_t PyxWholeMilliseconds(float ms) {
    return BoardPixel(ms);
}

PyxEntityAwardBase::PyxEntityAwardBase(PyxEntityAwardBaseType* type) : PyxEntityGameObject(type) {}

bool PyxEntityAwardBase::Update(float ms) {
    const std::int32_t lifeSpan = AwardType() ? AwardType()->LifeSpan() : 0;
    if (lifeSpan != 0) {
        AddAge(ms);
        if (m_age > lifeSpan) {
            AddFlags(kObjectRemoved);
        }
    }
    return PyxEntityGameObject::Update(ms);
}

bool PyxEntityAwardBase::Blocks(const PyxEntityGameObjectType* type) {
    if (!type) {
        return true;
    }
    if (type->HasTypeFlags(kTypePost)) {
        return false;
    }
    if (type->HasTypeFlags(kTypeBall)) {
        return m_state == kShown || m_state == kFadingIn;
    }
    return true;
}

bool PyxEntityAwardBase::Touched(PyxEntityGameObject* ball) {
    PyxGameEvents* events = GameEvents();
    if (!events || !events->OnAwardTaken(this, ball)) {
        return false;
    }
    AddFlags(kObjectRemoved);
    m_state = kGone;
    return true;
}

bool PyxEntityAwardBase::PlayPickupSound() {
    PyxEntityAwardBaseType* type = AwardType();
    if (!type) {
        return false;
    }
    type->Load(false);
    return type->PickupSound().PlayOnce();
}

void PyxEntityAwardBase::AddAge(float ms) {
    const std::int64_t age = std::int64_t(m_age) + PyxWholeMilliseconds(ms);
    m_age = std::int32_t(std::clamp<std::int64_t>(age, std::numeric_limits<std::int32_t>::min(),
                                                  std::numeric_limits<std::int32_t>::max()));
}

void PyxEntityAwardBase::Explode(float delayMs) {
    m_explosionDelay = delayMs;
    m_state = kWaitingToExplode;
}

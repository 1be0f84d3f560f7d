#include "game/objects/PyxEntityPickupBall.h"

#include <string>

#include "engine/entity/QxDefinition.h"
#include "game/objects/PyxGameEvents.h"

PyxEntityPickupBallType::PyxEntityPickupBallType(QxDefinition* definition)
    : PyxEntityAnimSpriteBallType(definition) {
    if (!definition)
        return;
    if (definition->FindKey("Points"))
        definition->ReadInts(&m_points, 1);
    std::string name;
    if (definition->FindKey("PickupSound") && definition->ReadString(name))
        m_pickupSound.SetName(name);
}

std::unique_ptr<QxEntityBase> PyxEntityPickupBallType::CreateEntity() {
    return std::make_unique<PyxEntityPickupBall>(this);
}

bool PyxEntityPickupBallType::Load(bool reload) {
    if (IsLoaded() && !reload)
        return true;
    m_pickupSound.Load();
    return PyxEntityAnimSpriteBallType::Load(reload);
}

bool PyxEntityPickupBallType::Unload() {
    m_pickupSound.Release();
    return PyxEntityAnimSpriteBallType::Unload();
}

bool PyxEntityPickupBallType::IsKind(std::uint32_t tag) const {
    return tag == kKind || PyxEntityBallBaseType::IsKind(tag);
}

std::unique_ptr<QxEntityBaseType>
PyxEntityPickupBallPrototype::CreateType(QxDefinition& definition) const {
    return std::make_unique<PyxEntityPickupBallType>(&definition);
}

PyxEntityPickupBall::PyxEntityPickupBall(PyxEntityPickupBallType* type)
    : PyxEntityAnimSpriteBall(type) {}

bool PyxEntityPickupBall::OnBallContact(PyxEntityGameObject* other) {
    if (!IsArmed() || !other || !other->HasFlags(kObjectPlayer))
        return false;
    PyxEntityPickupBallType* type = PickupType();
    type->Load(false);
    if (PyxGameEvents* events = GameEvents())
        events->AddScore(type->Points());
    type->PickupSound().PlayOnce();
    return true;
}

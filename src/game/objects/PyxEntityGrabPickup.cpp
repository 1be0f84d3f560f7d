#include "game/objects/PyxEntityGrabPickup.h"

#include "game/field/PyxBallMotion.h"
#include "game/objects/PyxGameEvents.h"

PyxEntityGrabPickupType::PyxEntityGrabPickupType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {}

bool PyxEntityGrabPickupType::IsKind(std::uint32_t tag) const {
    return tag == kKindGrabPickup || PyxEntityGameObjectType::IsKind(tag);
}

PyxEntityGrabPickup::PyxEntityGrabPickup(PyxEntityGrabPickupType* type)
    : PyxEntityPlayerExit(type) {}

void PyxEntityGrabPickup::SetUp(PyxEntityGameObject* source) {
    PyxEntityGameObject* player = GameEvents() ? GameEvents()->PlayerBall() : nullptr;
    const auto* motion = dynamic_cast<const PyxBallMotion*>(player);
    Start(source, motion ? motion->Speed() * kStartSpeedShare : 0.0f);
    // Without a player's ball to fly to, the flight ends where it starts.
    m_targetX = m_x;
    m_targetY = m_y;
    UpdateTarget();
}

void PyxEntityGrabPickup::UpdateTarget() {
    PyxEntityGameObject* player = GameEvents() ? GameEvents()->PlayerBall() : nullptr;
    if (!player) {
        return;
    }
    m_targetX = float(player->DrawX()) + kAimOffset;
    m_targetY = float(player->DrawY()) + kAimOffset;
}

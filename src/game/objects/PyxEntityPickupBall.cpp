#include "game/objects/PyxEntityPickupBall.h"

#include <string>

#include "engine/entity/QxDefinition.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxEntityFloatingScore.h"
#include "game/objects/PyxGameEvents.h"
#include "game/objects/QxTrajectoryLine.h"

namespace {

// The points rise this far while they fade, at this many pixels a second.
constexpr float kScoreRise = 40.0f;
constexpr float kScoreSpeed = 40.0f;

} // namespace

PyxEntityPickupBallType::PyxEntityPickupBallType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_pickupSound});
    if (!definition) {
        return;
    }
    definition->ReadKey("Points", m_points);
    m_pickupSound.ReadName(*definition, "PickupSound");
}

bool PyxEntityPickupBallType::IsKind(std::uint32_t tag) const {
    return tag == kKindPickupBall || PyxEntityBallBaseType::IsKind(tag);
}

PyxEntityPickupBall::PyxEntityPickupBall(PyxEntityPickupBallType* type)
    : PyxEntityAnimSpriteBall(type) {}

bool PyxEntityPickupBall::OnBallContact(PyxEntityGameObject* other) {
    if (!IsArmed() || !other || !other->HasFlags(kObjectPlayer)) {
        return false;
    }
    PyxEntityPickupBallType* type = PickupType();
    type->Load(false);
    if (PyxGameEvents* events = GameEvents()) {
        events->AddScore(type->Points());
    }
    ShowPoints(type->Points());
    type->PickupSound().PlayOnce();
    return true;
}

void PyxEntityPickupBall::ShowPoints(std::int32_t points) {
    PyxLevel* level = Level();
    if (!level) {
        return;
    }
    auto* score = dynamic_cast<PyxEntityFloatingScore*>(
        level->AddObjectAt(m_x, m_y, "PyxFloatingScore", kFloatingScoreType, true));
    if (!score) {
        return;
    }
    score->SetText(std::to_string(points));
    if (auto path = MakeLineTrajectory(m_x, m_y, m_x, m_y - kScoreRise, 1.0f, true)) {
        path->SetParameter(QxTrajectoryBase::kSpeed, kScoreSpeed);
        score->SetTrajectory(std::move(path));
    }
}

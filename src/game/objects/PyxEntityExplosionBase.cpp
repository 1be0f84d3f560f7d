#include "game/objects/PyxEntityExplosionBase.h"

#include "engine/entity/QxDefinition.h"

PyxEntityExplosionBaseType::PyxEntityExplosionBaseType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    SetTypeFlags(kTypeEffect);
    SetDefaultHeight(kDefaultHeight);
    if (!definition) {
        return;
    }
    float seconds = 0.0f;
    if (definition->ReadKey("LifeSpan", seconds)) {
        m_lifeSpan = seconds * 1000.0f;
    }
    definition->ReadKey("Loop", m_loop);
}

PyxEntityExplosionBase::PyxEntityExplosionBase(PyxEntityExplosionBaseType* type)
    : PyxEntityGameObject(type), m_lifeSpan(type ? type->LifeSpan() : 0.0f) {}

bool PyxEntityExplosionBase::Update(float ms) {
    if (m_trajectory) {
        m_trajectory->Update(ms);
        m_trajectory->Position(m_x, m_y);
    }
    if (m_lifeSpan > 0.0f) {
        m_age += ms;
        if (m_age > m_lifeSpan) {
            AddFlags(kObjectRemoved);
        }
    }
    return PyxEntityGameObject::Update(ms);
}

bool PyxEntityExplosionBase::Blocks(const PyxEntityGameObjectType*) {
    return false;
}

void PyxEntityExplosionBase::SetTrajectory(std::unique_ptr<QxTrajectoryBase> trajectory) {
    m_trajectory = std::move(trajectory);
}

#include "game/objects/PyxEntityCharacterExplosion.h"

#include "game/objects/PyxEntityExplosionSupport.h"

PyxEntityCharacterExplosionType::PyxEntityCharacterExplosionType(QxDefinition* definition)
    : PyxEntityParticleExplosionType(definition) {}

std::unique_ptr<QxEntityBase> PyxEntityCharacterExplosionType::CreateEntity() {
    return std::make_unique<PyxEntityCharacterExplosion>(this);
}

PyxEntityCharacterExplosion::PyxEntityCharacterExplosion(PyxEntityCharacterExplosionType* type)
    : PyxEntityParticleExplosion(type) {}

std::shared_ptr<const QxSurface>
PyxEntityCharacterExplosion::CaptureImage(PyxEntityGameObject* ball) {
    return PyxObjectImage(ball);
}

#include "game/objects/PyxEntityCharacterExplosion.h"

#include "game/objects/PyxEntityExplosionSupport.h"

PyxEntityCharacterExplosionType::PyxEntityCharacterExplosionType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {}

PyxEntityCharacterExplosion::PyxEntityCharacterExplosion(PyxEntityCharacterExplosionType* type)
    : PyxEntityParticleExplosion(type) {}

std::shared_ptr<const QxSurface>
PyxEntityCharacterExplosion::CaptureImage(PyxEntityGameObject* ball) {
    return PyxObjectImage(ball);
}

#pragma once
// The burst of a character ball that fell into a trap: the particles come from the
// frame the ball's animation shows, as it shows it.

#include <memory>

#include "game/objects/PyxEntityParticleExplosion.h"

class PyxEntityCharacterExplosionType : public PyxEntityParticleExplosionType {
public:
    explicit PyxEntityCharacterExplosionType(QxDefinition* definition);

    std::unique_ptr<QxEntityBase> CreateEntity() override;
};

class PyxEntityCharacterExplosion : public PyxEntityParticleExplosion {
public:
    explicit PyxEntityCharacterExplosion(PyxEntityCharacterExplosionType* type);

protected:
    // The ball's current frame, read as it is.
    std::shared_ptr<const QxSurface> CaptureImage(PyxEntityGameObject* ball) override;
};

using PyxEntityCharacterExplosionPrototype = QxTypePrototype<PyxEntityCharacterExplosionType>;

#pragma once
// The burst of a character ball that fell into a trap: the particles come from the
// frame the ball's animation shows, as it shows it.

#include <memory>

#include "game/objects/PyxEntityParticleExplosion.h"

class PyxEntityCharacterExplosion;

class PyxEntityCharacterExplosionType
    : public QxEntityTypeOf<PyxEntityCharacterExplosionType, PyxEntityCharacterExplosion,
                            PyxEntityParticleExplosionType> {
public:
    explicit PyxEntityCharacterExplosionType(QxDefinition* definition);
};

class PyxEntityCharacterExplosion : public PyxEntityParticleExplosion {
public:
    explicit PyxEntityCharacterExplosion(PyxEntityCharacterExplosionType* type);

protected:
    // The ball's current frame, read as it is.
    std::shared_ptr<const QxSurface> CaptureImage(PyxEntityGameObject* ball) override;
};

using PyxEntityCharacterExplosionPrototype = QxTypePrototype<PyxEntityCharacterExplosionType>;

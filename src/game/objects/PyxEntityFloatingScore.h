#pragma once
// Points shown where they were won: a text effect that drifts along its trajectory and
// fades as it goes, gone once it is invisible.

#include <memory>

#include "game/objects/PyxEntityTextExplosion.h"

class PyxEntityFloatingScore;

class PyxEntityFloatingScoreType
    : public QxEntityTypeOf<PyxEntityFloatingScoreType, PyxEntityFloatingScore,
                            PyxEntityTextExplosionType> {
public:
    explicit PyxEntityFloatingScoreType(QxDefinition* definition);
};

class PyxEntityFloatingScore : public PyxEntityTextExplosion {
public:
    explicit PyxEntityFloatingScore(PyxEntityFloatingScoreType* type);

    // The effect update; then, on a trajectory, the alpha is what is left of the way
    // (255 at the start, 0 at the end), and below 1 the score is removed.
    bool Update(float ms) override;
};

using PyxEntityFloatingScorePrototype = QxTypePrototype<PyxEntityFloatingScoreType>;

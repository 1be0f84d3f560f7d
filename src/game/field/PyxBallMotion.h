#pragma once
// What the level needs of a ball beyond the board-object base: its direction of travel
// and its speeds, so that it can start a spawned ball and turn a ball onto a lane.
// Every ball class implements it alongside PyxEntityGameObject.

#include "game/field/PyxVector.h"

class PyxBallMotion {
public:
    virtual ~PyxBallMotion() = default;

    // A unit axis vector, or (0, 0).
    virtual PyxVector Direction() const = 0;
    virtual void SetDirection(PyxVector direction) = 0;
    // Pixels per millisecond.
    virtual float Speed() const = 0;
    virtual float TargetSpeed() const = 0;
    virtual void SetTargetSpeed(float speed) = 0;
};

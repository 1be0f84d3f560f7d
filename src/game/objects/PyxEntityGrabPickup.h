#pragma once
// A grabbed pickup flying into the player's ball: the flight of the player exit, aimed
// at the player's ball wherever it rolls, accelerating faster.

#include <cstdint>
#include <memory>

#include "game/objects/PyxEntityPlayerExit.h"

class PyxEntityGrabPickup;

inline constexpr std::uint32_t kKindGrabPickup = QxKindTag("GRAB");

class PyxEntityGrabPickupType
    : public QxEntityTypeOf<PyxEntityGrabPickupType, PyxEntityGrabPickup, PyxEntityPlayerExitType> {
public:
    explicit PyxEntityGrabPickupType(QxDefinition* definition);

    // A grab is no exit: it answers its own tag, not the exit's.
    bool IsKind(std::uint32_t tag) const override;
};

class PyxEntityGrabPickup : public PyxEntityPlayerExit {
public:
    static constexpr float kGrabAcceleration = 0.01f;
    // The player's ball is aimed at this far from its drawing position.
    static constexpr float kAimOffset = 25.0f;
    static constexpr float kStartSpeedShare = 0.8f;

    explicit PyxEntityGrabPickup(PyxEntityGrabPickupType* type);

    using PyxEntityPlayerExit::SetUp;
    // Flies the source into the player's ball, starting at 0.8 times that ball's speed.
    virtual void SetUp(PyxEntityGameObject* source);

protected:
    // The player's ball's drawing position plus (25, 25), read every update; the last
    // aim stays when there is no player's ball.
    void UpdateTarget() override;
    float Acceleration() const override { return kGrabAcceleration; }
};

using PyxEntityGrabPickupPrototype = QxTypePrototype<PyxEntityGrabPickupType>;

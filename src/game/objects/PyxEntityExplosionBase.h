#pragma once
// The base of the short-lived board objects that only show something: smoke and
// flares, particle bursts, floating scores, flying coins and the carrier claw. An
// effect may follow a trajectory (which it owns; its centre is the trajectory's
// position) and may have a life span, after which it removes itself. Effects never
// stop a ball.

#include <cstdint>
#include <memory>

#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/QxTrajectoryBase.h"

class PyxEntityExplosionBase;

class PyxEntityExplosionBaseType
    : public QxEntityTypeOf<PyxEntityExplosionBaseType, PyxEntityExplosionBase,
                            PyxEntityGameObjectType> {
public:
    static constexpr float kDefaultHeight = 0.8f;

    // Reads "LifeSpan" (seconds, kept in milliseconds) and "Loop"; "Height" is 0.8 when
    // not given.
    explicit PyxEntityExplosionBaseType(QxDefinition* definition);

    // Milliseconds an effect lives; 0 until something else removes it.
    float LifeSpan() const { return m_lifeSpan; }
    bool Loop() const { return m_loop; }

private:
    float m_lifeSpan = 0.0f;
    bool m_loop = false;
};

class PyxEntityExplosionBase : public PyxEntityGameObject {
public:
    enum AnimationState : std::int32_t {
        kPlaying = 1,
        kStopped = 2,
    };

    explicit PyxEntityExplosionBase(PyxEntityExplosionBaseType* type);

    // Follows the trajectory, ages the effect and removes it past its life span, then
    // the board-object update.
    bool Update(float ms) override;
    bool Blocks(const PyxEntityGameObjectType* type) override;

    // Takes the trajectory the effect follows from now on; the old one is deleted.
    // Null leaves the effect where it is.
    virtual void SetTrajectory(std::unique_ptr<QxTrajectoryBase> trajectory);

    QxTrajectoryBase* Trajectory() const { return m_trajectory.get(); }
    float LifeSpan() const { return m_lifeSpan; }

    PyxEntityExplosionBaseType* EffectType() const {
        return static_cast<PyxEntityExplosionBaseType*>(Type());
    }

protected:
    float m_lifeSpan = 0.0f;
    float m_age = 0.0f;
    std::unique_ptr<QxTrajectoryBase> m_trajectory;
    float m_frame = 0.0f;
    std::int32_t m_animationState = kPlaying;
};

using PyxEntityExplosionBasePrototype = QxTypePrototype<PyxEntityExplosionBaseType>;

#pragma once
// The special ball of a level: it rolls and is drawn like an animated ball, and once
// the rules have armed it the player's ball can collect it for its points.

#include <cstdint>
#include <memory>

#include "game/objects/PyxEntityAnimSpriteBall.h"
#include "game/objects/PyxTypeSound.h"

class PyxEntityPickupBall;

inline constexpr std::uint32_t kKindPickupBall = QxKindTag("PKBL");

class PyxEntityPickupBallType : public QxEntityTypeOf<PyxEntityPickupBallType, PyxEntityPickupBall,
                                                      PyxEntityAnimSpriteBallType> {
public:
    // Reads the keys of the animated ball, "Points" and "PickupSound".
    explicit PyxEntityPickupBallType(QxDefinition* definition);

    // 'PKBL' and 'BALL', but not the animated ball's 'ASBL': it is drawn like one
    // without being one.
    bool IsKind(std::uint32_t tag) const override;

    std::int32_t Points() const { return m_points; }
    const PyxTypeSound& PickupSound() const { return m_pickupSound; }

private:
    std::int32_t m_points = 0;
    PyxTypeSound m_pickupSound;
};

class PyxEntityPickupBall : public PyxEntityAnimSpriteBall {
public:
    // The effect that shows the points: class "PyxFloatingScore" of this type.
    static constexpr const char* kFloatingScoreType = "floatingscore";

    // State the rules set: 0 waiting, 1 armed.
    static constexpr std::int32_t kWaiting = 0;
    static constexpr std::int32_t kArmed = 1;

    explicit PyxEntityPickupBall(PyxEntityPickupBallType* type);

    // A ball touched this one. When armed and touched by the player's ball: the points
    // go to the score, shown where the ball is, and the pickup sound plays. True when
    // it was collected.
    virtual bool OnBallContact(PyxEntityGameObject* other);

    std::int32_t State() const { return m_state; }
    void SetState(std::int32_t state) { m_state = state; }
    bool IsArmed() const { return m_state == kArmed; }
    float Scale() const { return m_scale; }
    void SetScale(float scale) { m_scale = scale; }
    void SetAngle(float angle) { m_angle = angle; }

    PyxEntityPickupBallType* PickupType() const {
        return static_cast<PyxEntityPickupBallType*>(Type());
    }

private:
    // The points rise from the ball and fade.
    void ShowPoints(std::int32_t points);

    std::int32_t m_state = kWaiting;
    float m_scale = 1.0f;
    float m_angle = 0.0f;
};

using PyxEntityPickupBallPrototype = QxTypePrototype<PyxEntityPickupBallType>;

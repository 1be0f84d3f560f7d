#pragma once
// The claw that lowers the player's ball onto the board at the start of a level and
// after a lost life. It is an animated effect on a trajectory: it carries a stand-in of
// the ball (its cargo, which it owns) down to the start cell, opens (its animation runs
// once), lets the player's ball start rolling and tells the rules, then rises out of
// sight and removes itself.
//
// States: 0 carrying in, 1 dropping, 2 leaving.

#include <cstdint>
#include <memory>
#include <string>

#include "game/objects/PyxEntityAnimExplosion.h"
#include "game/objects/PyxTypeSound.h"

class PyxEntityBallCarrier;

class PyxEntityBallCarrierType
    : public QxEntityTypeOf<PyxEntityBallCarrierType, PyxEntityBallCarrier,
                            PyxEntityAnimExplosionType> {
public:
    // The cargo hangs this far below the claw's centre.
    static constexpr float kCargoOffsetX = 0.0f;
    static constexpr float kCargoOffsetY = 221.0f;

    // Reads the animated-effect keys, then "MoveSound" and "DropSound".
    explicit PyxEntityBallCarrierType(QxDefinition* definition);

    const PyxTypeSound& MoveSound() const { return m_moveSound; }
    const PyxTypeSound& DropSound() const { return m_dropSound; }

private:
    PyxTypeSound m_moveSound;
    PyxTypeSound m_dropSound;
};

class PyxEntityBallCarrier : public PyxEntityAnimExplosion {
public:
    enum State : std::int32_t {
        kCarrying = 0,
        kDropping = 1,
        kLeaving = 2,
    };
    // Where the claw comes from and goes to, in board pixels, and how it moves.
    static constexpr float kOffBoardY = -600.0f;
    static constexpr float kSpacing = 5.0f;
    static constexpr float kSpeed = 10.0f;
    static constexpr float kMaxSpeed = 200.0f;
    static constexpr float kAcceleration = 5.0f;
    static constexpr float kDeceleration = 2.0f;
    // The release countdown the rules keep while the claw carries.
    static constexpr float kHeldCountdown = 1000.0f;
    // The face a character ball makes while it hangs from the claw, and for how long.
    static constexpr std::int32_t kCargoExpression = 5;
    static constexpr float kCargoExpressionMs = 2000.0f;
    // The hints shown when the ball is down: in the game mode kHintMode, and otherwise.
    static constexpr std::int32_t kHintMode = 3;
    static constexpr std::int32_t kModeHint = 10;
    static constexpr std::int32_t kDefaultHint = 1;

    explicit PyxEntityBallCarrier(PyxEntityBallCarrierType* type);

    // Creates the entity that hangs from the claw (any kind): it takes part in
    // collisions' activity test but not in the frame. False when the registry has no
    // such type.
    virtual bool SetCargo(const std::string& className, const std::string& typeName);

    // Starts a delivery: the claw comes straight down from above the board so that its
    // cargo arrives at the board point (x, y), then drops it there.
    bool CarryTo(float x, float y);

    // The animated-effect update, then the state: carrying the cargo in, dropping the
    // ball, leaving. Nothing once removed.
    bool Update(float ms) override;
    // The cargo while it hangs from the claw, then the claw.
    bool Draw() override;

    std::int32_t State() const { return m_state; }
    QxEntityBase* Cargo() const { return m_cargo.get(); }

    PyxEntityBallCarrierType* CarrierType() const {
        return static_cast<PyxEntityBallCarrierType*>(Type());
    }

private:
    void HangCargo();
    void Drop();
    // The claw's way up and out of sight from where it is.
    void Leave();

    std::int32_t m_state = kCarrying;
    std::unique_ptr<QxEntityBase> m_cargo;
    bool m_movePlayed = false;
    bool m_dropPlayed = false;
};

using PyxEntityBallCarrierPrototype = QxTypePrototype<PyxEntityBallCarrierType>;

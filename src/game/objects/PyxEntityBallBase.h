#pragma once
// The base of every ball: a board object that rolls along the centre lines of the grid
// cells in one of the four axis directions, at a speed that eases towards a target, and
// changes direction only by bouncing off what it meets. Posts and walls reflect it about
// a surface normal, snapped back to an axis; another ball reverses it when the rules
// say so. The rules steer the player's ball through the level's TurnBallTo and speed it
// up or slow it down.
//
// Speeds are pixels per millisecond. The easing steps are applied per update, not per
// millisecond, so they follow the frame rate.

#include <cstdint>
#include <memory>

#include "game/field/PyxBallMotion.h"
#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/PyxTypeSound.h"

class PyxEntityBallBase;

inline constexpr std::uint32_t kKindBall = QxKindTag("BALL");

class PyxEntityBallBaseType : public QxEntityTypeOf<PyxEntityBallBaseType, PyxEntityBallBase,
                                                    PyxEntityGameObjectType, kKindBall> {
public:
    static constexpr float kDefaultHeight = 0.4f;

    // The sounds a ball type may name.
    enum Sound : int {
        kRollSound,      // looped while a ball of the type rolls
        kHitWallSound,   // bounced off a post that is no gear, or another blocking object
        kHitGearSound,   // bounced off a gear
        kHitBallSound,   // the rules accepted a collision of two balls
        kTurnSound,      // sometimes after a turn at top speed
        kLoseCoinsSound, // on request of the rules
        kSoundCount
    };

    // Reads "Height" (0.4 when not given) and the sound keys.
    explicit PyxEntityBallBaseType(QxDefinition* definition);

    const PyxTypeSound& GetSound(Sound sound) const { return m_sounds[sound]; }
    // Plays the sound once; false when the type has none.
    bool PlaySound(Sound sound) const { return m_sounds[sound].PlayOnce(); }
    // One rolling loop for all balls of the type.
    PyxSoundLoop& RollLoop() { return m_rollLoop; }

private:
    PyxTypeSound m_sounds[kSoundCount];
    PyxSoundLoop m_rollLoop;
};

class PyxEntityBallBase : public PyxEntityGameObject, public PyxBallMotion {
public:
    // Limits of the player's speed under SpeedUp and SlowDown.
    static constexpr float kTopSpeed = 0.336f;
    static constexpr float kLowSpeed = 0.14f;
    // Speed gained per easing step while below the target.
    static constexpr float kEaseStep = 0.002f;
    // Fraction of the speed lost per easing step while coasting.
    static constexpr float kCoastLoss = 0.05f;
    // No sub-step moves a ball farther than this on either axis.
    static constexpr float kMaxSubStep = 3.0f;
    // TurnBallTo tolerance that always snaps to the lane.
    static constexpr float kSnapTolerance = 100.0f;
    // Most pixels a ball travels in one update, so that a wild frame time cannot keep
    // the sub-steps running for ever.
    static constexpr float kMaxTravel = 65536.0f;
    // Flag of CopyPlacement: take the other ball's motion too.
    static constexpr std::uint32_t kCopyMotion = 0x8;

    explicit PyxEntityBallBase(PyxEntityBallBaseType* type);

    // Eases the speed, keeps the rolling sound going, and moves the ball in sub-steps
    // of at most 3 pixels, keeping it on its lane and inside the board, moving it
    // between tile lists and bouncing it off what it meets after each sub-step. Then
    // the board-object update.
    bool Update(float ms) override;
    // With kCopyMotion the other ball's direction, speeds and rolling state come too.
    void CopyPlacement(std::uint32_t flags, PyxEntityGameObject* other) override;
    // The type's rolling loop.
    void HoldSounds(bool hold) override;

    // Coasts to a stop; the type's rolling loop ends and the rules' ambient sound
    // levels go to 0.
    virtual void Stop();
    // Rolls, driven towards the target speed.
    virtual void Start();
    // 3 % faster, up to kTopSpeed (only while below it).
    virtual void SpeedUp();
    // 2 % slower, down to kLowSpeed (only while above it).
    virtual void SlowDown();
    // The rolling loop's volume: speed over target speed (0 without a target).
    virtual float RollVolume() const;
    virtual void PlayLoseCoinsSound();

    PyxVector Direction() const override { return m_direction; }
    void SetDirection(PyxVector direction) override { m_direction = direction; }
    float Speed() const override { return m_speed; }
    void SetSpeed(float speed) { m_speed = speed; }
    float TargetSpeed() const override { return m_targetSpeed; }
    void SetTargetSpeed(float speed) override { m_targetSpeed = speed; }
    bool IsRolling() const { return m_rolling != 0; }

    PyxEntityBallBaseType* BallType() const { return static_cast<PyxEntityBallBaseType*>(Type()); }

    // One collision test against a listed object, with its response. Public for the
    // tests of single contacts; the update runs it for every object it scans.
    void CollideWith(PyxEntityGameObject* other);
    // The cells the collision scan visits from (col, row) for a direction, in order:
    // the cell itself, then four ahead. Cells outside the grid are not skipped here.
    static int ScanCells(std::int32_t col, std::int32_t row, PyxVector direction,
                         std::int32_t (&cols)[5], std::int32_t (&rows)[5]);

protected:
    PyxVector m_direction{1.0f, 0.0f};
    PyxVector m_previousDirection{1.0f, 0.0f};
    float m_targetSpeed = 0.0f;
    float m_speed = 0.0f;
    std::int32_t m_rolling = 0;

private:
    void EaseSpeed();
    void MoveSubStep(float& remainingX, float& remainingY);
    void KeepInside();
    void FollowCell();
    void ScanForCollisions();
    void Bounce(PyxEntityGameObject* other, PyxVector normal);
};

using PyxEntityBallBasePrototype = QxTypePrototype<PyxEntityBallBaseType>;

#pragma once
// The swirl through which a new ball enters the board. Particles stream inwards along
// spiral arms while a ring of particles grows around the centre, coloured from the
// ball's own image, so that the ball seems to condense out of the swirl. When the ring
// is complete the rules make the ball active (HandOverBall); the vortex then fades,
// and when its last arm particle has drained it marks the ball released and starts it
// rolling. A vortex never stops or touches a ball.
//
// The ball is not owned; it stays on the level while the vortex works.

#include <cstdint>
#include <memory>
#include <vector>

#include "game/objects/PyxEntityGameObject.h"

class PyxEntityVortex;

class PyxEntityVortexType
    : public QxEntityTypeOf<PyxEntityVortexType, PyxEntityVortex, PyxEntityGameObjectType> {
public:
    static constexpr float kDefaultHeight = 0.45f;
    static constexpr std::int32_t kRingPositions = 50;
    static constexpr float kMaxRingRadius = 28.0f;
    static constexpr float kTwoPi = 6.283184f;
    // Definitions asking for more are held to these, so a damaged one cannot make the
    // tables or the particle slots grow without bound.
    static constexpr std::int32_t kMaxArms = 256;
    static constexpr std::int32_t kMaxArmLength = 256;
    static constexpr std::int32_t kMaxParticles = 4096;

    // One point of an arm: its offset from the centre, its radius and how opaque a
    // particle there is.
    struct ArmPoint {
        std::int32_t x = 0;
        std::int32_t y = 0;
        float radius = 0.0f;
        std::int32_t alpha = 0;
    };
    struct Direction {
        float x = 0.0f;
        float y = 0.0f;
    };

    // Reads "NumberArms", "ArmLength", "ArmSpacing", "NumberParticles" and "Speed";
    // "Height" is 0.45 when not given.
    explicit PyxEntityVortexType(QxDefinition* definition);

    // Builds the arm and circle tables once.
    bool Load(bool reload) override;

    std::int32_t NumberArms() const { return m_numberArms; }
    std::int32_t ArmLength() const { return m_armLength; }
    float ArmSpacing() const { return m_armSpacing; }
    std::int32_t NumberParticles() const { return m_numberParticles; }
    float Speed() const { return m_speed; }

    // NumberArms x ArmLength points, arm a from a * ArmLength on.
    const std::vector<ArmPoint>& ArmTable() const { return m_arms; }
    // kRingPositions unit vectors around the circle.
    const std::vector<Direction>& CircleTable() const { return m_circle; }
    // The farthest any particle is drawn from the centre, plus the plus sign's arm.
    std::int32_t Reach() const { return m_reach; }

    // The tables as the type builds them.
    static std::vector<ArmPoint> BuildArmTable(std::int32_t arms, std::int32_t length,
                                               float spacing);
    static std::vector<Direction> BuildCircleTable();

private:
    std::int32_t m_numberArms = 10;
    std::int32_t m_armLength = 50;
    float m_armSpacing = 1.0f;
    std::int32_t m_numberParticles = 10;
    float m_speed = 1.0f;
    std::vector<ArmPoint> m_arms;
    std::vector<Direction> m_circle;
    std::int32_t m_reach = 0;
};

class PyxEntityVortex : public PyxEntityGameObject {
public:
    enum State : std::int32_t {
        kForming = 1,
        kFormed = 2,
        kFading = 3,
    };
    static constexpr float kStartRingSize = 5.0f;
    static constexpr float kRingGrowth = 1.02f;
    static constexpr float kArmAcceleration = 1.04f;
    static constexpr float kMaxArmSpeed = 5.0f;
    static constexpr float kRingAcceleration = 1.04f;
    static constexpr float kMaxRingStep = 2.0f;
    static constexpr std::int32_t kFadeStep = 5;

    struct ArmParticle {
        float distance = 0.0f; // index into the arm table; 0 = free slot
        float speed = 0.0f;
        std::int32_t arm = 0;
    };
    struct RingParticle {
        float position = 0.0f; // index into the circle table
        float radius = 0.0f;
        float step = 0.0f;
    };

    explicit PyxEntityVortex(PyxEntityVortexType* type);

    // One step of the swirl; nothing once removed.
    bool Update(float ms) override;
    // The particles, painted into the back buffer around the drawing position.
    bool Draw() override;
    // (1, 1): the drawing position is the centre on screen.
    void GetSize(std::int32_t& width, std::int32_t& height) override;
    bool Blocks(const PyxEntityGameObjectType* type) override;
    // Everything the particles can reach, not just the centre pixel.
    void MarkForRedraw() override;

    // The ball that condenses out of the swirl; its type is loaded at once.
    void SetTarget(PyxEntityGameObject* ball);
    PyxEntityGameObject* Target() const { return m_target; }

    // What the rules do once the ring is complete: the ball becomes active and takes
    // one update with no time, and the vortex fades. False (nothing done) unless the
    // ring is complete.
    bool HandOverBall();

    // One step of a ring particle: it speeds up to kMaxRingStep and runs round the
    // circle table, starting over at 0 when it reaches the end.
    static void MoveRingParticle(RingParticle& particle);

    std::int32_t State() const { return m_state; }
    void SetState(std::int32_t state) { m_state = state; }
    const std::vector<ArmParticle>& ArmParticles() const { return m_armParticles; }

    PyxEntityVortexType* VortexType() const { return static_cast<PyxEntityVortexType*>(Type()); }

private:
    // The target if it is still on the board, else null (and forgotten).
    PyxEntityGameObject* LiveTarget();
    bool MoveArmParticles();
    void GrowRing();
    void MoveRingParticles();
    void Finish();

    PyxEntityGameObject* m_target = nullptr;
    std::vector<ArmParticle> m_armParticles;
    std::vector<RingParticle> m_ringParticles;
    float m_ringSize = kStartRingSize;
    std::int32_t m_state = kForming;
};

using PyxEntityVortexPrototype = QxTypePrototype<PyxEntityVortexType>;

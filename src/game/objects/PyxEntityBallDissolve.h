#pragma once
// A ball falling apart into its pixels. Every opaque pixel of the ball's current image
// becomes a particle, taken in an order the type shuffles once; the particles first
// ride with the ball, then come loose a few hundred per update and fade where they
// were left. The dissolve removes itself when the last particle has faded, and never
// stops a ball.
//
// The ball is not owned; when the rules delete it meanwhile, the particles stay where
// the ball was last seen.

#include <cstdint>
#include <memory>
#include <vector>

#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/PyxTypeSound.h"

class PyxEntityBallDissolve;

class PyxEntityBallDissolveType
    : public QxEntityTypeOf<PyxEntityBallDissolveType, PyxEntityBallDissolve,
                            PyxEntityGameObjectType> {
public:
    static constexpr float kDefaultHeight = 0.45f;
    // The shuffled order covers an image of this many pixels a side.
    static constexpr std::int32_t kSide = 50;
    static constexpr std::int32_t kPositions = kSide * kSide;

    // Reads "Sound"; "Height" is 0.45 when not given.
    explicit PyxEntityBallDissolveType(QxDefinition* definition);

    // Loads the sound and shuffles the order once.
    bool Load(bool reload) override;

    const PyxTypeSound& Sound() const { return m_sound; }
    // The positions 0 to 2499 of a 50 x 50 image (column = index % 50) in random order;
    // empty until the type loads.
    const std::vector<std::int32_t>& Order() const { return m_order; }

private:
    PyxTypeSound m_sound;
    std::vector<std::int32_t> m_order;
};

class PyxEntityBallDissolve : public PyxEntityGameObject {
public:
    // Particles let loose per update.
    static constexpr std::size_t kReleasePerUpdate = 400;
    static constexpr std::int32_t kMinFade = 16;

    struct Particle {
        std::uint16_t colour = 0; // in the back buffer's format
        std::int32_t x = 0;       // from the ball's centre while attached, else screen
        std::int32_t y = 0;
        std::int32_t alpha = 255;
        std::int32_t fade = kMinFade; // alpha lost per update once loose
        bool attached = true;
    };

    explicit PyxEntityBallDissolve(PyxEntityBallDissolveType* type);

    // Makes the particles from the ball's current image; the second argument is kept.
    // False when the ball shows no image.
    virtual bool SetUp(PyxEntityGameObject* ball, std::int32_t argument = 0);

    // Plays the sound once, lets particles loose and fades the loose ones; removes the
    // dissolve when none is left. Then the board-object update.
    bool Update(float ms) override;
    bool Draw() override;
    bool Blocks(const PyxEntityGameObjectType* type) override;
    // Everything the particles cover, not just the object's own rectangle.
    void MarkForRedraw() override;

    const std::vector<Particle>& Particles() const { return m_particles; }

    PyxEntityBallDissolveType* DissolveType() const {
        return static_cast<PyxEntityBallDissolveType*>(Type());
    }

private:
    // The ball's centre on screen (its drawing position plus half its size), or the
    // last one seen.
    void FollowBall();

    PyxEntityGameObject* m_ball = nullptr;
    std::int32_t m_argument = 0;
    std::vector<Particle> m_particles;
    std::int32_t m_centreX = 0;
    std::int32_t m_centreY = 0;
    bool m_soundPlayed = false;
};

using PyxEntityBallDissolvePrototype = QxTypePrototype<PyxEntityBallDissolveType>;

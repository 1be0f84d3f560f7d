#pragma once
// A ball bursting into its pixels: every opaque pixel of the ball's image becomes a
// particle that flies off and fades. The particles live in screen pixels, starting
// where the ball's image was drawn. The effect removes itself once every particle has
// faded.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/screen/QxRect.h"
#include "game/objects/PyxEntityExplosionBase.h"
#include "game/objects/PyxTypeSound.h"

struct QxSurface;

struct PyxBurstParticle {
    std::int32_t x = 0; // screen pixels
    std::int32_t y = 0;
    std::int32_t alpha = 255;
    float fade = 0.5f; // alpha lost per millisecond
    float directionX = 0.0f;
    float directionY = 0.0f;
    float speed = 0.2f;       // pixels per millisecond
    std::uint16_t colour = 0; // in the back buffer's format
};

class PyxEntityParticleExplosion;

class PyxEntityParticleExplosionType
    : public QxEntityTypeOf<PyxEntityParticleExplosionType, PyxEntityParticleExplosion,
                            PyxEntityExplosionBaseType> {
public:
    // Reads the effect keys and its sound, "ExplodeSound" (or "Sound").
    explicit PyxEntityParticleExplosionType(QxDefinition* definition);

    const PyxTypeSound& Sound() const { return m_sound; }

private:
    PyxTypeSound m_sound;
};

class PyxEntityParticleExplosion : public PyxEntityExplosionBase {
public:
    // An image larger than this many pixels bursts only its first ones.
    static constexpr std::size_t kMaxParticles = 1u << 16;

    explicit PyxEntityParticleExplosion(PyxEntityParticleExplosionType* type);

    // Drops the old particles and makes one for every pixel of the ball's image that
    // is not 0; false when the ball shows no image.
    virtual bool Burst(PyxEntityGameObject* ball);

    // The effect update, the sound on the first update, then the particles move and
    // fade; the effect is removed when none is left.
    bool Update(float ms) override;
    bool Draw() override;
    void MarkForRedraw() override;

    const std::vector<PyxBurstParticle>& Particles() const { return m_particles; }

    PyxEntityParticleExplosionType* ParticleType() const {
        return static_cast<PyxEntityParticleExplosionType*>(Type());
    }

protected:
    // The picture of the ball to burst, or null. A rendered ball renders it first.
    virtual std::shared_ptr<const QxSurface> CaptureImage(PyxEntityGameObject* ball);

private:
    std::vector<PyxBurstParticle> m_particles;
    bool m_started = false;
};

using PyxEntityParticleExplosionPrototype = QxTypePrototype<PyxEntityParticleExplosionType>;

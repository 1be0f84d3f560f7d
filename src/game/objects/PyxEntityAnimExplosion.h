#pragma once
// An effect drawn as an animation from an image list: smoke, lens flares, and the base
// of the carrier claw and the flying coin. It plays its sound on its first update
// (looping when the type loops) and runs its frames once, or round and round when it
// loops.

#include <cstdint>
#include <memory>

#include "game/objects/PyxAnimatedType.h"
#include "game/objects/PyxEntityExplosionBase.h"
#include "game/objects/PyxTypeSound.h"

class PyxEntityAnimExplosion;

class PyxEntityAnimExplosionType
    : public QxEntityTypeOf<PyxEntityAnimExplosionType, PyxEntityAnimExplosion,
                            PyxAnimatedType<PyxEntityExplosionBaseType>> {
public:
    // Reads the effect keys, then "Image", "AlphaImage", "FrameRate" and
    // "ExplodeSound".
    explicit PyxEntityAnimExplosionType(QxDefinition* definition);

    const PyxTypeSound& ExplodeSound() const { return m_explodeSound; }

private:
    PyxTypeSound m_explodeSound;
};

class PyxEntityAnimExplosion : public PyxEntityExplosionBase {
public:
    explicit PyxEntityAnimExplosion(PyxEntityAnimExplosionType* type);

    // The effect update, then the sound (first update only) and the frames.
    bool Update(float ms) override;
    // The current frame at the drawing position, with the object's alpha; nothing once
    // removed or leaving.
    bool Draw() override;
    void GetSize(std::int32_t& width, std::int32_t& height) override;
    std::uint32_t GetImage() override;
    // Its own looping sound.
    void HoldSounds(bool hold) override;

    virtual void SetFrame(float frame);
    virtual float Frame() const;
    // -1 without images.
    virtual std::int32_t FrameCount() const;
    virtual void StartPlaying();
    virtual void StopPlaying();
    virtual bool IsPlaying() const;

    PyxEntityAnimExplosionType* AnimType() const {
        return static_cast<PyxEntityAnimExplosionType*>(Type());
    }

protected:
    // The frame index to draw: the frame position within the list.
    std::int32_t FrameIndex() const;
    // Draws a frame at the drawing position; false when there was nothing to draw.
    bool DrawFrame(std::int32_t index, std::int32_t alpha);

private:
    bool m_started = false;
    PyxSoundLoop m_loop;
};

using PyxEntityAnimExplosionPrototype = QxTypePrototype<PyxEntityAnimExplosionType>;

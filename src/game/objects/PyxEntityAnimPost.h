#pragma once
// A post drawn as an animation, with a looping sound shared by all posts of its type.
// The loop only sounds while the rules ask for it each frame; its volume eases towards
// the rules' level for the posts (from the tile the player's ball is on).

#include <cstdint>
#include <memory>

#include "game/field/PyxAmbientLoop.h"
#include "game/objects/PyxAnimatedType.h"
#include "game/objects/PyxEntityPostBase.h"
#include "game/objects/PyxTypeSound.h"

class PyxEntityAnimPost;

class PyxEntityAnimPostType : public QxEntityTypeOf<PyxEntityAnimPostType, PyxEntityAnimPost,
                                                    PyxAnimatedType<PyxEntityPostBaseType>> {
public:
    // Reads the post keys and "Sound", "Image", "AlphaImage" and "FrameRate".
    explicit PyxEntityAnimPostType(QxDefinition* definition);

    // When the rules asked for the posts' sound this frame: makes sure the loop plays,
    // sets its volume while it differs from the target, and eases the volume towards
    // the target (x 1.1 up to it, x 0.9 down to 0.01).
    void DriveLoop();
    // Stops the loop; the volume starts from 0.1 again.
    void StopLoop();
    void HoldLoop(bool hold) { m_loop.Hold(hold); }
    bool IsLoopPlaying() const { return m_loop.IsPlaying(); }
    float LoopVolume() const { return m_loop.Volume(); }

private:
    PyxTypeSound m_sound;
    PyxAmbientLoop m_loop;
};

class PyxEntityAnimPost : public PyxEntityPostBase {
public:
    explicit PyxEntityAnimPost(PyxEntityAnimPostType* type);
    // A post that goes while the shared loop plays stops it.
    ~PyxEntityAnimPost() override;

    // Advances the animation, drives the shared loop, then the post update.
    bool Update(float ms) override;
    bool Draw() override;
    // The first frame's size.
    void GetSize(std::int32_t& width, std::int32_t& height) override;
    std::uint32_t GetImage() override;
    // The type's shared loop.
    void HoldSounds(bool hold) override;

    PyxEntityAnimPostType* AnimType() const { return static_cast<PyxEntityAnimPostType*>(Type()); }

private:
    float m_framePosition = 0.0f;
};

using PyxEntityAnimPostPrototype = QxTypePrototype<PyxEntityAnimPostType>;

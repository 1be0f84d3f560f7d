#pragma once
// A sink: an animated tile that lists no objects but hands every ball that enters it
// to the game-play rules, which save it at an exit or take a life at a trap. All sinks
// of a type share one looping sound whose volume follows the rules' sink level.

#include <cstdint>
#include <memory>
#include <string>

#include "game/field/PyxAmbientLoop.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/objects/PyxAnimImage.h"
#include "game/objects/PyxTypeSound.h"

class PyxEntitySinkTile;

class PyxEntitySinkTileType
    : public QxEntityTypeOf<PyxEntitySinkTileType, PyxEntitySinkTile, PyxEntityTileBaseType> {
public:
    // Reads "Sound", "IsTrap", "Image" and "FrameRate".
    explicit PyxEntitySinkTileType(QxDefinition* definition);

    // Gives the image list back and takes it again (after its surfaces were lost).
    void ReloadImages();

    bool IsTrap() const { return m_isTrap == 1; }
    // Frames of the animation (0 until loaded).
    std::int32_t FrameCount() const { return m_animation.FrameCount(); }
    const PyxAnimImage& Animation() const { return m_animation; }
    const QxSoundRecord* Sound() const { return m_sound.Record(); }
    PyxAmbientLoop& Loop() { return m_loop; }

private:
    PyxTypeSound m_sound;
    std::int32_t m_isTrap = 0;
    PyxAnimImage m_animation;
    PyxAmbientLoop m_loop;
};

class PyxEntitySinkTile : public PyxEntityTileBase {
public:
    explicit PyxEntitySinkTile(PyxEntitySinkTileType* type);
    // Stops the shared loop while it plays.
    ~PyxEntitySinkTile() override;

    // The tile update, then the animation and, when the rules asked this frame, the
    // shared loop.
    bool Update(float ms) override;
    // The current frame at the cell's corner.
    bool Draw() override;
    // The object's cell becomes the sink's; a ball goes to the rules instead of the
    // list.
    void AddObject(PyxEntityGameObject* object) override;
    // The type's shared loop.
    void HoldSounds(bool hold) override;

    PyxEntitySinkTileType* SinkType() const { return static_cast<PyxEntitySinkTileType*>(Type()); }

private:
    bool DrawFrame();

    float m_frame = 0.0f;
};

using PyxEntitySinkTilePrototype = QxTypePrototype<PyxEntitySinkTileType>;

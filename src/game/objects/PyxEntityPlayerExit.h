#pragma once
// A saved ball flying off the board to a place on the game screen (the score or the
// lives). It moves in screen pixels from where the ball was drawn towards the target,
// a little faster every update, and shrinks over its last 30 pixels; it ends when it
// is small or would overshoot. It draws the ball's image, scaled, and never stops a
// ball.
//
// The ball (the source) is not owned. When the rules delete it meanwhile, the flight
// goes on with the image it showed last.

#include <cstdint>
#include <memory>

#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/PyxTypeSound.h"

class QxEntity2DGUIElement;

class PyxEntityPlayerExit;

inline constexpr std::uint32_t kKindPlayerExit = QxKindTag("PLXT");

class PyxEntityPlayerExitType : public QxEntityTypeOf<PyxEntityPlayerExitType, PyxEntityPlayerExit,
                                                      PyxEntityGameObjectType, kKindPlayerExit> {
public:
    static constexpr float kDefaultHeight = 0.45f;

    // Reads "Sound"; "Height" is 0.45 when not given.
    explicit PyxEntityPlayerExitType(QxDefinition* definition);

    const PyxTypeSound& Sound() const { return m_sound; }

private:
    PyxTypeSound m_sound;
};

class PyxEntityPlayerExit : public PyxEntityGameObject {
public:
    // Speed gained per update, in pixels per millisecond.
    static constexpr float kAcceleration = 0.001f;
    // Within this distance of the target the flight shrinks.
    static constexpr float kShrinkDistance = 30.0f;
    // It ends once both sides are below this.
    static constexpr std::int32_t kSmallest = 8;

    explicit PyxEntityPlayerExit(PyxEntityPlayerExitType* type);

    // Flies the source to the centre of the element's rectangle, starting at half the
    // source's speed.
    virtual void SetUp(PyxEntityGameObject* source, QxEntity2DGUIElement* target);
    // The same towards a screen point.
    void SetUpTowards(PyxEntityGameObject* source, float targetX, float targetY);

    // One step of the flight; nothing once removed.
    bool Update(float ms) override;
    // The source's image scaled to the current size at the drawing position.
    bool Draw() override;
    // The source's size while it has one, else the current size.
    void GetSize(std::int32_t& width, std::int32_t& height) override;
    bool Blocks(const PyxEntityGameObjectType* type) override;

    float TargetX() const { return m_targetX; }
    float TargetY() const { return m_targetY; }
    float FlightSpeed() const { return m_speed; }
    std::int32_t Width() const { return m_width; }
    std::int32_t Height() const { return m_height; }

protected:
    // Where the flight goes now; the exit's target stays put.
    virtual void UpdateTarget() {}
    virtual float Acceleration() const { return kAcceleration; }
    // Takes the source's place, size and image, with the given starting speed.
    void Start(PyxEntityGameObject* source, float speed);
    // The source while the rules still hold it, else null (and forgotten).
    PyxEntityGameObject* LiveSource();

    PyxEntityGameObject* m_source = nullptr;
    float m_targetX = 0.0f;
    float m_targetY = 0.0f;
    float m_speed = 0.0f;
    std::int32_t m_fullWidth = 0;
    std::int32_t m_fullHeight = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::uint32_t m_image = kNoImage;

private:
    bool m_soundPlayed = false;
};

using PyxEntityPlayerExitPrototype = QxTypePrototype<PyxEntityPlayerExitType>;

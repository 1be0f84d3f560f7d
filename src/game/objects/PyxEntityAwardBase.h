#pragma once
// The collectable objects of the board (coins and pickups). A ball that touches an
// award asks the rules whether it collects it; a collected award is gone. The value
// keys ("Points", "ExplodeClass", "ExplodeType", "TurnKiller") are read by the rules
// when an award is collected; the award itself uses its pickup sound and life span.

#include <cstdint>
#include <memory>
#include <string>

#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/PyxTypeSound.h"

class PyxEntityAwardBase;

inline constexpr std::uint32_t kKindAward = QxKindTag("PKUP");

class PyxEntityAwardBaseType : public QxEntityTypeOf<PyxEntityAwardBaseType, PyxEntityAwardBase,
                                                     PyxEntityGameObjectType, kKindAward> {
public:
    static constexpr float kRadius = 16.0f;
    static constexpr float kDefaultHeight = 0.6f;

    // Reads "PickupSound", "Points", "LifeSpan", "ExplodeClass", "ExplodeType" and
    // "TurnKiller"; "Height" is 0.6 when not given.
    explicit PyxEntityAwardBaseType(QxDefinition* definition);

    const PyxTypeSound& PickupSound() const { return m_pickupSound; }
    std::int32_t Points() const { return m_points; }
    // Milliseconds an award lives; 0 for ever.
    std::int32_t LifeSpan() const { return m_lifeSpan; }
    const std::string& ExplodeClass() const { return m_explodeClass; }
    const std::string& ExplodeType() const { return m_explodeType; }
    // An award that powers the player up.
    bool TurnKiller() const { return m_turnKiller; }

private:
    PyxTypeSound m_pickupSound;
    std::int32_t m_points = 0;
    std::int32_t m_lifeSpan = 0;
    std::string m_explodeClass;
    std::string m_explodeType;
    bool m_turnKiller = false;
};

class PyxEntityAwardBase : public PyxEntityGameObject {
public:
    enum State : std::int32_t {
        kShown = 0,
        kFadingIn = 1,
        kFadingOut = 2,
        kGone = 3,
        kWaitingToExplode = 4,
        kExploding = 5,
    };

    explicit PyxEntityAwardBase(PyxEntityAwardBaseType* type);

    // Ages the award when its type gives it a life span and removes it once the age
    // exceeds that; then the board-object update.
    bool Update(float ms) override;
    // Posts never meet an award; balls meet it while it is shown or fading in; every
    // other kind of object always.
    bool Blocks(const PyxEntityGameObjectType* type) override;

    // A ball touched the award: the rules decide whether it collects it, and a
    // collected award is removed and gone. Answers whether it was collected.
    virtual bool Touched(PyxEntityGameObject* ball);
    // Plays the type's pickup sound once; false without one.
    virtual bool PlayPickupSound();

    std::int32_t State() const { return m_state; }
    void SetState(std::int32_t state) { m_state = state; }
    // Waits the delay in milliseconds, then bursts into smoke and fades away.
    void Explode(float delayMs);

    // What the rules keep on an award they placed: whether it is armed and its value.
    std::int32_t Armed() const { return m_armed; }
    void SetArmed(std::int32_t armed) { m_armed = armed; }
    std::int32_t Value() const { return m_value; }
    void SetValue(std::int32_t value) { m_value = value; }

    PyxEntityAwardBaseType* AwardType() const {
        return static_cast<PyxEntityAwardBaseType*>(Type());
    }

protected:
    // The age grows by the whole milliseconds of the frame, saturating.
    void AddAge(float ms);

    std::int32_t m_age = 0;
    std::int32_t m_state = kShown;
    float m_explosionDelay = 0.0f;
    float m_framePosition = 0.0f;
    std::int32_t m_armed = 0;
    std::int32_t m_value = 0;
};

using PyxEntityAwardBasePrototype = QxTypePrototype<PyxEntityAwardBaseType>;

// Whole milliseconds of a frame time, as the award's age counts them (0 for a time
// that is not a number, and kept inside the int32 range).
std::int32_t PyxWholeMilliseconds(float ms);

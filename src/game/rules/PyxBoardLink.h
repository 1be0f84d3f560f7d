#pragma once
// What the game-play rules and the HUD do to particular kinds of board objects: start
// and steer balls, arm the special ball, release balls through vortexes, arm coins,
// and put effects on the board. Each operation reaches the object through its class
// and does nothing to an object of another class, so a level whose data lacks a class
// still plays.

#include <cstdint>
#include <string>

#include "game/field/PyxVector.h"

class PyxEntityGameObject;
class PyxLevel;

struct PyxBoardLink {
    // Class and type names the rules create objects of.
    static constexpr const char* kVortexClass = "PyxVortex";
    static constexpr const char* kVortexType = "vortex";
    static constexpr const char* kCoinClass = "PyxAnimAward";
    static constexpr const char* kCoinType = "coinsilver";
    static constexpr const char* kExplosionClass = "PyxAnimExplosion";
    static constexpr const char* kSmokeType = "bigsmoke";
    static constexpr const char* kParticleClass = "PyxParticleExplosion";
    static constexpr const char* kParticleType = "particleexplosion";
    static constexpr const char* kCharacterBurstClass = "PyxCharacterExplosion";
    static constexpr const char* kCharacterBurstType = "characterexplosion";
    static constexpr const char* kGrabClass = "PyxGrabPickup";
    static constexpr const char* kGrabType = "defaultgrab";
    static constexpr const char* kPlayerExitClass = "PyxPlayerExit";
    static constexpr const char* kPlayerExitType = "playerexit";
    static constexpr const char* kDissolveClass = "PyxBallDissolve";
    static constexpr const char* kDissolveType = "balldissolve";
    static constexpr const char* kFloatingScoreClass = "PyxFloatingScore";
    static constexpr const char* kFloatingScoreType = "floatingscore";
    static constexpr const char* kFlyingCoinClass = "PyxFlyingCoin";
    static constexpr const char* kFlyingCoinType = "flyingcoin";
    static constexpr const char* kCarrierClass = "PyxBallCarrier";
    // The claw's type when the level lists none.
    static constexpr const char* kCarrierType = "carrier";

    // ---- kinds ----
    static bool IsOfKind(const PyxEntityGameObject* object, std::uint32_t tag);
    static bool IsBall(const PyxEntityGameObject* object);

    // ---- balls ----
    static void Start(PyxEntityGameObject* ball);
    static void Stop(PyxEntityGameObject* ball);
    static void SpeedUp(PyxEntityGameObject* ball);
    static void SlowDown(PyxEntityGameObject* ball);
    // (0, 0) for an object that does not roll.
    static PyxVector Direction(const PyxEntityGameObject* ball);
    static void SetDirection(PyxEntityGameObject* ball, PyxVector direction);
    static float Speed(const PyxEntityGameObject* ball);
    static void SetSpeed(PyxEntityGameObject* ball, float speed);
    static void SetTargetSpeed(PyxEntityGameObject* ball, float speed);
    static void PlayLoseCoinsSound(PyxEntityGameObject* ball);
    // `to` takes the place of `from`: its tile, centre and motion.
    static void TakePlace(PyxEntityGameObject* to, PyxEntityGameObject* from);
    // A character ball shows the expression for the duration.
    static void SetExpression(PyxEntityGameObject* ball, std::int32_t expression, float ms);

    // ---- the special ball of a level ----
    static void ResetSpecial(PyxEntityGameObject* special);
    static void ArmSpecial(PyxEntityGameObject* special);
    static bool IsSpecialArmed(const PyxEntityGameObject* special);
    // The player's ball touched it: its points go to the score. True when taken.
    static bool TouchSpecial(PyxEntityGameObject* special, PyxEntityGameObject* player);

    // ---- release ----
    // A vortex at the ball, the ball as its target; null when the level has no vortex.
    static PyxEntityGameObject* CreateVortex(PyxLevel& level, PyxEntityGameObject* ball);
    // Once the vortex has formed its ball, the ball is let go and the vortex fades.
    // True when the rules need not watch the vortex any more.
    static bool HandOverWhenFormed(PyxEntityGameObject* vortex);

    // ---- awards ----
    // A freshly placed coin: armed, value 0, one update.
    static void ArmCoin(PyxEntityGameObject* award);
    static bool IsPowerAward(const PyxEntityGameObject* award);
    static void PlayPickupSound(PyxEntityGameObject* award);

    // ---- effects ----
    // An object of the class and type at the board point, taking part in the frame;
    // null when the registry has no such type.
    static PyxEntityGameObject* AddEffect(PyxLevel& level, float x, float y,
                                          const std::string& className,
                                          const std::string& typeName);
    static void FloatingScore(PyxLevel& level, float x, float y, const std::string& text);
    static void FlyingCoins(PyxLevel& level, PyxEntityGameObject* from, std::int32_t count);
    static void ParticleBurst(PyxLevel& level, PyxEntityGameObject* ball);
    static void CharacterBurst(PyxLevel& level, float x, float y, PyxEntityGameObject* ball);
    static void Grab(PyxLevel& level, PyxEntityGameObject* source);
    static void PlayerExit(PyxLevel& level, PyxEntityGameObject* ball, std::int32_t targetX,
                           std::int32_t targetY);
    static void Dissolve(PyxLevel& level, PyxEntityGameObject* ball);
    // True once an effect has ended: removed, or an animation that stopped.
    static bool EffectFinished(const PyxEntityGameObject* effect);

    // ---- the carrier ----
    // The level's claw, or null.
    static PyxEntityGameObject* FindCarrier(const PyxLevel& level);
    // The claw type the level names (its object list), else kCarrierType.
    static std::string CarrierType(const PyxLevel& level);
    // Sends the level's claw (or a new one of the type) to lower a stand-in of the
    // player's ball onto the ball's place; false when there is no claw to send.
    static bool SendCarrier(PyxLevel& level, const std::string& typeName,
                            PyxEntityGameObject* player);

    // ---- the level ----
    // True when the object is one of the level's.
    static bool Holds(const PyxLevel* level, const PyxEntityGameObject* object);
    // True for what stands on its cell until something takes it: posts, awards, and
    // pictures that neither move nor end (a deflector's).
    static bool StandsOnItsCell(const PyxEntityGameObject* object);
    // Takes out of play everything that stands on the cell (balls excepted), pictures
    // and all: a sink put in the cell lists none of it.
    static void ClearCell(PyxLevel& level, std::int32_t col, std::int32_t row);
};

#pragma once
// What board objects tell the game-play rules, and what they ask of them. The rules of
// the game in progress implement this and publish themselves with SetGameEvents; a
// board object reaches the rules (and through them the current level) with
// GameEvents(). Every call has a neutral default so a stand-in overrides only what
// it records.

#include <cstdint>

class PyxEntityGameObject;
class PyxEntityTileBase;
class PyxLevel;

class PyxGameEvents {
public:
    PyxGameEvents() = default;
    PyxGameEvents(const PyxGameEvents&) = delete;
    PyxGameEvents& operator=(const PyxGameEvents&) = delete;
    virtual ~PyxGameEvents() = default;

    // The level on the board, or null between levels.
    virtual PyxLevel* Level() { return nullptr; }

    // A ball entered a sink tile; the tile's kind bits tell an exit from a trap.
    virtual void OnBallAtExitOrSink(PyxEntityGameObject* /*ball*/, PyxEntityTileBase* /*tile*/) {}
    // Two balls touched; true when `ball` bounces back.
    virtual bool OnBallsTouch(PyxEntityGameObject* /*ball*/, PyxEntityGameObject* /*other*/) {
        return false;
    }
    // A ball touched an award; true when the award is collected by it.
    virtual bool OnAwardTaken(PyxEntityGameObject* /*award*/, PyxEntityGameObject* /*taker*/) {
        return false;
    }
    // A ball's centre moved into another cell.
    virtual void OnBallEnteredTile(PyxEntityGameObject* /*ball*/, PyxEntityTileBase* /*tile*/) {}
    // Shows hint n (0 to 19) once per game, when hints are on.
    virtual void ShowHint(std::int32_t /*n*/) {}

    // The two ambient sound levels: the target volumes of the animated posts' loop
    // and of the sinks' loop.
    virtual void SetAmbientLevels(float /*posts*/, float /*sinks*/) {}
    virtual float PostSoundLevel() { return 0.0f; }
    virtual float SinkSoundLevel() { return 0.0f; }
    // The rules raise each request once per frame; the first loop that sees it
    // drives its shared sound and takes the request. Answers whether it was raised,
    // and lowers it.
    virtual bool TakePostSoundRequest() { return false; }
    virtual bool TakeSinkSoundRequest() { return false; }

    // The player's ball on the board now, or null.
    virtual PyxEntityGameObject* PlayerBall() { return nullptr; }
    virtual void AddScore(std::int32_t /*points*/) {}
    // The mascot of the game screen shows the face of the player's ball.
    virtual void SetMascotExpression(std::int32_t /*expression*/) {}
    // The countdown to the next ball release, in milliseconds.
    virtual void SetReleaseCountdown(float /*ms*/) {}
    // The carrier has put the player's ball down on the board.
    virtual void OnPlayerBallLanded() {}
    virtual std::int32_t GameMode() { return 0; }
};

// The rules of the game in progress, or null. Not owned.
PyxGameEvents* GameEvents();
void SetGameEvents(PyxGameEvents* events);

// The level of the game in progress, or null.
PyxLevel* CurrentGameLevel();

#pragma once
// A stand-in for the game-play rules: records what the board tells them and answers
// with what the test set.

#include <cstdint>
#include <utility>
#include <vector>

#include "game/field/PyxEntityTileBase.h"
#include "game/objects/PyxGameEvents.h"

namespace testsupport {

class RecordingEvents : public PyxGameEvents {
public:
    struct SinkEvent {
        PyxEntityGameObject* ball;
        PyxEntityTileBase* tile;
    };
    struct Pair {
        PyxEntityGameObject* first;
        PyxEntityGameObject* second;
    };
    struct Taken {
        PyxEntityGameObject* award;
        PyxEntityGameObject* taker;
    };

    PyxLevel* Level() override { return level; }
    void OnBallAtExitOrSink(PyxEntityGameObject* ball, PyxEntityTileBase* tile) override {
        sinks.push_back({ball, tile});
    }
    bool OnBallsTouch(PyxEntityGameObject* ball, PyxEntityGameObject* other) override {
        touches.push_back({ball, other});
        return bounceBalls;
    }
    bool OnAwardTaken(PyxEntityGameObject* award, PyxEntityGameObject* taker) override {
        awards.push_back({award, taker});
        taken.push_back({award, taker});
        return collect && takeAwards;
    }
    void OnBallEnteredTile(PyxEntityGameObject* ball, PyxEntityTileBase* tile) override {
        entered.push_back({ball, nullptr});
        enteredCells.push_back(tile ? tile->CellIndex() : -1);
    }
    void ShowHint(std::int32_t n) override { hints.push_back(n); }
    void SetAmbientLevels(float posts, float sinksLevel) override {
        postLevel = posts;
        sinkLevel = sinksLevel;
        ++ambientCalls;
    }
    float PostSoundLevel() override { return postLevel; }
    float SinkSoundLevel() override { return sinkLevel; }
    bool TakeSinkSoundRequest() override { return std::exchange(sinkRequest, false); }
    bool TakePostSoundRequest() override { return std::exchange(postRequest, false); }
    PyxEntityGameObject* PlayerBall() override { return player; }
    void AddScore(std::int32_t points) override { score += points; }
    void SetMascotExpression(std::int32_t expression) override { mascot = expression; }
    void SetReleaseCountdown(float ms) override {
        countdown = ms;
        ++countdownCalls;
    }
    void OnPlayerBallLanded() override { ++landed; }
    std::int32_t GameMode() override { return mode; }

    // What the test sets.
    PyxLevel* level = nullptr;
    PyxEntityGameObject* player = nullptr;
    bool bounceBalls = true;
    bool collect = true;
    bool takeAwards = true;
    bool sinkRequest = false;
    bool postRequest = false;
    std::int32_t mode = 0;

    // What the board told.
    std::vector<SinkEvent> sinks;
    std::vector<Pair> touches;
    std::vector<Pair> awards;
    std::vector<Taken> taken;
    std::vector<Pair> entered;
    std::vector<std::int32_t> enteredCells;
    std::vector<std::int32_t> hints;
    float postLevel = 0.0f;
    float sinkLevel = 0.0f;
    int ambientCalls = 0;
    std::int32_t score = 0;
    std::int32_t mascot = -1;
    float countdown = -1.0f;
    int countdownCalls = 0;
    int landed = 0;
};

} // namespace testsupport

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
    struct Pair {
        PyxEntityGameObject* first;
        PyxEntityGameObject* second;
    };

    PyxLevel* Level() override { return level; }
    void OnBallAtExitOrSink(PyxEntityGameObject*, PyxEntityTileBase*) override {}
    bool OnBallsTouch(PyxEntityGameObject* ball, PyxEntityGameObject* other) override {
        touches.push_back({ball, other});
        return bounceBalls;
    }
    bool OnAwardTaken(PyxEntityGameObject* award, PyxEntityGameObject* taker) override {
        awards.push_back({award, taker});
        return collect;
    }
    void OnBallEnteredTile(PyxEntityGameObject* ball, PyxEntityTileBase* tile) override {
        entered.push_back({ball, nullptr});
        enteredCells.push_back(tile ? tile->CellIndex() : -1);
    }
    void ShowHint(std::int32_t n) override { hints.push_back(n); }
    void SetAmbientLevels(float posts, float sinksLevel) override {
        postLevel = posts;
        sinkLevel = sinksLevel;
    }
    float PostSoundLevel() override { return postLevel; }
    float SinkSoundLevel() override { return sinkLevel; }
    bool TakePostSoundRequest() override { return std::exchange(postRequest, false); }
    PyxEntityGameObject* PlayerBall() override { return player; }
    void SetReleaseCountdown(float ms) override {
        countdown = ms;
        ++countdownCalls;
    }
    void OnPlayerBallLanded() override { ++landed; }

    // What the test sets.
    PyxLevel* level = nullptr;
    PyxEntityGameObject* player = nullptr;
    bool bounceBalls = true;
    bool collect = true;
    bool postRequest = false;

    // What the board told.
    std::vector<Pair> touches;
    std::vector<Pair> awards;
    std::vector<Pair> entered;
    std::vector<std::int32_t> enteredCells;
    std::vector<std::int32_t> hints;
    float postLevel = 0.0f;
    float sinkLevel = 0.0f;
    float countdown = -1.0f;
    int countdownCalls = 0;
    int landed = 0;
};

} // namespace testsupport

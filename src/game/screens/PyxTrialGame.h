#pragma once
// A level being tried: the editor offers it before it asks for the game screen, and the
// game screen takes it when it is made and plays it as a game of that one level, with
// the real rules, keeping no high score. When that game ends, or the player leaves it,
// the game screen goes back to the scene the offer names.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct PyxTrialGame {
    std::vector<std::uint8_t> level; // the level file's bytes
    std::string returnClass;
    std::string returnType;
};

// Replaces any offer not yet taken.
void PyxOfferTrialGame(std::unique_ptr<PyxTrialGame> trial);
// The offer, once; null when there is none.
std::unique_ptr<PyxTrialGame> PyxTakeTrialGame();

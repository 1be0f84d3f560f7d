#pragma once
// A game of the player's own levels: the editor offers a level being tried, and the
// sets screen a set, before asking for the game screen; the game screen takes the offer
// when it is made and plays those levels with the real rules. When a game that keeps no
// high score ends, or the player leaves any such game, the game screen goes back to the
// scene the offer names.

#include <memory>
#include <string>

#include "game/rules/PyxOwnGame.h"

struct PyxOfferedGame {
    PyxOwnGame game;
    std::string returnClass;
    std::string returnType;
};

// Replaces any offer not yet taken.
void PyxOfferGame(std::unique_ptr<PyxOfferedGame> offer);
// The offer, once; null when there is none.
std::unique_ptr<PyxOfferedGame> PyxTakeOfferedGame();

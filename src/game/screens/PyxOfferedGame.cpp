#include "game/screens/PyxOfferedGame.h"

#include <utility>

namespace {

// Offered and taken on the main thread, between two frames.
std::unique_ptr<PyxOfferedGame> g_offer;

} // namespace

void PyxOfferGame(std::unique_ptr<PyxOfferedGame> offer) {
    g_offer = std::move(offer);
}

std::unique_ptr<PyxOfferedGame> PyxTakeOfferedGame() {
    return std::move(g_offer);
}

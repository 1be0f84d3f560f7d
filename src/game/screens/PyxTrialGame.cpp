#include "game/screens/PyxTrialGame.h"

#include <utility>

namespace {

// Offered and taken on the main thread, between two frames.
std::unique_ptr<PyxTrialGame> g_offer;

} // namespace

void PyxOfferTrialGame(std::unique_ptr<PyxTrialGame> trial) {
    g_offer = std::move(trial);
}

std::unique_ptr<PyxTrialGame> PyxTakeTrialGame() {
    return std::move(g_offer);
}

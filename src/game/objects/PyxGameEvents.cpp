#include "game/objects/PyxGameEvents.h"

namespace {
PyxGameEvents* g_gameEvents = nullptr;
}

PyxGameEvents* GameEvents() {
    return g_gameEvents;
}

void SetGameEvents(PyxGameEvents* events) {
    g_gameEvents = events;
}

PyxLevel* CurrentGameLevel() {
    return g_gameEvents ? g_gameEvents->Level() : nullptr;
}

#pragma once
// The level's settings as the editor's side panel lists them: one row each, with a
// label, the value as the player reads it, and a step up or down that the mouse (click,
// right-click, wheel) and the keys (+ and -) take.

#include <cstdint>
#include <string>

#include "game/editor/PyxLevelDraft.h"

enum class PyxEditorRow : std::int32_t {
    LevelTime,
    CoinsNeeded,
    CoinsOnBoard,
    RoamingBalls,
    BallColour,
    ReleaseInterval,
    BallSpeed,
    Exit,
    Count,
};

struct PyxEditorRowInfo {
    const char* label;
    const char* tooltip;
};

const PyxEditorRowInfo& PyxEditorRowOf(PyxEditorRow row);
// The value shown, such as "60 s", "green" or "at start".
std::string PyxEditorRowValue(const PyxLevelDraft::Settings& settings, PyxEditorRow row);
// The settings with the row stepped up (step > 0) or down; numbers stop at their limits,
// choices go round.
PyxLevelDraft::Settings PyxStepEditorRow(PyxLevelDraft::Settings settings, PyxEditorRow row,
                                         std::int32_t step);

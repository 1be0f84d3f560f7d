#pragma once
// What the game-play rules need of the game scene that owns them beyond what every
// scene offers (dialogs, the cursor, its type's "LevelSet" as string property 65536):
// the elements its definition names, and the jaws that close over the board between
// levels. The standard game scene derives from QxEntity2DScene and from this.

#include <cstdint>
#include <string>
#include <vector>

#include "game/rules/PyxOwnGame.h"

class QxEntity2DGUIElement;

// String property of the game scene: the level set its type names.
inline constexpr int kPropLevelSet = 65536;

class PyxGameplayOwner {
public:
    // What StepJaws answers.
    static constexpr std::int32_t kJawsNone = 0;   // no jaws, or they have opened again
    static constexpr std::int32_t kJawsMoving = 1; // closing or opening
    static constexpr std::int32_t kJawsClosed = 2; // shut over the board: load behind them

    PyxGameplayOwner() = default;
    PyxGameplayOwner(const PyxGameplayOwner&) = delete;
    PyxGameplayOwner& operator=(const PyxGameplayOwner&) = delete;
    virtual ~PyxGameplayOwner() = default;

    // The element the definition names ("Score", "Time", "Level", "DispText1",
    // "DispText2", "Notice", "Lives", "Coins", "Clock", "Mascot", "Teeth"), or null.
    virtual QxEntity2DGUIElement* NamedElement(const std::string& name) = 0;
    // One step of the jaws between two levels: the first call starts them closing;
    // kJawsClosed once (when they are shut, after which they open again), then
    // kJawsMoving until they are open, then kJawsNone.
    virtual std::int32_t StepJaws() = 0;

    // The player's own levels played in place of the level set, or null for a game of
    // the level set. When they keep no high score, TrialEnded is called where the game
    // would go on to the high scores.
    virtual const PyxOwnGame* OwnGame() const { return nullptr; }
    virtual void TrialEnded() {}
};

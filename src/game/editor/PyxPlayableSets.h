#pragma once
// What "Play My Levels" offers: the player's own sets (level lists of the level folder)
// and the sets shared with them (the folder's "*.qxa" archives), each read whole and
// judged before it is listed, so a set that cannot be played says why, and a damaged
// level of a set is named while the rest of the set still plays.

#include <cstddef>
#include <string>
#include <vector>

#include "game/editor/PyxSharedSet.h"
#include "game/rules/PyxOwnGame.h"

struct PyxPlayableSet {
    PyxSharedSet set; // its levels read and judged as a shared set's are
    bool shared = false;
    std::string scoresFile; // its own high-score table

    std::size_t UsableLevels() const;
    bool Playable() const { return set.Usable() && UsableLevels() > 0; }
    // The usable levels in order, keeping the set's own table.
    PyxOwnGame Game() const;
};

// The player's own set of that name in the folder: every level file read, and judged as
// a shared set's levels are (a level file edited by hand is no safer than one shared).
PyxSharedSet PyxReadOwnSet(const std::string& folder, const std::string& name);

// The player's sets (by name), then the shared ones (by file name). Needs g_registry
// with the game's classes and tile types, to judge the levels.
std::vector<PyxPlayableSet> PyxFindPlayableSets(const std::string& folder);

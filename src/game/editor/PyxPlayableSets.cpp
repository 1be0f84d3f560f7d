#include "game/editor/PyxPlayableSets.h"

#include <algorithm>
#include <filesystem>

#include "engine/files/QxLog.h"
#include "game/editor/PyxEditorLevelCheck.h"
#include "game/editor/PyxLevelSets.h"
#include "game/editor/PyxMyLevels.h"

std::size_t PyxPlayableSet::UsableLevels() const {
    return static_cast<std::size_t>(std::count_if(set.levels.begin(), set.levels.end(),
                                                  [](const auto& l) { return l.Usable(); }));
}

PyxOwnGame PyxPlayableSet::Game() const {
    PyxOwnGame game;
    game.title = set.name;
    game.scoresFile = scoresFile;
    for (const PyxSharedLevel& level : set.levels) {
        if (level.Usable()) {
            game.levels.push_back(PyxOwnLevel{level.fileName, level.bytes});
        }
    }
    return game;
}

PyxSharedSet PyxReadOwnSet(const std::string& folder, const std::string& name) {
    const PyxLevelSets sets(folder);
    PyxSharedSet set;
    set.name = PyxLevelSets::SafeName(name);
    set.path = sets.ListPath(set.name);
    std::vector<PyxLevelEntry> entries;
    std::string error;
    if (!sets.Read(set.name, entries, error)) {
        set.damage = error; // Read has logged it
        return set;
    }
    if (entries.empty()) {
        set.damage = "the set holds no levels yet";
        return set;
    }
    for (const PyxLevelEntry& entry : entries) {
        PyxSharedLevel level;
        level.fileName = entry.fileName;
        level.name = entry.second.empty() ? entry.fileName : entry.second;
        std::vector<std::uint8_t> bytes;
        if (!PyxReadWholeFile(folder + entry.fileName, kPyxMaxLevelBytes, bytes, level.damage)) {
            level.damage = entry.fileName + ": " + level.damage;
        } else {
            level.damage = PyxEditorLevelProblem(bytes);
        }
        if (level.Usable()) {
            level.bytes = std::move(bytes);
        } else {
            LogPrintf("Level set %s, level %s: %s", set.path.c_str(), level.fileName.c_str(),
                      level.damage.c_str());
        }
        set.levels.push_back(std::move(level));
    }
    return set;
}

std::vector<PyxPlayableSet> PyxFindPlayableSets(const std::string& folder) {
    std::vector<PyxPlayableSet> found;
    const PyxLevelSets sets(folder);
    for (const std::string& name : sets.List()) {
        PyxPlayableSet playable;
        playable.set = PyxReadOwnSet(folder, name);
        playable.scoresFile = sets.ScoresPath(name);
        found.push_back(std::move(playable));
    }
    for (PyxSharedSet& shared : PyxListSharedSets(folder)) {
        PyxPlayableSet playable;
        // Kept by the archive's own file name: two archives never share a table, and
        // none shares one with a set of the player's.
        playable.scoresFile =
            folder + std::filesystem::path(shared.path).filename().string() + ".rd";
        playable.set = std::move(shared);
        playable.shared = true;
        found.push_back(std::move(playable));
    }
    return found;
}

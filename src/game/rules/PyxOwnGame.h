#pragma once
// Levels played in place of the game's level set: a level being tried in the editor,
// or a set of the player's own (or one shared with them), played in order.

#include <cstdint>
#include <string>
#include <vector>

struct PyxOwnLevel {
    std::string fileName;            // for the log: where the level came from
    std::vector<std::uint8_t> bytes; // the level file
};

struct PyxOwnGame {
    std::vector<PyxOwnLevel> levels;
    std::string title; // the set's name as the player knows it; empty for a level tried
    // The set's own high-score table; empty when the game keeps no high score (a level
    // being tried, whose results say nothing about a finished level).
    std::string scoresFile;

    bool KeepsScores() const { return !scoresFile.empty(); }
};

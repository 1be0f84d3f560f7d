#pragma once
// What a driver of the whole game reads of it: the scene on screen and the game in
// progress. The headless runner prints it at the end of a run; the browser page keeps
// the latest for its tests.

#include <cstdint>
#include <string>

struct PyxGameReport {
    std::string scene;
    std::uint64_t frames = 0;
    std::string state = "none";
    std::int32_t level = 0;
    std::int32_t score = 0;
    std::int32_t lives = 0;
    std::int32_t coins = 0;

    bool operator==(const PyxGameReport&) const = default;
};

// The scene's class and the game in progress as they are now; frames is left alone.
void PyxDescribeGame(PyxGameReport& report);

// The report as "key=value" lines: scene, frames, state, level, score, lives, coins.
std::string PyxReportText(const PyxGameReport& report);

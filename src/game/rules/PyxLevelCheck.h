#pragma once
// Whether a level can be won, checked on its board before anyone plays it: the shipped
// levels are held to these rules by the content tests, and a level the editor makes
// must keep them before it can be saved. Each problem says what is wrong in words a
// player understands and names the cells it is about.

#include <cstdint>
#include <string>
#include <vector>

class PyxLevel;

struct PyxLevelProblem {
    enum class Severity { Error, Warning };
    Severity severity = Severity::Error;
    std::string text;
    std::vector<std::int32_t> cells; // cell indexes (row x Columns + col) to mark
};

// Every problem of the level, errors first. The objects are judged by their types in
// the registry (posts, raised pads, awards), so the registry must hold the level's
// definitions.
std::vector<PyxLevelProblem> PyxCheckLevel(const PyxLevel& level);

// True when no problem is an error (warnings allowed).
bool PyxLevelIsWinnable(const std::vector<PyxLevelProblem>& problems);

#pragma once
// Whether a level file from elsewhere is one the editor could have made, so it may be
// shared and played. It is loaded as the game loads levels, through the registry (so a
// tile of a class or type the game does not know is refused, and no type is ever made
// up for it), with the objects kept as records: nothing of it is created beyond its
// tiles, and the current file system is out of reach while it loads, so a failed load
// writes no error file. Then every tile and object must be exactly a palette part, the
// claw or a rail, and the board one the editor builds.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// A level the editor makes takes a few kilobytes.
inline constexpr std::size_t kPyxMaxLevelBytes = 1u << 20;

// Empty when the bytes are such a level; else why not (the loader's reason, "uses
// <class> <type>, which the editor does not make", or the editor's reason). Needs
// g_registry with the game's classes and tile types.
std::string PyxEditorLevelProblem(std::span<const std::uint8_t> bytes);

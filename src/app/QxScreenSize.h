#pragma once
// The logical screen the game draws: the back buffer, the window's picture before
// scaling, and the area dialogs and hint boxes are placed in.

#include <cstdint>

inline constexpr std::int32_t kScreenWidth = 640;
inline constexpr std::int32_t kScreenHeight = 480;

#pragma once
// The shared mouse: written only by the game object's frame while it consumes the
// input queue, read directly by GUI elements, scenes and the game rules.

#include <cstdint>

struct QxMouseState {
    std::int32_t x = 0; // client pixels
    std::int32_t y = 0;
    std::uint8_t leftButton = 0; // 1 while held
};

extern QxMouseState g_mouseState;
